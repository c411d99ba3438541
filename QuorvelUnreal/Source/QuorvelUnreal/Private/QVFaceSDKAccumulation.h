// The targets of one face evaluation and what the set-driven-key rows and direct controls accumulate for each, kept in
// the face solver's four parallel accumulation arrays so that their allocations last from one evaluation to the next.
#pragma once

#include "CoreMinimal.h"
#include "QVFaceSDKTypes.h"
#include "Rigs/RigHierarchyDefines.h"

// Per target, in order of first appearance: its key, the local transform being built (from its setup local
// transform), additive rotator angles in degrees (X roll, Y pitch, Z yaw) and an additive rig-space translation.
// The deltas are applied only when a target is resolved for writing, after every row and direct control.
class FQVFaceSDKAccumulation
{
public:
	FQVFaceSDKAccumulation(TArray<FRigElementKey>& InKeys, TArray<FTransform>& InTransforms,
		TArray<FVector>& InRotationDeltas, TArray<FVector>& InWorldTranslationDeltas);

	// Forgets every target, keeping the arrays' allocations.
	void Reset();

	int32 Num() const { return Keys.Num(); }
	const FRigElementKey& GetKey(int32 Target) const { return Keys[Target]; }
	FTransform& GetTransform(int32 Target) { return Transforms[Target]; }
	const FTransform& GetTransform(int32 Target) const { return Transforms[Target]; }
	const FVector& GetRotationDelta(int32 Target) const { return RotationDeltas[Target]; }
	const FVector& GetWorldTranslationDelta(int32 Target) const { return WorldTranslationDeltas[Target]; }

	// The index of the target with this key (type and name), or INDEX_NONE.
	int32 Find(const FRigElementKey& Key) const;
	// Appends a target that is not there yet, starting at its setup local transform with no deltas; its index.
	// ElementIndex is the hierarchy index the key resolved to, kept so the write need not resolve it again.
	int32 Add(const FRigElementKey& Key, const FTransform& InitialLocal, int32 ElementIndex = INDEX_NONE);
	// The element index given to Add; INDEX_NONE when none was given or the target lies beyond MaxIndexedTargets.
	int32 GetElementIndex(int32 Target) const
	{
		return Target < MaxIndexedTargets ? ElementIndices[Target] : INDEX_NONE;
	}

	// A rotation row: turns the target by the curve's rotation, blended from the identity by Weight * Multiplier
	// clamped to [0, 1].
	void ApplyQuaternionRow(int32 Target, const FQuat& CurveRotation, float Weight, float Multiplier);
	// An absolute row: sets the channel to its setup value blended towards Output by Weight clamped to [0, 1].
	void ApplyAbsoluteRow(
		int32 Target, EQVFaceSDKChannel Channel, const FTransform& InitialLocal, double Output, float Weight);
	// An additive row: adds Output times the additive weight (see AdditiveWeight) to the channel. Angles go to the
	// rotation delta in either space; translations in world space go to the world translation delta.
	void ApplyAdditiveRow(
		int32 Target, EQVFaceSDKChannel Channel, EQVFaceSDKTransformSpace Space, double Output, float Weight);

	// The local transform to write for a target: the accumulated transform, moved by its world translation delta
	// (taken into the frame of ParentInitialRotation, the parent's setup rotation) and then turned by its rotation
	// delta. Deltas with no component above 1e-4 are left out.
	FTransform Resolve(int32 Target, const FQuat& ParentInitialRotation) const;
	// Whether Resolve uses ParentInitialRotation for this target: its world translation delta is not negligible.
	bool HasWorldTranslationDelta(int32 Target) const;

	// What additive rows scale by: the weight itself, so weights above 1 exaggerate, while it is a number. A weight
	// that is not a finite number acts as the bound a clamp to [0, 1] gives it, as in every clamped use of the same
	// weight (NaN and +infinity: 1), so that no NaN reaches the pose.
	static float AdditiveWeight(float Weight);

private:
	// Keys are found through an open-addressing table of target index + 1 (0: empty slot) on the evaluation's
	// stack, so finding a target neither scans the list nor allocates. Targets beyond MaxIndexedTargets, far more
	// than a face has, are found by scanning the rest of the list.
	static constexpr int32 IndexSlots = 512;
	static constexpr int32 MaxIndexedTargets = IndexSlots / 2;

	TArray<FRigElementKey>& Keys;
	TArray<FTransform>& Transforms;
	TArray<FVector>& RotationDeltas;
	TArray<FVector>& WorldTranslationDeltas;
	int32 Slots[IndexSlots];
	int32 ElementIndices[MaxIndexedTargets];
};
