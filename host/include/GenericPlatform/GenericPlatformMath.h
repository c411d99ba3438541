// FGenericPlatformMath: the engine's portable scalar math helpers (rounding, trigonometry, Min/Max, Atan2).
#pragma once

#include "CoreTypes.h"

#include <cmath>
#include <type_traits>

struct FGenericPlatformMath
{
	// Truncation and rounding. Float arguments give 32-bit results, double arguments 64-bit ones.
	static constexpr FORCEINLINE int32 TruncToInt32(float F) { return (int32)F; }
	static constexpr FORCEINLINE int32 TruncToInt32(double F) { return (int32)F; }
	static constexpr FORCEINLINE int64 TruncToInt64(double F) { return (int64)F; }
	static constexpr FORCEINLINE int32 TruncToInt(float F) { return TruncToInt32(F); }
	static constexpr FORCEINLINE int64 TruncToInt(double F) { return TruncToInt64(F); }
	static FORCEINLINE float TruncToFloat(float F) { return std::trunc(F); }
	static FORCEINLINE double TruncToDouble(double F) { return std::trunc(F); }
	static FORCEINLINE double TruncToFloat(double F) { return TruncToDouble(F); }

	static FORCEINLINE int32 FloorToInt32(float F) { return (int32)std::floor(F); }
	static FORCEINLINE int32 FloorToInt32(double F) { return (int32)std::floor(F); }
	static FORCEINLINE int64 FloorToInt64(double F) { return (int64)std::floor(F); }
	static FORCEINLINE int32 FloorToInt(float F) { return FloorToInt32(F); }
	static FORCEINLINE int64 FloorToInt(double F) { return FloorToInt64(F); }
	static FORCEINLINE float FloorToFloat(float F) { return std::floor(F); }
	static FORCEINLINE double FloorToDouble(double F) { return std::floor(F); }
	static FORCEINLINE double FloorToFloat(double F) { return FloorToDouble(F); }

	static FORCEINLINE int32 RoundToInt32(float F) { return FloorToInt32(F + 0.5f); }
	static FORCEINLINE int32 RoundToInt32(double F) { return FloorToInt32(F + 0.5); }
	static FORCEINLINE int64 RoundToInt64(double F) { return FloorToInt64(F + 0.5); }
	static FORCEINLINE int32 RoundToInt(float F) { return RoundToInt32(F); }
	static FORCEINLINE int64 RoundToInt(double F) { return RoundToInt64(F); }
	static FORCEINLINE float RoundToFloat(float F) { return FloorToFloat(F + 0.5f); }
	static FORCEINLINE double RoundToDouble(double F) { return FloorToDouble(F + 0.5); }
	static FORCEINLINE double RoundToFloat(double F) { return RoundToDouble(F); }

	static FORCEINLINE int32 CeilToInt32(float F) { return (int32)std::ceil(F); }
	static FORCEINLINE int32 CeilToInt32(double F) { return (int32)std::ceil(F); }
	static FORCEINLINE int64 CeilToInt64(double F) { return (int64)std::ceil(F); }
	static FORCEINLINE int32 CeilToInt(float F) { return CeilToInt32(F); }
	static FORCEINLINE int64 CeilToInt(double F) { return CeilToInt64(F); }
	static FORCEINLINE float CeilToFloat(float F) { return std::ceil(F); }
	static FORCEINLINE double CeilToDouble(double F) { return std::ceil(F); }
	static FORCEINLINE double CeilToFloat(double F) { return CeilToDouble(F); }

	// Fractional part with the sign of the value (-1.25 gives -0.25); Frac is always in [0, 1).
	static FORCEINLINE float Fractional(float Value) { return Value - TruncToFloat(Value); }
	static FORCEINLINE double Fractional(double Value) { return Value - TruncToDouble(Value); }
	static FORCEINLINE float Frac(float Value) { return Value - FloorToFloat(Value); }
	static FORCEINLINE double Frac(double Value) { return Value - FloorToDouble(Value); }
	static FORCEINLINE float Modf(const float InValue, float* OutIntPart) { return std::modf(InValue, OutIntPart); }
	static FORCEINLINE double Modf(const double InValue, double* OutIntPart) { return std::modf(InValue, OutIntPart); }

	// Exponentials and logarithms.
	static FORCEINLINE float Exp(float Value) { return std::exp(Value); }
	static FORCEINLINE double Exp(double Value) { return std::exp(Value); }
	static FORCEINLINE float Exp2(float Value) { return std::exp2(Value); }
	static FORCEINLINE double Exp2(double Value) { return std::exp2(Value); }
	static FORCEINLINE float Loge(float Value) { return std::log(Value); }
	static FORCEINLINE double Loge(double Value) { return std::log(Value); }
	static FORCEINLINE float LogX(float Base, float Value) { return Loge(Value) / Loge(Base); }
	static FORCEINLINE double LogX(double Base, double Value) { return Loge(Value) / Loge(Base); }
	static FORCEINLINE float Log2(float Value) { return Loge(Value) * 1.4426950f; }
	static FORCEINLINE double Log2(double Value) { return Loge(Value) * 1.4426950408889634; }
	static FORCEINLINE float Pow(float A, float B) { return std::pow(A, B); }
	static FORCEINLINE double Pow(double A, double B) { return std::pow(A, B); }

	// Remainder of X / Y with the sign of X; a divisor too small to be meaningful gives 0.
	static FORCEINLINE float Fmod(float X, float Y)
	{
		if (std::fabs(Y) <= 1.e-8f)
		{
			return 0.f;
		}
		return std::fmod(X, Y);
	}
	static FORCEINLINE double Fmod(double X, double Y)
	{
		if (std::fabs(Y) <= 1.e-8)
		{
			return 0.0;
		}
		return std::fmod(X, Y);
	}

	// Trigonometry from the C library. Asin and Acos clamp their argument to [-1, 1] first (a NaN becomes 1).
	static FORCEINLINE float Sin(float Value) { return std::sin(Value); }
	static FORCEINLINE double Sin(double Value) { return std::sin(Value); }
	static FORCEINLINE float Cos(float Value) { return std::cos(Value); }
	static FORCEINLINE double Cos(double Value) { return std::cos(Value); }
	static FORCEINLINE float Tan(float Value) { return std::tan(Value); }
	static FORCEINLINE double Tan(double Value) { return std::tan(Value); }
	static FORCEINLINE float Asin(float Value)
	{
		return std::asin((Value < -1.f) ? -1.f : ((Value < 1.f) ? Value : 1.f));
	}
	static FORCEINLINE double Asin(double Value)
	{
		return std::asin((Value < -1.0) ? -1.0 : ((Value < 1.0) ? Value : 1.0));
	}
	static FORCEINLINE float Acos(float Value)
	{
		return std::acos((Value < -1.f) ? -1.f : ((Value < 1.f) ? Value : 1.f));
	}
	static FORCEINLINE double Acos(double Value)
	{
		return std::acos((Value < -1.0) ? -1.0 : ((Value < 1.0) ? Value : 1.0));
	}
	static FORCEINLINE float Atan(float Value) { return std::atan(Value); }
	static FORCEINLINE double Atan(double Value) { return std::atan(Value); }
	static FORCEINLINE float Sinh(float Value) { return std::sinh(Value); }
	static FORCEINLINE double Sinh(double Value) { return std::sinh(Value); }

	// Angle of (X, Y) in radians, in [-pi, pi]. The engine's own polynomial approximation (out of line).
	static CORE_API float Atan2(float Y, float X);
	static CORE_API double Atan2(double Y, double X);

	// Roots.
	static FORCEINLINE float Sqrt(float Value) { return std::sqrt(Value); }
	static FORCEINLINE double Sqrt(double Value) { return std::sqrt(Value); }
	static FORCEINLINE float InvSqrt(float Value) { return 1.0f / std::sqrt(Value); }
	static FORCEINLINE double InvSqrt(double Value) { return 1.0 / std::sqrt(Value); }
	static FORCEINLINE float InvSqrtEst(float Value) { return InvSqrt(Value); }
	static FORCEINLINE double InvSqrtEst(double Value) { return InvSqrt(Value); }

	// Classification.
	static FORCEINLINE bool IsNaN(float A) { return std::isnan(A); }
	static FORCEINLINE bool IsNaN(double A) { return std::isnan(A); }
	static FORCEINLINE bool IsFinite(float A) { return std::isfinite(A); }
	static FORCEINLINE bool IsFinite(double A) { return std::isfinite(A); }
	static FORCEINLINE bool IsNegativeOrNegativeZero(float A) { return std::signbit(A); }
	static FORCEINLINE bool IsNegativeOrNegativeZero(double A) { return std::signbit(A); }

	// Comparand >= 0 selects the first value, otherwise the second (branch-free in the engine).
	static constexpr FORCEINLINE float FloatSelect(float Comparand, float ValueGEZero, float ValueLTZero)
	{
		return Comparand >= 0.f ? ValueGEZero : ValueLTZero;
	}
	static constexpr FORCEINLINE double FloatSelect(double Comparand, double ValueGEZero, double ValueLTZero)
	{
		return Comparand >= 0.0 ? ValueGEZero : ValueLTZero;
	}

	// Magnitude, sign and ordering. Min and Max keep their exact comparison forms: a NaN first argument
	// yields the second argument.
	template <class T> static constexpr FORCEINLINE T Abs(const T A) { return (A < (T)0) ? -A : A; }
	template <class T> static constexpr FORCEINLINE T Sign(const T A)
	{
		return (A > (T)0) ? (T)1 : ((A < (T)0) ? (T)-1 : (T)0);
	}
	template <class T> static constexpr FORCEINLINE T Max(const T A, const T B) { return (B < A) ? A : B; }
	template <class T> static constexpr FORCEINLINE T Min(const T A, const T B) { return (A < B) ? A : B; }

	// Mixed float/double (or floating/integer) arguments resolve to the wider type, as in the engine.
	template <typename A, typename B>
	static constexpr bool bIsMixedFloatPair = !std::is_same_v<A, B> && std::is_arithmetic_v<A> &&
		std::is_arithmetic_v<B> && (std::is_floating_point_v<A> || std::is_floating_point_v<B>);

	template <typename A, typename B, std::enable_if_t<bIsMixedFloatPair<A, B>, int> = 0>
	static constexpr FORCEINLINE auto Max(const A X, const B Y) -> decltype(X * Y)
	{
		using FArg = decltype(X * Y);
		return Max<FArg>((FArg)X, (FArg)Y);
	}
	template <typename A, typename B, std::enable_if_t<bIsMixedFloatPair<A, B>, int> = 0>
	static constexpr FORCEINLINE auto Min(const A X, const B Y) -> decltype(X * Y)
	{
		using FArg = decltype(X * Y);
		return Min<FArg>((FArg)X, (FArg)Y);
	}
	template <typename A, typename B, std::enable_if_t<bIsMixedFloatPair<A, B>, int> = 0>
	static FORCEINLINE auto Atan2(const A Y, const B X) -> decltype(Y * X)
	{
		using FArg = decltype(Y * X);
		return Atan2((FArg)Y, (FArg)X);
	}
	template <typename A, typename B, std::enable_if_t<bIsMixedFloatPair<A, B>, int> = 0>
	static FORCEINLINE auto Fmod(const A X, const B Y) -> decltype(X * Y)
	{
		using FArg = decltype(X * Y);
		return Fmod((FArg)X, (FArg)Y);
	}
	template <typename A, typename B, std::enable_if_t<bIsMixedFloatPair<A, B>, int> = 0>
	static FORCEINLINE auto Pow(const A X, const B Y) -> decltype(X * Y)
	{
		using FArg = decltype(X * Y);
		return Pow((FArg)X, (FArg)Y);
	}
};

template <> FORCEINLINE float FGenericPlatformMath::Abs(const float A)
{
	return std::fabs(A);
}
template <> FORCEINLINE double FGenericPlatformMath::Abs(const double A)
{
	return std::fabs(A);
}
