// The log that an execute context may carry.
#include "RigVMCore/RigVMLog.h"

void FRigVMLog::Report(const FRigVMLogSettings& InLogSettings, const FName& InFunctionName, int32 InInstructionIndex,
	const FString& InMessage)
{
	if (InLogSettings.bLogOnce)
	{
		const FString Identity =
			FString::Printf(TEXT("%s|%d|%s"), *InFunctionName.ToString(), InInstructionIndex, *InMessage);
		bool bAlreadyKnown = false;
		KnownMessages.Add(Identity, &bAlreadyKnown);
		if (bAlreadyKnown)
		{
			return;
		}
	}
	Entries.Add({InLogSettings.Severity, InFunctionName, InInstructionIndex, InMessage});
}

void FRigVMLog::Reset()
{
	Entries.Reset();
	KnownMessages.Reset();
}
