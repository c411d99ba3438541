// Host-only access to rig hierarchy state the engine keeps internal: element depth and the preferred-angle switch.
#pragma once

#include "CoreMinimal.h"
#include "Rigs/RigHierarchy.h"

namespace QVHost
{
class FRigHierarchyAccess
{
public:
	// Number of parent steps from the element up to a root; INDEX_NONE for a null element.
	static int32 GetDepth(const URigHierarchy& InHierarchy, const FRigBaseElement* InElement);

	// Whether rotator and Euler-transform values report (and transform writes update) preferred Euler angles.
	static void SetUsePreferredEulerAngles(URigHierarchy& InHierarchy, bool bInUse);
};
} // namespace QVHost
