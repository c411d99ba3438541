// FMath, the engine's math helpers on top of the platform math, and the engine's math constants.
// Single-precision constants are float literals on purpose: used in double code they widen to the exact
// values the engine computes with (1.e-8f becomes 9.99999993922529e-09, not 1e-8).
#pragma once

#include "CoreTypes.h"
#include "HAL/PlatformMath.h"
#include "Math/MathFwd.h"

#include <type_traits>

#define UE_PI (3.1415926535897932f)
#define UE_SMALL_NUMBER (1.e-8f)
#define UE_KINDA_SMALL_NUMBER (1.e-4f)
#define UE_BIG_NUMBER (3.4e+38f)
#define UE_EULERS_NUMBER (2.71828182845904523536f)
#define UE_GOLDEN_RATIO (1.6180339887498948482045868343656381f)
#define UE_FLOAT_NON_FRACTIONAL (8388608.f)

#define UE_DOUBLE_PI (3.141592653589793238462643383279502884197169399)
#define UE_DOUBLE_SMALL_NUMBER (1.e-8)
#define UE_DOUBLE_KINDA_SMALL_NUMBER (1.e-4)
#define UE_DOUBLE_BIG_NUMBER (3.4e+38)
#define UE_DOUBLE_EULERS_NUMBER (2.7182818284590452353602874713526624977572)
#define UE_DOUBLE_GOLDEN_RATIO (1.6180339887498948482045868343656381)
#define UE_DOUBLE_NON_FRACTIONAL (4503599627370496.0)

#define UE_MAX_FLT (3.402823466e+38F)

#define UE_INV_PI (0.31830988618f)
#define UE_HALF_PI (1.57079632679f)
#define UE_TWO_PI (6.28318530717f)
#define UE_PI_SQUARED (9.86960440108f)

#define UE_DOUBLE_INV_PI (0.31830988618379067154)
#define UE_DOUBLE_HALF_PI (1.57079632679489661923)
#define UE_DOUBLE_TWO_PI (6.28318530717958647692)
#define UE_DOUBLE_PI_SQUARED (9.86960440108935861883)

#define UE_SQRT_2 (1.4142135623730950488016887242097f)
#define UE_SQRT_3 (1.7320508075688772935274463415059f)
#define UE_INV_SQRT_2 (0.70710678118654752440084436210485f)
#define UE_INV_SQRT_3 (0.57735026918962576450914878050196f)
#define UE_HALF_SQRT_2 (0.70710678118654752440084436210485f)
#define UE_HALF_SQRT_3 (0.86602540378443864676372317075294f)

#define UE_DOUBLE_SQRT_2 (1.4142135623730950488016887242097)
#define UE_DOUBLE_SQRT_3 (1.7320508075688772935274463415059)
#define UE_DOUBLE_INV_SQRT_2 (0.70710678118654752440084436210485)
#define UE_DOUBLE_HALF_SQRT_2 (0.70710678118654752440084436210485)

#define UE_DELTA (0.00001f)
#define UE_DOUBLE_DELTA (0.00001)

#define UE_FLOAT_NORMAL_THRESH (0.0001f)
#define UE_DOUBLE_NORMAL_THRESH (0.0001)

#define UE_THRESH_POINT_ON_PLANE (0.10f)
#define UE_THRESH_POINT_ON_SIDE (0.20f)
#define UE_THRESH_POINTS_ARE_SAME (0.00002f)
#define UE_THRESH_POINTS_ARE_NEAR (0.015f)
#define UE_THRESH_NORMALS_ARE_SAME (0.00002f)
#define UE_THRESH_UVS_ARE_SAME (0.0009765625f)
#define UE_THRESH_VECTORS_ARE_NEAR (0.0004f)
#define UE_THRESH_SPLIT_POLY_WITH_PLANE (0.25f)
#define UE_THRESH_SPLIT_POLY_PRECISELY (0.01f)
#define UE_THRESH_ZERO_NORM_SQUARED (0.0001f)
#define UE_THRESH_NORMALS_ARE_PARALLEL (0.999845f)
#define UE_THRESH_NORMALS_ARE_ORTHOGONAL (0.017455f)
#define UE_THRESH_VECTOR_NORMALIZED (0.01f)
#define UE_THRESH_QUAT_NORMALIZED (0.01f)

#define UE_DOUBLE_THRESH_POINT_ON_PLANE (0.10)
#define UE_DOUBLE_THRESH_VECTOR_NORMALIZED (0.01)
#define UE_DOUBLE_THRESH_QUAT_NORMALIZED (0.01)

// Animation weights at or below this count as zero (and at or above 1 minus this as full).
#define ZERO_ANIMWEIGHT_THRESH (0.00001f)

struct FMath : public FPlatformMath
{
	using FPlatformMath::Max;
	using FPlatformMath::Min;

	template <class T> static constexpr FORCEINLINE T Max3(const T A, const T B, const T C)
	{
		return Max(Max(A, B), C);
	}
	template <class T> static constexpr FORCEINLINE T Min3(const T A, const T B, const T C)
	{
		return Min(Min(A, B), C);
	}
	template <class T> static constexpr FORCEINLINE T Square(const T A) { return A * A; }
	template <class T> static constexpr FORCEINLINE T Cube(const T A) { return A * A * A; }

	// The upper bound is applied first, so a NaN gives MaxValue and MinValue > MaxValue gives MinValue.
	template <class T> static constexpr FORCEINLINE T Clamp(const T X, const T MinValue, const T MaxValue)
	{
		return Max(Min(X, MaxValue), MinValue);
	}
	// Mixed argument types resolve to the widest one, as in the engine.
	template <typename A, typename B, typename C>
	static constexpr bool bIsMixedFloatTriple =
		!(std::is_same_v<A, B> && std::is_same_v<B, C>)&&std::is_arithmetic_v<A> && std::is_arithmetic_v<B> &&
		std::is_arithmetic_v<C> &&
		(std::is_floating_point_v<A> || std::is_floating_point_v<B> || std::is_floating_point_v<C>);
	template <typename A, typename B, typename C, std::enable_if_t<bIsMixedFloatTriple<A, B, C>, int> = 0>
	static constexpr FORCEINLINE auto Clamp(const A X, const B MinValue, const C MaxValue)
		-> decltype(X * MinValue * MaxValue)
	{
		using FArg = decltype(X * MinValue * MaxValue);
		return Clamp<FArg>((FArg)X, (FArg)MinValue, (FArg)MaxValue);
	}

	// Sine and cosine at once. Doubles use the C library; floats use the engine's minimax polynomials.
	static FORCEINLINE void SinCos(double* ScalarSin, double* ScalarCos, double Value)
	{
		*ScalarSin = Sin(Value);
		*ScalarCos = Cos(Value);
	}
	static FORCEINLINE void SinCos(float* ScalarSin, float* ScalarCos, float Value)
	{
		// Map Value to y in [-pi, pi], x = 2 * pi * quotient + remainder.
		float Quotient = (UE_INV_PI * 0.5f) * Value;
		if (Value >= 0.0f)
		{
			Quotient = (float)((int)(Quotient + 0.5f));
		}
		else
		{
			Quotient = (float)((int)(Quotient - 0.5f));
		}
		float Y = Value - (2.0f * UE_PI) * Quotient;

		// Map y to [-pi / 2, pi / 2] with sin(y) = sin(Value).
		float SignValue;
		if (Y > UE_HALF_PI)
		{
			Y = UE_PI - Y;
			SignValue = -1.0f;
		}
		else if (Y < -UE_HALF_PI)
		{
			Y = -UE_PI - Y;
			SignValue = -1.0f;
		}
		else
		{
			SignValue = +1.0f;
		}
		const float Y2 = Y * Y;
		*ScalarSin = (((((-2.3889859e-08f * Y2 + 2.7525562e-06f) * Y2 - 0.00019840874f) * Y2 + 0.0083333310f) * Y2 -
						  0.16666667f) *
							 Y2 +
						 1.0f) *
			Y;
		const float P =
			((((-2.6051615e-07f * Y2 + 2.4760495e-05f) * Y2 - 0.0013888378f) * Y2 + 0.041666638f) * Y2 - 0.5f) * Y2 +
			1.0f;
		*ScalarCos = SignValue * P;
	}

	static FORCEINLINE bool IsNearlyEqual(float A, float B, float ErrorTolerance = UE_SMALL_NUMBER)
	{
		return Abs<float>(A - B) <= ErrorTolerance;
	}
	static FORCEINLINE bool IsNearlyEqual(double A, double B, double ErrorTolerance = UE_DOUBLE_SMALL_NUMBER)
	{
		return Abs<double>(A - B) <= ErrorTolerance;
	}
	static FORCEINLINE bool IsNearlyZero(float Value, float ErrorTolerance = UE_SMALL_NUMBER)
	{
		return Abs<float>(Value) <= ErrorTolerance;
	}
	static FORCEINLINE bool IsNearlyZero(double Value, double ErrorTolerance = UE_DOUBLE_SMALL_NUMBER)
	{
		return Abs<double>(Value) <= ErrorTolerance;
	}
	template <typename A, typename B,
		std::enable_if_t<!std::is_same_v<A, B> && std::is_arithmetic_v<A> && std::is_arithmetic_v<B>, int> = 0>
	static FORCEINLINE bool IsNearlyEqual(A X, B Y)
	{
		using FArg = decltype(X * Y * 1.0f);
		return IsNearlyEqual((FArg)X, (FArg)Y);
	}
	template <typename A, typename B, typename C, std::enable_if_t<bIsMixedFloatTriple<A, B, C>, int> = 0>
	static FORCEINLINE bool IsNearlyEqual(A X, B Y, C ErrorTolerance)
	{
		using FArg = decltype(X * Y * ErrorTolerance * 1.0f);
		return IsNearlyEqual((FArg)X, (FArg)Y, (FArg)ErrorTolerance);
	}

	// A + Alpha * (B - A): the engine's form, which reproduces A exactly at Alpha = 0.
	template <class T, class U> static constexpr FORCEINLINE T Lerp(const T& A, const T& B, const U& Alpha)
	{
		return (T)(A + Alpha * (B - A));
	}

	static constexpr FORCEINLINE float RadiansToDegrees(float const& RadVal) { return RadVal * (180.f / UE_PI); }
	static constexpr FORCEINLINE double RadiansToDegrees(double const& RadVal)
	{
		return RadVal * (180.0 / UE_DOUBLE_PI);
	}
	static constexpr FORCEINLINE float DegreesToRadians(float const& DegVal) { return DegVal * (UE_PI / 180.f); }
	static constexpr FORCEINLINE double DegreesToRadians(double const& DegVal)
	{
		return DegVal * (UE_DOUBLE_PI / 180.0);
	}

	// Brings an angle into [-180, 180] (or [-pi, pi]) by whole turns.
	template <class T> static constexpr FORCEINLINE T UnwindDegrees(T A)
	{
		while (A > (T)180)
		{
			A -= (T)360;
		}
		while (A < (T)-180)
		{
			A += (T)360;
		}
		return A;
	}
	static FORCEINLINE float UnwindRadians(float A)
	{
		while (A > UE_PI)
		{
			A -= UE_TWO_PI;
		}
		while (A < -UE_PI)
		{
			A += UE_TWO_PI;
		}
		return A;
	}
	static FORCEINLINE double UnwindRadians(double A)
	{
		while (A > UE_DOUBLE_PI)
		{
			A -= UE_DOUBLE_TWO_PI;
		}
		while (A < -UE_DOUBLE_PI)
		{
			A += UE_DOUBLE_TWO_PI;
		}
		return A;
	}

	// Signed shortest difference A2 - A1 for angles whose difference is within one turn.
	template <class T> static constexpr FORCEINLINE T FindDeltaAngleDegrees(T A1, T A2)
	{
		T Delta = A2 - A1;
		if (Delta > (T)180)
		{
			Delta = Delta - (T)360;
		}
		else if (Delta < (T)-180)
		{
			Delta = Delta + (T)360;
		}
		return Delta;
	}
	// Where Value lies in [MinValue, MaxValue] as a fraction; a point range gives 1 at or past it, else 0.
	template <class T> static FORCEINLINE T GetRangePct(T MinValue, T MaxValue, T Value)
	{
		const T Divisor = MaxValue - MinValue;
		if (IsNearlyZero(Divisor))
		{
			return (Value >= MaxValue) ? (T)1 : (T)0;
		}
		return (Value - MinValue) / Divisor;
	}
	template <class T> static FORCEINLINE T GetRangePct(const UE::Math::TVector2<T>& Range, T Value)
	{
		return GetRangePct(Range.X, Range.Y, Value);
	}
	template <class T> static FORCEINLINE T GetRangeValue(const UE::Math::TVector2<T>& Range, T Pct)
	{
		return Lerp<T>(Range.X, Range.Y, Pct);
	}
	template <class T>
	static FORCEINLINE T GetMappedRangeValueClamped(
		const UE::Math::TVector2<T>& InputRange, const UE::Math::TVector2<T>& OutputRange, const T Value)
	{
		const T ClampedPct = Clamp<T>(GetRangePct(InputRange, Value), (T)0, (T)1);
		return GetRangeValue(OutputRange, ClampedPct);
	}
	template <class T>
	static FORCEINLINE T GetMappedRangeValueUnclamped(
		const UE::Math::TVector2<T>& InputRange, const UE::Math::TVector2<T>& OutputRange, const T Value)
	{
		return GetRangeValue(OutputRange, GetRangePct(InputRange, Value));
	}

	// Hermite 0..1 ramp between A and B: 0 below A, 1 from B on.
	template <class T> static constexpr FORCEINLINE T SmoothStep(T A, T B, T X)
	{
		if (X < A)
		{
			return (T)0;
		}
		else if (X >= B)
		{
			return (T)1;
		}
		const T InterpFraction = (X - A) / (B - A);
		return InterpFraction * InterpFraction * ((T)3 - (T)2 * InterpFraction);
	}

	// Frame-rate independent approach of Current to Target.
	template <class T> static FORCEINLINE T FInterpTo(T Current, T Target, T DeltaTime, T InterpSpeed)
	{
		if (InterpSpeed <= (T)0)
		{
			return Target;
		}
		const T Dist = Target - Current;
		if (Square(Dist) < (T)UE_SMALL_NUMBER)
		{
			return Target;
		}
		const T DeltaMove = Dist * Clamp<T>(DeltaTime * InterpSpeed, (T)0, (T)1);
		return Current + DeltaMove;
	}
};
