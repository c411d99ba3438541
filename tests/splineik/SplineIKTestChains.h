// Chains, controls and comparisons shared by the rest spline IK tests: the curved and straight chains the solve is
// checked on, control placement along a chain, random chains, and transform comparison up to quaternion sign.
#pragma once

#include "CoreMinimal.h"

#include <gtest/gtest.h>

#include <random>

namespace QVSplineIKTest
{
// Joint i of n at u = i / (n - 1): translation (40 sin 4u, 8u, 40 cos 4u), rotation pitch 15u, yaw 60u, roll -20u.
inline TArray<FTransform> CurvedChain(int32 NumJoints)
{
	TArray<FTransform> Joints;
	for (int32 Index = 0; Index < NumJoints; ++Index)
	{
		const double U = double(Index) / double(NumJoints - 1);
		Joints.Add(FTransform(FRotator(15.0 * U, 60.0 * U, -20.0 * U),
			FVector(40.0 * FMath::Sin(4.0 * U), 8.0 * U, 40.0 * FMath::Cos(4.0 * U))));
	}
	return Joints;
}

// Control k of m at the fractional joint index k (n - 1) / (m - 1): the blend of the two joints around it, moved off
// the chain by Offset.
inline TArray<FTransform> ControlsAlong(
	const TArray<FTransform>& Joints, int32 NumControls, const FVector& Offset = FVector(2, -3, 1))
{
	TArray<FTransform> Controls;
	for (int32 Index = 0; Index < NumControls; ++Index)
	{
		const double Position = double(Index) * double(Joints.Num() - 1) / double(NumControls - 1);
		const int32 Lower = FMath::Min(int32(Position), Joints.Num() - 2);
		FTransform Control;
		Control.Blend(Joints[Lower], Joints[Lower + 1], float(Position - double(Lower)));
		Control.AddToTranslation(Offset);
		Controls.Add(Control);
	}
	return Controls;
}

// n joints on a line along +X (Direction 1) or -X (Direction -1), 10 apart, identity rotation.
inline TArray<FTransform> StraightChain(int32 NumJoints, double Direction)
{
	TArray<FTransform> Joints;
	for (int32 Index = 0; Index < NumJoints; ++Index)
	{
		Joints.Add(FTransform(FVector(10.0 * Direction * double(Index), 0, 0)));
	}
	return Joints;
}

// Each transform composed with Motion (the transform first, then the motion).
inline TArray<FTransform> Moved(const TArray<FTransform>& Transforms, const FTransform& Motion)
{
	TArray<FTransform> Result;
	for (const FTransform& Transform : Transforms)
	{
		Result.Add(Transform * Motion);
	}
	return Result;
}

// A random chain shaped like a spine or a tail: segments from 5 to 10 long, each turning at most 30 degrees from the
// one before, random joint rotations; its controls sit at random increasing places along it, off the chain by up to
// 3, randomly turned.
struct FRandomChain
{
	TArray<FTransform> Joints;
	TArray<FTransform> Controls;
};

inline FVector RandomUnitVector(std::mt19937& Random)
{
	std::normal_distribution<double> Normal;
	for (;;)
	{
		const FVector Vector(Normal(Random), Normal(Random), Normal(Random));
		if (Vector.SizeSquared() > 1e-6)
		{
			return Vector.GetSafeNormal();
		}
	}
}

inline FQuat RandomRotation(std::mt19937& Random)
{
	std::uniform_real_distribution<double> Angle(-180.0, 180.0);
	return FRotator(Angle(Random) / 2.0, Angle(Random), Angle(Random)).Quaternion();
}

inline FRandomChain MakeRandomChain(std::mt19937& Random, int32 NumJoints, int32 NumControls)
{
	std::uniform_real_distribution<double> Unit(0.0, 1.0);
	FRandomChain Chain;
	FVector Position(Unit(Random) * 100.0 - 50.0, Unit(Random) * 100.0 - 50.0, Unit(Random) * 100.0);
	FVector Direction = RandomUnitVector(Random);
	for (int32 Index = 0; Index < NumJoints; ++Index)
	{
		Chain.Joints.Add(FTransform(RandomRotation(Random), Position));
		// Turn by up to 30 degrees about a random axis across the current direction.
		const FVector Axis = Direction.Cross(RandomUnitVector(Random)).GetSafeNormal();
		const double Turn = FMath::DegreesToRadians(30.0) * Unit(Random);
		if (!Axis.IsNearlyZero())
		{
			Direction = FQuat(Axis, Turn).RotateVector(Direction);
		}
		Position += Direction * (5.0 + 5.0 * Unit(Random));
	}

	TArray<double> Places;
	for (int32 Index = 0; Index < NumControls; ++Index)
	{
		Places.Add(Unit(Random) * double(NumJoints - 1));
	}
	Places.Sort();
	Places[0] = 0.0;
	Places.Last() = double(NumJoints - 1);
	for (const double Place : Places)
	{
		const int32 Lower = FMath::Min(int32(Place), NumJoints - 2);
		FTransform Control;
		Control.Blend(Chain.Joints[Lower], Chain.Joints[Lower + 1], float(Place - double(Lower)));
		Control.SetRotation(RandomRotation(Random));
		Control.AddToTranslation(RandomUnitVector(Random) * (3.0 * Unit(Random)));
		Chain.Controls.Add(Control);
	}
	return Chain;
}

inline bool QuatNear(const FQuat& A, const FQuat& B, double Tolerance)
{
	const bool bSame = FMath::Abs(A.X - B.X) <= Tolerance && FMath::Abs(A.Y - B.Y) <= Tolerance &&
		FMath::Abs(A.Z - B.Z) <= Tolerance && FMath::Abs(A.W - B.W) <= Tolerance;
	const bool bNegated = FMath::Abs(A.X + B.X) <= Tolerance && FMath::Abs(A.Y + B.Y) <= Tolerance &&
		FMath::Abs(A.Z + B.Z) <= Tolerance && FMath::Abs(A.W + B.W) <= Tolerance;
	return bSame || bNegated;
}

inline FString Describe(const FTransform& T)
{
	const FVector L = T.GetTranslation();
	const FQuat R = T.GetRotation();
	const FVector S = T.GetScale3D();
	return FString::Printf(TEXT("T(%.6f, %.6f, %.6f) R(%.6f, %.6f, %.6f, %.6f) S(%.6f, %.6f, %.6f)"), L.X, L.Y, L.Z,
		R.X, R.Y, R.Z, R.W, S.X, S.Y, S.Z);
}

// Translation and scale within TranslationTolerance per component, rotation within RotationTolerance per quaternion
// component (either sign); a negative tolerance skips that part.
inline ::testing::AssertionResult TransformNear(const FTransform& Actual, const FTransform& Expected,
	double TranslationTolerance, double RotationTolerance, double ScaleTolerance)
{
	const bool bTranslation =
		TranslationTolerance < 0.0 || Actual.GetTranslation().Equals(Expected.GetTranslation(), TranslationTolerance);
	const bool bRotation =
		RotationTolerance < 0.0 || QuatNear(Actual.GetRotation(), Expected.GetRotation(), RotationTolerance);
	const bool bScale = ScaleTolerance < 0.0 || Actual.GetScale3D().Equals(Expected.GetScale3D(), ScaleTolerance);
	if (bTranslation && bRotation && bScale)
	{
		return ::testing::AssertionSuccess();
	}
	return ::testing::AssertionFailure() << *Describe(Actual) << " expected " << *Describe(Expected);
}

inline bool IsFinite(const FTransform& T)
{
	return !T.ContainsNaN();
}
} // namespace QVSplineIKTest
