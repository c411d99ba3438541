// TStringView: a non-owning view of a run of characters, with the engine's slicing and comparison functions.
// Equality operators ignore case, as FString's do; Equals is case-sensitive unless told otherwise.
#pragma once

#include "CoreTypes.h"
#include "Containers/StringFwd.h"
#include "Containers/UnrealString.h"
#include "Misc/CString.h"

template <typename CharType> class TStringView
{
public:
	using ElementType = CharType;

	constexpr TStringView() = default;

	// A null pointer gives the empty view.
	TStringView(const CharType* InData)
		: DataPtr(InData), Size(InData != nullptr ? TCString<CharType>::Strlen(InData) : 0)
	{
	}
	constexpr TStringView(const CharType* InData, int32 InSize) : DataPtr(InData), Size(InSize) {}

	// Views the string's characters; the view is valid while the string is alive and unchanged.
	TStringView(const FString& InString) : DataPtr(*InString), Size(InString.Len()) {}

	const CharType* GetData() const { return DataPtr; }
	int32 Len() const { return Size; }
	bool IsEmpty() const { return Size == 0; }
	const CharType& operator[](int32 Index) const
	{
		checkSlow(Index >= 0 && Index < Size);
		return DataPtr[Index];
	}

	const CharType* begin() const { return DataPtr; }
	const CharType* end() const { return DataPtr + Size; }

	// Slicing clamps its arguments to the view, as the engine does.
	TStringView Left(int32 CharCount) const { return TStringView(DataPtr, Clamp(CharCount)); }
	TStringView LeftChop(int32 CharCount) const { return TStringView(DataPtr, Size - Clamp(CharCount)); }
	TStringView Right(int32 CharCount) const
	{
		const int32 Count = Clamp(CharCount);
		return TStringView(DataPtr + Size - Count, Count);
	}
	TStringView RightChop(int32 CharCount) const
	{
		const int32 Count = Clamp(CharCount);
		return TStringView(DataPtr + Count, Size - Count);
	}
	TStringView Mid(int32 Position, int32 CharCount = INT32_MAX) const
	{
		const int32 Start = Clamp(Position);
		const int64 End = static_cast<int64>(Start) + (CharCount > 0 ? CharCount : 0);
		const int32 ClampedEnd = End > Size ? Size : static_cast<int32>(End);
		return TStringView(DataPtr + Start, ClampedEnd - Start);
	}

	bool FindChar(CharType InChar, int32& OutIndex) const
	{
		for (int32 Index = 0; Index < Size; ++Index)
		{
			if (DataPtr[Index] == InChar)
			{
				OutIndex = Index;
				return true;
			}
		}
		OutIndex = INDEX_NONE;
		return false;
	}
	bool FindLastChar(CharType InChar, int32& OutIndex) const
	{
		for (int32 Index = Size - 1; Index >= 0; --Index)
		{
			if (DataPtr[Index] == InChar)
			{
				OutIndex = Index;
				return true;
			}
		}
		OutIndex = INDEX_NONE;
		return false;
	}

	bool Equals(TStringView Other, ESearchCase::Type SearchCase = ESearchCase::CaseSensitive) const
	{
		return Size == Other.Size && Compare(Other, SearchCase) == 0;
	}
	int32 Compare(TStringView Other, ESearchCase::Type SearchCase = ESearchCase::CaseSensitive) const
	{
		const int32 Common = Size < Other.Size ? Size : Other.Size;
		const int32 Result = Common == 0               ? 0
			: SearchCase == ESearchCase::CaseSensitive ? TCString<CharType>::Strncmp(DataPtr, Other.DataPtr, Common)
													   : TCString<CharType>::Strnicmp(DataPtr, Other.DataPtr, Common);
		return Result != 0 ? Result : Size - Other.Size;
	}
	bool StartsWith(TStringView Prefix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const
	{
		return Prefix.Size <= Size && Left(Prefix.Size).Equals(Prefix, SearchCase);
	}
	bool EndsWith(TStringView Suffix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const
	{
		return Suffix.Size <= Size && Right(Suffix.Size).Equals(Suffix, SearchCase);
	}

	friend bool operator==(TStringView Lhs, TStringView Rhs) { return Lhs.Equals(Rhs, ESearchCase::IgnoreCase); }
	friend bool operator!=(TStringView Lhs, TStringView Rhs) { return !(Lhs == Rhs); }

private:
	int32 Clamp(int32 Count) const { return Count < 0 ? 0 : (Count > Size ? Size : Count); }

	const CharType* DataPtr = nullptr;
	int32 Size = 0;
};
