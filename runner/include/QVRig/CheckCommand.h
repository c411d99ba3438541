// `qvrig check`: reports, without evaluating, what a rig file's unit nodes would skip silently, one line per finding.
#pragma once

#include "CoreMinimal.h"
#include "QVRig/RigCheck.h"

#include <ostream>

struct FQVCheckOptions
{
	FString RigPath;
};

// The exit codes of the check command.
enum class EQVCheckResult : int32
{
	// No problems (notes allowed).
	Clean = 0,
	// At least one problem.
	Problems = 1,
	// Nothing was checked: the rig file or one of its asset files could not be read.
	Failed = 2,
};

struct FQVCheckCommand
{
	// Writes a line per finding and a summary to OutStream; a rig file that cannot be read goes to ErrorStream.
	// Returns the process exit code, an EQVCheckResult.
	static int32 Run(const FQVCheckOptions& InOptions, std::ostream& OutStream, std::ostream& ErrorStream);

	// "arm.rig.json: graph[2].pins.Segments[1].Bones[3]: problem: no bone is named 'x': the segment is skipped";
	// a finding in an asset file names that file and the path in it. InRigFile names the rig file.
	static FString FormatFinding(const FString& InRigFile, const FQVCheckFinding& InFinding);
};
