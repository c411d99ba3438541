// Set-driven-key curves: linear between keys, straight-line continuation outside, ties, rotation arcs.
#include "QVFaceSDKEvaluator.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>

namespace
{
TArray<FQVSDKKey> MakeKeys(std::initializer_list<std::pair<float, float>> Pairs)
{
	TArray<FQVSDKKey> Keys;
	for (const std::pair<float, float>& Pair : Pairs)
	{
		FQVSDKKey& Key = Keys.AddDefaulted_GetRef();
		Key.X = Pair.first;
		Key.Y = Pair.second;
	}
	return Keys;
}

float Evaluate(float X, const TArray<FQVSDKKey>& Keys)
{
	return FQVFaceSDKEvaluator::EvaluateSDKCurve(X, Keys);
}

FQuat AboutZ(double Degrees)
{
	const double Half = FMath::DegreesToRadians(Degrees) * 0.5;
	return FQuat(0.0, 0.0, FMath::Sin(Half), FMath::Cos(Half));
}

FQVSDKQuaternionKey MakeQuaternionKey(float X, const FQuat& Value)
{
	FQVSDKQuaternionKey Key;
	Key.X = X;
	Key.Value = Value;
	return Key;
}

std::string Describe(const FQuat& Q)
{
	std::ostringstream Text;
	Text << "(" << Q.X << ", " << Q.Y << ", " << Q.Z << ", " << Q.W << ")";
	return Text.str();
}

::testing::AssertionResult SameRotation(const FQuat& A, const FQuat& B, double Tolerance = 1e-6)
{
	if (A.Equals(B, Tolerance))
	{
		return ::testing::AssertionSuccess();
	}
	return ::testing::AssertionFailure() << Describe(A) << " vs " << Describe(B);
}
} // namespace

TEST(SDKCurve, LinearInsideAndStraightLinesOutside)
{
	for (const TArray<FQVSDKKey>& Keys : {MakeKeys({{0.f, 0.f}, {1.f, 10.f}}), MakeKeys({{1.f, 10.f}, {0.f, 0.f}})})
	{
		EXPECT_FLOAT_EQ(Evaluate(0.5f, Keys), 5.f);
		EXPECT_FLOAT_EQ(Evaluate(0.f, Keys), 0.f);
		EXPECT_FLOAT_EQ(Evaluate(1.f, Keys), 10.f);
		EXPECT_FLOAT_EQ(Evaluate(2.f, Keys), 20.f);
		EXPECT_FLOAT_EQ(Evaluate(-1.f, Keys), -10.f);
	}

	// Unsorted, three keys: each segment and both end continuations use the right neighbours.
	const TArray<FQVSDKKey> Unsorted = MakeKeys({{2.f, 4.f}, {0.f, 0.f}, {1.f, 1.f}});
	EXPECT_FLOAT_EQ(Evaluate(0.5f, Unsorted), 0.5f);
	EXPECT_FLOAT_EQ(Evaluate(1.5f, Unsorted), 2.5f);
	EXPECT_FLOAT_EQ(Evaluate(3.f, Unsorted), 7.f);
	EXPECT_FLOAT_EQ(Evaluate(-1.f, Unsorted), -1.f);

	// Exactly on an interior key: that key's value.
	EXPECT_FLOAT_EQ(Evaluate(1.f, MakeKeys({{0.f, 0.f}, {1.f, 10.f}, {2.f, 0.f}})), 10.f);
}

TEST(SDKCurve, TiedKeysKeepTheEarlierOne)
{
	// Two keys at one position: every value gives the first of them.
	const TArray<FQVSDKKey> Tied = MakeKeys({{0.f, 3.f}, {0.f, 7.f}});
	for (float X : {-1.f, 0.f, 1.f})
	{
		EXPECT_FLOAT_EQ(Evaluate(X, Tied), 3.f) << X;
	}

	// A tie at the last position: the last key is the first of the tie, continued along the last segment.
	const TArray<FQVSDKKey> TiedEnd = MakeKeys({{0.f, 0.f}, {1.f, 10.f}, {1.f, 20.f}});
	EXPECT_FLOAT_EQ(Evaluate(1.f, TiedEnd), 10.f);
	EXPECT_FLOAT_EQ(Evaluate(2.f, TiedEnd), 20.f);
	EXPECT_FLOAT_EQ(Evaluate(0.5f, TiedEnd), 5.f);

	// Keys closer than the threshold count as one position: no continuation slope.
	const TArray<FQVSDKKey> Close = MakeKeys({{0.f, 0.f}, {1e-9f, 5.f}});
	EXPECT_FLOAT_EQ(Evaluate(-1.f, Close), 0.f);
	EXPECT_FLOAT_EQ(Evaluate(1.f, Close), 5.f);
}

TEST(SDKCurve, NoKeysAndOneKey)
{
	EXPECT_EQ(Evaluate(3.f, TArray<FQVSDKKey>()), 0.f);
	const TArray<FQVSDKKey> One = MakeKeys({{2.f, 4.f}});
	for (float X : {-100.f, 2.f, 100.f})
	{
		EXPECT_EQ(Evaluate(X, One), 4.f);
	}
}

TEST(SDKQuaternionCurve, SlerpsAlongTheArcInsideAndOutside)
{
	TArray<FQVSDKQuaternionKey> Keys;
	Keys.Add(MakeQuaternionKey(0.f, FQuat::Identity));
	Keys.Add(MakeQuaternionKey(1.f, AboutZ(90)));
	EXPECT_TRUE(SameRotation(QVEvaluateSDKQuaternionCurve(0.5f, Keys), AboutZ(45)));
	EXPECT_TRUE(SameRotation(QVEvaluateSDKQuaternionCurve(2.f, Keys), AboutZ(180)));
	EXPECT_TRUE(SameRotation(QVEvaluateSDKQuaternionCurve(-1.f, Keys), AboutZ(-90)));

	// Three keys: the segment closed by the first key at or beyond the value.
	Keys.Add(MakeQuaternionKey(2.f, AboutZ(180)));
	EXPECT_TRUE(SameRotation(QVEvaluateSDKQuaternionCurve(1.5f, Keys), AboutZ(135)));
	EXPECT_TRUE(SameRotation(QVEvaluateSDKQuaternionCurve(0.25f, Keys), AboutZ(22.5)));
	EXPECT_TRUE(SameRotation(QVEvaluateSDKQuaternionCurve(2.5f, Keys), AboutZ(225)));

	// Key values need not be normalised; the result always is.
	TArray<FQVSDKQuaternionKey> Scaled;
	Scaled.Add(MakeQuaternionKey(0.f, FQuat::Identity * 3.0));
	Scaled.Add(MakeQuaternionKey(1.f, AboutZ(90) * 0.5));
	const FQuat Half = QVEvaluateSDKQuaternionCurve(0.5f, Scaled);
	EXPECT_TRUE(SameRotation(Half, AboutZ(45)));
	EXPECT_NEAR(Half.SizeSquared(), 1.0, 1e-12);
}

TEST(SDKQuaternionCurve, DegenerateKeyLists)
{
	EXPECT_TRUE(SameRotation(QVEvaluateSDKQuaternionCurve(0.3f, TArray<FQVSDKQuaternionKey>()), FQuat::Identity, 0.0));

	TArray<FQVSDKQuaternionKey> One;
	One.Add(MakeQuaternionKey(5.f, AboutZ(30) * 2.0));
	EXPECT_TRUE(SameRotation(QVEvaluateSDKQuaternionCurve(-7.f, One), AboutZ(30)));
	One[0].Value = FQuat(0, 0, 0, 0);
	EXPECT_TRUE(SameRotation(QVEvaluateSDKQuaternionCurve(-7.f, One), FQuat::Identity, 0.0));

	// Two keys sharing X: the closing key's value.
	TArray<FQVSDKQuaternionKey> Shared;
	Shared.Add(MakeQuaternionKey(1.f, AboutZ(10)));
	Shared.Add(MakeQuaternionKey(1.f, AboutZ(70)));
	for (float X : {0.f, 1.f, 2.f})
	{
		EXPECT_TRUE(SameRotation(QVEvaluateSDKQuaternionCurve(X, Shared), AboutZ(70))) << X;
	}
}

TEST(SDKQuaternionCurve, ExtremeKeysStillGiveUnitRotations)
{
	const double Infinity = std::numeric_limits<double>::infinity();
	const double NaN = std::numeric_limits<double>::quiet_NaN();
	// Each key value with the rotation it reads as: below a squared length of 1e-8, or not finite after dividing by
	// the length, the identity.
	const std::pair<FQuat, FQuat> Cases[] = {
		{FQuat(0.0, 0.0, 1e200, 1e200), FQuat::Identity},  // the squared length overflows
		{FQuat(0.0, 0.0, 1e150, 1e150), AboutZ(90)},       // huge, but the squared length is finite
		{FQuat(0.0, 0.0, Infinity, 1.0), FQuat::Identity}, // dividing by the length gives NaN
		{FQuat(NaN, 0.0, 0.0, 1.0), FQuat::Identity},      // the squared length is NaN
		{FQuat(0.0, 0.0, 0.0, 0.0), FQuat::Identity},
		{FQuat(0.0, 0.0, 5e-5, 5e-5), FQuat::Identity}, // squared length 5e-9
		{FQuat(0.0, 0.0, 1e-4, 1e-4), AboutZ(90)},      // squared length 2e-8
	};
	auto IsUnit = [](const FQuat& Q) { return !Q.ContainsNaN() && FMath::Abs(Q.SizeSquared() - 1.0) < 1e-12; };

	for (const std::pair<FQuat, FQuat>& Case : Cases)
	{
		const FQuat& Value = Case.first;
		const TArray<FQVSDKQuaternionKey> One = {MakeQuaternionKey(2.f, Value)};
		const TArray<FQVSDKQuaternionKey> Shared = {MakeQuaternionKey(1.f, AboutZ(10)), MakeQuaternionKey(1.f, Value)};
		const TArray<FQVSDKQuaternionKey> Leading = {MakeQuaternionKey(0.f, Value), MakeQuaternionKey(1.f, AboutZ(90))};
		const TArray<FQVSDKQuaternionKey> Trailing = {MakeQuaternionKey(0.f, AboutZ(0)), MakeQuaternionKey(1.f, Value)};
		for (float X : {-1.f, 0.f, 0.5f, 1.f, 3.f})
		{
			const FQuat FromOne = QVEvaluateSDKQuaternionCurve(X, One);
			EXPECT_TRUE(IsUnit(FromOne) && SameRotation(FromOne, Case.second)) << Describe(Value) << " at " << X;
			const FQuat FromShared = QVEvaluateSDKQuaternionCurve(X, Shared);
			EXPECT_TRUE(IsUnit(FromShared) && SameRotation(FromShared, Case.second)) << Describe(Value) << " at " << X;
			EXPECT_TRUE(IsUnit(QVEvaluateSDKQuaternionCurve(X, Leading))) << Describe(Value) << " at " << X;
			EXPECT_TRUE(IsUnit(QVEvaluateSDKQuaternionCurve(X, Trailing))) << Describe(Value) << " at " << X;
		}
	}
}
