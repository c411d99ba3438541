// TQuatRotationTranslationMatrix<T> and TQuatRotationMatrix<T>: the matrix of a quaternion (and a translation).
#pragma once

#include "CoreTypes.h"
#include "Math/Matrix.h"
#include "Math/Quat.h"

namespace UE::Math
{
template <typename T> struct TQuatRotationTranslationMatrix : public TMatrix<T>
{
	using TMatrix<T>::M;

	// Rows from the quaternion with x2 = X + X, xx = X * x2, xy = X * y2, wz = W * z2 and so on.
	TQuatRotationTranslationMatrix(const TQuat<T>& Q, const TVector<T>& Origin)
	{
		const T X2 = Q.X + Q.X;
		const T Y2 = Q.Y + Q.Y;
		const T Z2 = Q.Z + Q.Z;
		const T XX = Q.X * X2;
		const T XY = Q.X * Y2;
		const T XZ = Q.X * Z2;
		const T YY = Q.Y * Y2;
		const T YZ = Q.Y * Z2;
		const T ZZ = Q.Z * Z2;
		const T WX = Q.W * X2;
		const T WY = Q.W * Y2;
		const T WZ = Q.W * Z2;

		M[0][0] = (T)1 - (YY + ZZ);
		M[1][0] = XY - WZ;
		M[2][0] = XZ + WY;
		M[3][0] = Origin.X;
		M[0][1] = XY + WZ;
		M[1][1] = (T)1 - (XX + ZZ);
		M[2][1] = YZ - WX;
		M[3][1] = Origin.Y;
		M[0][2] = XZ - WY;
		M[1][2] = YZ + WX;
		M[2][2] = (T)1 - (XX + YY);
		M[3][2] = Origin.Z;
		M[0][3] = 0;
		M[1][3] = 0;
		M[2][3] = 0;
		M[3][3] = 1;
	}

	static TMatrix<T> Make(const TQuat<T>& Q, const TVector<T>& Origin)
	{
		return TQuatRotationTranslationMatrix<T>(Q, Origin);
	}
};

template <typename T> struct TQuatRotationMatrix : public TQuatRotationTranslationMatrix<T>
{
	explicit TQuatRotationMatrix(const TQuat<T>& Q) : TQuatRotationTranslationMatrix<T>(Q, TVector<T>::ZeroVector) {}

	static TMatrix<T> Make(const TQuat<T>& Q) { return TQuatRotationMatrix<T>(Q); }
};
} // namespace UE::Math
