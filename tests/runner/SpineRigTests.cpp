// The spine example evaluated through the runner: the rest spline IK placed twice (restore, then solve), its
// Stretch pin animated from 1 to 0, and its output pins printed with `--pins`.
#include "QVRig/CommandLine.h"
#include "QVRig/OutputPins.h"
#include "QVRig/RigEvaluator.h"
#include "QVRig/RigNode.h"
#include "RunnerTestUtils.h"
#include "UObject/UnrealType.h"

#include <gmock/gmock.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

namespace
{
const char* const SpineRig = QV_SOURCE_DIR "/examples/spine.rig.json";
const TCHAR* const Joints[] = {TEXT("pelvis"), TEXT("spine_01"), TEXT("spine_02"), TEXT("spine_03"), TEXT("spine_04"),
	TEXT("spine_05"), TEXT("spine_06"), TEXT("chest"), TEXT("neck_01"), TEXT("neck_02"), TEXT("neck_03"), TEXT("head")};

TUniquePtr<FQVRig> LoadSpineRig()
{
	FString Error;
	TUniquePtr<FQVRig> Rig = FQVRigFileLoader::LoadFile(SpineRig, Error);
	EXPECT_TRUE(Rig) << *Error;
	return Rig;
}

FTransform JointGlobal(const FQVRig& InRig, const TCHAR* InJoint, bool bInitial = false)
{
	return InRig.GetHierarchy().GetGlobalTransform(FRigElementKey(InJoint, ERigElementType::Bone), bInitial);
}

const TArray<FTransform>& PinTransforms(const FQVRigNode& InNode, const TCHAR* InPin)
{
	return *InNode.GetStruct()->FindPropertyByName(InPin)->ContainerPtrToValuePtr<TArray<FTransform>>(
		InNode.GetMemory());
}

std::string RunSpine(std::vector<const char*> InOptions)
{
	InOptions.insert(InOptions.begin(), {"qvrig", "run", SpineRig});
	std::ostringstream Out;
	std::ostringstream Err;
	EXPECT_EQ(FQVCommandLine::Run(static_cast<int32>(InOptions.size()), InOptions.data(), Out, Err), 0) << Err.str();
	return Out.str();
}
} // namespace

TEST(SpineRig, TheChainFollowsItsControlsThenReturnsToItsRestLengthsAsStretchFalls)
{
	const TUniquePtr<FQVRig> Rig = LoadSpineRig();
	ASSERT_TRUE(Rig);
	ASSERT_EQ(Rig->GetNodes().Num(), 2);
	FQVRigEvaluator Evaluator(*Rig);

	// At rest the joints keep their setup pose.
	Evaluator.EvaluateFrame(0);
	for (const TCHAR* Joint : Joints)
	{
		EXPECT_TRUE(VectorsNear(
			JointGlobal(*Rig, Joint).GetTranslation(), JointGlobal(*Rig, Joint, true).GetTranslation(), 1e-4))
			<< *FString(Joint);
		EXPECT_TRUE(QuatsNear(JointGlobal(*Rig, Joint).GetRotation(), FQuat::Identity, 1e-4)) << *FString(Joint);
	}

	// Half way: fully stretched, the head sits on its control, raised (3, 0, 7); the chest takes its control's yaw.
	for (int32 Frame = 1; Frame <= 24; ++Frame)
	{
		Evaluator.EvaluateFrame(Frame);
	}
	EXPECT_TRUE(VectorsNear(JointGlobal(*Rig, TEXT("head")).GetTranslation(), FVector(6, 0, 173), 1e-4));
	EXPECT_NEAR(JointGlobal(*Rig, TEXT("chest")).Rotator().Yaw, 40.0, 2.0);

	// Stretch animated down to 0: every segment is back at its rest length, though the head control is far away.
	for (int32 Frame = 25; Frame <= 48; ++Frame)
	{
		Evaluator.EvaluateFrame(Frame);
	}
	for (int32 Index = 1; Index < int32(UE_ARRAY_COUNT(Joints)); ++Index)
	{
		const double Rest = FVector::Distance(JointGlobal(*Rig, Joints[Index], true).GetTranslation(),
			JointGlobal(*Rig, Joints[Index - 1], true).GetTranslation());
		const double Now = FVector::Distance(
			JointGlobal(*Rig, Joints[Index]).GetTranslation(), JointGlobal(*Rig, Joints[Index - 1]).GetTranslation());
		EXPECT_NEAR(Now, Rest, 0.001) << *FString(Joints[Index]);
	}
	EXPECT_GT(FVector::Distance(JointGlobal(*Rig, TEXT("head")).GetTranslation(), FVector(9, 0, 180)), 10.0);
	EXPECT_TRUE(Evaluator.GetLog().Entries.IsEmpty());

	// The solving node's output pins hold a path frame and a joint offset per joint; the restore node solved nothing.
	EXPECT_EQ(PinTransforms(*Rig->GetNodes()[1], TEXT("PathFrames")).Num(), 12);
	EXPECT_EQ(PinTransforms(*Rig->GetNodes()[1], TEXT("JointOffsets")).Num(), 12);
	EXPECT_TRUE(PinTransforms(*Rig->GetNodes()[0], TEXT("PathFrames")).IsEmpty());
}

TEST(SpineRig, PinsPrintTheOutputTransformsExactlyInJson)
{
	const nlohmann::json Document =
		nlohmann::json::parse(RunSpine({"--format", "json", "--pins", "--every", "24", "--elements", "head"}));
	const nlohmann::json& Frames = Document.at("frames");
	ASSERT_EQ(Frames.size(), 3u);

	const TUniquePtr<FQVRig> Rig = LoadSpineRig();
	ASSERT_TRUE(Rig);
	FQVRigEvaluator Evaluator(*Rig);
	for (int32 Frame = 0; Frame <= 48; ++Frame)
	{
		Evaluator.EvaluateFrame(Frame);
		if (Frame % 24 != 0)
		{
			continue;
		}
		const nlohmann::json& Pins = Frames.at(Frame / 24).at("pins");
		// Both nodes' PathFrames and JointOffsets, in graph and pin order.
		ASSERT_EQ(Pins.size(), 4u);
		for (int32 Entry = 0; Entry < 4; ++Entry)
		{
			const int32 Node = Entry / 2;
			const TCHAR* const Pin = Entry % 2 == 0 ? TEXT("PathFrames") : TEXT("JointOffsets");
			EXPECT_EQ(Pins[Entry].at("node"), Node);
			EXPECT_EQ(Pins[Entry].at("pin"), std::string(Pin));
			const TArray<FTransform>& Expected = PinTransforms(*Rig->GetNodes()[Node], Pin);
			const nlohmann::json& Written = Pins[Entry].at("transforms");
			ASSERT_EQ(Written.size(), size_t(Expected.Num()));
			for (int32 Index = 0; Index < Expected.Num(); ++Index)
			{
				const FVector Translation = Expected[Index].GetTranslation();
				const FQuat Rotation = Expected[Index].GetRotation();
				EXPECT_EQ(Written[Index].at("translation"),
					nlohmann::json::array({Translation.X, Translation.Y, Translation.Z}));
				EXPECT_EQ(Written[Index].at("rotation"),
					nlohmann::json::array({Rotation.X, Rotation.Y, Rotation.Z, Rotation.W}));
			}
		}
	}

	// Without --pins the frames hold the elements' transforms only.
	const nlohmann::json Plain = nlohmann::json::parse(RunSpine({"--format", "json", "--every", "24"}));
	EXPECT_FALSE(Plain.at("frames").at(0).contains("pins"));
}

TEST(SpineRig, PinsPrintAsTableLinesAndCsvRecords)
{
	const std::string Table = RunSpine({"--pins", "--every", "48", "--elements", "head", "--show", "translation"});
	// Frame 0, then its 24 pin lines; the last joint offset of the solving node is its own line.
	EXPECT_THAT(Table, ::testing::HasSubstr("\n     0 |    0.500    0.000    5.000\n       | graph[1].PathFrames[0] "));
	EXPECT_THAT(Table, ::testing::HasSubstr("\n       | graph[1].JointOffsets[11] "));
	EXPECT_THAT(Table, ::testing::Not(::testing::HasSubstr("graph[0]")));
	EXPECT_THAT(RunSpine({"--every", "48"}), ::testing::Not(::testing::HasSubstr("PathFrames")));

	const std::string Csv = RunSpine({"--format", "csv", "--pins", "--every", "48", "--elements", "head"});
	std::istringstream Lines(Csv);
	std::string Line;
	int32 PinRecords = 0;
	while (std::getline(Lines, Line))
	{
		if (Line.rfind("pin,", 0) == 0)
		{
			++PinRecords;
			EXPECT_THAT(Line,
				::testing::MatchesRegex("pin,(0|48),,(PathFrames|JointOffsets)\\[[0-9]+\\],([^,]+,){10},1,RigUnit_"
										"QVRestSplineIK,spine IK,\r"));
		}
	}
	EXPECT_EQ(PinRecords, 2 * 24);
}

TEST(SpineRig, OnlyTransformOutputsArePrinted)
{
	// The runner's test unit has a float output only.
	FString Error;
	const TUniquePtr<FQVRig> Rig = LoadRigText(
		MakeRigText(R"({ "type": "null", "name": "a" })",
			R"(, "graph": [ { "unit": "/Script/QVRunnerTests.RigUnit_QVRunnerTest" }, { "unit": "RigUnit_QVRestSplineIK" } ])"),
		Error);
	ASSERT_TRUE(Rig) << *Error;
	const TArray<FQVOutputPin> Pins = FQVOutputPin::FindAll(*Rig);
	ASSERT_EQ(Pins.Num(), 2);
	EXPECT_EQ(Pins[0].NodeIndex, 1);
	EXPECT_EQ(Pins[0].Pin->GetName(), TEXT("PathFrames"));
	EXPECT_TRUE(Pins[0].bArray);
	EXPECT_EQ(Pins[1].Pin->GetName(), TEXT("JointOffsets"));
}
