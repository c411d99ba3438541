// A key together with the element index it last resolved to, re-resolved only when the key or topology changes.
#pragma once

#include "CoreMinimal.h"
#include "Rigs/RigHierarchyDefines.h"

class URigHierarchy;
struct FRigBaseElement;

struct FCachedRigElement
{
	FCachedRigElement() = default;
	FCachedRigElement(const FRigElementKey& InKey, const URigHierarchy* InHierarchy);

	// True when the index is set and the key names a typed, non-None element.
	bool IsValid() const { return Index != INDEX_NONE && Key.IsValid(); }
	explicit operator bool() const { return IsValid(); }
	void Reset();

	int32 GetIndex() const { return Index; }
	const FRigElementKey& GetKey() const { return Key; }
	const FRigBaseElement* GetElement() const { return Element; }

	// Re-resolves the stored key when the hierarchy or its topology changed; true when it resolves.
	bool UpdateCache(const URigHierarchy* InHierarchy);
	// Stores InKey and resolves it unless it already is resolved for this hierarchy and topology.
	bool UpdateCache(const FRigElementKey& InKey, const URigHierarchy* InHierarchy);

	bool operator==(const FCachedRigElement& Other) const { return Index == Other.Index && Key == Other.Key; }

private:
	FRigElementKey Key;
	int32 Index = INDEX_NONE;
	const FRigBaseElement* Element = nullptr;
	const URigHierarchy* Hierarchy = nullptr;
	uint32 TopologyVersion = 0;
};
