// Reading rig and asset files into JSON documents: malformed text reports its line and column, and a key given twice
// in one object is an error rather than a silent overwrite.
#pragma once

#include "CoreMinimal.h"
#include "QVJson/JsonValue.h"

struct FQVJsonDocument
{
	// Parses InText; throws FQVJsonError (without a file name) when it is not one well-formed JSON value.
	static FQVJson Parse(const FString& InText);

	// Reads and parses the file; errors carry the file's path.
	static FQVJson LoadFile(const FString& InFilePath);
};
