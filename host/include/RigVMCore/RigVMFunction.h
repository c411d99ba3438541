// A RigVM function: the entry of a RigVM struct (a unit), with its name and the arguments it reads from handles.
#pragma once

#include "CoreMinimal.h"
#include "RigVMCore/RigVMExecuteContext.h"
#include "RigVMCore/RigVMMemoryCommon.h"
#include "RigVMCore/RigVMPredicateBranch.h"

class UScriptStruct;

typedef void (*FRigVMFunctionPtr)(FRigVMExtendedExecuteContext& RigVMExecuteContext,
	FRigVMMemoryHandleArray RigVMMemoryHandles, FRigVMPredicateBranchArray RigVMPredicateBranches);

enum class ERigVMPinDirection : uint8
{
	Input,
	Output,
	// Read and written.
	IO,
	// An input that is not linked, only set.
	Visible,
	// Neither input nor output: state the unit keeps between evaluations.
	Hidden,
	Invalid
};

// One pin the entry reads from its handles, in handle order.
struct FRigVMFunctionArgument
{
	FString Name;
	FString Type;
	ERigVMPinDirection Direction = ERigVMPinDirection::Invalid;
};

struct FRigVMFunction
{
	// "FRigUnit_X::Execute"
	FString Name;
	UScriptStruct* Struct = nullptr;
	FRigVMFunctionPtr FunctionPtr = nullptr;
	// Position in the registry.
	int32 Index = INDEX_NONE;
	TArray<FRigVMFunctionArgument> Arguments;

	bool IsValid() const { return !Name.IsEmpty() && FunctionPtr != nullptr; }
	FString GetName() const { return Name; }
	// "Execute"
	RIGVM_API FName GetMethodName() const;
	const TArray<FRigVMFunctionArgument>& GetArguments() const { return Arguments; }
};
