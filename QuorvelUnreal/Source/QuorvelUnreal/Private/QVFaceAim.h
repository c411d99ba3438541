// Aiming an eye-aim null at its target: the rotation that turns an authored aim axis onto a direction, with its up
// axis kept as close to world up as the direction allows, and the binding that keeps the null's rest offset to it.
#pragma once

#include "CoreMinimal.h"

namespace QVFaceAim
{
// The rotation whose X axis is X and whose XY plane holds PlaneVector, both normalised first. A plane vector
// (nearly) parallel to X is replaced by +Z, or by +X when X itself is within 1e-4 of vertical.
FQuat MakeRotationFromXAndPlane(const FVector& X, const FVector& PlaneVector);

// The aim axis normalised, and the up axis made perpendicular to it and normalised. An axis whose squared length is
// below 1e-8 comes out zero.
void NormalizeAxes(const FVector& AimAxis, const FVector& UpAxis, FVector& OutAim, FVector& OutUp);

// The rotation taking the frame of (Aim, Up) onto the frame of (Direction, world up), where world up is +Z without
// its part along Direction; when that is (nearly) zero, Up turned by ReferenceRotation instead, and then +X. False,
// with OutRotation untouched, when Direction, Aim or Up has every component within 1e-4 of zero.
bool ComputeAimRotation(const FVector& Direction, const FVector& Aim, const FVector& Up, const FQuat& ReferenceRotation,
	FQuat& OutRotation);

// The rotation of an aimed null: its rest rotation under its current parent (Rest), turned by how much the aim
// towards the target changed since setup (from NullInitial, the null's setup global, towards TargetInitial, to Rest
// towards TargetCurrent). Rest's rotation when either aim cannot be built (a target on the null, degenerate axes).
FQuat ComputeBindingRotation(const FVector& AimAxis, const FVector& UpAxis, const FTransform& Rest,
	const FTransform& NullInitial, const FVector& TargetInitial, const FVector& TargetCurrent);
} // namespace QVFaceAim
