// A log attached to an execute context: it keeps every report it receives.
#pragma once

#include "CoreMinimal.h"
#include "Logging/TokenizedMessage.h"

struct FRigVMLogSettings
{
	EMessageSeverity::Type Severity = EMessageSeverity::Info;
	// Reports flagged so are kept once per function, instruction and text.
	bool bLogOnce = true;

	FRigVMLogSettings() = default;
	FRigVMLogSettings(EMessageSeverity::Type InSeverity, bool bInLogOnce) : Severity(InSeverity), bLogOnce(bInLogOnce)
	{
	}
};

class FRigVMLog
{
public:
	struct FLogEntry
	{
		EMessageSeverity::Type Severity = EMessageSeverity::Info;
		FName FunctionName;
		int32 InstructionIndex = INDEX_NONE;
		FString Message;
	};

	virtual ~FRigVMLog() = default;

	virtual void Report(const FRigVMLogSettings& InLogSettings, const FName& InFunctionName, int32 InInstructionIndex,
		const FString& InMessage);

	const TArray<FLogEntry>& GetEntries() const { return Entries; }
	// Forgets the entries and the once-only messages already seen.
	void Reset();

private:
	TArray<FLogEntry> Entries;
	TSet<FString> KnownMessages;
};
