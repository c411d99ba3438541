// The assets of a loaded rig, by the ids the rig file gives them; unit pins refer to them by id.
#pragma once

#include "CoreMinimal.h"

class UObject;

class FQVRigAssets
{
public:
	// InFile: the asset file its data was read from, or empty for data given inline in the rig file.
	void Add(const FName& InId, UObject* InAsset, FString InFile = FString())
	{
		Assets.Add(InId, {InAsset, MoveTemp(InFile)});
	}
	// Null when no asset has the id (ids ignore case).
	UObject* Find(const FName& InId) const
	{
		const FEntry* Entry = Assets.Find(InId);
		return Entry != nullptr ? Entry->Asset : nullptr;
	}
	int32 Num() const { return Assets.Num(); }

	// The id of InAsset, or None when it is not one of these assets.
	FName FindId(const UObject* InAsset) const;
	// The asset file the asset with that id was read from; empty for inline data or an unknown id.
	FString GetFile(const FName& InId) const;

private:
	struct FEntry
	{
		UObject* Asset = nullptr;
		FString File;
	};
	TMap<FName, FEntry> Assets;
};
