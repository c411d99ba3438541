// `qvrig check` on the examples, which must be clean, and on broken copies of them built here: each kind of problem
// at the JSON path of its source (in the rig file or in the asset file it names), the count, the exit code, and bad
// files failing with the loader's message and checking nothing.
#include "RunnerTestUtils.h"

#include <gmock/gmock.h>
#include <nlohmann/json.hpp>

namespace
{
using nlohmann::json;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

json ReadExample(const std::string& InName)
{
	std::ifstream In(QV_SOURCE_DIR "/examples/" + InName);
	return json::parse(In);
}

// One finding line: "file: path: severity: message".
struct FFinding
{
	std::string File;
	std::string Path;
	std::string Severity;
	std::string Message;
};

struct FCheckOutput
{
	int32 ExitCode = 0;
	std::vector<FFinding> Findings;
	// The last line of the output.
	std::string Summary;
	std::string Err;

	// "path severity" for each finding, in order, to compare against a list.
	std::vector<std::string> Where() const
	{
		std::vector<std::string> Result;
		for (const FFinding& Finding : Findings)
		{
			Result.push_back(Finding.Path + " " + Finding.Severity);
		}
		return Result;
	}
	const FFinding& At(const std::string& InPath) const
	{
		for (const FFinding& Finding : Findings)
		{
			if (Finding.Path == InPath)
			{
				return Finding;
			}
		}
		ADD_FAILURE() << "no finding at " << InPath;
		static const FFinding None;
		return None;
	}
};

FCheckOutput RunCheck(const std::string& InRigPath)
{
	const FCommandResult Result = RunCommandLine({"check", InRigPath.c_str()});
	FCheckOutput Output;
	Output.ExitCode = Result.ExitCode;
	Output.Err = Result.Err;
	std::istringstream Lines(Result.Out);
	std::vector<std::string> All;
	for (std::string Line; std::getline(Lines, Line);)
	{
		All.push_back(Line);
	}
	if (!All.empty())
	{
		Output.Summary = All.back();
		All.pop_back();
	}
	for (const std::string& Line : All)
	{
		FFinding Finding;
		size_t Start = 0;
		std::string* const Parts[] = {&Finding.File, &Finding.Path, &Finding.Severity};
		for (std::string* Part : Parts)
		{
			const size_t End = Line.find(": ", Start);
			EXPECT_NE(End, std::string::npos) << Line;
			*Part = Line.substr(Start, End - Start);
			Start = End + 2;
		}
		Finding.Message = Line.substr(Start);
		Output.Findings.push_back(Finding);
	}
	return Output;
}

// A copy of an example rig, and of its face asset when it has one, to break and then check from a scratch folder.
class FBrokenExample
{
public:
	explicit FBrokenExample(const std::string& InName)
		: Name(InName + ".rig.json"), Rig(ReadExample(Name))
	{
		if (Rig.contains("assets"))
		{
			FaceAsset = ReadExample("face_rig.json");
		}
	}

	FCheckOutput Check() const
	{
		Folder.Write(Name.c_str(), Rig.dump(1));
		if (!FaceAsset.is_null())
		{
			Folder.Write("face_rig.json", FaceAsset.dump(1));
		}
		return RunCheck(RigPath());
	}
	std::string RigPath() const { return Folder / Name; }
	std::string AssetPath() const { return Folder / "face_rig.json"; }

	json& Pins(int32 InNode) { return Rig["graph"][InNode]["pins"]; }
	// Renames an element and every parent reference to it.
	void RenameElement(const std::string& InOld, const std::string& InNew)
	{
		for (json& Element : Rig["elements"])
		{
			for (const char* Field : {"name", "parent"})
			{
				if (Element.contains(Field) && Element[Field] == InOld)
				{
					Element[Field] = InNew;
				}
			}
		}
	}
	void RemoveElement(const std::string& InName)
	{
		json& Elements = Rig["elements"];
		for (auto It = Elements.begin(); It != Elements.end(); ++It)
		{
			if ((*It)["name"] == InName)
			{
				Elements.erase(It);
				return;
			}
		}
		ADD_FAILURE() << "no element " << InName;
	}

	const FScratchFolder Folder;
	const std::string Name;
	json Rig;
	json FaceAsset;
};
} // namespace

TEST(CheckCommand, EveryExampleChecksClean)
{
	int32 NumExamples = 0;
	for (const std::filesystem::directory_entry& Entry :
		std::filesystem::directory_iterator(QV_SOURCE_DIR "/examples"))
	{
		const std::string Path = Entry.path().string();
		if (!Path.ends_with(".rig.json"))
		{
			continue;
		}
		++NumExamples;
		const FCheckOutput Output = RunCheck(Path);
		EXPECT_EQ(Output.ExitCode, 0) << Path;
		EXPECT_THAT(Output.Where(), ElementsAre()) << Path;
		EXPECT_THAT(Output.Summary, HasSubstr(": clean: no problems in ")) << Path;
		EXPECT_EQ(Output.Err, "") << Path;
	}
	EXPECT_GE(NumExamples, 4);
}

TEST(CheckCommand, FootRollChannelsAndPivotsThatAreMissingOrOfTheWrongTypeAndUnknownAxes)
{
	FBrokenExample Foot("foot_roll");
	Foot.Pins(0)["RollChannel"] = "IKLeg_L";
	Foot.Pins(0)["HeelRoller"] = "foot_l";
	Foot.Pins(0)["ToesRoller"] = "ball_pivot_l";
	Foot.Pins(0)["InnerRockAxis"] = "W";
	const FCheckOutput Output = Foot.Check();
	EXPECT_THAT(Output.Where(),
		ElementsAre("graph[0].pins.RollChannel problem", "graph[0].pins.HeelRoller problem",
			"graph[0].pins.ToesRoller problem", "graph[0].pins.InnerRockAxis problem"));
	EXPECT_EQ(Output.Findings[0].File, Foot.RigPath());
	EXPECT_THAT(Output.At("graph[0].pins.RollChannel").Message, HasSubstr("'IKLeg_L' is a EulerTransform control"));
	EXPECT_THAT(Output.At("graph[0].pins.HeelRoller").Message,
		HasSubstr("no null is named 'foot_l' (a bone is, and the name is looked up as a null only)"));
	EXPECT_THAT(Output.At("graph[0].pins.ToesRoller").Message,
		HasSubstr("no null is named 'ball_pivot_l': the ball pivot is never turned"));
	EXPECT_THAT(Output.At("graph[0].pins.InnerRockAxis").Message, HasSubstr("turns about Z"));
	EXPECT_EQ(Output.Summary, Foot.RigPath() + ": 4 problems in 1 node");
	EXPECT_EQ(Output.ExitCode, 1);

	// Pivots that no channel turns.
	FBrokenExample Unturned("foot_roll");
	Unturned.Pins(0)["RollChannel"] = "None";
	Unturned.Pins(0)["RockChannel"] = "None";
	const FCheckOutput UnturnedOutput = Unturned.Check();
	EXPECT_THAT(UnturnedOutput.Where(),
		ElementsAre("graph[0].pins.RollChannel problem", "graph[0].pins.RockChannel problem"));
	EXPECT_THAT(UnturnedOutput.Findings[0].Message, HasSubstr("stay at their setup pose"));
	EXPECT_THAT(UnturnedOutput.Findings[1].Message, HasSubstr("never writes them"));
}

TEST(CheckCommand, SpineListsWhoseCountsDoNotMatchKeysThatDoNotResolveAndAChainOfNoLength)
{
	FBrokenExample Spine("spine");
	Spine.Pins(0)["Items"][3]["name"] = "spine_99";
	Spine.Pins(1)["FKPose"].erase(11);
	Spine.Pins(1)["Controls"][2]["type"] = "null";
	const FCheckOutput Output = Spine.Check();
	EXPECT_THAT(Output.Where(),
		ElementsAre("graph[0].pins.Items[3] problem", "graph[1].pins.FKPose problem",
			"graph[1].pins.Controls[2] problem"));
	EXPECT_THAT(Output.At("graph[0].pins.Items[3]").Message, HasSubstr("the restore does not reset it"));
	EXPECT_THAT(Output.At("graph[1].pins.FKPose").Message, HasSubstr("holds 11 FK snapshots for 12 joints"));
	EXPECT_THAT(Output.At("graph[1].pins.Controls[2]").Message,
		HasSubstr("no null is named 'spine_ik_chest' (a control is"));
	EXPECT_EQ(Output.Summary, Spine.RigPath() + ": 3 problems in 2 nodes");
	EXPECT_EQ(Output.ExitCode, 1);

	// Every joint the same bone: the counts hold and the keys resolve, and the solve finds no length.
	FBrokenExample Collapsed("spine");
	for (json& Item : Collapsed.Pins(1)["Items"])
	{
		Item["name"] = "chest";
	}
	const FCheckOutput CollapsedOutput = Collapsed.Check();
	EXPECT_THAT(CollapsedOutput.Where(), ElementsAre("graph[1].pins.Items problem"));
	EXPECT_THAT(CollapsedOutput.Findings[0].Message, HasSubstr("a chain of no length"));

	// Too few controls and joints.
	FBrokenExample Short("spine");
	Short.Pins(1)["Controls"] = json::array({Short.Pins(1)["Controls"][0]});
	Short.Pins(1)["Items"] = json::array();
	const FCheckOutput ShortOutput = Short.Check();
	EXPECT_THAT(ShortOutput.Where(),
		ElementsAre("graph[1].pins.Items problem", "graph[1].pins.Controls problem", "graph[1].pins.FKPose problem"));
	EXPECT_THAT(ShortOutput.Findings[1].Message, HasSubstr("holds 1 controls, and the unit needs at least 2"));
}

TEST(CheckCommand, ArmSegmentsThatFailTheirChecksSayWhyAndMissingRecordsAndSpacesAreFound)
{
	FBrokenExample Arm("arm");
	// The pose record of the elbow, which the restore reads and the capture writes.
	Arm.RemoveElement("QVBendBase_lowerarm_l");
	json& Deform = Arm.Pins(2);
	std::swap(Deform["SnapshotBones"][0], Deform["SnapshotBones"][1]);
	Deform["SnapshotBones"].erase(6);
	json& Upper = Deform["Segments"][0];
	Upper["Handles"].erase(1);
	Upper["MasterSpace"] = "nowhere";
	json& Lower = Deform["Segments"][1];
	Lower["Parameters"].erase(3);
	Lower["Bones"][2] = "lowerarm_twist_09_l";
	Lower["Handles"][1]["ParentControl"] = "upperarm_bend_l";
	const FCheckOutput Output = Arm.Check();
	EXPECT_THAT(Output.Where(),
		ElementsAre("graph[0].pins.SnapshotBones[3] problem", "graph[1].pins.SnapshotBones[3] problem",
			"graph[2].pins.SnapshotBones[0] problem", "graph[2].pins.Segments[0].Handles problem",
			"graph[2].pins.Segments[0].MasterSpace problem", "graph[2].pins.Segments[1].Parameters problem",
			"graph[2].pins.Segments[1].Bones[2] problem", "graph[2].pins.Segments[1].Bones[3] problem",
			"graph[2].pins.Segments[1].Handles[1].ParentControl problem"));
	EXPECT_THAT(Output.Findings[0].Message,
		HasSubstr("no null is named 'QVBendBase_lowerarm_l', the pose record of bone 'lowerarm_l': the restore"));
	EXPECT_THAT(Output.Findings[1].Message, HasSubstr("its pose is not recorded"));
	EXPECT_THAT(Output.Findings[2].Message, HasSubstr("listed before its ancestor 'upperarm_l'"));
	EXPECT_THAT(Output.Findings[3].Message, HasSubstr("holds 2 handles, and a segment needs at least 3"));
	EXPECT_THAT(Output.Findings[5].Message, HasSubstr("holds 3 parameters for 4 bones"));
	EXPECT_THAT(Output.Findings[6].Message, HasSubstr("no bone is named 'lowerarm_twist_09_l': the segment is skipped"));
	EXPECT_THAT(Output.Findings[7].Message, HasSubstr("bone 'hand_l' is not among the SnapshotBones"));
	EXPECT_THAT(Output.Findings[8].Message, HasSubstr("'QVBendSpace_upperarm_bend_l', the space null of parent"));
	EXPECT_EQ(Output.Summary, Arm.RigPath() + ": 9 problems in 3 nodes");
	EXPECT_EQ(Output.ExitCode, 1);
}

TEST(CheckCommand, FaceRecordsAreReportedAtTheirPathsInTheAssetFileAndPinsInTheRigFile)
{
	FBrokenExample Face("face");
	Face.Pins(0)["Weight"] = 0;
	json& Asset = Face.FaceAsset;
	Asset["Drivers"][0]["ControlName"] = "ctrlMissing";
	Asset["Drivers"][1]["Driven"][0]["BoneName"] = "ctrlSmile_L";
	Asset["Drivers"][3]["CustomChannelName"] = "wink";
	Asset["Drivers"][4]["Channel"] = "ValueX";
	Asset["DirectControls"][0]["FollowNullName"] = "NoFollow";
	Asset["RegionControls"][0]["BoneNames"][1] = "ghost";
	Asset["ProxyControls"][0]["ProxyName"] = "ghostProxy";
	Asset["EyeChains"][0]["SDKNullName"] = "ghost";
	Asset["AimBindings"][0]["TargetControlName"] = "EyeAim_R";
	Asset["FollowControls"][0]["BoneName"] = "None";
	Asset["VisibilityGroups"][0]["SwitchControlName"] = "ctrlSneer_R";
	const FCheckOutput Output = Face.Check();
	EXPECT_THAT(Output.Where(),
		ElementsAre("graph[0].pins.Weight problem", "Drivers[0].ControlName problem",
			"Drivers[1].Driven[0].BoneName problem", "Drivers[3].CustomChannelName problem",
			"Drivers[4].Channel problem", "DirectControls[0].FollowNullName problem",
			"RegionControls[0].BoneNames[1] problem", "ProxyControls[0].ProxyName problem",
			"EyeChains[0].SDKNullName problem", "AimBindings[0].TargetControlName problem",
			"FollowControls[0].BoneName problem", "VisibilityGroups[0].SwitchControlName problem"));
	EXPECT_EQ(Output.Findings[0].File, Face.RigPath());
	for (size_t Index = 1; Index < Output.Findings.size(); ++Index)
	{
		EXPECT_EQ(Output.Findings[Index].File, Face.AssetPath()) << Output.Findings[Index].Path;
	}
	EXPECT_THAT(Output.At("Drivers[0].ControlName").Message, HasSubstr("skips the driver"));
	EXPECT_THAT(Output.At("Drivers[1].Driven[0].BoneName").Message,
		HasSubstr("no bone or null is named 'ctrlSmile_L' (a control is"));
	EXPECT_THAT(Output.At("Drivers[3].CustomChannelName").Message,
		HasSubstr("control 'ctrlEye_R' has no animation channel 'wink', and there is no control 'ctrlEye_R.wink'"));
	EXPECT_THAT(Output.At("Drivers[4].Channel").Message, HasSubstr("ValueX reads nothing from 'ctrlSneer_R', a Float"));
	EXPECT_THAT(Output.At("AimBindings[0].TargetControlName").Message, HasSubstr("(a null is"));
	EXPECT_THAT(Output.At("FollowControls[0].BoneName").Message, HasSubstr("is not set (None)"));
	EXPECT_THAT(Output.At("VisibilityGroups[0].SwitchControlName").Message,
		HasSubstr("'ctrlSneer_R' is a Float control, and only a Bool control switches a group"));
	EXPECT_EQ(Output.Summary, Face.RigPath() + ": 12 problems in 1 node");
	EXPECT_EQ(Output.ExitCode, 1);
}

TEST(CheckCommand, AnInlineAssetIsReportedInTheRigFileAndAnAssetSharedByTwoNodesOnce)
{
	FBrokenExample Face("face");
	json Asset = Face.FaceAsset;
	Asset["Drivers"][0]["ControlName"] = "ctrlMissing";
	Face.Rig["assets"]["FaceRig"] = {{"class", "QVFaceRigDataAsset"}, {"data", Asset}};
	Face.FaceAsset = json();
	Face.Rig["graph"].push_back(Face.Rig["graph"][0]);
	const FCheckOutput Output = Face.Check();
	EXPECT_THAT(Output.Where(), ElementsAre("assets.FaceRig.data.Drivers[0].ControlName problem"));
	EXPECT_EQ(Output.Findings[0].File, Face.RigPath());
	EXPECT_EQ(Output.Summary, Face.RigPath() + ": 1 problem in 2 nodes");
}

TEST(CheckCommand, AMissingDefaultFaceElementIsANoteAndOneTheRigNamesAProblem)
{
	FBrokenExample Unboxed("face");
	Unboxed.RenameElement("ctrlBoxAttach", "boardAttach");
	const FCheckOutput UnboxedOutput = Unboxed.Check();
	EXPECT_THAT(UnboxedOutput.Where(), ElementsAre("graph[0].pins.CtrlBoxAttach note"));
	EXPECT_THAT(UnboxedOutput.Findings[0].Message, HasSubstr("no null is named 'ctrlBoxAttach'"));
	EXPECT_EQ(UnboxedOutput.Summary, Unboxed.RigPath() + ": clean: no problems in 1 node (1 note)");
	EXPECT_EQ(UnboxedOutput.ExitCode, 0);

	FBrokenExample Named("face");
	Named.Pins(0)["CtrlBoxAttach"] = {{"type", "null"}, {"name", "boardAttach"}};
	const FCheckOutput NamedOutput = Named.Check();
	EXPECT_THAT(NamedOutput.Where(), ElementsAre("graph[0].pins.CtrlBoxAttach problem"));
	EXPECT_EQ(NamedOutput.ExitCode, 1);
}

TEST(CheckCommand, ANodeWithoutACheckerIsANote)
{
	const FScratchFolder Folder;
	const std::string Rig = MakeRigText(R"({ "type": "null", "name": "spinner" })",
		R"(, "graph": [ { "unit": "/Script/QVRunnerTests.RigUnit_QVRunnerTestTurn",
			"pins": { "Target": { "type": "null", "name": "spinner" } } } ])");
	Folder.Write("turn.rig.json", Rig);
	const FCheckOutput Output = RunCheck(Folder / "turn.rig.json");
	EXPECT_THAT(Output.Where(), ElementsAre("graph[0] note"));
	EXPECT_THAT(Output.Findings[0].Message, HasSubstr("RigUnit_QVRunnerTestTurn has no checker"));
	EXPECT_EQ(Output.ExitCode, 0);
}

TEST(CheckCommand, BadFilesFailWithTheFileAndJsonPathAndCheckNothing)
{
	const FScratchFolder Folder;
	const FCheckOutput Missing = RunCheck(Folder / "none.rig.json");
	EXPECT_EQ(Missing.ExitCode, 2);
	EXPECT_EQ(Missing.Summary, "");
	EXPECT_EQ(Missing.Err, Folder / "none.rig.json" + ": does not exist\n");

	const FCheckOutput Directory = RunCheck(Folder / "");
	EXPECT_EQ(Directory.ExitCode, 2);
	EXPECT_THAT(Directory.Err, HasSubstr("is a directory"));

	FBrokenExample BadPin("foot_roll");
	BadPin.Pins(0)["RollStartAngle"] = "thirty";
	const FCheckOutput BadPinOutput = BadPin.Check();
	EXPECT_EQ(BadPinOutput.ExitCode, 2);
	EXPECT_EQ(BadPinOutput.Summary, "");
	EXPECT_THAT(BadPinOutput.Err,
		HasSubstr(BadPin.RigPath() + ": graph[0].pins.RollStartAngle: expected a number, found the string \"thirty\""));

	FBrokenExample BadAsset("face");
	BadAsset.FaceAsset["Drivers"][2]["Channel"] = "RotZ";
	const FCheckOutput BadAssetOutput = BadAsset.Check();
	EXPECT_EQ(BadAssetOutput.ExitCode, 2);
	EXPECT_EQ(BadAssetOutput.Summary, "");
	EXPECT_THAT(BadAssetOutput.Err, HasSubstr(BadAsset.AssetPath() + ": Drivers[2].Channel: unknown value \"RotZ\""));
}
