// Finding and reading the transform output pins of a rig's nodes.
#include "QVRig/OutputPins.h"

#include "QVRig/Rig.h"
#include "QVRig/RigNode.h"
#include "QVRig/UnitPins.h"
#include "UObject/Class.h"
#include "UObject/UnrealType.h"

namespace
{
bool IsTransform(const FProperty& InProperty)
{
	const FStructProperty* Struct = CastField<FStructProperty>(&InProperty);
	return Struct != nullptr && Struct->Struct == TBaseStructure<FTransform>::Get();
}
} // namespace

TArray<FTransform> FQVOutputPin::Read() const
{
	const void* Value = Pin->ContainerPtrToValuePtr<void>(Node->GetMemory());
	if (bArray)
	{
		return *static_cast<const TArray<FTransform>*>(Value);
	}
	return {*static_cast<const FTransform*>(Value)};
}

TArray<FQVOutputPin> FQVOutputPin::FindAll(const FQVRig& InRig)
{
	TArray<FQVOutputPin> Pins;
	const TArray<TUniquePtr<FQVRigNode>>& Nodes = InRig.GetNodes();
	for (int32 Index = 0; Index < Nodes.Num(); ++Index)
	{
		for (TFieldIterator<FProperty> It(Nodes[Index]->GetStruct()); It; ++It)
		{
			if (FQVUnitPins::GetKind(**It) != EQVPinKind::Output)
			{
				continue;
			}
			const FArrayProperty* Array = CastField<FArrayProperty>(*It);
			if (IsTransform(**It) || (Array != nullptr && IsTransform(*Array->Inner)))
			{
				Pins.Add(FQVOutputPin{Index, Nodes[Index].Get(), *It, Array != nullptr});
			}
		}
	}
	return Pins;
}
