// Reading the unit graph: struct look-up, RigVM function look-up and pin values through reflection.
#include "QVRig/GraphReader.h"

#include "QVJson/ReflectedJsonReader.h"
#include "QVRig/ScriptTypeNames.h"
#include "QVRig/UnitPins.h"
#include "RigVMCore/RigVMRegistry.h"
#include "UObject/Class.h"
#include "UObject/UnrealType.h"

namespace
{
const UScriptStruct& ReadUnitStruct(const FQVJsonValue& InUnit)
{
	const FString Unit = InUnit.AsString();
	if (const UScriptStruct* Struct = FQVScriptTypeNames::Find<UScriptStruct>(Unit))
	{
		return *Struct;
	}
	if (Unit.StartsWith(TEXT("F"), ESearchCase::CaseSensitive) &&
		FQVScriptTypeNames::Find<UScriptStruct>(Unit.RightChop(1)) != nullptr)
	{
		InUnit.Fail(FString::Printf(
			TEXT("unknown unit '%s': write the struct name without the leading F, '%s'"), *Unit, *Unit.RightChop(1)));
	}
	InUnit.Fail(FString::Printf(TEXT("unknown unit '%s': no struct of that name is registered in %s"), *Unit,
		*FQVScriptTypeNames::GetPackage(Unit)));
}

void ReadPins(const FQVJsonValue& InPins, FQVRigNode& InNode, const FQVReflectedJsonReader& InReader)
{
	const UScriptStruct& Struct = *InNode.GetStruct();
	for (const TPair<FString, FQVJsonValue>& Member : InPins.GetNameKeyedMembers())
	{
		const FProperty* Pin = Struct.FindPropertyByName(FName(Member.Key));
		if (Pin == nullptr)
		{
			Member.Value.Fail(FString::Printf(TEXT("unknown pin '%s' on %s (%s)"), *Member.Key, *Struct.GetName(),
				*FQVUnitPins::DescribeInputPins(Struct)));
		}
		const EQVPinKind Kind = FQVUnitPins::GetKind(*Pin);
		if (Kind != EQVPinKind::Input)
		{
			Member.Value.Fail(FString::Printf(TEXT("'%s' is %s of %s; only input pins can be set"), *Pin->GetName(),
				FQVUnitPins::DescribeKind(Kind), *Struct.GetName()));
		}
		InReader.ReadValue(*Pin, Pin->ContainerPtrToValuePtr<void>(InNode.GetMemory()), Member.Value);
	}
}

TUniquePtr<FQVRigNode> ReadNode(const FQVJsonValue& InNode, const FQVReflectedJsonReader& InReader)
{
	InNode.ExpectObject({TEXT("unit"), TEXT("label"), TEXT("pins")});
	const FQVJsonValue UnitValue = InNode.Get(TEXT("unit"));
	const UScriptStruct& Struct = ReadUnitStruct(UnitValue);
	const FString FunctionName = Struct.GetStructCPPName() + TEXT("::Execute");
	const FRigVMFunction* Function = FRigVMRegistry_RWLock::Get().FindFunction(*FunctionName);
	if (Function == nullptr)
	{
		UnitValue.Fail(FString::Printf(
			TEXT("'%s' is not a rig unit: no RigVM function '%s' is registered"), *Struct.GetName(), *FunctionName));
	}

	const TOptional<FQVJsonValue> Label = InNode.Find(TEXT("label"));
	TUniquePtr<FQVRigNode> Node =
		MakeUnique<FQVRigNode>(Struct, *Function, Label.IsSet() ? Label->AsString() : FString());
	if (const TOptional<FQVJsonValue> Pins = InNode.Find(TEXT("pins")))
	{
		ReadPins(*Pins, *Node, InReader);
	}
	return Node;
}
} // namespace

TArray<TUniquePtr<FQVRigNode>> FQVGraphReader::Read(const FQVJsonValue& InGraph, const FQVRigAssets& InAssets)
{
	const FQVReflectedJsonReader Reader(
		[&InAssets](const FQVJsonValue& InId) -> UObject*
		{
			UObject* Asset = InAssets.Find(FName(InId.AsString()));
			if (Asset == nullptr)
			{
				InId.Fail(FString::Printf(TEXT("there is no asset '%s'"), *InId.AsString()));
			}
			return Asset;
		});

	TArray<TUniquePtr<FQVRigNode>> Nodes;
	const int32 Count = InGraph.ExpectArray(TEXT("an array of unit nodes"));
	for (int32 Index = 0; Index < Count; ++Index)
	{
		Nodes.Add(ReadNode(InGraph.At(Index), Reader));
	}
	return Nodes;
}
