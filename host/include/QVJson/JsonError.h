// The one error a JSON file load ends with: which file, where in it (a JSON path) and what went wrong.
#pragma once

#include "CoreMinimal.h"

#include <exception>

// Thrown by the readers while a rig or asset file is read and caught by the loader, which turns it into its single
// error message; nothing built up to that point survives.
class FQVJsonError : public std::exception
{
public:
	FQVJsonError(FString InPath, FString InMessage, FString InFile = FString());

	// The file is filled in by the loader when the reader that failed did not know it.
	const FString& GetFile() const { return File; }
	void SetFileIfUnset(const FString& InFile);

	// "elements[12].parent", or empty for the document as a whole.
	const FString& GetPath() const { return Path; }
	const FString& GetMessage() const { return Message; }

	// "file: path: message"
	FString Format() const;
	virtual const char* what() const noexcept override { return *Formatted; }

private:
	FString File;
	FString Path;
	FString Message;
	FString Formatted;
};
