// Controls: offsets between control and parent, values of every control type, shapes, visibility, channels.
#include "QVHost/RigHierarchyAccess.h"
#include "RigTestUtils.h"

namespace
{
// space (null at (0, 0, 100)) > ctrl (offset: yaw 90 at (5, 0, 0); Transform value at (1, 0, 0)) > tip (bone,
// local (0, 0, 1)).
struct FControlRig
{
	URigHierarchy Hierarchy;
	FRigElementKey Space, Ctrl, Tip;

	FControlRig()
	{
		URigHierarchyController* Controller = Hierarchy.GetController();
		Space = Controller->AddNull(TEXT("space"), FRigElementKey(), FTransform(FVector(0, 0, 100)));
		Ctrl = Controller->AddControl(TEXT("ctrl"), Space, MakeControlSettings(ERigControlType::Transform),
			FRigControlValue::Make<FTransform>(FTransform(FVector(1, 0, 0))),
			MakeTransform(0, 90, 0, FVector(5, 0, 0)));
		Tip = Controller->AddBone(TEXT("tip"), Ctrl, FTransform(FVector(0, 0, 1)), false);
	}

	FRigControlElement* Control() { return Hierarchy.Find<FRigControlElement>(Ctrl); }
};

const FQuat Yaw90 = FRotator(0, 90, 0).Quaternion();

FTransform TransformOf(const FRigControlValue& InValue)
{
	return InValue.Get<FRigControlValue::FTransform_Float>().ToTransform();
}

FRotator RotatorOf(const FRigControlValue& InValue)
{
	return FRotator::MakeFromEuler(FVector(InValue.Get<FVector3f>()));
}
} // namespace

TEST(RigHierarchyControls, ControlSitsOnItsOffsetBelowItsParent)
{
	FControlRig Rig;
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetGlobalTransform(Rig.Ctrl), FTransform(Yaw90, FVector(5, 1, 100))));
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetLocalTransform(Rig.Ctrl), FTransform(FVector(1, 0, 0))));
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetGlobalTransform(Rig.Tip), FTransform(Yaw90, FVector(5, 1, 101))));
	// The parent transform of a control is its parent element's, without the offset.
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetParentTransform(Rig.Control(), ERigTransformType::CurrentGlobal),
		FTransform(FVector(0, 0, 100))));
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetControlOffsetTransform(Rig.Control(), ERigTransformType::CurrentGlobal),
		FTransform(Yaw90, FVector(5, 0, 100))));

	// A global write becomes the value relative to the offset.
	Rig.Hierarchy.SetTransform(
		Rig.Control(), FTransform(Yaw90, FVector(5, 3, 100)), ERigTransformType::CurrentGlobal, true);
	const FTransform Value = TransformOf(Rig.Hierarchy.GetControlValue(Rig.Control(), ERigControlValueType::Current));
	EXPECT_TRUE(TransformsNear(Value, FTransform(FVector(3, 0, 0)), 1e-6));
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetGlobalTransform(Rig.Tip), FTransform(Yaw90, FVector(5, 3, 101)), 1e-6));
}

TEST(RigHierarchyControls, MovingTheOffsetMovesTheControlNotItsValue)
{
	FControlRig Rig;
	Rig.Hierarchy.SetControlOffsetTransform(
		Rig.Control(), FTransform(FVector(7, 0, 0)), ERigTransformType::CurrentLocal, true);
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetLocalTransform(Rig.Ctrl), FTransform(FVector(1, 0, 0))));
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetGlobalTransform(Rig.Ctrl), FTransform(FVector(8, 0, 100))));
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetGlobalTransform(Rig.Tip), FTransform(FVector(8, 0, 101))));

	// Without affect children the tip stays where it was.
	Rig.Hierarchy.SetControlOffsetTransform(
		Rig.Control(), FTransform(FVector(0, 0, 50)), ERigTransformType::CurrentGlobal, false);
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetGlobalTransform(Rig.Ctrl), FTransform(FVector(1, 0, 50))));
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetControlOffsetTransform(Rig.Control(), ERigTransformType::CurrentLocal),
		FTransform(FVector(0, 0, -50))));
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetGlobalTransform(Rig.Tip), FTransform(FVector(8, 0, 101))));
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetLocalTransform(Rig.Tip), FTransform(FVector(7, 0, 51))));

	// The initial offset is unaffected by current writes.
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetControlOffsetTransform(Rig.Control(), ERigTransformType::InitialLocal),
		MakeTransform(0, 90, 0, FVector(5, 0, 0))));
	EXPECT_TRUE(
		TransformsNear(Rig.Hierarchy.GetGlobalTransform(Rig.Ctrl, true), FTransform(Yaw90, FVector(5, 1, 100))));
}

TEST(RigHierarchyControls, ParentWritesKeepTheControlValue)
{
	FControlRig Rig;
	FRigNullElement* Space = Rig.Hierarchy.Find<FRigNullElement>(Rig.Space);

	// Carried along: same value, new global.
	Rig.Hierarchy.SetTransform(Space, FTransform(FVector(0, 0, 0)), ERigTransformType::CurrentGlobal, true);
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetGlobalTransform(Rig.Ctrl), FTransform(Yaw90, FVector(5, 1, 0))));
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetLocalTransform(Rig.Ctrl), FTransform(FVector(1, 0, 0))));

	// Left in place: same value and global, the local offset absorbs the parent's motion.
	Rig.Hierarchy.SetTransform(Space, FTransform(FVector(0, 0, 20)), ERigTransformType::CurrentGlobal, false);
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetGlobalTransform(Rig.Ctrl), FTransform(Yaw90, FVector(5, 1, 0))));
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetLocalTransform(Rig.Ctrl), FTransform(FVector(1, 0, 0))));
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetControlOffsetTransform(Rig.Control(), ERigTransformType::CurrentLocal),
		MakeTransform(0, 90, 0, FVector(5, 0, -20))));
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetGlobalTransform(Rig.Tip), FTransform(Yaw90, FVector(5, 1, 1))));
}

TEST(RigHierarchyControls, ValuesOfEveryControlTypeAsTransforms)
{
	URigHierarchy Hierarchy;
	URigHierarchyController* Controller = Hierarchy.GetController();
	auto Add = [&](const TCHAR* Name, ERigControlType Type, const FRigControlValue& Value,
				   ERigControlAxis Axis = ERigControlAxis::X)
	{
		FRigControlSettings Settings = MakeControlSettings(Type);
		Settings.PrimaryAxis = Axis;
		return Controller->AddControl(Name, FRigElementKey(), Settings, Value);
	};
	auto Local = [&](const FRigElementKey& Key) { return Hierarchy.GetLocalTransform(Key); };

	const FRigElementKey Bool = Add(TEXT("bool"), ERigControlType::Bool, FRigControlValue::Make<bool>(true));
	const FRigElementKey Float =
		Add(TEXT("float"), ERigControlType::Float, FRigControlValue::Make<float>(2.5f), ERigControlAxis::Z);
	const FRigElementKey ScaleFloat =
		Add(TEXT("scalefloat"), ERigControlType::ScaleFloat, FRigControlValue::Make<float>(3.f));
	const FRigElementKey Integer = Add(TEXT("integer"), ERigControlType::Integer, FRigControlValue::Make<int32>(4));
	const FRigElementKey Plane =
		Add(TEXT("vector2d"), ERigControlType::Vector2D, FRigControlValue::Make<FVector2D>(FVector2D(1, 2)));
	const FRigElementKey Position =
		Add(TEXT("position"), ERigControlType::Position, FRigControlValue::Make<FVector>(FVector(1, 2, 3)));
	const FRigElementKey Scale =
		Add(TEXT("scale"), ERigControlType::Scale, FRigControlValue::Make<FVector>(FVector(2, 3, 4)));
	const FRigElementKey Rotator =
		Add(TEXT("rotator"), ERigControlType::Rotator, FRigControlValue::Make<FRotator>(FRotator(10, 20, 30)));
	const FRigElementKey Euler = Add(TEXT("euler"), ERigControlType::EulerTransform,
		FRigControlValue::Make<FEulerTransform>(FEulerTransform(FVector(1, 0, 0), FRotator(0, 400, 0), FVector(2))));
	const FRigElementKey NoScale = Add(TEXT("noscale"), ERigControlType::TransformNoScale,
		FRigControlValue::Make<FTransform>(FTransform(FVector(0, 5, 0))));

	// A true bool control sits one unit along X, as in the engine.
	EXPECT_TRUE(TransformsNear(Local(Bool), FTransform(FVector(1, 0, 0))));
	EXPECT_TRUE(Hierarchy.GetControlValue(Bool).Get<bool>());
	EXPECT_TRUE(TransformsNear(Local(Float), FTransform(FVector(0, 0, 2.5))));
	// A float control is read as one 32-bit float.
	EXPECT_EQ(Hierarchy.GetControlValue(Float).Get<float>(), 2.5f);
	EXPECT_TRUE(TransformsNear(Local(ScaleFloat), FTransform(FQuat::Identity, FVector::ZeroVector, FVector(3))));
	EXPECT_TRUE(TransformsNear(Local(Integer), FTransform(FVector(4, 0, 0))));
	EXPECT_TRUE(TransformsNear(Local(Plane), FTransform(FVector(0, 1, 2))));
	EXPECT_EQ(Hierarchy.GetControlValue(Plane).Get<FVector3f>().Y, 2.f);
	EXPECT_TRUE(TransformsNear(Local(Position), FTransform(FVector(1, 2, 3))));
	EXPECT_TRUE(TransformsNear(Local(Scale), FTransform(FQuat::Identity, FVector::ZeroVector, FVector(2, 3, 4))));
	EXPECT_TRUE(TransformsNear(Local(Rotator), FTransform(FRotator(10, 20, 30).Quaternion()), 1e-6));
	EXPECT_TRUE(
		TransformsNear(Local(Euler), FTransform(FRotator(0, 40, 0).Quaternion(), FVector(1, 0, 0), FVector(2)), 1e-6));
	// Euler values keep their winding.
	EXPECT_EQ(Hierarchy.GetControlValue(Euler).Get<FRigControlValue::FEulerTransform_Float>().RotationYaw, 400.f);
	EXPECT_TRUE(TransformsNear(Local(NoScale), FTransform(FVector(0, 5, 0))));

	// A transform written to a control keeps what its type can hold.
	Hierarchy.SetLocalTransform(Float, FTransform(FRotator(0, 45, 0), FVector(7, 8, 9), FVector(3)));
	EXPECT_EQ(Hierarchy.GetControlValue(Float).Get<float>(), 9.f);
	EXPECT_TRUE(TransformsNear(Local(Float), FTransform(FVector(0, 0, 9))));
	Hierarchy.SetLocalTransform(Plane, FTransform(FVector(7, 8, 9)));
	EXPECT_TRUE(TransformsNear(Local(Plane), FTransform(FVector(0, 8, 9))));
	Hierarchy.SetLocalTransform(NoScale, FTransform(FQuat::Identity, FVector(1, 1, 1), FVector(5)));
	EXPECT_TRUE(TransformsNear(Local(NoScale), FTransform(FVector(1, 1, 1))));

	// Missing keys and non-controls read a zero value.
	EXPECT_EQ(Hierarchy.GetControlValue(FRigElementKey(TEXT("nope"), ERigElementType::Control)).Get<float>(), 0.f);
	EXPECT_EQ(Hierarchy.GetControlValue(nullptr, ERigControlValueType::Current).Get<float>(), 0.f);
}

TEST(RigHierarchyControls, SettingValuesMovesChildrenAndKeepsInitial)
{
	FControlRig Rig;
	Rig.Hierarchy.SetControlValue(
		Rig.Control(), FRigControlValue::Make<FTransform>(FTransform(FVector(2, 0, 0))), ERigControlValueType::Current);
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetGlobalTransform(Rig.Tip), FTransform(Yaw90, FVector(5, 2, 101))));
	EXPECT_TRUE(TransformsNear(TransformOf(Rig.Hierarchy.GetControlValue(Rig.Control(), ERigControlValueType::Initial)),
		FTransform(FVector(1, 0, 0))));

	Rig.Hierarchy.SetControlValue(
		Rig.Control(), FRigControlValue::Make<FTransform>(FTransform(FVector(0, 0, 0))), ERigControlValueType::Initial);
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetGlobalTransform(Rig.Tip, true), FTransform(Yaw90, FVector(5, 0, 101))));

	Rig.Hierarchy.ResetPoseToInitial();
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetGlobalTransform(Rig.Tip), FTransform(Yaw90, FVector(5, 0, 101))));
}

TEST(RigHierarchyControls, PreferredEulerAnglesKeepWindingAcrossTransformWrites)
{
	URigHierarchy Hierarchy;
	const FRigElementKey Key = Hierarchy.GetController()->AddControl(TEXT("rot"), FRigElementKey(),
		MakeControlSettings(ERigControlType::Rotator), FRigControlValue::Make<FRotator>(FRotator(0, 170, 0)));
	FRigControlElement* Control = Hierarchy.Find<FRigControlElement>(Key);

	// Yaw 190 arrives as a quaternion whose plain rotator is yaw -170; the preferred angles keep the winding.
	Hierarchy.SetLocalTransform(Key, FTransform(FRotator(0, 190, 0)));
	EXPECT_NEAR(RotatorOf(Hierarchy.GetControlValue(Control, ERigControlValueType::Current, true)).Yaw, 190.0, 1e-3);
	EXPECT_NEAR(Hierarchy.GetControlPreferredRotator(Control).Yaw, 190.0, 1e-3);

	// Quaternion to rotator goes through the engine's polynomial arc tangent, good to about 1e-5 degrees.
	Hierarchy.SetControlPreferredEulerAngles(Control, FTransform(FRotator(0, 20, 0)));
	EXPECT_NEAR(Hierarchy.GetControlPreferredRotator(Control).Yaw, 20.0, 1e-4);
	EXPECT_NEAR(RotatorOf(Hierarchy.GetControlValue(Control, ERigControlValueType::Current, true)).Yaw, 20.0, 1e-4);

	// The third argument picks the initial angles; they are taken as is, without flip fixing.
	Hierarchy.SetControlPreferredRotator(Control, FRotator(0, 350, 0), true);
	Hierarchy.SetControlPreferredEulerAngles(Control, FTransform(FRotator(0, 10, 0)), true);
	EXPECT_NEAR(Hierarchy.GetControlPreferredRotator(Control, true).Yaw, 10.0, 1e-4);
	EXPECT_NEAR(Hierarchy.GetControlPreferredRotator(Control).Yaw, 20.0, 1e-4);

	// Flip fixing winds the rotator towards the previous angles.
	Hierarchy.SetControlPreferredRotator(Control, FRotator(0, 350, 0));
	Hierarchy.SetControlPreferredRotator(Control, FRotator(0, 10, 0), false, true);
	EXPECT_NEAR(Hierarchy.GetControlPreferredRotator(Control).Yaw, 370.0, 1e-4);

	// Controls without a rotation keep no preferred angles.
	const FRigElementKey FloatKey = Hierarchy.GetController()->AddControl(TEXT("float"), FRigElementKey(),
		MakeControlSettings(ERigControlType::Float), FRigControlValue::Make<float>(1.f));
	FRigControlElement* FloatControl = Hierarchy.Find<FRigControlElement>(FloatKey);
	Hierarchy.SetControlPreferredEulerAngles(FloatControl, FTransform(FRotator(0, 30, 0)));
	EXPECT_EQ(Hierarchy.GetControlPreferredRotator(FloatControl), FRotator::ZeroRotator);
}

TEST(RigHierarchyControls, ShapesVisibilityDisplayNamesAndChannels)
{
	FControlRig Rig;
	FRigControlElement* Control = Rig.Control();
	Rig.Hierarchy.SetControlShapeTransform(Control, FTransform(FVector(0, 0, 2)), ERigTransformType::CurrentLocal);
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetControlShapeTransform(Control, ERigTransformType::CurrentGlobal),
		FTransform(Yaw90, FVector(5, 1, 102))));
	EXPECT_TRUE(TransformsNear(
		Rig.Hierarchy.GetControlShapeTransform(Control, ERigTransformType::InitialLocal), FTransform::Identity));
	Rig.Hierarchy.SetControlShapeTransform(Control, FTransform(FVector(0, 0, 0)), ERigTransformType::CurrentGlobal);
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetControlShapeTransform(Control, ERigTransformType::CurrentLocal),
		FTransform(Yaw90.Inverse(), FVector(-1, 5, -100))));

	EXPECT_TRUE(Control->Settings.IsVisible());
	Rig.Hierarchy.SetControlVisibility(Control, false);
	EXPECT_FALSE(Control->Settings.IsVisible());
	Rig.Hierarchy.SetControlVisibility(FRigElementKey(TEXT("CTRL"), ERigElementType::Control), true);
	EXPECT_TRUE(Control->Settings.IsVisible());

	URigHierarchyController* Controller = Rig.Hierarchy.GetController();
	FRigControlSettings ChannelSettings = MakeControlSettings(ERigControlType::Float);
	ChannelSettings.DisplayName = TEXT("roll");
	const FRigElementKey Channel = Controller->AddAnimationChannel(TEXT("ctrl_roll"), Rig.Ctrl, ChannelSettings);
	const FRigControlElement* ChannelElement = Rig.Hierarchy.Find<FRigControlElement>(Channel);
	ASSERT_NE(ChannelElement, nullptr);
	EXPECT_TRUE(ChannelElement->IsAnimationChannel());
	EXPECT_EQ(ChannelElement->GetDisplayName(), FName(TEXT("roll")));
	EXPECT_EQ(Control->GetDisplayName(), FName(TEXT("ctrl")));
	EXPECT_EQ(Rig.Hierarchy.GetFirstParent(Channel), Rig.Ctrl);
	EXPECT_EQ(Rig.Hierarchy.GetControlValue(Channel).Get<float>(), 0.f);
	// Channels live below controls only.
	EXPECT_FALSE(Controller->AddAnimationChannel(TEXT("bad"), Rig.Space, ChannelSettings).IsValid());
}

TEST(RigHierarchyControls, TransformWritesFixEulerFlipsValueWritesWhenAsked)
{
	URigHierarchy Hierarchy;
	URigHierarchyController* Controller = Hierarchy.GetController();
	const FRigElementKey RotKey = Controller->AddControl(TEXT("rot"), FRigElementKey(),
		MakeControlSettings(ERigControlType::Rotator), FRigControlValue::Make<FRotator>(FRotator(0, 170, 0)));
	const FRigElementKey XfKey =
		Controller->AddControl(TEXT("xf"), FRigElementKey(), MakeControlSettings(ERigControlType::Transform),
			FRigControlValue::Make<FTransform>(FTransform(FRotator(0, 170, 0))));
	FRigControlElement* Rot = Hierarchy.Find<FRigControlElement>(RotKey);
	FRigControlElement* Xf = Hierarchy.Find<FRigControlElement>(XfKey);
	const FTransform Yaw190(FRotator(0, 190, 0));

	// Local and global writes, current and initial, of every control with a rotation wind towards the previous
	// angles: yaw 190 arrives as a quaternion whose plain rotator is yaw -170.
	Hierarchy.SetGlobalTransform(RotKey, Yaw190);
	EXPECT_NEAR(Hierarchy.GetControlPreferredRotator(Rot).Yaw, 190.0, 1e-3);
	Hierarchy.SetLocalTransform(RotKey, Yaw190, true);
	EXPECT_NEAR(Hierarchy.GetControlPreferredRotator(Rot, true).Yaw, 190.0, 1e-3);
	Hierarchy.SetLocalTransform(XfKey, Yaw190);
	EXPECT_NEAR(Hierarchy.GetControlPreferredRotator(Xf).Yaw, 190.0, 1e-3);

	// A rotation given by its flipped Euler triple (pitch 180, roll 180) lands on the nearer winding too.
	Hierarchy.SetLocalTransform(RotKey, FTransform(FRotator(180, 10, 180)));
	const FRotator Flipped = Hierarchy.GetControlPreferredRotator(Rot);
	EXPECT_NEAR(Flipped.Pitch, 0.0, 1e-3);
	EXPECT_NEAR(Flipped.Yaw, 190.0, 1e-3);
	EXPECT_NEAR(Flipped.Roll, 0.0, 1e-3);

	// A value write that fixes flips winds the preferred angles towards the previous ones.
	Hierarchy.SetControlPreferredRotator(Rot, FRotator(0, 170, 0));
	Hierarchy.SetControlValue(Rot, FRigControlValue::Make<FRotator>(FRotator(0, -170, 0)),
		ERigControlValueType::Current, false, false, false, true);
	EXPECT_NEAR(Hierarchy.GetControlPreferredRotator(Rot).Yaw, 190.0, 1e-4);
	EXPECT_NEAR(RotatorOf(Hierarchy.GetControlValue(RotKey)).Yaw, 190.0, 1e-4);
}

TEST(RigHierarchyControls, ValueWritesLeaveThePreferredAnglesToTheCaller)
{
	URigHierarchy Hierarchy;
	const FEulerTransform Setup(FVector(0, 0, 0), FRotator(0, 10, 0), FVector::OneVector);
	const FRigElementKey Key = Hierarchy.GetController()->AddControl(TEXT("euler"), FRigElementKey(),
		MakeControlSettings(ERigControlType::EulerTransform), FRigControlValue::Make<FEulerTransform>(Setup));
	FRigControlElement* Control = Hierarchy.Find<FRigControlElement>(Key);
	const auto ValueOf = [&Hierarchy, Control](ERigControlValueType Type)
	{
		return Hierarchy.GetControlValue(Control, Type, Hierarchy.UsesPreferredEulerAngles())
			.Get<FRigControlValue::FEulerTransform_Float>()
			.ToTransform();
	};

	// A plain value write moves the control but keeps the preferred angles, so the value reads back with the old
	// rotation and the new translation and scale, as in the engine.
	const FTransform Moved(FRotator(0, 40, 0), FVector(1, 2, 3), FVector(1, 2, 1));
	Hierarchy.SetControlValue(Control, FRigControlValue::Make<FEulerTransform>(FEulerTransform(Moved)),
		ERigControlValueType::Current);
	EXPECT_TRUE(TransformsNear(Hierarchy.GetLocalTransform(Key), Moved, 1e-6));
	EXPECT_NEAR(Hierarchy.GetControlPreferredRotator(Control).Yaw, 10.0, 1e-4);
	const FEulerTransform Read = ValueOf(ERigControlValueType::Current);
	EXPECT_NEAR(Read.Rotation.Yaw, 10.0, 1e-4);
	EXPECT_TRUE(Read.Location.Equals(FVector(1, 2, 3), 1e-6));
	EXPECT_TRUE(Read.Scale.Equals(FVector(1, 2, 1), 1e-6));

	// Setting them from the same transform right after, as a caller that owns the rotation does, makes the value
	// read back whole. Initial writes behave alike and leave the current angles.
	Hierarchy.SetControlPreferredEulerAngles(Control, Moved);
	EXPECT_NEAR(ValueOf(ERigControlValueType::Current).Rotation.Yaw, 40.0, 1e-4);
	Hierarchy.SetControlValue(Control, FRigControlValue::Make<FEulerTransform>(FEulerTransform(FTransform::Identity)),
		ERigControlValueType::Initial);
	EXPECT_NEAR(Hierarchy.GetControlPreferredRotator(Control, true).Yaw, 10.0, 1e-4);
	EXPECT_NEAR(ValueOf(ERigControlValueType::Initial).Rotation.Yaw, 10.0, 1e-4);
	EXPECT_NEAR(Hierarchy.GetControlPreferredRotator(Control).Yaw, 40.0, 1e-4);

	// The specified Euler angles are (roll, pitch, yaw), taken as they are, windings included.
	Hierarchy.SetControlSpecifiedEulerAngle(Control, FVector(5, 10, 380));
	const FRotator Preferred = Hierarchy.GetControlPreferredRotator(Control);
	EXPECT_NEAR(Preferred.Roll, 5.0, 1e-4);
	EXPECT_NEAR(Preferred.Pitch, 10.0, 1e-4);
	EXPECT_NEAR(Preferred.Yaw, 380.0, 1e-4);
	EXPECT_TRUE(Hierarchy.GetControlSpecifiedEulerAngle(Control).Equals(FVector(5, 10, 380), 1e-4));
	Hierarchy.SetControlSpecifiedEulerAngle(Control, FVector(0, 0, 90), true);
	EXPECT_TRUE(Hierarchy.GetControlSpecifiedEulerAngle(Control, true).Equals(FVector(0, 0, 90), 1e-4));
	EXPECT_TRUE(Hierarchy.GetControlSpecifiedEulerAngle(nullptr).Equals(FVector::ZeroVector, 0));
}

TEST(RigHierarchyControls, InitialOffsetsAndShapesCarryOverToTheCurrentPose)
{
	FControlRig Rig;
	FRigControlElement* Control = Rig.Control();
	const FTransform NewOffset(FVector(0, 0, 3));

	// Writing the current offset leaves the initial one; writing the initial one writes both.
	Rig.Hierarchy.SetControlOffsetTransform(Control, NewOffset, ERigTransformType::CurrentLocal, true);
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetControlOffsetTransform(Control, ERigTransformType::InitialLocal),
		MakeTransform(0, 90, 0, FVector(5, 0, 0))));
	Rig.Hierarchy.SetControlOffsetTransform(
		Control, FTransform(FVector(0, 0, 4)), ERigTransformType::InitialGlobal, true);
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetControlOffsetTransform(Control, ERigTransformType::InitialLocal),
		FTransform(FVector(0, 0, -96))));
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetControlOffsetTransform(Control, ERigTransformType::CurrentGlobal),
		FTransform(FVector(0, 0, 4))));
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetGlobalTransform(Rig.Tip), FTransform(FVector(1, 0, 5))));

	Rig.Hierarchy.SetControlShapeTransform(Control, FTransform(FVector(0, 2, 0)), ERigTransformType::InitialLocal);
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetControlShapeTransform(Control, ERigTransformType::CurrentLocal),
		FTransform(FVector(0, 2, 0))));
	Rig.Hierarchy.SetControlShapeTransform(Control, FTransform(FVector(0, 0, 1)), ERigTransformType::CurrentLocal);
	EXPECT_TRUE(TransformsNear(Rig.Hierarchy.GetControlShapeTransform(Control, ERigTransformType::InitialLocal),
		FTransform(FVector(0, 2, 0))));
}

TEST(RigHierarchyControls, WritesOfTheSameTransformAreSkippedUnlessForced)
{
	FControlRig Rig;
	FRigControlElement* Control = Rig.Control();
	const FTransform Offset = Rig.Hierarchy.GetControlOffsetTransform(Control, ERigTransformType::CurrentLocal);
	const FTransform Shape = Rig.Hierarchy.GetControlShapeTransform(Control, ERigTransformType::CurrentLocal);
	FRigTransformElement* TipElement = Rig.Hierarchy.Find<FRigTransformElement>(Rig.Tip);
	const FTransform TipLocal = Rig.Hierarchy.GetLocalTransform(Rig.Tip);

	// A write that is carried out prints its command; a skipped one prints nothing.
	FLogCapture Capture;
	Rig.Hierarchy.SetControlOffsetTransform(Control, Offset, ERigTransformType::CurrentLocal, true, false, false, true);
	Rig.Hierarchy.SetControlShapeTransform(Control, Shape, ERigTransformType::CurrentLocal, false, false, true);
	Rig.Hierarchy.SetTransform(TipElement, TipLocal, ERigTransformType::CurrentLocal, true, false, false, true);
	EXPECT_EQ(Capture.Lines.Num(), 0);
	Rig.Hierarchy.SetControlOffsetTransform(Control, Offset, ERigTransformType::CurrentLocal, true, false, true, true);
	Rig.Hierarchy.SetControlShapeTransform(Control, Shape, ERigTransformType::CurrentLocal, false, true, true);
	Rig.Hierarchy.SetTransform(TipElement, TipLocal, ERigTransformType::CurrentLocal, true, false, true, true);
	ASSERT_EQ(Capture.Lines.Num(), 3);
	EXPECT_TRUE(Capture.Lines[0].Text.StartsWith(TEXT("hierarchy.set_control_offset_transform(Control(ctrl)")));
	EXPECT_TRUE(Capture.Lines[1].Text.StartsWith(TEXT("hierarchy.set_control_shape_transform(Control(ctrl)")));
	EXPECT_TRUE(Capture.Lines[2].Text.StartsWith(TEXT("hierarchy.set_local_transform(Bone(tip)")));
}

TEST(RigHierarchyControls, VisibilityNeedsAShapeAndPreferredAnglesCanBeOff)
{
	URigHierarchy Hierarchy;
	URigHierarchyController* Controller = Hierarchy.GetController();
	const FRigElementKey Switch = Controller->AddControl(TEXT("switch"), FRigElementKey(),
		MakeControlSettings(ERigControlType::Bool), FRigControlValue::Make<bool>(true));
	FRigControlElement* SwitchControl = Hierarchy.Find<FRigControlElement>(Switch);
	// Bool controls have no shape: they are never visible and visibility writes change nothing.
	EXPECT_FALSE(SwitchControl->Settings.IsVisible());
	EXPECT_FALSE(SwitchControl->Settings.SetVisible(true));
	Hierarchy.SetControlVisibility(Switch, true);
	EXPECT_FALSE(SwitchControl->Settings.IsVisible());

	// A proxy control shown by selection keeps its visibility unless forced.
	FRigControlSettings ProxySettings =
		MakeControlSettings(ERigControlType::Float, ERigControlAnimationType::ProxyControl);
	ProxySettings.ShapeVisibility = ERigControlVisibility::BasedOnSelection;
	EXPECT_FALSE(ProxySettings.SetVisible(false));
	EXPECT_TRUE(ProxySettings.SetVisible(false, true));
	EXPECT_FALSE(ProxySettings.IsVisible());

	// With preferred angles off, rotator values and the preferred rotator read the value as stored.
	const FRigElementKey RotKey = Controller->AddControl(TEXT("rot"), FRigElementKey(),
		MakeControlSettings(ERigControlType::Rotator), FRigControlValue::Make<FRotator>(FRotator(0, 170, 0)));
	FRigControlElement* Rot = Hierarchy.Find<FRigControlElement>(RotKey);
	Hierarchy.SetControlPreferredRotator(Rot, FRotator(0, 530, 0));
	EXPECT_NEAR(RotatorOf(Hierarchy.GetControlValue(RotKey)).Yaw, 530.0, 1e-3);
	QVHost::FRigHierarchyAccess::SetUsePreferredEulerAngles(Hierarchy, false);
	EXPECT_FALSE(Hierarchy.UsesPreferredEulerAngles());
	EXPECT_NEAR(RotatorOf(Hierarchy.GetControlValue(RotKey)).Yaw, 170.0, 1e-3);
	EXPECT_NEAR(Hierarchy.GetControlPreferredRotator(Rot).Yaw, 170.0, 1e-3);
	// Transform writes leave the preferred angles alone then.
	Hierarchy.SetLocalTransform(RotKey, FTransform(FRotator(0, 20, 0)));
	EXPECT_NEAR(Rot->PreferredEulerAngles.GetRotator().Yaw, 530.0, 1e-3);
}
