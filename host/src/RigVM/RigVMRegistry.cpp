// The RigVM registry: functions by name, registered once.
#include "RigVMCore/RigVMRegistry.h"

const FRigVMFunction* FRigVMRegistry_NoLock::RegisterCompiledInStruct_NoLock(UScriptStruct* InStruct,
	const TCHAR* InName, FRigVMFunctionPtr InFunctionPtr, const TArray<FRigVMFunctionArgument>& InArguments)
{
	const FName Key(InName);
	if (const int32* Existing = FunctionIndexByName.Find(Key))
	{
		return Functions[*Existing].Get();
	}
	TUniquePtr<FRigVMFunction> Function = MakeUnique<FRigVMFunction>();
	Function->Name = InName;
	Function->Struct = InStruct;
	Function->FunctionPtr = InFunctionPtr;
	Function->Index = Functions.Num();
	Function->Arguments = InArguments;
	FunctionIndexByName.Add(Key, Function->Index);
	Functions.Add(MoveTemp(Function));
	return Functions.Last().Get();
}

const FRigVMFunction* FRigVMRegistry_NoLock::FindFunction_NoLock(const TCHAR* InName) const
{
	const FName Key(InName, FNAME_Find);
	const int32* Index = Key.IsNone() ? nullptr : FunctionIndexByName.Find(Key);
	return Index != nullptr ? Functions[*Index].Get() : nullptr;
}

TArray<const FRigVMFunction*> FRigVMRegistry_NoLock::GetFunctions_NoLock() const
{
	TArray<const FRigVMFunction*> Result;
	Result.Reserve(Functions.Num());
	for (const TUniquePtr<FRigVMFunction>& Function : Functions)
	{
		Result.Add(Function.Get());
	}
	return Result;
}

FRigVMRegistry_RWLock& FRigVMRegistry_RWLock::Get()
{
	static FRigVMRegistry_RWLock Registry;
	return Registry;
}

const FRigVMFunction* FRigVMRegistry_RWLock::FindFunction(const TCHAR* InName) const
{
	FReadScopeLock ReadLock(Lock);
	return FindFunction_NoLock(InName);
}

TArray<const FRigVMFunction*> FRigVMRegistry_RWLock::GetFunctions() const
{
	FReadScopeLock ReadLock(Lock);
	return GetFunctions_NoLock();
}
