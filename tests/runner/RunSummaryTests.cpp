// `qvrig run --summary`: what each node changed, counted on the elements it wrote and not on those carried along,
// a node that skips its work shown as changing nothing, and the options that print frames refused beside it.
#include "RunnerTestUtils.h"

#include <gmock/gmock.h>

namespace
{
// A heel pivot with a toe pivot below it, and two foot roll nodes: the first turns the heel by the roll channel, the
// second names pivots the rig does not have, so it runs every frame and changes nothing.
const std::string SummaryRig = MakeRigText(R"(
	{ "type": "control", "name": "ik", "controlType": "EulerTransform" },
	{ "type": "control", "name": "roll", "parent": "ik", "controlType": "Float", "animationType": "AnimationChannel" },
	{ "type": "null", "name": "heel", "parent": "ik", "transform": { "translation": [0, -4, 0] } },
	{ "type": "null", "name": "toe", "parent": "heel", "transform": { "translation": [0, 26, 0] } })",
	R"(, "graph": [
		{ "unit": "RigUnit_QVReverseFootRoll", "label": "roll", "pins": { "RollChannel": "roll", "HeelRoller": "heel" } },
		{ "unit": "RigUnit_QVReverseFootRoll", "label": "misnamed", "pins": { "RollChannel": "roll", "HeelRoller": "hele" } }
	],
	"animation": { "frameRate": 24, "frameCount": 5, "tracks": [ { "control": "roll", "keys": [ [0, 0], [4, -40] ] } ] })");
} // namespace

TEST(RunSummary, CountsTheElementsANodeWroteAndShowsANodeThatSkippedAsChangingNothing)
{
	const FScratchFolder Folder;
	Folder.Write("summary.rig.json", SummaryRig);
	const std::string Rig = Folder / "summary.rig.json";
	const FCommandResult Result = RunCommandLine({"run", Rig.c_str(), "--summary"});
	ASSERT_EQ(Result.ExitCode, 0) << Result.Err;
	EXPECT_TRUE(Result.Err.empty()) << Result.Err;
	const std::vector<std::string> Lines = [&Result]()
	{
		std::vector<std::string> Split;
		std::istringstream Stream(Result.Out);
		for (std::string Line; std::getline(Stream, Line);)
		{
			Split.push_back(Line);
		}
		return Split;
	}();
	ASSERT_EQ(Lines.size(), 7u) << Result.Out;
	EXPECT_EQ(Lines[0], Rig + ": 5 frames at 24 fps, 2 units");
	EXPECT_THAT(Lines[1], ::testing::MatchesRegex("node +changed +largest move +largest turn +warnings +us/frame"));
	// The heel turns in place (40 degrees at the last frame) and carries the toe along: one element written, no
	// move of its own.
	EXPECT_THAT(
		Lines[2], ::testing::MatchesRegex("graph\\[0\\] roll +1 null +- +40\\.000 deg, null 'heel' @ 4 +0 +[0-9.]+"));
	EXPECT_THAT(Lines[3], ::testing::MatchesRegex("graph\\[1\\] misnamed +nothing +- +- +0 +[0-9.]+"));
	EXPECT_EQ(Lines[4], "1 of 2 nodes changed nothing in any frame: graph[1] misnamed");
	EXPECT_EQ(Lines[5], "reports: none");
	EXPECT_THAT(Lines[6], ::testing::StartsWith("time per frame (frame start, tracks and every node): mean "));
}

TEST(RunSummary, RefusesTheOptionsThatChooseWhatFramesShow)
{
	const char* const Rig = QV_SOURCE_DIR "/examples/foot_roll.rig.json";
	for (const std::vector<const char*>& Options : std::vector<std::vector<const char*>>{{"--format", "json"},
			 {"--elements", "heel_l_pivot"}, {"--every", "2"}, {"--pins"}, {"--show", "all"}, {"--space", "global"}})
	{
		std::vector<const char*> Arguments = {"run", Rig, "--summary"};
		Arguments.insert(Arguments.end(), Options.begin(), Options.end());
		const FCommandResult Result = RunCommandLine(Arguments);
		EXPECT_GT(Result.ExitCode, 100) << Options[0];
		EXPECT_THAT(Result.Err, ::testing::HasSubstr(std::string(Options[0]) + " excludes --summary")) << Result.Err;
		EXPECT_TRUE(Result.Out.empty());
	}
}
