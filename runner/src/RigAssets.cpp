// Looking a rig's assets up by object.
#include "QVRig/RigAssets.h"

FName FQVRigAssets::FindId(const UObject* InAsset) const
{
	for (const TPair<FName, FEntry>& Entry : Assets)
	{
		if (Entry.Value.Asset == InAsset)
		{
			return Entry.Key;
		}
	}
	return NAME_None;
}

FString FQVRigAssets::GetFile(const FName& InId) const
{
	const FEntry* Entry = Assets.Find(InId);
	return Entry != nullptr ? Entry->File : FString();
}
