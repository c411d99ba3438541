// FName: an identifier stored in a global name table, compared without regard to case but printed as spelled.
//
// As in the editor's case-preserving names, a name carries two entry indices. The comparison index is shared by
// every spelling of a text that is equal ignoring case, so equality, hashing and fast ordering are integer
// operations on it. The display index is that of the exact spelling this name was made from, so ToString gives back
// what the caller wrote ("ctrlBox" stays "ctrlBox" even after "CtrlBox" was made), whatever else the process met
// first. The empty text and any spelling of "None" are NAME_None (comparison index 0).
//
// The engine splits a trailing "_<digits>" into a number beside the name; here the whole text is the entry, so
// "Bone_2" is one entry and GetNumber() is always 0. Equality answers are the same either way, and Compare and
// LexicalLess still order "Bone_9" before "Bone_10" by reading the suffix as the engine does.
#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"
#include "Templates/TypeHash.h"
#include "UObject/UnrealNames.h"

#define NAME_NO_NUMBER_INTERNAL 0
#define NAME_EXTERNAL_TO_INTERNAL(x) ((x) + 1)
#define NAME_SIZE 1024

enum EFindName
{
	// Look an existing name up and add nothing: an unknown text gives NAME_None, and a new spelling of a known text
	// gives the known name as first spelled.
	FNAME_Find,
	// Look the name up, adding it when it is new.
	FNAME_Add,
};

enum class ENameCase : uint8
{
	CaseSensitive,
	IgnoreCase,
};

// The index of an entry (one spelling) in the name table. Stable for the life of the process, but not across runs.
class FNameEntryId
{
public:
	constexpr FNameEntryId() = default;

	constexpr bool IsNone() const { return Value == 0; }
	constexpr explicit operator bool() const { return Value != 0; }
	constexpr uint32 ToUnstableInt() const { return Value; }
	static constexpr FNameEntryId FromUnstableInt(uint32 UnstableInt)
	{
		FNameEntryId Id;
		Id.Value = UnstableInt;
		return Id;
	}

	constexpr bool operator==(FNameEntryId Other) const { return Value == Other.Value; }
	constexpr bool operator<(FNameEntryId Other) const { return Value < Other.Value; }

private:
	uint32 Value = 0;
};

FORCEINLINE constexpr uint32 GetTypeHash(FNameEntryId Id)
{
	return Id.ToUnstableInt();
}

class FName
{
public:
	constexpr FName() = default;
	constexpr FName(EName Name)
		: ComparisonIndex(FNameEntryId::FromUnstableInt(static_cast<uint32>(Name))), DisplayIndex(ComparisonIndex)
	{
	}
	FName(const TCHAR* Name, EFindName FindType = FNAME_Add)
		: FName(Name != nullptr ? FCString::Strlen(Name) : 0, Name, FindType)
	{
	}
	CORE_API FName(int32 Len, const TCHAR* Name, EFindName FindType = FNAME_Add);
	explicit FName(const FString& Name, EFindName FindType = FNAME_Add) : FName(Name.Len(), *Name, FindType) {}
	// Name followed by "_<InNumber - 1>", the text the engine's (name, number) pair prints as.
	CORE_API FName(const TCHAR* Name, int32 InNumber);

	// The spelling this name was made from.
	CORE_API FString ToString() const;
	CORE_API void ToString(FString& Out) const;
	CORE_API void AppendString(FString& Out) const;
	// The whole text, as numbers are not split off.
	FString GetPlainNameString() const { return ToString(); }

	// Room for any name's text and its terminator.
	static constexpr inline uint32 StringBufferSize = NAME_SIZE + 1 + 10;

	// Writes the spelling (None as "None") into Out without allocating, cut to OutSize - 1 characters and
	// terminated; returns the length written. OutSize must be above 0.
	uint32 ToStringTruncate(TCHAR* Out, uint32 OutSize) const { return ToStringInternal(Out, OutSize); }
	template <uint32 N> uint32 ToStringTruncate(TCHAR (&Out)[N]) const
	{
		static_assert(N > 0, "Out buffer must have at least one element.");
		return ToStringTruncate(Out, N);
	}

	FORCEINLINE bool IsNone() const { return ComparisonIndex.IsNone(); }
	CORE_API bool IsValid() const;

	// Shared by every spelling of the text.
	FORCEINLINE FNameEntryId GetComparisonIndex() const { return ComparisonIndex; }
	// This spelling's own entry; equal for two names exactly when their spellings are.
	FORCEINLINE FNameEntryId GetDisplayIndex() const { return DisplayIndex; }
	FORCEINLINE int32 GetNumber() const { return NAME_NO_NUMBER_INTERNAL; }

	// Ignores case: "ctrlBox" == "CtrlBox".
	FORCEINLINE bool operator==(FName Other) const { return ComparisonIndex == Other.ComparisonIndex; }
	// Compares with the text ignoring case, without adding it to the table; "" and "None" equal NAME_None.
	CORE_API bool operator==(const TCHAR* Other) const;

	// CaseSensitive compares the spellings (display indices), IgnoreCase is operator==. Numbers are never split off
	// here, so bCompareNumber changes nothing.
	FORCEINLINE bool IsEqual(
		const FName& Other, ENameCase CompareMethod = ENameCase::IgnoreCase, bool /*bCompareNumber*/ = true) const
	{
		return CompareMethod == ENameCase::IgnoreCase ? ComparisonIndex == Other.ComparisonIndex
													  : DisplayIndex == Other.DisplayIndex;
	}

	// Alphabetical order ignoring case, reading a trailing "_<digits>" as a number compared after the rest.
	CORE_API int32 Compare(const FName& Other) const;
	bool LexicalLess(const FName& Other) const { return Compare(Other) < 0; }
	// An order that is cheap but arbitrary: by table index.
	bool FastLess(const FName& Other) const { return ComparisonIndex < Other.ComparisonIndex; }

private:
	CORE_API uint32 ToStringInternal(TCHAR* Out, uint32 OutSize) const;

	FNameEntryId ComparisonIndex;
	FNameEntryId DisplayIndex;
};

FORCEINLINE uint32 GetTypeHash(FName Name)
{
	return GetTypeHash(Name.GetComparisonIndex());
}

inline FString LexToString(const FName& Name)
{
	return Name.ToString();
}

inline void LexFromString(FName& OutValue, const TCHAR* Buffer)
{
	OutValue = FName(Buffer);
}

struct FNameLexicalLess
{
	bool operator()(const FName& A, const FName& B) const { return A.LexicalLess(B); }
};

struct FNameFastLess
{
	bool operator()(const FName& A, const FName& B) const { return A.FastLess(B); }
};
