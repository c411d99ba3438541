// `qvrig run`: evaluates every frame of a rig file's animation and prints the pose table.
#pragma once

#include "CoreMinimal.h"
#include "QVRig/PoseTable.h"

#include <ostream>

struct FQVRunOptions
{
	FString RigPath;
	// Bare names or "type:name"; empty shows every null and bone.
	TArray<FString> Elements;
	EQVPoseSpace Space = EQVPoseSpace::Local;
	EQVPoseParts Parts = EQVPoseParts::Rotation;
	// Every frame is evaluated; only every Nth is printed.
	int32 Every = 1;
};

struct FQVRunCommand
{
	// Prints the table, then what the units reported, to OutStream; errors go to ErrorStream. Returns the
	// process exit code: 0 on success.
	static int32 Run(const FQVRunOptions& InOptions, std::ostream& OutStream, std::ostream& ErrorStream);
};
