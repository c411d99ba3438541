// The face solver's set-driven-key phases: driver rows and their driven channels, direct controls, and the single
// write of every target they touched.
#pragma once

#include "CoreMinimal.h"
#include "QVFaceDirectControl.h"
#include "QVFaceEvaluation.h"
#include "QVFaceSDKAccumulation.h"

namespace QVFaceSDKRows
{
// The element a driven channel's BoneName names: the bone of that name, else the null of that name. False for None.
bool ResolveDrivenTarget(const URigHierarchy& Hierarchy, const FName& TargetName, FCachedRigElement& CachedTarget);

// Sizes the per-driver and per-channel caches to the asset, seeds the accumulation with the bones of the region
// controls (so they are written back even when no row drives them), then evaluates every driver in asset order:
// reads its control channel, normalises it by the face scale where the channel is in face units, and accumulates
// every driven channel's curve output on its target. The accumulation must start empty.
void EvaluateDrivers(const FQVFaceEvaluation& Evaluation, TArray<FCachedRigElement>& CachedControls,
	TArray<FCachedRigElement>& CachedDrivenBones, FQVFaceSDKAccumulation& Accumulation);

// Adds each direct control's local delta to its bone, after all rows. Bones of direct controls with a follow helper
// are first recorded in FollowRecord with their pose before the delta.
void AddDirectControls(const FQVFaceEvaluation& Evaluation, TArray<FCachedRigElement>& CachedDirectControls,
	FQVFaceSDKAccumulation& Accumulation, FQVFaceFollowRecord& FollowRecord);

// Writes every accumulated target's local transform once, world and rotation deltas applied last, in order of first
// appearance, carrying children along.
void WriteTargets(const FQVFaceEvaluation& Evaluation, const FQVFaceSDKAccumulation& Accumulation);
} // namespace QVFaceSDKRows
