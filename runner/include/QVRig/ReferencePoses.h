// Reference pose tables (docs/reference-poses.md): per-frame world transforms of rig elements as a Maya scene
// holds them, which `qvrig compare` checks a rig's evaluation against and `qvrig export --reference` writes.
#pragma once

#include "CoreMinimal.h"
#include "QVRig/AxisConversion.h"
#include "QVRig/PoseRecording.h"
#include "QVRig/Rig.h"

#include <string>

// One element's pose in one frame, in the engine's space.
struct FQVReferencePose
{
	FTransform Transform;
	// False when the table gave no scale for it: the scale is then not compared.
	bool bHasScale = true;
};

struct FQVReferencePoses
{
	// The table's space: its up axis and length unit.
	FQVAxisConversion Axes;
	// The elements, resolved against the rig, in the table's order.
	TArray<FRigElementKey> Elements;
	// The rig frames the table holds, in increasing order.
	TArray<int32> Frames;
	// Frame-major, Elements.Num() per entry of Frames, converted to the engine's space.
	TArray<FQVReferencePose> Poses;

	const FQVReferencePose& GetPose(int32 InFrameIndex, int32 InElement) const
	{
		return Poses[InFrameIndex * Elements.Num() + InElement];
	}

	// The table in InPath, checked against InRig (its elements and frames); null with OutError set to
	// "file: json.path: message" when it is not a valid table for the rig.
	static TOptional<FQVReferencePoses> LoadFile(const FString& InPath, const FQVRig& InRig, FString& OutError);

	// InRecording as a table in a default Maya scene's space (Y up, centimetres), every frame, rotations as "xyz"
	// Euler angles, every number exact.
	static std::string Write(const FQVPoseRecording& InRecording);
};
