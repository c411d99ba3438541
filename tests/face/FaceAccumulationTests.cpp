// Accumulating set-driven-key rows and direct-control deltas per target, without a hierarchy.
#include "FaceSolverTestRig.h"
#include "QVFaceDirectControl.h"
#include "QVFaceSDKAccumulation.h"

#include <cmath>
#include <limits>

namespace
{
// The unit's four hidden arrays and an accumulation over them.
struct FAccumulationArrays
{
	TArray<FRigElementKey> Keys;
	TArray<FTransform> Transforms;
	TArray<FVector> RotationDeltas;
	TArray<FVector> WorldDeltas;
};

bool IsFiniteTransform(const FTransform& Transform)
{
	const FQuat Q = Transform.GetRotation();
	const FVector T = Transform.GetTranslation();
	const FVector S = Transform.GetScale3D();
	for (const double Value : {Q.X, Q.Y, Q.Z, Q.W, T.X, T.Y, T.Z, S.X, S.Y, S.Z})
	{
		if (!std::isfinite(Value))
		{
			return false;
		}
	}
	return true;
}
} // namespace

TEST(FaceAccumulation, TargetsAreFoundByTypeAndNameInOrderOfFirstAppearance)
{
	FAccumulationArrays Arrays;
	FQVFaceSDKAccumulation Accumulation(Arrays.Keys, Arrays.Transforms, Arrays.RotationDeltas, Arrays.WorldDeltas);
	const FRigElementKey Bone(TEXT("jaw"), ERigElementType::Bone);
	const FRigElementKey Null(TEXT("jaw"), ERigElementType::Null);
	EXPECT_EQ(Accumulation.Find(Bone), INDEX_NONE);
	EXPECT_EQ(Accumulation.Add(Bone, FTransform(FVector(1, 2, 3))), 0);
	EXPECT_EQ(Accumulation.Add(Null, FTransform::Identity), 1);
	// Names ignore case; types tell a bone and a null of one name apart.
	EXPECT_EQ(Accumulation.Find(FRigElementKey(TEXT("JAW"), ERigElementType::Bone)), 0);
	EXPECT_EQ(Accumulation.Find(Null), 1);
	EXPECT_TRUE(VectorsNear(Accumulation.GetTransform(0).GetTranslation(), FVector(1, 2, 3)));
	EXPECT_TRUE(Arrays.RotationDeltas[0].IsZero() && Arrays.WorldDeltas[1].IsZero());

	// Far more targets than a face has: every one is still found where it was added, past the stack index too.
	for (int32 Index = 2; Index < 700; ++Index)
	{
		const FRigElementKey Key(FName(*FString::Printf(TEXT("bone_%d"), Index)), ERigElementType::Bone);
		ASSERT_EQ(Accumulation.Find(Key), INDEX_NONE);
		ASSERT_EQ(Accumulation.Add(Key, FTransform::Identity), Index);
	}
	for (int32 Index = 2; Index < 700; ++Index)
	{
		const FRigElementKey Key(FName(*FString::Printf(TEXT("Bone_%d"), Index)), ERigElementType::Bone);
		ASSERT_EQ(Accumulation.Find(Key), Index);
	}
	EXPECT_EQ(Accumulation.Find(FRigElementKey(TEXT("bone_700"), ERigElementType::Bone)), INDEX_NONE);
	// The element index a target was added with is kept for the first targets; the rest resolve by key.
	EXPECT_EQ(Accumulation.GetElementIndex(0), INDEX_NONE);
	const int32 Indexed =
		Accumulation.Add(FRigElementKey(TEXT("late"), ERigElementType::Null), FTransform::Identity, 42);
	EXPECT_EQ(Accumulation.GetElementIndex(Indexed), INDEX_NONE);

	// A new evaluation forgets the targets but keeps the arrays' allocations.
	const int32 Capacity = Arrays.Transforms.Max();
	FQVFaceSDKAccumulation Next(Arrays.Keys, Arrays.Transforms, Arrays.RotationDeltas, Arrays.WorldDeltas);
	EXPECT_EQ(Next.Num(), 0);
	EXPECT_EQ(Next.Find(Bone), INDEX_NONE);
	EXPECT_EQ(Arrays.Transforms.Max(), Capacity);
	EXPECT_EQ(Next.Add(Null, FTransform::Identity, 7), 0);
	EXPECT_EQ(Next.Find(Null), 0);
	EXPECT_EQ(Next.GetElementIndex(0), 7);
}

TEST(FaceAccumulation, RowsCombineAsTheirModesSay)
{
	FAccumulationArrays Arrays;
	FQVFaceSDKAccumulation Accumulation(Arrays.Keys, Arrays.Transforms, Arrays.RotationDeltas, Arrays.WorldDeltas);
	const FQuat SetupRotation = AxisAngle(FVector(1, 0, 0), 30.0);
	const FTransform Setup(SetupRotation, FVector(1, 2, 3), FVector(1, 1, 1));
	const int32 Target = Accumulation.Add(FRigElementKey(TEXT("lip"), ERigElementType::Bone), Setup);

	// Two additive yaw rows of 10 and 20 degrees become one turn of 30 after the setup rotation.
	Accumulation.ApplyAdditiveRow(Target, EQVFaceSDKChannel::RotationZ, EQVFaceSDKTransformSpace::Local, 10.0, 1.f);
	Accumulation.ApplyAdditiveRow(Target, EQVFaceSDKChannel::RotationZ, EQVFaceSDKTransformSpace::World, 20.0, 1.f);
	EXPECT_TRUE(VectorsNear(Accumulation.GetRotationDelta(Target), FVector(0, 0, 30)));
	// An absolute scale row at half weight: 1 + (3 - 1) * 0.5.
	Accumulation.ApplyAbsoluteRow(Target, EQVFaceSDKChannel::ScaleX, Setup, 3.0, 0.5f);
	// An absolute translation row overrides the additive contributions before it; unclamped additive weights
	// exaggerate.
	Accumulation.ApplyAdditiveRow(Target, EQVFaceSDKChannel::TranslationY, EQVFaceSDKTransformSpace::Local, 5.0, 2.f);
	Accumulation.ApplyAdditiveRow(Target, EQVFaceSDKChannel::TranslationZ, EQVFaceSDKTransformSpace::Local, 1.0, 2.f);
	Accumulation.ApplyAbsoluteRow(Target, EQVFaceSDKChannel::TranslationY, Setup, 4.0, 7.f);
	EXPECT_TRUE(VectorsNear(Accumulation.GetTransform(Target).GetTranslation(), FVector(1, 4, 5)));
	EXPECT_TRUE(VectorsNear(Accumulation.GetTransform(Target).GetScale3D(), FVector(2, 1, 1)));

	// World-space translation waits for the write and is taken into the parent's setup frame (turned 90 about Z).
	Accumulation.ApplyAdditiveRow(Target, EQVFaceSDKChannel::TranslationX, EQVFaceSDKTransformSpace::World, 1.0, 1.f);
	const FTransform Written = Accumulation.Resolve(Target, AxisAngle(FVector(0, 0, 1), 90.0));
	EXPECT_TRUE(VectorsNear(Written.GetTranslation(), FVector(1, 3, 5)));
	EXPECT_TRUE(QuatsNear(Written.GetRotation(), SetupRotation * AxisAngle(FVector(0, 0, 1), 30.0)));

	// An absolute angle row replaces the accumulated rotation's angle; the additive delta still comes on top.
	Accumulation.ApplyAbsoluteRow(Target, EQVFaceSDKChannel::RotationX, Setup, 50.0, 1.f);
	// (Rotators come from the engine's arc tangent approximation, good to about 1e-6.)
	EXPECT_TRUE(QuatsNear(Accumulation.Resolve(Target, FQuat::Identity).GetRotation(),
		AxisAngle(FVector(1, 0, 0), -50.0) * AxisAngle(FVector(0, 0, 1), 30.0), 1e-6));
}

TEST(FaceAccumulation, QuaternionRowsBlendByTheClampedWeight)
{
	FAccumulationArrays Arrays;
	FQVFaceSDKAccumulation Accumulation(Arrays.Keys, Arrays.Transforms, Arrays.RotationDeltas, Arrays.WorldDeltas);
	const FQuat Setup = AxisAngle(FVector(0, 1, 0), 20.0);
	const int32 Target = Accumulation.Add(FRigElementKey(TEXT("brow"), ERigElementType::Bone), FTransform(Setup));
	const FQuat Curve = AxisAngle(FVector(0, 0, 1), 40.0);
	// Weight 0.5 times multiplier 1 turns half way; weight 1 times multiplier 3 clamps to the whole turn.
	Accumulation.ApplyQuaternionRow(Target, Curve, 0.5f, 1.f);
	EXPECT_TRUE(QuatsNear(Accumulation.GetTransform(Target).GetRotation(), Setup * AxisAngle(FVector(0, 0, 1), 20.0)));
	Accumulation.ApplyQuaternionRow(Target, Curve, 1.f, 3.f);
	EXPECT_TRUE(QuatsNear(Accumulation.GetTransform(Target).GetRotation(), Setup * AxisAngle(FVector(0, 0, 1), 60.0)));
	Accumulation.ApplyQuaternionRow(Target, Curve, 1.f, -1.f);
	EXPECT_TRUE(QuatsNear(Accumulation.GetTransform(Target).GetRotation(), Setup * AxisAngle(FVector(0, 0, 1), 60.0)));

	// A full blend lands on the curve's rotation on the identity's side, sign included, as the slerp does.
	const FQuat Far = -AxisAngle(FVector(1, 0, 0), 30.0);
	const int32 Other = Accumulation.Add(FRigElementKey(TEXT("lid"), ERigElementType::Bone), FTransform::Identity);
	Accumulation.ApplyQuaternionRow(Other, Far, 1.f, 1.f);
	const FQuat Slerped = FQuat::Slerp_NotNormalized(FQuat::Identity, Far, 1.0).GetNormalized();
	const FQuat Got = Accumulation.GetTransform(Other).GetRotation();
	EXPECT_GT(Got.W, 0.0);
	EXPECT_NEAR(Got.X, Slerped.X, 1e-15);
	EXPECT_NEAR(Got.W, Slerped.W, 1e-15);
}

TEST(FaceAccumulation, NegligibleDeltasAreLeftOut)
{
	FAccumulationArrays Arrays;
	FQVFaceSDKAccumulation Accumulation(Arrays.Keys, Arrays.Transforms, Arrays.RotationDeltas, Arrays.WorldDeltas);
	const FTransform Setup(AxisAngle(FVector(0, 0, 1), 10.0), FVector(1, 2, 3), FVector(1, 1, 1));
	const int32 Small = Accumulation.Add(FRigElementKey(TEXT("small"), ERigElementType::Bone), Setup);
	const int32 Large = Accumulation.Add(FRigElementKey(TEXT("large"), ERigElementType::Bone), Setup);
	for (const EQVFaceSDKChannel Channel : {EQVFaceSDKChannel::RotationX, EQVFaceSDKChannel::RotationZ,
			 EQVFaceSDKChannel::TranslationX, EQVFaceSDKChannel::TranslationY})
	{
		Accumulation.ApplyAdditiveRow(Small, Channel, EQVFaceSDKTransformSpace::World, 0.00005, 1.f);
		Accumulation.ApplyAdditiveRow(Large, Channel, EQVFaceSDKTransformSpace::World, 0.0002, 1.f);
	}
	// Below 1e-4 on every axis: the setup transform exactly, bit for bit.
	const FTransform Unchanged = Accumulation.Resolve(Small, FQuat::Identity);
	EXPECT_TRUE(Unchanged.Equals(Setup, 0.0));
	const FTransform Changed = Accumulation.Resolve(Large, FQuat::Identity);
	EXPECT_TRUE(VectorsNear(Changed.GetTranslation(), FVector(1.0002, 2.0002, 3)));
	EXPECT_FALSE(Changed.GetRotation().Equals(Setup.GetRotation(), 0.0));
}

// A NaN weight passes the weight gate (it is not at or below 1e-8), and additive rows use the weight unclamped, so
// it used to reach the pose. It now acts as the clamps of the same weight take it: 1.
TEST(FaceAccumulation, ANaNWeightActsAsFullWeightAndNoNaNReachesThePose)
{
	const float NaN = std::numeric_limits<float>::quiet_NaN();
	const float Infinity = std::numeric_limits<float>::infinity();
	EXPECT_EQ(FQVFaceSDKAccumulation::AdditiveWeight(NaN), 1.f);
	EXPECT_EQ(FQVFaceSDKAccumulation::AdditiveWeight(Infinity), 1.f);
	EXPECT_EQ(FQVFaceSDKAccumulation::AdditiveWeight(-Infinity), 0.f);
	EXPECT_EQ(FQVFaceSDKAccumulation::AdditiveWeight(2.5f), 2.5f);
	EXPECT_EQ(FQVFaceSDKAccumulation::AdditiveWeight(-0.5f), -0.5f);

	FAccumulationArrays Arrays;
	FQVFaceSDKAccumulation Accumulation(Arrays.Keys, Arrays.Transforms, Arrays.RotationDeltas, Arrays.WorldDeltas);
	const FTransform Setup(FVector(1, 2, 3));
	const int32 Target = Accumulation.Add(FRigElementKey(TEXT("jaw"), ERigElementType::Bone), Setup);
	Accumulation.ApplyAdditiveRow(Target, EQVFaceSDKChannel::TranslationX, EQVFaceSDKTransformSpace::Local, 0.5, NaN);
	Accumulation.ApplyAdditiveRow(Target, EQVFaceSDKChannel::TranslationY, EQVFaceSDKTransformSpace::World, 0.0, NaN);
	Accumulation.ApplyAdditiveRow(Target, EQVFaceSDKChannel::RotationZ, EQVFaceSDKTransformSpace::Local, 10.0, NaN);
	Accumulation.ApplyAdditiveRow(Target, EQVFaceSDKChannel::ScaleZ, EQVFaceSDKTransformSpace::Local, 0.0, Infinity);
	Accumulation.ApplyAbsoluteRow(Target, EQVFaceSDKChannel::ScaleY, Setup, 2.0, NaN);
	Accumulation.ApplyQuaternionRow(Target, AxisAngle(FVector(1, 0, 0), 20.0), NaN, 1.f);
	const FTransform Written = Accumulation.Resolve(Target, FQuat::Identity);
	ASSERT_TRUE(IsFiniteTransform(Written));
	EXPECT_TRUE(VectorsNear(Written.GetTranslation(), FVector(1.5, 2, 3)));
	EXPECT_TRUE(VectorsNear(Written.GetScale3D(), FVector(1, 2, 1)));
	EXPECT_TRUE(
		QuatsNear(Written.GetRotation(), AxisAngle(FVector(1, 0, 0), 20.0) * AxisAngle(FVector(0, 0, 1), 10.0)));
}

TEST(FaceDirectControl, TheControlsLocalDeltaReachesTheBoneThroughRigSpace)
{
	const FTransform Bone(AxisAngle(FVector(1, 0, 0), 15.0), FVector(5, 6, 7), FVector(1, 1, 1));

	// Identity frames: the control's motion is the bone's, its translation divided by the face scale.
	FTransform Moved = Bone;
	QVFaceDirectControl::AddDelta(
		Moved, FTransform::Identity, FTransform(FVector(1, 0, 0)), FTransform::Identity, FTransform::Identity, 2.0);
	EXPECT_TRUE(VectorsNear(Moved.GetTranslation(), FVector(5.5, 6, 7)));
	EXPECT_TRUE(QuatsNear(Moved.GetRotation(), Bone.GetRotation()));

	// The control's setup frame turns 90 degrees about X and doubles; the bone's parent turns 90 about Z.
	const FQuat ControlFrame = AxisAngle(FVector(1, 0, 0), 90.0);
	const FTransform ControlGlobal(ControlFrame, FVector(10, 0, 0), FVector(2, 2, 2));
	const FQuat ParentFrame = AxisAngle(FVector(0, 0, 1), 90.0);
	const FTransform Parent(ParentFrame, FVector(0, 0, 50), FVector(3, 3, 3));
	const FTransform ControlSetup(FQuat::Identity, FVector(0, 1, 0), FVector(2, 2, 0));
	const FTransform ControlNow(AxisAngle(FVector(0, 0, 1), 10.0), FVector(0, 2, 0), FVector(3, 1, 5));
	FTransform Driven = Bone;
	QVFaceDirectControl::AddDelta(Driven, ControlSetup, ControlNow, ControlGlobal, Parent, 1.0);

	// Moved 1 along the control's Y: twice that along the rig's Z (the frame's Y), which is the parent's Z.
	EXPECT_TRUE(VectorsNear(Driven.GetTranslation(), FVector(5, 6, 9)));
	// Turned 10 degrees about the control's Z, which is the rig's -Y, which the parent's frame sees as -X; the turn
	// comes before the bone's own rotation.
	EXPECT_TRUE(QuatsNear(Driven.GetRotation(), AxisAngle(FVector(1, 0, 0), -10.0) * Bone.GetRotation()));
	// Scale ratios 3/2 and 1/2; the axis whose setup scale is zero is left alone.
	EXPECT_TRUE(VectorsNear(Driven.GetScale3D(), FVector(1.5, 0.5, 1)));
}

TEST(FaceDirectControl, TheFollowRecordKeepsEachBonesFirstPose)
{
	FQVFaceFollowRecord Record;
	Record.Record(FName(TEXT("Nose_M")), FTransform(FVector(1, 0, 0)));
	Record.Record(FName(TEXT("NOSE_M")), FTransform(FVector(2, 0, 0)));
	Record.Record(FName(TEXT("Chin_M")), FTransform(FVector(3, 0, 0)));
	EXPECT_EQ(Record.Num(), 2);
	ASSERT_NE(Record.Find(FName(TEXT("nose_m"))), nullptr);
	EXPECT_TRUE(VectorsNear(Record.Find(FName(TEXT("nose_m")))->GetTranslation(), FVector(1, 0, 0)));
	EXPECT_EQ(Record.Find(FName(TEXT("Jaw_M"))), nullptr);
	Record.Reset();
	EXPECT_EQ(Record.Num(), 0);
}
