// C-string helpers (FCString) and the search options of string look-ups.
#pragma once

#include "CoreTypes.h"
#include "Misc/Char.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace ESearchCase
{
enum Type
{
	CaseSensitive,
	IgnoreCase,
};
}

namespace ESearchDir
{
enum Type
{
	FromStart,
	FromEnd,
};
}

template <typename CharType> struct TCString
{
	static int32 Strlen(const CharType* String) { return static_cast<int32>(std::strlen(String)); }

	static int32 Strcmp(const CharType* String1, const CharType* String2) { return std::strcmp(String1, String2); }
	static int32 Strncmp(const CharType* String1, const CharType* String2, SIZE_T Count)
	{
		return std::strncmp(String1, String2, Count);
	}

	// Case-insensitive comparisons fold both sides to lower case, so '_' sorts before letters.
	static int32 Stricmp(const CharType* String1, const CharType* String2)
	{
		for (;; ++String1, ++String2)
		{
			const int32 Char1 = static_cast<uint8>(TChar<CharType>::ToLower(*String1));
			const int32 Char2 = static_cast<uint8>(TChar<CharType>::ToLower(*String2));
			if (Char1 != Char2 || Char1 == 0)
			{
				return Char1 - Char2;
			}
		}
	}
	static int32 Strnicmp(const CharType* String1, const CharType* String2, SIZE_T Count)
	{
		for (; Count > 0; --Count, ++String1, ++String2)
		{
			const int32 Char1 = static_cast<uint8>(TChar<CharType>::ToLower(*String1));
			const int32 Char2 = static_cast<uint8>(TChar<CharType>::ToLower(*String2));
			if (Char1 != Char2 || Char1 == 0)
			{
				return Char1 - Char2;
			}
		}
		return 0;
	}

	static const CharType* Strstr(const CharType* String, const CharType* Find) { return std::strstr(String, Find); }
	static CharType* Strstr(CharType* String, const CharType* Find) { return std::strstr(String, Find); }
	// Null when Find is empty or absent.
	static const CharType* Stristr(const CharType* String, const CharType* Find)
	{
		const int32 FindLen = Strlen(Find);
		if (FindLen == 0)
		{
			return nullptr;
		}
		for (; *String; ++String)
		{
			if (Strnicmp(String, Find, FindLen) == 0)
			{
				return String;
			}
		}
		return nullptr;
	}
	static const CharType* Strchr(const CharType* String, CharType Char) { return std::strchr(String, Char); }
	static const CharType* Strrchr(const CharType* String, CharType Char) { return std::strrchr(String, Char); }

	// Copies at most MaxLen - 1 characters and always terminates the destination.
	static CharType* Strncpy(CharType* Dest, const CharType* Src, SIZE_T MaxLen)
	{
		if (MaxLen > 0)
		{
			std::strncpy(Dest, Src, MaxLen - 1);
			Dest[MaxLen - 1] = 0;
		}
		return Dest;
	}

	// Numbers: leading whitespace is skipped, parsing stops at the first character that does not fit, and a text
	// without a number gives 0. Values out of range saturate.
	static int32 Atoi(const CharType* String) { return Strtoi(String, nullptr, 10); }
	static int64 Atoi64(const CharType* String) { return Strtoi64(String, nullptr, 10); }
	static float Atof(const CharType* String) { return static_cast<float>(std::strtod(String, nullptr)); }
	static double Atod(const CharType* String) { return std::strtod(String, nullptr); }
	static int32 Strtoi(const CharType* Start, CharType** End, int32 Base)
	{
		const int64 Value = Strtoi64(Start, End, Base);
		return Value > INT32_MAX ? INT32_MAX : (Value < INT32_MIN ? INT32_MIN : static_cast<int32>(Value));
	}
	static int64 Strtoi64(const CharType* Start, CharType** End, int32 Base)
	{
		return static_cast<int64>(std::strtoll(Start, End, Base));
	}
	static uint64 Strtoui64(const CharType* Start, CharType** End, int32 Base)
	{
		return static_cast<uint64>(std::strtoull(Start, End, Base));
	}

	// An optional sign, then digits with at most one '.'. As in the engine an empty text, a lone sign or a lone '.'
	// count as numeric here; FString::IsNumeric rejects the empty string.
	static bool IsNumeric(const CharType* String)
	{
		if (*String == '-' || *String == '+')
		{
			++String;
		}
		bool bHasDot = false;
		for (; *String != 0; ++String)
		{
			if (*String == '.')
			{
				if (bHasDot)
				{
					return false;
				}
				bHasDot = true;
			}
			else if (!TChar<CharType>::IsDigit(*String))
			{
				return false;
			}
		}
		return true;
	}

	// "True", "Yes" and "On" are true and "False", "No" and "Off" false, in any case; other texts are true when
	// they read as a non-zero integer.
	static bool ToBool(const CharType* String)
	{
		if (Stricmp(String, "True") == 0 || Stricmp(String, "Yes") == 0 || Stricmp(String, "On") == 0)
		{
			return true;
		}
		if (Stricmp(String, "False") == 0 || Stricmp(String, "No") == 0 || Stricmp(String, "Off") == 0)
		{
			return false;
		}
		return Atoi(String) != 0;
	}
};

using FCString = TCString<TCHAR>;
using FCStringAnsi = TCString<ANSICHAR>;
