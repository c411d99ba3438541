// Entering and leaving rig modules on the Control Rig execute context.
#include "Units/RigUnitContext.h"

FControlRigExecuteContextRigModuleGuard::FControlRigExecuteContextRigModuleGuard(FControlRigExecuteContext& InContext,
	const FString& InNewModulePrefix, const FString& InNewParentModulePrefix, const FString& InNewRootModulePrefix)
	: Context(InContext), PreviousRigModulePrefix(InContext.RigModulePrefix),
	  PreviousRigParentModulePrefix(InContext.RigParentModulePrefix),
	  PreviousRigRootModulePrefix(InContext.RigRootModulePrefix),
	  PreviousRigModulePrefixHash(InContext.RigModulePrefixHash)
{
	Context.RigModulePrefix = InNewModulePrefix;
	Context.RigParentModulePrefix = InNewParentModulePrefix;
	Context.RigRootModulePrefix = InNewRootModulePrefix;
	Context.RigModulePrefixHash = GetTypeHash(Context.RigModulePrefix);
}

FControlRigExecuteContextRigModuleGuard::~FControlRigExecuteContextRigModuleGuard()
{
	Context.RigModulePrefix = PreviousRigModulePrefix;
	Context.RigParentModulePrefix = PreviousRigParentModulePrefix;
	Context.RigRootModulePrefix = PreviousRigRootModulePrefix;
	Context.RigModulePrefixHash = PreviousRigModulePrefixHash;
}
