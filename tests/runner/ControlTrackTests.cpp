// Sampling animation tracks: at, between and outside keys, per control type.
#include "QVRig/RigAnimation.h"
#include "RunnerTestUtils.h"

#include <cmath>

namespace
{
template <typename T> FQVControlTrack MakeTrack(ERigControlType InType, std::initializer_list<TPair<double, T>> InKeys)
{
	FQVControlTrack Track;
	Track.ControlType = InType;
	for (const TPair<double, T>& Key : InKeys)
	{
		Track.Keys.Add(FQVControlTrackKey{Key.Key, FRigControlValue::Make<T>(Key.Value)});
	}
	return Track;
}

FQuat AboutZ(double InDegrees)
{
	const double Half = FMath::DegreesToRadians(InDegrees) * 0.5;
	return FQuat(0.0, 0.0, std::sin(Half), std::cos(Half));
}
} // namespace

TEST(ControlTrack, FloatsBlendLinearlyBetweenTheKeysAroundTheFrameAndHoldTheEnds)
{
	const FQVControlTrack Sweep = MakeTrack<float>(ERigControlType::Float, {{0.0, -30.f}, {48.0, 90.f}});
	EXPECT_FLOAT_EQ(Sweep.Evaluate(0.0).Get<float>(), -30.f);
	EXPECT_FLOAT_EQ(Sweep.Evaluate(30.0).Get<float>(), 45.f);
	EXPECT_FLOAT_EQ(Sweep.Evaluate(48.0).Get<float>(), 90.f);
	EXPECT_FLOAT_EQ(Sweep.Evaluate(-12.0).Get<float>(), -30.f);
	EXPECT_FLOAT_EQ(Sweep.Evaluate(100.0).Get<float>(), 90.f);

	// With three keys the segment around the frame is the one used.
	const FQVControlTrack Peak = MakeTrack<float>(ERigControlType::Float, {{0.0, 0.f}, {10.0, 10.f}, {20.0, -10.f}});
	EXPECT_FLOAT_EQ(Peak.Evaluate(5.0).Get<float>(), 5.f);
	EXPECT_FLOAT_EQ(Peak.Evaluate(10.0).Get<float>(), 10.f);
	EXPECT_FLOAT_EQ(Peak.Evaluate(15.0).Get<float>(), 0.f);
	EXPECT_FLOAT_EQ(Peak.Evaluate(17.5).Get<float>(), -5.f);

	// A single key holds everywhere.
	const FQVControlTrack Single = MakeTrack<float>(ERigControlType::Float, {{3.0, 7.f}});
	EXPECT_FLOAT_EQ(Single.Evaluate(-1.0).Get<float>(), 7.f);
	EXPECT_FLOAT_EQ(Single.Evaluate(9.0).Get<float>(), 7.f);
}

TEST(ControlTrack, IntegersRoundAndBoolsStep)
{
	const FQVControlTrack Counter = MakeTrack<int32>(ERigControlType::Integer, {{0.0, 0}, {4.0, 3}});
	EXPECT_EQ(Counter.Evaluate(1.0).Get<int32>(), 1); // 0.75
	EXPECT_EQ(Counter.Evaluate(2.0).Get<int32>(), 2); // 1.5 rounds up
	EXPECT_EQ(Counter.Evaluate(0.5).Get<int32>(), 0); // 0.375

	const FQVControlTrack Switch = MakeTrack<bool>(ERigControlType::Bool, {{0.0, false}, {10.0, true}});
	EXPECT_FALSE(Switch.Evaluate(9.99).Get<bool>());
	EXPECT_TRUE(Switch.Evaluate(10.0).Get<bool>());
	EXPECT_TRUE(Switch.Evaluate(11.0).Get<bool>());
}

TEST(ControlTrack, VectorsBlendPerComponent)
{
	const FQVControlTrack Track =
		MakeTrack<FVector>(ERigControlType::Position, {{0.0, FVector(0, 0, 0)}, {4.0, FVector(10, 20, -30)}});
	EXPECT_TRUE(VectorsNear(URigHierarchy::GetVectorFromControlValue(Track.Evaluate(1.0)), FVector(2.5, 5, -7.5)));
	EXPECT_TRUE(VectorsNear(URigHierarchy::GetVectorFromControlValue(Track.Evaluate(-1.0)), FVector(0, 0, 0)));
	EXPECT_TRUE(VectorsNear(URigHierarchy::GetVectorFromControlValue(Track.Evaluate(9.0)), FVector(10, 20, -30)));

	const FQVControlTrack Plane =
		MakeTrack<FVector2D>(ERigControlType::Vector2D, {{0.0, FVector2D(1, -1)}, {2.0, FVector2D(3, 5)}});
	const FVector2D Middle = URigHierarchy::GetVector2DFromControlValue(Plane.Evaluate(1.0));
	EXPECT_NEAR(Middle.X, 2.0, 1e-6);
	EXPECT_NEAR(Middle.Y, 2.0, 1e-6);
}

TEST(ControlTrack, RotatorsBlendPerAngleTheWayTheyAreWritten)
{
	// 0 to 350 degrees of yaw turns the long way: half way is 175, not -5.
	const FQVControlTrack Spin =
		MakeTrack<FRotator>(ERigControlType::Rotator, {{0.0, FRotator(0, 0, 0)}, {10.0, FRotator(0, 350, 0)}});
	const FRotator Half = URigHierarchy::GetRotatorFromControlValue(Spin.Evaluate(5.0));
	EXPECT_NEAR(Half.Yaw, 175.0, 1e-4);
	EXPECT_NEAR(Half.Pitch, 0.0, 1e-6);

	const FQVControlTrack Mixed =
		MakeTrack<FRotator>(ERigControlType::Rotator, {{0.0, FRotator(10, 20, -40)}, {10.0, FRotator(30, 340, 40)}});
	const FRotator Quarter = URigHierarchy::GetRotatorFromControlValue(Mixed.Evaluate(2.5));
	EXPECT_NEAR(Quarter.Pitch, 15.0, 1e-4);
	EXPECT_NEAR(Quarter.Yaw, 100.0, 1e-4);
	EXPECT_NEAR(Quarter.Roll, -20.0, 1e-4);
	const FRotator After = URigHierarchy::GetRotatorFromControlValue(Mixed.Evaluate(12.0));
	EXPECT_NEAR(After.Yaw, 340.0, 1e-4);
}

TEST(ControlTrack, TransformsBlendPartByPartWithSlerpedRotations)
{
	const FTransform Start = FTransform::Identity;
	const FTransform End(AboutZ(90.0), FVector(4, 0, 0), FVector(3, 1, 1));
	const FQVControlTrack Track = MakeTrack<FTransform>(ERigControlType::Transform, {{0.0, Start}, {2.0, End}});

	// A quarter of the way: a slerp turns 22.5 degrees (a normalised linear blend would give about 21.6).
	const FTransform Quarter = URigHierarchy::GetTransformFromControlValue(Track.Evaluate(0.5));
	EXPECT_TRUE(QuatsNear(Quarter.GetRotation(), AboutZ(22.5)));
	EXPECT_TRUE(VectorsNear(Quarter.GetTranslation(), FVector(1, 0, 0)));
	EXPECT_TRUE(VectorsNear(Quarter.GetScale3D(), FVector(1.5, 1, 1)));

	EXPECT_TRUE(
		QuatsNear(URigHierarchy::GetTransformFromControlValue(Track.Evaluate(-3.0)).GetRotation(), FQuat::Identity));
	EXPECT_TRUE(
		QuatsNear(URigHierarchy::GetTransformFromControlValue(Track.Evaluate(2.0)).GetRotation(), AboutZ(90.0)));
	EXPECT_TRUE(
		VectorsNear(URigHierarchy::GetTransformFromControlValue(Track.Evaluate(5.0)).GetScale3D(), FVector(3, 1, 1)));

	// Euler transforms keep per-angle blending: 0 to 270 degrees of yaw passes 135, not the short way.
	const FQVControlTrack Euler = MakeTrack<FEulerTransform>(ERigControlType::EulerTransform,
		{{0.0, FEulerTransform::Identity},
			{2.0, FEulerTransform(FVector(0, 2, 0), FRotator(0, 270, 0), FVector(1, 1, 1))}});
	const FEulerTransform Middle = URigHierarchy::GetEulerTransformFromControlValue(Euler.Evaluate(1.0));
	EXPECT_NEAR(Middle.Rotation.Yaw, 135.0, 1e-4);
	EXPECT_TRUE(VectorsNear(Middle.Location, FVector(0, 1, 0)));
}
