// The execute context's report path: attached log, console variable, log callback and LogRigVM.
#include "CoreMinimal.h"
#include "Misc/OutputDeviceRedirector.h"
#include "Units/RigUnitContext.h"

#include <gtest/gtest.h>

namespace
{
struct FCapturedLine
{
	FString Text;
	ELogVerbosity::Type Verbosity;
	FName Category;
};

// Captures what reaches the global log while alive.
class FLogCapture : public FOutputDevice
{
public:
	FLogCapture() { GLog->AddOutputDevice(this); }
	~FLogCapture() override { GLog->RemoveOutputDevice(this); }
	void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override
	{
		Lines.Add({FString(V), Verbosity, Category});
	}
	TArray<FCapturedLine> Lines;
};

// Sets the report-all console variable for one scope.
struct FReportAllMessages
{
	explicit FReportAllMessages(bool bOn) { CVarRigVMReportAllMessages.AsVariable()->Set(bOn); }
	~FReportAllMessages() { CVarRigVMReportAllMessages.AsVariable()->Set(false); }
};

FControlRigExecuteContext MakeContext()
{
	FControlRigExecuteContext Context;
	Context.SetFunctionName(TEXT("FRigUnit_QVTest::Execute"));
	Context.SetInstructionIndex(7);
	return Context;
}
} // namespace

TEST(ExecuteContextReport, AttachedLogReceivesReportsOnceWhenFlagged)
{
	FControlRigExecuteContext Context = MakeContext();
	FRigVMLog Log;
	Context.SetLog(&Log);
	FLogCapture Capture;
	FReportAllMessages ReportAll(true);

	Context.Report(FRigVMLogSettings(EMessageSeverity::Warning, true), Context.GetFunctionName(), 7, TEXT("missing"));
	Context.Report(FRigVMLogSettings(EMessageSeverity::Warning, true), Context.GetFunctionName(), 7, TEXT("missing"));
	Context.Report(FRigVMLogSettings(EMessageSeverity::Info, false), Context.GetFunctionName(), 7, TEXT("value"));
	Context.Report(FRigVMLogSettings(EMessageSeverity::Info, false), Context.GetFunctionName(), 7, TEXT("value"));
	Context.Logf(EMessageSeverity::Warning, TEXT("Control '%s' was not found."), TEXT("Jaw"));

	ASSERT_EQ(Log.GetEntries().Num(), 4);
	EXPECT_EQ(Log.GetEntries()[0].Severity, EMessageSeverity::Warning);
	EXPECT_EQ(Log.GetEntries()[0].FunctionName, FName(TEXT("FRigUnit_QVTest::Execute")));
	EXPECT_EQ(Log.GetEntries()[0].InstructionIndex, 7);
	EXPECT_EQ(Log.GetEntries()[2].Message, FString(TEXT("value")));
	EXPECT_TRUE(Log.GetEntries()[3].Message.Equals(TEXT("Control 'Jaw' was not found.")));
	// With a log attached nothing goes to the global log, whatever the console variable says.
	EXPECT_EQ(Capture.Lines.Num(), 0);
}

TEST(ExecuteContextReport, WithoutLogReportsAreDroppedUnlessAllMessagesAreReported)
{
	FControlRigExecuteContext Context = MakeContext();
	FLogCapture Capture;
	int32 CallbackCalls = 0;
	Context.SetLogMessageFunction(
		[&](const FRigVMLogSettings&, const FRigVMExecuteContext*, const FString&) { ++CallbackCalls; });

	Context.Report(FRigVMLogSettings(EMessageSeverity::Error, true), Context.GetFunctionName(), 7, TEXT("dropped"));
	EXPECT_EQ(CallbackCalls, 0);
	EXPECT_EQ(Capture.Lines.Num(), 0);
}

TEST(ExecuteContextReport, AllMessagesGoToTheCallbackWithInstructionAndFunction)
{
	FControlRigExecuteContext Context = MakeContext();
	Context.SetRigModulePrefix(TEXT("Arm_L"));
	FReportAllMessages ReportAll(true);
	FLogCapture Capture;
	TArray<FString> Received;
	TArray<EMessageSeverity::Type> Severities;
	Context.SetLogMessageFunction(
		[&](const FRigVMLogSettings& Settings, const FRigVMExecuteContext* InContext, const FString& Message)
		{
			EXPECT_EQ(InContext, &Context);
			Received.Add(Message);
			Severities.Add(Settings.Severity);
		});

	// The log-once flag plays no part on this path.
	for (int32 Repeat = 0; Repeat < 2; ++Repeat)
	{
		Context.Report(FRigVMLogSettings(EMessageSeverity::Warning, true), Context.GetFunctionName(), 3, TEXT("hello"));
	}
	ASSERT_EQ(Received.Num(), 2);
	EXPECT_TRUE(Received[0].Equals(TEXT("Instruction[3] 'Arm_L FRigUnit_QVTest::Execute': 'hello'")));
	EXPECT_EQ(Severities[0], EMessageSeverity::Warning);
	EXPECT_EQ(Capture.Lines.Num(), 0);
}

TEST(ExecuteContextReport, AllMessagesWithoutCallbackGoToLogRigVMBySeverity)
{
	FControlRigExecuteContext Context = MakeContext();
	FReportAllMessages ReportAll(true);
	FLogCapture Capture;

	Context.Report(FRigVMLogSettings(EMessageSeverity::Error, true), Context.GetFunctionName(), 2, TEXT("bad"));
	Context.Report(FRigVMLogSettings(EMessageSeverity::Warning, true), Context.GetFunctionName(), 2, TEXT("odd"));
	Context.Report(FRigVMLogSettings(EMessageSeverity::Info, true), Context.GetFunctionName(), 2, TEXT("fyi"));
	Context.Report(
		FRigVMLogSettings(EMessageSeverity::PerformanceWarning, true), Context.GetFunctionName(), 2, TEXT("slow"));

	ASSERT_EQ(Capture.Lines.Num(), 4);
	const ELogVerbosity::Type Expected[] = {
		ELogVerbosity::Error, ELogVerbosity::Warning, ELogVerbosity::Display, ELogVerbosity::Display};
	for (int32 Index = 0; Index < 4; ++Index)
	{
		EXPECT_EQ(Capture.Lines[Index].Verbosity, Expected[Index]);
		EXPECT_EQ(Capture.Lines[Index].Category, FName(TEXT("LogRigVM")));
	}
	EXPECT_TRUE(Capture.Lines[0].Text.Equals(TEXT("Instruction 2: bad")));
	EXPECT_TRUE(Capture.Lines[3].Text.Equals(TEXT("Instruction 2: slow")));
}

TEST(ExecuteContextReport, ConsoleVariableIsFoundByName)
{
	IConsoleVariable* Variable = IConsoleManager::Get().FindConsoleVariable(TEXT("rigvm.reportallmessages"));
	ASSERT_NE(Variable, nullptr);
	EXPECT_FALSE(Variable->GetBool());
	Variable->Set(true);
	EXPECT_TRUE(CVarRigVMReportAllMessages.GetValueOnAnyThread());
	Variable->Set(false);
}
