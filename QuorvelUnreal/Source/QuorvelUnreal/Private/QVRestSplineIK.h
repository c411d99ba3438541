// The rest spline IK solve: lays a joint chain along a spline its controls drive, keeping the chain's rest shape
// (each joint's offset from the curve and its roll about it) and blending its stretch. Plain lists in, plain lists
// out; no rig hierarchy and no state between calls.
#pragma once

#include "CoreMinimal.h"
#include "ControlRigSplineTypes.h"

namespace QVRestSplineIK
{
// All transforms are global. RestJoints and the two control lists run from the start of the chain to its tip;
// CurrentControls holds the controls' current transforms in the order of RestControls. Stretch (clamped to 0..1,
// NaN reads as 1) blends each segment from its rest length, scaled by the first control, to its length along the
// control-driven curve.
//
// On success OutJoints holds the solved joints, Spline the deformed spline, PathFrames each joint's deformed path
// frame and JointOffsets each rest joint relative to its rest path frame (all resized to the joint count). Returns
// false, writing nothing, for fewer than 2 joints or controls, control lists of different lengths, or a chain whose
// rest length is below 1e-8 or not finite.
bool Solve(TConstArrayView<FTransform> RestJoints, TConstArrayView<FTransform> RestControls,
	TConstArrayView<FTransform> CurrentControls, TArray<FTransform>& OutJoints, FControlRigSpline& Spline,
	TArray<FTransform>& PathFrames, TArray<FTransform>& JointOffsets, float Stretch);
} // namespace QVRestSplineIK
