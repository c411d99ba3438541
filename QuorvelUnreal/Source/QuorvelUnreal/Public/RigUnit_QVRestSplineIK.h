// Rest spline IK: drives a joint chain from ordered spline controls while keeping its rest shape, blended with FK
// snapshots by weight; or, in restore mode, resets the chain to its initial local pose ahead of the FK pass.
#pragma once

#include "CoreMinimal.h"
#include "ControlRigSplineTypes.h"
#include "Rigs/RigHierarchyDefines.h"
#include "Units/RigUnit.h"
#include "RigUnit_QVRestSplineIK.generated.h"

//~ Items are the chain joints from its start to its tip; Weight blends each joint from its FK snapshot (0) to the
//~ solved chain (1); PathFrames holds each joint's deformed path frame and JointOffsets each rest joint relative to its
//~ rest path frame. Everything is gathered from the hierarchy first and the joints are written last, so a failed solve
//~ changes nothing. The output pins are refreshed by every solve and never read back.
USTRUCT(meta = (DisplayName = "QV Rest Spline IK", Category = "Quorvel|Body", Keywords = "Spline,IK,Rest,Offset",
			NodeColor = "0.737911 0.099899 0.099899",
			ToolTip = "Dense rest-curve deformation with joint offsets from evaluated path frames."))
struct QUORVELUNREAL_API FRigUnit_QVRestSplineIK : public FRigUnitMutable
{
	GENERATED_BODY()

	RIGVM_METHOD()
	virtual void Execute() override;

	UPROPERTY(meta = (Input, Category = "Pins"))
	TArray<FRigElementKey> Items;

	UPROPERTY(
		meta = (Input, Category = "Pins", ToolTip = "Ordered from the start of the chain to its tip; any count >= 2."))
	TArray<FRigElementKey> Controls;

	UPROPERTY(meta = (Input, Category = "Pins", ToolTip = "FK snapshots captured before any spline chain executes."))
	TArray<FRigElementKey> FKPose;

	UPROPERTY(meta = (Input, Category = "Pins", ClampMin = "0.0", ClampMax = "1.0"))
	float Weight = 1.f;

	UPROPERTY(
		meta = (Input, Category = "Pins", ClampMin = "0.0", ClampMax = "1.0",
			ToolTip =
				"Maya's end-control stretchy channel, normalized from 0..10 to 0..1.\nDefault preserves existing rigs' fully stretchy deformation."))
	float Stretch = 1.f;

	UPROPERTY(
		meta = (Input, Category = "Pins",
			ToolTip =
				"Run before the forward FK loop to prevent last frame's IK translations\nand scales from leaking into the newly captured FK pose."))
	bool bRestoreFK = false;

	UPROPERTY(meta = (Output, Category = "Pins", ToolTip = "Can be connected directly to Draw Spline for inspection."))
	FControlRigSpline Spline;

	UPROPERTY(meta = (Output, Category = "Pins"))
	TArray<FTransform> PathFrames;

	UPROPERTY(meta = (Output, Category = "Pins"))
	TArray<FTransform> JointOffsets;
};
