// Packages: made on demand, script packages also when a module registered types for them at start-up.
#include "UObject/Package.h"

#include "ObjectRegistry.h"
#include "UObject/UECodeGen.h"
#include "UObject/UObjectGlobals.h"

IMPLEMENT_INTRINSIC_CLASS(UPackage, COREUOBJECT_API, UObject, COREUOBJECT_API, "/Script/CoreUObject", {})

UPackage* CreatePackage(const TCHAR* PackageName)
{
	// Packages are the only objects without an outer, so the name alone finds one.
	FObjectConstruction Construction;
	Construction.Name = FName(PackageName);
	Construction.Flags = RF_Public;
	return static_cast<UPackage*>(
		FUObjectRegistry::Get().FindOrCreateObject(Construction, []() -> UObject* { return new UPackage(); }));
}

UPackage* FindPackage(UObject* InOuter, const TCHAR* PackageName)
{
	FUObjectRegistry& Registry = FUObjectRegistry::Get();
	const FName Name(PackageName, FNAME_Find);
	if (Name.IsNone())
	{
		return nullptr;
	}
	if (UObject* Existing = Registry.FindRegisteredObject(nullptr, Name))
	{
		return static_cast<UPackage*>(Existing);
	}
	return Registry.HasPendingTypes(Name) ? CreatePackage(PackageName) : nullptr;
}

UPackage* GetTransientPackage()
{
	static UPackage* const TransientPackage = CreatePackage(TEXT("/Engine/Transient"));
	return TransientPackage;
}
