// Reading rig and asset files into JSON documents: malformed text reports its line and column, and a key given twice
// in one object is an error rather than a silent overwrite. Parsing takes time linear in the size of the text.
#pragma once

#include "CoreMinimal.h"
#include "QVJson/JsonValue.h"

struct FQVJsonDocument
{
	// Arrays and objects nest at most this deep. Real files nest a handful of levels; the limit keeps absurd input
	// from exhausting the stack of the code that walks documents.
	static constexpr int32 MaxDepth = 256;
	// Files larger than this are refused before they are read.
	static constexpr int64 MaxFileSize = int64(256) << 20;

	// Parses InText; throws FQVJsonError (without a file name) when it is not one well-formed JSON value, holds a
	// NUL byte, nests deeper than MaxDepth, repeats a key within an object or has the character U+0000 in a string.
	static FQVJson Parse(const FString& InText);

	// Reads and parses the file; errors carry the file's path. InKind names what the file should be ("rig file")
	// in the messages about files that cannot be one: a directory, a device, a file too large, UTF-16 text.
	static FQVJson LoadFile(const FString& InFilePath, const TCHAR* InKind = TEXT("JSON file"));

	// Why the path cannot be read as a file of InKind, as a phrase that follows the path ("does not exist", "is a
	// directory, not a rig file"), or unset when it is a regular file of an acceptable size.
	static TOptional<FString> CheckFile(const FString& InFilePath, const TCHAR* InKind);
};
