// The face layers before the set-driven-key rows, through the solver: board proxies and their controls, the eye
// carriers, the aim-eye follow blend and the aim bindings; each with the records it skips.
#include "FaceSolverTestRig.h"

namespace
{
const FVector X(1, 0, 0), Y(0, 1, 0), Z(0, 0, 1);

FRigControlValue EulerValue(const FTransform& Transform)
{
	return FRigControlValue::Make<FEulerTransform>(FEulerTransform(Transform));
}

// A board proxy (below its own null on the control box) for an animator control on the face.
struct FProxyRig : FFaceSolverRig
{
	FRigElementKey ProxySpace, Proxy, Mouth;

	explicit FProxyRig(double FaceJointScale = 1.0) : FFaceSolverRig(FaceJointScale)
	{
		ProxySpace = AddNull(TEXT("mouthProxySpace"), Box, FTransform(FVector(30, 0, 104)));
		Proxy = AddControl(TEXT("mouthProxy"), ProxySpace, ERigControlType::EulerTransform,
			EulerValue(FTransform::Identity), FTransform(FVector(30, 0, 104)));
		const FRigElementKey MouthSpace = AddNull(TEXT("mouthSpace"), Head, FTransform(FVector(0, 14, 104)));
		Mouth = AddControl(TEXT("mouth"), MouthSpace, ERigControlType::EulerTransform, EulerValue(FTransform::Identity),
			FTransform(FVector(0, 14, 104)));
		FQVFaceSDKProxyControl& Record = Asset->ProxyControls.AddDefaulted_GetRef();
		Record.ProxyName = TEXT("mouthProxy");
		Record.ControlName = TEXT("mouth");
	}
};
} // namespace

TEST(FaceSolverProxies, AnUntouchedProxyMirrorsItsControlAndStaysOnItsBoardSpot)
{
	FProxyRig Rig;
	const FTransform Animated(AxisAngle(Z, 20.0), FVector(1, 0, -0.5));
	Rig.SetEulerValue(Rig.Mouth, Animated);
	Rig.Evaluate();

	EXPECT_TRUE(TransformsNear(Rig.Local(Rig.Mouth), Animated, 1e-6));
	EXPECT_TRUE(TransformsNear(Rig.Local(Rig.Proxy), Animated, 1e-6));
	// Its parent cancels the value: the proxy stays where it was set up on the board.
	EXPECT_TRUE(TransformsNear(Rig.Global(Rig.Proxy), Rig.Global(Rig.Proxy, true), 1e-6));
	// The value reads back with the mirrored rotation, and the slot remembers the proxy and what was written.
	const FEulerTransform Read =
		Rig.Hierarchy.GetControlValue(Rig.Proxy).Get<FRigControlValue::FEulerTransform_Float>().ToTransform();
	EXPECT_NEAR(Read.Rotation.Yaw, 20.0, 1e-4);
	ASSERT_EQ(Rig.Unit.CachedProxyNames.Num(), 1);
	EXPECT_EQ(Rig.Unit.CachedProxyNames[0], FName(TEXT("mouthProxy")));
	EXPECT_TRUE(Rig.Unit.CachedProxyValues[0].Equals(Rig.Local(Rig.Proxy), 0.0));

	// The animator moves the control again: the proxy follows; it never writes its stale value back.
	const FTransform Later(AxisAngle(X, -15.0), FVector(0, 0.25, 0));
	Rig.SetEulerValue(Rig.Mouth, Later);
	Rig.Evaluate();
	EXPECT_TRUE(TransformsNear(Rig.Local(Rig.Mouth), Later, 1e-6));
	EXPECT_TRUE(TransformsNear(Rig.Local(Rig.Proxy), Later, 1e-6));
	EXPECT_TRUE(Rig.Messages().empty());
}

TEST(FaceSolverProxies, AnEditedProxyPushesToItsControlOnceAndThenSettles)
{
	FProxyRig Rig;
	Rig.Evaluate();
	const FTransform Edit(AxisAngle(Z, -10.0), FVector(0, 2, 0), FVector(1, 1.5, 1));
	Rig.SetEulerValue(Rig.Proxy, Edit);
	Rig.Evaluate();
	EXPECT_TRUE(TransformsNear(Rig.Local(Rig.Mouth), Edit, 1e-6));
	const FEulerTransform Pushed =
		Rig.Hierarchy.GetControlValue(Rig.Mouth).Get<FRigControlValue::FEulerTransform_Float>().ToTransform();
	EXPECT_NEAR(Pushed.Rotation.Yaw, -10.0, 1e-4);
	EXPECT_TRUE(TransformsNear(Rig.Global(Rig.Proxy), Rig.Global(Rig.Proxy, true), 1e-6));

	// The next evaluations find nothing edited: nothing moves any more.
	const FTransform Mouth = Rig.Local(Rig.Mouth);
	const FTransform Proxy = Rig.Local(Rig.Proxy);
	const FTransform Stored = Rig.Unit.CachedProxyValues[0];
	for (int32 Pass = 0; Pass < 3; ++Pass)
	{
		Rig.Evaluate();
	}
	EXPECT_TRUE(Rig.Local(Rig.Mouth).Equals(Mouth, 0.0));
	EXPECT_TRUE(Rig.Local(Rig.Proxy).Equals(Proxy, 0.0));
	EXPECT_TRUE(Rig.Unit.CachedProxyValues[0].Equals(Stored, 0.0));
}

TEST(FaceSolverProxies, TranslationsScaleByTheRatioOfTheTwoParentsScales)
{
	// A face joint scaled 2 gives the board a scale of 2; the control's parent below the head is unscaled.
	FProxyRig Rig(2.0);
	Rig.Evaluate();
	// The board spot: the proxy's place on the scaled board with nothing to mirror.
	const FVector Spot = Rig.Global(Rig.Proxy).GetTranslation();
	EXPECT_TRUE(VectorsNear(Spot, FVector(30, 0, 98), 1e-9));
	Rig.SetEulerValue(Rig.Proxy, FTransform(FVector(1, 0, 0.5)));
	Rig.Evaluate();
	EXPECT_TRUE(VectorsNear(Rig.Local(Rig.Mouth).GetTranslation(), FVector(2, 0, 1), 1e-6));
	EXPECT_TRUE(VectorsNear(Rig.Local(Rig.Proxy).GetTranslation(), FVector(1, 0, 0.5), 1e-6));
	// The control moved by the animator shows on the proxy at half the distance.
	Rig.SetEulerValue(Rig.Mouth, FTransform(FVector(0, 4, 0)));
	Rig.Evaluate();
	EXPECT_TRUE(VectorsNear(Rig.Local(Rig.Proxy).GetTranslation(), FVector(0, 2, 0), 1e-6));
	EXPECT_TRUE(VectorsNear(Rig.Global(Rig.Proxy).GetTranslation(), Spot, 1e-6));
}

TEST(FaceSolverProxies, ARenamedSlotStartsFromTheNewProxysSetupValue)
{
	const FTransform Animated(AxisAngle(Y, 25.0), FVector(0.5, 0, 0));
	const FTransform Stale(FVector(9, 9, 9));
	// The slot last saw another proxy, with another value: the proxy here is untouched, so the control keeps its
	// value.
	{
		FProxyRig Rig;
		Rig.Unit.CachedProxyNames = {FName(TEXT("oldProxy"))};
		Rig.Unit.CachedProxyValues = {Stale};
		Rig.SetEulerValue(Rig.Mouth, Animated);
		Rig.Evaluate();
		EXPECT_TRUE(TransformsNear(Rig.Local(Rig.Mouth), Animated, 1e-6));
		EXPECT_TRUE(TransformsNear(Rig.Local(Rig.Proxy), Animated, 1e-6));
		EXPECT_EQ(Rig.Unit.CachedProxyNames[0], FName(TEXT("mouthProxy")));
	}
	// Had the slot kept the stale value, the untouched proxy would count as edited and overwrite the control.
	{
		FProxyRig Rig;
		Rig.Unit.CachedProxyNames = {FName(TEXT("MOUTHPROXY"))};
		Rig.Unit.CachedProxyValues = {Stale};
		Rig.SetEulerValue(Rig.Mouth, Animated);
		Rig.Evaluate();
		EXPECT_TRUE(TransformsNear(Rig.Local(Rig.Mouth), FTransform::Identity, 1e-6));
	}
}

TEST(FaceSolverProxies, TheShapeAndVisibilityAreResetAndMissingSlotsAreSkipped)
{
	FProxyRig Rig;
	FRigControlElement* Proxy = Rig.Hierarchy.Find<FRigControlElement>(Rig.Proxy);
	Rig.Hierarchy.SetControlShapeTransform(Proxy, FTransform(FVector(0, 0, 3)), ERigTransformType::InitialLocal);
	Rig.Hierarchy.SetControlShapeTransform(Proxy, FTransform(FVector(5, 0, 0)), ERigTransformType::CurrentLocal);
	Rig.Hierarchy.SetControlVisibility(Proxy, false);
	// Slots naming a missing proxy or a missing control are skipped and keep their caches.
	FQVFaceSDKProxyControl& NoProxy = Rig.Asset->ProxyControls.AddDefaulted_GetRef();
	NoProxy.ProxyName = TEXT("nowhere");
	NoProxy.ControlName = TEXT("mouth");
	FQVFaceSDKProxyControl& NoControl = Rig.Asset->ProxyControls.AddDefaulted_GetRef();
	NoControl.ProxyName = TEXT("mouthProxy");
	Rig.Evaluate();

	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetControlShapeTransform(Proxy, ERigTransformType::CurrentLocal),
		FTransform(FVector(0, 0, 3)), 0.0));
	EXPECT_TRUE(Proxy->Settings.IsVisible());
	ASSERT_EQ(Rig.Unit.CachedProxyNames.Num(), 3);
	EXPECT_TRUE(Rig.Unit.CachedProxyNames[1].IsNone());
	EXPECT_TRUE(Rig.Unit.CachedProxyNames[2].IsNone());
	EXPECT_TRUE(Rig.Unit.CachedProxyValues[2].Equals(FTransform::Identity, 0.0));
	EXPECT_TRUE(Rig.Messages().empty());

	// Shrinking the asset shrinks the slots.
	Rig.Asset->ProxyControls.SetNum(1);
	Rig.Evaluate();
	EXPECT_EQ(Rig.Unit.CachedProxyValues.Num(), 1);
}

TEST(FaceSolverEyeCarriers, TheNullAboveAnEyesParentKeepsItsOffsetToTheFaceJoint)
{
	FFaceSolverRig Rig;
	const FRigElementKey Carrier = Rig.AddNull(TEXT("eyeCarrier"), Rig.Head, FTransform(FVector(-3, 9, 113)));
	const FRigElementKey Aim = Rig.AddNull(TEXT("eyeAim"), Carrier, FTransform(FVector(-3, 9, 113)));
	Rig.AddNull(TEXT("eyeSDK"), Aim, FTransform(FVector(-3, 9, 113)));
	// An eye whose SDK null sits two levels below a bone has no carrier null.
	const FRigElementKey Between = Rig.AddNull(TEXT("between"), Rig.Head, FTransform(FVector(3, 9, 113)));
	Rig.AddNull(TEXT("boneCarriedSDK"), Between, FTransform(FVector(3, 9, 113)));
	for (const TCHAR* SDKNull : {TEXT("eyeSDK"), TEXT("boneCarriedSDK"), TEXT("noSuchNull")})
	{
		Rig.Asset->EyeChains.AddDefaulted_GetRef().SDKNullName = SDKNull;
	}

	const FTransform FaceNow(AxisAngle(X, 20.0), FVector(0, 12, 109));
	Rig.Hierarchy.SetGlobalTransform(Rig.FaceJoint, FaceNow);
	Rig.Evaluate();
	const FTransform Expected =
		Rig.Global(Carrier, true).GetRelativeTransform(Rig.Global(Rig.FaceJoint, true)) * FaceNow;
	EXPECT_TRUE(TransformsNear(Rig.Global(Carrier), Expected, 1e-9));
	EXPECT_TRUE(Rig.Global(Rig.Head).Equals(Rig.Global(Rig.Head, true), 0.0));
	EXPECT_TRUE(Rig.Global(Between).Equals(Rig.Global(Between, true), 0.0));
	EXPECT_TRUE(Rig.Messages().empty());
}

TEST(FaceSolverAimFollow, TheAimSpaceBlendsFromStaticToTheHeadByTheFollowValue)
{
	const auto MakeRig = [](FFaceSolverRig& Rig, bool bWithStatic)
	{
		if (bWithStatic)
		{
			Rig.AddNull(TEXT("QV_AimEyeFollowStatic"), FRigElementKey(), FTransform(FVector(0, 60, 110)));
		}
		Rig.AddNull(TEXT("QV_AimEyeFollowHead"), Rig.Head, FTransform(FVector(0, 60, 110)));
		return Rig.AddNull(TEXT("QV_AimEyeFollow_M"), FRigElementKey(), FTransform(FVector(0, 60, 110)));
	};
	const FTransform HeadNow(AxisAngle(Z, 30.0), FVector(2, 0, 100));
	const auto Head = [](const FFaceSolverRig& Rig)
	{ return Rig.Global(FRigElementKey(TEXT("QV_AimEyeFollowHead"), ERigElementType::Null)); };
	const auto Static = [](const FFaceSolverRig& Rig)
	{ return Rig.Global(FRigElementKey(TEXT("QV_AimEyeFollowStatic"), ERigElementType::Null)); };

	// Neither the follow channel nor the follow control: the value is 10, so the aim space follows the head.
	FFaceSolverRig Rig;
	const FRigElementKey Follow = MakeRig(Rig, true);
	Rig.Hierarchy.SetGlobalTransform(Rig.Head, HeadNow);
	Rig.Evaluate();
	EXPECT_TRUE(Rig.Global(Follow).Equals(Head(Rig), 0.0));

	// The "follow" channel of AimEye_M: 0 keeps it static, 5 blends half way.
	const FRigElementKey AimControl =
		Rig.AddControl(TEXT("AimEye_M"), Rig.Head, ERigControlType::EulerTransform, EulerValue(FTransform::Identity));
	const FRigElementKey Channel = Rig.AddChannel(TEXT("AimEye_M_followChannel"), AimControl, TEXT("follow"));
	Rig.SetValue(Channel, FRigControlValue::Make<float>(0.f));
	Rig.Evaluate();
	EXPECT_TRUE(Rig.Global(Follow).Equals(Static(Rig), 0.0));
	Rig.SetValue(Channel, FRigControlValue::Make<float>(5.f));
	Rig.Evaluate();
	FTransform Half;
	Half.Blend(Static(Rig), Head(Rig), 0.5f);
	EXPECT_TRUE(TransformsNear(Rig.Global(Follow), Half, 1e-12));
	// Beyond 10 it stays on the head.
	Rig.SetValue(Channel, FRigControlValue::Make<float>(25.f));
	Rig.Evaluate();
	EXPECT_TRUE(Rig.Global(Follow).Equals(Head(Rig), 0.0));

	// Without the channel, the control "AimEye_M_follow": 2.5 blends a quarter of the way.
	FFaceSolverRig Fallback;
	const FRigElementKey FallbackFollow = MakeRig(Fallback, true);
	Fallback.Hierarchy.SetGlobalTransform(Fallback.Head, HeadNow);
	Fallback.AddControl(
		TEXT("AimEye_M"), Fallback.Head, ERigControlType::EulerTransform, EulerValue(FTransform::Identity));
	Fallback.AddControl(
		TEXT("AimEye_M_follow"), Fallback.Head, ERigControlType::Float, FRigControlValue::Make<float>(2.5f));
	Fallback.Evaluate();
	FTransform Quarter;
	Quarter.Blend(Static(Fallback), Head(Fallback), 0.25f);
	EXPECT_TRUE(TransformsNear(Fallback.Global(FallbackFollow), Quarter, 1e-12));

	// Without one of the three nulls nothing is written.
	FFaceSolverRig Incomplete;
	const FRigElementKey Untouched = MakeRig(Incomplete, false);
	Incomplete.Hierarchy.SetGlobalTransform(Incomplete.Head, HeadNow);
	Incomplete.Evaluate();
	EXPECT_TRUE(Incomplete.Global(Untouched).Equals(Incomplete.Global(Untouched, true), 0.0));
}

TEST(FaceSolverAimBindings, NullsAimAtTheirTargetsKeepingTheirRestOffset)
{
	FFaceSolverRig Rig;
	const FRigElementKey Carrier = Rig.AddNull(TEXT("eyeCarrier"), Rig.Head, FTransform(FVector(-3, 9, 113)));
	const FRigElementKey Aim =
		Rig.AddNull(TEXT("eyeAim"), Carrier, FTransform(AxisAngle(Y, 10.0), FVector(-3, 9, 113)));
	const FRigElementKey Target = Rig.AddControl(TEXT("eyeTarget"), Rig.Head, ERigControlType::Transform,
		FRigControlValue::Make<FTransform>(FTransform::Identity), FTransform(FVector(-3, 40, 113)));
	FQVFaceSDKAimBinding& Binding = Rig.Asset->AimBindings.AddDefaulted_GetRef();
	Binding.EyeAimNullName = TEXT("eyeAim");
	Binding.TargetControlName = TEXT("eyeTarget");
	Binding.AimAxis = FVector(0, 2, 0);
	Binding.UpAxis = FVector(0, 0.5, 1);

	// At rest the null keeps its rest rotation.
	Rig.Evaluate();
	EXPECT_TRUE(QuatsNear(Rig.Global(Aim).GetRotation(), AxisAngle(Y, 10.0), 1e-12));

	// The target moved as far sideways as it is ahead: an eighth of a turn about up, after the rest rotation.
	Rig.SetValue(Target, FRigControlValue::Make<FTransform>(FTransform(FVector(31, 0, 0))));
	Rig.Evaluate();
	EXPECT_TRUE(QuatsNear(Rig.Global(Aim).GetRotation(), AxisAngle(Z, -45.0) * AxisAngle(Y, 10.0), 1e-9));
	EXPECT_TRUE(VectorsNear(Rig.Global(Aim).GetTranslation(), FVector(-3, 9, 113), 1e-12));

	// The carrier moved (the face joint turned): the null's rest pose is taken under it, and aims from there.
	Rig.Asset->EyeChains.AddDefaulted_GetRef().SDKNullName = TEXT("eyeSDK");
	Rig.AddNull(TEXT("eyeSDK"), Aim, FTransform(FVector(-3, 9, 113)));
	Rig.SetValue(Target, FRigControlValue::Make<FTransform>(FTransform(FVector(0, 0, 5))));
	Rig.Hierarchy.SetGlobalTransform(Rig.FaceJoint, FTransform(FVector(0, 10, 115)));
	Rig.Evaluate();
	EXPECT_TRUE(VectorsNear(Rig.Global(Aim).GetTranslation(), FVector(-3, 9, 118), 1e-12));
	EXPECT_TRUE(QuatsNear(Rig.Global(Aim).GetRotation(), AxisAngle(Y, 10.0), 1e-9));

	// A target on the null at rest, or a zero aim axis: the rest rotation. Missing elements skip the record.
	FFaceSolverRig Degenerate;
	const FRigElementKey OnNull =
		Degenerate.AddNull(TEXT("onNull"), Degenerate.Head, FTransform(AxisAngle(X, 30.0), FVector(0, 5, 5)));
	const FRigElementKey ZeroAxis =
		Degenerate.AddNull(TEXT("zeroAxis"), Degenerate.Head, FTransform(AxisAngle(X, 30.0), FVector(0, 5, 5)));
	const FRigElementKey Eye =
		Degenerate.AddNull(TEXT("untouched"), Degenerate.Head, FTransform(AxisAngle(X, 30.0), FVector(0, 5, 5)));
	const FRigElementKey Sitting = Degenerate.AddControl(TEXT("sitting"), Degenerate.Head, ERigControlType::Transform,
		FRigControlValue::Make<FTransform>(FTransform::Identity), FTransform(FVector(0, 5, 5)));
	Degenerate.AddControl(TEXT("ahead"), Degenerate.Head, ERigControlType::Transform,
		FRigControlValue::Make<FTransform>(FTransform::Identity), FTransform(FVector(0, 30, 5)));
	const auto Bind = [&Degenerate](const TCHAR* Null, const TCHAR* Control, const FVector& AimAxis)
	{
		FQVFaceSDKAimBinding& Added = Degenerate.Asset->AimBindings.AddDefaulted_GetRef();
		Added.EyeAimNullName = Null;
		Added.TargetControlName = Control;
		Added.AimAxis = AimAxis;
	};
	Bind(TEXT("onNull"), TEXT("sitting"), FVector(0, 1, 0));
	Bind(TEXT("zeroAxis"), TEXT("ahead"), FVector::ZeroVector);
	Bind(TEXT("untouched"), TEXT("noSuchTarget"), FVector(0, 1, 0));
	Bind(TEXT("noSuchNull"), TEXT("ahead"), FVector(0, 1, 0));
	Degenerate.SetValue(Sitting, FRigControlValue::Make<FTransform>(FTransform(FVector(10, 0, 0))));
	Degenerate.Hierarchy.SetGlobalTransform(Degenerate.Head, FTransform(AxisAngle(Z, 15.0), FVector(0, 0, 100)));
	Degenerate.Unit.Weight = 0.f;
	Degenerate.Evaluate();
	const FQuat Rest = AxisAngle(Z, 15.0) * AxisAngle(X, 30.0);
	EXPECT_TRUE(QuatsNear(Degenerate.Global(OnNull).GetRotation(), Rest, 1e-12));
	EXPECT_TRUE(QuatsNear(Degenerate.Global(ZeroAxis).GetRotation(), Rest, 1e-12));
	EXPECT_TRUE(Degenerate.Local(Eye).Equals(Degenerate.Local(Eye, true), 0.0));
	EXPECT_TRUE(Degenerate.Messages().empty());
}
