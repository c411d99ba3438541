// TVector<T> (FVector): a 3D vector of the engine's math, X forward, Y right, Z up.
#pragma once

#include "CoreTypes.h"
#include "Math/Axis.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"

#include <type_traits>

namespace UE::Math
{
template <typename T> struct TVector
{
	static_assert(std::is_floating_point_v<T>, "TVector only supports float and double.");

	using FReal = T;

	T X;
	T Y;
	T Z;

	static const TVector<T> ZeroVector;
	static const TVector<T> OneVector;
	static const TVector<T> UpVector;
	static const TVector<T> DownVector;
	static const TVector<T> ForwardVector;
	static const TVector<T> BackwardVector;
	static const TVector<T> RightVector;
	static const TVector<T> LeftVector;
	static const TVector<T> XAxisVector;
	static const TVector<T> YAxisVector;
	static const TVector<T> ZAxisVector;

	// Left uninitialised, as in the engine.
	TVector() = default;
	explicit constexpr FORCEINLINE TVector(T InF) : X(InF), Y(InF), Z(InF) {}
	constexpr FORCEINLINE TVector(T InX, T InY, T InZ) : X(InX), Y(InY), Z(InZ) {}
	explicit FORCEINLINE TVector(const TVector2<T> V, T InZ);
	FORCEINLINE TVector(const TVector4<T>& V);
	explicit constexpr FORCEINLINE TVector(EForceInit) : X(0), Y(0), Z(0) {}
	explicit FORCEINLINE TVector(ENoInit) {}

	template <typename FArg, std::enable_if_t<!std::is_same_v<T, FArg>, int> = 0>
	explicit constexpr FORCEINLINE TVector(const TVector<FArg>& From) : X((T)From.X), Y((T)From.Y), Z((T)From.Z)
	{
	}

	// Cross product (right-handed formula: X ^ Y = Z) and dot product (summed X, Y, Z in order).
	FORCEINLINE TVector<T> operator^(const TVector<T>& V) const
	{
		return TVector<T>(Y * V.Z - Z * V.Y, Z * V.X - X * V.Z, X * V.Y - Y * V.X);
	}
	FORCEINLINE TVector<T> Cross(const TVector<T>& V) const { return *this ^ V; }
	static FORCEINLINE TVector<T> CrossProduct(const TVector<T>& A, const TVector<T>& B) { return A ^ B; }
	FORCEINLINE T operator|(const TVector<T>& V) const { return X * V.X + Y * V.Y + Z * V.Z; }
	FORCEINLINE T Dot(const TVector<T>& V) const { return *this | V; }
	static FORCEINLINE T DotProduct(const TVector<T>& A, const TVector<T>& B) { return A | B; }

	FORCEINLINE TVector<T> operator+(const TVector<T>& V) const { return TVector<T>(X + V.X, Y + V.Y, Z + V.Z); }
	FORCEINLINE TVector<T> operator-(const TVector<T>& V) const { return TVector<T>(X - V.X, Y - V.Y, Z - V.Z); }
	FORCEINLINE TVector<T> operator*(const TVector<T>& V) const { return TVector<T>(X * V.X, Y * V.Y, Z * V.Z); }
	FORCEINLINE TVector<T> operator/(const TVector<T>& V) const { return TVector<T>(X / V.X, Y / V.Y, Z / V.Z); }
	FORCEINLINE TVector<T> operator-() const { return TVector<T>(-X, -Y, -Z); }

	template <typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
	FORCEINLINE TVector<T> operator-(FArg Bias) const
	{
		return TVector<T>(X - (T)Bias, Y - (T)Bias, Z - (T)Bias);
	}
	template <typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
	FORCEINLINE TVector<T> operator+(FArg Bias) const
	{
		return TVector<T>(X + (T)Bias, Y + (T)Bias, Z + (T)Bias);
	}
	template <typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
	FORCEINLINE TVector<T> operator*(FArg Scale) const
	{
		return TVector<T>(X * (T)Scale, Y * (T)Scale, Z * (T)Scale);
	}
	// Division by a scalar multiplies by its reciprocal, as the engine does.
	template <typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
	FORCEINLINE TVector<T> operator/(FArg Scale) const
	{
		const T RScale = T(1) / (T)Scale;
		return TVector<T>(X * RScale, Y * RScale, Z * RScale);
	}

	FORCEINLINE TVector<T>& operator+=(const TVector<T>& V)
	{
		X += V.X;
		Y += V.Y;
		Z += V.Z;
		return *this;
	}
	FORCEINLINE TVector<T>& operator-=(const TVector<T>& V)
	{
		X -= V.X;
		Y -= V.Y;
		Z -= V.Z;
		return *this;
	}
	FORCEINLINE TVector<T>& operator*=(const TVector<T>& V)
	{
		X *= V.X;
		Y *= V.Y;
		Z *= V.Z;
		return *this;
	}
	FORCEINLINE TVector<T>& operator/=(const TVector<T>& V)
	{
		X /= V.X;
		Y /= V.Y;
		Z /= V.Z;
		return *this;
	}
	template <typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
	FORCEINLINE TVector<T>& operator*=(FArg Scale)
	{
		X *= (T)Scale;
		Y *= (T)Scale;
		Z *= (T)Scale;
		return *this;
	}
	template <typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
	FORCEINLINE TVector<T>& operator/=(FArg Scale)
	{
		const T RV = T(1) / (T)Scale;
		X *= RV;
		Y *= RV;
		Z *= RV;
		return *this;
	}

	FORCEINLINE bool operator==(const TVector<T>& V) const { return X == V.X && Y == V.Y && Z == V.Z; }
	FORCEINLINE bool operator!=(const TVector<T>& V) const { return X != V.X || Y != V.Y || Z != V.Z; }
	FORCEINLINE bool Equals(const TVector<T>& V, T Tolerance = UE_KINDA_SMALL_NUMBER) const
	{
		return FMath::Abs(X - V.X) <= Tolerance && FMath::Abs(Y - V.Y) <= Tolerance && FMath::Abs(Z - V.Z) <= Tolerance;
	}
	FORCEINLINE bool AllComponentsEqual(T Tolerance = UE_KINDA_SMALL_NUMBER) const
	{
		return FMath::Abs(X - Y) <= Tolerance && FMath::Abs(X - Z) <= Tolerance && FMath::Abs(Y - Z) <= Tolerance;
	}

	FORCEINLINE T& operator[](int32 Index) { return Index == 0 ? X : (Index == 1 ? Y : Z); }
	FORCEINLINE T operator[](int32 Index) const { return Index == 0 ? X : (Index == 1 ? Y : Z); }
	FORCEINLINE T& Component(int32 Index) { return (*this)[Index]; }
	FORCEINLINE T Component(int32 Index) const { return (*this)[Index]; }
	FORCEINLINE T GetComponentForAxis(EAxis::Type Axis) const
	{
		switch (Axis)
		{
			case EAxis::X:
				return X;
			case EAxis::Y:
				return Y;
			case EAxis::Z:
				return Z;
			default:
				return 0;
		}
	}
	FORCEINLINE void SetComponentForAxis(EAxis::Type Axis, T Component)
	{
		switch (Axis)
		{
			case EAxis::X:
				X = Component;
				break;
			case EAxis::Y:
				Y = Component;
				break;
			case EAxis::Z:
				Z = Component;
				break;
			default:
				break;
		}
	}
	FORCEINLINE void Set(T InX, T InY, T InZ)
	{
		X = InX;
		Y = InY;
		Z = InZ;
	}

	FORCEINLINE T GetMax() const { return FMath::Max(FMath::Max(X, Y), Z); }
	FORCEINLINE T GetAbsMax() const { return FMath::Max(FMath::Max(FMath::Abs(X), FMath::Abs(Y)), FMath::Abs(Z)); }
	FORCEINLINE T GetMin() const { return FMath::Min(FMath::Min(X, Y), Z); }
	FORCEINLINE T GetAbsMin() const { return FMath::Min(FMath::Min(FMath::Abs(X), FMath::Abs(Y)), FMath::Abs(Z)); }
	FORCEINLINE TVector<T> ComponentMin(const TVector<T>& Other) const
	{
		return TVector<T>(FMath::Min(X, Other.X), FMath::Min(Y, Other.Y), FMath::Min(Z, Other.Z));
	}
	FORCEINLINE TVector<T> ComponentMax(const TVector<T>& Other) const
	{
		return TVector<T>(FMath::Max(X, Other.X), FMath::Max(Y, Other.Y), FMath::Max(Z, Other.Z));
	}
	FORCEINLINE TVector<T> GetAbs() const { return TVector<T>(FMath::Abs(X), FMath::Abs(Y), FMath::Abs(Z)); }
	// Each component: 1 when >= 0 (also -0), else -1.
	FORCEINLINE TVector<T> GetSignVector() const
	{
		return TVector<T>(
			FMath::FloatSelect(X, (T)1, (T)-1), FMath::FloatSelect(Y, (T)1, (T)-1), FMath::FloatSelect(Z, (T)1, (T)-1));
	}

	FORCEINLINE T SizeSquared() const { return X * X + Y * Y + Z * Z; }
	FORCEINLINE T Size() const { return FMath::Sqrt(SizeSquared()); }
	FORCEINLINE T SquaredLength() const { return SizeSquared(); }
	FORCEINLINE T Length() const { return Size(); }
	FORCEINLINE T SizeSquared2D() const { return X * X + Y * Y; }
	FORCEINLINE T Size2D() const { return FMath::Sqrt(SizeSquared2D()); }

	FORCEINLINE bool IsNearlyZero(T Tolerance = UE_KINDA_SMALL_NUMBER) const
	{
		return FMath::Abs(X) <= Tolerance && FMath::Abs(Y) <= Tolerance && FMath::Abs(Z) <= Tolerance;
	}
	FORCEINLINE bool IsZero() const { return X == 0 && Y == 0 && Z == 0; }
	FORCEINLINE bool IsUnit(T LengthSquaredTolerance = UE_KINDA_SMALL_NUMBER) const
	{
		return FMath::Abs((T)1 - SizeSquared()) < LengthSquaredTolerance;
	}
	FORCEINLINE bool IsNormalized() const { return FMath::Abs((T)1 - SizeSquared()) < (T)UE_THRESH_VECTOR_NORMALIZED; }

	// Normalises in place when the squared length exceeds Tolerance; otherwise leaves the vector and returns false.
	FORCEINLINE bool Normalize(T Tolerance = UE_SMALL_NUMBER)
	{
		const T SquareSum = SizeSquared();
		if (SquareSum > Tolerance)
		{
			const T Scale = FMath::InvSqrt(SquareSum);
			X *= Scale;
			Y *= Scale;
			Z *= Scale;
			return true;
		}
		return false;
	}
	FORCEINLINE TVector<T> GetUnsafeNormal() const
	{
		const T Scale = FMath::InvSqrt(SizeSquared());
		return TVector<T>(X * Scale, Y * Scale, Z * Scale);
	}
	// Unit vector: the vector itself when its squared length is exactly 1, zero below Tolerance.
	FORCEINLINE TVector<T> GetSafeNormal(T Tolerance = UE_SMALL_NUMBER) const
	{
		const T SquareSum = SizeSquared();
		if (SquareSum == (T)1)
		{
			return *this;
		}
		else if (SquareSum < Tolerance)
		{
			return ZeroVector;
		}
		const T Scale = FMath::InvSqrt(SquareSum);
		return TVector<T>(X * Scale, Y * Scale, Z * Scale);
	}
	FORCEINLINE TVector<T> GetSafeNormal2D(T Tolerance = UE_SMALL_NUMBER) const
	{
		const T SquareSum = SizeSquared2D();
		if (SquareSum == (T)1)
		{
			return Z == 0 ? *this : TVector<T>(X, Y, 0);
		}
		else if (SquareSum < Tolerance)
		{
			return ZeroVector;
		}
		const T Scale = FMath::InvSqrt(SquareSum);
		return TVector<T>(X * Scale, Y * Scale, 0);
	}
	FORCEINLINE void ToDirectionAndLength(TVector<T>& OutDir, T& OutLength) const
	{
		OutLength = Size();
		if (OutLength > (T)UE_SMALL_NUMBER)
		{
			const T OneOverLength = T(1) / OutLength;
			OutDir = TVector<T>(X * OneOverLength, Y * OneOverLength, Z * OneOverLength);
		}
		else
		{
			OutDir = ZeroVector;
		}
	}

	FORCEINLINE TVector<T> GetClampedToSize(T Min, T Max) const
	{
		T VecSize = Size();
		const TVector<T> VecDir = (VecSize > (T)UE_SMALL_NUMBER) ? (*this / VecSize) : ZeroVector;
		VecSize = FMath::Clamp(VecSize, Min, Max);
		return VecDir * VecSize;
	}
	FORCEINLINE TVector<T> GetClampedToMaxSize(T MaxSize) const
	{
		if (MaxSize < (T)UE_KINDA_SMALL_NUMBER)
		{
			return ZeroVector;
		}
		const T VSq = SizeSquared();
		if (VSq > FMath::Square(MaxSize))
		{
			const T Scale = MaxSize * FMath::InvSqrt(VSq);
			return TVector<T>(X * Scale, Y * Scale, Z * Scale);
		}
		return *this;
	}
	FORCEINLINE TVector<T> BoundToCube(T Radius) const
	{
		return TVector<T>(
			FMath::Clamp(X, -Radius, Radius), FMath::Clamp(Y, -Radius, Radius), FMath::Clamp(Z, -Radius, Radius));
	}
	// Componentwise 1 / V, with UE_BIG_NUMBER where a component is 0.
	FORCEINLINE TVector<T> Reciprocal() const
	{
		return TVector<T>(X != 0 ? T(1) / X : (T)UE_BIG_NUMBER, Y != 0 ? T(1) / Y : (T)UE_BIG_NUMBER,
			Z != 0 ? T(1) / Z : (T)UE_BIG_NUMBER);
	}

	FORCEINLINE TVector<T> ProjectOnTo(const TVector<T>& A) const { return A * ((*this | A) / (A | A)); }
	FORCEINLINE TVector<T> ProjectOnToNormal(const TVector<T>& Normal) const { return Normal * (*this | Normal); }
	FORCEINLINE TVector<T> MirrorByVector(const TVector<T>& MirrorNormal) const
	{
		return *this - MirrorNormal * ((T)2 * (*this | MirrorNormal));
	}
	FORCEINLINE bool ContainsNaN() const { return !FMath::IsFinite(X) || !FMath::IsFinite(Y) || !FMath::IsFinite(Z); }

	// Rotates the vector by AngleDeg degrees about the unit Axis.
	TVector<T> RotateAngleAxis(const T AngleDeg, const TVector<T>& Axis) const
	{
		T S, C;
		FMath::SinCos(&S, &C, FMath::DegreesToRadians(AngleDeg));
		const T XX = Axis.X * Axis.X;
		const T YY = Axis.Y * Axis.Y;
		const T ZZ = Axis.Z * Axis.Z;
		const T XY = Axis.X * Axis.Y;
		const T YZ = Axis.Y * Axis.Z;
		const T ZX = Axis.Z * Axis.X;
		const T XS = Axis.X * S;
		const T YS = Axis.Y * S;
		const T ZS = Axis.Z * S;
		const T OMC = (T)1 - C;
		return TVector<T>((OMC * XX + C) * X + (OMC * XY - ZS) * Y + (OMC * ZX + YS) * Z,
			(OMC * XY + ZS) * X + (OMC * YY + C) * Y + (OMC * YZ - XS) * Z,
			(OMC * ZX - YS) * X + (OMC * YZ + XS) * Y + (OMC * ZZ + C) * Z);
	}

	// Orientation looking along this vector, with no roll (defined with the rotator and quaternion).
	TRotator<T> ToOrientationRotator() const;
	TRotator<T> Rotation() const;
	TQuat<T> ToOrientationQuat() const;

	// Angle in radians of the vector projected on the XY plane, measured from +X towards +Y.
	T HeadingAngle() const
	{
		TVector<T> PlaneDir = *this;
		PlaneDir.Z = 0;
		PlaneDir = PlaneDir.GetSafeNormal();
		T Angle = FMath::Acos(PlaneDir.X);
		if (PlaneDir.Y < 0)
		{
			Angle *= (T)-1;
		}
		return Angle;
	}

	static FORCEINLINE T Dist(const TVector<T>& V1, const TVector<T>& V2) { return FMath::Sqrt(DistSquared(V1, V2)); }
	static FORCEINLINE T Distance(const TVector<T>& V1, const TVector<T>& V2) { return Dist(V1, V2); }
	static FORCEINLINE T DistSquared(const TVector<T>& V1, const TVector<T>& V2)
	{
		return FMath::Square(V2.X - V1.X) + FMath::Square(V2.Y - V1.Y) + FMath::Square(V2.Z - V1.Z);
	}
	static FORCEINLINE T DistSquaredXY(const TVector<T>& V1, const TVector<T>& V2)
	{
		return FMath::Square(V2.X - V1.X) + FMath::Square(V2.Y - V1.Y);
	}
	static FORCEINLINE T DistXY(const TVector<T>& V1, const TVector<T>& V2)
	{
		return FMath::Sqrt(DistSquaredXY(V1, V2));
	}
	static FORCEINLINE T DistSquared2D(const TVector<T>& V1, const TVector<T>& V2) { return DistSquaredXY(V1, V2); }
	static FORCEINLINE T Dist2D(const TVector<T>& V1, const TVector<T>& V2) { return DistXY(V1, V2); }

	static FORCEINLINE T PointPlaneDist(
		const TVector<T>& Point, const TVector<T>& PlaneBase, const TVector<T>& PlaneNormal)
	{
		return (Point - PlaneBase) | PlaneNormal;
	}
	static FORCEINLINE TVector<T> PointPlaneProject(
		const TVector<T>& Point, const TVector<T>& PlaneBase, const TVector<T>& PlaneNormal)
	{
		return Point - PlaneNormal * PointPlaneDist(Point, PlaneBase, PlaneNormal);
	}
	static FORCEINLINE TVector<T> VectorPlaneProject(const TVector<T>& V, const TVector<T>& PlaneNormal)
	{
		return V - V.ProjectOnToNormal(PlaneNormal);
	}
	static FORCEINLINE bool Parallel(const TVector<T>& Normal1, const TVector<T>& Normal2,
		T ParallelCosineThreshold = UE_THRESH_NORMALS_ARE_PARALLEL)
	{
		return FMath::Abs(Normal1 | Normal2) >= ParallelCosineThreshold;
	}
	static FORCEINLINE bool Coincident(const TVector<T>& Normal1, const TVector<T>& Normal2,
		T ParallelCosineThreshold = UE_THRESH_NORMALS_ARE_PARALLEL)
	{
		return (Normal1 | Normal2) >= ParallelCosineThreshold;
	}
	static FORCEINLINE bool Orthogonal(const TVector<T>& Normal1, const TVector<T>& Normal2,
		T OrthogonalCosineThreshold = UE_THRESH_NORMALS_ARE_ORTHOGONAL)
	{
		return FMath::Abs(Normal1 | Normal2) <= OrthogonalCosineThreshold;
	}
	static FORCEINLINE T Triple(const TVector<T>& X, const TVector<T>& Y, const TVector<T>& Z)
	{
		return (X.X * (Y.Y * Z.Z - Y.Z * Z.Y)) + (X.Y * (Y.Z * Z.X - Y.X * Z.Z)) + (X.Z * (Y.X * Z.Y - Y.Y * Z.X));
	}
};

template <typename T, typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
FORCEINLINE TVector<T> operator*(FArg Scale, const TVector<T>& V)
{
	return V.operator*(Scale);
}

template <typename T> inline constinit const TVector<T> TVector<T>::ZeroVector(0, 0, 0);
template <typename T> inline constinit const TVector<T> TVector<T>::OneVector(1, 1, 1);
template <typename T> inline constinit const TVector<T> TVector<T>::UpVector(0, 0, 1);
template <typename T> inline constinit const TVector<T> TVector<T>::DownVector(0, 0, -1);
template <typename T> inline constinit const TVector<T> TVector<T>::ForwardVector(1, 0, 0);
template <typename T> inline constinit const TVector<T> TVector<T>::BackwardVector(-1, 0, 0);
template <typename T> inline constinit const TVector<T> TVector<T>::RightVector(0, 1, 0);
template <typename T> inline constinit const TVector<T> TVector<T>::LeftVector(0, -1, 0);
template <typename T> inline constinit const TVector<T> TVector<T>::XAxisVector(1, 0, 0);
template <typename T> inline constinit const TVector<T> TVector<T>::YAxisVector(0, 1, 0);
template <typename T> inline constinit const TVector<T> TVector<T>::ZAxisVector(0, 0, 1);
} // namespace UE::Math

// The 2D and 4D vectors complete the constructors above; the orientation helpers need the rotator and quaternion.
#include "Math/Vector2D.h"
#include "Math/Vector4.h"
#include "Math/Rotator.h"
#include "Math/Quat.h"

namespace UE::Math
{
template <typename T> FORCEINLINE TVector<T>::TVector(const TVector2<T> V, T InZ) : X(V.X), Y(V.Y), Z(InZ) {}

template <typename T> FORCEINLINE TVector<T>::TVector(const TVector4<T>& V) : X(V.X), Y(V.Y), Z(V.Z) {}

template <typename T> TRotator<T> TVector<T>::ToOrientationRotator() const
{
	TRotator<T> R;
	R.Yaw = FMath::RadiansToDegrees(FMath::Atan2(Y, X));
	R.Pitch = FMath::RadiansToDegrees(FMath::Atan2(Z, FMath::Sqrt(X * X + Y * Y)));
	R.Roll = 0;
	return R;
}

template <typename T> TRotator<T> TVector<T>::Rotation() const
{
	return ToOrientationRotator();
}

// The vector-to-rotator-to-quaternion path with roll known to be 0, without the degree round trip.
template <typename T> TQuat<T> TVector<T>::ToOrientationQuat() const
{
	const T YawRad = FMath::Atan2(Y, X);
	const T PitchRad = FMath::Atan2(Z, FMath::Sqrt(X * X + Y * Y));
	T SP, SY, CP, CY;
	FMath::SinCos(&SP, &CP, PitchRad * (T)0.5);
	FMath::SinCos(&SY, &CY, YawRad * (T)0.5);
	TQuat<T> RotationQuat;
	RotationQuat.X = SP * SY;
	RotationQuat.Y = -SP * CY;
	RotationQuat.Z = CP * SY;
	RotationQuat.W = CP * CY;
	return RotationQuat;
}
} // namespace UE::Math
