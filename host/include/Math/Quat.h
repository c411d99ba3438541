// TQuat<T> (FQuat): a rotation quaternion (X, Y, Z, W), W the scalar part; identity (0, 0, 0, 1).
// A * B is the Hamilton product and applies B first, then A.
#pragma once

#include "CoreTypes.h"
#include "Math/HostMathConfiguration.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"
#include "Math/Vector.h"

#include <type_traits>

namespace UE::Math
{
template <typename T> struct TQuat
{
	static_assert(std::is_floating_point_v<T>, "TQuat only supports float and double.");

	using FReal = T;

	T X;
	T Y;
	T Z;
	T W;

	static const TQuat<T> Identity;

	TQuat() = default;
	// ForceInit gives the identity, ForceInitToZero all zeros.
	explicit constexpr FORCEINLINE TQuat(EForceInit ZeroOrNot)
		: X(0), Y(0), Z(0), W(ZeroOrNot == ForceInitToZero ? (T)0 : (T)1)
	{
	}
	constexpr FORCEINLINE TQuat(T InX, T InY, T InZ, T InW) : X(InX), Y(InY), Z(InZ), W(InW) {}
	explicit TQuat(const TRotator<T>& R);
	explicit TQuat(const TMatrix<T>& M);
	// Rotation of AngleRad radians about Axis (not normalised here).
	TQuat(TVector<T> Axis, T AngleRad)
	{
		const T HalfAngle = (T)0.5 * AngleRad;
		T S, C;
		FMath::SinCos(&S, &C, HalfAngle);
		X = S * Axis.X;
		Y = S * Axis.Y;
		Z = S * Axis.Z;
		W = C;
	}

	template <typename FArg, std::enable_if_t<!std::is_same_v<T, FArg>, int> = 0>
	explicit constexpr FORCEINLINE TQuat(const TQuat<FArg>& From)
		: X((T)From.X), Y((T)From.Y), Z((T)From.Z), W((T)From.W)
	{
	}

	FORCEINLINE TQuat<T> operator+(const TQuat<T>& Q) const { return TQuat<T>(X + Q.X, Y + Q.Y, Z + Q.Z, W + Q.W); }
	FORCEINLINE TQuat<T> operator-(const TQuat<T>& Q) const { return TQuat<T>(X - Q.X, Y - Q.Y, Z - Q.Z, W - Q.W); }
	FORCEINLINE TQuat<T> operator-() const { return TQuat<T>(-X, -Y, -Z, -W); }
	FORCEINLINE TQuat<T>& operator+=(const TQuat<T>& Q)
	{
		X += Q.X;
		Y += Q.Y;
		Z += Q.Z;
		W += Q.W;
		return *this;
	}
	FORCEINLINE TQuat<T>& operator-=(const TQuat<T>& Q)
	{
		X -= Q.X;
		Y -= Q.Y;
		Z -= Q.Z;
		W -= Q.W;
		return *this;
	}

	// Hamilton product, each component summed in the engine's order.
	FORCEINLINE TQuat<T> operator*(const TQuat<T>& Q) const
	{
		return TQuat<T>(((W * Q.X + X * Q.W) + Y * Q.Z) - Z * Q.Y, ((W * Q.Y - X * Q.Z) + Y * Q.W) + Z * Q.X,
			((W * Q.Z + X * Q.Y) - Y * Q.X) + Z * Q.W, ((W * Q.W - X * Q.X) - Y * Q.Y) - Z * Q.Z);
	}
	FORCEINLINE TQuat<T>& operator*=(const TQuat<T>& Q)
	{
		*this = *this * Q;
		return *this;
	}
	FORCEINLINE TVector<T> operator*(const TVector<T>& V) const { return RotateVector(V); }

	template <typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
	FORCEINLINE TQuat<T> operator*(const FArg& Scale) const
	{
		return TQuat<T>(X * (T)Scale, Y * (T)Scale, Z * (T)Scale, W * (T)Scale);
	}
	template <typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
	FORCEINLINE TQuat<T>& operator*=(const FArg& Scale)
	{
		X *= (T)Scale;
		Y *= (T)Scale;
		Z *= (T)Scale;
		W *= (T)Scale;
		return *this;
	}
	// Division by a scalar multiplies by its reciprocal.
	template <typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
	FORCEINLINE TQuat<T> operator/(const FArg& Scale) const
	{
		const T Recip = T(1) / (T)Scale;
		return TQuat<T>(X * Recip, Y * Recip, Z * Recip, W * Recip);
	}
	template <typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
	FORCEINLINE TQuat<T>& operator/=(const FArg& Scale)
	{
		const T Recip = T(1) / (T)Scale;
		X *= Recip;
		Y *= Recip;
		Z *= Recip;
		W *= Recip;
		return *this;
	}

	FORCEINLINE bool operator==(const TQuat<T>& Q) const { return X == Q.X && Y == Q.Y && Z == Q.Z && W == Q.W; }
	FORCEINLINE bool operator!=(const TQuat<T>& Q) const { return !(*this == Q); }
	// Four-component dot product.
	FORCEINLINE T operator|(const TQuat<T>& Q) const { return X * Q.X + Y * Q.Y + Z * Q.Z + W * Q.W; }

	// Same rotation within Tolerance per component, for either sign of Q.
	FORCEINLINE bool Equals(const TQuat<T>& Q, T Tolerance = UE_KINDA_SMALL_NUMBER) const
	{
		return (FMath::Abs(X - Q.X) <= Tolerance && FMath::Abs(Y - Q.Y) <= Tolerance &&
				   FMath::Abs(Z - Q.Z) <= Tolerance && FMath::Abs(W - Q.W) <= Tolerance) ||
			(FMath::Abs(X + Q.X) <= Tolerance && FMath::Abs(Y + Q.Y) <= Tolerance && FMath::Abs(Z + Q.Z) <= Tolerance &&
				FMath::Abs(W + Q.W) <= Tolerance);
	}
	FORCEINLINE bool IsIdentity(T Tolerance = UE_SMALL_NUMBER) const { return Equals(Identity, Tolerance); }

	FORCEINLINE T SizeSquared() const { return X * X + Y * Y + Z * Z + W * W; }
	FORCEINLINE T Size() const { return FMath::Sqrt(SizeSquared()); }
	// |1 - |q|^2| within UE_THRESH_QUAT_NORMALIZED (inclusive, the vector path's test).
	FORCEINLINE bool IsNormalized() const { return FMath::Abs((T)1 - SizeSquared()) <= (T)UE_THRESH_QUAT_NORMALIZED; }

	// Scales to unit length; below Tolerance (squared length) the result is the identity.
	FORCEINLINE void Normalize(T Tolerance = UE_SMALL_NUMBER)
	{
		const T SquareSum = SizeSquared();
		if (SquareSum >= Tolerance)
		{
			const T Scale = FMath::InvSqrt(SquareSum);
			X *= Scale;
			Y *= Scale;
			Z *= Scale;
			W *= Scale;
		}
		else
		{
			*this = Identity;
		}
	}
	FORCEINLINE TQuat<T> GetNormalized(T Tolerance = UE_SMALL_NUMBER) const
	{
		TQuat<T> Result(*this);
		Result.Normalize(Tolerance);
		return Result;
	}
	FORCEINLINE bool ContainsNaN() const
	{
		return !FMath::IsFinite(X) || !FMath::IsFinite(Y) || !FMath::IsFinite(Z) || !FMath::IsFinite(W);
	}

	// The conjugate: the inverse rotation of a unit quaternion.
	FORCEINLINE TQuat<T> Inverse() const { return TQuat<T>(-X, -Y, -Z, W); }

	// v' = v + W * t + q_v ^ t with t = 2 (q_v ^ v).
	FORCEINLINE TVector<T> RotateVector(TVector<T> V) const
	{
		const TVector<T> Q(X, Y, Z);
		const TVector<T> TT = TVector<T>::CrossProduct(Q, V) * (T)2;
		return V + TT * W + TVector<T>::CrossProduct(Q, TT);
	}
	FORCEINLINE TVector<T> UnrotateVector(TVector<T> V) const
	{
		const TVector<T> Q(-X, -Y, -Z);
		const TVector<T> TT = TVector<T>::CrossProduct(Q, V) * (T)2;
		return V + TT * W + TVector<T>::CrossProduct(Q, TT);
	}

	FORCEINLINE TVector<T> GetAxisX() const { return RotateVector(TVector<T>(1, 0, 0)); }
	FORCEINLINE TVector<T> GetAxisY() const { return RotateVector(TVector<T>(0, 1, 0)); }
	FORCEINLINE TVector<T> GetAxisZ() const { return RotateVector(TVector<T>(0, 0, 1)); }
	FORCEINLINE TVector<T> GetForwardVector() const { return GetAxisX(); }
	FORCEINLINE TVector<T> GetRightVector() const { return GetAxisY(); }
	FORCEINLINE TVector<T> GetUpVector() const { return GetAxisZ(); }
	FORCEINLINE TVector<T> Vector() const { return GetAxisX(); }

	FORCEINLINE T GetAngle() const { return (T)2 * FMath::Acos(W); }
	// Unit rotation axis; +X when the rotation is (nearly) zero.
	FORCEINLINE TVector<T> GetRotationAxis() const
	{
		const T SquareSum = X * X + Y * Y + Z * Z;
		if (SquareSum < (T)UE_SMALL_NUMBER)
		{
			return TVector<T>::XAxisVector;
		}
		const T Scale = FMath::InvSqrt(SquareSum);
		return TVector<T>(X * Scale, Y * Scale, Z * Scale);
	}
	FORCEINLINE void ToAxisAndAngle(TVector<T>& Axis, float& Angle) const
	{
		Angle = (float)GetAngle();
		Axis = GetRotationAxis();
	}
	FORCEINLINE void ToAxisAndAngle(TVector<T>& Axis, double& Angle) const
	{
		Angle = (double)GetAngle();
		Axis = GetRotationAxis();
	}

	// Splits this into Swing * Twist, Twist being the rotation about InTwistAxis (a unit axis).
	void ToSwingTwist(const TVector<T>& InTwistAxis, TQuat<T>& OutSwing, TQuat<T>& OutTwist) const
	{
		const TVector<T> Projection = InTwistAxis * TVector<T>::DotProduct(InTwistAxis, TVector<T>(X, Y, Z));
		OutTwist = TQuat<T>(Projection.X, Projection.Y, Projection.Z, W);
		// A swing of exactly 180 degrees leaves no twist to measure.
		if (OutTwist.SizeSquared() == 0)
		{
			OutTwist = Identity;
		}
		else
		{
			OutTwist.Normalize();
		}
		OutSwing = *this * OutTwist.Inverse();
	}
	// Signed twist angle in radians about TwistAxis, in [-pi, pi].
	FORCEINLINE T GetTwistAngle(const TVector<T>& TwistAxis) const
	{
		const T XYZ = TVector<T>::DotProduct(TwistAxis, TVector<T>(X, Y, Z));
		return FMath::UnwindRadians((T)2 * FMath::Atan2(XYZ, W));
	}

	// Flips this quaternion's sign when that brings it into the same hemisphere as OtherQuat.
	FORCEINLINE void EnforceShortestArcWith(const TQuat<T>& OtherQuat)
	{
		const T DotResult = (OtherQuat | *this);
		const T Bias = FMath::FloatSelect(DotResult, (T)1, (T)-1);
		X *= Bias;
		Y *= Bias;
		Z *= Bias;
		W *= Bias;
	}
	// Angle in radians between the two rotations.
	FORCEINLINE T AngularDistance(const TQuat<T>& Q) const
	{
		const T InnerProd = X * Q.X + Y * Q.Y + Z * Q.Z + W * Q.W;
		return FMath::Acos(((T)2 * InnerProd * InnerProd) - (T)1);
	}

	// Logarithm of a unit quaternion: (axis * half angle, 0).
	TQuat<T> Log() const
	{
		TQuat<T> Result;
		Result.W = 0;
		if (FMath::Abs(W) < (T)1)
		{
			const T Angle = FMath::Acos(W);
			const T SinAngle = FMath::Sin(Angle);
			if (FMath::Abs(SinAngle) >= (T)UE_SMALL_NUMBER)
			{
				const T Scale = Angle / SinAngle;
				Result.X = Scale * X;
				Result.Y = Scale * Y;
				Result.Z = Scale * Z;
				return Result;
			}
		}
		Result.X = X;
		Result.Y = Y;
		Result.Z = Z;
		return Result;
	}
	// Exponential of a pure quaternion (W assumed 0).
	TQuat<T> Exp() const
	{
		const T Angle = FMath::Sqrt(X * X + Y * Y + Z * Z);
		const T SinAngle = FMath::Sin(Angle);
		TQuat<T> Result;
		Result.W = FMath::Cos(Angle);
		if (FMath::Abs(SinAngle) >= (T)UE_SMALL_NUMBER)
		{
			const T Scale = SinAngle / Angle;
			Result.X = Scale * X;
			Result.Y = Scale * Y;
			Result.Z = Scale * Z;
		}
		else
		{
			Result.X = X;
			Result.Y = Y;
			Result.Z = Z;
		}
		return Result;
	}

	TRotator<T> Rotator() const;
	FORCEINLINE TVector<T> Euler() const;
	TMatrix<T> ToMatrix() const;
	void ToMatrix(TMatrix<T>& Mat) const;

	static FORCEINLINE TQuat<T> MakeFromRotator(const TRotator<T>& R);
	static FORCEINLINE TQuat<T> MakeFromEuler(const TVector<T>& Euler);

	// Shortest-arc rotation taking the direction of A onto the direction of B (w = |A||B| + A.B, then normalised).
	static TQuat<T> FindBetweenNormals(const TVector<T>& Normal1, const TVector<T>& Normal2)
	{
		return FindBetweenHelper(Normal1, Normal2, (T)1);
	}
	static TQuat<T> FindBetweenVectors(const TVector<T>& Vector1, const TVector<T>& Vector2)
	{
		const T NormAB = FMath::Sqrt(Vector1.SizeSquared() * Vector2.SizeSquared());
		return FindBetweenHelper(Vector1, Vector2, NormAB);
	}
	static FORCEINLINE TQuat<T> FindBetween(const TVector<T>& Vector1, const TVector<T>& Vector2)
	{
		return FindBetweenVectors(Vector1, Vector2);
	}

	// Angular error between two rotations, 0 (same) to 1 (opposite).
	static FORCEINLINE T Error(const TQuat<T>& Q1, const TQuat<T>& Q2)
	{
		const T Cosom = FMath::Abs(Q1.X * Q2.X + Q1.Y * Q2.Y + Q1.Z * Q2.Z + Q1.W * Q2.W);
		return (FMath::Abs(Cosom) < (T)0.9999999f) ? FMath::Acos(Cosom) * (T)(1.f / UE_PI) : (T)0;
	}

	// Linear blend on the shortest path, not normalised: B * Alpha + A * (+-(1 - Alpha)).
	static FORCEINLINE TQuat<T> FastLerp(const TQuat<T>& A, const TQuat<T>& B, const T Alpha)
	{
		const T DotResult = (A | B);
		const T Bias = FMath::FloatSelect(DotResult, (T)1, (T)-1);
		return (B * Alpha) + (A * (Bias * ((T)1 - Alpha)));
	}

	// Spherical blend on the shortest path, not normalised. Nearly equal rotations blend linearly; Slerp
	// outside [0, 1] extrapolates along the arc.
	static TQuat<T> Slerp_NotNormalized(const TQuat<T>& Quat1, const TQuat<T>& Quat2, T Slerp)
	{
		const T RawCosom = Quat1.X * Quat2.X + Quat1.Y * Quat2.Y + Quat1.Z * Quat2.Z + Quat1.W * Quat2.W;
		// Opposite hemispheres: blend towards -Quat2, the shorter way round.
		const T Cosom = FMath::FloatSelect(RawCosom, RawCosom, -RawCosom);
		T Scale0;
		T Scale1;
		if (Cosom < (T)HostConfiguration::SlerpLinearThreshold)
		{
			const T Omega = FMath::Acos(Cosom);
			const T InvSin = (T)1 / FMath::Sin(Omega);
			Scale0 = FMath::Sin(((T)1 - Slerp) * Omega) * InvSin;
			Scale1 = FMath::Sin(Slerp * Omega) * InvSin;
		}
		else
		{
			Scale0 = (T)1 - Slerp;
			Scale1 = Slerp;
		}
		Scale1 = FMath::FloatSelect(RawCosom, Scale1, -Scale1);
		TQuat<T> Result;
		Result.X = Scale0 * Quat1.X + Scale1 * Quat2.X;
		Result.Y = Scale0 * Quat1.Y + Scale1 * Quat2.Y;
		Result.Z = Scale0 * Quat1.Z + Scale1 * Quat2.Z;
		Result.W = Scale0 * Quat1.W + Scale1 * Quat2.W;
		return Result;
	}
	static FORCEINLINE TQuat<T> Slerp(const TQuat<T>& Quat1, const TQuat<T>& Quat2, T Slerp)
	{
		return Slerp_NotNormalized(Quat1, Quat2, Slerp).GetNormalized();
	}

private:
	static TQuat<T> FindBetweenHelper(const TVector<T>& A, const TVector<T>& B, T NormAB)
	{
		T HalfW = NormAB + TVector<T>::DotProduct(A, B);
		TQuat<T> Result;
		if (HalfW >= (T)1e-6f * NormAB)
		{
			Result = TQuat<T>(A.Y * B.Z - A.Z * B.Y, A.Z * B.X - A.X * B.Z, A.X * B.Y - A.Y * B.X, HalfW);
		}
		else
		{
			// A and B point in opposite directions: turn half a circle about any axis perpendicular to A.
			HalfW = 0;
			const T AbsX = FMath::Abs(A.X);
			const T AbsY = FMath::Abs(A.Y);
			const T AbsZ = FMath::Abs(A.Z);
			const TVector<T> Basis = (AbsX > AbsY && AbsX > AbsZ) ? TVector<T>::YAxisVector : -TVector<T>::XAxisVector;
			Result = TQuat<T>(
				A.Y * Basis.Z - A.Z * Basis.Y, A.Z * Basis.X - A.X * Basis.Z, A.X * Basis.Y - A.Y * Basis.X, HalfW);
		}
		Result.Normalize();
		return Result;
	}
};

template <typename T, typename FArg, std::enable_if_t<std::is_arithmetic_v<FArg>, int> = 0>
FORCEINLINE TQuat<T> operator*(const FArg Scale, const TQuat<T>& Quat)
{
	return Quat.operator*(Scale);
}

template <typename T> inline constinit const TQuat<T> TQuat<T>::Identity(0, 0, 0, 1);
} // namespace UE::Math

#include "Math/Rotator.h"
#include "Math/Matrix.h"
#include "Math/QuatRotationTranslationMatrix.h"

namespace UE::Math
{
template <typename T> TQuat<T>::TQuat(const TRotator<T>& R)
{
	*this = R.Quaternion();
}

// Rotation part of a matrix. A row that is (nearly) zero makes the rotation unrecoverable: identity.
// The result is neither normalised nor sign-canonicalised.
template <typename T> TQuat<T>::TQuat(const TMatrix<T>& M)
{
	if (M.GetScaledAxis(EAxis::X).IsNearlyZero() || M.GetScaledAxis(EAxis::Y).IsNearlyZero() ||
		M.GetScaledAxis(EAxis::Z).IsNearlyZero())
	{
		*this = Identity;
		return;
	}

	const T Trace = M.M[0][0] + M.M[1][1] + M.M[2][2];
	if (Trace > (T)0)
	{
		const T InvS = FMath::InvSqrt(Trace + (T)1);
		W = (T)0.5 * ((T)1 / InvS);
		const T S = (T)0.5 * InvS;
		X = (M.M[1][2] - M.M[2][1]) * S;
		Y = (M.M[2][0] - M.M[0][2]) * S;
		Z = (M.M[0][1] - M.M[1][0]) * S;
	}
	else
	{
		// Build from the largest diagonal element for precision.
		int32 I = 0;
		if (M.M[1][1] > M.M[0][0])
		{
			I = 1;
		}
		if (M.M[2][2] > M.M[I][I])
		{
			I = 2;
		}
		static constexpr int32 Next[3] = {1, 2, 0};
		const int32 J = Next[I];
		const int32 K = Next[J];

		const T InvS = FMath::InvSqrt(M.M[I][I] - M.M[J][J] - M.M[K][K] + (T)1);
		T Qt[4];
		Qt[I] = (T)0.5 * ((T)1 / InvS);
		const T S = (T)0.5 * InvS;
		Qt[3] = (M.M[J][K] - M.M[K][J]) * S;
		Qt[J] = (M.M[I][J] + M.M[J][I]) * S;
		Qt[K] = (M.M[I][K] + M.M[K][I]) * S;
		X = Qt[0];
		Y = Qt[1];
		Z = Qt[2];
		W = Qt[3];
	}
}

// Quaternion to rotator. Away from the poles pitch comes from asin and yaw and roll from Atan2; at the poles
// (|Z*X - W*Y| above the threshold) pitch is +-90 and the twist goes to yaw.
template <typename T> TRotator<T> TQuat<T>::Rotator() const
{
	const T SingularityTest = Z * X - W * Y;
	const T YawY = (T)2 * (W * Z + X * Y);
	const T YawX = ((T)1 - (T)2 * (FMath::Square(Y) + FMath::Square(Z)));
	const T SingularityThreshold = (T)HostConfiguration::QuatToRotatorSingularityThreshold;
	const T RadToDeg = (T)(180.0 / UE_DOUBLE_PI);

	TRotator<T> RotatorFromQuat;
	if (SingularityTest < -SingularityThreshold)
	{
		RotatorFromQuat.Pitch = (T)-90;
		if constexpr (HostConfiguration::bPoleTwistGoesToYaw)
		{
			RotatorFromQuat.Yaw = TRotator<T>::NormalizeAxis((T)-2 * FMath::Atan2(X, W) * RadToDeg);
			RotatorFromQuat.Roll = 0;
		}
		else
		{
			RotatorFromQuat.Yaw = FMath::Atan2(YawY, YawX) * RadToDeg;
			RotatorFromQuat.Roll =
				TRotator<T>::NormalizeAxis(-RotatorFromQuat.Yaw - ((T)2 * FMath::Atan2(X, W) * RadToDeg));
		}
	}
	else if (SingularityTest > SingularityThreshold)
	{
		RotatorFromQuat.Pitch = (T)90;
		if constexpr (HostConfiguration::bPoleTwistGoesToYaw)
		{
			RotatorFromQuat.Yaw = TRotator<T>::NormalizeAxis((T)2 * FMath::Atan2(X, W) * RadToDeg);
			RotatorFromQuat.Roll = 0;
		}
		else
		{
			RotatorFromQuat.Yaw = FMath::Atan2(YawY, YawX) * RadToDeg;
			RotatorFromQuat.Roll =
				TRotator<T>::NormalizeAxis(RotatorFromQuat.Yaw - ((T)2 * FMath::Atan2(X, W) * RadToDeg));
		}
	}
	else
	{
		RotatorFromQuat.Pitch = FMath::Asin((T)2 * SingularityTest) * RadToDeg;
		RotatorFromQuat.Yaw = FMath::Atan2(YawY, YawX) * RadToDeg;
		RotatorFromQuat.Roll =
			FMath::Atan2((T)-2 * (W * X + Y * Z), ((T)1 - (T)2 * (FMath::Square(X) + FMath::Square(Y)))) * RadToDeg;
	}
	return RotatorFromQuat;
}

template <typename T> FORCEINLINE TVector<T> TQuat<T>::Euler() const
{
	return Rotator().Euler();
}

template <typename T> TMatrix<T> TQuat<T>::ToMatrix() const
{
	return TQuatRotationTranslationMatrix<T>(*this, TVector<T>::ZeroVector);
}

template <typename T> void TQuat<T>::ToMatrix(TMatrix<T>& Mat) const
{
	Mat = TQuatRotationTranslationMatrix<T>(*this, TVector<T>::ZeroVector);
}

template <typename T> FORCEINLINE TQuat<T> TQuat<T>::MakeFromRotator(const TRotator<T>& R)
{
	return R.Quaternion();
}

template <typename T> FORCEINLINE TQuat<T> TQuat<T>::MakeFromEuler(const TVector<T>& Euler)
{
	return TRotator<T>::MakeFromEuler(Euler).Quaternion();
}
} // namespace UE::Math
