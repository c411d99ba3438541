// The examples' evaluated poses and unit output pins, digit for digit as recorded in tests/runner/data/pinned: work on
// the host's containers or a unit's speed must not move a single bit of what riggers get. After a deliberate change
// of results, rewrite the recordings with QV_RECORD_PINNED=1 and review their diff.
#include "RunnerTestUtils.h"

#include <cstdlib>

namespace
{
const char* const PinnedExamples[] = {"foot_roll", "spine", "arm", "face"};

// The run's JSON document without its "rig" member, which holds the path the example was read from.
std::string WithoutRigPath(const std::string& InDocument)
{
	const size_t Start = InDocument.find("\t\"rig\": ");
	if (Start == std::string::npos)
	{
		return InDocument;
	}
	return InDocument.substr(0, Start) + InDocument.substr(InDocument.find('\n', Start) + 1);
}

std::string ReadFile(const std::string& InPath)
{
	std::ifstream Stream(InPath, std::ios::binary);
	std::ostringstream Text;
	Text << Stream.rdbuf();
	return Text.str();
}
} // namespace

TEST(PinnedResults, EveryExampleEvaluatesToItsRecordedNumbers)
{
	const bool bRecord = std::getenv("QV_RECORD_PINNED") != nullptr;
	for (const char* Example : PinnedExamples)
	{
		SCOPED_TRACE(Example);
		const std::string Rig = std::string(QV_SOURCE_DIR "/examples/") + Example + ".rig.json";
		const std::string Pinned = std::string(QV_SOURCE_DIR "/tests/runner/data/pinned/") + Example + ".json";
		// Every frame is evaluated (the pose carries over); every eighth is recorded, globally, with the pins.
		const FCommandResult Result =
			RunCommandLine({"run", Rig.c_str(), "--format", "json", "--space", "global", "--every", "8", "--pins"});
		ASSERT_EQ(Result.ExitCode, 0) << Result.Err;
		const std::string Evaluated = WithoutRigPath(Result.Out);
		if (bRecord)
		{
			std::ofstream(Pinned, std::ios::binary) << Evaluated;
			continue;
		}
		const std::string Recorded = ReadFile(Pinned);
		ASSERT_FALSE(Recorded.empty()) << Pinned << " is missing";
		// Compared line by line, so a failure names the first line that moved rather than printing both documents.
		std::istringstream EvaluatedLines(Evaluated);
		std::istringstream RecordedLines(Recorded);
		std::string EvaluatedLine;
		std::string RecordedLine;
		for (int32 Line = 1; std::getline(RecordedLines, RecordedLine); ++Line)
		{
			ASSERT_TRUE(std::getline(EvaluatedLines, EvaluatedLine)) << "the output ends before line " << Line;
			ASSERT_EQ(EvaluatedLine, RecordedLine) << "line " << Line;
		}
		EXPECT_FALSE(std::getline(EvaluatedLines, EvaluatedLine)) << "the output goes on past the recording";
	}
}
