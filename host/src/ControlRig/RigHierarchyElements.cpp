// Preferred Euler angles of controls.
#include "Rigs/RigHierarchyElements.h"

namespace
{
// The winding of InAngle closest to InReference.
double Wind(double InAngle, double InReference)
{
	return InAngle + 360.0 * FMath::RoundToDouble((InReference - InAngle) / 360.0);
}

FRotator WoundTowards(const FRotator& InRotator, const FRotator& InReference)
{
	return FRotator(Wind(InRotator.Pitch, InReference.Pitch), Wind(InRotator.Yaw, InReference.Yaw),
		Wind(InRotator.Roll, InReference.Roll));
}

double Distance(const FRotator& A, const FRotator& B)
{
	return FMath::Abs(A.Pitch - B.Pitch) + FMath::Abs(A.Yaw - B.Yaw) + FMath::Abs(A.Roll - B.Roll);
}
} // namespace

void FRigPreferredEulerAngles::Reset()
{
	Initial = Current = FVector::ZeroVector;
}

FRotator FRigPreferredEulerAngles::SetRotator(const FRotator& InRotator, bool bInitial, bool bFixEulerFlips)
{
	FRotator Rotator = InRotator;
	if (bFixEulerFlips)
	{
		// Of the two Euler triples of the same rotation, wound towards the previous angles, keep the nearer.
		const FRotator Previous = GetRotator(bInitial);
		const FRotator Direct = WoundTowards(InRotator, Previous);
		const FRotator Flipped = WoundTowards(InRotator.GetEquivalentRotator(), Previous);
		Rotator = Distance(Flipped, Previous) < Distance(Direct, Previous) ? Flipped : Direct;
	}
	Get(bInitial) = Rotator.Euler();
	return Rotator;
}
