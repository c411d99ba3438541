// FString: an owned, growable string of TCHAR. Equality and ordering operators ignore case, as in the engine;
// Equals and Compare are case-sensitive unless told otherwise.
#pragma once

#include "CoreTypes.h"
#include "Containers/AllowShrinking.h"
#include "Containers/Array.h"
#include "Containers/StringFwd.h"
#include "Misc/AssertionMacros.h"
#include "Misc/CString.h"
#include "Misc/Char.h"
#include "Misc/Crc.h"

#include <string>
#include <type_traits>
#include <utility>

class FString
{
public:
	using ElementType = TCHAR;

	FString() = default;
	FString(const FString&) = default;
	FString(FString&&) noexcept = default;
	FString& operator=(const FString&) = default;
	FString& operator=(FString&&) noexcept = default;

	// A null pointer gives the empty string.
	FString(const TCHAR* Str) : Data(Str != nullptr ? Str : "") {}

	// The first InCount characters of InSrc.
	explicit FString(int32 InCount, const TCHAR* InSrc)
		: Data(InSrc != nullptr && InCount > 0 ? std::string(InSrc, InCount) : std::string())
	{
	}

	FString& operator=(const TCHAR* Str)
	{
		Data = Str != nullptr ? Str : "";
		return *this;
	}

	static FString ConstructFromPtrSize(const TCHAR* Ptr, int32 Size) { return FString(Size, Ptr); }

	// The characters of a string view (Containers/StringView.h).
	template <typename ViewCharType>
	explicit FString(TStringView<ViewCharType> InView)
		: Data(InView.IsEmpty() ? std::string() : std::string(InView.GetData(), static_cast<size_t>(InView.Len())))
	{
	}
	template <typename ViewCharType> FString& operator=(TStringView<ViewCharType> InView)
	{
		*this = FString(InView);
		return *this;
	}

	// ---- Size and access ----

	FORCEINLINE const TCHAR* operator*() const { return Data.c_str(); }
	FORCEINLINE int32 Len() const { return static_cast<int32>(Data.size()); }
	FORCEINLINE bool IsEmpty() const { return Data.empty(); }
	FORCEINLINE bool IsValidIndex(int32 Index) const { return Index >= 0 && Index < Len(); }

	FORCEINLINE TCHAR& operator[](int32 Index)
	{
		checkSlow(IsValidIndex(Index));
		return Data[Index];
	}
	FORCEINLINE const TCHAR& operator[](int32 Index) const
	{
		checkSlow(IsValidIndex(Index));
		return Data[Index];
	}

	// Empties the string, keeping room for Slack characters (releasing the memory when 0).
	void Empty(int32 Slack = 0)
	{
		Data.clear();
		if (Slack == 0)
		{
			Data.shrink_to_fit();
		}
		else
		{
			Data.reserve(Slack);
		}
	}
	// Empties the string, keeping its memory.
	void Reset(int32 NewReservedSize = 0)
	{
		Data.clear();
		Data.reserve(NewReservedSize);
	}
	void Reserve(int32 CharacterCount) { Data.reserve(CharacterCount); }
	void Shrink() { Data.shrink_to_fit(); }

	TCHAR* begin() { return Data.data(); }
	TCHAR* end() { return Data.data() + Data.size(); }
	const TCHAR* begin() const { return Data.data(); }
	const TCHAR* end() const { return Data.data() + Data.size(); }

	// ---- Appending ----

	FString& Append(const TCHAR* Text, int32 Count)
	{
		if (Text != nullptr && Count > 0)
		{
			Data.append(Text, Count);
		}
		return *this;
	}
	FString& Append(const TCHAR* Text) { return Text != nullptr ? Append(Text, FCString::Strlen(Text)) : *this; }
	FString& Append(const FString& Text)
	{
		Data.append(Text.Data);
		return *this;
	}
	FString& AppendChar(TCHAR InChar)
	{
		Data.push_back(InChar);
		return *this;
	}
	FString& AppendChars(const TCHAR* Text, int32 Count) { return Append(Text, Count); }

	FString& operator+=(const TCHAR* Text) { return Append(Text); }
	FString& operator+=(const FString& Text) { return Append(Text); }
	template <typename CharType>
	requires std::is_same_v<CharType, TCHAR> FString& operator+=(CharType InChar) { return AppendChar(InChar); }

	friend FString operator+(FString Lhs, const FString& Rhs)
	{
		Lhs.Append(Rhs);
		return Lhs;
	}
	friend FString operator+(FString Lhs, const TCHAR* Rhs)
	{
		Lhs.Append(Rhs);
		return Lhs;
	}
	friend FString operator+(const TCHAR* Lhs, const FString& Rhs)
	{
		FString Result;
		Result.Reserve((Lhs != nullptr ? FCString::Strlen(Lhs) : 0) + Rhs.Len());
		Result.Append(Lhs);
		Result.Append(Rhs);
		return Result;
	}
	template <typename CharType>
	requires std::is_same_v<CharType, TCHAR>
	friend FString operator+(FString Lhs, CharType Rhs)
	{
		Lhs.AppendChar(Rhs);
		return Lhs;
	}
	template <typename CharType>
	requires std::is_same_v<CharType, TCHAR>
	friend FString operator+(CharType Lhs, const FString& Rhs)
	{
		FString Result;
		Result.Reserve(Rhs.Len() + 1);
		Result.AppendChar(Lhs);
		Result.Append(Rhs);
		return Result;
	}

	// printf-style formatting; %s takes a const TCHAR*, so pass *String.
	static CORE_API FString Printf(const TCHAR* Format, ...) __attribute__((format(printf, 1, 2)));
	CORE_API FString& Appendf(const TCHAR* Format, ...) __attribute__((format(printf, 2, 3)));

	// ---- Comparison ----

	bool Equals(const FString& Other, ESearchCase::Type SearchCase = ESearchCase::CaseSensitive) const
	{
		return Len() == Other.Len() && Compare(Other, SearchCase) == 0;
	}
	int32 Compare(const FString& Other, ESearchCase::Type SearchCase = ESearchCase::CaseSensitive) const
	{
		return SearchCase == ESearchCase::CaseSensitive ? FCString::Strcmp(**this, *Other)
														: FCString::Stricmp(**this, *Other);
	}

	// The operators ignore case.
	friend bool operator==(const FString& Lhs, const FString& Rhs) { return Lhs.Equals(Rhs, ESearchCase::IgnoreCase); }
	friend bool operator==(const FString& Lhs, const TCHAR* Rhs)
	{
		return FCString::Stricmp(*Lhs, Rhs != nullptr ? Rhs : "") == 0;
	}
	friend bool operator<(const FString& Lhs, const FString& Rhs) { return FCString::Stricmp(*Lhs, *Rhs) < 0; }
	friend bool operator<=(const FString& Lhs, const FString& Rhs) { return FCString::Stricmp(*Lhs, *Rhs) <= 0; }
	friend bool operator>(const FString& Lhs, const FString& Rhs) { return FCString::Stricmp(*Lhs, *Rhs) > 0; }
	friend bool operator>=(const FString& Lhs, const FString& Rhs) { return FCString::Stricmp(*Lhs, *Rhs) >= 0; }

	// ---- Searching ----

	// The index of the first (or last) occurrence, or INDEX_NONE; an empty SubStr is never found. From the start,
	// the search begins at StartPosition; from the end, the match must end at or before StartPosition.
	CORE_API int32 Find(const TCHAR* SubStr, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase,
		ESearchDir::Type SearchDir = ESearchDir::FromStart, int32 StartPosition = INDEX_NONE) const;
	int32 Find(const FString& SubStr, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase,
		ESearchDir::Type SearchDir = ESearchDir::FromStart, int32 StartPosition = INDEX_NONE) const
	{
		return FindSubstring(*SubStr, SubStr.Len(), SearchCase, SearchDir, StartPosition);
	}

	bool Contains(const TCHAR* SubStr, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase,
		ESearchDir::Type SearchDir = ESearchDir::FromStart) const
	{
		return Find(SubStr, SearchCase, SearchDir) != INDEX_NONE;
	}
	bool Contains(const FString& SubStr, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase,
		ESearchDir::Type SearchDir = ESearchDir::FromStart) const
	{
		return Find(SubStr, SearchCase, SearchDir) != INDEX_NONE;
	}

	// Case-sensitive search for one character.
	bool FindChar(TCHAR InChar, int32& Index) const
	{
		const std::string::size_type Found = Data.find(InChar);
		Index = Found != std::string::npos ? static_cast<int32>(Found) : INDEX_NONE;
		return Index != INDEX_NONE;
	}
	bool FindLastChar(TCHAR InChar, int32& Index) const
	{
		const std::string::size_type Found = Data.rfind(InChar);
		Index = Found != std::string::npos ? static_cast<int32>(Found) : INDEX_NONE;
		return Index != INDEX_NONE;
	}
	// The last of the first Count characters that the predicate accepts, or INDEX_NONE.
	template <typename PredicateType> int32 FindLastCharByPredicate(PredicateType Pred, int32 Count) const
	{
		check(Count >= 0 && Count <= Len());
		for (int32 Index = Count - 1; Index >= 0; --Index)
		{
			if (Pred(Data[Index]))
			{
				return Index;
			}
		}
		return INDEX_NONE;
	}
	template <typename PredicateType> int32 FindLastCharByPredicate(PredicateType Pred) const
	{
		return FindLastCharByPredicate(Pred, Len());
	}

	// An empty prefix or suffix never matches.
	CORE_API bool StartsWith(const TCHAR* InPrefix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const;
	CORE_API bool EndsWith(const TCHAR* InSuffix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const;
	bool StartsWith(const FString& InPrefix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const
	{
		return StartsWith(*InPrefix, SearchCase);
	}
	bool EndsWith(const FString& InSuffix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const
	{
		return EndsWith(*InSuffix, SearchCase);
	}

	// Removes the prefix or suffix when present; returns whether it was.
	CORE_API bool RemoveFromStart(const TCHAR* InPrefix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase);
	CORE_API bool RemoveFromEnd(const TCHAR* InSuffix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase);
	bool RemoveFromStart(const FString& InPrefix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase)
	{
		return RemoveFromStart(*InPrefix, SearchCase);
	}
	bool RemoveFromEnd(const FString& InSuffix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase)
	{
		return RemoveFromEnd(*InSuffix, SearchCase);
	}

	// ---- Substrings (counts and positions are clamped to the string) ----

	FString Left(int32 Count) const { return Mid(0, Count); }
	FString LeftChop(int32 Count) const { return Mid(0, Len() - ClampToLength(Count)); }
	FString Right(int32 Count) const { return Mid(Len() - ClampToLength(Count)); }
	FString RightChop(int32 Count) const { return Mid(ClampToLength(Count)); }
	// Count characters from Start; a range reaching outside the string is cut to the part inside.
	FString Mid(int32 Start, int32 Count = INT32_MAX) const
	{
		int32 First = 0;
		int32 Num = 0;
		MidRange(Start, Count, First, Num);
		return FString(Num, Data.c_str() + First);
	}

	void LeftInline(int32 Count) { MidInline(0, Count); }
	void LeftChopInline(int32 Count) { MidInline(0, Len() - ClampToLength(Count)); }
	void RightInline(int32 Count) { MidInline(Len() - ClampToLength(Count)); }
	void RightChopInline(int32 Count) { MidInline(ClampToLength(Count)); }
	void MidInline(int32 Start, int32 Count = INT32_MAX)
	{
		int32 First = 0;
		int32 Num = 0;
		MidRange(Start, Count, First, Num);
		Data.erase(First + Num);
		Data.erase(0, First);
	}

	// Splits at the first (or last) occurrence of InS into the parts before and after it; either output may be
	// null. Returns false, leaving the outputs alone, when InS is not found.
	CORE_API bool Split(const FString& InS, FString* LeftS, FString* RightS,
		ESearchCase::Type SearchCase = ESearchCase::IgnoreCase,
		ESearchDir::Type SearchDir = ESearchDir::FromStart) const;

	// Breaks the string at every occurrence of the delimiter (matched with case). With InCullEmpty the empty
	// pieces are dropped. An empty string or delimiter gives no pieces. Returns the number of pieces.
	CORE_API int32 ParseIntoArray(TArray<FString>& OutArray, const TCHAR* pchDelim, bool InCullEmpty = true) const;
	// As above with several delimiters, tried in order at each position.
	CORE_API int32 ParseIntoArray(
		TArray<FString>& OutArray, const TCHAR* const* DelimArray, int32 NumDelims, bool InCullEmpty = true) const;
	// Breaks at spaces, tabs and line ends, and at pchExtraDelim when given.
	CORE_API int32 ParseIntoArrayWS(
		TArray<FString>& OutArray, const TCHAR* pchExtraDelim = nullptr, bool InCullEmpty = true) const;
	CORE_API int32 ParseIntoArrayLines(TArray<FString>& OutArray, bool InCullEmpty = true) const;

	// ---- Editing ----

	// Replaces every occurrence, left to right without overlaps. An empty From changes nothing.
	CORE_API FString Replace(
		const TCHAR* From, const TCHAR* To, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const;
	// As Replace, in place; returns the number of replacements.
	CORE_API int32 ReplaceInline(
		const TCHAR* From, const TCHAR* To, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase);
	CORE_API void ReplaceCharInline(TCHAR From, TCHAR To, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase);

	FString ToUpper() const
	{
		FString Result(*this);
		Result.ToUpperInline();
		return Result;
	}
	FString ToLower() const
	{
		FString Result(*this);
		Result.ToLowerInline();
		return Result;
	}
	void ToUpperInline()
	{
		for (TCHAR& Char : Data)
		{
			Char = FChar::ToUpper(Char);
		}
	}
	void ToLowerInline()
	{
		for (TCHAR& Char : Data)
		{
			Char = FChar::ToLower(Char);
		}
	}

	// Whitespace trimming; the Inline forms change this string.
	CORE_API void TrimStartInline();
	CORE_API void TrimEndInline();
	void TrimStartAndEndInline()
	{
		TrimEndInline();
		TrimStartInline();
	}
	FString TrimStart() const
	{
		FString Result(*this);
		Result.TrimStartInline();
		return Result;
	}
	FString TrimEnd() const
	{
		FString Result(*this);
		Result.TrimEndInline();
		return Result;
	}
	FString TrimStartAndEnd() const
	{
		FString Result(*this);
		Result.TrimStartAndEndInline();
		return Result;
	}

	void InsertAt(int32 Index, TCHAR Character)
	{
		check(Index >= 0 && Index <= Len());
		Data.insert(Data.begin() + Index, Character);
	}
	void InsertAt(int32 Index, const FString& Characters)
	{
		check(Index >= 0 && Index <= Len());
		Data.insert(Index, Characters.Data);
	}

	void RemoveAt(int32 Index, int32 Count = 1, EAllowShrinking AllowShrinking = EAllowShrinking::Default)
	{
		check(Count >= 0 && Index >= 0 && Index + Count <= Len());
		Data.erase(Index, Count);
		if (AllowShrinking == EAllowShrinking::Yes)
		{
			Data.shrink_to_fit();
		}
	}
	void RemoveAt(int32 Index, int32 Count, bool bAllowShrinking)
	{
		RemoveAt(Index, Count, bAllowShrinking ? EAllowShrinking::Yes : EAllowShrinking::No);
	}

	// ---- Conversion ----

	// Not empty, an optional sign, digits and at most one '.'.
	bool IsNumeric() const { return !IsEmpty() && FCString::IsNumeric(**this); }
	bool ToBool() const { return FCString::ToBool(**this); }

	static FString FromInt(int32 Num) { return Printf("%d", Num); }
	static FString Chr(TCHAR Char) { return FString(1, &Char); }
	static FString ChrN(int32 NumCharacters, TCHAR Char)
	{
		FString Result;
		Result.Data.assign(NumCharacters > 0 ? NumCharacters : 0, Char);
		return Result;
	}

	// The shortest decimal text from "%f" with at least InMinFractionalDigits after the point: 1 gives "1.0",
	// 0.5 gives "0.5"; negative zero prints as "0.0".
	static CORE_API FString SanitizeFloat(double InFloat, int32 InMinFractionalDigits = 1);

	// The elements of a range, each appended to the result, with Separator between them.
	template <typename RangeType> static FString Join(const RangeType& Range, const TCHAR* Separator)
	{
		return JoinBy(Range, Separator, [](const auto& Element) -> decltype(auto) { return Element; });
	}
	template <typename RangeType, typename ProjectionType>
	static FString JoinBy(const RangeType& Range, const TCHAR* Separator, ProjectionType Projection)
	{
		FString Result;
		bool bFirst = true;
		for (const auto& Element : Range)
		{
			if (!bFirst)
			{
				Result += Separator;
			}
			Result += Projection(Element);
			bFirst = false;
		}
		return Result;
	}

private:
	CORE_API int32 FindSubstring(const TCHAR* SubStr, int32 SubLen, ESearchCase::Type SearchCase,
		ESearchDir::Type SearchDir, int32 StartPosition) const;

	int32 ClampToLength(int32 Count) const { return Count < 0 ? 0 : (Count > Len() ? Len() : Count); }

	void MidRange(int32 Start, int32 Count, int32& OutFirst, int32& OutNum) const
	{
		const int64 End = static_cast<int64>(Start) + (Count > 0 ? Count : 0);
		OutFirst = ClampToLength(Start);
		const int32 ClampedEnd = End < OutFirst ? OutFirst : (End > Len() ? Len() : static_cast<int32>(End));
		OutNum = ClampedEnd - OutFirst;
	}

	std::string Data;
};

// Case-insensitive, like the string's equality.
FORCEINLINE uint32 GetTypeHash(const FString& S)
{
	return FCrc::Strihash_DEPRECATED(S.Len(), *S);
}

// ---- Conversions to and from text ----

inline FString LexToString(const FString& Value)
{
	return Value;
}
inline FString LexToString(FString&& Value)
{
	return MoveTemp(Value);
}
inline FString LexToString(const TCHAR* Value)
{
	return FString(Value);
}
inline FString LexToString(bool Value)
{
	return Value ? FString("true") : FString("false");
}
inline FString LexToString(int32 Value)
{
	return FString::Printf("%d", Value);
}
inline FString LexToString(uint32 Value)
{
	return FString::Printf("%u", Value);
}
inline FString LexToString(int64 Value)
{
	return FString::Printf("%lld", static_cast<long long>(Value));
}
inline FString LexToString(uint64 Value)
{
	return FString::Printf("%llu", static_cast<unsigned long long>(Value));
}
// Fixed six decimals ("%f"); LexToSanitizedString gives the short form.
inline FString LexToString(float Value)
{
	return FString::Printf("%f", static_cast<double>(Value));
}
inline FString LexToString(double Value)
{
	return FString::Printf("%f", Value);
}
inline FString LexToSanitizedString(float Value)
{
	return FString::SanitizeFloat(Value);
}
inline FString LexToSanitizedString(double Value)
{
	return FString::SanitizeFloat(Value);
}

inline void LexFromString(int32& OutValue, const TCHAR* Buffer)
{
	OutValue = FCString::Atoi(Buffer);
}
inline void LexFromString(int64& OutValue, const TCHAR* Buffer)
{
	OutValue = FCString::Atoi64(Buffer);
}
inline void LexFromString(uint32& OutValue, const TCHAR* Buffer)
{
	OutValue = static_cast<uint32>(FCString::Strtoui64(Buffer, nullptr, 10));
}
inline void LexFromString(float& OutValue, const TCHAR* Buffer)
{
	OutValue = FCString::Atof(Buffer);
}
inline void LexFromString(double& OutValue, const TCHAR* Buffer)
{
	OutValue = FCString::Atod(Buffer);
}
inline void LexFromString(bool& OutValue, const TCHAR* Buffer)
{
	OutValue = FCString::ToBool(Buffer);
}
inline void LexFromString(FString& OutValue, const TCHAR* Buffer)
{
	OutValue = Buffer;
}
