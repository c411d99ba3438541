// FRigVMStruct: the base of every struct RigVM can run (rig units), reflected as "RigVMStruct".
#pragma once

#include "CoreMinimal.h"
#include "RigVMCore/RigVMExecuteContext.h"
#include "RigVMCore/RigVMFunction.h"
#include "RigVMCore/RigVMMemoryCommon.h"
#include "RigVMCore/RigVMPredicateBranch.h"
#include "UObject/Class.h"
#include "UObject/ObjectMacros.h"

struct FRigVMStruct
{
	static RIGVM_API UScriptStruct* StaticStruct();

	virtual ~FRigVMStruct() = default;

	// The execute context the struct's RigVM entry expects; a unit's generated body overrides it.
	virtual const UScriptStruct* GetExecuteContextStruct() const { return FRigVMExecuteContext::StaticStruct(); }

	// Runs the struct on its own pins with a default context (which has no hierarchy).
	virtual void Execute() {}
};
