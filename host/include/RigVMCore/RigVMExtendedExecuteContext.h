// FRigVMExtendedExecuteContext: what a RigVM entry receives; it owns an instance of the public execute context,
// of whichever reflected context struct it was initialised with.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Class.h"

struct FRigVMExecuteContext;
struct FRigVMRuntimeSettings;

struct FRigVMExtendedExecuteContext
{
	// Holds a default FRigVMExecuteContext.
	RIGVM_API FRigVMExtendedExecuteContext();
	RIGVM_API explicit FRigVMExtendedExecuteContext(const UScriptStruct* InExecuteContextStruct);
	RIGVM_API FRigVMExtendedExecuteContext(const FRigVMExtendedExecuteContext& Other);
	RIGVM_API FRigVMExtendedExecuteContext& operator=(const FRigVMExtendedExecuteContext& Other);
	RIGVM_API ~FRigVMExtendedExecuteContext();

	// Replaces the held context with a default instance of the struct (FRigVMExecuteContext or a child).
	RIGVM_API void Initialize(const UScriptStruct* InScriptStruct);

	const UScriptStruct* GetContextPublicDataStruct() const { return PublicDataStruct; }

	// Gives the held context these runtime settings (its log function among them).
	RIGVM_API void SetRuntimeSettings(FRigVMRuntimeSettings InRuntimeSettings);

	// The held context as T, unchecked.
	template <typename ExecuteContextType = FRigVMExecuteContext> ExecuteContextType& GetPublicData()
	{
		return *reinterpret_cast<ExecuteContextType*>(PublicData);
	}
	template <typename ExecuteContextType = FRigVMExecuteContext> const ExecuteContextType& GetPublicData() const
	{
		return *reinterpret_cast<const ExecuteContextType*>(PublicData);
	}

	// The held context as T; stops the program unless the held struct is T or derived from it.
	template <typename ExecuteContextType = FRigVMExecuteContext> ExecuteContextType& GetPublicDataSafe()
	{
		checkf(PublicDataStruct->IsChildOf(TBaseStructure<ExecuteContextType>::Get()),
			TEXT("The execute context '%s' is not a '%s'"), *PublicDataStruct->GetName(),
			*TBaseStructure<ExecuteContextType>::Get()->GetName());
		return GetPublicData<ExecuteContextType>();
	}
	template <typename ExecuteContextType = FRigVMExecuteContext> const ExecuteContextType& GetPublicDataSafe() const
	{
		return const_cast<FRigVMExtendedExecuteContext*>(this)->GetPublicDataSafe<ExecuteContextType>();
	}

private:
	void Release();

	const UScriptStruct* PublicDataStruct = nullptr;
	uint8* PublicData = nullptr;
};
