// The execute context RigVM hands to every unit, and its report path.
#pragma once

#include "CoreMinimal.h"
#include "HAL/IConsoleManager.h"
#include "RigVMCore/RigVMLog.h"
#include "RigVMModule.h"

// When on, reports that reach no attached log go to the context's log callback or to LogRigVM.
extern RIGVM_API TAutoConsoleVariable<bool> CVarRigVMReportAllMessages;

class UScriptStruct;

struct FRigVMExecuteContext
{
	// The reflected struct "RigVMExecuteContext".
	static RIGVM_API UScriptStruct* StaticStruct();

	// Receives "Instruction[%d] '%s': '%s'" texts when no log is attached and all messages are reported.
	using FLogMessageFunction = TFunction<void(
		const FRigVMLogSettings& InLogSettings, const FRigVMExecuteContext* InContext, const FString& InMessage)>;

	virtual ~FRigVMExecuteContext() = default;

	const FName& GetFunctionName() const { return FunctionName; }
	void SetFunctionName(const FName& InFunctionName) { FunctionName = InFunctionName; }
	int32 GetInstructionIndex() const { return InstructionIndex; }
	void SetInstructionIndex(int32 InInstructionIndex) { InstructionIndex = InInstructionIndex; }

	// Set while a rig module runs; prefixes the function name in reports.
	const FString& GetRigModulePrefix() const { return RigModulePrefix; }
	void SetRigModulePrefix(const FString& InPrefix) { RigModulePrefix = InPrefix; }

	FRigVMLog* GetLog() const { return Log; }
	void SetLog(FRigVMLog* InLog) { Log = InLog; }
	void SetLogMessageFunction(FLogMessageFunction InFunction) { LogMessageFunction = MoveTemp(InFunction); }

	// Hands the message to the attached log; without one, and only while CVarRigVMReportAllMessages is on, to the
	// log callback or LogRigVM (errors as errors, warnings as warnings, the rest for display); else drops it.
	void Report(const FRigVMLogSettings& InLogSettings, const FName& InFunctionName, int32 InInstructionIndex,
		const FString& InMessage) const;

	// Formats and reports with the context's own function name and instruction index, once only.
	template <typename... Types>
	void Logf(EMessageSeverity::Type InSeverity, const TCHAR* InFormat, Types... InArgs) const
	{
		Report(
			FRigVMLogSettings(InSeverity, true), FunctionName, InstructionIndex, FString::Printf(InFormat, InArgs...));
	}

private:
	FName FunctionName;
	int32 InstructionIndex = INDEX_NONE;
	FString RigModulePrefix;
	FRigVMLog* Log = nullptr;
	FLogMessageFunction LogMessageFunction;
};

// The extended context RigVM entries receive, which owns an instance of the public context.
#include "RigVMCore/RigVMExtendedExecuteContext.h"
