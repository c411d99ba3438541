// What the export, view and compare commands share before they write: the rig loaded, the elements chosen, every
// frame evaluated and recorded, and the recording checked for values no file can hold.
#pragma once

#include "CoreMinimal.h"
#include "QVRig/PoseRecording.h"

#include <ostream>

struct FQVRecordingSource
{
	// Loads InRigPath, resolves InElements (bare names or "type:name", each element kept once; none chooses every
	// bone and null) and records every frame. More than InMaxElements elements, or a recording too large to hold,
	// fail before the evaluation. On failure it writes one message to ErrorStream and returns unset.
	static TOptional<FQVPoseRecording> Record(const FString& InRigPath, TConstArrayView<FString> InElements,
		EQVFrameStart InFrameStart, int32 InMaxElements, std::ostream& ErrorStream);

	// Why the recording cannot be written to a file (a transform that is not finite, naming the first frame and
	// element; with bInGltf, frame times a glTF file cannot hold), or unset when it can.
	static TOptional<FString> CheckWritable(const FQVPoseRecording& InRecording, bool bInGltf);

	// "the units reported 2 messages; qvrig run prints them", or empty when they reported none.
	static FString DescribeReports(const FQVPoseRecording& InRecording);
};
