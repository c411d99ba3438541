// The demo foot rig evaluated through the runner: roll and rock reach the pivots through the registered unit.
#include "QVRig/PoseTable.h"
#include "QVRig/RigEvaluator.h"
#include "RunnerTestUtils.h"

#include <cmath>
#include <gmock/gmock.h>
#include <sstream>

namespace
{
// A turn about a pivot's own X (1, 0, 0) or the engine's Y (0, 1, 0) by the given degrees.
FQuat AboutX(double InDegrees)
{
	const double Half = InDegrees * UE_DOUBLE_PI / 360.0;
	return FQuat(std::sin(Half), 0.0, 0.0, std::cos(Half));
}
FQuat AboutY(double InDegrees)
{
	const double Half = InDegrees * UE_DOUBLE_PI / 360.0;
	return FQuat(0.0, std::sin(Half), 0.0, std::cos(Half));
}

FQuat LocalRotation(const FQVRig& InRig, const TCHAR* InNull)
{
	return InRig.GetHierarchy().GetLocalTransform(FRigElementKey(InNull, ERigElementType::Null)).GetRotation();
}

TUniquePtr<FQVRig> LoadDemoRig()
{
	FString Error;
	TUniquePtr<FQVRig> Rig = FQVRigFileLoader::LoadFile(QV_SOURCE_DIR "/examples/foot_roll.rig.json", Error);
	EXPECT_TRUE(Rig) << *Error;
	return Rig;
}
} // namespace

// Every pivot of the demo rig has the same setup orientation as its parent, so each local rotation is the unit's turn.
TEST(FootRollRig, FrameWithRollFortyFiveTurnsBallAndToeTipBackTwentyTwoAndAHalf)
{
	const TUniquePtr<FQVRig> Rig = LoadDemoRig();
	ASSERT_TRUE(Rig);
	FQVRigEvaluator Evaluator(*Rig);

	// The roll sweeps -30 to 90 over frames 0 to 48, so frame 30 rolls 45; the rock (-20 to 20) is 5 there.
	Evaluator.EvaluateFrame(30);
	EXPECT_FLOAT_EQ(Rig->GetHierarchy()
						.GetControlValue(FRigElementKey(TEXT("IKLeg_L_roll"), ERigElementType::Control))
						.Get<float>(),
		45.f);
	// Start 30, end 60: t = (45 - 30) / 30 = 0.5 and w = min(45 / 30, 1) = 1, so the ball turns 1 * 45 * (0.5 - 1)
	// and the toe tip -(0.5 * 45); the heel only turns for negative rolls.
	EXPECT_TRUE(QuatsNear(LocalRotation(*Rig, TEXT("ball_l_pivot")), AboutX(-22.5)));
	EXPECT_TRUE(QuatsNear(LocalRotation(*Rig, TEXT("toe_tip_l_pivot")), AboutX(-22.5)));
	EXPECT_TRUE(QuatsNear(LocalRotation(*Rig, TEXT("heel_l_pivot")), FQuat::Identity));
	// A rock of 5 clamps to 0 for the inner pivot and to 5 for the outer, which the multiplier of -1 turns +5 about the
	// engine's Y.
	EXPECT_TRUE(QuatsNear(LocalRotation(*Rig, TEXT("inner_l_pivot")), FQuat::Identity));
	EXPECT_TRUE(QuatsNear(LocalRotation(*Rig, TEXT("outer_l_pivot")), AboutY(5.0)));
	// Pivots keep their setup translations.
	EXPECT_TRUE(VectorsNear(Rig->GetHierarchy()
								.GetGlobalTransform(FRigElementKey(TEXT("ball_l_pivot"), ERigElementType::Null), true)
								.GetTranslation(),
		FVector(14, -10, 0)));

	// The table prints the engine's rotator: a turn of -22.5 about X is a roll of +22.5.
	std::ostringstream Unused;
	const FQVPoseTable Table(Rig->GetHierarchy(), {FRigElementKey(TEXT("ball_l_pivot"), ERigElementType::Null)},
		EQVPoseSpace::Local, EQVPoseParts::Rotation, Unused);
	EXPECT_THAT(std::string(*Table.FormatRow(30)), ::testing::MatchesRegex("^ +30 \\| +0\\.000 +0\\.000 +22\\.500\n$"));
}

TEST(FootRollRig, EvaluatingAFrameAgainGivesTheSamePose)
{
	const TUniquePtr<FQVRig> Rig = LoadDemoRig();
	ASSERT_TRUE(Rig);
	FQVRigEvaluator Evaluator(*Rig);
	const TArray<FRigElementKey> Nulls = Rig->GetHierarchy().GetAllKeys(false, ERigElementType::Null);
	const auto Capture = [&Rig, &Nulls]()
	{
		TArray<FTransform> Pose;
		for (const FRigElementKey& Key : Nulls)
		{
			Pose.Add(Rig->GetHierarchy().GetGlobalTransform(Key));
		}
		return Pose;
	};

	Evaluator.EvaluateFrame(30);
	const TArray<FTransform> First = Capture();
	Evaluator.EvaluateFrame(30);
	const TArray<FTransform> Again = Capture();
	Evaluator.EvaluateFrame(47);
	Evaluator.EvaluateFrame(30);
	const TArray<FTransform> AfterAnother = Capture();
	for (int32 Index = 0; Index < Nulls.Num(); ++Index)
	{
		SCOPED_TRACE(*Nulls[Index].Name.ToString());
		EXPECT_TRUE(QuatsNear(Again[Index].GetRotation(), First[Index].GetRotation(), 0.0));
		EXPECT_TRUE(VectorsNear(Again[Index].GetTranslation(), First[Index].GetTranslation(), 0.0));
		EXPECT_TRUE(QuatsNear(AfterAnother[Index].GetRotation(), First[Index].GetRotation(), 0.0));
		EXPECT_TRUE(VectorsNear(AfterAnother[Index].GetTranslation(), First[Index].GetTranslation(), 0.0));
	}

	// The unit writes each pivot from its setup transform, so a pivot moved in between is put back.
	const FRigElementKey Heel(TEXT("heel_l_pivot"), ERigElementType::Null);
	Rig->GetHierarchy().SetLocalTransform(Heel, FTransform(FRotator(0, 45, 0), FVector(100, 0, 0)));
	Evaluator.EvaluateFrame(30);
	EXPECT_TRUE(QuatsNear(LocalRotation(*Rig, TEXT("heel_l_pivot")), FQuat::Identity));
	EXPECT_TRUE(VectorsNear(Rig->GetHierarchy().GetLocalTransform(Heel).GetTranslation(),
		Rig->GetHierarchy().GetLocalTransform(Heel, true).GetTranslation()));

	// Frame 6: roll -15 turns the heel 15 and leaves ball and toe tip; rock -15 turns the inner pivot -15 (multiplier -1).
	Evaluator.EvaluateFrame(6);
	EXPECT_TRUE(QuatsNear(LocalRotation(*Rig, TEXT("heel_l_pivot")), AboutX(15.0)));
	EXPECT_TRUE(QuatsNear(LocalRotation(*Rig, TEXT("ball_l_pivot")), FQuat::Identity));
	EXPECT_TRUE(QuatsNear(LocalRotation(*Rig, TEXT("inner_l_pivot")), AboutY(-15.0)));
	EXPECT_TRUE(QuatsNear(LocalRotation(*Rig, TEXT("outer_l_pivot")), FQuat::Identity));
}
