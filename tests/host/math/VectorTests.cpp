// Tests of TVector and TVector2: safe normals, thresholds, products and orientation helpers.
#include "MathTestHelpers.h"

namespace
{
using QVMathTest::VectorNear;

TEST(HostVector, GetSafeNormalBranches)
{
	// Squared length exactly 1: the vector itself, bit for bit.
	const FVector Unit(0.5, 0.5, std::sqrt(0.5));
	ASSERT_EQ(Unit.SizeSquared(), 1.0);
	EXPECT_EQ(Unit.GetSafeNormal(), Unit);

	// Below the tolerance (1e-8f widened): the zero vector, not the identity-like fallback of quaternions.
	EXPECT_EQ(FVector(1e-5, 0, 0).GetSafeNormal(), FVector::ZeroVector);
	EXPECT_EQ(FVector(0, 0, 0).GetSafeNormal(), FVector::ZeroVector);
	// At the tolerance the test is "< Tolerance", so it normalises.
	EXPECT_EQ(FVector(0, 0, 0.5).GetSafeNormal(0.25), FVector(0, 0, 1));
	EXPECT_EQ(FVector(0, 0, 0.49).GetSafeNormal(0.25), FVector::ZeroVector);

	// Otherwise v / |v|.
	EXPECT_TRUE(VectorNear(FVector(3, 0, -4).GetSafeNormal(), FVector(0.6, 0, -0.8), 1e-15));
	EXPECT_TRUE(VectorNear(FVector(2e-4, 0, 0).GetSafeNormal(), FVector(1, 0, 0), 1e-15));

	// The 2D variants.
	EXPECT_TRUE(FVector2D(3, 4).GetSafeNormal().Equals(FVector2D(0.6, 0.8), 1e-15));
	EXPECT_EQ(FVector2D(1e-5, 0).GetSafeNormal(), FVector2D(0, 0));
	EXPECT_TRUE(VectorNear(FVector(3, 4, 9).GetSafeNormal2D(), FVector(0.6, 0.8, 0), 1e-15));

	// Normalize uses "> Tolerance" and leaves short vectors untouched.
	FVector Short(1e-5, 0, 0);
	EXPECT_FALSE(Short.Normalize());
	EXPECT_EQ(Short, FVector(1e-5, 0, 0));
}

TEST(HostVector, ThresholdsAreWidenedFloats)
{
	// IsNearlyZero and Equals default to 1e-4f = 9.999999747378752e-05.
	EXPECT_TRUE(FVector(9.999999747378752e-05, -9.999999747378752e-05, 0).IsNearlyZero());
	EXPECT_FALSE(FVector(1e-4, 0, 0).IsNearlyZero());
	EXPECT_TRUE(FVector(1, 2, 3).Equals(FVector(1 + 9.99e-5, 2, 3)));
	EXPECT_FALSE(FVector(1, 2, 3).Equals(FVector(1, 2, 3 + 1.01e-4)));
	EXPECT_TRUE(FVector(2, 2 + 5e-5, 2 - 4e-5).AllComponentsEqual());
	EXPECT_FALSE(FVector(2, 2 + 5e-5, 2 - 6e-5).AllComponentsEqual());
}

TEST(HostVector, ProductsAndComponents)
{
	// Right-handed cross product and dot summed in X, Y, Z order.
	EXPECT_EQ(FVector::XAxisVector ^ FVector::YAxisVector, FVector::ZAxisVector);
	EXPECT_EQ(FVector::YAxisVector ^ FVector::ZAxisVector, FVector::XAxisVector);
	EXPECT_EQ(FVector::CrossProduct(FVector(1, 2, 3), FVector(4, 5, 6)), FVector(-3, 6, -3));
	EXPECT_EQ(FVector(1, 2, 3) | FVector(4, -5, 6), 12.0);
	EXPECT_EQ(FVector::DotProduct(FVector(1, 1e20, -1e20), FVector(1, 1, 1)), 0.0); // (1 + 1e20) - 1e20 in order

	// Division by a scalar multiplies by the reciprocal.
	EXPECT_EQ((FVector(1, 2, 3) / 3.0).X, 1.0 * (1.0 / 3.0));
	EXPECT_EQ(2.0 * FVector(1, 2, 3), FVector(2, 4, 6));
	EXPECT_EQ(FVector(1, 2, 3) * FVector(2, 2, 2) - FVector(1, 1, 1), FVector(1, 3, 5));

	const FVector V(-4, 2, 7);
	EXPECT_EQ(V.GetMax(), 7.0);
	EXPECT_EQ(V.GetMin(), -4.0);
	EXPECT_EQ(FVector(-9, 2, 7).GetAbsMax(), 9.0);
	EXPECT_EQ(V.GetAbsMin(), 2.0);
	EXPECT_EQ(V.ComponentMin(FVector(0, 0, 0)), FVector(-4, 0, 0));
	EXPECT_EQ(V.ComponentMax(FVector(0, 0, 0)), FVector(0, 2, 7));
	EXPECT_EQ(V.GetAbs(), FVector(4, 2, 7));
	EXPECT_EQ(V[0], -4.0);
	EXPECT_EQ(V.Component(2), 7.0);
	EXPECT_EQ(FVector(2, 0, -4).Reciprocal(), FVector(0.5, (double)UE_BIG_NUMBER, -0.25));
	EXPECT_EQ(FVector::Dist(FVector(1, 1, 1), FVector(4, 5, 1)), 5.0);
	EXPECT_EQ(FVector::DistSquared(FVector(1, 1, 1), FVector(4, 5, 1)), 25.0);
	EXPECT_EQ(FVector(3, 4, 12).Size(), 13.0);
	EXPECT_EQ(FVector(3, 4, 12).Size2D(), 5.0);
	EXPECT_TRUE(FVector(1, std::nan(""), 0).ContainsNaN());
	EXPECT_FALSE(FVector(1, 2, 0).ContainsNaN());

	EXPECT_EQ(FVector(2, 3, 4).ProjectOnTo(FVector(0, 0, 2)), FVector(0, 0, 4));
	EXPECT_EQ(FVector(2, 3, 4).ProjectOnToNormal(FVector(0, 1, 0)), FVector(0, 3, 0));
	EXPECT_EQ(FVector(3, -7, 1).BoundToCube(2), FVector(2, -2, 1));
	EXPECT_TRUE(VectorNear(FVector(0, 30, 40).GetClampedToSize(1, 10), FVector(0, 6, 8), 1e-14));
	EXPECT_TRUE(VectorNear(FVector(0, 0.3, 0.4).GetClampedToSize(1, 10), FVector(0, 0.6, 0.8), 1e-15));
	EXPECT_EQ(FVector(2, 0, 0) + FVector2D(1, 1).X, FVector(3, 1, 1));
	EXPECT_EQ(FVector(FVector2D(1, 2), 3), FVector(1, 2, 3));
	EXPECT_EQ(FVector2D(1, 0) ^ FVector2D(0, 1), 1.0);

	// Float and double variants convert explicitly.
	const FVector3f Narrow(FVector(0.1, 0.2, 0.3));
	EXPECT_EQ(Narrow.X, 0.1f);
	EXPECT_EQ(FVector(Narrow).X, (double)0.1f);
}

TEST(HostVector, OrientationHelpers)
{
	// Yaw from the XY direction, pitch from the elevation, no roll.
	const FRotator Rot = FVector(1, 1, std::sqrt(2.0)).Rotation();
	EXPECT_NEAR(Rot.Yaw, 45.0, 2e-4);
	EXPECT_NEAR(Rot.Pitch, 45.0, 2e-4);
	EXPECT_EQ(Rot.Roll, 0.0);
	EXPECT_EQ(FVector(-1, 0, 0).ToOrientationRotator().Yaw, 180.0);

	// ToOrientationQuat points +X along the vector and agrees with the rotator path.
	for (const FVector& Direction : {FVector(1, 2, 3), FVector(-4, 1, -2), FVector(0, -1, 0.5)})
	{
		const FQuat Q = Direction.ToOrientationQuat();
		// Exact up to the Atan2 approximation.
		EXPECT_TRUE(VectorNear(Q.RotateVector(FVector(1, 0, 0)), Direction.GetSafeNormal(), 5e-6));
		EXPECT_TRUE(QVMathTest::SameRotation(Q, Direction.Rotation().Quaternion(), 1e-12));
	}

	EXPECT_NEAR(FVector(0, -2, 5).HeadingAngle(), -std::numbers::pi / 2, 1e-15);
	EXPECT_TRUE(VectorNear(FVector(1, 0, 0).RotateAngleAxis(90, FVector(0, 0, 1)), FVector(0, 1, 0), 1e-15));
	EXPECT_TRUE(VectorNear(FVector(0, 1, 0).RotateAngleAxis(90, FVector(1, 0, 0)), FVector(0, 0, 1), 1e-15));
	EXPECT_EQ(FVector::PointPlaneDist(FVector(1, 2, 5), FVector(0, 0, 1), FVector(0, 0, 1)), 4.0);
	EXPECT_EQ(FVector::VectorPlaneProject(FVector(1, 2, 5), FVector(0, 0, 1)), FVector(1, 2, 0));
}
} // namespace
