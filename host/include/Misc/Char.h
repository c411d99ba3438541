// Character classification and case conversion. Only ASCII letters change case; no locale is consulted, so results
// are the same on every machine.
#pragma once

#include "CoreTypes.h"

template <typename CharType> struct TChar
{
	static constexpr CharType ToUpper(CharType Char)
	{
		return static_cast<uint32>(Char - 'a') < 26u ? static_cast<CharType>(Char + ('A' - 'a')) : Char;
	}
	static constexpr CharType ToLower(CharType Char)
	{
		return static_cast<uint32>(Char - 'A') < 26u ? static_cast<CharType>(Char + ('a' - 'A')) : Char;
	}
	static constexpr bool IsUpper(CharType Char) { return Char >= 'A' && Char <= 'Z'; }
	static constexpr bool IsLower(CharType Char) { return Char >= 'a' && Char <= 'z'; }
	static constexpr bool IsAlpha(CharType Char) { return IsUpper(Char) || IsLower(Char); }
	static constexpr bool IsDigit(CharType Char) { return Char >= '0' && Char <= '9'; }
	static constexpr bool IsAlnum(CharType Char) { return IsAlpha(Char) || IsDigit(Char); }
	static constexpr bool IsHexDigit(CharType Char)
	{
		return IsDigit(Char) || (Char >= 'a' && Char <= 'f') || (Char >= 'A' && Char <= 'F');
	}
	static constexpr bool IsOctDigit(CharType Char) { return Char >= '0' && Char <= '7'; }
	static constexpr bool IsWhitespace(CharType Char)
	{
		return Char == ' ' || Char == '\t' || Char == '\n' || Char == '\v' || Char == '\f' || Char == '\r';
	}
	static constexpr bool IsLinebreak(CharType Char)
	{
		return Char == '\n' || Char == '\v' || Char == '\f' || Char == '\r';
	}
	static constexpr bool IsPrint(CharType Char) { return Char >= 0x20 && Char < 0x7f; }
	static constexpr bool IsPunct(CharType Char) { return IsPrint(Char) && !IsAlnum(Char) && Char != ' '; }
	static constexpr bool IsIdentifier(CharType Char) { return IsAlnum(Char) || Char == '_'; }
	static constexpr int32 ConvertCharDigitToInt(CharType Char) { return static_cast<int32>(Char) - '0'; }
};

using FChar = TChar<TCHAR>;
using FCharAnsi = TChar<ANSICHAR>;
