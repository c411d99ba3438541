// `qvrig run --profile`: a line per unit node on standard error, the output itself unchanged, and the summaries.
#include "QVRig/NodeProfile.h"
#include "RunnerTestUtils.h"

#include <gmock/gmock.h>
#include <regex>

namespace
{
const char* const ExportRig = QV_SOURCE_DIR "/tests/runner/data/export.rig.json";
} // namespace

TEST(RunProfile, PrintsEveryNodeAndWholeFramesToStandardErrorAndLeavesTheOutputAlone)
{
	for (const char* Format : {"table", "json", "csv"})
	{
		const FCommandResult Plain = RunCommandLine({"run", ExportRig, "--format", Format});
		const FCommandResult Profiled = RunCommandLine({"run", ExportRig, "--format", Format, "--profile"});
		ASSERT_EQ(Profiled.ExitCode, 0) << Profiled.Err;
		EXPECT_EQ(Profiled.Out, Plain.Out) << Format;
		EXPECT_EQ(Plain.Err, "");

		// Three numbers per line, microseconds: the mean, the median and the worst.
		const std::string Number = R"( +([0-9]+\.[0-9]{3}))";
		const std::regex Row(
			"(graph\\[0\\] RigUnit_QVRunnerTestTurn 'turn the spine'|graph\\[1\\] RigUnit_QVRunnerTest "
			"'lift the probe'|whole frame \\(frame start, tracks, every node\\))" +
			Number + Number + Number + "\n");
		EXPECT_THAT(Profiled.Err, ::testing::StartsWith("profile: time per frame in microseconds over 5 frames\n"));
		int32 Rows = 0;
		for (std::sregex_iterator Match(Profiled.Err.begin(), Profiled.Err.end(), Row), End; Match != End; ++Match)
		{
			++Rows;
			const double Mean = std::stod((*Match)[2]);
			const double Median = std::stod((*Match)[3]);
			const double Worst = std::stod((*Match)[4]);
			EXPECT_LE(Mean, Worst);
			EXPECT_LE(Median, Worst);
			EXPECT_GT(Worst, 0.0);
		}
		EXPECT_EQ(Rows, 3) << Profiled.Err;
	}
}

TEST(RunProfile, SummariesAreTheMeanTheMedianAndTheWorst)
{
	FQVNodeProfile::FSummary Summary = FQVNodeProfile::Summarize({3.0, 1.0, 2.0, 10.0, 4.0});
	EXPECT_DOUBLE_EQ(Summary.Mean, 4.0);
	EXPECT_DOUBLE_EQ(Summary.Median, 3.0);
	EXPECT_DOUBLE_EQ(Summary.Worst, 10.0);
	// An even count's median is the mean of the middle two.
	Summary = FQVNodeProfile::Summarize({4.0, 1.0, 3.0, 2.0});
	EXPECT_DOUBLE_EQ(Summary.Median, 2.5);
	Summary = FQVNodeProfile::Summarize({});
	EXPECT_EQ(Summary.Worst, 0.0);

	// Times are kept per node.
	FQVNodeProfile Profile(2);
	Profile.AddNodeTime(1, std::chrono::microseconds(5));
	Profile.AddNodeTime(0, std::chrono::microseconds(1));
	Profile.AddNodeTime(1, std::chrono::microseconds(7));
	EXPECT_DOUBLE_EQ(Profile.SummarizeNode(0).Worst, 1e-6);
	EXPECT_DOUBLE_EQ(Profile.SummarizeNode(1).Mean, 6e-6);
}
