// Bendy limbs: the handle and segment records and the bend solver unit that lays bone chains along a B-spline
// shaped by handle controls, spreading the handles' twist and scale along the chain.
#pragma once

#include "CoreMinimal.h"
#include "Units/RigUnit.h"
#include "RigUnit_QVBendySolver.generated.h"

//~ A handle shapes the bend curve: its control's local transform carries curve points from the handle's rest frame
//~ on the limb to the animated frame. The solver writes the handle's space null every deforming evaluation.
USTRUCT(BlueprintType, meta = (ToolTip = "An authored handle, in a clean controller hierarchy (never under a bone)."))
struct QUORVELUNREAL_API FQVBendHandle
{
	GENERATED_BODY()

	//~ None: an unanimated endpoint that follows the limb.
	UPROPERTY()
	FName Control;

	//~ The null the control sits under; its setup placement relative to the segment's first bone is the rest frame.
	UPROPERTY()
	FName Space;

	//~ Optional extra parent offset; when set, the null "QVBendSpace_" + ParentControl receives the rest frame.
	UPROPERTY()
	FName ParentControl;

	//~ 0 at the segment's first bone, 1 at its last.
	UPROPERTY()
	float Parameter = 0.5f;
};

//~ One chain of bones bent along one curve, first bone (segment start) to last (segment end).
USTRUCT(BlueprintType)
struct QUORVELUNREAL_API FQVBendSegment
{
	GENERATED_BODY()

	UPROPERTY()
	TArray<FName> Bones;

	//~ Parallel to Bones: each bone's place along the curve as a fraction of arc length.
	UPROPERTY()
	TArray<float> Parameters;

	UPROPERTY(meta = (ToolTip = "Ordered start, interior handles, end. NAME_None denotes an unanimated endpoint."))
	TArray<FQVBendHandle> Handles;

	//~ Optional control that bends the row of interior handles as a group.
	UPROPERTY()
	FName Master;

	//~ The null that carries the master's rest placement.
	UPROPERTY()
	FName MasterSpace;

	UPROPERTY()
	float MasterParameter = 0.5f;
};

//~ One rig places this unit several times: with bRestore to bring the snapshot bones back to their pose records,
//~ with bCaptureOnly and bCaptureBase to record the pre-twist pose, and with both off to deform. The pose records are
//~ the nulls "QVBendBase_" + bone; the unit itself keeps nothing between evaluations.
USTRUCT(meta = (DisplayName = "QV Bend Solver", Category = "Quorvel|Body", Varying,
			ToolTip = "Restore, pre-twist capture and post-twist deformation share hierarchy pose records."))
struct QUORVELUNREAL_API FRigUnit_QVBendySolver : public FRigUnitMutable
{
	GENERATED_BODY()

	RIGVM_METHOD()
	virtual void Execute() override;

	UPROPERTY(meta = (Input, Category = "Pins"))
	bool bRestore = false;

	UPROPERTY(
		meta = (Input, Category = "Pins", ToolTip = "Keep defaults compatible with previously generated solver nodes."))
	bool bCaptureBase = true;

	UPROPERTY(meta = (Input, Category = "Pins"))
	bool bCaptureOnly = false;

	UPROPERTY(meta = (Input, Category = "Pins"))
	TArray<FQVBendSegment> Segments;

	UPROPERTY(meta = (Input, Category = "Pins",
				  ToolTip = "Parent-first order, matching the corresponding QVBendBase_<bone> nulls."))
	TArray<FName> SnapshotBones;
};
