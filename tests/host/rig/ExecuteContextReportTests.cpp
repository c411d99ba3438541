// The execute context's report path: attached log, console variable, log callback and LogRigVM.
#include "CoreMinimal.h"
#include "Misc/OutputDeviceRedirector.h"
#include "QVHost/RigVMExecuteContextAccess.h"
#include "RigTestUtils.h"
#include "Units/RigUnitContext.h"

#include <gtest/gtest.h>

namespace
{
// Sets the report-all console variable for one scope.
struct FReportAllMessages
{
	explicit FReportAllMessages(bool bOn) { CVarRigVMReportAllMessages.AsVariable()->Set(bOn); }
	~FReportAllMessages() { CVarRigVMReportAllMessages.AsVariable()->Set(false); }
};

FControlRigExecuteContext MakeContext()
{
	FControlRigExecuteContext Context;
	QVHost::FRigVMExecuteContextAccess::SetFunctionName(Context, TEXT("FRigUnit_QVTest::Execute"));
	Context.InstructionIndex = 7;
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
	// The unit macro reports with the context's function name and instruction index.
	const FControlRigExecuteContext& ExecuteContext = Context;
	UE_CONTROLRIG_RIGUNIT_REPORT_ERROR(TEXT("Control '%s' was not found."), TEXT("Jaw"));

	ASSERT_EQ(Log.Entries.Num(), 4);
	EXPECT_EQ(Log.Entries[0].Severity, EMessageSeverity::Warning);
	EXPECT_EQ(Log.Entries[0].FunctionName, FName(TEXT("FRigUnit_QVTest::Execute")));
	EXPECT_EQ(Log.Entries[0].InstructionIndex, 7);
	EXPECT_EQ(Log.Entries[2].Message, FString(TEXT("value")));
	EXPECT_EQ(Log.Entries[3].Severity, EMessageSeverity::Error);
	EXPECT_EQ(Log.Entries[3].InstructionIndex, 7);
	EXPECT_TRUE(Log.Entries[3].Message.Equals(TEXT("Control 'Jaw' was not found.")));

	// Filtering by severity: the given one, and unless told otherwise the more severe ones too.
	EXPECT_EQ(Log.GetEntries().Num(), 4);
	EXPECT_EQ(Log.GetEntries(EMessageSeverity::Warning).Num(), 2);
	EXPECT_EQ(Log.GetEntries(EMessageSeverity::Warning, false).Num(), 1);

	// A once-only report is kept again after a reset.
	Log.Reset();
	Context.Report(FRigVMLogSettings(EMessageSeverity::Warning), Context.GetFunctionName(), 7, TEXT("missing"));
	EXPECT_EQ(Log.Entries.Num(), 1);
	// With a log attached nothing goes to the global log, whatever the console variable says.
	EXPECT_EQ(Capture.Lines.Num(), 0);
}

TEST(ExecuteContextReport, WithoutLogReportsAreDroppedUnlessAllMessagesAreReported)
{
	FControlRigExecuteContext Context = MakeContext();
	FLogCapture Capture;
	int32 CallbackCalls = 0;
	QVHost::FRigVMExecuteContextAccess::SetLogFunction(
		Context, [&](const FRigVMLogSettings&, const FRigVMExecuteContext*, const FString&) { ++CallbackCalls; });

	Context.Report(FRigVMLogSettings(EMessageSeverity::Error, true), Context.GetFunctionName(), 7, TEXT("dropped"));
	EXPECT_EQ(CallbackCalls, 0);
	EXPECT_EQ(Capture.Lines.Num(), 0);
}

TEST(ExecuteContextReport, AllMessagesGoToTheCallbackWithInstructionAndFunction)
{
	FControlRigExecuteContext Context = MakeContext();
	FControlRigExecuteContextRigModuleGuard ModuleGuard(Context, TEXT("Arm_L"), FString(), FString());
	FReportAllMessages ReportAll(true);
	FLogCapture Capture;
	TArray<FString> Received;
	TArray<EMessageSeverity::Type> Severities;
	QVHost::FRigVMExecuteContextAccess::SetLogFunction(Context,
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

TEST(ExecuteContextReport, LogfBypassesTheReportPath)
{
	FControlRigExecuteContext Context = MakeContext();
	FRigVMLog Log;
	Context.SetLog(&Log);
	FLogCapture Capture;

	// Neither the attached log nor the console variable plays a part: the text goes to LogRigVM with the
	// context's instruction index.
	Context.Logf(FRigVMLogSettings(EMessageSeverity::Warning), TEXT("%d of %s"), 3, TEXT("four"));
	Context.Logf(EMessageSeverity::Info, TEXT("fyi"));
	EXPECT_EQ(Log.Entries.Num(), 0);
	ASSERT_EQ(Capture.Lines.Num(), 2);
	EXPECT_TRUE(Capture.Lines[0].Text.Equals(TEXT("Instruction 7: 3 of four")));
	EXPECT_EQ(Capture.Lines[0].Verbosity, ELogVerbosity::Warning);
	EXPECT_EQ(Capture.Lines[1].Verbosity, ELogVerbosity::Display);

	// With a log function, the text goes there instead, as is.
	TArray<FString> Received;
	QVHost::FRigVMExecuteContextAccess::SetLogFunction(Context,
		[&](const FRigVMLogSettings&, const FRigVMExecuteContext*, const FString& Message) { Received.Add(Message); });
	Context.Logf(EMessageSeverity::Error, TEXT("bad %s"), TEXT("pin"));
	ASSERT_EQ(Received.Num(), 1);
	EXPECT_TRUE(Received[0].Equals(TEXT("bad pin")));
	EXPECT_EQ(Capture.Lines.Num(), 2);
}

TEST(ExecuteContextReport, ModuleGuardsNestAndRestoreThePrefix)
{
	FControlRigExecuteContext Context = MakeContext();
	FRigVMLog Log;
	Context.SetLog(&Log);
	EXPECT_FALSE(Context.IsRigModule());
	{
		FControlRigExecuteContextRigModuleGuard Outer(Context, TEXT("Body/"), FString(), TEXT("Body/"));
		{
			FControlRigExecuteContextRigModuleGuard Inner(Context, TEXT("Body/Arm/"), TEXT("Body/"), TEXT("Body/"));
			EXPECT_TRUE(Context.GetRigParentModulePrefix().Equals(TEXT("Body/")));
			Context.Report(FRigVMLogSettings(EMessageSeverity::Info), Context.GetFunctionName(), 7, TEXT("inner"));
		}
		EXPECT_TRUE(Context.GetRigModulePrefix().Equals(TEXT("Body/")));
		EXPECT_TRUE(Context.GetRigParentModulePrefix().IsEmpty());
		Context.Report(FRigVMLogSettings(EMessageSeverity::Info), Context.GetFunctionName(), 7, TEXT("outer"));
	}
	EXPECT_FALSE(Context.IsRigModule());
	Context.Report(FRigVMLogSettings(EMessageSeverity::Info), Context.GetFunctionName(), 7, TEXT("plain"));

	ASSERT_EQ(Log.Entries.Num(), 3);
	EXPECT_EQ(Log.Entries[0].FunctionName, FName(TEXT("Body/Arm/ FRigUnit_QVTest::Execute")));
	EXPECT_EQ(Log.Entries[1].FunctionName, FName(TEXT("Body/ FRigUnit_QVTest::Execute")));
	EXPECT_EQ(Log.Entries[2].FunctionName, FName(TEXT("FRigUnit_QVTest::Execute")));
}
