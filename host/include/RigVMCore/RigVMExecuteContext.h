// The execute context RigVM hands to every unit: the running function and instruction, logging, and (in editor
// builds) the report path to an attached log.
#pragma once

#include "CoreMinimal.h"
#include "HAL/IConsoleManager.h"
#include "RigVMCore/RigVMLog.h"
#include "RigVMModule.h"

// When on, reports that reach no attached log go to the log function or to LogRigVM.
extern RIGVM_API TAutoConsoleVariable<bool> CVarRigVMReportAllMessages;

class UScriptStruct;
struct FRigVMExecuteContext;

namespace QVHost
{
class FRigVMExecuteContextAccess;
}

struct FRigVMRuntimeSettings
{
	// The largest array a rig may create or address.
	int32 MaximumArraySize = 2048;

	// Receives what the context logs, instead of LogRigVM.
	using LogFunctionType = TFunction<void(const FRigVMLogSettings&, const FRigVMExecuteContext*, const FString&)>;
	TSharedPtr<LogFunctionType> LogFunction = nullptr;

	void SetLogFunction(LogFunctionType InLogFunction) { LogFunction = MakeShared<LogFunctionType>(InLogFunction); }

	void Validate() { MaximumArraySize = FMath::Clamp(MaximumArraySize, 1, INT32_MAX); }
};

// The type of execution pins, reflected as "RigVMExecutePin": it orders mutable nodes and holds no data. Execute
// contexts are kinds of it.
struct FRigVMExecutePin
{
	static RIGVM_API UScriptStruct* StaticStruct();

	// A virtual table, so that the contexts deriving from it start without padding, as in the engine.
	virtual ~FRigVMExecutePin() = default;
};

struct FRigVMExecuteContext : public FRigVMExecutePin
{
	// The reflected struct "RigVMExecuteContext".
	static RIGVM_API UScriptStruct* StaticStruct();

	FRigVMExecuteContext() = default;

	// To the runtime settings' log function, or else to LogRigVM as "Instruction %d: %s" (errors as errors,
	// warnings as warnings, the rest for display).
	RIGVM_API virtual void Log(const FRigVMLogSettings& InLogSettings, const FString& InMessage) const;

	template <typename... Types>
	void Logf(const FRigVMLogSettings& InLogSettings, const TCHAR* InFormat, Types... InArgs) const
	{
		Log(InLogSettings, FString::Printf(InFormat, InArgs...));
	}

	int32 GetInstructionIndex() const { return InstructionIndex; }
	FName GetFunctionName() const { return FunctionName; }

#if WITH_EDITOR
	FRigVMLog* GetLog() const
	{
		return LogPtr;
	}
	void SetLog(FRigVMLog* InLog)
	{
		LogPtr = InLog;
	}

	// Hands the message to the attached log; without one, and only while CVarRigVMReportAllMessages is on, the
	// text "Instruction[%d] '%s': '%s'" goes to the log function, or else "Instruction %d: %s" to LogRigVM by
	// severity; otherwise the report is dropped.
	RIGVM_API virtual void Report(const FRigVMLogSettings& InLogSettings, const FName& InFunctionName,
		int32 InInstructionIndex, const FString& InMessage) const;
#endif

	int32 InstructionIndex = 0;

protected:
	FName FunctionName;
	FRigVMRuntimeSettings RuntimeSettings;
#if WITH_EDITOR
	FRigVMLog* LogPtr = nullptr;
#endif

	friend struct FRigVMExtendedExecuteContext;
	friend class QVHost::FRigVMExecuteContextAccess;
};

// The extended context RigVM entries receive, which owns an instance of the public context.
#include "RigVMCore/RigVMExtendedExecuteContext.h"
