// Reads a rig file's "assets": each id names a class and its data, from a file or inline.
#pragma once

#include "CoreMinimal.h"
#include "QVJson/JsonValue.h"
#include "QVRig/RigAssets.h"

struct FQVAssetReader
{
	// Asset files are resolved relative to InBaseDirectory (the rig file's folder). Problems inside an asset file
	// are reported against that file. Throws FQVJsonError on the first problem.
	static FQVRigAssets Read(const FQVJsonValue& InAssets, const FString& InBaseDirectory);
};
