// UField, UStruct and UScriptStruct: owners, super structs, properties and the struct memory operations.
#include "UObject/Class.h"

#include "UObject/UECodeGen.h"
#include "UObject/UnrealType.h"

IMPLEMENT_INTRINSIC_CLASS(UField, COREUOBJECT_API, UObject, COREUOBJECT_API, "/Script/CoreUObject", {})
IMPLEMENT_INTRINSIC_CLASS(UStruct, COREUOBJECT_API, UField, COREUOBJECT_API, "/Script/CoreUObject", {})
IMPLEMENT_INTRINSIC_CLASS(UScriptStruct, COREUOBJECT_API, UStruct, COREUOBJECT_API, "/Script/CoreUObject", {})

UStruct* UField::GetOwnerStruct() const
{
	return GetTypedOuter<UStruct>();
}

UClass* UField::GetOwnerClass() const
{
	return GetTypedOuter<UClass>();
}

UStruct::~UStruct()
{
	for (FProperty* Property : ChildProperties)
	{
		delete Property;
	}
}

bool UStruct::IsChildOf(const UStruct* SomeBase) const
{
	for (const UStruct* Struct = this; Struct != nullptr; Struct = Struct->GetSuperStruct())
	{
		if (Struct == SomeBase)
		{
			return true;
		}
	}
	return false;
}

FProperty* UStruct::FindPropertyByName(const FName& InName) const
{
	for (TFieldIterator<FProperty> It(this); It; ++It)
	{
		if (It->GetFName() == InName)
		{
			return *It;
		}
	}
	return nullptr;
}

void UStruct::AddCppProperty(FProperty* Property)
{
	check(Property != nullptr);
	ChildProperties.Add(Property);
}

UScriptStruct::~UScriptStruct()
{
	delete CppStructOps;
}

void UScriptStruct::SetCppStructOps(ICppStructOps* InOps)
{
	delete CppStructOps;
	CppStructOps = InOps;
	SetStructureSize(InOps->GetSize(), InOps->GetAlignment());
}

void UScriptStruct::InitializeStruct(void* Dest, int32 ArrayDim) const
{
	check(CppStructOps != nullptr);
	for (int32 Index = 0; Index < ArrayDim; ++Index)
	{
		CppStructOps->Construct(static_cast<uint8*>(Dest) + Index * GetStructureSize());
	}
}

void UScriptStruct::DestroyStruct(void* Dest, int32 ArrayDim) const
{
	check(CppStructOps != nullptr);
	for (int32 Index = 0; Index < ArrayDim; ++Index)
	{
		CppStructOps->Destruct(static_cast<uint8*>(Dest) + Index * GetStructureSize());
	}
}

void UScriptStruct::CopyScriptStruct(void* Dest, const void* Src, int32 ArrayDim) const
{
	check(CppStructOps != nullptr);
	for (int32 Index = 0; Index < ArrayDim; ++Index)
	{
		CppStructOps->Copy(static_cast<uint8*>(Dest) + Index * GetStructureSize(),
			static_cast<const uint8*>(Src) + Index * GetStructureSize());
	}
}

bool UScriptStruct::CompareScriptStruct(const void* A, const void* B, uint32 PortFlags) const
{
	if (CppStructOps != nullptr && CppStructOps->HasIdentical())
	{
		return CppStructOps->Identical(A, B);
	}
	for (TFieldIterator<FProperty> It(this); It; ++It)
	{
		if (!It->Identical_InContainer(A, B, 0, PortFlags))
		{
			return false;
		}
	}
	return true;
}
