// Region controls: a group of bones moved rigidly with a control about the control's own pivot. Every bone's new
// global pose is worked out from the pose the set-driven-key rows left, then the bones are written parents first so
// each child lands exactly on its new pose.
#pragma once

#include "CoreMinimal.h"

// One bone of a region: its element index, its depth below the hierarchy's root and the global pose it is given.
struct FQVFaceRegionBone
{
	int32 Index = INDEX_NONE;
	int32 Depth = 0;
	FTransform Target;
};

namespace QVFaceRegion
{
// The bone's global pose after the pivot moved from PivotRest to PivotNow: its offset to the pivot is kept.
FTransform MoveWithPivot(const FTransform& BoneGlobal, const FTransform& PivotRest, const FTransform& PivotNow);

// Orders the bones shallowest first; bones of equal depth keep their order. A region holds a few bones, so this is
// an insertion sort in place.
void SortShallowestFirst(TArrayView<FQVFaceRegionBone> Bones);
} // namespace QVFaceRegion
