// The log an execute context may carry (editor builds keep its entries), and the settings of one report.
#pragma once

#include "CoreMinimal.h"
#include "Logging/TokenizedMessage.h"

struct FRigVMLogSettings
{
	FRigVMLogSettings(EMessageSeverity::Type InSeverity, bool InLogOnce = true)
		: Severity(InSeverity), bLogOnce(InLogOnce)
	{
	}

	EMessageSeverity::Type Severity;
	// Reports flagged so are kept once per function, instruction and text.
	bool bLogOnce;
};

struct FRigVMLog
{
public:
	FRigVMLog() {}
	virtual ~FRigVMLog() = default;

#if WITH_EDITOR
	struct FLogEntry
	{
		FLogEntry(EMessageSeverity::Type InSeverity, const FName& InFunctionName, int32 InInstructionIndex,
			const FString& InMessage)
			: Severity(InSeverity), FunctionName(InFunctionName), InstructionIndex(InInstructionIndex),
			  Message(InMessage)
		{
		}

		EMessageSeverity::Type Severity;
		FName FunctionName;
		int32 InstructionIndex;
		FString Message;
	};
	// Every kept report, in report order.
	TArray<FLogEntry> Entries;
	// The once-only reports seen so far ("function|instruction|text").
	TMap<FString, bool> KnownMessages;

	// The entries of the given severity, and with bIncludeHigherSeverity those more severe too.
	RIGVM_API TArray<FLogEntry> GetEntries(
		EMessageSeverity::Type InSeverity = EMessageSeverity::Info, bool bIncludeHigherSeverity = true);
#endif

	// Forgets the entries and the once-only reports already seen.
	RIGVM_API virtual void Reset();
	RIGVM_API virtual void Report(const FRigVMLogSettings& InLogSettings, const FName& InFunctionName,
		int32 InInstructionIndex, const FString& InMessage);
};
