// The execute context of Control Rig units (the RigVM context plus the rig hierarchy and the running rig module),
// the guard that enters a rig module, and the macros units report through.
#pragma once

#include "CoreMinimal.h"
#include "RigVMCore/RigVMExecuteContext.h"

class URigHierarchy;

struct FControlRigExecuteContext : public FRigVMExecuteContext
{
public:
	// The reflected struct "ControlRigExecuteContext", derived from "RigVMExecuteContext".
	static CONTROLRIG_API UScriptStruct* StaticStruct();

	FControlRigExecuteContext() = default;

	// True while a rig module runs.
	bool IsRigModule() const { return !GetRigModulePrefix().IsEmpty(); }
	const FString& GetRigModulePrefix() const { return RigModulePrefix; }
	const FString& GetRigRootModulePrefix() const { return RigRootModulePrefix; }
	const FString& GetRigParentModulePrefix() const { return RigParentModulePrefix; }

	// The hierarchy the units read and write; units return at once when it is absent.
	URigHierarchy* Hierarchy = nullptr;

#if WITH_EDITOR
	// While a rig module runs, the function name is reported as "<module prefix> <function name>".
	virtual void Report(const FRigVMLogSettings& InLogSettings, const FName& InFunctionName, int32 InInstructionIndex,
		const FString& InMessage) const override
	{
		const FString& Prefix = GetRigModulePrefix();
		if (!Prefix.IsEmpty())
		{
			const FString Name = FString::Printf(TEXT("%s %s"), *Prefix, *InFunctionName.ToString());
			FRigVMExecuteContext::Report(InLogSettings, *Name, InInstructionIndex, InMessage);
		}
		else
		{
			FRigVMExecuteContext::Report(InLogSettings, InFunctionName, InInstructionIndex, InMessage);
		}
	}
#endif

private:
	FString RigModulePrefix;
	FString RigParentModulePrefix;
	FString RigRootModulePrefix;
	uint32 RigModulePrefixHash = 0;

	friend class FControlRigExecuteContextRigModuleGuard;
};

// Enters a rig module for its lifetime: the context reports with the module's prefix; the previous prefixes
// return on destruction.
class FControlRigExecuteContextRigModuleGuard
{
public:
	CONTROLRIG_API FControlRigExecuteContextRigModuleGuard(FControlRigExecuteContext& InContext,
		const FString& InNewModulePrefix, const FString& InNewParentModulePrefix, const FString& InNewRootModulePrefix);
	CONTROLRIG_API ~FControlRigExecuteContextRigModuleGuard();

private:
	FControlRigExecuteContext& Context;
	FString PreviousRigModulePrefix;
	FString PreviousRigParentModulePrefix;
	FString PreviousRigRootModulePrefix;
	uint32 PreviousRigModulePrefixHash;
};

// Unit bodies report through these; they compile away in builds without the editor, where the context has no
// report path.
#if WITH_EDITOR
#define UE_CONTROLRIG_RIGUNIT_REPORT(Severity, Format, ...)                                                            \
	ExecuteContext.Report(EMessageSeverity::Severity, ExecuteContext.GetFunctionName(),                                \
		ExecuteContext.GetInstructionIndex(), FString::Printf((Format), ##__VA_ARGS__));

#define UE_CONTROLRIG_RIGUNIT_LOG_MESSAGE(Format, ...) UE_CONTROLRIG_RIGUNIT_REPORT(Info, (Format), ##__VA_ARGS__)
#define UE_CONTROLRIG_RIGUNIT_REPORT_WARNING(Format, ...) UE_CONTROLRIG_RIGUNIT_REPORT(Warning, (Format), ##__VA_ARGS__)
#define UE_CONTROLRIG_RIGUNIT_REPORT_ERROR(Format, ...) UE_CONTROLRIG_RIGUNIT_REPORT(Error, (Format), ##__VA_ARGS__)
#else
#define UE_CONTROLRIG_RIGUNIT_REPORT(Severity, Format, ...)
#define UE_CONTROLRIG_RIGUNIT_LOG_MESSAGE(Format, ...)
#define UE_CONTROLRIG_RIGUNIT_REPORT_WARNING(Format, ...)
#define UE_CONTROLRIG_RIGUNIT_REPORT_ERROR(Format, ...)
#endif
