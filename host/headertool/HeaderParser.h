// The header tool's parser: reads the reflection markup of one header (UENUM, USTRUCT, UCLASS, UPROPERTY,
// UFUNCTION, UMETA, GENERATED_BODY, RIGVM_METHOD) with their specifiers, metadata and doc comments.
#pragma once

#include "ReflectedTypes.h"

#include <string>

// Stops with FHeaderToolError (file, line, message) on markup it cannot read.
FParsedHeader ParseHeader(const std::string& Source, const std::string& FileName);

// The tooltip the engine derives from a /** ... */ comment: markers and leading '*' removed, lines trimmed.
std::string FormatCommentForToolTip(const std::string& Comment);
