// Input keys: FKey names one key or button, EKeys holds the keys by name.
#pragma once

#include "CoreMinimal.h"

struct FKey
{
	FKey() = default;
	FKey(const FName InName) : KeyName(InName) {}
	FKey(const TCHAR* InName) : KeyName(InName) {}

	bool IsValid() const { return !KeyName.IsNone(); }
	FName GetFName() const { return KeyName; }
	FString ToString() const { return KeyName.ToString(); }

	bool operator==(const FKey& Other) const { return KeyName == Other.KeyName; }
	bool operator!=(const FKey& Other) const { return !(*this == Other); }
	friend uint32 GetTypeHash(const FKey& Key) { return GetTypeHash(Key.KeyName); }

private:
	FName KeyName;
};

struct EKeys
{
	static INPUTCORE_API const FKey LeftMouseButton;
	static INPUTCORE_API const FKey RightMouseButton;
	static INPUTCORE_API const FKey CapsLock;
};
