// FRigUnit and FRigUnitMutable: the bases of Control Rig units, whose execute context is FControlRigExecuteContext.
#pragma once

#include "CoreMinimal.h"
#include "RigVMCore/RigVMStruct.h"
#include "Units/RigUnitContext.h"

struct FRigUnit : public FRigVMStruct
{
	static CONTROLRIG_API UScriptStruct* StaticStruct();

	// Runs the unit on its own pins with a default context (which has no hierarchy).
	virtual void Execute() {}

	virtual UScriptStruct* GetExecuteContextStruct() const override
	{
		return FControlRigExecuteContext::StaticStruct();
	}
};

// A unit with execution pins in and out, run where the graph's execution wires place it.
struct FRigUnitMutable : public FRigUnit
{
	static CONTROLRIG_API UScriptStruct* StaticStruct();

	// The execution pins; reflected (Input, Output) but not a pin of the unit's entry.
	FControlRigExecuteContext ExecuteContext;
};
