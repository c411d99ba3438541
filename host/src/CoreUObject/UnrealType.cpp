// Properties: field classes, C++ type names, comparisons and object references.
#include "UObject/UnrealType.h"

IMPLEMENT_FIELD(FProperty)
IMPLEMENT_FIELD(FNumericProperty)
IMPLEMENT_FIELD(FInt8Property)
IMPLEMENT_FIELD(FInt16Property)
IMPLEMENT_FIELD(FIntProperty)
IMPLEMENT_FIELD(FInt64Property)
IMPLEMENT_FIELD(FUInt16Property)
IMPLEMENT_FIELD(FUInt32Property)
IMPLEMENT_FIELD(FUInt64Property)
IMPLEMENT_FIELD(FFloatProperty)
IMPLEMENT_FIELD(FDoubleProperty)
IMPLEMENT_FIELD(FByteProperty)
IMPLEMENT_FIELD(FBoolProperty)
IMPLEMENT_FIELD(FEnumProperty)
IMPLEMENT_FIELD(FNameProperty)
IMPLEMENT_FIELD(FStrProperty)
IMPLEMENT_FIELD(FStructProperty)
IMPLEMENT_FIELD(FArrayProperty)
IMPLEMENT_FIELD(FObjectPropertyBase)
IMPLEMENT_FIELD(FObjectProperty)

bool FProperty::Identical(const void* A, const void* B, uint32 PortFlags) const
{
	checkf(
		GetValueOps().Equal != nullptr, TEXT("Property '%s' of type %s cannot be compared"), *GetName(), *GetCPPType());
	return GetValueOps().Equal(A, B);
}

FString FByteProperty::GetCPPType(FString* ExtendedTypeText, uint32 CPPExportFlags) const
{
	return Enum != nullptr ? FString(TEXT("TEnumAsByte<")) + Enum->CppType + TEXT(">") : FString(TEXT("uint8"));
}

FEnumProperty::~FEnumProperty()
{
	delete UnderlyingProp;
}

void FEnumProperty::AddCppProperty(FNumericProperty* InUnderlyingProp)
{
	check(UnderlyingProp == nullptr && InUnderlyingProp != nullptr);
	UnderlyingProp = InUnderlyingProp;
}

FString FEnumProperty::GetCPPType(FString* ExtendedTypeText, uint32 CPPExportFlags) const
{
	return Enum != nullptr ? Enum->CppType : UnderlyingProp->GetCPPType();
}

bool FStrProperty::Identical(const void* A, const void* B, uint32 PortFlags) const
{
	return GetPropertyValue(A).Equals(GetPropertyValue(B), ESearchCase::CaseSensitive);
}

FArrayProperty::~FArrayProperty()
{
	delete Inner;
}

void FArrayProperty::AddCppProperty(FProperty* InInner)
{
	check(Inner == nullptr && InInner != nullptr);
	Inner = InInner;
}

FString FArrayProperty::GetCPPType(FString* ExtendedTypeText, uint32 CPPExportFlags) const
{
	if (ExtendedTypeText != nullptr)
	{
		FString InnerExtendedTypeText;
		const FString InnerTypeText = Inner->GetCPPType(&InnerExtendedTypeText, CPPExportFlags);
		*ExtendedTypeText = FString(TEXT("<")) + InnerTypeText + InnerExtendedTypeText + TEXT(">");
	}
	return TEXT("TArray");
}

bool FArrayProperty::Identical(const void* A, const void* B, uint32 PortFlags) const
{
	FScriptArrayHelper HelperA(this, A);
	FScriptArrayHelper HelperB(this, B);
	if (HelperA.Num() != HelperB.Num())
	{
		return false;
	}
	for (int32 Index = 0; Index < HelperA.Num(); ++Index)
	{
		if (!Inner->Identical(HelperA.GetRawPtr(Index), HelperB.GetRawPtr(Index), PortFlags))
		{
			return false;
		}
	}
	return true;
}

UObject* FObjectPropertyBase::GetObjectPropertyValue(const void* Data) const
{
	// TObjectPtr<T> and T* are both one pointer to the object.
	return *static_cast<UObject* const*>(Data);
}

void FObjectPropertyBase::SetObjectPropertyValue(void* Data, UObject* Value) const
{
	*static_cast<UObject**>(Data) = Value != nullptr && Value->IsA(PropertyClass) ? Value : nullptr;
}

FString FObjectProperty::GetCPPType(FString* ExtendedTypeText, uint32 CPPExportFlags) const
{
	const FString ClassName = FString(PropertyClass->GetPrefixCPP()) + PropertyClass->GetName();
	return HasAnyPropertyFlags(CPF_TObjectPtr) ? FString(TEXT("TObjectPtr<")) + ClassName + TEXT(">")
											   : ClassName + TEXT("*");
}
