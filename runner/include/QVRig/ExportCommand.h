// `qvrig export`: evaluates a rig file's animation and writes it as a binary glTF file for viewers, as a reference
// pose table for `qvrig compare`, or both.
#pragma once

#include "CoreMinimal.h"
#include "QVRig/RigEvaluator.h"

#include <ostream>

struct FQVExportOptions
{
	FString RigPath;
	// Where to write each output; empty writes none. At least one is given.
	FString GltfPath;
	FString ReferencePath;
	// Bare names or "type:name"; empty exports every bone and null.
	TArray<FString> Elements;
	EQVFrameStart FrameStart = EQVFrameStart::CarryOver;
	// Replace output files that exist.
	bool bForce = false;
};

struct FQVExportCommand
{
	// Writes the files and a line per file to OutStream; errors go to ErrorStream and leave every output as it was.
	// Returns the process exit code: 0 on success.
	static int32 Run(const FQVExportOptions& InOptions, std::ostream& OutStream, std::ostream& ErrorStream);
};
