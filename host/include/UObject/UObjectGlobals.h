// Making and finding objects: NewObject, FindObject, the transient package and class defaults.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Class.h"
#include "UObject/Object.h"
#include "UObject/ObjectMacros.h"
#include "UObject/Package.h"

// The package of objects made without an outer, "/Engine/Transient".
UPackage* GetTransientPackage();

struct FStaticConstructObjectParameters
{
	const UClass* Class = nullptr;
	UObject* Outer = nullptr;
	FName Name;
	EObjectFlags SetFlags = RF_NoFlags;

	explicit FStaticConstructObjectParameters(const UClass* InClass) : Class(InClass) {}
};

// Makes an object of the class; its C++ constructor sees its class, name and outer. A None name becomes
// "<Class>_<N>". The class must not be abstract and the name must be free in the outer.
UObject* StaticConstructObject_Internal(const FStaticConstructObjectParameters& Params);

// A name free in the outer: BaseName (or the class name) followed by "_<N>".
FName MakeUniqueObjectName(UObject* Outer, const UClass* Class, FName BaseName = NAME_None);

template <typename T>
T* NewObject(UObject* Outer = GetTransientPackage(), const UClass* Class = T::StaticClass(), FName Name = NAME_None,
	EObjectFlags Flags = RF_NoFlags)
{
	checkf(Class != nullptr && Class->IsChildOf(T::StaticClass()), TEXT("NewObject: '%s' is not a '%s'"),
		Class != nullptr ? *Class->GetName() : TEXT("null"), *T::StaticClass()->GetName());
	FStaticConstructObjectParameters Params(Class);
	Params.Outer = Outer;
	Params.Name = Name;
	Params.SetFlags = Flags;
	return static_cast<T*>(StaticConstructObject_Internal(Params));
}

// The object of that name in the outer, if it is of the class (exactly, with ExactClass). With a null outer the
// name may be a path, "/Script/QuorvelUnreal.RigUnit_QVReverseFootRoll". A type registered at start-up in a
// script package is made on its first look-up.
UObject* StaticFindObject(const UClass* Class, UObject* InOuter, const TCHAR* Name, bool ExactClass = false);
UObject* StaticFindObjectFast(const UClass* Class, UObject* InOuter, FName InName, bool ExactClass = false);

template <typename T> T* FindObject(UObject* Outer, const TCHAR* Name, bool ExactClass = false)
{
	return static_cast<T*>(StaticFindObject(T::StaticClass(), Outer, Name, ExactClass));
}

template <typename T> T* FindObject(UObject* Outer, const FName& Name, bool ExactClass = false)
{
	return static_cast<T*>(StaticFindObjectFast(T::StaticClass(), Outer, Name, ExactClass));
}

template <typename T> T* GetMutableDefault()
{
	return T::StaticClass()->template GetDefaultObject<T>();
}

template <typename T> const T* GetDefault()
{
	return GetMutableDefault<T>();
}
