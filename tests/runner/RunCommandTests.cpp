// The run command: element choice, printed frames, the units' reports after the table, and errors.
#include "QVRig/RunCommand.h"
#include "RunnerTestUtils.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <sstream>

namespace
{
struct FRunResult
{
	int32 ExitCode = 0;
	std::string Out;
	std::string Err;
};

FRunResult RunReportingRig(TArray<FString> InElements, int32 InEvery = 1)
{
	FQVRunOptions Options;
	Options.RigPath = QV_SOURCE_DIR "/tests/runner/data/reporting.rig.json";
	Options.Elements = MoveTemp(InElements);
	Options.Parts = EQVPoseParts::Translation;
	Options.Space = EQVPoseSpace::Global;
	Options.Every = InEvery;
	std::ostringstream Out;
	std::ostringstream Err;
	FRunResult Result;
	Result.ExitCode = FQVRunCommand::Run(Options, Out, Err);
	Result.Out = Out.str();
	Result.Err = Err.str();
	return Result;
}

int32 CountLines(const std::string& InText)
{
	return static_cast<int32>(std::count(InText.begin(), InText.end(), '\n'));
}
} // namespace

TEST(RunCommand, PrintsEveryNthFrameOfTheChosenElementsThenTheReportsOnce)
{
	// The unit moves the null to (0, 0, runs so far): frame 6 is its seventh run.
	const FRunResult Result = RunReportingRig({TEXT("null:hip")}, 3);
	EXPECT_EQ(Result.ExitCode, 0) << Result.Err;
	EXPECT_TRUE(Result.Err.empty());
	// A summary, two header lines, frames 0, 3 and 6, and the report, kept once though made every frame.
	EXPECT_EQ(CountLines(Result.Out), 7) << Result.Out;
	EXPECT_THAT(Result.Out, ::testing::HasSubstr("7 frames at 30 fps, 1 unit, global space"));
	EXPECT_THAT(Result.Out, ::testing::HasSubstr("\n     6 |    0.000    0.000    7.000\n"));
	EXPECT_THAT(Result.Out,
		::testing::EndsWith("warning (frame 0, graph[0] RigUnit_QVRunnerTest 'probe'): checking: mode 4\n"));
}

TEST(RunCommand, RefusesElementNamesThatDoNotPickOneElement)
{
	// "hip" names a bone and a null.
	FRunResult Result = RunReportingRig({TEXT("hip")});
	EXPECT_EQ(Result.ExitCode, 1);
	EXPECT_TRUE(Result.Out.empty());
	EXPECT_THAT(Result.Err, ::testing::HasSubstr("the name 'hip' is ambiguous: it names bone 'hip' and null 'hip'"));

	Result = RunReportingRig({TEXT("control:hip")});
	EXPECT_EQ(Result.ExitCode, 1);
	EXPECT_THAT(Result.Err, ::testing::HasSubstr("there is no control 'hip'"));

	Result = RunReportingRig({TEXT("slider"), TEXT("bone:HIP")});
	EXPECT_EQ(Result.ExitCode, 0) << Result.Err;
	EXPECT_THAT(Result.Out, ::testing::HasSubstr("slider |"));
}
