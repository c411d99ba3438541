// Evaluates a loaded rig frame by frame: setup pose, animated control values, then every unit node in graph order.
#pragma once

#include "CoreMinimal.h"
#include "QVRig/Rig.h"
#include "RigVMCore/RigVMExtendedExecuteContext.h"
#include "RigVMCore/RigVMLog.h"

class FQVRigEvaluator
{
public:
	explicit FQVRigEvaluator(FQVRig& InRig);
	FQVRigEvaluator(const FQVRigEvaluator&) = delete;
	FQVRigEvaluator& operator=(const FQVRigEvaluator&) = delete;

	// Resets the current pose to the initial pose, sets each animated control's current value from its track at
	// InFrame, then runs every unit through its registered RigVM function.
	void EvaluateFrame(int32 InFrame);

	// Everything the units reported, each message once (the log keeps repeated reports once).
	const FRigVMLog& GetLog() const { return Log; }

private:
	FQVRig& Rig;
	FRigVMLog Log;
	// Holds the public FControlRigExecuteContext the units see: the hierarchy, the log and the running node.
	FRigVMExtendedExecuteContext Context;
	// Element indices of the animated controls, by track.
	TArray<int32> TrackControlIndices;
};
