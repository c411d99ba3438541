// TVector4<T> (FVector4): a four-component vector of the engine's math.
#pragma once

#include "CoreTypes.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"
#include "Math/Vector.h"

#include <type_traits>

namespace UE::Math
{
template <typename T> struct TVector4
{
	static_assert(std::is_floating_point_v<T>, "TVector4 only supports float and double.");

	using FReal = T;

	T X;
	T Y;
	T Z;
	T W;

	explicit constexpr FORCEINLINE TVector4(T InX = 0, T InY = 0, T InZ = 0, T InW = 1) : X(InX), Y(InY), Z(InZ), W(InW)
	{
	}
	// From a 3D vector: W is 1 unless given.
	constexpr FORCEINLINE TVector4(const TVector<T>& InVector) : X(InVector.X), Y(InVector.Y), Z(InVector.Z), W(1) {}
	constexpr FORCEINLINE TVector4(const TVector<T>& InVector, T InW)
		: X(InVector.X), Y(InVector.Y), Z(InVector.Z), W(InW)
	{
	}
	constexpr FORCEINLINE TVector4(TVector2<T> InXY, TVector2<T> InZW) : X(InXY.X), Y(InXY.Y), Z(InZW.X), W(InZW.Y) {}
	explicit constexpr FORCEINLINE TVector4(EForceInit) : X(0), Y(0), Z(0), W(0) {}
	explicit FORCEINLINE TVector4(ENoInit) {}

	template <typename FArg, std::enable_if_t<!std::is_same_v<T, FArg>, int> = 0>
	explicit constexpr FORCEINLINE TVector4(const TVector4<FArg>& From)
		: X((T)From.X), Y((T)From.Y), Z((T)From.Z), W((T)From.W)
	{
	}

	FORCEINLINE T& operator[](int32 Index) { return Index == 0 ? X : (Index == 1 ? Y : (Index == 2 ? Z : W)); }
	FORCEINLINE T operator[](int32 Index) const { return Index == 0 ? X : (Index == 1 ? Y : (Index == 2 ? Z : W)); }
	FORCEINLINE T& Component(int32 Index) { return (*this)[Index]; }
	FORCEINLINE T Component(int32 Index) const { return (*this)[Index]; }
	FORCEINLINE void Set(T InX, T InY, T InZ, T InW)
	{
		X = InX;
		Y = InY;
		Z = InZ;
		W = InW;
	}

	FORCEINLINE TVector4<T> operator-() const { return TVector4<T>(-X, -Y, -Z, -W); }
	FORCEINLINE TVector4<T> operator+(const TVector4<T>& V) const
	{
		return TVector4<T>(X + V.X, Y + V.Y, Z + V.Z, W + V.W);
	}
	FORCEINLINE TVector4<T> operator-(const TVector4<T>& V) const
	{
		return TVector4<T>(X - V.X, Y - V.Y, Z - V.Z, W - V.W);
	}
	FORCEINLINE TVector4<T> operator*(const TVector4<T>& V) const
	{
		return TVector4<T>(X * V.X, Y * V.Y, Z * V.Z, W * V.W);
	}
	FORCEINLINE TVector4<T> operator/(const TVector4<T>& V) const
	{
		return TVector4<T>(X / V.X, Y / V.Y, Z / V.Z, W / V.W);
	}
	template <typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
	FORCEINLINE TVector4<T> operator*(FArg Scale) const
	{
		return TVector4<T>(X * (T)Scale, Y * (T)Scale, Z * (T)Scale, W * (T)Scale);
	}
	template <typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
	FORCEINLINE TVector4<T> operator/(FArg Scale) const
	{
		const T RScale = T(1) / (T)Scale;
		return TVector4<T>(X * RScale, Y * RScale, Z * RScale, W * RScale);
	}
	FORCEINLINE TVector4<T>& operator+=(const TVector4<T>& V)
	{
		X += V.X;
		Y += V.Y;
		Z += V.Z;
		W += V.W;
		return *this;
	}
	FORCEINLINE TVector4<T>& operator-=(const TVector4<T>& V)
	{
		X -= V.X;
		Y -= V.Y;
		Z -= V.Z;
		W -= V.W;
		return *this;
	}
	template <typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
	FORCEINLINE TVector4<T>& operator*=(FArg Scale)
	{
		X *= (T)Scale;
		Y *= (T)Scale;
		Z *= (T)Scale;
		W *= (T)Scale;
		return *this;
	}
	// 3D cross product of XYZ; W of the result is 0.
	FORCEINLINE TVector4<T> operator^(const TVector4<T>& V) const
	{
		return TVector4<T>(Y * V.Z - Z * V.Y, Z * V.X - X * V.Z, X * V.Y - Y * V.X, 0);
	}

	FORCEINLINE bool operator==(const TVector4<T>& V) const { return X == V.X && Y == V.Y && Z == V.Z && W == V.W; }
	FORCEINLINE bool operator!=(const TVector4<T>& V) const { return !(*this == V); }
	FORCEINLINE bool Equals(const TVector4<T>& V, T Tolerance = UE_KINDA_SMALL_NUMBER) const
	{
		return FMath::Abs(X - V.X) <= Tolerance && FMath::Abs(Y - V.Y) <= Tolerance &&
			FMath::Abs(Z - V.Z) <= Tolerance && FMath::Abs(W - V.W) <= Tolerance;
	}

	FORCEINLINE T Size3() const { return FMath::Sqrt(SizeSquared3()); }
	FORCEINLINE T SizeSquared3() const { return X * X + Y * Y + Z * Z; }
	FORCEINLINE T Size() const { return FMath::Sqrt(SizeSquared()); }
	FORCEINLINE T SizeSquared() const { return X * X + Y * Y + Z * Z + W * W; }
	FORCEINLINE bool IsUnit3(T LengthSquaredTolerance = UE_KINDA_SMALL_NUMBER) const
	{
		return FMath::Abs((T)1 - SizeSquared3()) < LengthSquaredTolerance;
	}
	// Normal of XYZ (W becomes 0); zero below Tolerance.
	FORCEINLINE TVector4<T> GetSafeNormal(T Tolerance = UE_SMALL_NUMBER) const
	{
		const T SquareSum = SizeSquared3();
		if (SquareSum > Tolerance)
		{
			const T Scale = FMath::InvSqrt(SquareSum);
			return TVector4<T>(X * Scale, Y * Scale, Z * Scale, 0);
		}
		return TVector4<T>(0, 0, 0, 0);
	}
	FORCEINLINE bool ContainsNaN() const
	{
		return !FMath::IsFinite(X) || !FMath::IsFinite(Y) || !FMath::IsFinite(Z) || !FMath::IsFinite(W);
	}

	static FORCEINLINE T Dot3(const TVector4<T>& V1, const TVector4<T>& V2)
	{
		return V1.X * V2.X + V1.Y * V2.Y + V1.Z * V2.Z;
	}
	static FORCEINLINE T Dot4(const TVector4<T>& V1, const TVector4<T>& V2)
	{
		return V1.X * V2.X + V1.Y * V2.Y + V1.Z * V2.Z + V1.W * V2.W;
	}
};

template <typename T, typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
FORCEINLINE TVector4<T> operator*(FArg Scale, const TVector4<T>& V)
{
	return V.operator*(Scale);
}
} // namespace UE::Math
