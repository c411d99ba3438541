// Which 2D controls of a face rig sit on the face itself rather than on the control box, decided by element names.
//
// A 2D control on the control box moves in board units; one on the face moves in face units, so its value is divided
// by the face scale before it drives anything. Generated rigs mark the face's controls by name: smile pull controls,
// and everything below an "OnFacecontrols" group or a smile follow helper, unless the control box ("ctrlBox") is met
// first on the way up.
#pragma once

#include "CoreMinimal.h"

namespace QVFaceBoardNames
{
// The on-face test looks at no more ancestors than this.
inline constexpr int32 MaxAncestorLevels = 16;

// True when Name starts with Prefix, compared without regard to case.
bool HasPrefix(const FName& Name, const TCHAR* Prefix);

// Whether the on-face test settles at this ancestor, whatever lies above it: the control box ("ctrlBox") and the
// on-face group ("OnFacecontrols"), both told by their exact names. Gathering ancestors may stop after one.
bool SettlesAncestorWalk(const FName& AncestorName);

// Whether a 2D control named ControlName, with the given ancestors (nearest first), is on the face: its name starts
// with "SmilePull_", or among its first MaxAncestorLevels ancestors one is named exactly "OnFacecontrols" or starts
// with "SmileFollow_" before any named exactly "ctrlBox". Prefixes ignore case; the exact names are case-sensitive.
bool IsOnFaceControl(const FName& ControlName, TConstArrayView<FName> AncestorNames);
} // namespace QVFaceBoardNames
