// `qvrig run --format json` and `--format csv`: documents standard readers take, whose numbers are exactly the
// transforms the rig evaluated to.
#include "QVRig/CommandLine.h"
#include "QVRig/RigEvaluator.h"
#include "QVRig/RunOutput.h"
#include "RunnerTestUtils.h"

#include <cmath>
#include <cstdlib>
#include <gmock/gmock.h>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

namespace
{
const char* const OutputRig = QV_SOURCE_DIR "/tests/runner/data/output.rig.json";

// The transforms of the output rig's elements after each frame, evaluated independently of the command.
std::vector<std::vector<FTransform>> EvaluateOutputRig(EQVPoseSpace InSpace, int32 InNumFrames)
{
	FString Error;
	const TUniquePtr<FQVRig> Rig = FQVRigFileLoader::LoadFile(OutputRig, Error);
	EXPECT_TRUE(Rig) << *Error;
	std::vector<std::vector<FTransform>> Frames;
	if (!Rig)
	{
		return Frames;
	}
	FQVRigEvaluator Evaluator(*Rig);
	// Every bone and null, in file order: what the command prints by default.
	const FRigElementKey Keys[] = {FRigElementKey(TEXT("root"), ERigElementType::Bone),
		FRigElementKey(TEXT("tip, \"left\""), ERigElementType::Null),
		FRigElementKey(TEXT("probe"), ERigElementType::Null)};
	for (int32 Frame = 0; Frame < InNumFrames; ++Frame)
	{
		Evaluator.EvaluateFrame(Frame);
		std::vector<FTransform>& Transforms = Frames.emplace_back();
		for (const FRigElementKey& Key : Keys)
		{
			Transforms.push_back(InSpace == EQVPoseSpace::Global ? Rig->GetHierarchy().GetGlobalTransform(Key)
																 : Rig->GetHierarchy().GetLocalTransform(Key));
		}
	}
	return Frames;
}

// The ten numbers of a transform in output order: translation, rotation (x, y, z, w), scale.
std::vector<double> Numbers(const FTransform& InTransform)
{
	const FVector T = InTransform.GetTranslation();
	const FQuat R = InTransform.GetRotation();
	const FVector S = InTransform.GetScale3D();
	return {T.X, T.Y, T.Z, R.X, R.Y, R.Z, R.W, S.X, S.Y, S.Z};
}

// Records of RFC 4180 text: fields split at commas outside quotes, quoted fields unquoted with "" read as ".
std::vector<std::vector<std::string>> SplitCsv(const std::string& InText)
{
	std::vector<std::vector<std::string>> Records;
	std::vector<std::string> Record;
	std::string Field;
	bool bQuoted = false;
	for (std::size_t Index = 0; Index < InText.size(); ++Index)
	{
		const char Char = InText[Index];
		if (bQuoted)
		{
			if (Char == '"' && Index + 1 < InText.size() && InText[Index + 1] == '"')
			{
				Field += '"';
				++Index;
			}
			else if (Char == '"')
			{
				bQuoted = false;
			}
			else
			{
				Field += Char;
			}
		}
		else if (Char == '"')
		{
			bQuoted = true;
		}
		else if (Char == ',')
		{
			Record.push_back(Field);
			Field.clear();
		}
		else if (Char == '\r' && Index + 1 < InText.size() && InText[Index + 1] == '\n')
		{
			Record.push_back(Field);
			Records.push_back(Record);
			Record.clear();
			Field.clear();
			++Index;
		}
		else
		{
			Field += Char;
		}
	}
	EXPECT_TRUE(Field.empty() && Record.empty()) << "the last record has no CRLF";
	return Records;
}
} // namespace

TEST(RunOutput, JsonIsOneDocumentWithEveryTransformExact)
{
	const FCommandResult Result = RunCommandLine({"run", OutputRig, "--format", "json", "--space", "global"});
	ASSERT_EQ(Result.ExitCode, 0) << Result.Err;
	const nlohmann::json Document = nlohmann::json::parse(Result.Out);

	EXPECT_EQ(Document["rig"], OutputRig);
	EXPECT_EQ(Document["frameRate"], 24);
	EXPECT_EQ(Document["frameCount"], 4);
	EXPECT_EQ(Document["unitCount"], 2);
	EXPECT_EQ(Document["space"], "global");
	EXPECT_EQ(Document["resetPose"], false);
	EXPECT_EQ(Document["elements"], nlohmann::json::parse(R"([ { "type": "bone", "name": "root" },
		{ "type": "null", "name": "tip, \"left\"" }, { "type": "null", "name": "probe" } ])"));

	// Every number reads back as the very double the hierarchy holds.
	const std::vector<std::vector<FTransform>> Expected = EvaluateOutputRig(EQVPoseSpace::Global, 4);
	ASSERT_EQ(Document["frames"].size(), 4u);
	for (int32 Frame = 0; Frame < 4; ++Frame)
	{
		const nlohmann::json& Written = Document["frames"][Frame];
		EXPECT_EQ(Written["frame"], Frame);
		ASSERT_EQ(Written["transforms"].size(), 3u);
		for (int32 Element = 0; Element < 3; ++Element)
		{
			SCOPED_TRACE(testing::Message() << "frame " << Frame << ", element " << Element);
			const nlohmann::json& Transform = Written["transforms"][Element];
			std::vector<double> Read;
			for (const char* Part : {"translation", "rotation", "scale"})
			{
				for (const nlohmann::json& Number : Transform[Part])
				{
					Read.push_back(Number.get<double>());
				}
			}
			EXPECT_EQ(Read, Numbers(Expected[Frame][Element]));
		}
	}
	// The turn accumulates from frame to frame, so the frames differ.
	EXPECT_NE(Document["frames"][0]["transforms"][1], Document["frames"][3]["transforms"][1]);

	ASSERT_EQ(Document["reports"].size(), 1u);
	EXPECT_EQ(Document["reports"][0], nlohmann::json::parse(R"({ "severity": "warning", "frame": 0, "node": 1,
		"unit": "RigUnit_QVRunnerTest", "label": "says, \"hi\"", "message": "line one, \"quoted\"\nline two: mode 0" })"));
}

TEST(RunOutput, CsvHasAHeaderRowAndOneRecordPerElementAndReportWithExactNumbers)
{
	const FCommandResult Result = RunCommandLine({"run", OutputRig, "--format", "CSV", "--every", "2"});
	ASSERT_EQ(Result.ExitCode, 0) << Result.Err;
	const std::vector<std::vector<std::string>> Records = SplitCsv(Result.Out);
	// The header, frames 0 and 2 of three elements, and the report.
	ASSERT_EQ(Records.size(), 8u);
	EXPECT_THAT(Records[0],
		::testing::ElementsAre("record", "frame", "type", "name", "tx", "ty", "tz", "qx", "qy", "qz", "qw", "sx", "sy",
			"sz", "severity", "node", "unit", "label", "message"));
	for (const std::vector<std::string>& Record : Records)
	{
		EXPECT_EQ(Record.size(), 19u);
	}

	const std::vector<std::vector<FTransform>> Expected = EvaluateOutputRig(EQVPoseSpace::Local, 3);
	const char* const Names[] = {"root", "tip, \"left\"", "probe"};
	for (int32 Row = 0; Row < 6; ++Row)
	{
		const std::vector<std::string>& Record = Records[1 + Row];
		const int32 Frame = 2 * (Row / 3);
		const int32 Element = Row % 3;
		SCOPED_TRACE(testing::Message() << "frame " << Frame << ", element " << Element);
		EXPECT_EQ(Record[0], "pose");
		EXPECT_EQ(Record[1], std::to_string(Frame));
		EXPECT_EQ(Record[2], Element == 0 ? "bone" : "null");
		EXPECT_EQ(Record[3], Names[Element]);
		std::vector<double> Read;
		for (int32 Field = 4; Field < 14; ++Field)
		{
			Read.push_back(std::strtod(Record[Field].c_str(), nullptr));
		}
		EXPECT_EQ(Read, Numbers(Expected[Frame][Element]));
		EXPECT_THAT(std::vector<std::string>(Record.begin() + 14, Record.end()), ::testing::Each(""));
	}
	EXPECT_THAT(Records[7],
		::testing::ElementsAre("report", "0", "", "", "", "", "", "", "", "", "", "", "", "", "warning", "1",
			"RigUnit_QVRunnerTest", "says, \"hi\"", "line one, \"quoted\"\nline two: mode 0"));
}

TEST(RunOutput, NumbersAreWrittenSoTheyReadBackExactly)
{
	EXPECT_EQ(QVFormatExactNumber(0.1), FString(TEXT("0.10000000000000001")));
	EXPECT_EQ(QVFormatExactNumber(-0.0), FString(TEXT("-0")));
	EXPECT_EQ(QVFormatExactNumber(std::numeric_limits<double>::quiet_NaN()), FString(TEXT("NaN")));
	EXPECT_EQ(QVFormatExactNumber(-std::numeric_limits<double>::infinity()), FString(TEXT("-Infinity")));
	for (const double Value : {1.0 / 3.0, -123456.789, std::numeric_limits<double>::denorm_min(),
			 std::numeric_limits<double>::max(), 0.7071067811865476, 1e-300})
	{
		EXPECT_EQ(std::strtod(*QVFormatExactNumber(Value), nullptr), Value);
	}
}

TEST(RunOutput, TheCommandLineRefusesBadOptionsClearly)
{
	for (const char* Every : {"0", "-3", "2.5", "x", "99999999999"})
	{
		const FCommandResult Result = RunCommandLine({"run", OutputRig, "--every", Every});
		EXPECT_NE(Result.ExitCode, 0);
		EXPECT_THAT(Result.Err,
			::testing::HasSubstr(std::string("--every: expected a whole number of at least 1, found '") + Every + "'"));
		EXPECT_TRUE(Result.Out.empty());
	}
	// Machine-readable formats always hold whole transforms.
	const FCommandResult Show = RunCommandLine({"run", OutputRig, "--format", "json", "--show", "rotation"});
	EXPECT_NE(Show.ExitCode, 0);
	EXPECT_THAT(Show.Err,
		::testing::HasSubstr("--show: chooses the table's columns; --format json always holds whole "
							 "transforms"));
	const FCommandResult Device = RunCommandLine({"run", "/dev/zero"});
	EXPECT_EQ(Device.ExitCode, 1);
	EXPECT_EQ(Device.Err, "/dev/zero: is a character device, not a rig file\n");
}

TEST(RunOutput, ResetPoseStartsEveryFrameFromTheInitialPose)
{
	const FCommandResult Reset = RunCommandLine({"run", OutputRig, "--format", "json", "--reset-pose"});
	ASSERT_EQ(Reset.ExitCode, 0) << Reset.Err;
	const nlohmann::json Document = nlohmann::json::parse(Reset.Out);
	EXPECT_EQ(Document["resetPose"], true);
	// The turned null is turned once in every frame.
	EXPECT_EQ(Document["frames"][0]["transforms"][1], Document["frames"][3]["transforms"][1]);

	// The table says so in its summary.
	const FCommandResult Table = RunCommandLine({"run", OutputRig, "--reset-pose"});
	EXPECT_THAT(Table.Out,
		::testing::StartsWith(
			std::string(OutputRig) + ": 4 frames at 24 fps, 2 units, local space, pose reset every frame\n"));
}
