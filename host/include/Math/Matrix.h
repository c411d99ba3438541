// TMatrix<T> (FMatrix): a 4x4 matrix of row vectors, M[row][col]. Rows 0-2 are the X, Y, Z axes and row 3
// the origin; points transform as P * M, so A * B applies A first.
#pragma once

#include "CoreTypes.h"
#include "Math/Axis.h"
#include "Math/MathFwd.h"
#include "Math/Plane.h"
#include "Math/UnrealMathUtility.h"
#include "Math/Vector.h"
#include "Math/Vector4.h"

#include <type_traits>

namespace UE::Math
{
template <typename T> struct TMatrix
{
	static_assert(std::is_floating_point_v<T>, "TMatrix only supports float and double.");

	using FReal = T;

	alignas(16) T M[4][4];

	static const TMatrix<T> Identity;

	TMatrix() = default;
	explicit constexpr FORCEINLINE TMatrix(EForceInit) : M{} {}
	constexpr FORCEINLINE TMatrix(
		const TPlane<T>& InX, const TPlane<T>& InY, const TPlane<T>& InZ, const TPlane<T>& InW)
		: M{{InX.X, InX.Y, InX.Z, InX.W}, {InY.X, InY.Y, InY.Z, InY.W}, {InZ.X, InZ.Y, InZ.Z, InZ.W},
			  {InW.X, InW.Y, InW.Z, InW.W}}
	{
	}
	// Axes in rows 0-2 (W 0) and the origin in row 3 (W 1).
	constexpr FORCEINLINE TMatrix(
		const TVector<T>& InX, const TVector<T>& InY, const TVector<T>& InZ, const TVector<T>& InW)
		: M{{InX.X, InX.Y, InX.Z, 0}, {InY.X, InY.Y, InY.Z, 0}, {InZ.X, InZ.Y, InZ.Z, 0}, {InW.X, InW.Y, InW.Z, 1}}
	{
	}

	template <typename FArg, std::enable_if_t<!std::is_same_v<T, FArg>, int> = 0>
	explicit FORCEINLINE TMatrix(const TMatrix<FArg>& From)
	{
		for (int32 Row = 0; Row < 4; ++Row)
		{
			for (int32 Col = 0; Col < 4; ++Col)
			{
				M[Row][Col] = (T)From.M[Row][Col];
			}
		}
	}

	FORCEINLINE void SetIdentity() { *this = Identity; }

	// Row i of the result is row i of this times Other, summed in column order.
	FORCEINLINE TMatrix<T> operator*(const TMatrix<T>& Other) const
	{
		TMatrix<T> Result;
		for (int32 Row = 0; Row < 4; ++Row)
		{
			for (int32 Col = 0; Col < 4; ++Col)
			{
				Result.M[Row][Col] =
					((M[Row][0] * Other.M[0][Col] + M[Row][1] * Other.M[1][Col]) + M[Row][2] * Other.M[2][Col]) +
					M[Row][3] * Other.M[3][Col];
			}
		}
		return Result;
	}
	FORCEINLINE void operator*=(const TMatrix<T>& Other) { *this = *this * Other; }
	FORCEINLINE TMatrix<T> operator+(const TMatrix<T>& Other) const
	{
		TMatrix<T> Result;
		for (int32 Row = 0; Row < 4; ++Row)
		{
			for (int32 Col = 0; Col < 4; ++Col)
			{
				Result.M[Row][Col] = M[Row][Col] + Other.M[Row][Col];
			}
		}
		return Result;
	}
	FORCEINLINE void operator+=(const TMatrix<T>& Other) { *this = *this + Other; }
	FORCEINLINE TMatrix<T> operator*(T Other) const
	{
		TMatrix<T> Result;
		for (int32 Row = 0; Row < 4; ++Row)
		{
			for (int32 Col = 0; Col < 4; ++Col)
			{
				Result.M[Row][Col] = M[Row][Col] * Other;
			}
		}
		return Result;
	}
	FORCEINLINE void operator*=(T Other) { *this = *this * Other; }

	FORCEINLINE bool operator==(const TMatrix<T>& Other) const
	{
		for (int32 Row = 0; Row < 4; ++Row)
		{
			for (int32 Col = 0; Col < 4; ++Col)
			{
				if (M[Row][Col] != Other.M[Row][Col])
				{
					return false;
				}
			}
		}
		return true;
	}
	FORCEINLINE bool operator!=(const TMatrix<T>& Other) const { return !(*this == Other); }
	FORCEINLINE bool Equals(const TMatrix<T>& Other, T Tolerance = UE_KINDA_SMALL_NUMBER) const
	{
		for (int32 Row = 0; Row < 4; ++Row)
		{
			for (int32 Col = 0; Col < 4; ++Col)
			{
				if (FMath::Abs(M[Row][Col] - Other.M[Row][Col]) > Tolerance)
				{
					return false;
				}
			}
		}
		return true;
	}

	// P * M, summed X, Y, Z, W in order.
	FORCEINLINE TVector4<T> TransformFVector4(const TVector4<T>& P) const
	{
		return TVector4<T>(((P.X * M[0][0] + P.Y * M[1][0]) + P.Z * M[2][0]) + P.W * M[3][0],
			((P.X * M[0][1] + P.Y * M[1][1]) + P.Z * M[2][1]) + P.W * M[3][1],
			((P.X * M[0][2] + P.Y * M[1][2]) + P.Z * M[2][2]) + P.W * M[3][2],
			((P.X * M[0][3] + P.Y * M[1][3]) + P.Z * M[2][3]) + P.W * M[3][3]);
	}
	FORCEINLINE TVector4<T> TransformPosition(const TVector<T>& V) const
	{
		return TransformFVector4(TVector4<T>(V.X, V.Y, V.Z, (T)1));
	}
	FORCEINLINE TVector4<T> TransformVector(const TVector<T>& V) const
	{
		return TransformFVector4(TVector4<T>(V.X, V.Y, V.Z, (T)0));
	}
	FORCEINLINE TVector<T> InverseTransformPosition(const TVector<T>& V) const
	{
		return TVector<T>(InverseFast().TransformPosition(V));
	}
	FORCEINLINE TVector<T> InverseTransformVector(const TVector<T>& V) const
	{
		return TVector<T>(InverseFast().TransformVector(V));
	}

	FORCEINLINE TMatrix<T> GetTransposed() const
	{
		TMatrix<T> Result;
		for (int32 Row = 0; Row < 4; ++Row)
		{
			for (int32 Col = 0; Col < 4; ++Col)
			{
				Result.M[Row][Col] = M[Col][Row];
			}
		}
		return Result;
	}

	T Determinant() const
	{
		return M[0][0] *
			(M[1][1] * (M[2][2] * M[3][3] - M[2][3] * M[3][2]) - M[2][1] * (M[1][2] * M[3][3] - M[1][3] * M[3][2]) +
				M[3][1] * (M[1][2] * M[2][3] - M[1][3] * M[2][2])) -
			M[1][0] *
			(M[0][1] * (M[2][2] * M[3][3] - M[2][3] * M[3][2]) - M[2][1] * (M[0][2] * M[3][3] - M[0][3] * M[3][2]) +
				M[3][1] * (M[0][2] * M[2][3] - M[0][3] * M[2][2])) +
			M[2][0] *
			(M[0][1] * (M[1][2] * M[3][3] - M[1][3] * M[3][2]) - M[1][1] * (M[0][2] * M[3][3] - M[0][3] * M[3][2]) +
				M[3][1] * (M[0][2] * M[1][3] - M[0][3] * M[1][2])) -
			M[3][0] *
			(M[0][1] * (M[1][2] * M[2][3] - M[1][3] * M[2][2]) - M[1][1] * (M[0][2] * M[2][3] - M[0][3] * M[2][2]) +
				M[2][1] * (M[0][2] * M[1][3] - M[0][3] * M[1][2]));
	}
	// Determinant of the 3x3 rotation and scale block.
	FORCEINLINE T RotDeterminant() const
	{
		return M[0][0] * (M[1][1] * M[2][2] - M[1][2] * M[2][1]) - M[1][0] * (M[0][1] * M[2][2] - M[0][2] * M[2][1]) +
			M[2][0] * (M[0][1] * M[1][2] - M[0][2] * M[1][1]);
	}

	// Full inverse by cofactors, without checks.
	TMatrix<T> InverseFast() const;
	// Inverse with guards: a matrix whose three axes are all (nearly) zero inverts to the zero matrix with
	// M[3][3] = 1, and a singular or non-finite one to the identity.
	TMatrix<T> Inverse() const
	{
		if (GetScaledAxis(EAxis::X).IsNearlyZero((T)UE_SMALL_NUMBER) &&
			GetScaledAxis(EAxis::Y).IsNearlyZero((T)UE_SMALL_NUMBER) &&
			GetScaledAxis(EAxis::Z).IsNearlyZero((T)UE_SMALL_NUMBER))
		{
			return TMatrix<T>(
				TVector<T>::ZeroVector, TVector<T>::ZeroVector, TVector<T>::ZeroVector, TVector<T>::ZeroVector);
		}
		const T Det = Determinant();
		if (Det == (T)0 || !FMath::IsFinite(Det))
		{
			return Identity;
		}
		return InverseFast();
	}
	// Inverse of the rotation and translation only (axes assumed orthonormal): the transposed rotation.
	TMatrix<T> InverseNoScale() const;

	FORCEINLINE TVector<T> GetScaledAxis(EAxis::Type Axis) const
	{
		switch (Axis)
		{
			case EAxis::X:
				return TVector<T>(M[0][0], M[0][1], M[0][2]);
			case EAxis::Y:
				return TVector<T>(M[1][0], M[1][1], M[1][2]);
			case EAxis::Z:
				return TVector<T>(M[2][0], M[2][1], M[2][2]);
			default:
				return TVector<T>::ZeroVector;
		}
	}
	FORCEINLINE void GetScaledAxes(TVector<T>& X, TVector<T>& Y, TVector<T>& Z) const
	{
		X = GetScaledAxis(EAxis::X);
		Y = GetScaledAxis(EAxis::Y);
		Z = GetScaledAxis(EAxis::Z);
	}
	FORCEINLINE TVector<T> GetUnitAxis(EAxis::Type Axis) const { return GetScaledAxis(Axis).GetSafeNormal(); }
	FORCEINLINE void GetUnitAxes(TVector<T>& X, TVector<T>& Y, TVector<T>& Z) const
	{
		GetScaledAxes(X, Y, Z);
		X = X.GetSafeNormal();
		Y = Y.GetSafeNormal();
		Z = Z.GetSafeNormal();
	}
	FORCEINLINE void SetAxis(int32 i, const TVector<T>& Axis)
	{
		M[i][0] = Axis.X;
		M[i][1] = Axis.Y;
		M[i][2] = Axis.Z;
	}
	// Sets the given axes (rows 0-2) and origin (row 3); null pointers leave a row as it is.
	FORCEINLINE void SetAxes(const TVector<T>* Axis0 = nullptr, const TVector<T>* Axis1 = nullptr,
		const TVector<T>* Axis2 = nullptr, const TVector<T>* Origin = nullptr)
	{
		if (Axis0 != nullptr)
		{
			SetAxis(0, *Axis0);
		}
		if (Axis1 != nullptr)
		{
			SetAxis(1, *Axis1);
		}
		if (Axis2 != nullptr)
		{
			SetAxis(2, *Axis2);
		}
		if (Origin != nullptr)
		{
			SetOrigin(*Origin);
		}
	}
	FORCEINLINE TVector<T> GetColumn(int32 i) const { return TVector<T>(M[0][i], M[1][i], M[2][i]); }
	FORCEINLINE void SetColumn(int32 i, TVector<T> Value)
	{
		M[0][i] = Value.X;
		M[1][i] = Value.Y;
		M[2][i] = Value.Z;
	}
	FORCEINLINE TVector<T> GetOrigin() const { return TVector<T>(M[3][0], M[3][1], M[3][2]); }
	FORCEINLINE void SetOrigin(const TVector<T>& NewOrigin)
	{
		M[3][0] = NewOrigin.X;
		M[3][1] = NewOrigin.Y;
		M[3][2] = NewOrigin.Z;
	}
	FORCEINLINE TMatrix<T> ConcatTranslation(const TVector<T>& Translation) const
	{
		TMatrix<T> Result(*this);
		Result.M[3][0] += Translation.X;
		Result.M[3][1] += Translation.Y;
		Result.M[3][2] += Translation.Z;
		return Result;
	}
	FORCEINLINE TMatrix<T> RemoveTranslation(T Tolerance = UE_SMALL_NUMBER) const
	{
		TMatrix<T> Result(*this);
		Result.M[3][0] = 0;
		Result.M[3][1] = 0;
		Result.M[3][2] = 0;
		return Result;
	}
	// Scales the three axes (rows 0-2) by Scale.
	FORCEINLINE TMatrix<T> ApplyScale(T Scale) const
	{
		TMatrix<T> Result(*this);
		for (int32 Row = 0; Row < 3; ++Row)
		{
			for (int32 Col = 0; Col < 3; ++Col)
			{
				Result.M[Row][Col] *= Scale;
			}
		}
		return Result;
	}

	// Length of each axis; 0 for an axis whose squared length is not above Tolerance.
	TVector<T> GetScaleVector(T Tolerance = UE_SMALL_NUMBER) const
	{
		TVector<T> Scale3D(1, 1, 1);
		for (int32 i = 0; i < 3; i++)
		{
			const T SquareSum = (M[i][0] * M[i][0]) + (M[i][1] * M[i][1]) + (M[i][2] * M[i][2]);
			if (SquareSum > Tolerance)
			{
				Scale3D[i] = FMath::Sqrt(SquareSum);
			}
			else
			{
				Scale3D[i] = 0;
			}
		}
		return Scale3D;
	}
	// Rescales each axis to unit length, leaving axes whose squared length is below Tolerance as they are.
	void RemoveScaling(T Tolerance = UE_SMALL_NUMBER)
	{
		for (int32 i = 0; i < 3; i++)
		{
			const T SquareSum = (M[i][0] * M[i][0]) + (M[i][1] * M[i][1]) + (M[i][2] * M[i][2]);
			const T Scale = FMath::FloatSelect(SquareSum - Tolerance, FMath::InvSqrt(SquareSum), (T)1);
			M[i][0] *= Scale;
			M[i][1] *= Scale;
			M[i][2] *= Scale;
		}
	}
	FORCEINLINE TMatrix<T> GetMatrixWithoutScale(T Tolerance = UE_SMALL_NUMBER) const
	{
		TMatrix<T> Result(*this);
		Result.RemoveScaling(Tolerance);
		return Result;
	}
	// Returns each axis' length and rescales the axis to unit length; an axis whose squared length is not above
	// Tolerance gets scale 0 and is left as it is.
	TVector<T> ExtractScaling(T Tolerance = UE_SMALL_NUMBER)
	{
		TVector<T> Scale3D(0, 0, 0);
		for (int32 i = 0; i < 3; i++)
		{
			const T SquareSum = (M[i][0] * M[i][0]) + (M[i][1] * M[i][1]) + (M[i][2] * M[i][2]);
			if (SquareSum > Tolerance)
			{
				const T Scale = FMath::Sqrt(SquareSum);
				Scale3D[i] = Scale;
				const T InvScale = (T)1 / Scale;
				M[i][0] *= InvScale;
				M[i][1] *= InvScale;
				M[i][2] *= InvScale;
			}
			else
			{
				Scale3D[i] = 0;
			}
		}
		return Scale3D;
	}

	FORCEINLINE bool ContainsNaN() const
	{
		for (int32 Row = 0; Row < 4; ++Row)
		{
			for (int32 Col = 0; Col < 4; ++Col)
			{
				if (!FMath::IsFinite(M[Row][Col]))
				{
					return true;
				}
			}
		}
		return false;
	}

	TRotator<T> Rotator() const;
	TQuat<T> ToQuat() const;
};

template <typename T>
inline constinit const TMatrix<T> TMatrix<T>::Identity(
	TPlane<T>(1, 0, 0, 0), TPlane<T>(0, 1, 0, 0), TPlane<T>(0, 0, 1, 0), TPlane<T>(0, 0, 0, 1));

template <typename T> TMatrix<T> TMatrix<T>::InverseFast() const
{
	T Tmp[4][3];
	Tmp[0][0] = M[2][2] * M[3][3] - M[2][3] * M[3][2];
	Tmp[0][1] = M[1][2] * M[3][3] - M[1][3] * M[3][2];
	Tmp[0][2] = M[1][2] * M[2][3] - M[1][3] * M[2][2];

	Tmp[1][0] = M[2][2] * M[3][3] - M[2][3] * M[3][2];
	Tmp[1][1] = M[0][2] * M[3][3] - M[0][3] * M[3][2];
	Tmp[1][2] = M[0][2] * M[2][3] - M[0][3] * M[2][2];

	Tmp[2][0] = M[1][2] * M[3][3] - M[1][3] * M[3][2];
	Tmp[2][1] = M[0][2] * M[3][3] - M[0][3] * M[3][2];
	Tmp[2][2] = M[0][2] * M[1][3] - M[0][3] * M[1][2];

	Tmp[3][0] = M[1][2] * M[2][3] - M[1][3] * M[2][2];
	Tmp[3][1] = M[0][2] * M[2][3] - M[0][3] * M[2][2];
	Tmp[3][2] = M[0][2] * M[1][3] - M[0][3] * M[1][2];

	T Det[4];
	Det[0] = M[1][1] * Tmp[0][0] - M[2][1] * Tmp[0][1] + M[3][1] * Tmp[0][2];
	Det[1] = M[0][1] * Tmp[1][0] - M[2][1] * Tmp[1][1] + M[3][1] * Tmp[1][2];
	Det[2] = M[0][1] * Tmp[2][0] - M[1][1] * Tmp[2][1] + M[3][1] * Tmp[2][2];
	Det[3] = M[0][1] * Tmp[3][0] - M[1][1] * Tmp[3][1] + M[2][1] * Tmp[3][2];

	const T Determinant = M[0][0] * Det[0] - M[1][0] * Det[1] + M[2][0] * Det[2] - M[3][0] * Det[3];
	const T RDet = (T)1 / Determinant;

	TMatrix<T> Result;
	Result.M[0][0] = RDet * Det[0];
	Result.M[0][1] = -RDet * Det[1];
	Result.M[0][2] = RDet * Det[2];
	Result.M[0][3] = -RDet * Det[3];
	Result.M[1][0] = -RDet * (M[1][0] * Tmp[0][0] - M[2][0] * Tmp[0][1] + M[3][0] * Tmp[0][2]);
	Result.M[1][1] = RDet * (M[0][0] * Tmp[1][0] - M[2][0] * Tmp[1][1] + M[3][0] * Tmp[1][2]);
	Result.M[1][2] = -RDet * (M[0][0] * Tmp[2][0] - M[1][0] * Tmp[2][1] + M[3][0] * Tmp[2][2]);
	Result.M[1][3] = RDet * (M[0][0] * Tmp[3][0] - M[1][0] * Tmp[3][1] + M[2][0] * Tmp[3][2]);
	Result.M[2][0] = RDet *
		(M[1][0] * (M[2][1] * M[3][3] - M[2][3] * M[3][1]) - M[2][0] * (M[1][1] * M[3][3] - M[1][3] * M[3][1]) +
			M[3][0] * (M[1][1] * M[2][3] - M[1][3] * M[2][1]));
	Result.M[2][1] = -RDet *
		(M[0][0] * (M[2][1] * M[3][3] - M[2][3] * M[3][1]) - M[2][0] * (M[0][1] * M[3][3] - M[0][3] * M[3][1]) +
			M[3][0] * (M[0][1] * M[2][3] - M[0][3] * M[2][1]));
	Result.M[2][2] = RDet *
		(M[0][0] * (M[1][1] * M[3][3] - M[1][3] * M[3][1]) - M[1][0] * (M[0][1] * M[3][3] - M[0][3] * M[3][1]) +
			M[3][0] * (M[0][1] * M[1][3] - M[0][3] * M[1][1]));
	Result.M[2][3] = -RDet *
		(M[0][0] * (M[1][1] * M[2][3] - M[1][3] * M[2][1]) - M[1][0] * (M[0][1] * M[2][3] - M[0][3] * M[2][1]) +
			M[2][0] * (M[0][1] * M[1][3] - M[0][3] * M[1][1]));
	Result.M[3][0] = -RDet *
		(M[1][0] * (M[2][1] * M[3][2] - M[2][2] * M[3][1]) - M[2][0] * (M[1][1] * M[3][2] - M[1][2] * M[3][1]) +
			M[3][0] * (M[1][1] * M[2][2] - M[1][2] * M[2][1]));
	Result.M[3][1] = RDet *
		(M[0][0] * (M[2][1] * M[3][2] - M[2][2] * M[3][1]) - M[2][0] * (M[0][1] * M[3][2] - M[0][2] * M[3][1]) +
			M[3][0] * (M[0][1] * M[2][2] - M[0][2] * M[2][1]));
	Result.M[3][2] = -RDet *
		(M[0][0] * (M[1][1] * M[3][2] - M[1][2] * M[3][1]) - M[1][0] * (M[0][1] * M[3][2] - M[0][2] * M[3][1]) +
			M[3][0] * (M[0][1] * M[1][2] - M[0][2] * M[1][1]));
	Result.M[3][3] = RDet *
		(M[0][0] * (M[1][1] * M[2][2] - M[1][2] * M[2][1]) - M[1][0] * (M[0][1] * M[2][2] - M[0][2] * M[2][1]) +
			M[2][0] * (M[0][1] * M[1][2] - M[0][2] * M[1][1]));
	return Result;
}

template <typename T> TMatrix<T> TMatrix<T>::InverseNoScale() const
{
	TMatrix<T> Result(TPlane<T>(M[0][0], M[1][0], M[2][0], 0), TPlane<T>(M[0][1], M[1][1], M[2][1], 0),
		TPlane<T>(M[0][2], M[1][2], M[2][2], 0), TPlane<T>(0, 0, 0, 1));
	return TMatrix<T>(TPlane<T>(1, 0, 0, 0), TPlane<T>(0, 1, 0, 0), TPlane<T>(0, 0, 1, 0),
			   TPlane<T>(-M[3][0], -M[3][1], -M[3][2], 1)) *
		Result;
}
} // namespace UE::Math

#include "Math/Quat.h"
#include "Math/RotationMatrix.h"

namespace UE::Math
{
template <typename T> FORCEINLINE TQuat<T> TMatrix<T>::ToQuat() const
{
	return TQuat<T>(*this);
}

// Pitch and yaw from the X axis, then roll from the Y and Z axes against those of a roll-free frame.
template <typename T> TRotator<T> TMatrix<T>::Rotator() const
{
	const TVector<T> XAxis = GetScaledAxis(EAxis::X);
	const TVector<T> YAxis = GetScaledAxis(EAxis::Y);
	const TVector<T> ZAxis = GetScaledAxis(EAxis::Z);
	const T RadToDeg = (T)(180.0 / UE_DOUBLE_PI);

	TRotator<T> Rotator(FMath::Atan2(XAxis.Z, FMath::Sqrt(FMath::Square(XAxis.X) + FMath::Square(XAxis.Y))) * RadToDeg,
		FMath::Atan2(XAxis.Y, XAxis.X) * RadToDeg, (T)0);

	const TVector<T> SYAxis = TRotationMatrix<T>(Rotator).GetScaledAxis(EAxis::Y);
	Rotator.Roll = FMath::Atan2(ZAxis | SYAxis, YAxis | SYAxis) * RadToDeg;
	return Rotator;
}
} // namespace UE::Math
