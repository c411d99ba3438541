// Host-only access to execute context state.
#include "QVHost/RigVMExecuteContextAccess.h"

namespace QVHost
{
void FRigVMExecuteContextAccess::SetFunctionName(FRigVMExecuteContext& InContext, const FName& InFunctionName)
{
	InContext.FunctionName = InFunctionName;
}

void FRigVMExecuteContextAccess::SetLogFunction(
	FRigVMExecuteContext& InContext, FRigVMRuntimeSettings::LogFunctionType InLogFunction)
{
	InContext.RuntimeSettings.SetLogFunction(MoveTemp(InLogFunction));
}
} // namespace QVHost
