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

bool FCachedRigElement::Resolve(const FRigElementKey& InKey, const URigHierarchy* InHierarchy)
{
	if (InHierarchy == nullptr)
	{
		Reset();
		Key = InKey;
		return false;
	}
	Key = InKey;
	Index = InHierarchy->GetIndex(InKey);
	Element = InHierarchy->Get(Index);
	Hierarchy = InHierarchy;
	TopologyVersion = InHierarchy->GetTopologyVersion();
	return IsValid();
}
