// Aim rotations of the eye-aim bindings.
#include "QVFaceAim.h"

namespace
{
// World up below this squared length (after removing its part along the direction) is too short to define a plane.
constexpr double MinWorldUpSquared = 1e-6;

FVector WithoutPartAlong(const FVector& Vector, const FVector& UnitDirection)
{
	return Vector - UnitDirection * (Vector | UnitDirection);
}
} // namespace

FQuat QVFaceAim::MakeRotationFromXAndPlane(const FVector& X, const FVector& PlaneVector)
{
	return FRotationMatrix::MakeFromXY(X, PlaneVector).ToQuat();
}

void QVFaceAim::NormalizeAxes(const FVector& AimAxis, const FVector& UpAxis, FVector& OutAim, FVector& OutUp)
{
	OutAim = AimAxis.GetSafeNormal();
	OutUp = WithoutPartAlong(UpAxis, OutAim).GetSafeNormal();
}

bool QVFaceAim::ComputeAimRotation(
	const FVector& Direction, const FVector& Aim, const FVector& Up, const FQuat& ReferenceRotation, FQuat& OutRotation)
{
	if (Direction.IsNearlyZero() || Aim.IsNearlyZero() || Up.IsNearlyZero())
	{
		return false;
	}
	FVector WorldUp = WithoutPartAlong(FVector::UpVector, Direction);
	if (WorldUp.SizeSquared() < MinWorldUpSquared)
	{
		WorldUp = WithoutPartAlong(ReferenceRotation.RotateVector(Up), Direction);
		if (WorldUp.SizeSquared() < MinWorldUpSquared)
		{
			WorldUp = WithoutPartAlong(FVector::XAxisVector, Direction);
		}
	}
	const FQuat LocalFrame = MakeRotationFromXAndPlane(Aim, Up);
	const FQuat AimedFrame = MakeRotationFromXAndPlane(Direction, WorldUp.GetSafeNormal());
	OutRotation = (AimedFrame * LocalFrame.Inverse()).GetNormalized();
	return true;
}

FQuat QVFaceAim::ComputeBindingRotation(const FVector& AimAxis, const FVector& UpAxis, const FTransform& Rest,
	const FTransform& NullInitial, const FVector& TargetInitial, const FVector& TargetCurrent)
{
	FVector Aim, Up;
	NormalizeAxes(AimAxis, UpAxis, Aim, Up);
	const FVector CurrentDirection = (TargetCurrent - Rest.GetTranslation()).GetSafeNormal();
	const FVector InitialDirection = (TargetInitial - NullInitial.GetTranslation()).GetSafeNormal();
	FQuat CurrentAim, InitialAim;
	if (ComputeAimRotation(CurrentDirection, Aim, Up, Rest.GetRotation(), CurrentAim) &&
		ComputeAimRotation(InitialDirection, Aim, Up, NullInitial.GetRotation(), InitialAim))
	{
		return (CurrentAim * InitialAim.Inverse() * NullInitial.GetRotation()).GetNormalized();
	}
	return Rest.GetRotation();
}
