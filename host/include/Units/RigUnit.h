// FRigUnit and FRigUnitMutable: the bases of Control Rig units. Each unit's generated body names its execute context
// (FControlRigExecuteContext for Control Rig units) and declares the entry RigVM calls.
#pragma once

#include "CoreMinimal.h"
#include "RigVMCore/RigVMStruct.h"
#include "Units/RigUnitContext.h"

struct FRigUnit : public FRigVMStruct
{
	static CONTROLRIG_API UScriptStruct* StaticStruct();
};

// A unit with execution pins in and out, run where the graph's execution wires place it.
struct FRigUnitMutable : public FRigUnit
{
	static CONTROLRIG_API UScriptStruct* StaticStruct();

	// Chains mutable units together; reflected (Input, Output) but not a pin of the unit's entry, and holds no data.
	FRigVMExecutePin ExecutePin;
};
