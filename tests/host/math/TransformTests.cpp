// Tests of TTransform: composition order, relative transforms, inverses, the negative-scale matrix paths and Blend.
#include "MathTestHelpers.h"

#include "EulerTransform.h"

namespace
{
using QVMathTest::AxisAngle;
using QVMathTest::MatrixNear;
using QVMathTest::Rad;
using QVMathTest::SameRotation;
using QVMathTest::TRSMatrix;
using QVMathTest::VectorNear;

FMatrix MatrixOf(const FTransform& X)
{
	return TRSMatrix(X.GetRotation(), X.GetTranslation(), X.GetScale3D());
}

const FVector Points[] = {FVector(0, 0, 0), FVector(1, -2, 0.5), FVector(-3, 4, 7)};

TEST(HostTransform, MultiplyAppliesTheLeftFactorFirst)
{
	// Child one unit along X under a parent turned 90 degrees about Z, scaled by 2 and lifted by 5.
	const FTransform Child(FVector(1, 0, 0));
	const FTransform Parent(AxisAngle(0, 0, 1, Rad(90)), FVector(0, 0, 5), FVector(2, 2, 2));
	const FTransform Global = Child * Parent;
	EXPECT_TRUE(VectorNear(Global.GetTranslation(), FVector(0, 2, 5), 1e-15));
	EXPECT_EQ(Global.GetScale3D(), FVector(2, 2, 2));
	EXPECT_TRUE(SameRotation(Global.GetRotation(), AxisAngle(0, 0, 1, Rad(90)), 1e-15));

	// General case: Q = Qb * Qa, S = Sa * Sb, T = Qb(Sb * Ta) + Tb, and points go through A then B.
	const FTransform A(AxisAngle(0.6, 0, 0.8, Rad(35)), FVector(1, 2, 3), FVector(1, 2, 0.5));
	const FTransform B(AxisAngle(0, 1, 0, Rad(-70)), FVector(-4, 0, 2), FVector(3, 3, 3));
	const FTransform AB = A * B;
	EXPECT_TRUE(SameRotation(AB.GetRotation(), QVMathTest::HandMul(B.GetRotation(), A.GetRotation()), 1e-15));
	EXPECT_EQ(AB.GetScale3D(), FVector(3, 6, 1.5));
	for (const FVector& P : Points)
	{
		EXPECT_TRUE(VectorNear(AB.TransformPosition(P), B.TransformPosition(A.TransformPosition(P)), 1e-13));
	}
	FTransform Out;
	FTransform::Multiply(&Out, &A, &B);
	EXPECT_TRUE(Out.Equals(AB, 0));
	FTransform InPlace = A;
	InPlace *= B;
	EXPECT_TRUE(InPlace.Equals(AB, 0));
	EXPECT_TRUE((A * B.GetRotation()).Equals(A * FTransform(B.GetRotation()), 0));
}

TEST(HostTransform, RelativeTransformUndoesMultiply)
{
	const FTransform Child(AxisAngle(0, 0, 1, Rad(25)), FVector(3, -1, 2), FVector(1, 0.5, 2));
	const FTransform Parent(AxisAngle(0.6, 0.8, 0, Rad(-120)), FVector(10, 0, -5), FVector(2, 3, 0.25));
	const FTransform Relative = (Child * Parent).GetRelativeTransform(Parent);
	EXPECT_TRUE(Relative.Equals(Child, 1e-13));

	// GetRelativeTransform is this * Other^-1: composing back with Other maps points as this does.
	const FTransform Other(AxisAngle(0, 1, 0, Rad(40)), FVector(1, 1, 1), FVector(1.5, 1.5, 1.5));
	const FTransform InOther = Child.GetRelativeTransform(Other);
	for (const FVector& P : Points)
	{
		EXPECT_TRUE(
			VectorNear(Other.TransformPosition(InOther.TransformPosition(P)), Child.TransformPosition(P), 1e-13));
	}

	// A non-normalised Other rotation gives the identity.
	const FTransform Bad(FQuat(0, 0, 0, 0.9), FVector(1, 2, 3));
	EXPECT_TRUE(Child.GetRelativeTransform(Bad).Equals(FTransform::Identity, 0));

	// The reverse form, with uniform scales, is this^-1 * Other.
	const FTransform Uniform(AxisAngle(0, 0, 1, Rad(60)), FVector(1, 2, 3), FVector(2, 2, 2));
	EXPECT_TRUE(Uniform.GetRelativeTransformReverse(Other).Equals(Uniform.Inverse() * Other, 1e-13));

	FTransform SetRelative = Child;
	SetRelative.SetToRelativeTransform(Other);
	EXPECT_TRUE(SetRelative.Equals(InOther, 1e-15));
}

TEST(HostTransform, InverseAndSafeScaleReciprocal)
{
	// Zero scale on one axis: that axis' reciprocal is 0; the others invert normally (values by hand).
	const FTransform X(AxisAngle(0, 0, 1, Rad(90)), FVector(1, 2, 3), FVector(2, 0, 4));
	const FTransform Inverse = X.Inverse();
	EXPECT_EQ(Inverse.GetScale3D(), FVector(0.5, 0, 0.25));
	EXPECT_TRUE(SameRotation(Inverse.GetRotation(), AxisAngle(0, 0, 1, Rad(-90)), 1e-15));
	EXPECT_TRUE(VectorNear(Inverse.GetTranslation(), FVector(0, 0.5, -0.75), 1e-15));

	// The inverse transform maps points back for uniform scales (a rotated non-uniform scale has no exact
	// inverse of this form); the inverse-transform functions undo any scale.
	const FTransform Uniform(AxisAngle(0.6, 0, 0.8, Rad(-50)), FVector(-1, 4, 2), FVector(0.5, 0.5, 0.5));
	const FTransform Y(AxisAngle(0.6, 0, 0.8, Rad(-50)), FVector(-1, 4, 2), FVector(0.5, 2, 3));
	for (const FVector& P : Points)
	{
		EXPECT_TRUE(VectorNear(Uniform.Inverse().TransformPosition(Uniform.TransformPosition(P)), P, 1e-13));
		EXPECT_TRUE(VectorNear(Y.InverseTransformPosition(Y.TransformPosition(P)), P, 1e-13));
		EXPECT_TRUE(VectorNear(Y.InverseTransformVector(Y.TransformVector(P)), P, 1e-13));
		EXPECT_TRUE(VectorNear(Y.InverseTransformPositionNoScale(Y.TransformPositionNoScale(P)), P, 1e-13));
		EXPECT_TRUE(VectorNear(Y.InverseTransformVectorNoScale(Y.TransformVectorNoScale(P)), P, 1e-14));
	}

	// All three scales at or below 1e-8f: identity.
	const double Threshold = 9.99999993922529e-09;
	EXPECT_TRUE(FTransform(AxisAngle(1, 0, 0, 1), FVector(1, 2, 3), FVector(Threshold, -Threshold, 0))
					.Inverse()
					.Equals(FTransform::Identity, 0));
	EXPECT_FALSE(FTransform(AxisAngle(1, 0, 0, 1), FVector(1, 2, 3), FVector(2e-8, 0, 0))
					 .Inverse()
					 .Equals(FTransform::Identity, 0));

	// Safe reciprocal: 0 where |s| <= 1e-8f (widened), so 1e-8 itself (just above) is inverted.
	const FVector Reciprocal = FTransform::GetSafeScaleReciprocal(FVector(Threshold, -Threshold, 1e-8));
	EXPECT_EQ(Reciprocal.X, 0.0);
	EXPECT_EQ(Reciprocal.Y, 0.0);
	EXPECT_EQ(Reciprocal.Z, 1 / 1e-8);
	EXPECT_EQ(FTransform::GetSafeScaleReciprocal(FVector(-4, 0.5, 0.001), 0.01), FVector(-0.25, 2, 0));
}

TEST(HostTransform, NegativeScaleGoesThroughMatrices)
{
	// By hand: a quarter turn about Z followed by a mirror along X. The mirror flips the turn to -90 degrees;
	// the quaternion-only rule would keep +90 and map +X to the wrong side.
	const FTransform Turn(AxisAngle(0, 0, 1, Rad(90)));
	const FTransform Mirror(FQuat::Identity, FVector(0, 0, 0), FVector(-1, 1, 1));
	const FTransform Mirrored = Turn * Mirror;
	EXPECT_EQ(Mirrored.GetScale3D(), FVector(-1, 1, 1));
	EXPECT_TRUE(SameRotation(Mirrored.GetRotation(), AxisAngle(0, 0, 1, Rad(-90)), 1e-15));
	EXPECT_TRUE(VectorNear(Mirrored.TransformPosition(FVector(1, 0, 0)), FVector(0, 1, 0), 1e-15));

	// General cases against an independent matrix product. The right factor's scale has one magnitude on all
	// axes, so every product is again a scale-rotation-translation matrix.
	const FTransform A(AxisAngle(0.6, 0, 0.8, Rad(35)), FVector(1, 2, 3), FVector(-1, 2, 0.5));
	const FTransform B(AxisAngle(0, 1, 0, Rad(-70)), FVector(-4, 0, 2), FVector(3, 3, 3));
	const FTransform C(AxisAngle(0, 0.6, 0.8, Rad(120)), FVector(0.5, 0, -1), FVector(-2, 1.5, 1));
	const FTransform D(AxisAngle(1, 0, 0, Rad(15)), FVector(2, 2, 2), FVector(1, -1, 1));
	const std::pair<FTransform, FTransform> Pairs[] = {
		{A, B},
		{B, FTransform(AxisAngle(0, 0, 1, 0.7), FVector(0, 1, 0), FVector(-1, 1, 1))},
		{C, FTransform(AxisAngle(0, 0, 1, 0.3), FVector(1, 0, 0), FVector(-2, -2, -2))},
		{FTransform(AxisAngle(0, 0, 1, 1.1), FVector(0, 3, 0), FVector(1, 2, 3)), D},
	};
	for (const auto& [Left, Right] : Pairs)
	{
		const FTransform Product = Left * Right;
		EXPECT_EQ(Product.GetScale3D(), Left.GetScale3D() * Right.GetScale3D());
		EXPECT_TRUE(MatrixNear(MatrixOf(Product), QVMathTest::MatMul(MatrixOf(Left), MatrixOf(Right)), 1e-13));
		EXPECT_NEAR(Product.GetRotation().Size(), 1.0, 1e-15);
		for (const FVector& P : Points)
		{
			EXPECT_TRUE(
				VectorNear(Product.TransformPosition(P), Right.TransformPosition(Left.TransformPosition(P)), 1e-12));
		}
	}

	// Relative transform with a mirrored Other: composing back reproduces this.
	for (const FTransform& Other : {D, FTransform(AxisAngle(0, 0, 1, 0.4), FVector(1, 2, 3), FVector(-1, 1, 1))})
	{
		const FTransform Relative = A.GetRelativeTransform(Other);
		EXPECT_EQ(Relative.GetScale3D(), A.GetScale3D() * FTransform::GetSafeScaleReciprocal(Other.GetScale3D()));
		EXPECT_TRUE(MatrixNear(MatrixOf(Relative), QVMathTest::MatMul(MatrixOf(A), MatrixOf(Other).Inverse()), 1e-13));
		for (const FVector& P : Points)
		{
			EXPECT_TRUE(
				VectorNear(Other.TransformPosition(Relative.TransformPosition(P)), A.TransformPosition(P), 1e-12));
		}
	}
}

TEST(HostTransform, BlendEndsSignFlipAndExtrapolation)
{
	const FTransform A(AxisAngle(0, 0, 1, Rad(10)), FVector(1, 2, 3), FVector(1, 1, 1));
	const FTransform B(AxisAngle(0, 0, 1, Rad(70)), FVector(5, -2, 7), FVector(3, 2, 1));
	FTransform Result;

	// |Alpha| <= 1e-5 returns A exactly, |Alpha - 1| <= 1e-5 returns B exactly (both sides of each end).
	for (const float Alpha : {0.0f, 1e-5f, -1e-5f, 7.62939453125e-6f})
	{
		Result.Blend(A, B, Alpha);
		EXPECT_TRUE(Result.Identical(&A)) << Alpha;
	}
	for (const float Alpha : {1.0f, 1.0f - 7.62939453125e-6f, 1.0f + 7.62939453125e-6f})
	{
		Result.Blend(A, B, Alpha);
		EXPECT_TRUE(Result.Identical(&B)) << Alpha;
	}
	// Just outside the thresholds the blend runs.
	Result.Blend(A, B, 1.1e-5f);
	EXPECT_FALSE(Result.Identical(&A));
	EXPECT_TRUE(VectorNear(Result.GetTranslation(),
		A.GetTranslation() * (1 - (double)1.1e-5f) + B.GetTranslation() * (double)1.1e-5f, 1e-15));
	Result.Blend(A, B, 1.0f - 1.52587890625e-5f);
	EXPECT_FALSE(Result.Identical(&B));
	EXPECT_FALSE(Result.Identical(&A));

	// Inside: translation and scale linear in double, rotation the normalised linear blend.
	Result.Blend(A, B, 0.25f);
	EXPECT_TRUE(VectorNear(Result.GetTranslation(), FVector(2, 1, 4), 1e-15));
	EXPECT_TRUE(VectorNear(Result.GetScale3D(), FVector(1.5, 1.25, 1), 1e-15));
	const FQuat Linear = A.GetRotation() * 0.75 + B.GetRotation() * 0.25;
	EXPECT_TRUE(SameRotation(Result.GetRotation(), Linear * (1 / Linear.Size()), 1e-15));

	// Opposite hemispheres: A's rotation is negated first, so the blend takes the short way.
	const FTransform Identity;
	const FTransform Flipped(-AxisAngle(0, 0, 1, Rad(90)), FVector(0, 0, 0));
	Result.Blend(Identity, Flipped, 0.5f);
	EXPECT_TRUE(SameRotation(Result.GetRotation(), AxisAngle(0, 0, 1, Rad(45)), 1e-15));

	// Outside [0, 1] the blend extrapolates.
	Result.Blend(A, B, -0.5f);
	EXPECT_TRUE(VectorNear(Result.GetTranslation(), FVector(-1, 4, 1), 1e-15));
	EXPECT_TRUE(VectorNear(Result.GetScale3D(), FVector(0, 0.5, 1), 1e-15));
	Result.Blend(A, B, 1.5f);
	EXPECT_TRUE(VectorNear(Result.GetTranslation(), FVector(7, -4, 9), 1e-15));
	EXPECT_TRUE(
		SameRotation(Result.GetRotation(), (B.GetRotation() * 1.5 - A.GetRotation() * 0.5).GetNormalized(), 1e-15));

	// BlendWith moves towards the other transform inside (0, 1) and never extrapolates.
	FTransform With = A;
	With.BlendWith(B, 0.25f);
	FTransform Blended;
	Blended.Blend(A, B, 0.25f);
	EXPECT_TRUE(With.Equals(Blended, 1e-12));
	With = A;
	With.BlendWith(B, -0.5f);
	EXPECT_TRUE(With.Identical(&A));
	With.BlendWith(B, 1.5f);
	EXPECT_TRUE(With.Identical(&B));
}

TEST(HostTransform, MatrixConversions)
{
	// Positive scales: the components come back.
	const FTransform X(AxisAngle(0.6, 0, 0.8, Rad(50)), FVector(1, 2, 3), FVector(2, 0.5, 3));
	const FTransform FromMatrix(X.ToMatrixWithScale());
	EXPECT_TRUE(FromMatrix.Equals(X, 1e-14));
	EXPECT_TRUE(MatrixNear(X.ToMatrixWithScale(), MatrixOf(X), 1e-15));
	EXPECT_TRUE(
		MatrixNear(X.ToMatrixNoScale(), TRSMatrix(X.GetRotation(), X.GetTranslation(), FVector(1, 1, 1)), 1e-15));
	EXPECT_TRUE(MatrixNear(X.ToInverseMatrixWithScale() * X.ToMatrixWithScale(), FMatrix::Identity, 1e-14));

	// A negative determinant is folded into -X scale; the matrix is reproduced.
	const FMatrix Mirrored = MatrixOf(FTransform(AxisAngle(0, 0, 1, Rad(30)), FVector(4, 5, 6), FVector(1, -2, 3)));
	const FTransform FromMirrored(Mirrored);
	EXPECT_LT(FromMirrored.GetScale3D().X, 0.0);
	EXPECT_GT(FromMirrored.GetScale3D().Y, 0.0);
	EXPECT_TRUE(MatrixNear(FromMirrored.ToMatrixWithScale(), Mirrored, 1e-14));
	EXPECT_NEAR(FromMirrored.GetDeterminant(), -6.0, 1e-14);

	// From axes and an origin.
	const FTransform FromAxes(FVector(0, 2, 0), FVector(-2, 0, 0), FVector(0, 0, 2), FVector(7, 8, 9));
	EXPECT_TRUE(VectorNear(FromAxes.GetScale3D(), FVector(2, 2, 2), 0));
	EXPECT_TRUE(SameRotation(FromAxes.GetRotation(), AxisAngle(0, 0, 1, Rad(90)), 1e-15));
	EXPECT_EQ(FromAxes.GetTranslation(), FVector(7, 8, 9));

	// Axes of a transform.
	EXPECT_TRUE(VectorNear(X.GetScaledAxis(EAxis::Y), X.ToMatrixWithScale().GetScaledAxis(EAxis::Y), 1e-15));
	EXPECT_TRUE(VectorNear(X.GetUnitAxis(EAxis::Z), X.ToMatrixNoScale().GetScaledAxis(EAxis::Z), 1e-15));
	EXPECT_EQ(X.GetMaximumAxisScale(), 3.0);
	EXPECT_EQ(X.GetMinimumAxisScale(), 0.5);
	EXPECT_EQ(X.GetDeterminant(), 3.0);
}

TEST(HostTransform, AccessorsAndEulerTransform)
{
	FTransform X;
	EXPECT_TRUE(X.Identical(&FTransform::Identity));
	X.SetComponents(AxisAngle(1, 0, 0, 0.5), FVector(1, 2, 3), FVector(2, 2, 2));
	X.AddToTranslation(FVector(1, 1, 1));
	EXPECT_EQ(X.GetLocation(), FVector(2, 3, 4));
	X.ScaleTranslation(2.0);
	EXPECT_EQ(X.GetTranslation(), FVector(4, 6, 8));
	X.SetRotation(FQuat(0, 0, 0, 2));
	EXPECT_FALSE(X.IsRotationNormalized());
	X.NormalizeRotation();
	EXPECT_EQ(X.GetRotation(), FQuat::Identity);
	X.RemoveScaling();
	EXPECT_EQ(X.GetScale3D(), FVector(1, 1, 1));
	FTransform Y;
	Y.CopyTranslation(X);
	Y.CopyScale3D(FTransform(FQuat::Identity, FVector(0, 0, 0), FVector(5, 5, 5)));
	EXPECT_EQ(Y.GetTranslation(), FVector(4, 6, 8));
	EXPECT_EQ(Y.GetScale3D(), FVector(5, 5, 5));
	EXPECT_TRUE(FTransform(FRotator(0, 90, 0)).RotationEquals(FTransform(-FRotator(0, 90, 0).Quaternion())));
	EXPECT_FALSE(FTransform(FVector(1, 0, 0)).TranslationEquals(FTransform(FVector(1.001, 0, 0))));
	EXPECT_TRUE(FTransform(FQuat::Identity, FVector(0, 0, 0), FVector(1, 1, 2)).EqualsNoScale(FTransform::Identity));
	EXPECT_FALSE(FTransform(FQuat::Identity, FVector(0, 0, 0), FVector(1, 1, 2)).Equals(FTransform::Identity));
	EXPECT_TRUE(FTransform(FVector(std::nan(""), 0, 0)).ContainsNaN());
	EXPECT_TRUE(VectorNear(
		FTransform(FRotator(0, 90, 0)).TransformRotation(FQuat::Identity).GetAxisX(), FVector(0, 1, 0), 1e-15));
	EXPECT_TRUE(
		FTransform(FRotator(0, 90, 0)).InverseTransformRotation(FRotator(0, 90, 0).Quaternion()).IsIdentity(1e-15));
	EXPECT_TRUE(FTransform3d(FTransform3f(X)).Equals(X, 1e-6));

	// FEulerTransform keeps a rotator and converts through the quaternion.
	const FEulerTransform Euler(FVector(1, 2, 3), FRotator(10, 20, 30), FVector(1, 2, 1));
	const FTransform AsTransform = Euler.ToFTransform();
	EXPECT_TRUE(SameRotation(AsTransform.GetRotation(), FRotator(10, 20, 30).Quaternion(), 0));
	EXPECT_EQ(AsTransform.GetScale3D(), FVector(1, 2, 1));
	const FEulerTransform Back(AsTransform);
	EXPECT_TRUE(Back.Rotation.Equals(FRotator(10, 20, 30), 3e-4));
	EXPECT_EQ(Back.Location, FVector(1, 2, 3));
	EXPECT_EQ(FEulerTransform::Identity.ToFTransform().GetScale3D(), FVector(1, 1, 1));
	EXPECT_EQ(FEulerTransform().Rotation, FRotator(0, 0, 0));
}
} // namespace
