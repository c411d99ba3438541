// NewObject and FindObject.
#include "UObject/UObjectGlobals.h"

#include "ObjectRegistry.h"
#include "UObject/UObjectHash.h"

UObject* StaticConstructObject_Internal(const FStaticConstructObjectParameters& Params)
{
	const UClass* Class = Params.Class;
	check(Class != nullptr);
	const bool bDefaultObject = (Params.SetFlags & RF_ClassDefaultObject) != RF_NoFlags;
	checkf(bDefaultObject || !Class->HasAnyClassFlags(CLASS_Abstract),
		TEXT("Class '%s' is abstract: no object of it can be made"), *Class->GetName());
	checkf(Class->ClassConstructor != nullptr, TEXT("Class '%s' has no constructor"), *Class->GetName());

	FObjectConstruction Construction;
	Construction.Class = const_cast<UClass*>(Class);
	Construction.Outer = Params.Outer != nullptr ? Params.Outer : GetTransientPackage();
	Construction.Name = Params.Name.IsNone() ? MakeUniqueObjectName(Construction.Outer, Class) : Params.Name;
	Construction.Flags = Params.SetFlags;
	UObject* Object = FUObjectRegistry::Get().CreateObject(Construction, Class->ClassConstructor);
	if (Object != nullptr)
	{
		Object->PostInitProperties();
	}
	return Object;
}

FName MakeUniqueObjectName(UObject* Outer, const UClass* Class, FName BaseName)
{
	FUObjectRegistry& Registry = FUObjectRegistry::Get();
	const FString Base = BaseName.IsNone() ? Class->GetName() : BaseName.ToString();
	for (;;)
	{
		const FName Candidate(*FString::Printf(TEXT("%s_%d"), *Base, Registry.NextNameNumber(Class)));
		if (!Registry.IsNameTaken(Outer, Candidate))
		{
			return Candidate;
		}
	}
}

namespace
{
bool IsOfClass(const UObject* Object, const UClass* Class, bool ExactClass)
{
	if (Object == nullptr || Class == nullptr)
	{
		return Object != nullptr;
	}
	return ExactClass ? Object->GetClass() == Class : Object->IsA(Class);
}
} // namespace

UObject* StaticFindObjectFast(const UClass* Class, UObject* InOuter, FName InName, bool ExactClass)
{
	UObject* Found = FUObjectRegistry::Get().FindObject(InOuter, InName);
	return IsOfClass(Found, Class, ExactClass) ? Found : nullptr;
}

UObject* StaticFindObject(const UClass* Class, UObject* InOuter, const TCHAR* Name, bool ExactClass)
{
	const FString Path(Name);
	FString ObjectName = Path;
	if (InOuter == nullptr)
	{
		// "/Script/Package.Object": the package, then the object in it.
		FString PackageName;
		if (Path.Split(TEXT("."), &PackageName, &ObjectName))
		{
			InOuter = FindPackage(nullptr, *PackageName);
			if (InOuter == nullptr)
			{
				return nullptr;
			}
		}
	}
	const FName ObjectFName(*ObjectName, FNAME_Find);
	if (ObjectFName.IsNone())
	{
		return nullptr;
	}
	return StaticFindObjectFast(Class, InOuter, ObjectFName, ExactClass);
}
