// The assets of a loaded rig, by the ids the rig file gives them; unit pins refer to them by id.
#pragma once

#include "CoreMinimal.h"

class UObject;

class FQVRigAssets
{
public:
	void Add(const FName& InId, UObject* InAsset) { Assets.Add(InId, InAsset); }
	// Null when no asset has the id (ids ignore case).
	UObject* Find(const FName& InId) const
	{
		UObject* const* Asset = Assets.Find(InId);
		return Asset != nullptr ? *Asset : nullptr;
	}
	int32 Num() const { return Assets.Num(); }

private:
	TMap<FName, UObject*> Assets;
};
