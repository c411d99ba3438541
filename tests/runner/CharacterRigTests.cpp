// The demo character through the runner: every frame evaluates without a report, each unit moves its part of the
// body (feet roll at heel strike and toe-off, bendy arms bend off the straight line, the spine stretches, the face
// follows the head and plays), the summary says what each node changed, the pinned reference table holds, and the
// glTF export is whole.
#include "QVRig/RigEvaluator.h"
#include "RunnerTestUtils.h"

#include <gmock/gmock.h>

namespace
{
const char* const CharacterRig = QV_SOURCE_DIR "/examples/character.rig.json";

FTransform Global(const FQVRig& InRig, const TCHAR* InName, ERigElementType InType = ERigElementType::Bone)
{
	return InRig.GetHierarchy().GetGlobalTransform(FRigElementKey(InName, InType));
}

FTransform Rest(const FQVRig& InRig, const TCHAR* InName, ERigElementType InType = ERigElementType::Bone)
{
	return InRig.GetHierarchy().GetGlobalTransform(FRigElementKey(InName, InType), true);
}

// How far InPoint lies from the line through InStart and InEnd.
double DistanceFromLine(const FVector& InPoint, const FVector& InStart, const FVector& InEnd)
{
	const FVector Direction = (InEnd - InStart).GetSafeNormal();
	const FVector Offset = InPoint - InStart;
	return (Offset - Direction * FVector::DotProduct(Offset, Direction)).Size();
}

// The length of the spine and neck, pelvis to head, along its bones.
double SpineLength(const FQVRig& InRig)
{
	const TCHAR* const Chain[] = {TEXT("pelvis"), TEXT("spine_01"), TEXT("spine_02"), TEXT("spine_03"),
		TEXT("spine_04"), TEXT("spine_05"), TEXT("spine_06"), TEXT("chest"), TEXT("neck_01"), TEXT("neck_02"),
		TEXT("neck_03"), TEXT("head")};
	double Length = 0.0;
	for (int32 Index = 1; Index < int32(UE_ARRAY_COUNT(Chain)); ++Index)
	{
		Length += FVector::Dist(
			Global(InRig, Chain[Index - 1]).GetTranslation(), Global(InRig, Chain[Index]).GetTranslation());
	}
	return Length;
}
} // namespace

TEST(CharacterRig, EveryUnitMovesItsPartOfTheBodyWithoutAReport)
{
	FString Error;
	const TUniquePtr<FQVRig> Rig = FQVRigFileLoader::LoadFile(CharacterRig, Error);
	ASSERT_TRUE(Rig) << *Error;
	ASSERT_EQ(Rig->GetNodes().Num(), 11);
	ASSERT_EQ(Rig->GetAnimation().FrameCount, 49);
	FQVRigEvaluator Evaluator(*Rig);
	const double RestSpine = SpineLength(*Rig);
	const FVector FaceOnHead =
		Rest(*Rig, TEXT("FaceJoint_M")).GetTranslation() - Rest(*Rig, TEXT("head")).GetTranslation();
	double LongestSpine = 0.0;
	double LargestArmBend = 0.0;
	for (int32 Frame = 0; Frame < 49; ++Frame)
	{
		SCOPED_TRACE(Frame);
		Evaluator.EvaluateFrame(Frame);
		LongestSpine = FMath::Max(LongestSpine, SpineLength(*Rig));
		// The upper arm's first twist bone leaves the line from the shoulder to the elbow when the arm bends.
		LargestArmBend = FMath::Max(LargestArmBend,
			DistanceFromLine(Global(*Rig, TEXT("upperarm_twist_01_l")).GetTranslation(),
				Global(*Rig, TEXT("upperarm_l")).GetTranslation(), Global(*Rig, TEXT("lowerarm_l")).GetTranslation()));
		// The face rides on the head, which the spine IK moves: the face joint keeps its place on it.
		EXPECT_TRUE(VectorsNear(
			Global(*Rig, TEXT("FaceJoint_M")).GetTranslation() - Global(*Rig, TEXT("head")).GetTranslation(),
			FaceOnHead, 1e-6));

		// Feet: the left heel strikes (toes up about the heel) at frames 0, 24 and 48 and the left foot pushes off
		// (heel up about the toes) at frames 12 to 14 and 36 to 38; the right foot half a stride later.
		const double ToesLeft = Global(*Rig, TEXT("toe_tip_l_pivot"), ERigElementType::Null).GetTranslation().Z;
		const double AnkleLeft = Global(*Rig, TEXT("ankle_l_ik"), ERigElementType::Null).GetTranslation().Z;
		const double ToesRight = Global(*Rig, TEXT("toe_tip_r_pivot"), ERigElementType::Null).GetTranslation().Z;
		const double AnkleRight = Global(*Rig, TEXT("ankle_r_ik"), ERigElementType::Null).GetTranslation().Z;
		if (Frame % 24 == 0)
		{
			EXPECT_GT(ToesLeft, 5.0);
			EXPECT_NEAR(ToesRight, 1.0, 0.5);
			EXPECT_GT(AnkleRight, 18.0);
		}
		if (Frame % 24 == 12)
		{
			EXPECT_GT(ToesRight, 5.0);
			EXPECT_GT(AnkleLeft, 18.0);
		}
		// A flat foot in mid-stance: the ankle at its rest height over the ground.
		if (Frame % 24 == 6)
		{
			EXPECT_NEAR(AnkleLeft, 8.0, 0.5);
			EXPECT_NEAR(ToesLeft, 0.0, 0.5);
		}
	}
	EXPECT_TRUE(Evaluator.GetLog().Entries.IsEmpty()) << *Evaluator.GetLog().Entries[0].Message;
	// The head control rises 8 cm at frame 30 with the spine fully stretchy.
	EXPECT_GT(LongestSpine, RestSpine + 4.0);
	EXPECT_GT(LargestArmBend, 1.0);

	// Frame 24: the mouth control opens the jaw 14 degrees, the aim control turns both eyes, the wrists twist.
	Evaluator.EvaluateFrame(24);
	EXPECT_NEAR(
		Rig->GetHierarchy().GetLocalTransform(FRigElementKey(TEXT("Jaw_M"), ERigElementType::Bone)).Rotator().Yaw,
		-14.0, 1e-3);
	for (const TCHAR* Eye : {TEXT("Eye_L"), TEXT("Eye_R")})
	{
		EXPECT_GT(
			FMath::RadiansToDegrees(Global(*Rig, Eye).GetRotation().AngularDistance(Rest(*Rig, Eye).GetRotation())),
			1.0)
			<< Eye;
	}
	EXPECT_GT(FVector::Dist(Global(*Rig, TEXT("hand_l")).GetTranslation(), Rest(*Rig, TEXT("hand_l")).GetTranslation()),
		10.0);
}

TEST(CharacterRig, TheSummaryNamesWhatEachNodeChangedAndTheIdlePlacements)
{
	const FCommandResult Result = RunCommandLine({"run", CharacterRig, "--summary"});
	ASSERT_EQ(Result.ExitCode, 0) << Result.Err;
	const auto Line = [&Result](const std::string& InNode)
	{
		const size_t Start = Result.Out.find("\n" + InNode + " ");
		return Start == std::string::npos ? std::string()
										  : Result.Out.substr(Start + 1, Result.Out.find('\n', Start + 1) - Start - 1);
	};
	EXPECT_THAT(Result.Out, ::testing::StartsWith(std::string(CharacterRig) + ": 49 frames at 24 fps, 11 units\n"));
	EXPECT_THAT(
		Line("graph[3] spine IK"), ::testing::MatchesRegex("graph\\[3\\] spine IK +12 bones +[0-9.]+ cm, .* 0 .*"));
	EXPECT_THAT(Line("graph[6] arm_l deform"), ::testing::HasSubstr("7 bones, 5 nulls"));
	EXPECT_THAT(Line("graph[7] arm_r deform"), ::testing::HasSubstr("7 bones, 5 nulls"));
	EXPECT_THAT(Line("graph[8] foot_l roll"), ::testing::HasSubstr("5 nulls "));
	EXPECT_THAT(Line("graph[9] foot_r roll"), ::testing::HasSubstr("5 nulls "));
	EXPECT_THAT(Line("graph[10] face"), ::testing::HasSubstr("12 bones, 9 nulls, 2 controls"));
	// Bones take their setup pose every frame and the pose records hold it, so restoring and capturing change
	// nothing; the summary says so rather than hiding it.
	EXPECT_THAT(Result.Out,
		::testing::HasSubstr("5 of 11 nodes changed nothing in any frame: graph[0] spine restore FK, graph[1] arm_l "
							 "restore, graph[2] arm_r restore, graph[4] arm_l capture, graph[5] arm_r capture\n"
							 "reports: none\n"));
	EXPECT_THAT(Result.Out,
		::testing::ContainsRegex("\ntime per frame \\(frame start, tracks and every node\\): "
								 "mean [0-9.]+ us, median [0-9.]+ us, worst [0-9.]+ us\n$"));
}

TEST(CharacterRig, ThePinnedReferenceHoldsAndTheExportIsWhole)
{
	const FCommandResult Held =
		RunCommandLine({"compare", CharacterRig, QV_SOURCE_DIR "/examples/character.reference.json"});
	EXPECT_EQ(Held.ExitCode, 0) << Held.Out << Held.Err;
	EXPECT_THAT(Held.Out, ::testing::HasSubstr(": 59 elements, 49 frames\n"));

	const FScratchFolder Folder;
	const std::string Path = Folder / "character.glb";
	const FCommandResult Exported = RunCommandLine({"export", CharacterRig, "--gltf", Path.c_str()});
	ASSERT_EQ(Exported.ExitCode, 0) << Exported.Err;
	EXPECT_EQ(Exported.Out, "wrote " + Path + ": 127 joints, 49 frames at 24 fps (2.04 s)\n");
}
