// The list counts the rest spline IK unit needs before it solves.
#include "QVRestSplineIKLists.h"

FQVRestSplineIKListCounts QVRestSplineIKLists::Check(int32 NumJoints, int32 NumControls, int32 NumSnapshots)
{
	FQVRestSplineIKListCounts Counts;
	Counts.bEnoughJoints = NumJoints >= MinJoints;
	Counts.bEnoughControls = NumControls >= MinControls;
	Counts.bSnapshotPerJoint = NumSnapshots == NumJoints;
	return Counts;
}
