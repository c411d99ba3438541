// The asset classes a rig file may load, each with the function that builds an asset from its JSON.
#pragma once

#include "CoreMinimal.h"
#include "QVRig/JsonValue.h"

class UObject;

// Builds the asset from its data (the asset file's document or the inline "data"), throwing FQVRigFileError on
// bad data. The returned object lives as long as the program, like every object of the host's object registry.
using FQVRigAssetReadFunction = TFunction<UObject*(const FQVJsonValue& InData)>;

class FQVRigAssetRegistry
{
public:
	static FQVRigAssetRegistry& Get();

	// InClassName is the reflected class name as rig files write it, without the U prefix
	// ("QVFaceRigDataAsset"). Registering a name again replaces its function.
	void Register(const FName& InClassName, FQVRigAssetReadFunction InRead);
	// Null when no reader is registered for the class.
	const FQVRigAssetReadFunction* Find(const FName& InClassName) const;
	TArray<FName> GetClassNames() const;

private:
	TMap<FName, FQVRigAssetReadFunction> Readers;
};
