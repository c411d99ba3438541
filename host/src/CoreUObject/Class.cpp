// UClass and UFunction: class defaults, function look-up and native calls.
#include "UObject/Class.h"

#include "UObject/UECodeGen.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UnrealType.h"

IMPLEMENT_INTRINSIC_CLASS(UClass, COREUOBJECT_API, UStruct, COREUOBJECT_API, "/Script/CoreUObject", {})
IMPLEMENT_INTRINSIC_CLASS(UFunction, COREUOBJECT_API, UStruct, COREUOBJECT_API, "/Script/CoreUObject", {})

UObject* UClass::GetDefaultObject(bool bCreateIfNeeded) const
{
	if (ClassDefaultObject == nullptr && bCreateIfNeeded && ClassConstructor != nullptr)
	{
		// Made directly (NewObject refuses abstract classes, which still have a default object).
		FStaticConstructObjectParameters Params(this);
		Params.Outer = GetOuter();
		Params.Name = FName(*(FString(TEXT("Default__")) + GetName()));
		Params.SetFlags = RF_Public | RF_ClassDefaultObject | RF_ArchetypeObject;
		ClassDefaultObject = StaticConstructObject_Internal(Params);
	}
	return ClassDefaultObject;
}

void UClass::AddFunctionToFunctionMap(UFunction* Function, const FName& FuncName)
{
	FuncMap.Add(FuncName, Function);
}

UFunction* UClass::FindFunctionByName(const FName& InName, EIncludeSuperFlag::Type IncludeSuper) const
{
	for (const UClass* Class = this; Class != nullptr; Class = Class->GetSuperClass())
	{
		if (UFunction* const* Found = Class->FuncMap.Find(InName))
		{
			return *Found;
		}
		if (IncludeSuper == EIncludeSuperFlag::ExcludeSuper)
		{
			break;
		}
	}
	return nullptr;
}

FProperty* UFunction::GetReturnProperty() const
{
	for (FProperty* Property : GetOwnProperties())
	{
		if (Property->HasAnyPropertyFlags(CPF_ReturnParm))
		{
			return Property;
		}
	}
	return nullptr;
}

void UFunction::Invoke(UObject* Object, void* Parms) const
{
	checkf(Func != nullptr, TEXT("Function '%s' has no native entry"), *GetName());
	checkf(Object != nullptr && Object->IsA(GetOwnerClass()), TEXT("'%s' cannot be called on that object"), *GetName());
	Func(Object, Parms);
}
