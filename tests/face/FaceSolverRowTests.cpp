// The face solver's set-driven-key rows through the unit: driver values per control type and face units, custom
// channels, targets and their accumulation, direct controls, and the warnings for what is missing.
#include "FaceSolverTestRig.h"
#include "QVFaceControlChannel.h"

#include <gmock/gmock.h>

#include <limits>

using ::testing::ElementsAre;

namespace
{
const FVector ZAxis(0, 0, 1);

std::vector<FRigElementKey> Targets(const FFaceSolverRig& Rig)
{
	return std::vector<FRigElementKey>(Rig.Unit.AccumulatedDrivenKeys.begin(), Rig.Unit.AccumulatedDrivenKeys.end());
}
} // namespace

TEST(FaceSolverRows, TranslationRowsAreNeutralToTheFaceScale)
{
	// A control moved 0.5 drives a bone's X through keys (0, 0), (1, 1). However the face is scaled, the bone moves
	// 0.5 in rig space: the driver value shrinks by the face scale, the output grows by it and shrinks by the
	// parent's scale.
	for (const auto& [JointScale, Scaler] : {std::pair(1.0, 1.f), std::pair(2.0, 1.f), std::pair(1.0, 3.f)})
	{
		FFaceSolverRig Rig(JointScale);
		Rig.Unit.FaceScaler = Scaler;
		Rig.AddControl(TEXT("mouth"), Rig.Box, ERigControlType::Transform,
			FRigControlValue::Make<FTransform>(FTransform(FVector(0.5, 0, 0))));
		const FRigElementKey Lip = Rig.AddBone(TEXT("lip"), Rig.FaceJoint, FTransform(FVector(1, 12, 108)));
		Rig.AddDriven(Rig.AddDriver(TEXT("mouth"), EQVFaceSDKChannel::TranslationX), TEXT("lip"),
			EQVFaceSDKChannel::TranslationX, {{0.f, 0.f}, {1.f, 1.f}});
		Rig.Evaluate();
		SCOPED_TRACE(JointScale * Scaler);
		EXPECT_TRUE(VectorsNear(Rig.Global(Lip).GetTranslation(), FVector(1.5, 12, 108), 1e-6));
	}
}

TEST(FaceSolverRows, RowsOnOneTargetAccumulateIntoOneWrite)
{
	FFaceSolverRig Rig;
	Rig.AddControl(TEXT("smile"), Rig.Box, ERigControlType::Float, FRigControlValue::Make<float>(1.f));
	Rig.AddControl(TEXT("sneer"), Rig.Box, ERigControlType::Float, FRigControlValue::Make<float>(1.f));
	const FQuat Setup = AxisAngle(FVector(1, 0, 0), 15.0);
	const FRigElementKey Lip =
		Rig.AddBone(TEXT("lip"), Rig.FaceJoint, FTransform(Setup, FVector(0, 12, 108), FVector(1, 1, 1)));
	const FRigElementKey Tip = Rig.AddBone(TEXT("lipTip"), Lip, FTransform(FVector(0, 14, 108)));
	Rig.AddDriven(Rig.AddDriver(TEXT("smile"), EQVFaceSDKChannel::ValueFloat), TEXT("lip"),
		EQVFaceSDKChannel::RotationZ, {{0.f, 0.f}, {1.f, 10.f}});
	FQVFaceSDKDriver& Sneer = Rig.AddDriver(TEXT("sneer"), EQVFaceSDKChannel::ValueFloat);
	Rig.AddDriven(Sneer, TEXT("LIP"), EQVFaceSDKChannel::RotationZ, {{0.f, 0.f}, {1.f, 20.f}});
	// An absolute row at half weight: 1 + (3 - 1) * 0.5.
	Rig.AddDriven(Sneer, TEXT("lip"), EQVFaceSDKChannel::ScaleX, {{0.f, 1.f}, {1.f, 3.f}}).ApplyMode =
		EQVFaceSDKApplyMode::Absolute;
	Rig.Unit.Weight = 0.5f;
	Rig.Evaluate();

	// Additive rows use the weight unclamped: 0.5 * (10 + 20) degrees of yaw after the setup rotation.
	EXPECT_THAT(Targets(Rig), ElementsAre(Lip));
	EXPECT_TRUE(QuatsNear(Rig.Local(Lip).GetRotation(), Setup * AxisAngle(ZAxis, 15.0)));
	EXPECT_TRUE(VectorsNear(Rig.Local(Lip).GetScale3D(), FVector(2, 1, 1)));
	// The child is carried along.
	EXPECT_TRUE(Rig.Local(Tip).Equals(Rig.Local(Tip, true), 1e-12));

	// Written from the setup pose every evaluation: nothing accumulates across evaluations.
	Rig.Evaluate();
	EXPECT_TRUE(QuatsNear(Rig.Local(Lip).GetRotation(), Setup * AxisAngle(ZAxis, 15.0)));
}

TEST(FaceSolverRows, DriverValuesAreReadPerControlTypeAndDividedByTheFaceScaleInFaceUnits)
{
	FFaceSolverRig Rig;
	Rig.Unit.FaceScaler = 2.f;
	const FRigElementKey OnFace = Rig.AddNull(TEXT("OnFacecontrols"), Rig.FaceJoint, FTransform(FVector(0, 15, 110)));
	const FRigControlValue Half = FRigControlValue::Make<FVector2D>(FVector2D(0.5, 0.25));
	Rig.AddControl(TEXT("lipUpper"), OnFace, ERigControlType::Vector2D, Half);
	Rig.AddControl(TEXT("boardLip"), Rig.Box, ERigControlType::Vector2D, Half);
	Rig.AddControl(TEXT("SmilePull_L"), Rig.Box, ERigControlType::Vector2D, Half);
	Rig.AddControl(TEXT("faceSlider"), OnFace, ERigControlType::Float, FRigControlValue::Make<float>(0.5f));
	Rig.AddControl(TEXT("eyeAim"), Rig.Box, ERigControlType::EulerTransform,
		FRigControlValue::Make<FEulerTransform>(
			FEulerTransform(FVector::ZeroVector, FRotator(0, 0.3, 0), FVector::OneVector)));
	Rig.AddControl(
		TEXT("jawPos"), Rig.Box, ERigControlType::Position, FRigControlValue::Make<FVector>(FVector(0, 0.5, 0)));
	const std::pair<const TCHAR*, EQVFaceSDKChannel> Drivers[] = {
		{TEXT("lipUpper"), EQVFaceSDKChannel::ValueX},
		{TEXT("boardLip"), EQVFaceSDKChannel::ValueX},
		{TEXT("SmilePull_L"), EQVFaceSDKChannel::ValueY},
		{TEXT("faceSlider"), EQVFaceSDKChannel::ValueFloat},
		{TEXT("eyeAim"), EQVFaceSDKChannel::RotationZ},
		{TEXT("jawPos"), EQVFaceSDKChannel::TranslationY},
		{TEXT("boardLip"), EQVFaceSDKChannel::ValueFloat},
	};
	TArray<FRigElementKey> Bones;
	for (int32 Index = 0; Index < int32(UE_ARRAY_COUNT(Drivers)); ++Index)
	{
		const FString Bone = FString::Printf(TEXT("bone%d"), Index);
		Bones.Add(Rig.AddBone(*Bone, Rig.FaceJoint, FTransform(FVector(Index, 10, 110))));
		Rig.AddDriven(Rig.AddDriver(Drivers[Index].first, Drivers[Index].second), *Bone, EQVFaceSDKChannel::RotationZ,
			{{0.f, 0.f}, {1.f, 100.f}});
	}
	Rig.Unit.bDebug = true;
	Rig.Evaluate();

	// On-face 2D controls (under OnFacecontrols, or smile pulls anywhere) move in face units: divided by 2. A board
	// control and a float slider do not; translation channels always are. Channels a control type lacks read 0.
	const double Expected[] = {25.0, 50.0, 12.5, 50.0, 30.0, 25.0, 0.0};
	for (int32 Index = 0; Index < Bones.Num(); ++Index)
	{
		EXPECT_TRUE(QuatsNear(Rig.Local(Bones[Index]).GetRotation(), AxisAngle(ZAxis, Expected[Index]), 1e-6)) << Index;
	}
	EXPECT_THAT(Rig.Messages(),
		ElementsAre("QV Face SDK Solver: lipUpper evaluated at 0.250.",
			"QV Face SDK Solver: boardLip evaluated at 0.500.", "QV Face SDK Solver: SmilePull_L evaluated at 0.125.",
			"QV Face SDK Solver: faceSlider evaluated at 0.500.", "QV Face SDK Solver: eyeAim evaluated at 0.300.",
			"QV Face SDK Solver: jawPos evaluated at 0.250.", "QV Face SDK Solver: boardLip evaluated at 0.000."));
	for (const FRigVMLog::FLogEntry& Entry : Rig.Log.Entries)
	{
		EXPECT_EQ(Entry.Severity, EMessageSeverity::Info);
	}
}

TEST(FaceSolverRows, CustomChannelsResolveAmongTheControlsChildrenThenByTheJoinedName)
{
	FFaceSolverRig Rig;
	const FRigElementKey Eye = Rig.AddControl(
		TEXT("ctrlEye"), Rig.Box, ERigControlType::Transform, FRigControlValue::Make<FTransform>(FTransform::Identity));
	// A control child with the same display name that is not an animation channel does not count.
	FRigControlSettings Plain;
	Plain.ControlType = ERigControlType::Float;
	Plain.DisplayName = TEXT("blink");
	Rig.Hierarchy.GetController()->AddControl(
		TEXT("ctrlEye_notChannel"), Eye, Plain, FRigControlValue::Make<float>(9.f));
	const FRigElementKey Blink = Rig.AddChannel(TEXT("ctrlEye_blink"), Eye, TEXT("blink"));
	const FRigElementKey Squint = Rig.AddChannel(TEXT("squint"), Eye);
	Rig.SetValue(Blink, FRigControlValue::Make<float>(0.5f));
	Rig.SetValue(Squint, FRigControlValue::Make<float>(0.75f));
	Rig.AddControl(TEXT("ctrlBrow"), Rig.Box, ERigControlType::Float, FRigControlValue::Make<float>(0.f));
	const FRigElementKey Raise = Rig.AddControl(
		TEXT("ctrlBrow.raise"), Rig.FaceJoint, ERigControlType::Float, FRigControlValue::Make<float>(0.25f));

	FCachedRigElement Found;
	const auto Resolve = [&](const TCHAR* Control, const TCHAR* Channel)
	{ return QVFaceControlChannel::Resolve(Rig.Hierarchy, FName(Control), FName(Channel), Found); };
	ASSERT_TRUE(Resolve(TEXT("ctrlEye"), TEXT("BLINK")));
	EXPECT_EQ(Found.GetKey(), Blink);
	// Without a display name, the element name; a module path's element part.
	ASSERT_TRUE(Resolve(TEXT("ctrlEye"), TEXT("squint")));
	EXPECT_EQ(Found.GetKey(), Squint);
	ASSERT_TRUE(Resolve(TEXT("ctrlEye"), TEXT("Face/blink")));
	EXPECT_EQ(Found.GetKey(), Blink);
	ASSERT_TRUE(Resolve(TEXT("ctrlEye"), TEXT("Face:squint")));
	EXPECT_EQ(Found.GetKey(), Squint);
	// No such child: the control named "<control>.<channel>", wherever it is, also when the control is missing.
	ASSERT_TRUE(Resolve(TEXT("ctrlBrow"), TEXT("raise")));
	EXPECT_EQ(Found.GetKey(), Raise);
	Rig.AddControl(TEXT("gone.raise"), Rig.Box, ERigControlType::Float, FRigControlValue::Make<float>(0.f));
	EXPECT_TRUE(Resolve(TEXT("gone"), TEXT("raise")));
	EXPECT_FALSE(Resolve(TEXT("ctrlEye"), TEXT("wink")));
	EXPECT_FALSE(Resolve(TEXT("ctrlEye"), TEXT("None")));
	EXPECT_FALSE(Resolve(TEXT("ctrlBrow"), TEXT("notAName_QVChannelTest")));

	// Through the unit: the channel is read as a float; the driver's Channel still decides the normalisation.
	Rig.Unit.FaceScaler = 2.f;
	Rig.Unit.bDebug = true;
	const FRigElementKey Lid = Rig.AddBone(TEXT("lid"), Rig.FaceJoint, FTransform(FVector(0, 12, 112)));
	const FRigElementKey Brow = Rig.AddBone(TEXT("brow"), Rig.FaceJoint, FTransform(FVector(0, 12, 115)));
	FQVFaceSDKDriver& BlinkDriver = Rig.AddDriver(TEXT("ctrlEye"), EQVFaceSDKChannel::TranslationX);
	BlinkDriver.CustomChannelName = TEXT("blink");
	Rig.AddDriven(BlinkDriver, TEXT("lid"), EQVFaceSDKChannel::RotationZ, {{0.f, 0.f}, {1.f, 40.f}});
	FQVFaceSDKDriver& RaiseDriver = Rig.AddDriver(TEXT("ctrlBrow"), EQVFaceSDKChannel::RotationX);
	RaiseDriver.CustomChannelName = TEXT("raise");
	Rig.AddDriven(RaiseDriver, TEXT("brow"), EQVFaceSDKChannel::RotationZ, {{0.f, 0.f}, {1.f, 40.f}});
	Rig.AddDriver(TEXT("ctrlEye"), EQVFaceSDKChannel::ValueFloat).CustomChannelName = TEXT("wink");
	Rig.Evaluate();
	EXPECT_TRUE(QuatsNear(Rig.Local(Lid).GetRotation(), AxisAngle(ZAxis, 10.0), 1e-9));
	EXPECT_TRUE(QuatsNear(Rig.Local(Brow).GetRotation(), AxisAngle(ZAxis, 10.0), 1e-9));
	EXPECT_THAT(Rig.Messages(),
		ElementsAre("QV Face SDK Solver: ctrlEye.blink resolved as ctrlEye_blink and evaluated at 0.250.",
			"QV Face SDK Solver: ctrlBrow.raise resolved as ctrlBrow.raise and evaluated at 0.250.",
			"QV Face SDK Solver: Control channel 'ctrlEye.wink' was not found."));
}

TEST(FaceSolverRows, MissingElementsAreReportedOnceAndLeaveTheirChannelsAlone)
{
	FFaceSolverRig Rig;
	Rig.AddControl(TEXT("slider"), Rig.Box, ERigControlType::Float, FRigControlValue::Make<float>(1.f));
	const FRigElementKey LipA = Rig.AddBone(TEXT("lipA"), Rig.FaceJoint, FTransform(FVector(1, 12, 108)));
	Rig.AddBone(TEXT("lipB"), Rig.FaceJoint, FTransform(FVector(2, 12, 108)));
	const FRigElementKey LipC = Rig.AddBone(TEXT("lipC"), Rig.FaceJoint, FTransform(FVector(3, 12, 108)));
	FQVFaceSDKDriver& Missing = Rig.AddDriver(TEXT("missingCtrl"), EQVFaceSDKChannel::ValueFloat);
	Rig.AddDriven(Missing, TEXT("lipA"), EQVFaceSDKChannel::RotationZ, {{0.f, 0.f}, {1.f, 10.f}});
	Rig.AddDriven(Missing, TEXT("lipB"), EQVFaceSDKChannel::RotationZ, {{0.f, 0.f}, {1.f, 10.f}});
	FQVFaceSDKDriver& Present = Rig.AddDriver(TEXT("slider"), EQVFaceSDKChannel::ValueFloat);
	Rig.AddDriven(Present, TEXT("lipC"), EQVFaceSDKChannel::RotationZ, {{0.f, 0.f}, {1.f, 10.f}});
	Rig.AddDriven(Present, nullptr, EQVFaceSDKChannel::RotationZ, {{0.f, 0.f}, {1.f, 10.f}});
	Rig.AddDriven(Present, TEXT("ghost"), EQVFaceSDKChannel::RotationZ, {{0.f, 0.f}, {1.f, 10.f}});
	const FTransform Moved(FVector(5, 5, 5));
	Rig.Hierarchy.SetLocalTransform(LipA, Moved);

	for (int32 Evaluation = 0; Evaluation < 3; ++Evaluation)
	{
		Rig.Evaluate();
	}
	EXPECT_THAT(Rig.Messages(),
		ElementsAre("QV Face SDK Solver: Control 'missingCtrl' was not found.",
			"QV Face SDK Solver: Driven transform 'None' was not found.",
			"QV Face SDK Solver: Driven transform 'ghost' was not found."));
	for (const FRigVMLog::FLogEntry& Entry : Rig.Log.Entries)
	{
		EXPECT_EQ(Entry.Severity, EMessageSeverity::Warning);
	}
	// The skipped driver's channels are untouched, the rest is posed.
	EXPECT_TRUE(Rig.Local(LipA).Equals(Moved, 0.0));
	EXPECT_TRUE(QuatsNear(Rig.Local(LipC).GetRotation(), AxisAngle(ZAxis, 10.0)));

	// Channels are counted across skipped drivers: the third cache entry is lipC's, whatever came before.
	ASSERT_EQ(Rig.Unit.CachedDrivenBones.Num(), 5);
	EXPECT_FALSE(Rig.Unit.CachedDrivenBones[0].IsValid() || Rig.Unit.CachedDrivenBones[1].IsValid());
	EXPECT_EQ(Rig.Unit.CachedDrivenBones[2].GetKey(), LipC);
	EXPECT_FALSE(Rig.Unit.CachedDrivenBones[3].IsValid() || Rig.Unit.CachedDrivenBones[4].IsValid());
	// Once the control exists, its channels take their own entries.
	Rig.AddControl(TEXT("missingCtrl"), Rig.Box, ERigControlType::Float, FRigControlValue::Make<float>(1.f));
	Rig.Evaluate();
	EXPECT_EQ(Rig.Unit.CachedDrivenBones[0].GetKey(), LipA);
	EXPECT_EQ(Rig.Unit.CachedDrivenBones[2].GetKey(), LipC);
	EXPECT_TRUE(QuatsNear(Rig.Local(LipA).GetRotation(), AxisAngle(ZAxis, 10.0)));
}

TEST(FaceSolverRows, TargetsRegionBonesAndDirectControls)
{
	FFaceSolverRig Rig;
	Rig.AddControl(TEXT("slider"), Rig.Box, ERigControlType::Float, FRigControlValue::Make<float>(1.f));
	const FRigElementKey Cheek = Rig.AddBone(TEXT("cheek"), Rig.FaceJoint, FTransform(FVector(4, 9, 110)));
	const FRigElementKey EyeNull = Rig.AddNull(TEXT("eyeSDK"), Rig.FaceJoint, FTransform(FVector(-3, 9, 112)));
	const FRigElementKey TwinBone = Rig.AddBone(TEXT("twin"), Rig.FaceJoint, FTransform(FVector(1, 9, 112)));
	const FRigElementKey TwinNull = Rig.AddNull(TEXT("twin"), Rig.FaceJoint, FTransform(FVector(1, 9, 112)));
	const FRigElementKey Nose = Rig.AddBone(TEXT("nose"), Rig.FaceJoint, FTransform(FVector(0, 12, 111)));
	const FRigElementKey OnFace = Rig.AddNull(TEXT("OnFacecontrols"), Rig.FaceJoint, FTransform(FVector(0, 14, 111)));
	const FRigElementKey NoseControl = Rig.AddControl(TEXT("noseCtrl"), OnFace, ERigControlType::Transform,
		FRigControlValue::Make<FTransform>(FTransform::Identity), FTransform(FVector(0, 14, 111)));

	FQVFaceSDKRegionControl& Region = Rig.Asset->RegionControls.AddDefaulted_GetRef();
	Region.ControlName = TEXT("cheekRegion");
	Region.BoneNames = {FName(TEXT("cheek")), FName(TEXT("noBone")), FName(TEXT("eyeSDK"))};
	FQVFaceSDKDriver& Driver = Rig.AddDriver(TEXT("slider"), EQVFaceSDKChannel::ValueFloat);
	Rig.AddDriven(Driver, TEXT("eyeSDK"), EQVFaceSDKChannel::RotationZ, {{0.f, 0.f}, {1.f, 10.f}});
	Rig.AddDriven(Driver, TEXT("twin"), EQVFaceSDKChannel::RotationZ, {{0.f, 0.f}, {1.f, 10.f}});
	Rig.AddDriven(Driver, TEXT("nose"), EQVFaceSDKChannel::TranslationX, {{0.f, 0.f}, {1.f, 0.5f}});
	FQVFaceSDKDirectControl& Direct = Rig.Asset->DirectControls.AddDefaulted_GetRef();
	Direct.ControlName = TEXT("noseCtrl");
	Direct.BoneName = TEXT("nose");
	Direct.FollowNullName = TEXT("noseFollow");
	FQVFaceSDKDirectControl& Broken = Rig.Asset->DirectControls.AddDefaulted_GetRef();
	Broken.ControlName = TEXT("noseCtrl");
	Broken.BoneName = TEXT("missingBone");
	Rig.SetValue(NoseControl, FRigControlValue::Make<FTransform>(FTransform(AxisAngle(ZAxis, 20.0), FVector(0, 0, 1))));

	// A region bone that no row drives is put back to its setup pose on every evaluation.
	for (int32 Evaluation = 0; Evaluation < 2; ++Evaluation)
	{
		Rig.Hierarchy.SetLocalTransform(Cheek, FTransform(FVector(9, 9, 9)));
		Rig.Evaluate();
		EXPECT_TRUE(Rig.Local(Cheek).Equals(Rig.Local(Cheek, true), 0.0));
	}
	// Seeded bones come first, then targets in row order; a name with no bone drives the null of that name, and a
	// bone wins over a null of the same name.
	EXPECT_THAT(Targets(Rig), ElementsAre(Cheek, EyeNull, TwinBone, Nose));
	EXPECT_TRUE(QuatsNear(Rig.Local(EyeNull).GetRotation(), AxisAngle(ZAxis, 10.0)));
	EXPECT_TRUE(QuatsNear(Rig.Local(TwinBone).GetRotation(), AxisAngle(ZAxis, 10.0)));
	EXPECT_TRUE(Rig.Local(TwinNull).Equals(Rig.Local(TwinNull, true), 0.0));

	// The direct control's delta comes after the rows: all frames are unturned, so it adds as it is.
	const FTransform NoseLocal = Rig.Local(Nose);
	EXPECT_TRUE(VectorsNear(NoseLocal.GetTranslation(), Rig.Local(Nose, true).GetTranslation() + FVector(0.5, 0, 1)));
	EXPECT_TRUE(QuatsNear(NoseLocal.GetRotation(), AxisAngle(ZAxis, 20.0), 1e-6));
	ASSERT_EQ(Rig.Unit.CachedDirectControls.Num(), 2);
	EXPECT_EQ(Rig.Unit.CachedDirectControls[0].GetKey(), NoseControl);
	EXPECT_TRUE(Rig.Messages().empty());

	// A target cached as a null gives way once a bone of its name appears.
	EXPECT_EQ(Rig.Unit.CachedDrivenBones[0].GetKey(), EyeNull);
	const FRigElementKey EyeBone = Rig.AddBone(TEXT("eyeSDK"), Rig.FaceJoint, FTransform(FVector(-3, 9, 112)));
	Rig.Evaluate();
	EXPECT_EQ(Rig.Unit.CachedDrivenBones[0].GetKey(), EyeBone);
	EXPECT_TRUE(QuatsNear(Rig.Local(EyeBone).GetRotation(), AxisAngle(ZAxis, 10.0)));
}

TEST(FaceSolverRows, NaNControlValuesTakeTheCurvesFallbacks)
{
	FFaceSolverRig Rig;
	const float NaN = std::numeric_limits<float>::quiet_NaN();
	Rig.AddControl(TEXT("slider"), Rig.Box, ERigControlType::Float, FRigControlValue::Make<float>(NaN));
	const FRigElementKey Jaw = Rig.AddBone(TEXT("jaw"), Rig.FaceJoint, FTransform(FVector(0, 10, 105)));
	FQVFaceSDKDriver& Driver = Rig.AddDriver(TEXT("slider"), EQVFaceSDKChannel::ValueFloat);
	// A NaN driver value lies neither below, above nor between keys: a scalar curve gives 0 there.
	Rig.AddDriven(Driver, TEXT("jaw"), EQVFaceSDKChannel::RotationZ, {{0.f, 0.f}, {1.f, 40.f}});
	Rig.AddDriven(Driver, TEXT("jaw"), EQVFaceSDKChannel::TranslationX, {{0.f, 1.f}, {1.f, 2.f}});
	Rig.AddDriven(Driver, TEXT("jaw"), EQVFaceSDKChannel::ScaleY, {{0.f, 1.f}, {1.f, 2.f}}).ApplyMode =
		EQVFaceSDKApplyMode::Absolute;
	// A rotation curve's blend at NaN normalises to the identity.
	FQVDrivenSDKChannel& Turn = Rig.AddDriven(Driver, TEXT("jaw"), EQVFaceSDKChannel::Rotation, {});
	Turn.bQuaternionRotation = true;
	Turn.QuaternionKeys.Add({0.f, FQuat::Identity});
	Turn.QuaternionKeys.Add({1.f, AxisAngle(FVector(1, 0, 0), 60.0)});
	Rig.Evaluate();

	const FTransform Local = Rig.Local(Jaw);
	EXPECT_FALSE(Local.ContainsNaN());
	EXPECT_TRUE(QuatsNear(Local.GetRotation(), FQuat::Identity));
	EXPECT_TRUE(VectorsNear(Local.GetTranslation(), Rig.Local(Jaw, true).GetTranslation()));
	EXPECT_TRUE(VectorsNear(Local.GetScale3D(), FVector(1, 0, 1)));
}

TEST(FaceSolverRows, DriversReadAheadStillReportInDriverOrder)
{
	// Drivers are read a batch at a time before their rows run; what they report must still come driver by driver,
	// each driver's own line before its rows' warnings.
	FFaceSolverRig Rig;
	Rig.Unit.bDebug = true;
	Rig.AddControl(TEXT("slider"), Rig.Box, ERigControlType::Float, FRigControlValue::Make<float>(1.f));
	Rig.AddControl(TEXT("slider2"), Rig.Box, ERigControlType::Float, FRigControlValue::Make<float>(0.5f));
	Rig.AddDriven(Rig.AddDriver(TEXT("slider"), EQVFaceSDKChannel::ValueFloat), TEXT("ghostA"),
		EQVFaceSDKChannel::RotationZ, {{0.f, 0.f}, {1.f, 10.f}});
	Rig.AddDriven(Rig.AddDriver(TEXT("missingCtrl"), EQVFaceSDKChannel::ValueFloat), TEXT("ghostB"),
		EQVFaceSDKChannel::RotationZ, {{0.f, 0.f}, {1.f, 10.f}});
	Rig.AddDriver(TEXT("slider"), EQVFaceSDKChannel::ValueFloat).CustomChannelName = TEXT("nope");
	Rig.AddDriven(Rig.AddDriver(TEXT("slider2"), EQVFaceSDKChannel::ValueFloat), TEXT("ghostC"),
		EQVFaceSDKChannel::RotationZ, {{0.f, 0.f}, {1.f, 10.f}});
	Rig.Evaluate();
	EXPECT_THAT(Rig.Messages(),
		ElementsAre("QV Face SDK Solver: slider evaluated at 1.000.",
			"QV Face SDK Solver: Driven transform 'ghostA' was not found.",
			"QV Face SDK Solver: Control 'missingCtrl' was not found.",
			"QV Face SDK Solver: Control channel 'slider.nope' was not found.",
			"QV Face SDK Solver: slider2 evaluated at 0.500.",
			"QV Face SDK Solver: Driven transform 'ghostC' was not found."));
}

TEST(FaceSolverRows, EveryQuaternionRowGetsItsOwnRotationWhenABatchOverflows)
{
	// Quaternion curves are evaluated ahead for a limited number of rows per batch of drivers. A skipped driver's rows
	// take no rotation, and rows past the limit evaluate their own: each bone must still turn by its own curve.
	FFaceSolverRig Rig;
	Rig.AddControl(TEXT("jaw"), Rig.Box, ERigControlType::Float, FRigControlValue::Make<float>(0.5f));
	Rig.AddControl(TEXT("lid"), Rig.Box, ERigControlType::Float, FRigControlValue::Make<float>(0.5f));
	const auto AddQuaternionRow = [](FQVFaceSDKDriver& Driver, const FString& Target, const FQuat& AtOne)
	{
		FQVDrivenSDKChannel& Driven = Driver.Driven.AddDefaulted_GetRef();
		Driven.BoneName = FName(*Target);
		Driven.bQuaternionRotation = true;
		Driven.QuaternionKeys.Add({0.f, FQuat::Identity});
		Driven.QuaternionKeys.Add({1.f, AtOne});
	};
	FQVFaceSDKDriver& Missing = Rig.AddDriver(TEXT("missingCtrl"), EQVFaceSDKChannel::ValueFloat);
	for (int32 Row = 0; Row < 3; ++Row)
	{
		AddQuaternionRow(Missing, TEXT("lid"), AxisAngle(FVector(0, 1, 0), 90.0));
	}
	constexpr int32 NumJawRows = 70;
	TArray<FRigElementKey> JawBones;
	FQVFaceSDKDriver& Jaw = Rig.AddDriver(TEXT("jaw"), EQVFaceSDKChannel::ValueFloat);
	for (int32 Row = 0; Row < NumJawRows; ++Row)
	{
		const FString Name = FString::Printf(TEXT("jaw_%d"), Row);
		JawBones.Add(Rig.AddBone(*Name, Rig.FaceJoint, FTransform(FVector(Row, 12, 108))));
		AddQuaternionRow(Jaw, Name, AxisAngle(ZAxis, 2.0 * Row));
	}
	const FRigElementKey LidBone = Rig.AddBone(TEXT("lid"), Rig.FaceJoint, FTransform(FVector(0, 14, 112)));
	AddQuaternionRow(Rig.AddDriver(TEXT("lid"), EQVFaceSDKChannel::ValueFloat), TEXT("lid"),
		AxisAngle(FVector(1, 0, 0), 60.0));
	Rig.Evaluate();

	// Halfway along each curve.
	for (int32 Row = 0; Row < NumJawRows; ++Row)
	{
		EXPECT_TRUE(QuatsNear(Rig.Local(JawBones[Row]).GetRotation(), AxisAngle(ZAxis, Row))) << Row;
	}
	EXPECT_TRUE(QuatsNear(Rig.Local(LidBone).GetRotation(), AxisAngle(FVector(1, 0, 0), 30.0)));
}
