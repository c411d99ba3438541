// Property paths: parsing "Member.Index" paths against reflection and following them through memory.
#include "RigVMCore/RigVMPropertyPath.h"

#include "UObject/UnrealType.h"

FRigVMPropertyPath::FRigVMPropertyPath(const FProperty* InRootProperty, const FString& InSegmentPath)
{
	TArray<FString> Parts;
	InSegmentPath.ParseIntoArray(Parts, TEXT("."), true);
	const FProperty* Current = InRootProperty;
	for (const FString& Part : Parts)
	{
		FRigVMPropertyPathSegment Segment;
		Segment.Name = FName(*Part);
		if (const FArrayProperty* ArrayProperty = CastField<FArrayProperty>(Current); ArrayProperty && Part.IsNumeric())
		{
			Segment.Type = ERigVMPropertyPathSegmentType::ArrayElement;
			Segment.Index = FCString::Atoi(*Part);
			Segment.Property = ArrayProperty;
			Current = ArrayProperty->Inner;
		}
		else if (const FStructProperty* StructProperty = CastField<FStructProperty>(Current))
		{
			Segment.Type = ERigVMPropertyPathSegmentType::StructMember;
			Segment.Property = StructProperty->Struct->FindPropertyByName(Segment.Name);
			Current = Segment.Property;
		}
		else
		{
			Current = nullptr;
		}
		if (Current == nullptr)
		{
			Segments.Reset();
			return;
		}
		Segments.Add(Segment);
	}
}

uint8* FRigVMPropertyPath::GetData_Internal(uint8* InPtr) const
{
	uint8* Memory = InPtr;
	for (const FRigVMPropertyPathSegment& Segment : Segments)
	{
		if (Memory == nullptr)
		{
			return nullptr;
		}
		if (Segment.Type == ERigVMPropertyPathSegmentType::StructMember)
		{
			Memory = Segment.Property->ContainerPtrToValuePtr<uint8>(Memory);
		}
		else
		{
			FScriptArrayHelper Helper(CastFieldChecked<FArrayProperty>(Segment.Property), Memory);
			Memory = Helper.GetRawPtr(Segment.Index);
		}
	}
	return Memory;
}
