// The list counts the rest spline IK unit needs before it solves: joints, controls, and one FK snapshot per joint.
#pragma once

#include "CoreMinimal.h"

// Which of the counts hold. The unit warns and writes nothing unless all do.
struct FQVRestSplineIKListCounts
{
	bool bEnoughJoints = false;
	bool bEnoughControls = false;
	bool bSnapshotPerJoint = false;

	bool IsSolvable() const { return bEnoughJoints && bEnoughControls && bSnapshotPerJoint; }
};

namespace QVRestSplineIKLists
{
inline constexpr int32 MinJoints = 2;
inline constexpr int32 MinControls = 2;

FQVRestSplineIKListCounts Check(int32 NumJoints, int32 NumControls, int32 NumSnapshots);
} // namespace QVRestSplineIKLists
