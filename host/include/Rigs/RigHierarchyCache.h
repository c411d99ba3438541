// A key together with the element index it last resolved to, re-resolved only when the key or topology changes.
#pragma once

#include "CoreMinimal.h"
#include "Rigs/RigHierarchyDefines.h"
#include "Rigs/RigHierarchyElements.h"

class URigHierarchy;
struct FRigBaseElement;

struct FCachedRigElement
{
	FCachedRigElement() = default;
	// Resolves InKey; with bForceStoreKey the key is kept even when it does not resolve.
	CONTROLRIG_API FCachedRigElement(
		const FRigElementKey& InKey, const URigHierarchy* InHierarchy, bool bForceStoreKey = false);

	// True when the index is set and the key names a typed, non-None element.
	bool IsValid() const { return Index != INDEX_NONE && Key.IsValid(); }
	explicit operator bool() const { return IsValid(); }
	operator int32() const { return GetIndex(); }
	explicit operator FRigElementKey() const { return Key; }
	CONTROLRIG_API void Reset();

	int32 GetIndex() const { return Index; }
	const FRigElementKey& GetKey() const { return Key; }
	const FRigBaseElement* GetElement() const { return Element; }

	// Re-resolves the stored key when the hierarchy or its topology changed; true when it resolves.
	CONTROLRIG_API bool UpdateCache(const URigHierarchy* InHierarchy);
	// Stores InKey and resolves it unless it already is resolved for this hierarchy and topology. Inline (defined in
	// Rigs/RigHierarchy.h, which callers include) so that the already-resolved case costs no call.
	inline bool UpdateCache(const FRigElementKey& InKey, const URigHierarchy* InHierarchy);
	// True when the cache last resolved InKey (successfully or not) against the hierarchy's current topology.
	inline bool IsIdentical(const FRigElementKey& InKey, const URigHierarchy* InHierarchy) const;

	friend uint32 GetTypeHash(const FCachedRigElement& Cache)
	{
		return GetTypeHash(Cache.Key) * 13 + static_cast<uint32>(Cache.Index);
	}

	bool operator==(const FCachedRigElement& Other) const { return Index == Other.Index && Key == Other.Key; }
	bool operator!=(const FCachedRigElement& Other) const { return !(*this == Other); }
	bool operator==(const FRigElementKey& Other) const { return Key == Other; }
	bool operator!=(const FRigElementKey& Other) const { return Key != Other; }
	bool operator==(const int32& Other) const { return GetIndex() == Other; }
	bool operator!=(const int32& Other) const { return GetIndex() != Other; }

private:
	// Looks InKey up and stores what it resolves to.
	CONTROLRIG_API bool Resolve(const FRigElementKey& InKey, const URigHierarchy* InHierarchy);

	FRigElementKey Key;
	int32 Index = INDEX_NONE;
	const FRigBaseElement* Element = nullptr;
	const URigHierarchy* Hierarchy = nullptr;
	uint32 TopologyVersion = 0;
};
