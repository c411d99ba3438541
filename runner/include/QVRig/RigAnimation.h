// The animation of a rig file: keyed control values and keyed unit input pins, sampled per frame.
#pragma once

#include "CoreMinimal.h"
#include "Rigs/RigHierarchyDefines.h"

class FProperty;

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

// The input pin types a pin track can key.
enum class EQVPinTrackType : uint8
{
	Bool,
	Int32,
	Float,
	Double
};

struct FQVPinTrackKey
{
	double Frame = 0.0;
	// Bools are 0 or 1; the other types hold their value.
	double Value = 0.0;
};

// The keys of one input pin of one node of the graph, in increasing frame order.
struct FQVPinTrack
{
	// The node's position in the graph.
	int32 NodeIndex = INDEX_NONE;
	const FProperty* Pin = nullptr;
	EQVPinTrackType Type = EQVPinTrackType::Float;
	TArray<FQVPinTrackKey> Keys;

	// The value at InFrame, as control tracks blend: numbers linearly, integers rounded to the nearest, bools
	// stepping at the next key; the end values held outside the keys.
	double Evaluate(double InFrame) const;
	// Writes the value at InFrame into the pin of the node instance at InNodeMemory.
	void Apply(uint8* InNodeMemory, double InFrame) const;
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
	TArray<FQVPinTrack> PinTracks;
};
