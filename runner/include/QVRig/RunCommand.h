// `qvrig run`: evaluates every frame of a rig file's animation and writes the chosen elements' transforms per frame
// and the units' reports, as a table, JSON or CSV.
#pragma once

#include "CoreMinimal.h"
#include "QVRig/PoseTable.h"
#include "QVRig/RigEvaluator.h"
#include "QVRig/RunOutput.h"

#include <ostream>

struct FQVRunOptions
{
	FString RigPath;
	// Bare names or "type:name"; empty shows every null and bone.
	TArray<FString> Elements;
	EQVPoseSpace Space = EQVPoseSpace::Local;
	EQVRunFormat Format = EQVRunFormat::Table;
	// The table's columns; JSON and CSV always hold whole transforms.
	EQVPoseParts Parts = EQVPoseParts::Rotation;
	// Every frame is evaluated; only every Nth is printed.
	int32 Every = 1;
	EQVFrameStart FrameStart = EQVFrameStart::CarryOver;
	// Also write every transform and transform-array output pin of the units, per printed frame.
	bool bPins = false;
	// Time every unit node and write the profile to the error stream after the output.
	bool bProfile = false;
	// Write, instead of the frames, what each unit node changed, its warnings and its time per frame.
	bool bSummary = false;
};

struct FQVRunCommand
{
	// Writes the results to OutStream; errors go to ErrorStream. Returns the process exit code: 0 on success.
	static int32 Run(const FQVRunOptions& InOptions, std::ostream& OutStream, std::ostream& ErrorStream);
};
