// Direct controls: an animator control whose motion since its setup pose is added to a face bone, and the record of
// each such bone's pose before that motion, which the direct controls' follow helpers track.
#pragma once

#include "CoreMinimal.h"

namespace QVFaceDirectControl
{
// Adds the control's local delta (current against setup local transform) to a bone's local transform, InOutBone.
// The translation delta is divided by the face scale, taken through the control's setup global rotation and scale
// into rig space and then into the frame of the bone's parent (rotation only); the rotation delta is taken the same
// way and applied before the bone's rotation; the scale is multiplied by the control's scale ratio on every axis
// whose setup scale is not zero.
void AddDelta(FTransform& InOutBone, const FTransform& ControlInitialLocal, const FTransform& ControlCurrentLocal,
	const FTransform& ControlInitialGlobal, const FTransform& BoneParentCurrentGlobal, double FaceScaleDivisor);
} // namespace QVFaceDirectControl

// Bone name to the bone's set-driven-key local transform, without direct-control deltas: filled by the direct
// controls that have a follow helper, read by the follow helpers after the pose is written. Per evaluation; a face has
// few such bones, so a short list serves as the map and usually stays inline.
class FQVFaceFollowRecord
{
public:
	// Forgets every record and makes room for MaxRecords.
	void Reset(int32 MaxRecords = 0) { Entries.Reset(MaxRecords); }
	int32 Num() const { return Entries.Num(); }

	// Records the bone's pose. A bone recorded before keeps its first record: that is the pose before any direct
	// control moved it.
	void Record(const FName& BoneName, const FTransform& SDKLocal);
	// The bone's record, or null.
	const FTransform* Find(const FName& BoneName) const;

private:
	struct FEntry
	{
		FName BoneName;
		FTransform SDKLocal;
	};
	TArray<FEntry, TInlineAllocator<16>> Entries;
};
