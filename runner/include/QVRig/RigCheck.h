// Checking a loaded rig without evaluating it: what its unit nodes would skip silently, or do otherwise than their
// pins and assets say, found by a checker per unit kind (QVRig/UnitCheckers.h).
#pragma once

#include "CoreMinimal.h"

class FQVRig;

enum class EQVCheckSeverity : uint8
{
	// The rig names something a unit will skip, or will not use as written.
	Problem,
	// Something a rigger would want to know that may be deliberate, such as an optional element the rig lacks.
	Note,
};

// Where a finding comes from: a JSON path in the rig file, or in the asset file a unit's asset was read from.
struct FQVCheckSource
{
	// The asset file; empty for the rig file.
	FString File;
	// "graph[2].pins.Segments[1].Bones[3]", "Drivers[4].Driven[0].BoneName", "assets.Face.data.Drivers[0]".
	FString Path;

	// "Path[Index]"
	FQVCheckSource Item(int32 InIndex) const;
	// "Path.Member"
	FQVCheckSource Member(const TCHAR* InMember) const;
};

struct FQVCheckFinding
{
	EQVCheckSeverity Severity = EQVCheckSeverity::Problem;
	// The position in the graph of the node it was found for.
	int32 NodeIndex = INDEX_NONE;
	FQVCheckSource Source;
	// What is wrong, then what the unit does about it.
	FString Message;
};

struct FQVRigCheck
{
	// The findings of every node, in graph order; each node's in the order its checker met them. An asset that
	// several nodes use is checked with the first of them.
	static TArray<FQVCheckFinding> Check(const FQVRig& InRig);
};
