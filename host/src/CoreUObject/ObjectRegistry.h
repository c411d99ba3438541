// The host's object registry: owns every object, finds objects by outer and name, and keeps the types that
// modules registered at start-up until they are first requested. Frees every object at exit.
//
// A registered type is made by its registration function, which returns the type from a function-local static
// (StaticStruct, StaticClass, StaticEnum). The type object exists, findable by name, before its construction ends
// (fields, functions and RigVM registration come after), so the registry keeps the type's record until a
// registration call has returned. A request from another thread meanwhile calls the registration function too,
// which waits on that static for the construction to end; a request from the thread making the type, made during
// the construction, gets the type as it stands rather than waiting for itself.
#pragma once

#include "CoreMinimal.h"
#include "HAL/CriticalSection.h"
#include "UObject/Object.h"

#include <thread>

class UClass;

// What NewObject hands the object's constructor: UObject's constructor takes it.
struct FObjectConstruction
{
	UClass* Class = nullptr;
	UObject* Outer = nullptr;
	FName Name;
	EObjectFlags Flags = RF_NoFlags;
};

// The construction in progress on this thread, cleared once taken.
FObjectConstruction* TakePendingObjectConstruction();

class FUObjectRegistry
{
public:
	static FUObjectRegistry& Get();
	~FUObjectRegistry();

	// Constructs an object with Construct (which news the C++ object) and registers it. The name must be free in
	// the outer; it is reserved while the constructor runs, which takes no registry lock. Making a pending type's
	// object records this thread as its builder.
	UObject* CreateObject(const FObjectConstruction& Construction, TFunctionRef<UObject*()> Construct);
	// The object of that name in the outer, or one made by Construct, as one step: concurrent callers get the same
	// object. Construct runs under the registry lock, so it must do nothing but new the C++ object.
	UObject* FindOrCreateObject(const FObjectConstruction& Construction, TFunctionRef<UObject*()> Construct);

	// The object of that name in the outer, without looking at pending types.
	UObject* FindRegisteredObject(const UObject* Outer, const FName& Name);
	// Same, first making (or waiting for) a pending type of that name when Outer is its package.
	UObject* FindObject(const UObject* Outer, const FName& Name);
	bool IsNameTaken(const UObject* Outer, const FName& Name);

	// Every object in creation order (a snapshot; objects made by Operation are not visited).
	void ForEachObject(TFunctionRef<void(UObject*)> Operation);

	void AddPendingType(const FName& PackageName, const FName& TypeName, UObject* (*Register)());
	bool HasPendingTypes(const FName& PackageName);
	// Makes (or waits for) every pending type of the package.
	void RegisterPendingTypes(const FName& PackageName);

	int32 NextNameNumber(const UClass* Class);

private:
	struct FObjectKey
	{
		const UObject* Outer;
		FName Name;

		bool operator==(const FObjectKey& Other) const { return Outer == Other.Outer && Name == Other.Name; }
		friend uint32 GetTypeHash(const FObjectKey& Key) { return PointerHash(Key.Outer, GetTypeHash(Key.Name)); }
	};

	struct FPendingType
	{
		FName Name;
		UObject* (*Register)();
		// The thread whose construction made the type's object; none until one has.
		std::thread::id Builder;
	};

	UObject* ConstructAndRegister(
		const FObjectKey& Key, const FObjectConstruction& Construction, TFunctionRef<UObject*()> Construct);
	// Ensures the pending type is fully made, unless this thread built it; it stops being pending then.
	void MakePendingType(const FName& PackageName, const FName& TypeName);
	// Under the lock.
	FPendingType* FindPendingType(const FName& PackageName, const FName& TypeName);
	// The first pending type of the package that this thread did not build; None when there is none.
	FName NextPendingTypeForThisThread(const FName& PackageName);

	FCriticalSection Lock;
	TArray<UObject*> Objects;
	TMap<FObjectKey, UObject*> ObjectsByName;
	TMap<FName, TArray<FPendingType>> PendingTypes;
	TMap<const UClass*, int32> NameNumbers;
};
