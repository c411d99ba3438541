// JSON text written piece by piece, for outputs laid out by hand (one frame per line).
#pragma once

#include "CoreMinimal.h"

#include <string>

// A JSON string literal of InText; bytes that are not UTF-8 (a path from the command line) become U+FFFD.
std::string QVJsonQuote(const FString& InText);
