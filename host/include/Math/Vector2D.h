// TVector2<T> (FVector2D): a 2D vector of the engine's math.
#pragma once

#include "CoreTypes.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"

#include <type_traits>

namespace UE::Math
{
template <typename T> struct TVector2
{
	static_assert(std::is_floating_point_v<T>, "TVector2 only supports float and double.");

	using FReal = T;

	T X;
	T Y;

	static const TVector2<T> ZeroVector;
	static const TVector2<T> UnitVector;
	static const TVector2<T> Unit45Deg;

	TVector2() = default;
	constexpr FORCEINLINE TVector2(T InX, T InY) : X(InX), Y(InY) {}
	explicit constexpr FORCEINLINE TVector2(T InF) : X(InF), Y(InF) {}
	explicit constexpr FORCEINLINE TVector2(EForceInit) : X(0), Y(0) {}
	explicit FORCEINLINE TVector2(ENoInit) {}
	explicit FORCEINLINE TVector2(const TVector<T>& V);

	template <typename FArg, std::enable_if_t<!std::is_same_v<T, FArg>, int> = 0>
	explicit constexpr FORCEINLINE TVector2(const TVector2<FArg>& From) : X((T)From.X), Y((T)From.Y)
	{
	}

	FORCEINLINE TVector2<T> operator+(const TVector2<T>& V) const { return TVector2<T>(X + V.X, Y + V.Y); }
	FORCEINLINE TVector2<T> operator-(const TVector2<T>& V) const { return TVector2<T>(X - V.X, Y - V.Y); }
	FORCEINLINE TVector2<T> operator*(const TVector2<T>& V) const { return TVector2<T>(X * V.X, Y * V.Y); }
	FORCEINLINE TVector2<T> operator/(const TVector2<T>& V) const { return TVector2<T>(X / V.X, Y / V.Y); }
	FORCEINLINE TVector2<T> operator-() const { return TVector2<T>(-X, -Y); }
	template <typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
	FORCEINLINE TVector2<T> operator*(FArg Scale) const
	{
		return TVector2<T>(X * (T)Scale, Y * (T)Scale);
	}
	template <typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
	FORCEINLINE TVector2<T> operator/(FArg Scale) const
	{
		const T RScale = T(1) / (T)Scale;
		return TVector2<T>(X * RScale, Y * RScale);
	}
	template <typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
	FORCEINLINE TVector2<T> operator+(FArg A) const
	{
		return TVector2<T>(X + (T)A, Y + (T)A);
	}
	template <typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
	FORCEINLINE TVector2<T> operator-(FArg A) const
	{
		return TVector2<T>(X - (T)A, Y - (T)A);
	}
	FORCEINLINE TVector2<T>& operator+=(const TVector2<T>& V)
	{
		X += V.X;
		Y += V.Y;
		return *this;
	}
	FORCEINLINE TVector2<T>& operator-=(const TVector2<T>& V)
	{
		X -= V.X;
		Y -= V.Y;
		return *this;
	}
	FORCEINLINE TVector2<T>& operator*=(const TVector2<T>& V)
	{
		X *= V.X;
		Y *= V.Y;
		return *this;
	}
	FORCEINLINE TVector2<T>& operator/=(const TVector2<T>& V)
	{
		X /= V.X;
		Y /= V.Y;
		return *this;
	}
	template <typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
	FORCEINLINE TVector2<T>& operator*=(FArg Scale)
	{
		X *= (T)Scale;
		Y *= (T)Scale;
		return *this;
	}
	template <typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
	FORCEINLINE TVector2<T>& operator/=(FArg Scale)
	{
		const T RV = T(1) / (T)Scale;
		X *= RV;
		Y *= RV;
		return *this;
	}

	// Dot product, and the 2D cross product (the Z of the 3D cross product).
	FORCEINLINE T operator|(const TVector2<T>& V) const { return X * V.X + Y * V.Y; }
	FORCEINLINE T operator^(const TVector2<T>& V) const { return X * V.Y - Y * V.X; }
	static FORCEINLINE T DotProduct(const TVector2<T>& A, const TVector2<T>& B) { return A | B; }
	static FORCEINLINE T CrossProduct(const TVector2<T>& A, const TVector2<T>& B) { return A ^ B; }
	FORCEINLINE T Dot(const TVector2<T>& V) const { return *this | V; }
	FORCEINLINE T Cross(const TVector2<T>& V) const { return *this ^ V; }

	FORCEINLINE bool operator==(const TVector2<T>& V) const { return X == V.X && Y == V.Y; }
	FORCEINLINE bool operator!=(const TVector2<T>& V) const { return X != V.X || Y != V.Y; }
	FORCEINLINE bool Equals(const TVector2<T>& V, T Tolerance = UE_KINDA_SMALL_NUMBER) const
	{
		return FMath::Abs(X - V.X) <= Tolerance && FMath::Abs(Y - V.Y) <= Tolerance;
	}

	FORCEINLINE T& operator[](int32 Index) { return Index == 0 ? X : Y; }
	FORCEINLINE T operator[](int32 Index) const { return Index == 0 ? X : Y; }
	FORCEINLINE T& Component(int32 Index) { return (*this)[Index]; }
	FORCEINLINE T Component(int32 Index) const { return (*this)[Index]; }
	FORCEINLINE void Set(T InX, T InY)
	{
		X = InX;
		Y = InY;
	}

	FORCEINLINE T GetMax() const { return FMath::Max(X, Y); }
	FORCEINLINE T GetAbsMax() const { return FMath::Max(FMath::Abs(X), FMath::Abs(Y)); }
	FORCEINLINE T GetMin() const { return FMath::Min(X, Y); }
	FORCEINLINE TVector2<T> GetAbs() const { return TVector2<T>(FMath::Abs(X), FMath::Abs(Y)); }

	FORCEINLINE T SizeSquared() const { return X * X + Y * Y; }
	FORCEINLINE T Size() const { return FMath::Sqrt(SizeSquared()); }
	FORCEINLINE T SquaredLength() const { return SizeSquared(); }
	FORCEINLINE T Length() const { return Size(); }
	static FORCEINLINE T DistSquared(const TVector2<T>& V1, const TVector2<T>& V2)
	{
		return FMath::Square(V2.X - V1.X) + FMath::Square(V2.Y - V1.Y);
	}
	static FORCEINLINE T Distance(const TVector2<T>& V1, const TVector2<T>& V2)
	{
		return FMath::Sqrt(DistSquared(V1, V2));
	}

	FORCEINLINE bool IsNearlyZero(T Tolerance = UE_KINDA_SMALL_NUMBER) const
	{
		return FMath::Abs(X) <= Tolerance && FMath::Abs(Y) <= Tolerance;
	}
	FORCEINLINE bool IsZero() const { return X == 0 && Y == 0; }

	// Unit vector: the vector itself when its squared length is exactly 1, zero below Tolerance.
	FORCEINLINE TVector2<T> GetSafeNormal(T Tolerance = UE_SMALL_NUMBER) const
	{
		const T SquareSum = SizeSquared();
		if (SquareSum == (T)1)
		{
			return *this;
		}
		else if (SquareSum < Tolerance)
		{
			return TVector2<T>(0, 0);
		}
		const T Scale = FMath::InvSqrt(SquareSum);
		return TVector2<T>(X * Scale, Y * Scale);
	}
	FORCEINLINE void Normalize(T Tolerance = UE_SMALL_NUMBER)
	{
		const T SquareSum = SizeSquared();
		if (SquareSum > Tolerance)
		{
			const T Scale = FMath::InvSqrt(SquareSum);
			X *= Scale;
			Y *= Scale;
			return;
		}
		X = 0;
		Y = 0;
	}
	FORCEINLINE TVector2<T> GetRotated(T AngleDeg) const
	{
		T S, C;
		FMath::SinCos(&S, &C, FMath::DegreesToRadians(AngleDeg));
		return TVector2<T>(C * X - S * Y, S * X + C * Y);
	}
	FORCEINLINE bool ContainsNaN() const { return !FMath::IsFinite(X) || !FMath::IsFinite(Y); }
};

template <typename T, typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
FORCEINLINE TVector2<T> operator*(FArg Scale, const TVector2<T>& V)
{
	return V.operator*(Scale);
}

template <typename T> inline constinit const TVector2<T> TVector2<T>::ZeroVector(0, 0);
template <typename T> inline constinit const TVector2<T> TVector2<T>::UnitVector(1, 1);
template <typename T> inline constinit const TVector2<T> TVector2<T>::Unit45Deg((T)UE_INV_SQRT_2, (T)UE_INV_SQRT_2);
} // namespace UE::Math

#include "Math/Vector.h"

namespace UE::Math
{
template <typename T> FORCEINLINE TVector2<T>::TVector2(const TVector<T>& V) : X(V.X), Y(V.Y) {}
} // namespace UE::Math
