// UObject: the base of every reflected class. Objects know their class, name and outer, are made with NewObject and
// are owned by the host's object registry, which frees them at exit (there is no garbage collector).
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectMacros.h"
#include "UObject/ObjectPtr.h"

class UClass;
class UFunction;
class UPackage;

class UObject
{
public:
	typedef UObject Super;
	typedef UObject ThisClass;
	static UClass* StaticClass();
	static const TCHAR* StaticPackage() { return TEXT("/Script/CoreUObject"); }
	static constexpr EClassFlags StaticClassFlags = CLASS_Abstract;

	// Takes the class, name and outer NewObject is constructing with; an object made otherwise has none of them.
	UObject();
	virtual ~UObject() = default;
	UObject(const UObject&) = delete;
	UObject& operator=(const UObject&) = delete;

	// The class NewObject made the object with; for an object made otherwise, the class of its C++ type.
	UClass* GetClass() const { return ClassPrivate != nullptr ? ClassPrivate : GetNativeClassPrivate(); }
	FName GetFName() const { return NamePrivate; }
	FString GetName() const { return NamePrivate.ToString(); }
	UObject* GetOuter() const { return OuterPrivate; }
	// The outermost object, the package the object lives in.
	UPackage* GetPackage() const;
	UPackage* GetOutermost() const { return GetPackage(); }
	// "/Script/Package.Object", with ':' before subobjects of objects below a package.
	FString GetPathName() const;

	bool IsA(const UClass* SomeBase) const;
	template <typename OtherClassType> bool IsA() const { return IsA(OtherClassType::StaticClass()); }

	// The nearest outer of the class, or null.
	UObject* GetTypedOuter(const UClass* Target) const;
	template <typename T> T* GetTypedOuter() const { return static_cast<T*>(GetTypedOuter(T::StaticClass())); }

	EObjectFlags GetFlags() const { return ObjectFlags; }
	bool HasAnyFlags(EObjectFlags Flags) const { return (ObjectFlags & Flags) != RF_NoFlags; }
	bool IsTemplate() const { return HasAnyFlags(RF_ClassDefaultObject | RF_ArchetypeObject); }

	// Called by NewObject once the C++ constructor has run.
	virtual void PostInitProperties() {}

	// Calls a reflected function of this object's class with its parameters laid out as the function's properties.
	virtual void ProcessEvent(UFunction* Function, void* Parms);

protected:
	virtual UClass* GetNativeClassPrivate() const { return StaticClass(); }

private:
	UClass* ClassPrivate = nullptr;
	FName NamePrivate;
	UObject* OuterPrivate = nullptr;
	EObjectFlags ObjectFlags = RF_NoFlags;
};
