// Tests of the scalar math: widened constants, Atan2's polynomial, Min/Max/Clamp forms and FMath helpers.
#include "MathTestHelpers.h"

#include <cmath>
#include <limits>

namespace
{
TEST(HostScalarMath, ConstantsWidenExactlyFromFloat)
{
	// Float literals used in double code take these exact values (not 1e-8 or 1e-4).
	EXPECT_EQ((double)UE_SMALL_NUMBER, 9.99999993922529e-09);
	EXPECT_EQ((double)UE_KINDA_SMALL_NUMBER, 9.999999747378752e-05);
	EXPECT_EQ((double)UE_THRESH_QUAT_NORMALIZED, 0.009999999776482582);
	EXPECT_EQ((double)ZERO_ANIMWEIGHT_THRESH, 9.999999747378752e-06);
	EXPECT_EQ((double)UE_PI, 3.1415927410125732);
	EXPECT_EQ((double)UE_DELTA, 9.999999747378752e-06);
	EXPECT_EQ((double)UE_THRESH_POINT_ON_PLANE, 0.10000000149011612);
	EXPECT_EQ((double)UE_BIG_NUMBER, 3.3999999521443642e+38);
	EXPECT_EQ((double)UE_HALF_PI, 1.5707963705062866);
	EXPECT_EQ((double)UE_TWO_PI, 6.2831854820251465);
	EXPECT_EQ(UE_DOUBLE_PI, std::numbers::pi);
	EXPECT_EQ(UE_DOUBLE_SMALL_NUMBER, 1e-8);
	EXPECT_EQ(UE_DOUBLE_KINDA_SMALL_NUMBER, 1e-4);
	EXPECT_NE((double)UE_SMALL_NUMBER, UE_DOUBLE_SMALL_NUMBER);
}

TEST(HostScalarMath, Atan2IsTheEnginePolynomial)
{
	// Pinned values of the approximation; they differ from the exact atan2 in the 7th digit.
	EXPECT_NEAR(FMath::Atan2(1.0, 3.0), 0.3217506847050089, 1e-15);
	EXPECT_NEAR(FMath::Atan2(0.5, 1.0), 0.4636473174710808, 1e-15);
	EXPECT_NEAR(FMath::Atan2(3.0, -2.0), 2.1587992564480603, 1e-15);
	EXPECT_GT(std::fabs(FMath::Atan2(1.0, 3.0) - std::atan2(1.0, 3.0)), 1e-8);

	// Close to the true angle everywhere (maximum relative error about 7.2e-7).
	for (int Step = -180; Step <= 180; Step += 5)
	{
		const double Angle = QVMathTest::Rad(Step);
		const double Result = FMath::Atan2(2.5 * std::sin(Angle), 2.5 * std::cos(Angle));
		const double Expected = std::atan2(std::sin(Angle), std::cos(Angle));
		EXPECT_NEAR(Result, Expected, 3e-6) << Step;
	}

	// Octant handling: |y| > |x| reflects about pi/2, x < 0 about pi, y < 0 negates.
	const double Base = FMath::Atan2(1.0, 3.0);
	const double Pi = UE_DOUBLE_PI;
	EXPECT_EQ(FMath::Atan2(3.0, 1.0), 0.5 * Pi - Base);
	EXPECT_EQ(FMath::Atan2(1.0, -3.0), Pi - Base);
	EXPECT_EQ(FMath::Atan2(3.0, -1.0), Pi - (0.5 * Pi - Base));
	EXPECT_EQ(FMath::Atan2(-1.0, 3.0), -Base);
	EXPECT_EQ(FMath::Atan2(-1.0, -3.0), -(Pi - Base));
	EXPECT_EQ(FMath::Atan2(-3.0, -1.0), -(Pi - (0.5 * Pi - Base)));

	// Zero arguments: (0, 0) is 0; -0.0 counts as positive in the sign tests.
	EXPECT_EQ(FMath::Atan2(0.0, 0.0), 0.0);
	EXPECT_EQ(FMath::Atan2(-0.0, -0.0), 0.0);
	EXPECT_EQ(FMath::Atan2(-0.0, -1.0), Pi);
	EXPECT_EQ(FMath::Atan2(0.0, -1.0), Pi);
	EXPECT_EQ(FMath::Atan2(1.0, -0.0), 0.5 * Pi);
	EXPECT_EQ(FMath::Atan2(-1.0, 0.0), -0.5 * Pi);

	// The float overload evaluates in float with float constants.
	EXPECT_NEAR(FMath::Atan2(1.0f, 3.0f), 0.32175070f, 1e-7f);
	EXPECT_NEAR(FMath::Atan2(-3.0f, -2.0f), (float)std::atan2(-3.0, -2.0), 3e-6f);
}

TEST(HostScalarMath, MinMaxClampKeepTheirComparisonForms)
{
	const double NaN = std::numeric_limits<double>::quiet_NaN();
	// Max(A, B) = B < A ? A : B and Min(A, B) = A < B ? A : B: a NaN first argument yields the second.
	EXPECT_EQ(FMath::Max(NaN, 2.0), 2.0);
	EXPECT_TRUE(std::isnan(FMath::Max(2.0, NaN)));
	EXPECT_EQ(FMath::Min(NaN, 2.0), 2.0);
	EXPECT_TRUE(std::isnan(FMath::Min(2.0, NaN)));

	// Clamp = Max(Min(X, Hi), Lo): NaN gives Hi, Lo > Hi gives Lo.
	EXPECT_EQ(FMath::Clamp(NaN, -1.0, 1.0), 1.0);
	EXPECT_EQ(FMath::Clamp(0.5, 2.0, 1.0), 2.0);
	EXPECT_EQ(FMath::Clamp(5.0, 2.0, 1.0), 2.0);
	EXPECT_EQ(FMath::Clamp(-3.0, -1.0, 1.0), -1.0);
	EXPECT_EQ(FMath::Clamp(0.25, -1.0, 1.0), 0.25);
	EXPECT_EQ(FMath::Clamp(7, 0, 5), 5);
	// Mixed float and double arguments resolve to double.
	EXPECT_EQ(FMath::Clamp(0.5f, 0.0, 0.25), 0.25);
	EXPECT_EQ(FMath::Max(1.5f, 2.25), 2.25);
}

TEST(HostScalarMath, HelpersFollowTheEngineDefinitions)
{
	// Asin and Acos clamp their argument; a NaN becomes 1.
	EXPECT_EQ(FMath::Asin(1.5), std::asin(1.0));
	EXPECT_EQ(FMath::Acos(-7.0), std::acos(-1.0));
	EXPECT_EQ(FMath::Asin(std::numeric_limits<double>::quiet_NaN()), std::asin(1.0));

	// Nearly zero: double tolerance 1e-8 exactly, float tolerance 1e-8f.
	EXPECT_TRUE(FMath::IsNearlyZero(1e-8));
	EXPECT_FALSE(FMath::IsNearlyZero(1.0000001e-8));
	EXPECT_TRUE(FMath::IsNearlyZero(-1e-8));
	EXPECT_TRUE(FMath::IsNearlyZero(1e-8f));
	EXPECT_TRUE(FMath::IsNearlyEqual(1.0, 1.0 + 1e-9));
	EXPECT_FALSE(FMath::IsNearlyEqual(1.0, 1.0 + 2e-8));

	// Rounding: double arguments give 64-bit results; RoundToInt rounds halves up.
	EXPECT_EQ(FMath::FloorToInt(-0.5), -1);
	EXPECT_EQ(FMath::RoundToInt(-0.5), 0);
	EXPECT_EQ(FMath::RoundToInt(2.5), 3);
	EXPECT_EQ(FMath::TruncToInt(-2.7), -2);
	EXPECT_EQ(FMath::CeilToInt(-2.7), -2);
	EXPECT_EQ(FMath::FloorToInt(5e9), 5000000000LL);
	EXPECT_EQ(FMath::Sign(-0.0), 0.0);
	EXPECT_EQ(FMath::Sign(-3.0), -1.0);

	// Fmod keeps the dividend's sign and returns 0 for a vanishing divisor.
	EXPECT_EQ(FMath::Fmod(-370.0, 360.0), -10.0);
	EXPECT_EQ(FMath::Fmod(5.0, 1e-9), 0.0);

	EXPECT_EQ(FMath::UnwindDegrees(540.0), 180.0);
	EXPECT_EQ(FMath::UnwindDegrees(-190.0), 170.0);
	EXPECT_NEAR(FMath::UnwindRadians(7.0), 7.0 - 2 * std::numbers::pi, 1e-15);
	EXPECT_EQ(FMath::FindDeltaAngleDegrees(170.0, -170.0), 20.0);
	EXPECT_EQ(FMath::FindDeltaAngleDegrees(-170.0, 170.0), -20.0);
	EXPECT_EQ(FMath::RadiansToDegrees(std::numbers::pi), 180.0);

	EXPECT_EQ(FMath::GetRangePct(2.0, 4.0, 3.0), 0.5);
	EXPECT_EQ(FMath::GetRangePct(2.0, 2.0, 1.0), 0.0);
	EXPECT_EQ(FMath::GetRangePct(2.0, 2.0, 2.0), 1.0);
	EXPECT_EQ(FMath::GetMappedRangeValueClamped(FVector2D(0, 10), FVector2D(100, 200), 2.5), 125.0);
	EXPECT_EQ(FMath::GetMappedRangeValueClamped(FVector2D(0, 10), FVector2D(100, 200), 20.0), 200.0);
	EXPECT_EQ(FMath::GetMappedRangeValueClamped(FVector2D(0, 10), FVector2D(100, 200), -3.0), 100.0);

	EXPECT_EQ(FMath::SmoothStep(0.0, 2.0, -1.0), 0.0);
	EXPECT_EQ(FMath::SmoothStep(0.0, 2.0, 2.0), 1.0);
	EXPECT_EQ(FMath::SmoothStep(0.0, 2.0, 0.5), 0.15625); // 3t^2 - 2t^3 at t = 1/4
	EXPECT_EQ(FMath::Lerp(2.0, 6.0, 0.25), 3.0);
	EXPECT_EQ(FMath::Max3(1.0, 7.0, 3.0), 7.0);
	EXPECT_EQ(FMath::Min3(4.0, 7.0, -3.0), -3.0);

	// The float SinCos is the engine's polynomial: close to the C library, but not equal everywhere.
	for (float Angle = -10.0f; Angle <= 10.0f; Angle += 0.37f)
	{
		float S, C;
		FMath::SinCos(&S, &C, Angle);
		EXPECT_NEAR(S, std::sin(Angle), 2e-6f) << Angle;
		EXPECT_NEAR(C, std::cos(Angle), 2e-6f) << Angle;
	}
}
} // namespace
