// Host-only: control values as readable text, for diagnostics and the standalone runner's tables.
#pragma once

#include "CoreMinimal.h"
#include "Rigs/RigHierarchyDefines.h"

namespace QVHost
{
// "true", "2.5", "(1, 2)", "(1, 2, 3)", or "T(x, y, z) R(pitch, yaw, roll) S(x, y, z)" for transform-like types.
FString ControlValueToString(const FRigControlValue& InValue, ERigControlType InControlType);
} // namespace QVHost
