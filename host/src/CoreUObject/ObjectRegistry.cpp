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
		// The thread whose construction makes a pending type's object is that type's builder, however the
		// construction started (a request by name, or StaticStruct called directly).
		if (Construction.Outer != nullptr && Construction.Outer->GetOuter() == nullptr)
		{
			if (FPendingType* Type = FindPendingType(Construction.Outer->GetFName(), Construction.Name))
			{
				Type->Builder = std::this_thread::get_id();
			}
		}
	}
	return ConstructAndRegister(Key, Construction, Construct);
}

UObject* FUObjectRegistry::FindOrCreateObject(
	const FObjectConstruction& Construction, TFunctionRef<UObject*()> Construct)
{
	const FObjectKey Key{Construction.Outer, Construction.Name};
	FScopeLock ScopeLock(&Lock);
	if (UObject* const* Found = ObjectsByName.Find(Key))
	{
		checkf(*Found != nullptr, TEXT("'%s' is being made without FindOrCreateObject"), *Construction.Name.ToString());
		return *Found;
	}
	ObjectsByName.Add(Key, nullptr);
	return ConstructAndRegister(Key, Construction, Construct);
}

UObject* FUObjectRegistry::ConstructAndRegister(
	const FObjectKey& Key, const FObjectConstruction& Construction, TFunctionRef<UObject*()> Construct)
{
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
	if (Outer != nullptr && Outer->GetOuter() == nullptr)
	{
		MakePendingType(Outer->GetFName(), Name);
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
	PendingTypes.FindOrAdd(PackageName).Add(FPendingType{TypeName, Register, std::thread::id()});
}

bool FUObjectRegistry::HasPendingTypes(const FName& PackageName)
{
	FScopeLock ScopeLock(&Lock);
	const TArray<FPendingType>* Pending = PendingTypes.Find(PackageName);
	return Pending != nullptr && Pending->Num() > 0;
}

void FUObjectRegistry::RegisterPendingTypes(const FName& PackageName)
{
	for (FName TypeName = NextPendingTypeForThisThread(PackageName); !TypeName.IsNone();
		 TypeName = NextPendingTypeForThisThread(PackageName))
	{
		MakePendingType(PackageName, TypeName);
	}
}

void FUObjectRegistry::MakePendingType(const FName& PackageName, const FName& TypeName)
{
	UObject* (*Register)() = nullptr;
	{
		FScopeLock ScopeLock(&Lock);
		const FPendingType* Type = FindPendingType(PackageName, TypeName);
		// When this thread built the type, either it is looking the type up during the construction, which gets the
		// type as it stands (waiting would never end), or the construction is over.
		if (Type == nullptr || Type->Builder == std::this_thread::get_id())
		{
			return;
		}
		Register = Type->Register;
	}
	// Outside the lock, as the construction makes objects and looks other types up. When another thread is making
	// the type, this call waits for that thread to finish it.
	Register();

	FScopeLock ScopeLock(&Lock);
	if (TArray<FPendingType>* Pending = PendingTypes.Find(PackageName))
	{
		Pending->RemoveAll([&TypeName](const FPendingType& Type) { return Type.Name == TypeName; });
	}
}

FUObjectRegistry::FPendingType* FUObjectRegistry::FindPendingType(const FName& PackageName, const FName& TypeName)
{
	TArray<FPendingType>* Pending = PendingTypes.Find(PackageName);
	return Pending != nullptr
		? Pending->FindByPredicate([&TypeName](const FPendingType& Type) { return Type.Name == TypeName; })
		: nullptr;
}

FName FUObjectRegistry::NextPendingTypeForThisThread(const FName& PackageName)
{
	FScopeLock ScopeLock(&Lock);
	if (const TArray<FPendingType>* Pending = PendingTypes.Find(PackageName))
	{
		const std::thread::id ThisThread = std::this_thread::get_id();
		for (const FPendingType& Type : *Pending)
		{
			if (Type.Builder != ThisThread)
			{
				return Type.Name;
			}
		}
	}
	return NAME_None;
}

int32 FUObjectRegistry::NextNameNumber(const UClass* Class)
{
	FScopeLock ScopeLock(&Lock);
	return NameNumbers.FindOrAdd(Class, 0)++;
}
