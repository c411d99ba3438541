// The face layers over the finished set-driven-key pose, through the solver: eye joints, region controls, follow
// controls in both forms and the follow helpers of direct controls; that they see the rows' result; and that a whole
// face with every layer does not drift over many evaluations.
#include "FaceSolverTestRig.h"

#include <cmath>

namespace
{
const FVector X(1, 0, 0), Y(0, 1, 0), Z(0, 0, 1);

FRigControlValue EulerValue(const FTransform& Transform)
{
	return FRigControlValue::Make<FEulerTransform>(FEulerTransform(Transform));
}

FRigControlValue TransformValue(const FTransform& Transform)
{
	return FRigControlValue::Make<FTransform>(Transform);
}

// The pose turned by Rotation about the point Pivot.
FTransform TurnedAbout(const FTransform& Pose, const FQuat& Rotation, const FVector& Pivot)
{
	return FTransform(
		Rotation * Pose.GetRotation(), Pivot + Rotation.RotateVector(Pose.GetTranslation() - Pivot), Pose.GetScale3D());
}

FQVFaceSDKFollowControl& AddFollow(FFaceSolverRig& Rig, const TCHAR* Control, const TCHAR* Bone, const TCHAR* Null)
{
	FQVFaceSDKFollowControl& Follow = Rig.Asset->FollowControls.AddDefaulted_GetRef();
	Follow.ControlName = Control;
	Follow.BoneName = Bone;
	Follow.FollowNullName = Null;
	return Follow;
}
} // namespace

TEST(FaceSolverEyeJoints, TheEyeBoneCopiesTheFinalControlOverTheRowsResult)
{
	FFaceSolverRig Rig;
	const FRigElementKey Carrier = Rig.AddNull(TEXT("eyeCarrier"), Rig.Head, FTransform(FVector(-3, 9, 113)));
	const FRigElementKey Aim = Rig.AddNull(TEXT("eyeAim"), Carrier, FTransform(FVector(-3, 9, 113)));
	const FRigElementKey SDK = Rig.AddNull(TEXT("eyeSDK"), Aim, FTransform(FVector(-3, 9, 113)));
	const FRigElementKey Final = Rig.AddControl(TEXT("eyeFinal"), SDK, ERigControlType::EulerTransform,
		EulerValue(FTransform::Identity), FTransform(FVector(-3, 9, 113)));
	const FRigElementKey Eye = Rig.AddBone(TEXT("eye"), Rig.FaceJoint, FTransform(FVector(-3, 9, 113)));
	const FRigElementKey OtherEye = Rig.AddBone(TEXT("otherEye"), Rig.FaceJoint, FTransform(FVector(3, 9, 113)));
	FQVFaceSDKEyeChain& Chain = Rig.Asset->EyeChains.AddDefaulted_GetRef();
	Chain.SDKNullName = TEXT("eyeSDK");
	Chain.FinalControlName = TEXT("eyeFinal");
	Chain.EyeJointName = TEXT("eye");
	// A chain whose SDK null is missing is skipped entirely, the eye joint copy included.
	FQVFaceSDKEyeChain& Broken = Rig.Asset->EyeChains.AddDefaulted_GetRef();
	Broken.SDKNullName = TEXT("noSuchNull");
	Broken.FinalControlName = TEXT("eyeFinal");
	Broken.EyeJointName = TEXT("otherEye");

	// A row turns the SDK null; the animator turns the final control on top.
	const FRigElementKey Slider =
		Rig.AddControl(TEXT("look"), Rig.Box, ERigControlType::Float, FRigControlValue::Make<float>(1.f));
	Rig.AddDriven(Rig.AddDriver(TEXT("look"), EQVFaceSDKChannel::ValueFloat), TEXT("eyeSDK"),
		EQVFaceSDKChannel::RotationZ, {{0.f, 0.f}, {1.f, 20.f}});
	Rig.SetEulerValue(Final, FTransform(AxisAngle(Y, -10.0)));
	Rig.Evaluate();

	const FTransform Expected(AxisAngle(Z, 20.0) * AxisAngle(Y, -10.0), FVector(-3, 9, 113));
	EXPECT_TRUE(TransformsNear(Rig.Global(Eye), Expected, 1e-9));
	EXPECT_TRUE(Rig.Global(Eye).Equals(Rig.Global(Final), 1e-12));
	EXPECT_TRUE(Rig.Local(OtherEye).Equals(Rig.Local(OtherEye, true), 0.0));
	(void)Slider;
}

TEST(FaceSolverRegions, ARegionTurnedTenDegreesTurnsItsBonesRigidlyWhateverTheirDepthOrOrder)
{
	FFaceSolverRig Rig;
	// A chain of three depths and a bone beside it, listed children first. The pivot is the control's value under
	// its parent (its offset plays no part), so the control sits without an offset below a null at the pivot.
	const FRigElementKey Cheek =
		Rig.AddBone(TEXT("cheek"), Rig.FaceJoint, FTransform(AxisAngle(Z, 5.0), FVector(4, 9, 110)));
	const FRigElementKey Raiser = Rig.AddBone(TEXT("raiser"), Cheek, FTransform(FVector(4, 10, 111)));
	const FRigElementKey Puff = Rig.AddBone(TEXT("puff"), Raiser, FTransform(AxisAngle(X, 12.0), FVector(5, 11, 111)));
	const FRigElementKey Dimple = Rig.AddBone(TEXT("dimple"), Rig.FaceJoint, FTransform(FVector(3, 12, 108)));
	const FVector PivotAt(4, 12, 110);
	const FRigElementKey PivotSpace = Rig.AddNull(TEXT("cheekPivot"), Rig.FaceJoint, FTransform(PivotAt));
	const FRigElementKey Region = Rig.AddControl(TEXT("cheekRegion"), PivotSpace, ERigControlType::EulerTransform,
		EulerValue(FTransform::Identity), FTransform(PivotAt));
	FQVFaceSDKRegionControl& Record = Rig.Asset->RegionControls.AddDefaulted_GetRef();
	Record.ControlName = TEXT("cheekRegion");
	Record.BoneNames = {TEXT("puff"), TEXT("dimple"), TEXT("noSuchBone"), TEXT("cheek"), TEXT("raiser"), TEXT("puff")};
	// A row moves the cheek first: the region turns the pose the rows left.
	const FRigElementKey Slider =
		Rig.AddControl(TEXT("puffer"), Rig.Box, ERigControlType::Float, FRigControlValue::Make<float>(1.f));
	Rig.AddDriven(Rig.AddDriver(TEXT("puffer"), EQVFaceSDKChannel::ValueFloat), TEXT("cheek"),
		EQVFaceSDKChannel::TranslationX, {{0.f, 0.f}, {1.f, 1.f}});

	// At its setup pose the region leaves the bones where the rows put them.
	Rig.Evaluate();
	const FTransform CheekFromRows = FTransform(AxisAngle(Z, 5.0), FVector(5, 9, 110));
	EXPECT_TRUE(TransformsNear(Rig.Global(Cheek), CheekFromRows, 1e-9));
	TMap<FRigElementKey, FTransform> FromRows;
	for (const FRigElementKey& Bone : {Cheek, Raiser, Puff, Dimple})
	{
		FromRows.Add(Bone, Rig.Global(Bone));
	}

	// (The turn is the control's value: 10 degrees through the engine's quaternion-to-rotator arc tangent, and single
	// precision.)
	Rig.SetEulerValue(Region, FTransform(AxisAngle(Z, 10.0)));
	const FQuat Turn = Rig.Local(Region).GetRotation();
	const double TurnDegrees = 2.0 * std::atan2(Turn.Z, Turn.W) * 180.0 / UE_DOUBLE_PI;
	EXPECT_NEAR(TurnDegrees, 10.0, 1e-4);
	Rig.Evaluate();
	for (const FRigElementKey& Bone : {Cheek, Raiser, Puff, Dimple})
	{
		EXPECT_TRUE(TransformsNear(Rig.Global(Bone), TurnedAbout(FromRows[Bone], Turn, PivotAt), 1e-9))
			<< *Bone.ToString();
	}

	// At half weight the pivot turns half way (the rows' additive output halves too).
	Rig.Unit.Weight = 0.5f;
	Rig.Evaluate();
	const FTransform HalfCheek = FTransform(AxisAngle(Z, 5.0), FVector(4.5, 9, 110));
	EXPECT_TRUE(
		TransformsNear(Rig.Global(Cheek), TurnedAbout(HalfCheek, AxisAngle(Z, 0.5 * TurnDegrees), PivotAt), 1e-9));
	(void)Slider;
}

TEST(FaceSolverFollowControls, HelpersSitAtTheirSetupPoseAtRestScaledByTheFaceUnlessBoundInMeshSpace)
{
	// The face scale is 2 (from the face joint's setup scale) while the face joint stays at rest.
	FFaceSolverRig Rig(2.0);
	const FRigElementKey Lip = Rig.AddBone(TEXT("lip"), Rig.FaceJoint, FTransform(FVector(1, 12, 108)));
	const FRigElementKey OnFace = Rig.AddNull(TEXT("OnFacecontrols"), Rig.FaceJoint, FTransform(FVector(0, 10, 110)));
	const FTransform FaceUnitsSetup(AxisAngle(X, 20.0), FVector(1, 14, 108));
	const FRigElementKey FaceUnits = Rig.AddNull(TEXT("lipFollow"), OnFace, FaceUnitsSetup);
	const FRigElementKey MeshUnits = Rig.AddNull(TEXT("lipFollowMesh"), OnFace, FaceUnitsSetup);
	const FRigElementKey FaceControl = Rig.AddControl(
		TEXT("lipCtrl"), FaceUnits, ERigControlType::Transform, TransformValue(FTransform::Identity), FaceUnitsSetup);
	const FRigElementKey MeshControl = Rig.AddControl(TEXT("lipCtrlMesh"), MeshUnits, ERigControlType::Transform,
		TransformValue(FTransform::Identity), FaceUnitsSetup);
	AddFollow(Rig, TEXT("lipCtrl"), TEXT("lip"), TEXT("lipFollow"));
	AddFollow(Rig, TEXT("lipCtrlMesh"), TEXT("lip"), TEXT("lipFollowMesh")).bBindInMeshSpace = true;
	Rig.Evaluate();

	// Its translation in rig space grows with the face scale; its scale is its setup scale times the face joint's
	// current-to-setup ratio (1).
	EXPECT_TRUE(TransformsNear(Rig.Global(FaceUnits),
		FTransform(FaceUnitsSetup.GetRotation(), FaceUnitsSetup.GetTranslation() * 2.0, FVector(1, 1, 1)), 1e-9));
	EXPECT_TRUE(TransformsNear(Rig.Global(MeshUnits), Rig.Global(MeshUnits, true), 1e-9));
	// The controls below carry no motion of their own, so they sit on their helpers.
	EXPECT_TRUE(TransformsNear(Rig.Global(FaceControl), Rig.Global(FaceUnits), 1e-9));
	EXPECT_TRUE(TransformsNear(Rig.Global(MeshControl), Rig.Global(MeshUnits), 1e-9));
	(void)Lip;
}

TEST(FaceSolverFollowControls, HelpersFollowTheBoneAndTheControlsOwnMotionIsCancelled)
{
	FFaceSolverRig Rig;
	const FRigElementKey Lip = Rig.AddBone(TEXT("lip"), Rig.FaceJoint, FTransform(FVector(1, 12, 108)));
	const FRigElementKey OnFace = Rig.AddNull(TEXT("OnFacecontrols"), Rig.FaceJoint, FTransform(FVector(0, 10, 110)));
	const FTransform Setup(AxisAngle(X, 20.0), FVector(1, 14, 108));
	const FRigElementKey Turning = Rig.AddNull(TEXT("turning"), OnFace, Setup);
	const FRigElementKey Sliding = Rig.AddNull(TEXT("sliding"), OnFace, Setup);
	const FRigElementKey Meshed = Rig.AddNull(TEXT("meshed"), OnFace, Setup);
	const FRigElementKey TurningCtrl = Rig.AddControl(TEXT("turningCtrl"), Turning, ERigControlType::Position,
		FRigControlValue::Make<FVector>(FVector::ZeroVector), Setup);
	const FRigElementKey SlidingCtrl = Rig.AddControl(
		TEXT("slidingCtrl"), Sliding, ERigControlType::EulerTransform, EulerValue(FTransform::Identity), Setup);
	const FRigElementKey MeshedCtrl = Rig.AddControl(
		TEXT("meshedCtrl"), Meshed, ERigControlType::EulerTransform, EulerValue(FTransform::Identity), Setup);
	AddFollow(Rig, TEXT("turningCtrl"), TEXT("lip"), TEXT("turning"));
	AddFollow(Rig, TEXT("slidingCtrl"), TEXT("lip"), TEXT("sliding")).bFollowRotation = false;
	AddFollow(Rig, TEXT("meshedCtrl"), TEXT("lip"), TEXT("meshed")).bBindInMeshSpace = true;
	// Skipped: a None name, a missing bone.
	AddFollow(Rig, TEXT("turningCtrl"), TEXT("lip"), TEXT(""));
	AddFollow(Rig, TEXT("turningCtrl"), TEXT("noSuchBone"), TEXT("turning"));

	// Rows move the lip up 1 and yaw it 30 degrees about its own origin.
	Rig.AddControl(TEXT("smile"), Rig.Box, ERigControlType::Float, FRigControlValue::Make<float>(1.f));
	FQVFaceSDKDriver& Smile = Rig.AddDriver(TEXT("smile"), EQVFaceSDKChannel::ValueFloat);
	Rig.AddDriven(Smile, TEXT("lip"), EQVFaceSDKChannel::TranslationZ, {{0.f, 0.f}, {1.f, 1.f}});
	Rig.AddDriven(Smile, TEXT("lip"), EQVFaceSDKChannel::RotationZ, {{0.f, 0.f}, {1.f, 30.f}});
	// The animator moves each control; the helpers' offsets take that motion back out.
	Rig.SetValue(TurningCtrl, FRigControlValue::Make<FVector>(FVector(0.5, 0, 0)));
	const FTransform Moved(AxisAngle(Y, 15.0), FVector(0, 0.5, 0.25), FVector(1, 1.2, 1));
	Rig.SetEulerValue(SlidingCtrl, Moved);
	Rig.SetEulerValue(MeshedCtrl, Moved);
	Rig.Evaluate();

	const FQuat Yaw = AxisAngle(Z, 30.0);
	const FVector LipAt(1, 12, 109);
	// Following rotation: the helper turns about the lip with it and rides up.
	const FTransform Turned = TurnedAbout(FTransform(Setup.GetRotation(), Setup.GetTranslation() + Z), Yaw, LipAt);
	EXPECT_TRUE(TransformsNear(Rig.Global(Turning), Turned, 1e-9));
	EXPECT_TRUE(TransformsNear(Rig.Global(Meshed), Turned, 1e-9));
	// Translation only: it rides up with the lip and keeps its setup orientation.
	EXPECT_TRUE(TransformsNear(Rig.Global(Sliding), FTransform(Setup.GetRotation(), Setup.GetTranslation() + Z), 1e-9));

	// A position control's translation is cancelled exactly; a transform value's translation is negated in the
	// offset, which keeps the value's rotation and scale; bound in mesh space the whole local pose is undone.
	EXPECT_TRUE(VectorsNear(Rig.Global(TurningCtrl).GetTranslation(), Rig.Global(Turning).GetTranslation(), 1e-9));
	const FTransform SlidingOffset = Rig.Hierarchy.GetControlOffsetTransform(
		Rig.Hierarchy.Find<FRigControlElement>(SlidingCtrl), ERigTransformType::CurrentLocal);
	EXPECT_TRUE(TransformsNear(
		SlidingOffset, FTransform(Moved.GetRotation(), -Moved.GetTranslation(), Moved.GetScale3D()), 1e-6));
	// (The inverse is taken with unit scale, so the value's scale stays on the control.)
	EXPECT_TRUE(TransformsNear(Rig.Global(MeshedCtrl),
		FTransform(Rig.Global(Meshed).GetRotation(), Rig.Global(Meshed).GetTranslation(), Moved.GetScale3D()), 1e-6));

	// Evaluated again nothing moves: the cancelling offsets do not build up.
	const FTransform TurningCtrlAt = Rig.Global(TurningCtrl);
	const FTransform MeshedCtrlAt = Rig.Global(MeshedCtrl);
	Rig.Hierarchy.ResetPoseToInitial(ERigElementType::Bone);
	Rig.Evaluate();
	EXPECT_TRUE(TransformsNear(Rig.Global(TurningCtrl), TurningCtrlAt, 1e-12));
	EXPECT_TRUE(TransformsNear(Rig.Global(MeshedCtrl), MeshedCtrlAt, 1e-12));
	(void)Lip;
}

TEST(FaceSolverFollowControls, WithoutAFaceJointHelpersKeepTheirRigSpaceOffsetToTheBone)
{
	FFaceSolverRig Rig;
	Rig.Unit.FaceJoint = FRigElementKey(TEXT("noFaceJoint"), ERigElementType::Bone);
	const FRigElementKey Lip = Rig.AddBone(TEXT("lip"), Rig.Head, FTransform(FVector(1, 12, 108)));
	const FRigElementKey Helper =
		Rig.AddNull(TEXT("lipFollow"), Rig.Head, FTransform(FQuat::Identity, FVector(1, 14, 108), FVector(1, 1, 3)));
	Rig.AddControl(TEXT("lipCtrl"), Helper, ERigControlType::Transform, TransformValue(FTransform::Identity));
	// Rotation following is not consulted in this form.
	AddFollow(Rig, TEXT("lipCtrl"), TEXT("lip"), TEXT("lipFollow")).bFollowRotation = false;
	Rig.Hierarchy.SetGlobalTransform(Lip, FTransform(AxisAngle(Z, 90.0), FVector(1, 12, 108), FVector(2, 2, 2)));
	Rig.Evaluate();
	EXPECT_TRUE(TransformsNear(
		Rig.Global(Helper), FTransform(AxisAngle(Z, 90.0), FVector(-1, 12, 108), FVector(1, 1, 3)), 1e-9));
}

TEST(FaceSolverDirectFollowers, TheHelperFollowsTheRowsPoseOfTheBoneNotTheDirectControl)
{
	FFaceSolverRig Rig;
	const FRigElementKey Nose = Rig.AddBone(TEXT("nose"), Rig.FaceJoint, FTransform(FVector(0, 12, 111)));
	const FRigElementKey OnFace = Rig.AddNull(TEXT("OnFacecontrols"), Rig.FaceJoint, FTransform(FVector(0, 10, 110)));
	const FRigElementKey Helper = Rig.AddNull(TEXT("noseFollow"), OnFace, FTransform(FVector(0, 14, 111)));
	const FRigElementKey NoseCtrl = Rig.AddControl(TEXT("noseCtrl"), Helper, ERigControlType::Transform,
		TransformValue(FTransform::Identity), FTransform(FVector(0, 14, 111)));
	const FRigElementKey Other = Rig.AddNull(TEXT("otherFollow"), OnFace, FTransform(FVector(0, 15, 111)));
	FQVFaceSDKDirectControl& Direct = Rig.Asset->DirectControls.AddDefaulted_GetRef();
	Direct.ControlName = TEXT("noseCtrl");
	Direct.BoneName = TEXT("nose");
	Direct.FollowNullName = TEXT("noseFollow");
	// A follower whose direct control is missing has no record and is skipped.
	FQVFaceSDKDirectControl& Missing = Rig.Asset->DirectControls.AddDefaulted_GetRef();
	Missing.ControlName = TEXT("noSuchControl");
	Missing.BoneName = TEXT("noSuchBone");
	Missing.FollowNullName = TEXT("otherFollow");

	// The rows lift the nose by 1; its direct control pushes it 2 forward on top.
	Rig.AddControl(TEXT("sniff"), Rig.Box, ERigControlType::Float, FRigControlValue::Make<float>(1.f));
	Rig.AddDriven(Rig.AddDriver(TEXT("sniff"), EQVFaceSDKChannel::ValueFloat), TEXT("nose"),
		EQVFaceSDKChannel::TranslationZ, {{0.f, 0.f}, {1.f, 1.f}});
	Rig.SetValue(NoseCtrl, TransformValue(FTransform(FVector(0, 2, 0))));
	Rig.Evaluate();

	EXPECT_TRUE(VectorsNear(Rig.Global(Nose).GetTranslation(), FVector(0, 14, 112), 1e-9));
	EXPECT_TRUE(TransformsNear(Rig.Global(Helper), FTransform(FVector(0, 14, 112)), 1e-9));
	EXPECT_TRUE(Rig.Local(Other).Equals(Rig.Local(Other, true), 0.0));
}

TEST(FaceSolverLayers, AWholeFaceEvaluatedAgainAndAgainDoesNotDriftAndWeightZeroSkipsTheLaterLayers)
{
	FFaceSolverRig Rig(1.5);
	// Every layer at once: a proxy, an eye with carrier and aim, the aim-eye follow blend, a region, follow
	// controls in both bindings and a direct control with a follow helper, driven by one slider.
	const FRigElementKey Slider =
		Rig.AddControl(TEXT("slider"), Rig.Box, ERigControlType::Float, FRigControlValue::Make<float>(0.7f));
	const FRigElementKey ProxySpace = Rig.AddNull(TEXT("proxySpace"), Rig.Box, FTransform(FVector(30, 0, 104)));
	const FRigElementKey Proxy = Rig.AddControl(TEXT("proxy"), ProxySpace, ERigControlType::EulerTransform,
		EulerValue(FTransform::Identity), FTransform(FVector(30, 0, 104)));
	const FRigElementKey Carrier = Rig.AddNull(TEXT("eyeCarrier"), Rig.Head, FTransform(FVector(-3, 9, 113)));
	const FRigElementKey Aim = Rig.AddNull(TEXT("eyeAim"), Carrier, FTransform(FVector(-3, 9, 113)));
	const FRigElementKey SDK = Rig.AddNull(TEXT("eyeSDK"), Aim, FTransform(FVector(-3, 9, 113)));
	const FRigElementKey Final = Rig.AddControl(TEXT("eyeFinal"), SDK, ERigControlType::EulerTransform,
		EulerValue(FTransform::Identity), FTransform(FVector(-3, 9, 113)));
	const FRigElementKey Eye = Rig.AddBone(TEXT("eye"), Rig.FaceJoint, FTransform(FVector(-3, 9, 113)));
	Rig.AddNull(TEXT("QV_AimEyeFollowStatic"), FRigElementKey(), FTransform(FVector(0, 60, 110)));
	Rig.AddNull(TEXT("QV_AimEyeFollowHead"), Rig.Head, FTransform(FVector(0, 60, 110)));
	const FRigElementKey FollowSpace =
		Rig.AddNull(TEXT("QV_AimEyeFollow_M"), FRigElementKey(), FTransform(FVector(0, 60, 110)));
	const FRigElementKey Target = Rig.AddControl(TEXT("eyeTarget"), FollowSpace, ERigControlType::Transform,
		TransformValue(FTransform(FVector(4, 0, 2))), FTransform(FVector(-3, 40, 113)));
	const FRigElementKey Cheek = Rig.AddBone(TEXT("cheek"), Rig.FaceJoint, FTransform(FVector(4, 9, 110)));
	const FRigElementKey Raiser = Rig.AddBone(TEXT("raiser"), Cheek, FTransform(FVector(4, 10, 111)));
	const FRigElementKey Region = Rig.AddControl(TEXT("region"), Rig.FaceJoint, ERigControlType::EulerTransform,
		EulerValue(FTransform::Identity), FTransform(FVector(4, 12, 110)));
	const FRigElementKey Helper = Rig.AddNull(TEXT("cheekFollow"), Rig.FaceJoint, FTransform(FVector(4, 13, 110)));
	const FRigElementKey HelperCtrl = Rig.AddControl(TEXT("cheekCtrl"), Helper, ERigControlType::EulerTransform,
		EulerValue(FTransform::Identity), FTransform(FVector(4, 13, 110)));
	const FRigElementKey MeshHelper = Rig.AddNull(TEXT("raiserFollow"), Rig.FaceJoint, FTransform(FVector(4, 13, 111)));
	Rig.AddControl(TEXT("raiserCtrl"), MeshHelper, ERigControlType::EulerTransform, EulerValue(FTransform::Identity),
		FTransform(FVector(4, 13, 111)));
	const FRigElementKey Nose = Rig.AddBone(TEXT("nose"), Rig.FaceJoint, FTransform(FVector(0, 12, 111)));
	const FRigElementKey NoseFollow = Rig.AddNull(TEXT("noseFollow"), Rig.FaceJoint, FTransform(FVector(0, 14, 111)));
	const FRigElementKey NoseCtrl = Rig.AddControl(TEXT("noseCtrl"), NoseFollow, ERigControlType::EulerTransform,
		EulerValue(FTransform::Identity), FTransform(FVector(0, 14, 111)));

	UQVFaceRigDataAsset& Asset = *Rig.Asset;
	Asset.ProxyControls.AddDefaulted_GetRef() = {TEXT("proxy"), TEXT("cheekCtrl")};
	Asset.EyeChains.AddDefaulted_GetRef() = {TEXT("eyeSDK"), TEXT("eyeFinal"), TEXT("eye")};
	FQVFaceSDKAimBinding& Binding = Asset.AimBindings.AddDefaulted_GetRef();
	Binding.EyeAimNullName = TEXT("eyeAim");
	Binding.TargetControlName = TEXT("eyeTarget");
	Binding.AimAxis = Y;
	Binding.UpAxis = Z;
	Asset.RegionControls.AddDefaulted_GetRef() = {TEXT("region"), {TEXT("raiser"), TEXT("cheek")}};
	AddFollow(Rig, TEXT("cheekCtrl"), TEXT("cheek"), TEXT("cheekFollow"));
	AddFollow(Rig, TEXT("raiserCtrl"), TEXT("raiser"), TEXT("raiserFollow")).bBindInMeshSpace = true;
	Asset.DirectControls.AddDefaulted_GetRef() = {TEXT("noseCtrl"), TEXT("nose"), TEXT("noseFollow")};
	FQVFaceSDKDriver& Driver = Rig.AddDriver(TEXT("slider"), EQVFaceSDKChannel::ValueFloat);
	Rig.AddDriven(Driver, TEXT("eyeSDK"), EQVFaceSDKChannel::RotationZ, {{0.f, 0.f}, {1.f, 15.f}});
	Rig.AddDriven(Driver, TEXT("cheek"), EQVFaceSDKChannel::TranslationY, {{0.f, 0.f}, {1.f, 0.5f}});
	Rig.AddDriven(Driver, TEXT("raiser"), EQVFaceSDKChannel::RotationX, {{0.f, 0.f}, {1.f, 25.f}});
	Rig.AddDriven(Driver, TEXT("nose"), EQVFaceSDKChannel::TranslationZ, {{0.f, 0.f}, {1.f, 1.f}});

	Rig.Hierarchy.SetGlobalTransform(Rig.FaceJoint, FTransform(AxisAngle(X, 8.0), FVector(0, 11, 110), FVector(1.5)));
	Rig.SetEulerValue(Region, FTransform(AxisAngle(Z, 12.0)));
	Rig.SetEulerValue(Final, FTransform(AxisAngle(Y, 6.0)));
	Rig.SetEulerValue(Proxy, FTransform(AxisAngle(X, -9.0), FVector(0.2, 0, 0.1)));
	Rig.SetEulerValue(NoseCtrl, FTransform(FVector(0, 0.4, 0)));

	const TArray<FRigElementKey> Watched = {Proxy, ProxySpace, Carrier, Aim, SDK, Final, Eye, FollowSpace, Target,
		Cheek, Raiser, Helper, HelperCtrl, MeshHelper, Nose, NoseFollow, NoseCtrl, Rig.BoxAttach};
	const auto Pose = [&Rig, &Watched]()
	{
		TArray<FTransform> Globals;
		for (const FRigElementKey& Key : Watched)
		{
			Globals.Add(Rig.Global(Key));
		}
		return Globals;
	};
	// Each evaluation starts as an engine frame does: bones at their input pose, everything else carried over.
	const FTransform FaceJointNow = Rig.Global(Rig.FaceJoint);
	const auto Frame = [&Rig, &FaceJointNow]()
	{
		Rig.Hierarchy.ResetPoseToInitial(ERigElementType::Bone);
		Rig.Hierarchy.SetGlobalTransform(Rig.FaceJoint, FaceJointNow);
		Rig.Evaluate();
	};
	Frame();
	Frame();
	const TArray<FTransform> Settled = Pose();
	for (int32 Pass = 0; Pass < 20; ++Pass)
	{
		Frame();
	}
	const TArray<FTransform> Later = Pose();
	for (int32 Index = 0; Index < Watched.Num(); ++Index)
	{
		EXPECT_TRUE(TransformsNear(Later[Index], Settled[Index], 1e-12)) << *Watched[Index].ToString();
		EXPECT_FALSE(Later[Index].ContainsNaN()) << *Watched[Index].ToString();
	}
	EXPECT_TRUE(Rig.Messages().empty());

	// Weight 0: the layers before the rows still run (the proxy still mirrors, at the ratio of the board's scale
	// of 1.5 to the follow helper's of 1), those after them do not.
	Rig.Unit.Weight = 0.f;
	Rig.SetEulerValue(HelperCtrl, FTransform(FVector(0, 0, 0.3)));
	const FTransform EyeBefore = Rig.Global(Eye);
	Rig.Hierarchy.ResetPoseToInitial(ERigElementType::Bone);
	Rig.Evaluate();
	EXPECT_TRUE(VectorsNear(Rig.Local(Proxy).GetTranslation(), FVector(0, 0, 0.2), 1e-6));
	EXPECT_TRUE(Rig.Local(Eye).Equals(Rig.Local(Eye, true), 0.0));
	EXPECT_FALSE(Rig.Global(Eye).Equals(EyeBefore, 1e-6));
	(void)Slider;
}
