// Tests of TMatrix and the rotation matrix classes: quaternion extraction, products, inverses and frames.
#include "MathTestHelpers.h"

namespace
{
using QVMathTest::AxisAngle;
using QVMathTest::MatrixNear;
using QVMathTest::Rad;
using QVMathTest::Rodrigues;
using QVMathTest::SameRotation;
using QVMathTest::VectorNear;

FVector Unit(double X, double Y, double Z)
{
	const double Length = std::sqrt(X * X + Y * Y + Z * Z);
	return FVector(X / Length, Y / Length, Z / Length);
}

TEST(HostMatrix, ToQuatInEachBranch)
{
	// Trace > 0.
	const FQuat FromTrace = FQuat(Rodrigues(0, 0, 1, Rad(30)));
	EXPECT_TRUE(SameRotation(FromTrace, AxisAngle(0, 0, 1, Rad(30)), 1e-15));
	EXPECT_GT(FromTrace.W, 0.0);

	// Half turns: the largest diagonal element picks the branch; the picked component comes out positive.
	EXPECT_TRUE(SameRotation(FQuat(Rodrigues(1, 0, 0, Rad(180))), FQuat(1, 0, 0, 0), 1e-15));
	EXPECT_TRUE(SameRotation(FQuat(Rodrigues(0, 1, 0, Rad(180))), FQuat(0, 1, 0, 0), 1e-15));
	EXPECT_TRUE(SameRotation(FQuat(Rodrigues(0, 0, 1, Rad(180))), FQuat(0, 0, 1, 0), 1e-15));
	const FMatrix Exact(FPlane(1, 0, 0, 0), FPlane(0, -1, 0, 0), FPlane(0, 0, -1, 0), FPlane(0, 0, 0, 1));
	EXPECT_EQ(FQuat(Exact), FQuat(1, 0, 0, 0));
	// A tie on the diagonal keeps the earlier index (strict comparisons): half turn about (1, 0, -1) has
	// M00 == M22, so X is the component built positive.
	const FMatrix Tied(FPlane(0, 0, -1, 0), FPlane(0, -1, 0, 0), FPlane(-1, 0, 0, 0), FPlane(0, 0, 0, 1));
	const FQuat FromTied(Tied);
	EXPECT_NEAR(FromTied.X, std::sqrt(0.5), 1e-15);
	EXPECT_NEAR(FromTied.Z, -std::sqrt(0.5), 1e-15);
	EXPECT_EQ(FromTied.Y, 0.0);
	EXPECT_EQ(FromTied.W, 0.0);

	// Trace <= 0 with each axis the dominant one.
	struct FCase
	{
		FVector Axis;
		int Largest;
	};
	const FCase Cases[] = {{Unit(3, 1, 2), 0}, {Unit(1, 3, 2), 1}, {Unit(1, 2, 3), 2}, {Unit(-1, -2, 3), 2}};
	for (const FCase& Case : Cases)
	{
		const FMatrix M = Rodrigues(Case.Axis.X, Case.Axis.Y, Case.Axis.Z, Rad(160));
		ASSERT_LE(M.M[0][0] + M.M[1][1] + M.M[2][2], 0.0);
		const FQuat Q(M);
		EXPECT_TRUE(SameRotation(Q, AxisAngle(Case.Axis.X, Case.Axis.Y, Case.Axis.Z, Rad(160)), 1e-15));
		const double Components[3] = {Q.X, Q.Y, Q.Z};
		EXPECT_GT(Components[Case.Largest], 0.0);
		EXPECT_EQ(M.ToQuat(), Q);
	}

	// No normalisation: a uniformly scaled rotation gives a longer quaternion.
	FMatrix Scaled = Rodrigues(0, 0, 1, Rad(30));
	for (int Row = 0; Row < 3; ++Row)
	{
		for (int Column = 0; Column < 3; ++Column)
		{
			Scaled.M[Row][Column] *= 4;
		}
	}
	EXPECT_GT(FQuat(Scaled).Size(), 1.5);
}

TEST(HostMatrix, ToQuatRowEarlyOut)
{
	// Any of rows 0-2 with every |component| <= 1e-4f gives the identity.
	FMatrix M = FMatrix::Identity;
	M.M[1][0] = 9.9e-5;
	M.M[1][1] = -9.9e-5;
	EXPECT_EQ(FQuat(M), FQuat::Identity);
	M = Rodrigues(0, 0, 1, Rad(50));
	M.SetAxis(2, FVector(0, 9.999999747378752e-05, 0));
	EXPECT_EQ(FQuat(M), FQuat::Identity);
	// 1e-4 as a double is above the widened threshold: the regular path runs (trace 2.0001).
	M = FMatrix::Identity;
	M.M[1][1] = 1e-4;
	const FQuat Q(M);
	EXPECT_NEAR(Q.W, 0.5 * std::sqrt(3.0001), 1e-15);
	EXPECT_EQ(Q.X, 0.0);
}

TEST(HostMatrix, QuaternionMatrixRoundTrip)
{
	const FQuat Quats[] = {AxisAngle(0, 0, 1, Rad(30)), AxisAngle(0.6, 0, -0.8, Rad(140)),
		AxisAngle(Unit(1, -2, 2).X, Unit(1, -2, 2).Y, Unit(1, -2, 2).Z, Rad(-175)), AxisAngle(1, 0, 0, Rad(359))};
	for (const FQuat& Q : Quats)
	{
		const FMatrix M = FQuatRotationMatrix(Q);
		// Rows are the rotated unit axes.
		EXPECT_TRUE(VectorNear(M.GetScaledAxis(EAxis::X), QVMathTest::Sandwich(Q, FVector(1, 0, 0)), 1e-15));
		EXPECT_TRUE(VectorNear(M.GetScaledAxis(EAxis::Y), QVMathTest::Sandwich(Q, FVector(0, 1, 0)), 1e-15));
		EXPECT_TRUE(VectorNear(M.GetScaledAxis(EAxis::Z), QVMathTest::Sandwich(Q, FVector(0, 0, 1)), 1e-15));
		EXPECT_TRUE(SameRotation(FQuat(M), Q, 2e-15));
		EXPECT_TRUE(MatrixNear(Q.ToMatrix(), M, 0));
		EXPECT_NEAR(M.Determinant(), 1.0, 1e-14);
		EXPECT_NEAR(M.RotDeterminant(), 1.0, 1e-14);
		// Transposed rotation is the inverse.
		EXPECT_TRUE(MatrixNear(M * M.GetTransposed(), FMatrix::Identity, 1e-15));
	}
	// Origin in row 3.
	const FMatrix WithOrigin = FQuatRotationTranslationMatrix(Quats[1], FVector(1, 2, 3));
	EXPECT_EQ(WithOrigin.GetOrigin(), FVector(1, 2, 3));
	EXPECT_EQ(WithOrigin.M[3][3], 1.0);
	EXPECT_EQ(WithOrigin.M[0][3], 0.0);
}

TEST(HostMatrix, ProductsAndInverses)
{
	const FMatrix A = FScaleRotationTranslationMatrix(FVector(1, 2, 3), FRotator(10, 20, 30), FVector(4, 5, 6));
	const FMatrix B = FScaleRotationTranslationMatrix(FVector(0.5, 0.5, 2), FRotator(-40, 70, 5), FVector(-1, 0, 2));
	// A * B applies A first.
	EXPECT_TRUE(MatrixNear(A * B, QVMathTest::MatMul(A, B), 1e-14));
	const FVector P(0.7, -1.1, 2.3);
	EXPECT_TRUE(
		VectorNear(FVector((A * B).TransformPosition(P)), FVector(B.TransformPosition(A.TransformPosition(P))), 1e-13));
	EXPECT_TRUE(VectorNear(FVector(A.TransformPosition(P)), QVMathTest::MatPoint(A, P), 1e-14));
	EXPECT_TRUE(VectorNear(FVector(A.TransformVector(P)), QVMathTest::MatPoint(A, P) - A.GetOrigin(), 1e-14));
	const FVector4 Homogeneous = A.TransformFVector4(FVector4(P, 0.5));
	EXPECT_NEAR(Homogeneous.W, 0.5, 1e-15);

	// Inverses.
	EXPECT_TRUE(MatrixNear(A * A.Inverse(), FMatrix::Identity, 1e-14));
	EXPECT_TRUE(MatrixNear(A.InverseFast() * A, FMatrix::Identity, 1e-14));
	EXPECT_TRUE(VectorNear(A.InverseTransformPosition(FVector(A.TransformPosition(P))), P, 1e-13));
	EXPECT_TRUE(VectorNear(A.InverseTransformVector(FVector(A.TransformVector(P))), P, 1e-13));
	EXPECT_NEAR(A.Determinant(), 6.0, 1e-13);
	EXPECT_NEAR(A.RotDeterminant(), 6.0, 1e-13);
	// All three axes nearly zero: the zero matrix with M[3][3] = 1. Singular otherwise: identity.
	const FMatrix ZeroAxes(FVector(1e-9, 0, 0), FVector(0, 0, 0), FVector(0, 0, 1e-9), FVector(3, 4, 5));
	EXPECT_TRUE(MatrixNear(
		ZeroAxes.Inverse(), FMatrix(FVector(0, 0, 0), FVector(0, 0, 0), FVector(0, 0, 0), FVector(0, 0, 0)), 0));
	const FMatrix Flat(FVector(1, 0, 0), FVector(0, 1, 0), FVector(0, 0, 0), FVector(3, 4, 5));
	EXPECT_EQ(Flat.Inverse(), FMatrix::Identity);

	// Scale extraction.
	EXPECT_TRUE(VectorNear(A.GetScaleVector(), FVector(1, 2, 3), 1e-15));
	FMatrix Extracted = A;
	EXPECT_TRUE(VectorNear(Extracted.ExtractScaling(), FVector(1, 2, 3), 1e-15));
	EXPECT_TRUE(MatrixNear(Extracted, FRotationTranslationMatrix(FRotator(10, 20, 30), FVector(4, 5, 6)), 1e-15));
	EXPECT_TRUE(MatrixNear(A.GetMatrixWithoutScale(), Extracted, 1e-15));
	// A row whose squared length is not above 1e-8f counts as zero scale and is left as it is.
	FMatrix Thin = FMatrix::Identity;
	Thin.M[2][2] = 9e-5;
	EXPECT_EQ(Thin.GetScaleVector(), FVector(1, 1, 0));
	Thin.RemoveScaling();
	EXPECT_EQ(Thin.M[2][2], 9e-5);
	EXPECT_EQ(Thin.ExtractScaling(), FVector(1, 1, 0));

	// Axis accessors.
	FMatrix Axes = FMatrix::Identity;
	const FVector NewY(0, 2, 0);
	const FVector Origin(7, 8, 9);
	Axes.SetAxes(nullptr, &NewY, nullptr, &Origin);
	EXPECT_EQ(Axes.GetScaledAxis(EAxis::Y), FVector(0, 2, 0));
	EXPECT_EQ(Axes.GetUnitAxis(EAxis::Y), FVector(0, 1, 0));
	EXPECT_EQ(Axes.GetOrigin(), Origin);
	EXPECT_EQ(Axes.GetColumn(1), FVector(0, 2, 0));
	EXPECT_FALSE(Axes.ContainsNaN());
	EXPECT_TRUE(Axes.Equals(Axes + FMatrix(ForceInit), 0));
	EXPECT_EQ((Axes * 2.0).M[3][0], 14.0);
}

TEST(HostMatrix, RotatorMatricesAndFrames)
{
	// The rotator matrix agrees with the rotator's quaternion, and converts back.
	for (const FRotator& R : {FRotator(10, 20, 30), FRotator(-60, 135, -100), FRotator(89, -10, 45)})
	{
		const FMatrix M = FRotationMatrix(R);
		EXPECT_TRUE(MatrixNear(M, FQuatRotationMatrix(R.Quaternion()), 1e-15));
		EXPECT_TRUE(M.Rotator().Equals(R, 3e-4));
		EXPECT_TRUE(MatrixNear(FRotationMatrix::Make(R.Quaternion()), M, 1e-15));
	}
	// Scale-rotation-translation: rotation rows scaled, quarter turns exact.
	const FMatrix SRT = FScaleRotationTranslationMatrix(FVector(2, 3, 4), FRotator(90, 0, 0), FVector(1, 2, 3));
	EXPECT_EQ(SRT.M[0][0], 0.0);
	EXPECT_EQ(SRT.M[0][2], 2.0);
	EXPECT_EQ(SRT.M[2][0], -4.0);
	EXPECT_EQ(SRT.GetOrigin(), FVector(1, 2, 3));
	// The plain rotator path takes cos(pi / 2) from the C library, which is not exactly 0.
	EXPECT_NE(FRotationMatrix(FRotator(90, 0, 0)).M[0][0], 0.0);
	EXPECT_LT(std::fabs(FRotationMatrix(FRotator(90, 0, 0)).M[0][0]), 1e-16);
	EXPECT_TRUE(MatrixNear(FScaleRotationTranslationMatrix(FVector(2, 3, 4), FRotator(10, 20, 30), FVector(0, 0, 0)),
		QVMathTest::TRSMatrix(FRotator(10, 20, 30).Quaternion(), FVector(0, 0, 0), FVector(2, 3, 4)), 1e-15));

	// Frames from axes: orthonormal, right-handed, first axis kept, second in the plane.
	const FVector A = FVector(1, 2, 0.5);
	const FVector B = FVector(-1, 0.3, 2);
	struct FFrame
	{
		FMatrix M;
		EAxis::Type First;
		EAxis::Type Second;
	};
	const FFrame Frames[] = {
		{FRotationMatrix::MakeFromXY(A, B), EAxis::X, EAxis::Y},
		{FRotationMatrix::MakeFromXZ(A, B), EAxis::X, EAxis::Z},
		{FRotationMatrix::MakeFromYX(A, B), EAxis::Y, EAxis::X},
		{FRotationMatrix::MakeFromYZ(A, B), EAxis::Y, EAxis::Z},
		{FRotationMatrix::MakeFromZX(A, B), EAxis::Z, EAxis::X},
		{FRotationMatrix::MakeFromZY(A, B), EAxis::Z, EAxis::Y},
		{FRotationMatrix::MakeFromX(A), EAxis::X, EAxis::None},
		{FRotationMatrix::MakeFromY(A), EAxis::Y, EAxis::None},
		{FRotationMatrix::MakeFromZ(A), EAxis::Z, EAxis::None},
		{FRotationMatrix::MakeFromXZ(FVector(0, 0, 3), FVector(0, 0, 1)), EAxis::X, EAxis::None},
	};
	for (const FFrame& Frame : Frames)
	{
		const FVector X = Frame.M.GetScaledAxis(EAxis::X);
		const FVector Y = Frame.M.GetScaledAxis(EAxis::Y);
		const FVector Z = Frame.M.GetScaledAxis(EAxis::Z);
		EXPECT_NEAR(X.Size(), 1, 1e-15);
		EXPECT_NEAR(Y.Size(), 1, 1e-15);
		EXPECT_NEAR(Z.Size(), 1, 1e-15);
		EXPECT_NEAR(X | Y, 0, 1e-15);
		EXPECT_NEAR(Y | Z, 0, 1e-15);
		EXPECT_TRUE(VectorNear(X ^ Y, Z, 1e-15));
		if (Frame.Second != EAxis::None)
		{
			EXPECT_EQ(Frame.M.GetScaledAxis(Frame.First), A.GetSafeNormal());
			EXPECT_GT(Frame.M.GetScaledAxis(Frame.Second) | B, 0.0);
			EXPECT_NEAR(((A ^ B) | Frame.M.GetScaledAxis(Frame.Second)), 0, 1e-14);
		}
	}
	// Single axis: world up picks the roll, so the new Y of MakeFromX is horizontal.
	EXPECT_NEAR(FRotationMatrix::MakeFromX(A).GetScaledAxis(EAxis::Y).Z, 0.0, 1e-16);
	// A vertical X axis falls back to +X as the up reference.
	EXPECT_TRUE(VectorNear(FRotationMatrix::MakeFromZ(FVector(0, 0, 2)).GetScaledAxis(EAxis::X), FVector(0, -1, 0), 0));

	// "Nearly vertical" is |Z| at or above 1.f - 1e-4f taken in single precision (0.99989998...), not 1 - 1e-4:
	// an axis with Z 0.99989999 already falls back to +X, so a parallel second axis gives the Z axis +Y (X x (1, 0,
	// 0)) where world up would give -Y, and a lone X axis the Y axis -Y where world up would give +Y.
	const double NearlyUp = 0.99989999;
	const FVector Steep(FMath::Sqrt(1.0 - NearlyUp * NearlyUp), 0, NearlyUp);
	EXPECT_TRUE(VectorNear(FRotationMatrix::MakeFromXY(Steep, Steep).GetScaledAxis(EAxis::Z), FVector(0, 1, 0), 1e-15));
	EXPECT_TRUE(VectorNear(FRotationMatrix::MakeFromX(Steep).GetScaledAxis(EAxis::Y), FVector(0, -1, 0), 1e-15));
	const FVector LessSteep(FMath::Sqrt(1.0 - 0.9998 * 0.9998), 0, 0.9998);
	EXPECT_TRUE(
		VectorNear(FRotationMatrix::MakeFromXY(LessSteep, LessSteep).GetScaledAxis(EAxis::Z), FVector(0, -1, 0), 1e-15));
}
} // namespace
