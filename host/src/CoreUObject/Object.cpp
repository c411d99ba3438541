// UObject: identity taken from NewObject's construction, outers, class tests and reflected calls.
#include "UObject/Object.h"

#include "ObjectRegistry.h"
#include "UObject/Class.h"
#include "UObject/Package.h"
#include "UObject/UECodeGen.h"

IMPLEMENT_INTRINSIC_CLASS(UObject, COREUOBJECT_API, UObject, COREUOBJECT_API, "/Script/CoreUObject", {})

UObject::UObject()
{
	if (const FObjectConstruction* Construction = TakePendingObjectConstruction())
	{
		ClassPrivate = Construction->Class;
		NamePrivate = Construction->Name;
		OuterPrivate = Construction->Outer;
		ObjectFlags = Construction->Flags;
	}
}

UPackage* UObject::GetPackage() const
{
	const UObject* Top = this;
	while (Top->GetOuter() != nullptr)
	{
		Top = Top->GetOuter();
	}
	return static_cast<UPackage*>(const_cast<UObject*>(Top));
}

FString UObject::GetPathName() const
{
	const UObject* Outer = GetOuter();
	if (Outer == nullptr)
	{
		return GetName();
	}
	// Objects directly in a package follow a '.', subobjects of those a ':', deeper ones a '.' again.
	const bool bSubobject = Outer->GetOuter() != nullptr && Outer->GetOuter()->GetOuter() == nullptr;
	return Outer->GetPathName() + (bSubobject ? TEXT(":") : TEXT(".")) + GetName();
}

bool UObject::IsA(const UClass* SomeBase) const
{
	const UClass* Class = GetClass();
	return SomeBase != nullptr && Class != nullptr && Class->IsChildOf(SomeBase);
}

UObject* UObject::GetTypedOuter(const UClass* Target) const
{
	for (UObject* Outer = GetOuter(); Outer != nullptr; Outer = Outer->GetOuter())
	{
		if (Outer->IsA(Target))
		{
			return Outer;
		}
	}
	return nullptr;
}

void UObject::ProcessEvent(UFunction* Function, void* Parms)
{
	check(Function != nullptr);
	Function->Invoke(this, Parms);
}
