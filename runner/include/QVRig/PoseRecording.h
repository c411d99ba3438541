// The evaluated animation of chosen elements: their global transforms at every frame, recorded once for the
// exports and the comparison, which so read exactly the numbers `qvrig run --space global` prints.
#pragma once

#include "CoreMinimal.h"
#include "QVRig/Rig.h"
#include "QVRig/RigEvaluator.h"

struct FQVPoseRecording
{
	// The rig file, as messages and exported files name it.
	FString RigPath;
	double FrameRate = 30.0;
	int32 FrameCount = 1;
	// The recorded elements, each once.
	TArray<FRigElementKey> Elements;
	// For each element, the index in Elements of its nearest ancestor among them, or INDEX_NONE.
	TArray<int32> Parents;
	// Rig-space transforms of the initial pose, by element.
	TArray<FTransform> InitialTransforms;
	// Rig-space transforms after each frame: frame-major, Elements.Num() per frame.
	TArray<FTransform> Transforms;
	// How many messages the units reported during the run (`qvrig run` prints them).
	int32 NumReports = 0;

	const FTransform& GetTransform(int32 InFrame, int32 InElement) const
	{
		return Transforms[InFrame * Elements.Num() + InElement];
	}
	// Relative to the element's recorded parent; the rig-space transform for an element without one.
	FTransform GetLocalTransform(int32 InFrame, int32 InElement) const;
	FTransform GetInitialLocalTransform(int32 InElement) const;

	// Evaluates every frame of InRig from its current state, as `qvrig run` does, and records InElements (existing
	// elements, each given once).
	static FQVPoseRecording Record(
		FQVRig& InRig, TConstArrayView<FRigElementKey> InElements, EQVFrameStart InFrameStart);
};
