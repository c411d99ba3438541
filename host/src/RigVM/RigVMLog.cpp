// The log that an execute context may carry.
#include "RigVMCore/RigVMLog.h"

#if WITH_EDITOR
TArray<FRigVMLog::FLogEntry> FRigVMLog::GetEntries(EMessageSeverity::Type InSeverity, bool bIncludeHigherSeverity)
{
	TArray<FLogEntry> Result;
	for (const FLogEntry& Entry : Entries)
	{
		// Lower severity values are more severe.
		if (bIncludeHigherSeverity ? Entry.Severity <= InSeverity : Entry.Severity == InSeverity)
		{
			Result.Add(Entry);
		}
	}
	return Result;
}
#endif

void FRigVMLog::Reset()
{
#if WITH_EDITOR
	Entries.Reset();
	KnownMessages.Reset();
#endif
}

void FRigVMLog::Report(const FRigVMLogSettings& InLogSettings, const FName& InFunctionName, int32 InInstructionIndex,
	const FString& InMessage)
{
#if WITH_EDITOR
	if (InLogSettings.bLogOnce)
	{
		const FString Identity =
			FString::Printf(TEXT("%s|%d|%s"), *InFunctionName.ToString(), InInstructionIndex, *InMessage);
		if (KnownMessages.Contains(Identity))
		{
			return;
		}
		KnownMessages.Add(Identity, true);
	}
	Entries.Add(FLogEntry(InLogSettings.Severity, InFunctionName, InInstructionIndex, InMessage));
#endif
}
