// The header tool's parser: reads the reflection markup of one header (UENUM, USTRUCT, UCLASS, UPROPERTY,
// UFUNCTION, UMETA, UPARAM, GENERATED_BODY, RIGVM_METHOD) with their specifiers, metadata and documenting comments.
#pragma once

#include "ReflectedTypes.h"

#include <string>

// Stops with FHeaderToolError (file, line, message) on markup it cannot read, and on declarations the generated code
// could not serve (duplicate names, unreflectable member types, unreadable default arguments).
FParsedHeader ParseHeader(const std::string& Source, const std::string& FileName);
