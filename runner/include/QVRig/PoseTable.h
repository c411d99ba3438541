// The runner's readable pose table: one row per frame, the chosen elements' current transforms side by side.
#pragma once

#include "CoreMinimal.h"
#include "Rigs/RigHierarchy.h"

enum class EQVPoseSpace : uint8
{
	Local,
	Global
};

// Which parts of each transform the table shows.
enum class EQVPoseParts : uint8
{
	Rotation,
	Translation,
	Scale,
	All
};

class FQVPoseTable
{
public:
	FQVPoseTable(const URigHierarchy& InHierarchy, TArray<FRigElementKey> InElements, EQVPoseSpace InSpace,
		EQVPoseParts InParts);

	// Two lines: element names over their column groups, then the column names. Rotations are pitch, yaw and
	// roll in degrees; translations and scales x, y and z.
	FString FormatHeader() const;
	// The current pose of the elements, labelled with InFrame.
	FString FormatRow(int32 InFrame) const;

	const TArray<FRigElementKey>& GetElements() const { return Elements; }

private:
	int32 NumColumnsPerElement() const;

	const URigHierarchy& Hierarchy;
	TArray<FRigElementKey> Elements;
	EQVPoseSpace Space;
	EQVPoseParts Parts;
};
