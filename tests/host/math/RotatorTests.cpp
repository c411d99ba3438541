// Tests of TRotator and its conversions to and from quaternions.
#include "MathTestHelpers.h"

#include <cstring>

namespace
{
using QVMathTest::AxisAngle;
using QVMathTest::HandMul;
using QVMathTest::Rad;
using QVMathTest::SameRotation;
using QVMathTest::VectorNear;

const double S45 = std::sqrt(0.5);

TEST(HostRotator, SingleAxisQuaternions)
{
	// Yaw turns about +Z, pitch about -Y, roll about -X (half angles written by hand).
	EXPECT_TRUE(SameRotation(FRotator(0, 90, 0).Quaternion(), FQuat(0, 0, S45, S45), 1e-15));
	EXPECT_TRUE(SameRotation(FRotator(90, 0, 0).Quaternion(), FQuat(0, -S45, 0, S45), 1e-15));
	EXPECT_TRUE(SameRotation(FRotator(0, 0, 90).Quaternion(), FQuat(-S45, 0, 0, S45), 1e-15));
	const FQuat Yaw30 = FRotator(0, 30, 0).Quaternion();
	EXPECT_NEAR(Yaw30.Z, std::sin(Rad(15)), 1e-16);
	EXPECT_NEAR(Yaw30.W, std::cos(Rad(15)), 1e-16);
	EXPECT_EQ(Yaw30.X, 0.0);

	// Positive pitch lifts +X toward +Z, positive yaw turns +X toward +Y, positive roll takes +Y toward -Z.
	const FVector X(1, 0, 0), Y(0, 1, 0);
	EXPECT_TRUE(VectorNear(FRotator(90, 0, 0).Quaternion().RotateVector(X), FVector(0, 0, 1), 1e-15));
	EXPECT_TRUE(VectorNear(FRotator(0, 90, 0).Quaternion().RotateVector(X), FVector(0, 1, 0), 1e-15));
	EXPECT_TRUE(VectorNear(FRotator(0, 0, 90).Quaternion().RotateVector(Y), FVector(0, 0, -1), 1e-15));

	// Angles are wrapped by whole turns toward zero first: 390 is exactly 30, -330 stays -330 (same rotation,
	// opposite sign).
	EXPECT_EQ(FRotator(0, 390, 0).Quaternion(), Yaw30);
	const FQuat Minus330 = FRotator(0, -330, 0).Quaternion();
	EXPECT_NEAR(Minus330.Z, -Yaw30.Z, 1e-15);
	EXPECT_NEAR(Minus330.W, -Yaw30.W, 1e-15);
}

TEST(HostRotator, ZeroAnglesGiveExactlyWhatTheLibraryGives)
{
	// Zero half angles (signed zeros and whole turns included) skip the C library, which must not show in any bit.
	const auto ByLibrary = [](const FRotator& R)
	{
		const auto Half = [](double Angle)
		{ return (Angle - 360.0 * std::trunc(Angle / 360.0)) * (UE_DOUBLE_PI / 360.0); };
		const double SP = std::sin(Half(R.Pitch)), CP = std::cos(Half(R.Pitch));
		const double SY = std::sin(Half(R.Yaw)), CY = std::cos(Half(R.Yaw));
		const double SR = std::sin(Half(R.Roll)), CR = std::cos(Half(R.Roll));
		return FQuat(CR * (SP * SY) - SR * (CP * CY), -(CR * (SP * CY)) - SR * (CP * SY),
			CR * (CP * SY) - SR * (SP * CY), CR * (CP * CY) + SR * (SP * SY));
	};
	const FRotator Cases[] = {FRotator(0, 30, 0), FRotator(-0.0, 30, -0.0), FRotator(360, -45, -720), FRotator(0, 0, 0),
		FRotator(-0.0, -0.0, -0.0), FRotator(12, 0, -0.0), FRotator(0, -0.0, 170)};
	for (const FRotator& R : Cases)
	{
		const FQuat Got = R.Quaternion();
		const FQuat Expected = ByLibrary(R);
		EXPECT_EQ(std::memcmp(&Got, &Expected, sizeof(FQuat)), 0) << testing::PrintToString(R);
	}
}

TEST(HostRotator, MixedRotatorComposesYawPitchRoll)
{
	// q = Qz(yaw) * Qy(-pitch) * Qx(-roll): roll applied first, then pitch, then yaw.
	const FRotator Cases[] = {
		FRotator(20, 35, -50), FRotator(-70, 170, 10), FRotator(45, -120, 135), FRotator(5, 0, -179)};
	for (const FRotator& R : Cases)
	{
		const FQuat Expected = HandMul(HandMul(AxisAngle(0, 0, 1, Rad(R.Yaw)), AxisAngle(0, 1, 0, Rad(-R.Pitch))),
			AxisAngle(1, 0, 0, Rad(-R.Roll)));
		EXPECT_TRUE(SameRotation(R.Quaternion(), Expected, 2e-15)) << testing::PrintToString(R);
		EXPECT_NEAR(R.Quaternion().Size(), 1.0, 1e-15);

		// The rotator's own matrix path rotates vectors the same way.
		const FVector V(0.3, -1.7, 2.2);
		EXPECT_TRUE(VectorNear(R.RotateVector(V), QVMathTest::Sandwich(Expected, V), 1e-14));
		EXPECT_TRUE(VectorNear(R.UnrotateVector(R.RotateVector(V)), V, 1e-14));
		EXPECT_TRUE(VectorNear(R.Vector(), R.RotateVector(FVector(1, 0, 0)), 1e-15));
		EXPECT_TRUE(SameRotation(R.GetInverse().Quaternion(), R.Quaternion().Inverse(), 1e-5));
		EXPECT_TRUE(SameRotation(FQuat(R), FQuat::MakeFromEuler(R.Euler()), 0));
		EXPECT_TRUE(SameRotation(R.GetEquivalentRotator().Quaternion(), R.Quaternion(), 1e-14));
	}
}

TEST(HostRotator, RoundTripAwayFromPoles)
{
	// Within the Atan2 approximation (relative error below 7.2e-7, so a few 1e-4 degrees at most).
	for (double Pitch = -85; Pitch <= 85; Pitch += 17)
	{
		for (double Yaw = -175; Yaw <= 175; Yaw += 35)
		{
			for (double Roll = -170; Roll <= 170; Roll += 34)
			{
				const FRotator R(Pitch, Yaw, Roll);
				const FRotator Back = R.Quaternion().Rotator();
				EXPECT_TRUE(Back.Equals(R, 3e-4))
					<< testing::PrintToString(R) << " -> " << testing::PrintToString(Back);
			}
		}
	}
	// Regular case applies no axis normalisation: angles come straight from asin / Atan2.
	const FRotator Back = FRotator(10, 20, 30).Quaternion().Rotator();
	EXPECT_NEAR(Back.Pitch, 10, 1e-4);
	EXPECT_NEAR(Back.Yaw, 20, 1e-4);
	EXPECT_NEAR(Back.Roll, 30, 1e-4);
}

TEST(HostRotator, PoleBranchesPutTheTwistIntoYaw)
{
	for (const double Pitch : {90.0, -90.0})
	{
		for (const double Yaw : {30.0, -120.0, 0.0})
		{
			for (const double Roll : {0.0, 20.0, -75.0})
			{
				const FQuat Q = FRotator(Pitch, Yaw, Roll).Quaternion();
				const FRotator R = Q.Rotator();
				EXPECT_EQ(R.Pitch, Pitch);
				EXPECT_EQ(R.Roll, 0.0);
				EXPECT_GT(R.Yaw, -180.0);
				EXPECT_LE(R.Yaw, 180.0);
				EXPECT_TRUE(SameRotation(R.Quaternion(), Q, 1e-5)) << Pitch << " " << Yaw << " " << Roll;
			}
		}
	}
	// At +90 the yaw is yaw - roll, at -90 yaw + roll (both normalised).
	EXPECT_NEAR(FRotator(90, 30, 20).Quaternion().Rotator().Yaw, 10.0, 1e-4);
	EXPECT_NEAR(FRotator(-90, 30, 20).Quaternion().Rotator().Yaw, 50.0, 1e-4);
	EXPECT_NEAR(FRotator(90, 170, -30).Quaternion().Rotator().Yaw, -160.0, 1e-4);

	// The singularity threshold is 0.4999995 on Z*X - W*Y = sin(pitch) / 2 for a pure pitch: 89.95 degrees is
	// past it, 89.9 is not.
	EXPECT_EQ(FRotator(89.95, 0, 0).Quaternion().Rotator().Pitch, 90.0);
	EXPECT_EQ(FRotator(-89.95, 0, 0).Quaternion().Rotator().Pitch, -90.0);
	EXPECT_NEAR(FRotator(89.9, 0, 0).Quaternion().Rotator().Pitch, 89.9, 1e-6);
	EXPECT_NEAR(FRotator(-89.9, 0, 0).Quaternion().Rotator().Pitch, -89.9, 1e-6);
}

TEST(HostRotator, AxisWrapping)
{
	// ClampAxis: fmod, then +360 if negative, so the result is in [0, 360].
	EXPECT_EQ(FRotator::ClampAxis(0.0), 0.0);
	EXPECT_EQ(FRotator::ClampAxis(360.0), 0.0);
	EXPECT_EQ(FRotator::ClampAxis(-360.0), 0.0);
	EXPECT_EQ(FRotator::ClampAxis(-90.0), 270.0);
	EXPECT_EQ(FRotator::ClampAxis(720.5), 0.5);
	EXPECT_EQ(FRotator::ClampAxis(-1e-20), 360.0);
	EXPECT_EQ(FRotator::ClampAxis(-725.0), 355.0);

	// NormalizeAxis: ClampAxis, then -360 above 180, so the result is in (-180, 180].
	EXPECT_EQ(FRotator::NormalizeAxis(180.0), 180.0);
	EXPECT_EQ(FRotator::NormalizeAxis(-180.0), 180.0);
	EXPECT_EQ(FRotator::NormalizeAxis(540.0), 180.0);
	EXPECT_EQ(FRotator::NormalizeAxis(190.0), -170.0);
	EXPECT_EQ(FRotator::NormalizeAxis(-190.0), 170.0);
	EXPECT_EQ(FRotator::NormalizeAxis(-1e-20), 0.0);
	EXPECT_LT(FRotator::NormalizeAxis(180.000001), -179.9);

	EXPECT_EQ(FRotator(-90, 400, 720).Clamp(), FRotator(270, 40, 0));
	EXPECT_EQ(FRotator(-90, 400, 720).GetDenormalized(), FRotator(270, 40, 0));
	EXPECT_EQ(FRotator(270, -200, 181).GetNormalized(), FRotator(-90, 160, -179));
	FRotator Winding, Remainder;
	FRotator(0, 740, -190).GetWindingAndRemainder(Winding, Remainder);
	EXPECT_EQ(Remainder, FRotator(0, 20, 170));
	EXPECT_EQ(Winding, FRotator(0, 720, -360));

	// Comparisons wrap too.
	EXPECT_TRUE(FRotator(0, 359.99999, 0).Equals(FRotator(0, -0.00001, 0)));
	EXPECT_FALSE(FRotator(0, 10, 0).Equals(FRotator(0, 10.001, 0)));
	EXPECT_TRUE(FRotator(360, -720, 359.99999).IsNearlyZero());
	EXPECT_TRUE(FRotator(360, -720, 0).IsZero());
	EXPECT_FALSE(FRotator(0, 0, 359.99999).IsZero());
}

TEST(HostRotator, ArithmeticAndHelpers)
{
	FRotator R(10, 20, 30);
	EXPECT_EQ(R + FRotator(1, 2, 3), FRotator(11, 22, 33));
	EXPECT_EQ(R - FRotator(1, 2, 3), FRotator(9, 18, 27));
	EXPECT_EQ(R * 2.0, FRotator(20, 40, 60));
	EXPECT_EQ(0.5f * R, FRotator(5, 10, 15));
	R.Add(1, 1, 1);
	EXPECT_EQ(R, FRotator(11, 21, 31));
	EXPECT_EQ(R.Euler(), FVector(31, 11, 21));
	EXPECT_EQ(FRotator::MakeFromEuler(FVector(31, 11, 21)), R);
	EXPECT_EQ(FRotator(10, 20, 30).GetEquivalentRotator(), FRotator(170, 200, 210));
	EXPECT_TRUE(FRotator(0, std::nan(""), 0).ContainsNaN());

	// SetClosestToMe swaps in the equivalent rotator when it is nearer.
	FRotator Far(170, 0, 0);
	FRotator(10, 180, 180).SetClosestToMe(Far);
	EXPECT_EQ(Far, FRotator(10, 180, 180));
	FRotator Near(5, 0, 0);
	FRotator(0, 0, 0).SetClosestToMe(Near);
	EXPECT_EQ(Near, FRotator(5, 0, 0));

	EXPECT_EQ(FRotator3f(FRotator(1.5, 2.5, 3.5)).Yaw, 2.5f);
}
} // namespace
