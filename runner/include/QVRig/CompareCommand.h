// `qvrig compare`: evaluates a rig file's animation and compares its elements' global transforms with a reference
// pose table, frame by frame.
#pragma once

#include "CoreMinimal.h"
#include "QVRig/PoseComparison.h"
#include "QVRig/RigEvaluator.h"

#include <ostream>

struct FQVCompareOptions
{
	FString RigPath;
	FString ReferencePath;
	FQVComparisonTolerances Tolerances;
	EQVFrameStart FrameStart = EQVFrameStart::CarryOver;
};

// The exit codes of the compare command, as diff's.
enum class EQVCompareResult : int32
{
	// Every element stayed within the tolerances.
	Held = 0,
	// At least one element did not.
	Exceeded = 1,
	// Nothing was compared: a file could not be read.
	Failed = 2,
};

struct FQVCompareCommand
{
	// Writes a line per element (its worst errors and their frames) and a verdict to OutStream; errors go to
	// ErrorStream. Returns the process exit code, an EQVCompareResult.
	static int32 Run(const FQVCompareOptions& InOptions, std::ostream& OutStream, std::ostream& ErrorStream);
};
