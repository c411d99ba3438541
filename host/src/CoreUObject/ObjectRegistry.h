// The host's object registry: owns every object, finds objects by outer and name, and keeps the types that
// modules registered at start-up until they are first requested. Frees every object at exit.
#pragma once

#include "CoreMinimal.h"
#include "HAL/CriticalSection.h"
#include "UObject/Object.h"

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
	// the outer; it is reserved while the constructor runs, which takes no registry lock.
	UObject* CreateObject(const FObjectConstruction& Construction, TFunctionRef<UObject*()> Construct);

	// The object of that name in the outer, without looking at pending types.
	UObject* FindRegisteredObject(const UObject* Outer, const FName& Name);
	// Same, making a pending type of that name first when Outer is its package.
	UObject* FindObject(const UObject* Outer, const FName& Name);
	bool IsNameTaken(const UObject* Outer, const FName& Name);

	// Every object in creation order (a snapshot; objects made by Operation are not visited).
	void ForEachObject(TFunctionRef<void(UObject*)> Operation);

	void AddPendingType(const FName& PackageName, const FName& TypeName, UObject* (*Register)());
	bool HasPendingTypes(const FName& PackageName);
	// Makes every pending type of the package.
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
	};

	// Takes the pending type's registration out of the list; null when there is none.
	UObject* (*TakePendingType(const FName& PackageName, const FName& TypeName))();

	FCriticalSection Lock;
	TArray<UObject*> Objects;
	TMap<FObjectKey, UObject*> ObjectsByName;
	TMap<FName, TArray<FPendingType>> PendingTypes;
	TMap<const UClass*, int32> NameNumbers;
};
