// FRigVMExecutePin: the type of execution pins, reflected as "RigVMExecutePin". It marks a pin that orders mutable
// nodes and holds no data; the engine declares it beside FRigVMExecuteContext, which derives from it there.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Class.h"

struct FRigVMExecutePin
{
	static RIGVM_API UScriptStruct* StaticStruct();

	// The engine gives the pin a virtual table so that contexts deriving from it start without padding.
	virtual ~FRigVMExecutePin() = default;
};
