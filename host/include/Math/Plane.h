// TPlane<T> (FPlane): a plane as a unit normal (X, Y, Z) and W, the points P with P | Normal == W.
// Matrices are also built from four planes, one per row.
#pragma once

#include "CoreTypes.h"
#include "Math/MathFwd.h"
#include "Math/Vector.h"
#include "Math/Vector4.h"

namespace UE::Math
{
template <typename T> struct TPlane : public TVector<T>
{
	using FReal = T;
	using TVector<T>::X;
	using TVector<T>::Y;
	using TVector<T>::Z;

	T W;

	TPlane() = default;
	constexpr FORCEINLINE TPlane(T InX, T InY, T InZ, T InW) : TVector<T>(InX, InY, InZ), W(InW) {}
	constexpr FORCEINLINE TPlane(const TVector4<T>& V) : TVector<T>(V.X, V.Y, V.Z), W(V.W) {}
	constexpr FORCEINLINE TPlane(TVector<T> InNormal, T InW) : TVector<T>(InNormal), W(InW) {}
	FORCEINLINE TPlane(TVector<T> InBase, const TVector<T>& InNormal) : TVector<T>(InNormal), W(InBase | InNormal) {}
	// Through three points, normal (B - A) ^ (C - A).
	FORCEINLINE TPlane(TVector<T> A, TVector<T> B, TVector<T> C) : TVector<T>(((B - A) ^ (C - A)).GetSafeNormal()), W(0)
	{
		W = A | GetNormal();
	}
	explicit constexpr FORCEINLINE TPlane(EForceInit) : TVector<T>(ForceInit), W(0) {}
	explicit FORCEINLINE TPlane(ENoInit) : TVector<T>(NoInit) {}

	template <typename FArg, std::enable_if_t<!std::is_same_v<T, FArg>, int> = 0>
	explicit constexpr FORCEINLINE TPlane(const TPlane<FArg>& From)
		: TVector<T>((T)From.X, (T)From.Y, (T)From.Z), W((T)From.W)
	{
	}

	// Signed distance of P above the plane.
	FORCEINLINE T PlaneDot(const TVector<T>& P) const { return X * P.X + Y * P.Y + Z * P.Z - W; }
	FORCEINLINE TVector<T> GetNormal() const { return TVector<T>(X, Y, Z); }
	FORCEINLINE TVector<T> GetOrigin() const { return GetNormal() * W; }

	FORCEINLINE bool operator==(const TPlane<T>& V) const { return X == V.X && Y == V.Y && Z == V.Z && W == V.W; }
	FORCEINLINE bool operator!=(const TPlane<T>& V) const { return !(*this == V); }
	FORCEINLINE bool Equals(const TPlane<T>& V, T Tolerance = UE_KINDA_SMALL_NUMBER) const
	{
		return FMath::Abs(X - V.X) <= Tolerance && FMath::Abs(Y - V.Y) <= Tolerance &&
			FMath::Abs(Z - V.Z) <= Tolerance && FMath::Abs(W - V.W) <= Tolerance;
	}
};
} // namespace UE::Math
