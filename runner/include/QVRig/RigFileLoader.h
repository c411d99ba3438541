// Loads rig files: the whole rig or one clear error, never a half-built rig.
#pragma once

#include "CoreMinimal.h"
#include "QVRig/Rig.h"

struct FQVRigFileLoader
{
	// The rig, or null with OutError set to "file: json.path: what was expected, what was found".
	static TUniquePtr<FQVRig> LoadFile(const FString& InFilePath, FString& OutError);

	// As LoadFile, from text: InSourceName names it in messages and asset files resolve against InBaseDirectory.
	static TUniquePtr<FQVRig> LoadText(
		const FString& InText, const FString& InSourceName, const FString& InBaseDirectory, FString& OutError);
};
