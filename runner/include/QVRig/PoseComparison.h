// Comparing a rig's evaluated global transforms with a reference pose table: per element, the worst error of each
// part of the transform over the table's frames, and the frame it happened in.
#pragma once

#include "CoreMinimal.h"
#include "QVRig/PoseRecording.h"
#include "QVRig/ReferencePoses.h"

struct FQVComparisonTolerances
{
	// Centimetres between the positions.
	double Translation = 0.01;
	// Degrees of the rotation from one orientation to the other.
	double Rotation = 0.01;
	// The largest difference of a scale component.
	double Scale = 1e-4;
};

// The worst value of one error over the frames compared.
struct FQVWorstError
{
	// Infinite when a transform was not finite (NaN), so it never passes.
	double Value = 0.0;
	// The rig frame of the worst value, or INDEX_NONE when nothing was compared.
	int32 Frame = INDEX_NONE;

	void Add(double InValue, int32 InFrame);
	bool Holds(double InTolerance) const { return Value <= InTolerance; }
};

struct FQVElementComparison
{
	FRigElementKey Element;
	FQVWorstError Translation;
	FQVWorstError Rotation;
	// Only over the poses that gave a scale; Frame is INDEX_NONE when none did.
	FQVWorstError Scale;

	bool Holds(const FQVComparisonTolerances& InTolerances) const;
};

struct FQVPoseComparison
{
	// InRecording holds the table's elements in its order, recorded over every frame.
	static TArray<FQVElementComparison> Compare(const FQVReferencePoses& InTable, const FQVPoseRecording& InRecording);

	// The angle in degrees of the rotation that turns InA into InB, the short way round (0 to 180).
	static double AngleBetween(const FQuat& InA, const FQuat& InB);
};
