// Evaluates a loaded rig frame by frame: the pose a frame starts from, animated control values, then every unit
// node in graph order.
#pragma once

#include "CoreMinimal.h"
#include "QVRig/Rig.h"
#include "RigVMCore/RigVMExtendedExecuteContext.h"
#include "RigVMCore/RigVMLog.h"

class FQVNodeActivity;
class FQVNodeProfile;

// The pose each frame starts from.
enum class EQVFrameStart : uint8
{
	// As in the engine: the hierarchy keeps its current pose from the frame before, and only the bones take the
	// input pose (their initial pose, which an animation node feeding the rig its reference pose gives).
	CarryOver,
	// The whole current pose is reset to the initial pose, so every frame is evaluated as if it were the first.
	ResetPose,
};

class FQVRigEvaluator
{
public:
	explicit FQVRigEvaluator(FQVRig& InRig, EQVFrameStart InFrameStart = EQVFrameStart::CarryOver);
	FQVRigEvaluator(const FQVRigEvaluator&) = delete;
	FQVRigEvaluator& operator=(const FQVRigEvaluator&) = delete;

	// Brings the pose to the frame's start, sets each animated control's current value and each animated unit pin
	// from its track at InFrame, then runs every unit through its registered RigVM function. The units' memory (their
	// pins, hidden state included) lives with the rig and carries over from frame to frame either way.
	void EvaluateFrame(int32 InFrame);

	// Times every node and every whole frame into InProfile (which must outlive the evaluations), or stops timing
	// when it is null.
	void SetProfile(FQVNodeProfile* InProfile) { Profile = InProfile; }

	// Records what every node changes into InActivity (which must outlive the evaluations), or stops recording when
	// it is null. The recording's own work is left out of the profile's times.
	void SetActivity(FQVNodeActivity* InActivity) { Activity = InActivity; }

	// Everything the units reported, each message once (the log keeps repeated reports once).
	const FRigVMLog& GetLog() const { return Log; }

private:
	FQVRig& Rig;
	EQVFrameStart FrameStart;
	FRigVMLog Log;
	// Holds the public FControlRigExecuteContext the units see: the hierarchy, the log and the running node.
	FRigVMExtendedExecuteContext Context;
	// Element indices of the animated controls, by track.
	TArray<int32> TrackControlIndices;
	FQVNodeProfile* Profile = nullptr;
	FQVNodeActivity* Activity = nullptr;
};
