// The object registry: ownership, look-up by outer and name, and the start-up registrations of script packages.
#include "ObjectRegistry.h"

#include "UObject/Class.h"

namespace
{
thread_local FObjectConstruction* GPendingConstruction = nullptr;
}

FObjectConstruction* TakePendingObjectConstruction()
{
	FObjectConstruction* Construction = GPendingConstruction;
	GPendingConstruction = nullptr;
	return Construction;
}

FUObjectRegistry& FUObjectRegistry::Get()
{
	static FUObjectRegistry Registry;
	return Registry;
}

FUObjectRegistry::~FUObjectRegistry()
{
	// Newest first, so an object goes before the class and outer it was made with.
	for (int32 Index = Objects.Num() - 1; Index >= 0; --Index)
	{
		delete Objects[Index];
	}
}

UObject* FUObjectRegistry::CreateObject(const FObjectConstruction& Construction, TFunctionRef<UObject*()> Construct)
{
	const FObjectKey Key{Construction.Outer, Construction.Name};
	{
		FScopeLock ScopeLock(&Lock);
		checkf(!ObjectsByName.Contains(Key), TEXT("An object named '%s' already exists in that outer"),
			*Construction.Name.ToString());
		ObjectsByName.Add(Key, nullptr);
	}

	FObjectConstruction LocalConstruction = Construction;
	FObjectConstruction* const OuterConstruction = GPendingConstruction;
	GPendingConstruction = &LocalConstruction;
	UObject* Object = Construct();
	GPendingConstruction = OuterConstruction;

	FScopeLock ScopeLock(&Lock);
	if (Object == nullptr)
	{
		ObjectsByName.Remove(Key);
		return nullptr;
	}
	checkf(Object->GetFName() == Construction.Name && Object->GetOuter() == Construction.Outer,
		TEXT("The constructor of '%s' did not take its construction"), *Construction.Name.ToString());
	ObjectsByName.Add(Key, Object);
	Objects.Add(Object);
	return Object;
}

UObject* FUObjectRegistry::FindRegisteredObject(const UObject* Outer, const FName& Name)
{
	FScopeLock ScopeLock(&Lock);
	UObject* const* Found = ObjectsByName.Find(FObjectKey{Outer, Name});
	return Found != nullptr ? *Found : nullptr;
}

bool FUObjectRegistry::IsNameTaken(const UObject* Outer, const FName& Name)
{
	FScopeLock ScopeLock(&Lock);
	return ObjectsByName.Contains(FObjectKey{Outer, Name});
}

UObject* FUObjectRegistry::FindObject(const UObject* Outer, const FName& Name)
{
	if (UObject* Found = FindRegisteredObject(Outer, Name))
	{
		return Found;
	}
	if (Outer == nullptr || Outer->GetOuter() != nullptr)
	{
		return nullptr;
	}
	// Made outside the lock: a type's construction takes other locks (the RigVM registry's) and makes objects.
	if (UObject * (*Register)() = TakePendingType(Outer->GetFName(), Name))
	{
		Register();
	}
	return FindRegisteredObject(Outer, Name);
}

void FUObjectRegistry::ForEachObject(TFunctionRef<void(UObject*)> Operation)
{
	TArray<UObject*> Snapshot;
	{
		FScopeLock ScopeLock(&Lock);
		Snapshot = Objects;
	}
	for (UObject* Object : Snapshot)
	{
		Operation(Object);
	}
}

void FUObjectRegistry::AddPendingType(const FName& PackageName, const FName& TypeName, UObject* (*Register)())
{
	FScopeLock ScopeLock(&Lock);
	PendingTypes.FindOrAdd(PackageName).Add(FPendingType{TypeName, Register});
}

bool FUObjectRegistry::HasPendingTypes(const FName& PackageName)
{
	FScopeLock ScopeLock(&Lock);
	const TArray<FPendingType>* Pending = PendingTypes.Find(PackageName);
	return Pending != nullptr && Pending->Num() > 0;
}

void FUObjectRegistry::RegisterPendingTypes(const FName& PackageName)
{
	TArray<FPendingType> Pending;
	{
		FScopeLock ScopeLock(&Lock);
		if (TArray<FPendingType>* Found = PendingTypes.Find(PackageName))
		{
			Pending = MoveTemp(*Found);
			Found->Reset();
		}
	}
	for (const FPendingType& Type : Pending)
	{
		Type.Register();
	}
}

UObject* (*FUObjectRegistry::TakePendingType(const FName& PackageName, const FName& TypeName))()
{
	FScopeLock ScopeLock(&Lock);
	TArray<FPendingType>* Pending = PendingTypes.Find(PackageName);
	if (Pending == nullptr)
	{
		return nullptr;
	}
	const int32 Index =
		Pending->IndexOfByPredicate([&TypeName](const FPendingType& Type) { return Type.Name == TypeName; });
	if (Index == INDEX_NONE)
	{
		return nullptr;
	}
	UObject* (*Register)() = (*Pending)[Index].Register;
	Pending->RemoveAt(Index);
	return Register;
}

int32 FUObjectRegistry::NextNameNumber(const UClass* Class)
{
	FScopeLock ScopeLock(&Lock);
	return NameNumbers.FindOrAdd(Class, 0)++;
}
