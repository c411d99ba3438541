// Shared helpers of the host math tests: GoogleTest printers and reference formulas written independently of
// the code under test (textbook quaternion product, sandwich rotation, Rodrigues matrices).
#pragma once

#include "Math/UnrealMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <numbers>
#include <ostream>

namespace UE::Math
{
template <typename T> void PrintTo(const TVector<T>& V, std::ostream* Os)
{
	*Os << std::setprecision(17) << "(" << V.X << ", " << V.Y << ", " << V.Z << ")";
}
template <typename T> void PrintTo(const TQuat<T>& Q, std::ostream* Os)
{
	*Os << std::setprecision(17) << "Q(" << Q.X << ", " << Q.Y << ", " << Q.Z << ", " << Q.W << ")";
}
template <typename T> void PrintTo(const TRotator<T>& R, std::ostream* Os)
{
	*Os << std::setprecision(17) << "R(P=" << R.Pitch << ", Y=" << R.Yaw << ", R=" << R.Roll << ")";
}
template <typename T> void PrintTo(const TMatrix<T>& M, std::ostream* Os)
{
	*Os << std::setprecision(17) << "[";
	for (int Row = 0; Row < 4; ++Row)
	{
		*Os << (Row ? "; " : "") << M.M[Row][0] << " " << M.M[Row][1] << " " << M.M[Row][2] << " " << M.M[Row][3];
	}
	*Os << "]";
}
template <typename T> void PrintTo(const TTransform<T>& X, std::ostream* Os)
{
	*Os << "T{";
	PrintTo(X.GetRotation(), Os);
	*Os << " ";
	PrintTo(X.GetTranslation(), Os);
	*Os << " ";
	PrintTo(X.GetScale3D(), Os);
	*Os << "}";
}
} // namespace UE::Math

namespace QVMathTest
{
// Textbook Hamilton product: w = w1 w2 - v1.v2, v = w1 v2 + w2 v1 + v1 x v2.
inline FQuat HandMul(const FQuat& A, const FQuat& B)
{
	const double Dot = A.X * B.X + A.Y * B.Y + A.Z * B.Z;
	const double CX = A.Y * B.Z - A.Z * B.Y;
	const double CY = A.Z * B.X - A.X * B.Z;
	const double CZ = A.X * B.Y - A.Y * B.X;
	return FQuat(A.W * B.X + B.W * A.X + CX, A.W * B.Y + B.W * A.Y + CY, A.W * B.Z + B.W * A.Z + CZ, A.W * B.W - Dot);
}

// Rotation of AngleRad about a unit axis, written out by hand.
inline FQuat AxisAngle(double AX, double AY, double AZ, double AngleRad)
{
	const double S = std::sin(AngleRad / 2);
	return FQuat(AX * S, AY * S, AZ * S, std::cos(AngleRad / 2));
}
inline double Rad(double Degrees)
{
	return Degrees * std::numbers::pi / 180.0;
}

// q * (v, 0) * conj(q).
inline FVector Sandwich(const FQuat& Q, const FVector& V)
{
	const FQuat R = HandMul(HandMul(Q, FQuat(V.X, V.Y, V.Z, 0)), FQuat(-Q.X, -Q.Y, -Q.Z, Q.W));
	return FVector(R.X, R.Y, R.Z);
}

// Row-vector rotation matrix of AngleRad about a unit axis (rows are the rotated unit axes), by Rodrigues' formula.
inline FMatrix Rodrigues(double AX, double AY, double AZ, double AngleRad)
{
	const double C = std::cos(AngleRad);
	const double S = std::sin(AngleRad);
	const double K = 1 - C;
	const double Col[3][3] = {
		{C + AX * AX * K, AX * AY * K - AZ * S, AX * AZ * K + AY * S},
		{AY * AX * K + AZ * S, C + AY * AY * K, AY * AZ * K - AX * S},
		{AZ * AX * K - AY * S, AZ * AY * K + AX * S, C + AZ * AZ * K},
	};
	FMatrix M(ForceInit);
	for (int Row = 0; Row < 3; ++Row)
	{
		for (int Column = 0; Column < 3; ++Column)
		{
			M.M[Row][Column] = Col[Column][Row];
		}
	}
	M.M[3][3] = 1;
	return M;
}

inline FMatrix MatMul(const FMatrix& A, const FMatrix& B)
{
	FMatrix R(ForceInit);
	for (int Row = 0; Row < 4; ++Row)
	{
		for (int Column = 0; Column < 4; ++Column)
		{
			for (int K = 0; K < 4; ++K)
			{
				R.M[Row][Column] += A.M[Row][K] * B.M[K][Column];
			}
		}
	}
	return R;
}

// Matrix of scale, then rotation, then translation, with the rotation applied by the sandwich product.
inline FMatrix TRSMatrix(const FQuat& Q, const FVector& T, const FVector& S)
{
	FMatrix M(ForceInit);
	const FVector Axes[3] = {FVector(1, 0, 0), FVector(0, 1, 0), FVector(0, 0, 1)};
	for (int Row = 0; Row < 3; ++Row)
	{
		const FVector R = Sandwich(Q, Axes[Row]) * S[Row];
		M.M[Row][0] = R.X;
		M.M[Row][1] = R.Y;
		M.M[Row][2] = R.Z;
	}
	M.M[3][0] = T.X;
	M.M[3][1] = T.Y;
	M.M[3][2] = T.Z;
	M.M[3][3] = 1;
	return M;
}

inline FVector MatPoint(const FMatrix& M, const FVector& P)
{
	return FVector(P.X * M.M[0][0] + P.Y * M.M[1][0] + P.Z * M.M[2][0] + M.M[3][0],
		P.X * M.M[0][1] + P.Y * M.M[1][1] + P.Z * M.M[2][1] + M.M[3][1],
		P.X * M.M[0][2] + P.Y * M.M[1][2] + P.Z * M.M[2][2] + M.M[3][2]);
}

inline ::testing::AssertionResult VectorNear(const FVector& Actual, const FVector& Expected, double Tolerance)
{
	if (std::fabs(Actual.X - Expected.X) <= Tolerance && std::fabs(Actual.Y - Expected.Y) <= Tolerance &&
		std::fabs(Actual.Z - Expected.Z) <= Tolerance)
	{
		return ::testing::AssertionSuccess();
	}
	return ::testing::AssertionFailure() << ::testing::PrintToString(Actual)
										 << " != " << ::testing::PrintToString(Expected) << " (tolerance " << Tolerance
										 << ")";
}

// Same rotation: equal components for one of the two signs.
inline ::testing::AssertionResult SameRotation(const FQuat& Actual, const FQuat& Expected, double Tolerance)
{
	const auto Near = [Tolerance](const FQuat& A, const FQuat& B)
	{
		return std::fabs(A.X - B.X) <= Tolerance && std::fabs(A.Y - B.Y) <= Tolerance &&
			std::fabs(A.Z - B.Z) <= Tolerance && std::fabs(A.W - B.W) <= Tolerance;
	};
	if (Near(Actual, Expected) || Near(Actual, FQuat(-Expected.X, -Expected.Y, -Expected.Z, -Expected.W)))
	{
		return ::testing::AssertionSuccess();
	}
	return ::testing::AssertionFailure() << ::testing::PrintToString(Actual) << " is not +-"
										 << ::testing::PrintToString(Expected) << " (tolerance " << Tolerance << ")";
}

inline ::testing::AssertionResult MatrixNear(const FMatrix& Actual, const FMatrix& Expected, double Tolerance)
{
	for (int Row = 0; Row < 4; ++Row)
	{
		for (int Column = 0; Column < 4; ++Column)
		{
			if (!(std::fabs(Actual.M[Row][Column] - Expected.M[Row][Column]) <= Tolerance))
			{
				return ::testing::AssertionFailure()
					<< "element [" << Row << "][" << Column << "]: " << ::testing::PrintToString(Actual)
					<< " != " << ::testing::PrintToString(Expected);
			}
		}
	}
	return ::testing::AssertionSuccess();
}
} // namespace QVMathTest
