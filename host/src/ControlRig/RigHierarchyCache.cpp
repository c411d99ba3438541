// Cached element look-ups.
#include "Rigs/RigHierarchyCache.h"

#include "Rigs/RigHierarchy.h"

FCachedRigElement::FCachedRigElement(const FRigElementKey& InKey, const URigHierarchy* InHierarchy, bool bForceStoreKey)
{
	UpdateCache(InKey, InHierarchy);
	if (bForceStoreKey)
	{
		Key = InKey;
	}
}

void FCachedRigElement::Reset()
{
	Key = FRigElementKey();
	Index = INDEX_NONE;
	Element = nullptr;
	Hierarchy = nullptr;
	TopologyVersion = 0;
}

bool FCachedRigElement::UpdateCache(const URigHierarchy* InHierarchy)
{
	return UpdateCache(FRigElementKey(Key), InHierarchy);
}

bool FCachedRigElement::UpdateCache(const FRigElementKey& InKey, const URigHierarchy* InHierarchy)
{
	if (InHierarchy == nullptr)
	{
		Reset();
		Key = InKey;
		return false;
	}
	if (IsValid() && IsIdentical(InKey, InHierarchy))
	{
		return true;
	}
	Key = InKey;
	Index = InHierarchy->GetIndex(InKey);
	Element = InHierarchy->Get(Index);
	Hierarchy = InHierarchy;
	TopologyVersion = InHierarchy->GetTopologyVersion();
	return IsValid();
}

bool FCachedRigElement::IsIdentical(const FRigElementKey& InKey, const URigHierarchy* InHierarchy) const
{
	return Key == InKey && Hierarchy == InHierarchy && InHierarchy != nullptr &&
		TopologyVersion == InHierarchy->GetTopologyVersion();
}
