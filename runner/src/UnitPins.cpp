// Pin kinds from reflection metadata.
#include "QVRig/UnitPins.h"

#include "RigVMCore/RigVMStruct.h"
#include "UObject/Class.h"
#include "UObject/UnrealType.h"

EQVPinKind FQVUnitPins::GetKind(const FProperty& InPin)
{
	const FStructProperty* Struct = CastField<FStructProperty>(&InPin);
	if (Struct != nullptr && Struct->Struct->IsChildOf(FRigVMExecutePin::StaticStruct()))
	{
		return EQVPinKind::Execution;
	}
	if (InPin.HasMetaData(TEXT("Input")) || InPin.HasMetaData(TEXT("Visible")))
	{
		return EQVPinKind::Input;
	}
	return InPin.HasMetaData(TEXT("Output")) ? EQVPinKind::Output : EQVPinKind::Hidden;
}

const TCHAR* FQVUnitPins::DescribeKind(EQVPinKind InKind)
{
	switch (InKind)
	{
		case EQVPinKind::Input:
			return TEXT("an input pin");
		case EQVPinKind::Output:
			return TEXT("an output pin");
		case EQVPinKind::Hidden:
			return TEXT("a hidden pin");
		default:
			return TEXT("the execution pin");
	}
}

FString FQVUnitPins::DescribeInputPins(const UScriptStruct& InStruct)
{
	TArray<FString> Names;
	for (TFieldIterator<FProperty> It(&InStruct); It; ++It)
	{
		if (GetKind(**It) == EQVPinKind::Input)
		{
			Names.Add(It->GetName());
		}
	}
	return Names.IsEmpty() ? FString(TEXT("it has no input pins"))
						   : TEXT("its input pins: ") + FString::Join(Names, TEXT(", "));
}
