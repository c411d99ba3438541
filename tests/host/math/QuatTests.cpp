// Tests of TQuat: products, rotation of vectors, normalisation, shortest arcs, swing/twist and slerp.
#include "MathTestHelpers.h"

namespace
{
using QVMathTest::AxisAngle;
using QVMathTest::HandMul;
using QVMathTest::Rad;
using QVMathTest::SameRotation;
using QVMathTest::Sandwich;
using QVMathTest::VectorNear;

const FQuat SampleQuats[] = {
	AxisAngle(0, 0, 1, Rad(30)),
	AxisAngle(0.6, 0, 0.8, Rad(-110)),
	AxisAngle(1 / std::sqrt(3.0), 1 / std::sqrt(3.0), -1 / std::sqrt(3.0), Rad(170)),
	AxisAngle(0, 1, 0, Rad(250)),
};

TEST(HostQuat, ProductAppliesTheRightFactorFirst)
{
	for (const FQuat& A : SampleQuats)
	{
		for (const FQuat& B : SampleQuats)
		{
			const FQuat AB = A * B;
			const FQuat Expected = HandMul(A, B);
			EXPECT_NEAR(AB.X, Expected.X, 1e-15);
			EXPECT_NEAR(AB.Y, Expected.Y, 1e-15);
			EXPECT_NEAR(AB.Z, Expected.Z, 1e-15);
			EXPECT_NEAR(AB.W, Expected.W, 1e-15);
			const FVector V(1.5, -2, 0.25);
			EXPECT_TRUE(VectorNear(AB.RotateVector(V), A.RotateVector(B.RotateVector(V)), 1e-14));
		}
	}
	// Each component is summed in the engine's order: X = ((Aw Bx + Ax Bw) + Ay Bz) - Az By. With these values
	// (1e16 + 1) rounds back to 1e16, so that order gives exactly 0 where (Aw Bx + Ay Bz) + Ax Bw gives 1.
	const FQuat A(1, 1, 0, 1e16);
	const FQuat B(1, 0, -1e16, 1);
	EXPECT_EQ((A * B).X, 0.0);
	FQuat Compound = A;
	Compound *= B;
	EXPECT_EQ(Compound, A * B);
}

TEST(HostQuat, RotatesVectorsLikeTheSandwichProduct)
{
	const FVector Vectors[] = {FVector(1, 0, 0), FVector(0.3, -4, 2), FVector(-7, 0.5, 0.5)};
	for (const FQuat& Q : SampleQuats)
	{
		for (const FVector& V : Vectors)
		{
			EXPECT_TRUE(VectorNear(Q.RotateVector(V), Sandwich(Q, V), 1e-14));
			EXPECT_TRUE(VectorNear(Q * V, Sandwich(Q, V), 1e-14));
			EXPECT_TRUE(VectorNear(Q.UnrotateVector(Q.RotateVector(V)), V, 1e-14));
			EXPECT_TRUE(VectorNear(Q.Inverse().RotateVector(V), Q.UnrotateVector(V), 1e-15));
		}
		EXPECT_TRUE(VectorNear(Q.GetAxisX(), Sandwich(Q, FVector(1, 0, 0)), 1e-15));
		EXPECT_TRUE(VectorNear(Q.GetRightVector(), Sandwich(Q, FVector(0, 1, 0)), 1e-15));
		EXPECT_TRUE(VectorNear(Q.GetUpVector(), Sandwich(Q, FVector(0, 0, 1)), 1e-15));
		EXPECT_EQ(Q.Inverse(), FQuat(-Q.X, -Q.Y, -Q.Z, Q.W));
	}
	// Axis-angle constructor: (axis sin(a/2), cos(a/2)), the axis is not normalised.
	const FQuat Scaled(FVector(0, 0, 2), Rad(60));
	EXPECT_NEAR(Scaled.Z, 2 * 0.5, 1e-15);
	EXPECT_NEAR(Scaled.W, std::cos(Rad(30)), 1e-15);
}

TEST(HostQuat, NormalizationAndComparison)
{
	// Below 1e-8f (9.99999993922529e-9) squared length the result is the identity.
	FQuat Tiny(9.99e-5, 0, 0, 0);
	Tiny.Normalize();
	EXPECT_EQ(Tiny, FQuat::Identity);
	// Squared length 9.99999998e-9 is at or above the widened threshold (though below 1e-8): normalised.
	FQuat JustAbove(9.99999999e-5, 0, 0, 0);
	ASSERT_LT(JustAbove.SizeSquared(), 1e-8);
	JustAbove.Normalize();
	EXPECT_NEAR(JustAbove.X, 1.0, 1e-15);
	EXPECT_EQ(FQuat(0, 0, 0, 0).GetNormalized(), FQuat::Identity);
	EXPECT_TRUE(FQuat(0, 3, 0, 4).GetNormalized().Equals(FQuat(0, 0.6, 0, 0.8), 1e-15));

	// IsNormalized: |1 - |q|^2| <= 0.01f.
	EXPECT_TRUE(FQuat(0, 0, 0, std::sqrt(1 - 0.0099)).IsNormalized());
	EXPECT_FALSE(FQuat(0, 0, 0, std::sqrt(1 - 0.0101)).IsNormalized());
	EXPECT_TRUE(FQuat(0, 0, 0, std::sqrt(1.0099)).IsNormalized());

	// Equals accepts either sign, with the 1e-4f default tolerance.
	const FQuat Q = SampleQuats[1];
	EXPECT_TRUE(Q.Equals(FQuat(-Q.X, -Q.Y, -Q.Z, -Q.W)));
	EXPECT_TRUE(Q.Equals(FQuat(Q.X + 9.99e-5, Q.Y, Q.Z, Q.W)));
	EXPECT_FALSE(Q.Equals(FQuat(Q.X + 1.01e-4, Q.Y, Q.Z, Q.W)));
	EXPECT_FALSE(Q.Equals(FQuat(-Q.X, Q.Y, Q.Z, -Q.W)));
	EXPECT_TRUE(FQuat(0, 0, 0, -1).IsIdentity());
	EXPECT_FALSE(AxisAngle(1, 0, 0, 1e-3).IsIdentity());
	EXPECT_EQ(FQuat(ForceInit), FQuat::Identity);
	EXPECT_EQ(FQuat(ForceInitToZero), FQuat(0, 0, 0, 0));
	EXPECT_EQ((FQuat(1, 2, 3, 4) | FQuat(1, 1, 1, 1)), 10.0);
	EXPECT_EQ(FQuat(2, 4, 6, 8) / 2.0, FQuat(1, 2, 3, 4));
	EXPECT_EQ(2.0 * FQuat(1, 2, 3, 4) - FQuat(1, 2, 3, 4), FQuat(1, 2, 3, 4));
}

TEST(HostQuat, FindBetweenNormals)
{
	// Ordinary case: rotates A onto B about A x B by the angle between them.
	const FVector A = FVector(1, 2, -0.5).GetSafeNormal();
	const FVector B = FVector(-0.3, 1, 2).GetSafeNormal();
	const FQuat Q = FQuat::FindBetweenNormals(A, B);
	EXPECT_TRUE(VectorNear(Q.RotateVector(A), B, 1e-15));
	EXPECT_NEAR(Q.GetAngle(), std::acos(A | B), 1e-14);
	EXPECT_TRUE(VectorNear(Q.GetRotationAxis(), (A ^ B).GetSafeNormal(), 1e-15));
	EXPECT_NEAR(Q.Size(), 1.0, 1e-15);

	// Opposite vectors: +Y basis when |Ax| is strictly the largest, otherwise -X; half turn about A x basis.
	const FQuat AboutZ = FQuat::FindBetweenNormals(FVector(1, 0, 0), FVector(-1, 0, 0));
	EXPECT_EQ(AboutZ, FQuat(0, 0, 1, 0));
	const FQuat FromZ = FQuat::FindBetweenNormals(FVector(0, 0, 1), FVector(0, 0, -1));
	EXPECT_EQ(FromZ.Y, -1.0);
	EXPECT_EQ(FromZ.X, 0.0);
	EXPECT_EQ(FromZ.Z, 0.0);
	EXPECT_EQ(FromZ.W, 0.0);
	const FVector Tie = FVector(1, 0, 1).GetSafeNormal(); // |Ax| == |Az|: not strictly largest, so -X
	const FQuat FromTie = FQuat::FindBetweenNormals(Tie, -Tie);
	EXPECT_TRUE(SameRotation(FromTie, FQuat(0, -1, 0, 0), 1e-15));
	EXPECT_TRUE(VectorNear(FromTie.RotateVector(Tie), -Tie, 1e-15));
	const FVector Mostly = FVector(-0.9, 0.3, 0.3).GetSafeNormal();
	const FQuat FromMostly = FQuat::FindBetweenNormals(Mostly, -Mostly);
	EXPECT_NEAR(FromMostly.Y, 0.0, 1e-15); // A x (0, 1, 0) has no Y component
	EXPECT_TRUE(VectorNear(FromMostly.RotateVector(Mostly), -Mostly, 1e-15));

	// Vectors of any length.
	const FQuat Between = FQuat::FindBetweenVectors(FVector(2, 0, 0), FVector(0, 0, 5));
	EXPECT_TRUE(SameRotation(Between, AxisAngle(0, -1, 0, Rad(90)), 1e-15));
	EXPECT_EQ(FQuat::FindBetween(FVector(2, 0, 0), FVector(0, 0, 5)), Between);
}

TEST(HostQuat, SwingTwistRecomposes)
{
	// q = Swing(about Z) * Twist(about X): the decomposition about X recovers both factors.
	const FQuat Swing = AxisAngle(0, 0, 1, Rad(40));
	const FQuat Twist = AxisAngle(1, 0, 0, Rad(30));
	const FQuat Q = HandMul(Swing, Twist);
	FQuat OutSwing, OutTwist;
	Q.ToSwingTwist(FVector(1, 0, 0), OutSwing, OutTwist);
	EXPECT_TRUE(SameRotation(OutTwist, Twist, 1e-15));
	EXPECT_TRUE(SameRotation(OutSwing, Swing, 1e-15));
	EXPECT_NEAR(Q.GetTwistAngle(FVector(1, 0, 0)), Rad(30), 2e-6);

	// General case: q == Swing * Twist, twist about the axis, swing's axis perpendicular to it.
	const FVector Axis = FVector(0.2, -0.5, 1).GetSafeNormal();
	for (const FQuat& Sample : SampleQuats)
	{
		Sample.ToSwingTwist(Axis, OutSwing, OutTwist);
		const FQuat Recomposed = HandMul(OutSwing, OutTwist);
		EXPECT_NEAR(Recomposed.X, Sample.X, 1e-15);
		EXPECT_NEAR(Recomposed.Y, Sample.Y, 1e-15);
		EXPECT_NEAR(Recomposed.Z, Sample.Z, 1e-15);
		EXPECT_NEAR(Recomposed.W, Sample.W, 1e-15);
		EXPECT_NEAR((FVector(OutTwist.X, OutTwist.Y, OutTwist.Z) ^ Axis).Size(), 0.0, 1e-15);
		EXPECT_NEAR(FVector(OutSwing.X, OutSwing.Y, OutSwing.Z) | Axis, 0.0, 1e-15);
		EXPECT_NEAR(OutTwist.Size(), 1.0, 1e-15);
	}

	// A half-turn swing leaves no twist: identity twist, swing is the input.
	const FQuat HalfTurn(0, 1, 0, 0);
	HalfTurn.ToSwingTwist(FVector(1, 0, 0), OutSwing, OutTwist);
	EXPECT_EQ(OutTwist, FQuat::Identity);
	EXPECT_EQ(OutSwing, HalfTurn);
}

TEST(HostQuat, SlerpNotNormalized)
{
	const FQuat From = FQuat::Identity;
	const FQuat To = AxisAngle(0, 0, 1, Rad(90));
	// Inside and outside [0, 1]: rotation about Z by Alpha * 90 degrees, unit length (the arc extrapolates).
	for (const double Alpha : {0.0, 0.25, 0.5, 1.0, 1.5, -0.5})
	{
		const FQuat Expected = AxisAngle(0, 0, 1, Rad(90 * Alpha));
		const FQuat Result = FQuat::Slerp_NotNormalized(From, To, Alpha);
		EXPECT_NEAR(Result.Z, Expected.Z, 1e-15) << Alpha;
		EXPECT_NEAR(Result.W, Expected.W, 1e-15) << Alpha;
		// Across the sign flip the shorter way is taken, giving the same result.
		const FQuat Flipped = FQuat::Slerp_NotNormalized(From, -To, Alpha);
		EXPECT_NEAR(Flipped.Z, Expected.Z, 1e-15) << Alpha;
		EXPECT_NEAR(Flipped.W, Expected.W, 1e-15) << Alpha;
	}
	// Long way round in the raw quaternions (dot < 0) still blends over the short arc: 270 degrees about Z is -90.
	const FQuat Long = AxisAngle(0, 0, 1, Rad(270));
	EXPECT_TRUE(SameRotation(FQuat::Slerp_NotNormalized(From, Long, 0.5), AxisAngle(0, 0, 1, Rad(-45)), 1e-15));

	// Above the 0.9999 cosine the blend is linear and not normalised.
	const double CosLinear = 0.99991;
	const FQuat NearTo(0, 0, std::sqrt(1 - CosLinear * CosLinear), CosLinear);
	const FQuat Linear = FQuat::Slerp_NotNormalized(From, NearTo, 0.5);
	EXPECT_NEAR(Linear.Z, 0.5 * NearTo.Z, 1e-17);
	EXPECT_NEAR(Linear.W, 0.5 + 0.5 * NearTo.W, 1e-16);
	EXPECT_LT(Linear.SizeSquared(), 1 - 1e-5);
	// 0.99989999 lies between 0.9999f (0.99989998...) and 0.9999: still spherical, so unit length.
	const double CosSpherical = 0.99989999;
	const FQuat Spherical(0, 0, std::sqrt(1 - CosSpherical * CosSpherical), CosSpherical);
	EXPECT_NEAR(FQuat::Slerp_NotNormalized(From, Spherical, 0.5).SizeSquared(), 1.0, 1e-12);
	// Slerp normalises the linear case.
	EXPECT_NEAR(FQuat::Slerp(From, NearTo, 0.5).Size(), 1.0, 1e-15);

	// FastLerp takes the shorter way without normalising.
	const FQuat Fast = FQuat::FastLerp(From, -To, 0.5);
	EXPECT_TRUE(SameRotation(Fast.GetNormalized(), AxisAngle(0, 0, 1, Rad(45)), 1e-15));
}

TEST(HostQuat, AnglesLogExpAndEuler)
{
	const FQuat Q = AxisAngle(0.6, 0, 0.8, Rad(80));
	EXPECT_NEAR(Q.GetAngle(), Rad(80), 1e-15);
	EXPECT_TRUE(VectorNear(Q.GetRotationAxis(), FVector(0.6, 0, 0.8), 1e-15));
	FVector Axis;
	double Angle;
	Q.ToAxisAndAngle(Axis, Angle);
	EXPECT_NEAR(Angle, Rad(80), 1e-15);
	EXPECT_EQ(FQuat::Identity.GetRotationAxis(), FVector(1, 0, 0));

	const FQuat Log = AxisAngle(0, 0, 1, Rad(60)).Log();
	EXPECT_NEAR(Log.Z, Rad(30), 1e-15);
	EXPECT_EQ(Log.W, 0.0);
	EXPECT_TRUE(SameRotation(Log.Exp(), AxisAngle(0, 0, 1, Rad(60)), 1e-15));

	EXPECT_NEAR(Q.AngularDistance(FQuat::Identity), Rad(80), 1e-14);
	FQuat Flip = -Q;
	Flip.EnforceShortestArcWith(Q);
	EXPECT_EQ(Flip, Q);

	// Euler is (roll, pitch, yaw); MakeFromEuler goes through the rotator.
	const FVector Euler = FRotator(20, 30, 40).Quaternion().Euler();
	EXPECT_NEAR(Euler.X, 40, 2e-4);
	EXPECT_NEAR(Euler.Y, 20, 2e-4);
	EXPECT_NEAR(Euler.Z, 30, 2e-4);
	EXPECT_EQ(FQuat::MakeFromEuler(FVector(40, 20, 30)), FRotator(20, 30, 40).Quaternion());
	EXPECT_EQ(FQuat::MakeFromRotator(FRotator(20, 30, 40)), FQuat(FRotator(20, 30, 40)));
	EXPECT_TRUE(FQuat(0, std::nan(""), 0, 1).ContainsNaN());
	EXPECT_EQ(FQuat4f(FQuat(0.5, 0.5, 0.5, 0.5)), FQuat4f(0.5f, 0.5f, 0.5f, 0.5f));
}
} // namespace
