// Metadata of reflected types and fields.
#include "UObject/MetaDataMap.h"

const FString& FMetaDataMap::GetMetaData(const FName& Key) const
{
	static const FString Empty;
	const FString* Found = MetaData.Find(Key);
	return Found != nullptr ? *Found : Empty;
}
