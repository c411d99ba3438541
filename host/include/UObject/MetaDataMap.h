// Editor metadata of a reflected type, field or function: keys (compared without regard to case) and text values.
#pragma once

#include "CoreMinimal.h"

// Shared by UField (types and functions) and FField (properties), which carry the same metadata interface.
class FMetaDataMap
{
public:
	// The value, or an empty string when the key is absent (a present key may also hold an empty value).
	const FString& GetMetaData(const FName& Key) const;
	const FString& GetMetaData(const TCHAR* Key) const { return GetMetaData(FName(Key)); }
	// The value, or null when the key is absent.
	const FString* FindMetaData(const FName& Key) const { return MetaData.Find(Key); }
	const FString* FindMetaData(const TCHAR* Key) const { return FindMetaData(FName(Key)); }
	bool HasMetaData(const FName& Key) const { return MetaData.Contains(Key); }
	bool HasMetaData(const TCHAR* Key) const { return HasMetaData(FName(Key)); }
	void SetMetaData(const FName& Key, const FString& Value) { MetaData.Add(Key, Value); }
	void SetMetaData(const TCHAR* Key, const TCHAR* Value) { SetMetaData(FName(Key), FString(Value)); }
	void RemoveMetaData(const FName& Key) { MetaData.Remove(Key); }
	void RemoveMetaData(const TCHAR* Key) { RemoveMetaData(FName(Key)); }

	const TMap<FName, FString>& GetMetaDataMap() const { return MetaData; }

private:
	TMap<FName, FString> MetaData;
};
