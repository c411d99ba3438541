// The face solver: poses a face from a face rig data asset once per evaluation, in a fixed order of phases (the
// control box, visibility switches, the layers before the set-driven-key rows, the rows and direct controls, and the
// layers over their result).
//
// Pins: the asset may be empty (the control box still follows the face joint, and nothing else runs). At a Weight of
// 1e-8 or below the rows and every later phase are skipped; additive rows use the weight unclamped. FaceJoint and
// CtrlBoxAttach left None (type or name) mean the bone "FaceJoint_M" and the null "ctrlBoxAttach". A FaceScaler of 1
// derives the face scale from the face joint's setup scale.
//
// Hidden state (the pins named Cached... and Accumulated..., kept by the host per unit instance): one cached control
// per driver, one cached element per driven channel (every driver's channels in order), one cached control per
// direct control, per proxy slot the name last seen and the value last written back, and four parallel arrays of the
// evaluation's distinct targets (key, local transform being built, additive rotator angles in degrees as X roll,
// Y pitch, Z yaw, and additive rig-space translation). Cached elements are re-validated by key on every use, so an
// asset whose arrays change is picked up on the next evaluation. No comment sits right above the reflected
// declarations below: it would become metadata of the node or pin.
#pragma once

#include "CoreMinimal.h"
#include "QVFaceRigDataAsset.h"
#include "Rigs/RigHierarchyCache.h"
#include "Units/RigUnit.h"
#include "RigUnit_QVFaceSDKSolver.generated.h"

USTRUCT(meta = (DisplayName = "QV Face SDK Solver", Category = "Quorvel|Face",
			Keywords = "Quorvel,Face,SDK,SetDrivenKey", NodeColor = "0.12 0.42 0.72", Varying))
struct QUORVELUNREAL_API FRigUnit_QVFaceSDKSolver : public FRigUnitMutable
{
	GENERATED_BODY()

	RIGVM_METHOD()
	virtual void Execute() override;

	UPROPERTY(meta = (Input, Category = "Pins"))
	TObjectPtr<UQVFaceRigDataAsset> FaceRigDataAsset;

	UPROPERTY(meta = (Input, Category = "Pins", UIMin = "0.0", UIMax = "1.0"))
	float Weight = 1.f;

	UPROPERTY(meta = (Input, Category = "Pins", ExpandByDefault))
	FRigElementKey FaceJoint = FRigElementKey(TEXT("FaceJoint_M"), ERigElementType::Bone);

	UPROPERTY(meta = (Input, Category = "Pins", ExpandByDefault))
	FRigElementKey CtrlBoxAttach = FRigElementKey(TEXT("ctrlBoxAttach"), ERigElementType::Null);

	UPROPERTY(meta = (Input, Category = "Pins", UIMin = "0.0", UIMax = "100.0"))
	float FaceScaler = 1.f;

	UPROPERTY(meta = (Input, Category = "Pins"))
	bool bDebug = false;

	UPROPERTY()
	TArray<FCachedRigElement> CachedControls;

	UPROPERTY()
	TArray<FCachedRigElement> CachedDrivenBones;

	UPROPERTY()
	TArray<FCachedRigElement> CachedDirectControls;

	UPROPERTY(meta = (ToolTip = "Last values written back by proxy synchronization, not animation state."))
	TArray<FTransform> CachedProxyValues;

	UPROPERTY()
	TArray<FName> CachedProxyNames;

	UPROPERTY(
		meta = (ToolTip =
					"Most SDK rows drive bones, but synthetic SDK layers such as the SDK eye are controller-hierarchy nulls, so each target keeps its element type."))
	TArray<FRigElementKey> AccumulatedDrivenKeys;

	UPROPERTY()
	TArray<FTransform> AccumulatedTransforms;

	UPROPERTY()
	TArray<FVector> AccumulatedRotationDeltas;

	UPROPERTY()
	TArray<FVector> AccumulatedWorldTranslationDeltas;

	UPROPERTY()
	FCachedRigElement CachedFaceJoint;

	UPROPERTY()
	FCachedRigElement CachedCtrlBoxAttach;
};
