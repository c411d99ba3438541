// Files the runner writes: whole or not at all, never over an existing file unless asked, never over an input.
#pragma once

#include "CoreMinimal.h"

#include <string>

struct FQVOutputFile
{
	// Why InPath cannot be written, as a phrase that follows the path ("already exists; pass --force to replace
	// it"), or unset when it can: its folder exists, it is not a folder, it is none of InInputs (which even --force
	// does not replace) and, unless bInForce, nothing exists there yet.
	static TOptional<FString> Check(const FString& InPath, bool bInForce, TConstArrayView<FString> InInputs);

	// Writes InBytes to a new file in InPath's folder and then moves it to InPath in one step, so InPath never
	// holds a partial file. Without bInForce the move never replaces a file, even one that appeared since Check.
	// On failure the temporary file is removed and the result says why, as Check's does.
	static TOptional<FString> Write(const FString& InPath, const std::string& InBytes, bool bInForce);
};
