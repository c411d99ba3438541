// TScaleRotationTranslationMatrix<T>: the matrix of a 3D scale, then a rotator, then a translation.
#pragma once

#include "CoreTypes.h"
#include "Math/Matrix.h"
#include "Math/RotationTranslationMatrix.h"
#include "Math/Rotator.h"

namespace UE::Math
{
template <typename T> struct TScaleRotationTranslationMatrix : public TMatrix<T>
{
	using TMatrix<T>::M;

	// The rotator's axes, each (row) scaled by its scale component. Quarter turns use exact sines and cosines.
	TScaleRotationTranslationMatrix(const TVector<T>& Scale, const TRotator<T>& Rot, const TVector<T>& Origin)
	{
		T SP, SY, SR;
		T CP, CY, CR;
		GetSinCos(SP, CP, Rot.Pitch);
		GetSinCos(SY, CY, Rot.Yaw);
		GetSinCos(SR, CR, Rot.Roll);
		TRotationTranslationMatrix<T>::SetRotationAndOrigin(*this, SP, CP, SY, CY, SR, CR, Origin);
		for (int32 Axis = 0; Axis < 3; ++Axis)
		{
			M[Axis][0] *= Scale[Axis];
			M[Axis][1] *= Scale[Axis];
			M[Axis][2] *= Scale[Axis];
		}
	}

private:
	static FORCEINLINE void GetSinCos(T& S, T& C, T Degrees)
	{
		if (Degrees == (T)0)
		{
			S = 0;
			C = 1;
		}
		else if (Degrees == (T)90)
		{
			S = 1;
			C = 0;
		}
		else if (Degrees == (T)180)
		{
			S = 0;
			C = -1;
		}
		else if (Degrees == (T)-90)
		{
			S = -1;
			C = 0;
		}
		else
		{
			FMath::SinCos(&S, &C, FMath::DegreesToRadians(Degrees));
		}
	}
};
} // namespace UE::Math
