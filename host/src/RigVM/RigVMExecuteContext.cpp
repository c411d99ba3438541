// The report path of the RigVM execute context.
#include "RigVMCore/RigVMExecuteContext.h"

DEFINE_LOG_CATEGORY(LogRigVM);

TAutoConsoleVariable<bool> CVarRigVMReportAllMessages(TEXT("RigVM.ReportAllMessages"), false,
	TEXT("Report every message of rig units to the log, also when no log is attached to the context."));

void FRigVMExecuteContext::Report(const FRigVMLogSettings& InLogSettings, const FName& InFunctionName,
	int32 InInstructionIndex, const FString& InMessage) const
{
	FName Function = InFunctionName;
	if (!RigModulePrefix.IsEmpty())
	{
		Function = FName(FString::Printf(TEXT("%s %s"), *RigModulePrefix, *InFunctionName.ToString()));
	}

	if (Log != nullptr)
	{
		Log->Report(InLogSettings, Function, InInstructionIndex, InMessage);
		return;
	}

	if (!CVarRigVMReportAllMessages.GetValueOnAnyThread())
	{
		return;
	}

	const FString Text =
		FString::Printf(TEXT("Instruction[%d] '%s': '%s'"), InInstructionIndex, *Function.ToString(), *InMessage);
	if (LogMessageFunction)
	{
		LogMessageFunction(InLogSettings, this, Text);
	}
	else if (InLogSettings.Severity == EMessageSeverity::Error)
	{
		UE_LOG(LogRigVM, Error, TEXT("Instruction %d: %s"), InInstructionIndex, *InMessage);
	}
	else if (InLogSettings.Severity == EMessageSeverity::Warning)
	{
		UE_LOG(LogRigVM, Warning, TEXT("Instruction %d: %s"), InInstructionIndex, *InMessage);
	}
	else
	{
		UE_LOG(LogRigVM, Display, TEXT("Instruction %d: %s"), InInstructionIndex, *InMessage);
	}
}
