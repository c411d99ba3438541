// Host-only access to execute context state the engine's VM sets: the running function's name and the log
// function of the runtime settings.
#pragma once

#include "CoreMinimal.h"
#include "RigVMCore/RigVMExecuteContext.h"

namespace QVHost
{
class FRigVMExecuteContextAccess
{
public:
	static void SetFunctionName(FRigVMExecuteContext& InContext, const FName& InFunctionName);
	static void SetLogFunction(FRigVMExecuteContext& InContext, FRigVMRuntimeSettings::LogFunctionType InLogFunction);
};
} // namespace QVHost
