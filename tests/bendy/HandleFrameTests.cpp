// Handle frames and space placement: rest frames at the setup pose and on a moved limb, parent controls (and the
// order their space nulls are written in), spaces placed once per evaluation, the rest-frame cache across segments,
// and the master's placements.
#include "BendTestRig.h"

namespace
{
const FQuat Yaw90 = FRotator(0, 90, 0).Quaternion();
}

TEST_P(BendEntries, AtTheSetupPoseEachHandleRestsWhereItWasAuthored)
{
	FBendSegmentRig Rig;
	// Move the middle space off the line and turn it: its rest frame is still its setup placement.
	const FTransform Authored(FRotator(10, 30, -20).Quaternion(), FVector(20, 4, -3), FVector(1, 2, 0.5));
	Rig.Hierarchy.SetGlobalTransform(FRigElementKey(TEXT("handle_1_space"), ERigElementType::Null), Authored, true);
	Rig.Hierarchy.SetGlobalTransform(
		FRigElementKey(TEXT("handle_1_space"), ERigElementType::Null), FTransform::Identity);
	Rig.Evaluate(GetParam());
	EXPECT_TRUE(TransformsNear(Rig.NullGlobal(TEXT("handle_1_space")), Authored, 1e-9));
	EXPECT_TRUE(TransformsNear(Rig.ControlGlobal(TEXT("handle_1")), Authored, 1e-9));
	EXPECT_TRUE(TransformsNear(Rig.NullGlobal(TEXT("handle_2_space")), FTransform(FVector(40, 0, 0)), 1e-9));
}

TEST(BendHandleFrames, RestFramesRideAlongTheLimbAndKeepTheirFractionWhenItStretches)
{
	FBendSegmentRig Rig;
	const FTransform Authored(FRotator(0, 20, 0).Quaternion(), FVector(20, 0, 5));
	Rig.Hierarchy.SetGlobalTransform(FRigElementKey(TEXT("handle_1_space"), ERigElementType::Null), Authored, true);

	// The whole limb turned 90 degrees about Z: rest frames turn with it, rigidly.
	Rig.SetBoneGlobal(Rig.Bones[0], FTransform(Yaw90));
	Rig.Evaluate();
	EXPECT_TRUE(TransformsNear(Rig.NullGlobal(TEXT("handle_1_space")), Authored * FTransform(Yaw90), 1e-9));
	EXPECT_TRUE(TransformsNear(Rig.NullGlobal(TEXT("handle_2_space")), FTransform(Yaw90, FVector(0, 40, 0)), 1e-9));

	// Stretched to 60: the handle keeps half the way between the end bones and its offset off the line.
	Rig.Unit.bCaptureBase = false;
	Rig.SetBoneGlobal(Rig.Bones[0], FTransform(Yaw90));
	Rig.SetBoneGlobal(Rig.Bones[4], FTransform(Yaw90, FVector(0, 60, 0)));
	Rig.Evaluate();
	EXPECT_TRUE(Rig.NullGlobal(TEXT("handle_1_space")).GetTranslation().Equals(FVector(0, 30, 5), 1e-9));
}

TEST(BendHandleFrames, AnUnanimatedEndpointRestsOnTheLineAndItsSpaceIsNotWritten)
{
	FBendSegmentRig Rig;
	Rig.Unit.Segments[0].Handles[0].Control = NAME_None;
	const FTransform Elsewhere(FVector(-7, -7, -7));
	Rig.Hierarchy.SetGlobalTransform(FRigElementKey(TEXT("handle_0_space"), ERigElementType::Null), Elsewhere);
	Rig.SetBoneGlobal(Rig.Bones[0], FTransform(Yaw90));
	Rig.Evaluate();
	EXPECT_TRUE(SameTransform(Rig.NullGlobal(TEXT("handle_0_space")), Elsewhere));
	// At rest the curve is the line, so the bones keep their captured pose.
	EXPECT_TRUE(TransformsNear(Rig.BoneGlobal(Rig.Bones[2]), FTransform(Yaw90, FVector(0, 20, 0)), 1e-9));
}

// The layout the rig builder generates for a handle with a parent control: "QVBendSpace_" + parent control (null) >
// parent control > the handle's space null > the handle's control. The handle's control must end exactly on the frame
// the curve is built from, CL * PL * R, also when the limb is off its setup pose. (Writing the space null before the
// "QVBendSpace_" null left it dragged along by its parent: about 10 units off on a bent limb.)
TEST_P(BendEntries, AHandleUnderAParentControlEndsOnTheFrameTheCurveUses)
{
	FBendSegmentRig Rig;
	const FTransform SetupRest(FVector(20, 0, 0));
	const FRigElementKey ParentSpace =
		Rig.Controller->AddNull(TEXT("QVBendSpace_parent"), FRigElementKey(), SetupRest, true);
	FRigControlSettings Settings;
	Settings.ControlType = ERigControlType::Transform;
	const FRigElementKey Parent = Rig.Controller->AddControl(
		TEXT("parent"), ParentSpace, Settings, FRigControlValue::Make<FTransform>(FTransform::Identity));
	Rig.AddHandleControl(TEXT("bend"), TEXT("bend_space"), SetupRest, Parent);
	Rig.Unit.Segments[0].Handles[1] = MakeHandle(TEXT("bend"), TEXT("bend_space"), 0.5f, TEXT("parent"));

	const FTransform ParentLocal(FRotator(0, 0, 25).Quaternion(), FVector(0, 2, 6));
	const FTransform ControlLocal(FRotator(15, 0, 0).Quaternion(), FVector(1, 0, 3));
	Rig.SetControlLocal(TEXT("parent"), ParentLocal);
	Rig.SetControlLocal(TEXT("bend"), ControlLocal);
	const FTransform Limb(FRotator(30, 60, 0).Quaternion(), FVector(5, -5, 10));
	for (int32 Frame = 0; Frame < 2; ++Frame)
	{
		Rig.Hierarchy.ResetPoseToInitial(ERigElementType::Bone);
		Rig.SetBoneGlobal(Rig.Bones[0], Limb);
		Rig.Evaluate(GetParam());
		const FTransform Rest = SetupRest * Limb;
		EXPECT_TRUE(TransformsNear(Rig.NullGlobal(TEXT("QVBendSpace_parent")), Rest, 1e-5)) << Frame;
		EXPECT_TRUE(TransformsNear(Rig.NullGlobal(TEXT("bend_space")), ParentLocal * Rest, 1e-5)) << Frame;
		EXPECT_TRUE(TransformsNear(Rig.ControlGlobal(TEXT("bend")), ControlLocal * ParentLocal * Rest, 1e-5)) << Frame;
	}
}

TEST(BendHandleFrames, ASpaceIsPlacedOncePerEvaluationByTheFirstHandleThatHasIt)
{
	// The limb turned and stretched from 40 to 60: a handle keeps its fraction along the line and its setup offset
	// from it, so the same space rests differently for handles at different parameters. Seen from the middle
	// (parameter 0.5, 20 short of the end space's setup place) the end space rests at 50; seen from the end, at 60.
	const auto Stretch = [](FBendSegmentRig& Rig)
	{
		Rig.SetBoneGlobal(Rig.Bones[0], FTransform(Yaw90));
		Rig.SetBoneGlobal(Rig.Bones[4], FTransform(Yaw90, FVector(0, 60, 0)));
	};

	// Within one segment: the middle handle, first to name the end handle's space, places it.
	FBendSegmentRig One;
	One.Unit.Segments[0].Handles[1].Space = TEXT("handle_2_space");
	Stretch(One);
	One.Evaluate();
	EXPECT_TRUE(TransformsNear(One.NullGlobal(TEXT("handle_2_space")), FTransform(Yaw90, FVector(0, 50, 0)), 1e-9));

	// Across segments: the first segment places the end space from its end handle; a later segment whose middle
	// handle names the same space leaves it there.
	FBendSegmentRig Two;
	FQVBendSegment Later = Two.Unit.Segments[0];
	Later.Handles[1].Space = TEXT("handle_2_space");
	Two.Unit.Segments.Add(Later);
	Stretch(Two);
	Two.Evaluate();
	EXPECT_TRUE(TransformsNear(Two.NullGlobal(TEXT("handle_2_space")), FTransform(Yaw90, FVector(0, 60, 0)), 1e-9));
}

TEST(BendHandleFrames, AControlEndingOneSegmentAndStartingTheNextRestsWhereTheNextStarts)
{
	// Upper chain u_0..u_2 and lower chain l_0..l_2, the elbow handle ending the upper and starting the lower. The
	// lower chain's first bone is turned 45 degrees about X against its setup: the shared handle takes that turn.
	FBendTestRig Rig;
	const TArray<FName> Upper = Rig.AddChain(TEXT("u"), 3, FTransform::Identity, 10.0);
	const TArray<FName> Lower = Rig.AddChain(
		TEXT("l"), 3, FTransform(FVector(20, 0, 0)), 10.0, FRigElementKey(Upper.Last(), ERigElementType::Bone));
	Rig.AddHandleControl(TEXT("elbow"), TEXT("elbow_space"), FTransform(FVector(20, 0, 0)));
	Rig.AddHandleControl(TEXT("upper_mid"), TEXT("upper_mid_space"), FTransform(FVector(10, 0, 0)));
	Rig.AddHandleControl(TEXT("lower_mid"), TEXT("lower_mid_space"), FTransform(FVector(30, 0, 0)));
	FQVBendSegment UpperSegment;
	UpperSegment.Bones = Upper;
	UpperSegment.Parameters = {0.f, 0.5f, 1.f};
	UpperSegment.Handles = {MakeHandle(NAME_None, NAME_None, 0.f),
		MakeHandle(TEXT("upper_mid"), TEXT("upper_mid_space"), 0.5f),
		MakeHandle(TEXT("elbow"), TEXT("elbow_space"), 1.f)};
	FQVBendSegment LowerSegment;
	LowerSegment.Bones = Lower;
	LowerSegment.Parameters = {0.f, 0.5f, 1.f};
	LowerSegment.Handles = {MakeHandle(TEXT("elbow"), TEXT("elbow_space"), 0.f),
		MakeHandle(TEXT("lower_mid"), TEXT("lower_mid_space"), 0.5f), MakeHandle(NAME_None, NAME_None, 1.f)};
	FRigUnit_QVBendySolver Unit;
	Unit.bCaptureBase = false;
	Unit.Segments = {UpperSegment, LowerSegment};
	Unit.SnapshotBones = Upper;
	Unit.SnapshotBones.Append(Lower);

	const FQuat Turn = FRotator(0, 0, 45).Quaternion();
	Rig.Hierarchy.SetLocalTransform(FRigElementKey(Lower[0], ERigElementType::Bone), FTransform(Turn));
	EvaluateBendSolver(Unit, &Rig.Hierarchy, EBendEntry::Member);
	const FTransform Elbow = Rig.NullGlobal(TEXT("elbow_space"));
	EXPECT_TRUE(Elbow.GetRotation().Equals(Turn, 1e-9));
	EXPECT_TRUE(Elbow.GetTranslation().Equals(FVector(20, 0, 0), 1e-9));
}

TEST(BendHandleFrames, AMasterPlacesItsSpaceAndReplacesTheInteriorPlacements)
{
	FBendSegmentRig Rig(3, true);
	// A parent control offset on the middle handle: with a master, its space still rests on the unbent frame.
	FRigControlSettings Settings;
	Settings.ControlType = ERigControlType::Transform;
	Rig.Controller->AddControl(
		TEXT("lift"), FRigElementKey(), Settings, FRigControlValue::Make<FTransform>(FTransform(FVector(0, 0, 5))));
	Rig.Unit.Segments[0].Handles[1].ParentControl = TEXT("lift");
	Rig.SetBoneGlobal(Rig.Bones[0], FTransform(Yaw90));
	Rig.Evaluate();
	EXPECT_TRUE(TransformsNear(Rig.NullGlobal(TEXT("handle_1_space")), FTransform(Yaw90, FVector(0, 20, 0)), 1e-9));
	EXPECT_TRUE(TransformsNear(Rig.NullGlobal(TEXT("master_space")), FTransform(Yaw90, FVector(0, 20, 0)), 1e-9));

	// Raising the master bends the interior handle's space up with it; the master's own space stays at rest, and the
	// end handles' spaces are the handle pass's.
	Rig.SetControlLocal(TEXT("master"), FTransform(FVector(0, 0, 10)));
	Rig.SetBoneGlobal(Rig.Bones[0], FTransform(Yaw90));
	Rig.Evaluate();
	const FVector Interior = Rig.NullGlobal(TEXT("handle_1_space")).GetTranslation();
	EXPECT_NEAR(Interior.X, 0.0, 1e-9);
	EXPECT_NEAR(Interior.Y, 20.0, 1e-9);
	EXPECT_GT(Interior.Z, 5.0);
	EXPECT_LT(Interior.Z, 10.0);
	EXPECT_TRUE(TransformsNear(Rig.NullGlobal(TEXT("master_space")), FTransform(Yaw90, FVector(0, 20, 0)), 1e-9));
	EXPECT_TRUE(TransformsNear(Rig.ControlGlobal(TEXT("master")), FTransform(Yaw90, FVector(0, 20, 10)), 1e-6));
	EXPECT_TRUE(TransformsNear(Rig.NullGlobal(TEXT("handle_2_space")), FTransform(Yaw90, FVector(0, 40, 0)), 1e-9));
	// The bend reaches the bones: the middle bone rises, the end bones stay.
	EXPECT_GT(Rig.BoneGlobal(Rig.Bones[2]).GetTranslation().Z, 1.0);
	EXPECT_TRUE(Rig.BoneGlobal(Rig.Bones[4]).GetTranslation().Equals(FVector(0, 40, 0), 1e-9));
}
