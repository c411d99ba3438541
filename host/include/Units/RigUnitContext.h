// The execute context of Control Rig units: the RigVM context plus the rig hierarchy.
#pragma once

#include "CoreMinimal.h"
#include "RigVMCore/RigVMExecuteContext.h"

class URigHierarchy;

struct FControlRigExecuteContext : public FRigVMExecuteContext
{
	// The reflected struct "ControlRigExecuteContext", derived from "RigVMExecuteContext".
	static CONTROLRIG_API UScriptStruct* StaticStruct();

	// The hierarchy the units read and write; units return at once when it is absent.
	URigHierarchy* Hierarchy = nullptr;

	URigHierarchy* GetHierarchy() const { return Hierarchy; }
};
