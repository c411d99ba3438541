// printf-style formatting of a va_list into an FString, shared by Printf, UE_LOG and the output devices.
#pragma once

#include "Containers/UnrealString.h"

#include <cstdarg>

FString FormatVarArgs(const TCHAR* Format, va_list Args) __attribute__((format(printf, 1, 0)));
