// Follow helpers: a null in the controller hierarchy that tracks a face bone and keeps the offset it has to the bone
// at setup. With the face joint resolved the offset is kept in the face joint's frame and the helper's scale follows
// the face joint's; without it, the offset is kept in rig space.
#pragma once

#include "CoreMinimal.h"

namespace QVFaceFollow
{
// The transform with its scale replaced by (1, 1, 1).
FTransform WithUnitScale(const FTransform& Transform);

// The helper's global pose in the face joint's frame. NullInitial is the helper's setup global pose, whose
// translation is multiplied by TranslationScale before use (the face scale for helpers bound in face units, else
// 1). BoneInitial and BoneNow are the followed bone's setup and current global poses, both taken with unit scale;
// without bFollowRotation the bone keeps its setup rotation relative to the face joint. The result has the
// helper's setup scale times the face joint's current-to-setup scale ratio (0 on an axis whose setup scale is
// within 1e-8 of zero).
FTransform PlaceInFaceFrame(const FTransform& NullInitial, double TranslationScale, const FTransform& BoneInitial,
	const FTransform& BoneNow, const FTransform& FaceJointInitial, const FTransform& FaceJointNow,
	bool bFollowRotation);

// The helper's global pose without a face joint: its rest pose (NullRest, its setup local under its current parent)
// relative to the bone's setup global pose, carried by the bone's current one (both with unit scale), with the rest
// pose's scale.
FTransform PlaceWithoutFaceJoint(const FTransform& NullRest, const FTransform& BoneInitial, const FTransform& BoneNow);

// The offset that cancels a control's own motion, from its value as a transform: the value's rotation and scale,
// and its translation negated.
FTransform CancelValue(const FTransform& Value);
} // namespace QVFaceFollow
