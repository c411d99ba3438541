// Host-only access to rig hierarchy state the engine keeps internal: element depth, the preferred-angle switch and
// storage reservation.
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

	// Makes room for InNumElements elements in all, so that building a large rig moves no element storage.
	static void ReserveElements(URigHierarchy& InHierarchy, int32 InNumElements);
};
} // namespace QVHost
