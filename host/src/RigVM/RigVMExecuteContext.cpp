// Logging and the report path of the RigVM execute context.
#include "RigVMCore/RigVMExecuteContext.h"

DEFINE_LOG_CATEGORY(LogRigVM);

TAutoConsoleVariable<bool> CVarRigVMReportAllMessages(TEXT("RigVM.ReportAllMessages"), false,
	TEXT("Report every message of rig units to the log, also when no log is attached to the context."));

namespace
{
void LogToRigVM(EMessageSeverity::Type InSeverity, int32 InInstructionIndex, const FString& InMessage)
{
	if (InSeverity == EMessageSeverity::Error)
	{
		UE_LOG(LogRigVM, Error, TEXT("Instruction %d: %s"), InInstructionIndex, *InMessage);
	}
	else if (InSeverity == EMessageSeverity::Warning)
	{
		UE_LOG(LogRigVM, Warning, TEXT("Instruction %d: %s"), InInstructionIndex, *InMessage);
	}
	else
	{
		UE_LOG(LogRigVM, Display, TEXT("Instruction %d: %s"), InInstructionIndex, *InMessage);
	}
}
} // namespace

void FRigVMExecuteContext::Log(const FRigVMLogSettings& InLogSettings, const FString& InMessage) const
{
	if (RuntimeSettings.LogFunction.IsValid())
	{
		(*RuntimeSettings.LogFunction)(InLogSettings, this, InMessage);
	}
	else
	{
		LogToRigVM(InLogSettings.Severity, InstructionIndex, InMessage);
	}
}

#if WITH_EDITOR
void FRigVMExecuteContext::Report(const FRigVMLogSettings& InLogSettings, const FName& InFunctionName,
	int32 InInstructionIndex, const FString& InMessage) const
{
	if (FRigVMLog* AttachedLog = GetLog())
	{
		AttachedLog->Report(InLogSettings, InFunctionName, InInstructionIndex, InMessage);
		return;
	}
	if (!CVarRigVMReportAllMessages.GetValueOnAnyThread())
	{
		return;
	}
	if (RuntimeSettings.LogFunction.IsValid())
	{
		(*RuntimeSettings.LogFunction)(InLogSettings, this,
			FString::Printf(
				TEXT("Instruction[%d] '%s': '%s'"), InInstructionIndex, *InFunctionName.ToString(), *InMessage));
	}
	else
	{
		LogToRigVM(InLogSettings.Severity, InInstructionIndex, InMessage);
	}
}
#endif
