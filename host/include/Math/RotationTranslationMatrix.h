// TRotationTranslationMatrix<T>: the matrix of a rotator followed by a translation.
#pragma once

#include "CoreTypes.h"
#include "Math/Matrix.h"
#include "Math/Rotator.h"
#include "Math/UnrealMathUtility.h"

namespace UE::Math
{
template <typename T> struct TRotationTranslationMatrix : public TMatrix<T>
{
	using TMatrix<T>::M;

	TRotationTranslationMatrix(const TRotator<T>& Rot, const TVector<T>& Origin)
	{
		T SP, SY, SR;
		T CP, CY, CR;
		FMath::SinCos(&SP, &CP, FMath::DegreesToRadians(Rot.Pitch));
		FMath::SinCos(&SY, &CY, FMath::DegreesToRadians(Rot.Yaw));
		FMath::SinCos(&SR, &CR, FMath::DegreesToRadians(Rot.Roll));
		SetRotationAndOrigin(*this, SP, CP, SY, CY, SR, CR, Origin);
	}

	static TMatrix<T> Make(const TRotator<T>& Rot, const TVector<T>& Origin)
	{
		return TRotationTranslationMatrix<T>(Rot, Origin);
	}

	// Rows 0-2 are the rotated X, Y and Z axes from the sines and cosines of pitch, yaw and roll; row 3 the origin.
	static void SetRotationAndOrigin(TMatrix<T>& Out, T SP, T CP, T SY, T CY, T SR, T CR, const TVector<T>& Origin)
	{
		Out.M[0][0] = CP * CY;
		Out.M[0][1] = CP * SY;
		Out.M[0][2] = SP;
		Out.M[0][3] = 0;

		Out.M[1][0] = SR * SP * CY - CR * SY;
		Out.M[1][1] = SR * SP * SY + CR * CY;
		Out.M[1][2] = -SR * CP;
		Out.M[1][3] = 0;

		Out.M[2][0] = -(CR * SP * CY + SR * SY);
		Out.M[2][1] = CY * SR - CR * SP * SY;
		Out.M[2][2] = CR * CP;
		Out.M[2][3] = 0;

		Out.M[3][0] = Origin.X;
		Out.M[3][1] = Origin.Y;
		Out.M[3][2] = Origin.Z;
		Out.M[3][3] = 1;
	}
};
} // namespace UE::Math
