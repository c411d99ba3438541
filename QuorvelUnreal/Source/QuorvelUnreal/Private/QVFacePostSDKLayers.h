// The face layers laid over the finished set-driven-key pose, when the weight lets the rows run: eye joints, region
// controls, follow controls and the follow helpers of direct controls, in that order.
#pragma once

#include "CoreMinimal.h"
#include "QVFaceDirectControl.h"
#include "QVFaceEvaluation.h"

namespace QVFacePostSDKLayers
{
// Gives each eye joint its final eye control's global pose.
void CopyEyeJoints(const FQVFaceEvaluation& Evaluation);

// Moves each region control's bones rigidly about the control's pivot.
void MoveRegions(const FQVFaceEvaluation& Evaluation);

// Places each follow control's helper null on its bone and cancels the control's own motion.
void PlaceFollowControls(const FQVFaceEvaluation& Evaluation);

// Places each direct control's follow helper on its bone's recorded pose, before the control's delta.
void PlaceDirectControlFollowers(const FQVFaceEvaluation& Evaluation, const FQVFaceFollowRecord& FollowRecord);
} // namespace QVFacePostSDKLayers
