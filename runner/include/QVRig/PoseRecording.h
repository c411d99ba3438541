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

	// The most transforms a recording holds (elements times frames): 800 MB of them, far beyond a character's clip
	// (300 elements over 200 seconds at 30 fps are 1.8 million), while a rig of a hundred thousand nulls over
	// thousands of frames is refused instead of exhausting the memory.
	static constexpr int64 MaxTransforms = 10000000;

	// Why InNumElements over InNumFrames cannot be recorded, or unset when they can.
	static TOptional<FString> CheckSize(int32 InNumElements, int32 InNumFrames);

	// Evaluates every frame of InRig from its current state, as `qvrig run` does, and records InElements (existing
	// elements, each given once, within CheckSize).
	static FQVPoseRecording Record(
		FQVRig& InRig, TConstArrayView<FRigElementKey> InElements, EQVFrameStart InFrameStart);
};
