// TRotationMatrix<T> (FRotationMatrix): the matrix of a rotator, and the frames built from one or two axes.
#pragma once

#include "CoreTypes.h"
#include "Math/Matrix.h"
#include "Math/QuatRotationTranslationMatrix.h"
#include "Math/RotationTranslationMatrix.h"
#include "Math/Rotator.h"

namespace UE::Math
{
template <typename T> struct TRotationMatrix : public TRotationTranslationMatrix<T>
{
	explicit TRotationMatrix(const TRotator<T>& Rot) : TRotationTranslationMatrix<T>(Rot, TVector<T>::ZeroVector) {}

	static TMatrix<T> Make(const TRotator<T>& Rot) { return TRotationMatrix<T>(Rot); }
	static TMatrix<T> Make(const TQuat<T>& Rot)
	{
		return TQuatRotationTranslationMatrix<T>(Rot, TVector<T>::ZeroVector);
	}

	// Frames from one axis: the other two are chosen with world up (+Z), or +X when the axis is nearly vertical.
	static TMatrix<T> MakeFromX(const TVector<T>& XAxis)
	{
		const TVector<T> NewX = XAxis.GetSafeNormal();
		const TVector<T> UpVector = FallbackUp(NewX);
		const TVector<T> NewY = (UpVector ^ NewX).GetSafeNormal();
		const TVector<T> NewZ = NewX ^ NewY;
		return TMatrix<T>(NewX, NewY, NewZ, TVector<T>::ZeroVector);
	}
	static TMatrix<T> MakeFromY(const TVector<T>& YAxis)
	{
		const TVector<T> NewY = YAxis.GetSafeNormal();
		const TVector<T> UpVector = FallbackUp(NewY);
		const TVector<T> NewX = (NewY ^ UpVector).GetSafeNormal();
		const TVector<T> NewZ = NewX ^ NewY;
		return TMatrix<T>(NewX, NewY, NewZ, TVector<T>::ZeroVector);
	}
	static TMatrix<T> MakeFromZ(const TVector<T>& ZAxis)
	{
		const TVector<T> NewZ = ZAxis.GetSafeNormal();
		const TVector<T> UpVector = FallbackUp(NewZ);
		const TVector<T> NewX = (UpVector ^ NewZ).GetSafeNormal();
		const TVector<T> NewY = NewZ ^ NewX;
		return TMatrix<T>(NewX, NewY, NewZ, TVector<T>::ZeroVector);
	}

	// Frames from two axes: the first is kept exactly (normalised), the second only fixes the plane.
	static TMatrix<T> MakeFromXY(const TVector<T>& XAxis, const TVector<T>& YAxis)
	{
		const TVector<T> NewX = XAxis.GetSafeNormal();
		const TVector<T> Norm = SecondaryAxis(NewX, YAxis);
		const TVector<T> NewZ = (NewX ^ Norm).GetSafeNormal();
		const TVector<T> NewY = NewZ ^ NewX;
		return TMatrix<T>(NewX, NewY, NewZ, TVector<T>::ZeroVector);
	}
	static TMatrix<T> MakeFromXZ(const TVector<T>& XAxis, const TVector<T>& ZAxis)
	{
		const TVector<T> NewX = XAxis.GetSafeNormal();
		const TVector<T> Norm = SecondaryAxis(NewX, ZAxis);
		const TVector<T> NewY = (Norm ^ NewX).GetSafeNormal();
		const TVector<T> NewZ = NewX ^ NewY;
		return TMatrix<T>(NewX, NewY, NewZ, TVector<T>::ZeroVector);
	}
	static TMatrix<T> MakeFromYX(const TVector<T>& YAxis, const TVector<T>& XAxis)
	{
		const TVector<T> NewY = YAxis.GetSafeNormal();
		const TVector<T> Norm = SecondaryAxis(NewY, XAxis);
		const TVector<T> NewZ = (Norm ^ NewY).GetSafeNormal();
		const TVector<T> NewX = NewY ^ NewZ;
		return TMatrix<T>(NewX, NewY, NewZ, TVector<T>::ZeroVector);
	}
	static TMatrix<T> MakeFromYZ(const TVector<T>& YAxis, const TVector<T>& ZAxis)
	{
		const TVector<T> NewY = YAxis.GetSafeNormal();
		const TVector<T> Norm = SecondaryAxis(NewY, ZAxis);
		const TVector<T> NewX = (NewY ^ Norm).GetSafeNormal();
		const TVector<T> NewZ = NewX ^ NewY;
		return TMatrix<T>(NewX, NewY, NewZ, TVector<T>::ZeroVector);
	}
	static TMatrix<T> MakeFromZX(const TVector<T>& ZAxis, const TVector<T>& XAxis)
	{
		const TVector<T> NewZ = ZAxis.GetSafeNormal();
		const TVector<T> Norm = SecondaryAxis(NewZ, XAxis);
		const TVector<T> NewY = (NewZ ^ Norm).GetSafeNormal();
		const TVector<T> NewX = NewY ^ NewZ;
		return TMatrix<T>(NewX, NewY, NewZ, TVector<T>::ZeroVector);
	}
	static TMatrix<T> MakeFromZY(const TVector<T>& ZAxis, const TVector<T>& YAxis)
	{
		const TVector<T> NewZ = ZAxis.GetSafeNormal();
		const TVector<T> Norm = SecondaryAxis(NewZ, YAxis);
		const TVector<T> NewX = (Norm ^ NewZ).GetSafeNormal();
		const TVector<T> NewY = NewZ ^ NewX;
		return TMatrix<T>(NewX, NewY, NewZ, TVector<T>::ZeroVector);
	}

private:
	// World up, or +X for an axis within UE_KINDA_SMALL_NUMBER of vertical. The engine takes the bound in single
	// precision, 1.f - 1e-4f (0.99989998...), and compares the double component with it.
	static FORCEINLINE TVector<T> FallbackUp(const TVector<T>& UnitAxis)
	{
		return (FMath::Abs(UnitAxis.Z) < (T)(1.f - UE_KINDA_SMALL_NUMBER)) ? TVector<T>(0, 0, 1) : TVector<T>(1, 0, 0);
	}
	// The normalised second axis, replaced by FallbackUp when it is (nearly) parallel to the first.
	static FORCEINLINE TVector<T> SecondaryAxis(const TVector<T>& UnitFirst, const TVector<T>& Second)
	{
		const TVector<T> Norm = Second.GetSafeNormal();
		if (FMath::IsNearlyEqual(FMath::Abs(UnitFirst | Norm), (T)1))
		{
			return FallbackUp(UnitFirst);
		}
		return Norm;
	}
};
} // namespace UE::Math
