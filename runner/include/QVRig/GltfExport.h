// Binary glTF 2.0 files of a recorded animation: the recorded elements as a joint hierarchy, skeleton shapes
// skinned to them, and one animation sampled at every frame of the rig.
#pragma once

#include "CoreMinimal.h"
#include "QVRig/AxisConversion.h"
#include "QVRig/PoseRecording.h"
#include "QVRig/SkeletonShapes.h"

#include <string>

struct FQVGltfExport
{
	// The most elements a file holds: the shapes' vertices name their joint with 16 bits.
	static constexpr int32 MaxJoints = FQVSkeletonShapes::MaxJoints;

	// glTF's space: Y up, metres, right-handed, the engine's X, Y, Z becoming glTF's X, Z, Y.
	static FQVAxisConversion GetAxes();

	// The animation's key times in seconds, as the file stores them (single precision): frame / frame rate.
	static TArray<float> GetFrameTimes(double InFrameRate, int32 InFrameCount);
	// Why the frames cannot be keyed at distinct, finite times (a frame rate so high or low that single precision
	// merges or overflows them), or unset when they can.
	static TOptional<FString> CheckFrameTimes(double InFrameRate, int32 InFrameCount);

	// The whole file, in memory; CheckFrameTimes must hold. One node per recorded element, named after it, under the
	// node of its recorded parent (or of the rig, named after its file, for elements without one), at its transform of
	// frame 0; one skinned mesh of skeleton shapes bound to the initial pose; one animation with a channel per moving
	// part (translation, rotation, scale) of each element that moves, sampled at every frame (time frame / frame rate)
	// and interpolated linearly. A recording in which nothing moves has no animation. The scene's extras hold the frame
	// rate, the frame count and the rig file.
	static std::string WriteGlb(const FQVPoseRecording& InRecording);
};
