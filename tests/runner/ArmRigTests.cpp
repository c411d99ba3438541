// The example arm evaluated through the runner: the bend solver's restore, capture and deform placements read from
// the rig file, the elbow raised, the wrist twisted, a handle scaled and the master moved.
#include "QVRig/RigEvaluator.h"
#include "RunnerTestUtils.h"

#include <cmath>
#include <iterator>

namespace
{
TUniquePtr<FQVRig> LoadArm()
{
	FString Error;
	TUniquePtr<FQVRig> Rig = FQVRigFileLoader::LoadFile(QV_SOURCE_DIR "/examples/arm.rig.json", Error);
	EXPECT_TRUE(Rig) << *Error;
	return Rig;
}

FTransform BoneGlobal(const FQVRig& Rig, const TCHAR* Bone)
{
	return Rig.GetHierarchy().GetGlobalTransform(FRigElementKey(Bone, ERigElementType::Bone));
}

// The bone's turn about its own X axis against its setup rotation, in degrees.
double TwistFromSetup(const FQVRig& Rig, const TCHAR* Bone)
{
	const FRigElementKey Key(Bone, ERigElementType::Bone);
	const FQuat Delta = Rig.GetHierarchy().GetGlobalTransform(Key, true).GetRotation().Inverse() *
		Rig.GetHierarchy().GetGlobalTransform(Key).GetRotation();
	FQuat Swing;
	FQuat Twist;
	Delta.ToSwingTwist(FVector::XAxisVector, Swing, Twist);
	return 2.0 * std::atan2(Twist.X, Twist.W) * 180.0 / UE_DOUBLE_PI;
}

const TCHAR* const ArmBones[] = {TEXT("upperarm_l"), TEXT("upperarm_twist_01_l"), TEXT("upperarm_twist_02_l"),
	TEXT("lowerarm_l"), TEXT("lowerarm_twist_01_l"), TEXT("lowerarm_twist_02_l"), TEXT("hand_l")};
} // namespace

TEST(ArmRig, TheFirstFrameIsTheSetupPose)
{
	const TUniquePtr<FQVRig> Rig = LoadArm();
	ASSERT_TRUE(Rig);
	FQVRigEvaluator Evaluator(*Rig);
	Evaluator.EvaluateFrame(0);
	for (const TCHAR* Bone : ArmBones)
	{
		const FTransform Setup =
			Rig->GetHierarchy().GetGlobalTransform(FRigElementKey(Bone, ERigElementType::Bone), true);
		EXPECT_TRUE(VectorsNear(BoneGlobal(*Rig, Bone).GetTranslation(), Setup.GetTranslation(), 1e-9)) << Bone;
		EXPECT_TRUE(QuatsNear(BoneGlobal(*Rig, Bone).GetRotation(), Setup.GetRotation(), 1e-9)) << Bone;
	}
	EXPECT_EQ(Evaluator.GetLog().Entries.Num(), 0);
}

TEST(ArmRig, TheElbowRisesTheWristTwistSpreadsAndFramesDoNotBuildOnEachOther)
{
	const TUniquePtr<FQVRig> Rig = LoadArm();
	ASSERT_TRUE(Rig);
	FQVRigEvaluator Evaluator(*Rig);
	for (int32 Frame = 0; Frame <= 48; ++Frame)
	{
		Evaluator.EvaluateFrame(Frame);
	}
	// The shared elbow handle raised 8: the elbow bone, first bone of the forearm, rises with it; shoulder and
	// wrist stay.
	EXPECT_TRUE(VectorsNear(BoneGlobal(*Rig, TEXT("lowerarm_l")).GetTranslation(), FVector(45, 0, 158), 1e-5));
	EXPECT_TRUE(VectorsNear(BoneGlobal(*Rig, TEXT("upperarm_l")).GetTranslation(), FVector(15, 0, 150), 1e-9));
	EXPECT_TRUE(VectorsNear(BoneGlobal(*Rig, TEXT("hand_l")).GetTranslation(), FVector(71.08, 6.9881, 150), 1e-3));
	// The wrist handle's 90 degree twist reaches a third and two thirds of it along the forearm; the hand, last
	// bone of its segment, keeps its own rotation.
	EXPECT_NEAR(TwistFromSetup(*Rig, TEXT("lowerarm_twist_01_l")), 30.0, 1e-3);
	EXPECT_NEAR(TwistFromSetup(*Rig, TEXT("lowerarm_twist_02_l")), 60.0, 1e-3);
	EXPECT_TRUE(QuatsNear(BoneGlobal(*Rig, TEXT("hand_l")).GetRotation(),
		Rig->GetHierarchy()
			.GetGlobalTransform(FRigElementKey(TEXT("hand_l"), ERigElementType::Bone), true)
			.GetRotation(),
		1e-9));
	// The upper arm's middle handle, scaled 1.5 in Y and Z, thickens the twist bones near it.
	EXPECT_NEAR(BoneGlobal(*Rig, TEXT("upperarm_twist_01_l")).GetScale3D().Y,
		1.0 + 0.5 * (1.0 - (0.5 - 0.33333333) / 0.5), 1e-5);
	// The master moved along -Y carries the upper arm's middle off the line.
	EXPECT_LT(BoneGlobal(*Rig, TEXT("upperarm_twist_01_l")).GetTranslation().Y, -1.0);

	// Frame 48 again, after frames in between: the same pose, as the restore and capture placements keep the
	// deformation from carrying over.
	TArray<FTransform> Last;
	for (const TCHAR* Bone : ArmBones)
	{
		Last.Add(BoneGlobal(*Rig, Bone));
	}
	Evaluator.EvaluateFrame(20);
	Evaluator.EvaluateFrame(48);
	for (int32 Bone = 0; Bone < int32(std::size(ArmBones)); ++Bone)
	{
		EXPECT_TRUE(VectorsNear(BoneGlobal(*Rig, ArmBones[Bone]).GetTranslation(), Last[Bone].GetTranslation(), 1e-9));
		EXPECT_TRUE(QuatsNear(BoneGlobal(*Rig, ArmBones[Bone]).GetRotation(), Last[Bone].GetRotation(), 1e-9));
	}
}
