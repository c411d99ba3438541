// Forward declarations of the string view types.
#pragma once

#include "CoreTypes.h"

template <typename CharType> class TStringView;

using FStringView = TStringView<TCHAR>;
using FAnsiStringView = TStringView<ANSICHAR>;
using FUtf8StringView = TStringView<UTF8CHAR>;
