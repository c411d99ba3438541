// The tables of one deforming evaluation of the bend solver, shared by all its segments, and the per-segment
// working arrays, reused from segment to segment.
#pragma once

#include "CoreMinimal.h"
#include "QVBendRigAccess.h"

// What a handle (or the master) spreads along the chain: its twist about X in radians, and how far its Y and Z
// scales are from 1.
struct FQVBendSpread
{
	double Twist = 0.0;
	double ScaleY = 0.0;
	double ScaleZ = 0.0;
};

// The frames of one segment's handles, parallel to its handle list.
struct FQVBendHandleFrames
{
	// Where each handle sits on the limb as posed now, before bending.
	TArray<FTransform> Rest;
	// Where the animator has moved it: control local * parent-control local * rest, or for an interior handle of a
	// segment with a master, control local * the rest frame bent along the master's curve.
	TArray<FTransform> Animated;
	// The handle control's current local transform.
	TArray<FTransform> ControlLocals;
	// Control local * parent-control local: the source of the twist and scale the handle spreads along the chain.
	TArray<FTransform> Offsets;
	// Each handle's Parameter.
	TArray<float> Parameters;

	void SetNum(int32 NumHandles)
	{
		Rest.SetNumUninitialized(NumHandles);
		Animated.SetNumUninitialized(NumHandles);
		ControlLocals.SetNumUninitialized(NumHandles);
		Offsets.SetNumUninitialized(NumHandles);
		Parameters.SetNumUninitialized(NumHandles);
	}
};

// The working arrays of bending one curve and solving one segment's bones, reused from segment to segment.
struct FQVBendSolveScratch
{
	TArray<FVector> ControlPoints;
	TArray<FVector> CurvePoints;
	TArray<FVector> Positions;
	// The twist and scale of each handle's offset.
	TArray<FQVBendSpread> Spreads;
	// Each interior handle's rest frame bent along the master's curve.
	TArray<FTransform> BentRests;
	// Each bone's solved global transform.
	TArray<FTransform> Poses;
};

struct FQVBendEvaluation
{
	explicit FQVBendEvaluation(URigHierarchy& InHierarchy) : Hierarchy(InHierarchy) {}

	URigHierarchy& Hierarchy;
	FQVBendSupportNames SupportNames;

	// Bone name -> the bone's current global transform, captured before any segment is deformed.
	TMap<FName, FTransform> BasePoses;
	// Handle control name -> rest frame, filled from every segment before the first one is deformed.
	TMap<FName, FTransform> HandleRestCache;
	// The handle spaces already placed during this evaluation.
	TSet<FName> PlacedSpaces;
	// Bone name -> solved global transform, written back once every segment is done.
	TMap<FName, FTransform> SolvedPoses;

	// Working arrays of the segment being deformed.
	FQVBendHandleFrames Handles;
	TArray<FTransform> BoneBasePoses;
	FQVBendSolveScratch Scratch;
};
