// FName: a case-insensitive identifier stored once in a global name table and passed around as its index.
//
// Equal texts (ignoring case) share one entry, so equality and hashing are integer operations; ToString gives the
// spelling the entry was first created with. The empty text and "None" are NAME_None, index 0.
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
	// Look an existing name up; an unknown text gives NAME_None and adds nothing.
	FNAME_Find,
	// Look the name up, adding it when it is new.
	FNAME_Add,
};

enum class ENameCase : uint8
{
	CaseSensitive,
	IgnoreCase,
};

// The index of an entry in the name table. Stable for the life of the process, but not across runs.
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
	constexpr FName(EName Name) : ComparisonIndex(FNameEntryId::FromUnstableInt(static_cast<uint32>(Name))) {}
	FName(const TCHAR* Name, EFindName FindType = FNAME_Add)
		: FName(Name != nullptr ? FCString::Strlen(Name) : 0, Name, FindType)
	{
	}
	CORE_API FName(int32 Len, const TCHAR* Name, EFindName FindType = FNAME_Add);
	explicit FName(const FString& Name, EFindName FindType = FNAME_Add) : FName(Name.Len(), *Name, FindType) {}
	// Name followed by "_<InNumber - 1>", the text the engine's (name, number) pair prints as.
	CORE_API FName(const TCHAR* Name, int32 InNumber);

	CORE_API FString ToString() const;
	CORE_API void ToString(FString& Out) const;
	CORE_API void AppendString(FString& Out) const;
	// The whole text, as numbers are not split off.
	FString GetPlainNameString() const { return ToString(); }

	FORCEINLINE bool IsNone() const { return ComparisonIndex.IsNone(); }
	CORE_API bool IsValid() const;

	FORCEINLINE FNameEntryId GetComparisonIndex() const { return ComparisonIndex; }
	FORCEINLINE FNameEntryId GetDisplayIndex() const { return ComparisonIndex; }
	FORCEINLINE int32 GetNumber() const { return NAME_NO_NUMBER_INTERNAL; }

	FORCEINLINE bool operator==(FName Other) const { return ComparisonIndex == Other.ComparisonIndex; }
	// Compares with the text ignoring case, without adding it to the table; "" and "None" equal NAME_None.
	CORE_API bool operator==(const TCHAR* Other) const;

	// CaseSensitive also compares the spellings, which are those of the first creation.
	CORE_API bool IsEqual(
		const FName& Other, ENameCase CompareMethod = ENameCase::IgnoreCase, bool bCompareNumber = true) const;

	// Alphabetical order ignoring case, reading a trailing "_<digits>" as a number compared after the rest.
	CORE_API int32 Compare(const FName& Other) const;
	bool LexicalLess(const FName& Other) const { return Compare(Other) < 0; }
	// An order that is cheap but arbitrary: by table index.
	bool FastLess(const FName& Other) const { return ComparisonIndex < Other.ComparisonIndex; }

private:
	FNameEntryId ComparisonIndex;
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
