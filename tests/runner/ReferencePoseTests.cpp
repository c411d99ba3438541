// `qvrig compare` and reference pose tables: the shipped foot roll table holds and its perturbed copy fails, tables
// the runner writes read back to its own transforms, Maya's conventions convert as worked out by hand, and bad
// tables fail with their file and JSON path.
#include "RunnerTestUtils.h"

#include <gmock/gmock.h>
#include <nlohmann/json.hpp>
#include <utility>

namespace
{
const char* const FootRollRig = QV_SOURCE_DIR "/examples/foot_roll.rig.json";
const char* const FootRollReference = QV_SOURCE_DIR "/examples/foot_roll.reference.json";
const char* const PerturbedReference = QV_SOURCE_DIR "/tests/runner/data/foot_roll_perturbed.reference.json";
const char* const ExportRig = QV_SOURCE_DIR "/tests/runner/data/export.rig.json";

// Frames 0 and 4 of the export rig as a default Maya scene holds them (Y up, centimetres): the hips 100 cm up; the
// arm 100 cm forward (engine X, Maya X), then at frame 4 turned 90 degrees to the right (engine Z up, Maya Y up:
// -90 degrees about Y), scaled by 2 and 200 cm to the right (engine Y, Maya Z), as a world matrix whose rows are
// its scaled axes; the probe at (0, 3, runs) in the engine.
const char* const MayaYUpTable = R"({
	"format": "quorvel-reference-poses", "version": 1, "source": "worked out by hand",
	"upAxis": "y", "linearUnit": "cm", "frameRate": 2,
	"elements": [ { "name": "hips" }, { "name": "arm", "type": "null" }, { "name": "probe", "rotateOrder": "zyx" } ],
	"frames": [
		{ "frame": 0, "poses": [
			{ "translate": [0, 100, 0], "rotate": [0, 0, 0], "scale": [1, 1, 1] },
			{ "matrix": [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 100, 0, 0, 1] },
			{ "translate": [0, 1, 3], "rotate": [0, 0, 0] } ] },
		{ "frame": 4, "poses": [
			{ "translate": [0, 100, 0], "rotate": [0, 0, 0], "scale": [1, 1, 1] },
			{ "matrix": [0, 0, 2, 0, 0, 2, 0, 0, -2, 0, 0, 0, 0, 0, 200, 1] },
			{ "translate": [0, 5, 3], "rotate": [0, 0, 0], "scale": [1, 1, 1] } ] } ] })";

// Frame 4 in a Maya scene set to Z up, in metres: the engine's Y is the scene's -Y, and the right turn is -90 degrees
// about Z.
const char* const MayaZUpTable = R"({
	"format": "quorvel-reference-poses", "version": 1, "upAxis": "z", "linearUnit": "m",
	"elements": [ { "name": "hips" }, { "name": "arm", "rotateOrder": "yzx" }, { "name": "probe" } ],
	"frames": [ { "frame": 4, "poses": [
		{ "translate": [0, 0, 1], "rotate": [0, 0, 0] },
		{ "translate": [0, -2, 0], "rotate": [0, 0, -90], "scale": [2, 2, 2] },
		{ "translate": [0, -0.03, 0.05], "rotate": [0, 0, 0] } ] } ] })";

FCommandResult Compare(const std::string& InRig, const std::string& InTable, std::vector<const char*> InOptions = {})
{
	std::vector<const char*> Arguments = {"compare", InRig.c_str(), InTable.c_str()};
	Arguments.insert(Arguments.end(), InOptions.begin(), InOptions.end());
	return RunCommandLine(Arguments);
}

// The line of the compare output about InElement.
std::string LineOf(const std::string& InOutput, const std::string& InElement)
{
	const size_t Start = InOutput.find("\n" + InElement + " ");
	return Start == std::string::npos ? std::string()
									  : InOutput.substr(Start + 1, InOutput.find('\n', Start + 1) - Start - 1);
}
} // namespace

TEST(ReferencePoses, TheShippedFootRollTableHoldsAndItsPerturbedCopyFails)
{
	const FCommandResult Held = Compare(FootRollRig, FootRollReference);
	EXPECT_EQ(Held.ExitCode, 0) << Held.Out << Held.Err;
	EXPECT_THAT(Held.Out, ::testing::HasSubstr(": 13 elements, 49 frames\n"));
	EXPECT_THAT(Held.Out, ::testing::EndsWith("every element is within the tolerances\n"));

	// The copy moves the heel pivot 0.5 cm at frame 12 and turns the ball pivot 2 degrees more at frame 30.
	const FCommandResult Failed = Compare(FootRollRig, PerturbedReference);
	EXPECT_EQ(Failed.ExitCode, 1) << Failed.Err;
	EXPECT_THAT(LineOf(Failed.Out, "null 'heel_l_pivot'"), ::testing::HasSubstr("0.5000 @ 12   !"));
	EXPECT_THAT(LineOf(Failed.Out, "null 'ball_l_pivot'"), ::testing::HasSubstr("2.0000 @ 30   !"));
	EXPECT_THAT(LineOf(Failed.Out, "null 'toe_tip_l_pivot'"), ::testing::Not(::testing::HasSubstr("!")));
	EXPECT_THAT(Failed.Out,
		::testing::EndsWith("2 of 13 elements exceed the tolerances (marked !): "
							"null 'heel_l_pivot', null 'ball_l_pivot'\n"));

	// Tolerances are options: wide enough ones hold.
	const FCommandResult Loose =
		Compare(FootRollRig, PerturbedReference, {"--translation-tolerance", "0.6", "--rotation-tolerance", "2.5"});
	EXPECT_EQ(Loose.ExitCode, 0) << Loose.Out;
	EXPECT_THAT(
		Loose.Out, ::testing::HasSubstr("tolerances: translation 0.6 cm, rotation 2.5 degrees, scale 0.0001\n"));
	for (const char* Bad : {"-1", "nan", "inf", "1cm", ""})
	{
		const FCommandResult Refused = Compare(FootRollRig, PerturbedReference, {"--scale-tolerance", Bad});
		EXPECT_NE(Refused.ExitCode, 0) << Bad;
		EXPECT_THAT(Refused.Err, ::testing::HasSubstr("expected a tolerance (a number of at least 0)")) << Bad;
	}
}

TEST(ReferencePoses, TablesTheRunnerWritesReadBackToItsOwnTransforms)
{
	const FScratchFolder Folder;
	const std::string Table = Folder / "export.reference.json";
	const FCommandResult Written = RunCommandLine({"export", ExportRig, "--reference", Table.c_str()});
	ASSERT_EQ(Written.ExitCode, 0) << Written.Err;
	EXPECT_EQ(Written.Out, "wrote " + Table + ": reference poses of 6 elements, 5 frames\n");

	// Every element of every frame, within rounding of the ten digits written.
	const FCommandResult Held = Compare(ExportRig, Table,
		{"--translation-tolerance", "1e-6", "--rotation-tolerance", "1e-6", "--scale-tolerance", "1e-9"});
	EXPECT_EQ(Held.ExitCode, 0) << Held.Out << Held.Err;

	// In a default Maya scene's conventions: the arm at frame 4, 200 cm to the right (Maya Z), turned -90 degrees
	// about Maya's Y, scaled by 2.
	std::ifstream Stream(Table);
	const nlohmann::json Document = nlohmann::json::parse(Stream);
	EXPECT_EQ(Document["upAxis"], "y");
	EXPECT_EQ(Document["linearUnit"], "cm");
	EXPECT_EQ(Document["frameRate"], 2);
	ASSERT_EQ(
		Document["elements"][3], nlohmann::json::parse(R"({"name": "arm", "type": "null", "rotateOrder": "xyz"})"));
	const nlohmann::json& Arm = Document["frames"][4]["poses"][3];
	EXPECT_EQ(Arm["translate"], nlohmann::json::parse("[0, 0, 200]"));
	EXPECT_EQ(Arm["rotate"], nlohmann::json::parse("[0, -90, 0]"));
	EXPECT_EQ(Arm["scale"], nlohmann::json::parse("[2, 2, 2]"));
}

TEST(ReferencePoses, MayaYUpAndZUpTablesInAnyUnitConvertIntoTheEnginesSpace)
{
	const FScratchFolder Folder;
	for (const char* Text : {MayaYUpTable, MayaZUpTable})
	{
		const FCommandResult Held = Compare(ExportRig, *Folder.Write("maya.json", Text),
			{"--translation-tolerance", "1e-9", "--rotation-tolerance", "1e-9", "--scale-tolerance", "1e-12"});
		EXPECT_EQ(Held.ExitCode, 0) << Held.Out << Held.Err;
		// Elements given without a scale compare none.
		EXPECT_THAT(LineOf(Held.Out, "null 'probe'"), ::testing::EndsWith(Text == MayaZUpTable ? " -" : "0.0000 @ 4"));
	}
	// The same table read as if it were Z up puts everything in the wrong place.
	std::string Wrong = MayaYUpTable;
	Wrong.replace(Wrong.find("\"upAxis\": \"y\""), 13, "\"upAxis\": \"z\"");
	const FCommandResult Failed = Compare(ExportRig, *Folder.Write("wrong.json", Wrong));
	EXPECT_EQ(Failed.ExitCode, 1) << Failed.Err;
	EXPECT_THAT(LineOf(Failed.Out, "bone 'hips'"), ::testing::HasSubstr("141.4214 @ 0"));
}

TEST(ReferencePoses, BadTablesFailWithTheFileAndJsonPathAndCompareNothing)
{
	const FScratchFolder Folder;
	const std::string Head = R"({ "format": "quorvel-reference-poses", "version": 1, )";
	const std::string Hips = R"({ "translate": [0, 100, 0], "rotate": [0, 0, 0] })";
	const std::string Elements = R"("elements": [ { "name": "hips" }, { "name": "probe" } ], )";
	const auto Frame = [&Hips](int InFrame, const std::string& InSecond)
	{ return "{ \"frame\": " + std::to_string(InFrame) + ", \"poses\": [" + Hips + ", " + InSecond + "] }"; };
	const std::string Probe = R"({ "translate": [0, 1, 3], "rotate": [0, 0, 0] })";
	const std::pair<std::string, std::string> Cases[] = {
		{R"({ "format": "quorvel-rig", "version": 1 })",
			"format: expected the string \"quorvel-reference-poses\", found the string \"quorvel-rig\""},
		{Head + Elements + R"("frames": [], "frams": 1 })",
			"frams: unknown key 'frams' (expected 'format', 'version', 'source', 'upAxis', 'linearUnit', 'frameRate', "
			"'elements' or 'frames')"},
		{Head + R"("upAxis": "x", )" + Elements + "\"frames\": [" + Frame(0, Probe) + "] }",
			"upAxis: expected 'y' or 'z', found the string \"x\""},
		{Head + R"("frameRate": 30, )" + Elements + "\"frames\": [" + Frame(0, Probe) + "] }",
			"frameRate: the table was sampled at 30 fps, and the rig runs at 2 fps"},
		{Head + R"("elements": [ { "name": "hips" }, { "name": "nope" } ], "frames": [] })",
			"elements[1].name: there is no bone, null or control named 'nope' in the rig (a \"type\" picks one type)"},
		{Head + R"("elements": [ { "name": "hips", "type": "null" } ], "frames": [] })",
			"elements[0].name: the rig has no null 'hips'"},
		{Head + R"("elements": [ { "name": "hips" }, { "name": "HIPS", "type": "bone" } ], "frames": [] })",
			"elements[1]: bone 'hips' is listed twice, first at elements[0]"},
		{Head + R"("elements": [ { "name": "hips", "rotateOrder": "xxy" } ], "frames": [] })",
			"elements[0].rotateOrder: expected 'xyz', 'yzx', 'zxy', 'xzy', 'yxz' or 'zyx', found the string \"xxy\""},
		{Head + Elements + R"("frames": [] })",
			"frames: expected an array of at least one frame, found an empty array"},
		{Head + Elements + "\"frames\": [" + Frame(5, Probe) + "] }",
			"frames[0].frame: the rig evaluates frames 0 to 4, and this is frame 5"},
		{Head + Elements + "\"frames\": [" + Frame(4, Probe) + ", " + Frame(4, Probe) + "] }",
			"frames[1].frame: frames must be in increasing order, and frame 4 follows frame 4"},
		{Head + Elements + R"("frames": [ { "frame": 0, "poses": [)" + Hips + "] } ] }",
			"frames[0].poses: expected an array of 2 poses, one per element, found an array of 1 item"},
		{Head + Elements + "\"frames\": [" + Frame(0, R"({ "translate": [0, 1, 3] })") + "] }",
			"frames[0].poses[1]: missing required key 'rotate'"},
		{Head + Elements + "\"frames\": [" +
				Frame(0, R"({ "translate": [0, 1, 3], "matrix": [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1] })") +
				"] }",
			"frames[0].poses[1]: a pose is either { \"matrix\" } or { \"translate\", \"rotate\", \"scale\" }, not both"},
		{Head + Elements + "\"frames\": [" +
				Frame(0, R"({ "matrix": [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0] })") + "] }",
			"frames[0].poses[1].matrix: expected a world matrix of 16 numbers, found an array of 17 items"},
		{Head + Elements + "\"frames\": [" +
				Frame(0, R"({ "matrix": [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 1, 3, 0] })") + "] }",
			"frames[0].poses[1].matrix: a world matrix ends its rows with 0, 0, 0 and 1 (its position is the fourth "
			"row), found 0, 0, 0 and 0"},
		{Head + Elements + "\"frames\": [" +
				Frame(0, R"({ "matrix": [1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1, 3, 1] })") + "] }",
			"frames[0].poses[1].matrix: the matrix has collapsed an axis (its 3x3 part is singular), so it holds no "
			"rotation"},
		{Head + Elements + "\"frames\": [" + Frame(0, R"({ "translate": [0, 1, 3], "rotate": [0, "NaN", 0] })") + "] }",
			"frames[0].poses[1].rotate[1]: expected a number, found the string \"NaN\""},
	};
	for (const auto& [Text, Message] : Cases)
	{
		const FString Table = Folder.Write("bad.json", Text);
		const FCommandResult Result = Compare(ExportRig, *Table);
		EXPECT_EQ(Result.ExitCode, 2) << Text;
		EXPECT_EQ(Result.Out, "") << Text;
		EXPECT_EQ(Result.Err, std::string(*Table) + ": " + Message + "\n") << Text;
	}

	const FCommandResult Missing = Compare(ExportRig, Folder / "none.json");
	EXPECT_EQ(Missing.ExitCode, 2);
	EXPECT_EQ(Missing.Err, Folder / "none.json" + ": does not exist\n");
	const FCommandResult BadRig = Compare(Folder / "none.rig.json", FootRollReference);
	EXPECT_EQ(BadRig.ExitCode, 2);
	EXPECT_EQ(BadRig.Err, Folder / "none.rig.json" + ": does not exist\n");
}
