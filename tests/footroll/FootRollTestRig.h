// A reverse-foot rig for the foot roll tests, and evaluation through either of the unit's entries.
#pragma once

#include "CoreMinimal.h"
#include "RigUnit_QVReverseFootRoll.h"
#include "Rigs/RigHierarchy.h"
#include "Rigs/RigHierarchyController.h"
#include "Units/RigUnitContext.h"

#include <gtest/gtest.h>

// The member Execute with a context, or the RigVM entry registered for the unit, fed from memory handles.
enum class EFootRollEntry
{
	Member,
	RigVM
};

inline const TCHAR* LexToString(EFootRollEntry Entry)
{
	return Entry == EFootRollEntry::Member ? TEXT("Execute") : TEXT("RigVMExecute");
}

void EvaluateFootRoll(FRigUnit_QVReverseFootRoll& Unit, URigHierarchy& Hierarchy, EFootRollEntry Entry);

// leg (bone) > IKLeg_L (control) > roll and rock channels; pivots: outer > inner > heel > toetip > ball > ankle
// (bone). Every pivot's setup pose is the identity rotation at a small offset, except the ball, which is yawed 90
// degrees so its own X axis is the rig's Y axis.
struct FFootRollRig
{
	URigHierarchy Hierarchy;
	FRigElementKey Roll, Rock, Heel, ToeTip, Ball, Inner, Outer, Ankle;
	FRigUnit_QVReverseFootRoll Unit;

	FFootRollRig();

	void SetRoll(float Degrees);
	void SetRock(float Degrees);
	FTransform Local(const FRigElementKey& Key) const { return Hierarchy.GetLocalTransform(Key); }
	FTransform Global(const FRigElementKey& Key) const { return Hierarchy.GetGlobalTransform(Key); }
	// The angle (degrees) of the pivot's turn from its setup rotation, about its own setup axis Axis.
	double TurnAbout(const FRigElementKey& Pivot, const FVector& Axis) const;
	void Evaluate(EFootRollEntry Entry) { EvaluateFootRoll(Unit, Hierarchy, Entry); }
};

// Runs a test body once per entry.
class FootRollEntries : public ::testing::TestWithParam<EFootRollEntry>
{
};
