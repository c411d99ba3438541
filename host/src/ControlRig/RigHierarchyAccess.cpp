// Host-only access to rig hierarchy state.
#include "QVHost/RigHierarchyAccess.h"

namespace QVHost
{
int32 FRigHierarchyAccess::GetDepth(const URigHierarchy& InHierarchy, const FRigBaseElement* InElement)
{
	if (InElement == nullptr || !InHierarchy.IsValidIndex(InElement->GetIndex()))
	{
		return INDEX_NONE;
	}
	int32 Depth = 0;
	for (int32 Index = InHierarchy.ParentIndices[InElement->GetIndex()]; Index != INDEX_NONE;
		 Index = InHierarchy.ParentIndices[Index])
	{
		++Depth;
	}
	return Depth;
}

void FRigHierarchyAccess::SetUsePreferredEulerAngles(URigHierarchy& InHierarchy, bool bInUse)
{
	InHierarchy.bUsePreferredEulerAngles = bInUse;
}

void FRigHierarchyAccess::ReserveElements(URigHierarchy& InHierarchy, int32 InNumElements)
{
	InHierarchy.ElementStorage.Reserve(InNumElements);
	InHierarchy.Elements.Reserve(InNumElements);
	InHierarchy.IndexLookup.Reserve(InNumElements);
	InHierarchy.ParentIndices.Reserve(InNumElements);
	for (TArray<URigHierarchy::FLocalAndGlobal>& Pose : InHierarchy.Poses)
	{
		Pose.Reserve(InNumElements);
	}
}
} // namespace QVHost
