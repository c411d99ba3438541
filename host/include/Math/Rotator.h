// TRotator<T> (FRotator): an orientation as Pitch (about Y), Yaw (about Z) and Roll (about X), in degrees.
#pragma once

#include "CoreTypes.h"
#include "Math/Axis.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"
#include "Math/Vector.h"

#include <type_traits>

namespace UE::Math
{
template <typename T> struct TRotator
{
	static_assert(std::is_floating_point_v<T>, "TRotator only supports float and double.");

	using FReal = T;

	T Pitch;
	T Yaw;
	T Roll;

	static const TRotator<T> ZeroRotator;

	TRotator() = default;
	explicit constexpr FORCEINLINE TRotator(T InF) : Pitch(InF), Yaw(InF), Roll(InF) {}
	constexpr FORCEINLINE TRotator(T InPitch, T InYaw, T InRoll) : Pitch(InPitch), Yaw(InYaw), Roll(InRoll) {}
	explicit constexpr FORCEINLINE TRotator(EForceInit) : Pitch(0), Yaw(0), Roll(0) {}
	explicit FORCEINLINE TRotator(const TQuat<T>& Quat);

	template <typename FArg, std::enable_if_t<!std::is_same_v<T, FArg>, int> = 0>
	explicit constexpr FORCEINLINE TRotator(const TRotator<FArg>& From)
		: Pitch((T)From.Pitch), Yaw((T)From.Yaw), Roll((T)From.Roll)
	{
	}

	FORCEINLINE TRotator<T> operator+(const TRotator<T>& R) const
	{
		return TRotator<T>(Pitch + R.Pitch, Yaw + R.Yaw, Roll + R.Roll);
	}
	FORCEINLINE TRotator<T> operator-(const TRotator<T>& R) const
	{
		return TRotator<T>(Pitch - R.Pitch, Yaw - R.Yaw, Roll - R.Roll);
	}
	template <typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
	FORCEINLINE TRotator<T> operator*(FArg Scale) const
	{
		return TRotator<T>(Pitch * (T)Scale, Yaw * (T)Scale, Roll * (T)Scale);
	}
	template <typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
	FORCEINLINE TRotator<T>& operator*=(FArg Scale)
	{
		Pitch = Pitch * (T)Scale;
		Yaw = Yaw * (T)Scale;
		Roll = Roll * (T)Scale;
		return *this;
	}
	FORCEINLINE TRotator<T>& operator+=(const TRotator<T>& R)
	{
		Pitch += R.Pitch;
		Yaw += R.Yaw;
		Roll += R.Roll;
		return *this;
	}
	FORCEINLINE TRotator<T>& operator-=(const TRotator<T>& R)
	{
		Pitch -= R.Pitch;
		Yaw -= R.Yaw;
		Roll -= R.Roll;
		return *this;
	}
	FORCEINLINE bool operator==(const TRotator<T>& R) const
	{
		return Pitch == R.Pitch && Yaw == R.Yaw && Roll == R.Roll;
	}
	FORCEINLINE bool operator!=(const TRotator<T>& R) const
	{
		return Pitch != R.Pitch || Yaw != R.Yaw || Roll != R.Roll;
	}

	// Every axis of the difference, wrapped to (-180, 180], is within Tolerance.
	FORCEINLINE bool Equals(const TRotator<T>& R, T Tolerance = UE_KINDA_SMALL_NUMBER) const
	{
		return FMath::Abs(NormalizeAxis(Pitch - R.Pitch)) <= Tolerance &&
			FMath::Abs(NormalizeAxis(Yaw - R.Yaw)) <= Tolerance &&
			FMath::Abs(NormalizeAxis(Roll - R.Roll)) <= Tolerance;
	}
	FORCEINLINE bool IsNearlyZero(T Tolerance = UE_KINDA_SMALL_NUMBER) const
	{
		return FMath::Abs(NormalizeAxis(Pitch)) <= Tolerance && FMath::Abs(NormalizeAxis(Yaw)) <= Tolerance &&
			FMath::Abs(NormalizeAxis(Roll)) <= Tolerance;
	}
	FORCEINLINE bool IsZero() const { return ClampAxis(Pitch) == 0 && ClampAxis(Yaw) == 0 && ClampAxis(Roll) == 0; }
	FORCEINLINE bool ContainsNaN() const
	{
		return !FMath::IsFinite(Pitch) || !FMath::IsFinite(Yaw) || !FMath::IsFinite(Roll);
	}

	FORCEINLINE TRotator<T> Add(T DeltaPitch, T DeltaYaw, T DeltaRoll)
	{
		Yaw += DeltaYaw;
		Pitch += DeltaPitch;
		Roll += DeltaRoll;
		return *this;
	}

	FORCEINLINE T GetComponentForAxis(EAxis::Type Axis) const
	{
		switch (Axis)
		{
			case EAxis::X:
				return Roll;
			case EAxis::Y:
				return Pitch;
			case EAxis::Z:
				return Yaw;
			default:
				return 0;
		}
	}
	FORCEINLINE void SetComponentForAxis(EAxis::Type Axis, T Component)
	{
		switch (Axis)
		{
			case EAxis::X:
				Roll = Component;
				break;
			case EAxis::Y:
				Pitch = Component;
				break;
			case EAxis::Z:
				Yaw = Component;
				break;
			default:
				break;
		}
	}

	// Angle in [0, 360]: fmod by 360, then one turn added to a negative remainder. A tiny negative angle
	// therefore gives exactly 360.
	static FORCEINLINE T ClampAxis(T Angle)
	{
		Angle = FMath::Fmod(Angle, (T)360);
		if (Angle < (T)0)
		{
			Angle += (T)360;
		}
		return Angle;
	}
	// Angle in (-180, 180]: ClampAxis, then one turn removed above 180.
	static FORCEINLINE T NormalizeAxis(T Angle)
	{
		Angle = ClampAxis(Angle);
		if (Angle > (T)180)
		{
			Angle -= (T)360;
		}
		return Angle;
	}

	FORCEINLINE TRotator<T> Clamp() const { return TRotator<T>(ClampAxis(Pitch), ClampAxis(Yaw), ClampAxis(Roll)); }
	FORCEINLINE void Normalize()
	{
		Pitch = NormalizeAxis(Pitch);
		Yaw = NormalizeAxis(Yaw);
		Roll = NormalizeAxis(Roll);
	}
	FORCEINLINE TRotator<T> GetNormalized() const
	{
		TRotator<T> Rot = *this;
		Rot.Normalize();
		return Rot;
	}
	FORCEINLINE TRotator<T> GetDenormalized() const
	{
		return TRotator<T>(ClampAxis(Pitch), ClampAxis(Yaw), ClampAxis(Roll));
	}
	// Splits each axis into whole turns (Winding) and the normalised rest (Remainder).
	FORCEINLINE void GetWindingAndRemainder(TRotator<T>& Winding, TRotator<T>& Remainder) const
	{
		Remainder.Yaw = NormalizeAxis(Yaw);
		Winding.Yaw = Yaw - Remainder.Yaw;
		Remainder.Pitch = NormalizeAxis(Pitch);
		Winding.Pitch = Pitch - Remainder.Pitch;
		Remainder.Roll = NormalizeAxis(Roll);
		Winding.Roll = Roll - Remainder.Roll;
	}
	FORCEINLINE T GetManhattanDistance(const TRotator<T>& Rotator) const
	{
		return FMath::Abs(Yaw - Rotator.Yaw) + FMath::Abs(Pitch - Rotator.Pitch) + FMath::Abs(Roll - Rotator.Roll);
	}
	// The same orientation reached the other way over the pole.
	FORCEINLINE TRotator<T> GetEquivalentRotator() const
	{
		return TRotator<T>((T)180 - Pitch, Yaw + (T)180, Roll + (T)180);
	}
	// Replaces MakeClosest by its equivalent rotator when that is nearer to this one (Manhattan distance).
	FORCEINLINE void SetClosestToMe(TRotator<T>& MakeClosest) const
	{
		const TRotator<T> OtherChoice = MakeClosest.GetEquivalentRotator();
		const T FirstDiff = GetManhattanDistance(MakeClosest);
		const T SecondDiff = GetManhattanDistance(OtherChoice);
		if (SecondDiff < FirstDiff)
		{
			MakeClosest = OtherChoice;
		}
	}

	// (Roll, Pitch, Yaw) as X, Y, Z, and back.
	FORCEINLINE TVector<T> Euler() const { return TVector<T>(Roll, Pitch, Yaw); }
	static FORCEINLINE TRotator<T> MakeFromEuler(const TVector<T>& Euler)
	{
		return TRotator<T>(Euler.Y, Euler.Z, Euler.X);
	}

	// The direction of +X under this rotation (roll does not matter).
	TVector<T> Vector() const
	{
		const T PitchNoWinding = FMath::Fmod(Pitch, (T)360);
		const T YawNoWinding = FMath::Fmod(Yaw, (T)360);
		T CP, SP, CY, SY;
		FMath::SinCos(&SP, &CP, FMath::DegreesToRadians(PitchNoWinding));
		FMath::SinCos(&SY, &CY, FMath::DegreesToRadians(YawNoWinding));
		return TVector<T>(CP * CY, CP * SY, SP);
	}

	TQuat<T> Quaternion() const;
	TVector<T> RotateVector(const TVector<T>& V) const;
	TVector<T> UnrotateVector(const TVector<T>& V) const;
	TRotator<T> GetInverse() const;
};

template <typename T, typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
FORCEINLINE TRotator<T> operator*(FArg Scale, const TRotator<T>& R)
{
	return R.operator*(Scale);
}

template <typename T> inline constinit const TRotator<T> TRotator<T>::ZeroRotator(0, 0, 0);
} // namespace UE::Math

#include "Math/Quat.h"
#include "Math/RotationMatrix.h"

namespace UE::Math
{
template <typename T> FORCEINLINE TRotator<T>::TRotator(const TQuat<T>& Quat)
{
	*this = Quat.Rotator();
}

// Each angle is first wrapped by whole turns, then the three half-angle rotations are combined as
// Yaw * Pitch * Roll (roll applied first), with the products grouped as the engine's vector path does.
template <typename T> TQuat<T> TRotator<T>::Quaternion() const
{
	const T DegToRadHalf = std::is_same_v<T, float> ? (T)(UE_PI / 360.f) : (T)(UE_DOUBLE_PI / 360.0);
	const auto Unwound = [](T Angle) { return Angle - (T)360 * FMath::TruncToFloat(Angle / (T)360); };
	const T PitchHalf = Unwound(Pitch) * DegToRadHalf;
	const T YawHalf = Unwound(Yaw) * DegToRadHalf;
	const T RollHalf = Unwound(Roll) * DegToRadHalf;
	// Rig rotators often leave an angle at zero, whose sine (of the same sign) and cosine (one) the C library gives
	// exactly, so they are not asked of it.
	const auto Sin = [](T HalfAngle) { return HalfAngle == (T)0 ? HalfAngle : FMath::Sin(HalfAngle); };
	const auto Cos = [](T HalfAngle) { return HalfAngle == (T)0 ? (T)1 : FMath::Cos(HalfAngle); };
	const T SP = Sin(PitchHalf);
	const T CP = Cos(PitchHalf);
	const T SY = Sin(YawHalf);
	const T CY = Cos(YawHalf);
	const T SR = Sin(RollHalf);
	const T CR = Cos(RollHalf);

	TQuat<T> RotationQuat;
	RotationQuat.X = CR * (SP * SY) - SR * (CP * CY);
	RotationQuat.Y = -(CR * (SP * CY)) - SR * (CP * SY);
	RotationQuat.Z = CR * (CP * SY) - SR * (SP * CY);
	RotationQuat.W = CR * (CP * CY) + SR * (SP * SY);
	return RotationQuat;
}

template <typename T> TVector<T> TRotator<T>::RotateVector(const TVector<T>& V) const
{
	return TRotationMatrix<T>(*this).TransformVector(V);
}

template <typename T> TVector<T> TRotator<T>::UnrotateVector(const TVector<T>& V) const
{
	return TRotationMatrix<T>(*this).GetTransposed().TransformVector(V);
}

template <typename T> TRotator<T> TRotator<T>::GetInverse() const
{
	return Quaternion().Inverse().Rotator();
}
} // namespace UE::Math
