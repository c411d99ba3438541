// Control values: float storage, conversions of the double-precision types, and values as transforms per type.
#include "QVHost/ControlValueText.h"
#include "RigTestUtils.h"

// Double-precision types do not go in or out directly; Make converts them.
template <typename T>
concept CanReadDirectly = requires(const FRigControlValue& Value)
{
	Value.Get<T>();
};
template <typename T>
concept CanWriteDirectly = requires(FRigControlValue& Value, T Input)
{
	Value.Set<T>(Input);
};
static_assert(!CanReadDirectly<FVector> && !CanReadDirectly<FVector2D> && !CanReadDirectly<FRotator> &&
	!CanReadDirectly<FQuat> && !CanReadDirectly<FTransform> && !CanReadDirectly<FEulerTransform> &&
	!CanReadDirectly<FTransformNoScale>);
static_assert(!CanWriteDirectly<FVector> && !CanWriteDirectly<FTransform> && !CanWriteDirectly<FEulerTransform>);
static_assert(CanReadDirectly<float> && CanReadDirectly<FVector3f> &&
	CanReadDirectly<FRigControlValue::FTransform_Float> && CanWriteDirectly<FRigControlValue::FEulerTransform_Float>);

namespace
{
FTransform AsTransform(const FRigControlValue& Value, ERigControlType Type, ERigControlAxis Axis = ERigControlAxis::X)
{
	return Value.GetAsTransform(Type, Axis);
}

FRigControlValue FromTransform(const FTransform& Transform, ERigControlType Type,
	ERigControlAxis Axis = ERigControlAxis::X, const FRigControlValue& Previous = FRigControlValue())
{
	FRigControlValue Value = Previous;
	Value.SetFromTransform(Transform, Type, Axis);
	return Value;
}
} // namespace

TEST(RigControlValue, MakeStoresTheFloatLayouts)
{
	FRigControlValue Empty;
	EXPECT_FALSE(Empty.IsValid());
	EXPECT_EQ(Empty.Get<float>(), 0.f);
	EXPECT_TRUE(FRigControlValue::Make<float>(0.f).IsValid());

	EXPECT_EQ(FRigControlValue::Make<FVector>(FVector(1, 2, 3)).Get<FVector3f>(), FVector3f(1, 2, 3));
	EXPECT_EQ(FRigControlValue::Make<FVector2D>(FVector2D(4, 5)).Get<FVector3f>(), FVector3f(4, 5, 0));
	// Rotators are stored as Euler angles: X roll, Y pitch, Z yaw.
	EXPECT_EQ(FRigControlValue::Make<FRotator>(FRotator(10, 20, 30)).Get<FVector3f>(), FVector3f(30, 10, 20));

	const FRigControlValue::FTransform_Float Floats =
		FRigControlValue::Make<FTransform>(FTransform(FQuat::Identity, FVector(1, 2, 3), FVector(4, 5, 6)))
			.Get<FRigControlValue::FTransform_Float>();
	EXPECT_EQ(Floats.RotationW, 1.f);
	EXPECT_EQ(Floats.GetTranslation(), FVector3f(1, 2, 3));
	EXPECT_EQ(Floats.GetScale3D(), FVector3f(4, 5, 6));

	const FRigControlValue::FEulerTransform_Float Euler =
		FRigControlValue::Make<FEulerTransform>(FEulerTransform(FVector(1, 0, 0), FRotator(0, 400, 0), FVector(2)))
			.Get<FRigControlValue::FEulerTransform_Float>();
	EXPECT_EQ(Euler.RotationYaw, 400.f);
	EXPECT_EQ(Euler.GetScale3D(), FVector3f(2, 2, 2));

	const FTransformNoScale NoScale =
		FRigControlValue::Make<FTransformNoScale>(FTransformNoScale(FTransform(FVector(7, 8, 9))))
			.Get<FRigControlValue::FTransformNoScale_Float>()
			.ToTransform();
	EXPECT_EQ(NoScale.Location, FVector(7, 8, 9));

	// The layouts default to the identity of their transform types.
	EXPECT_EQ(FRigControlValue::FTransform_Float().ScaleX, 1.f);
	EXPECT_EQ(FRigControlValue::FTransformNoScale_Float().RotationW, 1.f);
	EXPECT_EQ(FRigControlValue::FEulerTransform_Float().ScaleZ, 1.f);

	// GetRef writes in place.
	FRigControlValue Value = FRigControlValue::Make<FVector3f>(FVector3f(1, 2, 3));
	Value.GetRef<FVector3f>().Y = 7.f;
	EXPECT_EQ(Value.Get<FVector3f>(), FVector3f(1, 7, 3));
}

TEST(RigControlValue, AsTransformPerControlType)
{
	// A true bool sits one unit along X, a false one at the origin.
	EXPECT_TRUE(TransformsNear(
		AsTransform(FRigControlValue::Make<bool>(true), ERigControlType::Bool), FTransform(FVector(1, 0, 0))));
	EXPECT_TRUE(
		TransformsNear(AsTransform(FRigControlValue::Make<bool>(false), ERigControlType::Bool), FTransform::Identity));
	// Floats and integers move along the primary axis; a 2D value moves in the plane across it.
	EXPECT_TRUE(
		TransformsNear(AsTransform(FRigControlValue::Make<float>(2.5f), ERigControlType::Float, ERigControlAxis::Y),
			FTransform(FVector(0, 2.5, 0))));
	EXPECT_TRUE(
		TransformsNear(AsTransform(FRigControlValue::Make<int32>(-3), ERigControlType::Integer, ERigControlAxis::Z),
			FTransform(FVector(0, 0, -3))));
	const FRigControlValue Plane = FRigControlValue::Make<FVector2D>(FVector2D(1, 2));
	EXPECT_TRUE(TransformsNear(
		AsTransform(Plane, ERigControlType::Vector2D, ERigControlAxis::X), FTransform(FVector(0, 1, 2))));
	EXPECT_TRUE(TransformsNear(
		AsTransform(Plane, ERigControlType::Vector2D, ERigControlAxis::Y), FTransform(FVector(1, 0, 2))));
	EXPECT_TRUE(TransformsNear(
		AsTransform(Plane, ERigControlType::Vector2D, ERigControlAxis::Z), FTransform(FVector(1, 2, 0))));
	EXPECT_TRUE(TransformsNear(AsTransform(FRigControlValue::Make<float>(3.f), ERigControlType::ScaleFloat),
		FTransform(FQuat::Identity, FVector::ZeroVector, FVector(3))));

	// Transform-like values come back with a normalised rotation.
	FRigControlValue Unnormalised = FRigControlValue::Make<FTransform>(FTransform::Identity);
	Unnormalised.GetRef<FRigControlValue::FTransform_Float>().RotationW = 2.f;
	EXPECT_TRUE(TransformsNear(AsTransform(Unnormalised, ERigControlType::Transform), FTransform::Identity));
}

TEST(RigControlValue, FromTransformKeepsWhatTheTypeHolds)
{
	const FTransform Moved(FRotator(0, 45, 0), FVector(7.9, -8.9, 9), FVector(3, 4, 5));
	EXPECT_TRUE(FromTransform(Moved, ERigControlType::Bool).Get<bool>());
	EXPECT_FALSE(FromTransform(FTransform(FVector(-1, 0, 0)), ERigControlType::Bool).Get<bool>());
	EXPECT_EQ(FromTransform(Moved, ERigControlType::Float, ERigControlAxis::Z).Get<float>(), 9.f);
	// Integers truncate towards zero; a scale float takes the X scale.
	EXPECT_EQ(FromTransform(Moved, ERigControlType::Integer, ERigControlAxis::X).Get<int32>(), 7);
	EXPECT_EQ(FromTransform(Moved, ERigControlType::Integer, ERigControlAxis::Y).Get<int32>(), -8);
	EXPECT_EQ(FromTransform(Moved, ERigControlType::ScaleFloat).Get<float>(), 3.f);
	EXPECT_EQ(FromTransform(Moved, ERigControlType::Vector2D, ERigControlAxis::Y).Get<FVector3f>(),
		FVector3f(7.9f, 9.f, 0.f));
	EXPECT_EQ(FromTransform(Moved, ERigControlType::Scale).Get<FVector3f>(), FVector3f(3, 4, 5));

	// Rotators and Euler transforms add the normalised difference to the stored angles, so they wind on past
	// +-180 degrees instead of jumping back.
	const FRigControlValue Rotator = FromTransform(FTransform(FRotator(0, -170, 0)), ERigControlType::Rotator,
		ERigControlAxis::X, FRigControlValue::Make<FRotator>(FRotator(0, 170, 0)));
	EXPECT_NEAR(Rotator.Get<FVector3f>().Z, 190.f, 1e-3f);
	const FRigControlValue Euler = FromTransform(FTransform(FRotator(0, 10, 0)), ERigControlType::EulerTransform,
		ERigControlAxis::X,
		FRigControlValue::Make<FEulerTransform>(FEulerTransform(FRotator(0, 350, 0), FVector::ZeroVector, FVector(1))));
	EXPECT_NEAR(Euler.Get<FRigControlValue::FEulerTransform_Float>().RotationYaw, 370.f, 1e-3f);

	// No-scale transforms drop the scale.
	EXPECT_TRUE(TransformsNear(
		AsTransform(FromTransform(Moved, ERigControlType::TransformNoScale), ERigControlType::TransformNoScale),
		FTransform(FRotator(0, 45, 0), FVector(7.9, -8.9, 9)), 1e-6));
}

TEST(RigControlValue, ReadableText)
{
	EXPECT_TRUE(
		QVHost::ControlValueToString(FRigControlValue::Make<bool>(true), ERigControlType::Bool).Equals(TEXT("true")));
	EXPECT_TRUE(
		QVHost::ControlValueToString(FRigControlValue::Make<int32>(-4), ERigControlType::Integer).Equals(TEXT("-4")));
	EXPECT_TRUE(
		QVHost::ControlValueToString(FRigControlValue::Make<FVector2D>(FVector2D(1, 2)), ERigControlType::Vector2D)
			.Equals(TEXT("(1, 2)")));
	EXPECT_TRUE(QVHost::ControlValueToString(
		FRigControlValue::Make<FTransform>(FTransform(FVector(1, 0, 0))), ERigControlType::Transform)
					.Equals(TEXT("T(1, 0, 0) R(0, 0, 0) S(1, 1, 1)")));
}

TEST(RigElementKey, ComparesHashesAndPrintsAsTheEngine)
{
	const FRigElementKey Foot(TEXT("Foot_L"), ERigElementType::Bone);
	EXPECT_EQ(Foot, FRigElementKey(TEXT("foot_l"), ERigElementType::Bone));
	EXPECT_EQ(GetTypeHash(Foot), GetTypeHash(FRigElementKey(TEXT("FOOT_L"), ERigElementType::Bone)));
	EXPECT_NE(Foot, FRigElementKey(TEXT("Foot_L"), ERigElementType::Null));
	EXPECT_TRUE(Foot.ToString().Equals(TEXT("Bone(Foot_L)")));
	EXPECT_TRUE(FRigElementKey().ToString().IsEmpty());
	EXPECT_TRUE(FRigElementKey(TEXT("x"), ERigElementType::All).ToString().IsEmpty());

	// A key made from a type alone has no name; a reset key is a nameless curve key, as in the engine.
	EXPECT_FALSE(FRigElementKey(ERigElementType::Null).IsValid());
	FRigElementKey Reset = Foot;
	Reset.Reset();
	EXPECT_EQ(Reset.Type, ERigElementType::Curve);
	EXPECT_FALSE(Reset.IsValid());

	EXPECT_TRUE(Foot.IsTypeOf(ERigElementType::Bone));
	EXPECT_TRUE(Foot.IsTypeOf(ERigElementType::TransformTypes));
	EXPECT_FALSE(Foot.IsTypeOf(ERigElementType::Control));
	EXPECT_TRUE(FRigElementKey(TEXT("a"), ERigElementType::Bone) < FRigElementKey(TEXT("b"), ERigElementType::Bone));
	EXPECT_TRUE(FRigElementKey(TEXT("z"), ERigElementType::Bone) < FRigElementKey(TEXT("a"), ERigElementType::Null));
}
