// How the face solver reads its pins and switches: the elements its key pins name when left unset, the weight at
// which the set-driven-key rows run, and the controls that can switch a visibility group.
#pragma once

#include "CoreMinimal.h"
#include "Rigs/RigHierarchyDefines.h"

namespace QVFaceSolverPins
{
// The face joint the FaceJoint pin names: the bone "FaceJoint_M" when the pin leaves its type or its name None.
FRigElementKey FaceJointKey(const FRigElementKey& FaceJoint);

// The control box the CtrlBoxAttach pin names: the null "ctrlBoxAttach" when the pin leaves its type or its name None.
FRigElementKey CtrlBoxAttachKey(const FRigElementKey& CtrlBoxAttach);

// Whether the set-driven-key rows and the layers over them run at this weight: unless it is at or below the engine's
// small number (so a NaN weight runs them).
inline bool RowsRun(float Weight)
{
	return !(Weight <= UE_SMALL_NUMBER);
}

// Whether a control of this type can switch a visibility group: a Bool control; any other leaves the group at its
// default.
inline bool IsVisibilitySwitch(ERigControlType ControlType)
{
	return ControlType == ERigControlType::Bool;
}
} // namespace QVFaceSolverPins
