// The RigVM registry: every RigVM function by name. FRigVMRegistry_NoLock holds the functions and leaves locking to
// its caller; FRigVMRegistry_RWLock is the process-wide registry behind a reader/writer lock, taken through
// FRigVMRegistryReadLock and FRigVMRegistryWriteLock.
#pragma once

#include "CoreMinimal.h"
#include "HAL/CriticalSection.h"
#include "RigVMCore/RigVMFunction.h"

class FRigVMRegistry_NoLock
{
public:
	FRigVMRegistry_NoLock() = default;
	FRigVMRegistry_NoLock(const FRigVMRegistry_NoLock&) = delete;
	FRigVMRegistry_NoLock& operator=(const FRigVMRegistry_NoLock&) = delete;
	virtual ~FRigVMRegistry_NoLock() = default;

	// Registers the struct's function under InName. A name already registered keeps its first registration and
	// nothing changes; either way the registered function is returned.
	RIGVM_API const FRigVMFunction* RegisterCompiledInStruct_NoLock(UScriptStruct* InStruct, const TCHAR* InName,
		FRigVMFunctionPtr InFunctionPtr, const TArray<FRigVMFunctionArgument>& InArguments);

	// The function of that name, or null.
	RIGVM_API const FRigVMFunction* FindFunction_NoLock(const TCHAR* InName) const;
	// Every function in registration order. Pointers stay valid as more functions register.
	RIGVM_API TArray<const FRigVMFunction*> GetFunctions_NoLock() const;

private:
	TArray<TUniquePtr<FRigVMFunction>> Functions;
	TMap<FName, int32> FunctionIndexByName;
};

class FRigVMRegistry_RWLock : public FRigVMRegistry_NoLock
{
public:
	RIGVM_API static FRigVMRegistry_RWLock& Get();

	// Under the read lock.
	RIGVM_API const FRigVMFunction* FindFunction(const TCHAR* InName) const;
	RIGVM_API TArray<const FRigVMFunction*> GetFunctions() const;

	FRWLock& GetLock() const { return Lock; }

private:
	mutable FRWLock Lock;
};

// Holds the registry's read lock for its lifetime.
class FRigVMRegistryReadLock
{
public:
	explicit FRigVMRegistryReadLock(FRigVMRegistry_RWLock& InRegistry = FRigVMRegistry_RWLock::Get())
		: Registry(InRegistry)
	{
		Registry.GetLock().ReadLock();
	}
	~FRigVMRegistryReadLock() { Registry.GetLock().ReadUnlock(); }
	FRigVMRegistryReadLock(const FRigVMRegistryReadLock&) = delete;
	FRigVMRegistryReadLock& operator=(const FRigVMRegistryReadLock&) = delete;

	const FRigVMRegistry_NoLock& GetRegistry() const { return Registry; }

private:
	FRigVMRegistry_RWLock& Registry;
};

// Holds the registry's write lock for its lifetime.
class FRigVMRegistryWriteLock
{
public:
	explicit FRigVMRegistryWriteLock(FRigVMRegistry_RWLock& InRegistry = FRigVMRegistry_RWLock::Get())
		: Registry(InRegistry)
	{
		Registry.GetLock().WriteLock();
	}
	~FRigVMRegistryWriteLock() { Registry.GetLock().WriteUnlock(); }
	FRigVMRegistryWriteLock(const FRigVMRegistryWriteLock&) = delete;
	FRigVMRegistryWriteLock& operator=(const FRigVMRegistryWriteLock&) = delete;

	FRigVMRegistry_NoLock& GetRegistry() const { return Registry; }

private:
	FRigVMRegistry_RWLock& Registry;
};
