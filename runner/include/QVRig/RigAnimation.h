// The animation of a rig file: keyed control values, sampled per frame.
#pragma once

#include "CoreMinimal.h"
#include "Rigs/RigHierarchyDefines.h"
#include "Rigs/RigHierarchyDefines.h"

struct FQVControlTrackKey
{
	double Frame = 0.0;
	FRigControlValue Value;
};

// The keys of one control, in increasing frame order.
struct FQVControlTrack
{
	FRigElementKey Control;
	ERigControlType ControlType = ERigControlType::Float;
	TArray<FQVControlTrackKey> Keys;

	// The value at InFrame: blended linearly between the keys around it, the end values held outside them.
	FRigControlValue Evaluate(double InFrame) const;
};

struct FQVRigAnimation
{
	// The most frames a rig file may ask for: over 55 minutes at 30 frames per second, far beyond any clip, while a
	// mistyped count cannot keep the runner busy for hours.
	static constexpr int32 MaxFrameCount = 100000;

	double FrameRate = 30.0;
	// Frames 0 to FrameCount - 1 are evaluated; a rig without animation has the single frame 0.
	int32 FrameCount = 1;
	TArray<FQVControlTrack> Tracks;
};
