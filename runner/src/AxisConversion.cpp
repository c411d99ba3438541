// Axis swaps between the engine's space and right-handed Y-up or Z-up spaces.
#include "QVRig/AxisConversion.h"

FVector FQVAxisConversion::SwapAxes(const FVector& InVector) const
{
	return UpAxis == EQVUpAxis::Y ? FVector(InVector.X, InVector.Z, InVector.Y)
								  : FVector(InVector.X, -InVector.Y, InVector.Z);
}

FQuat FQVAxisConversion::SwapAxes(const FQuat& InRotation) const
{
	// The axis of rotation is a pseudovector: under a mirror M it becomes -M * axis.
	const FVector Axis = SwapAxes(FVector(InRotation.X, InRotation.Y, InRotation.Z));
	return FQuat(-Axis.X, -Axis.Y, -Axis.Z, InRotation.W);
}

FVector FQVAxisConversion::SwapScaleAxes(const FVector& InScale) const
{
	return UpAxis == EQVUpAxis::Y ? FVector(InScale.X, InScale.Z, InScale.Y) : InScale;
}

FTransform FQVAxisConversion::ToOther(const FTransform& InEngineTransform) const
{
	return FTransform(SwapAxes(InEngineTransform.GetRotation()),
		SwapAxes(InEngineTransform.GetTranslation()) / UnitInCentimetres,
		SwapScaleAxes(InEngineTransform.GetScale3D()));
}

FTransform FQVAxisConversion::ToEngine(const FTransform& InOtherTransform) const
{
	return FTransform(SwapAxes(InOtherTransform.GetRotation()),
		SwapAxes(InOtherTransform.GetTranslation()) * UnitInCentimetres, SwapScaleAxes(InOtherTransform.GetScale3D()));
}
