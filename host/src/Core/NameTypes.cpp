// The global name table behind FName.
//
// Every distinct spelling is one entry, which also records the comparison entry of its text: the first spelling of
// that text, ignoring case. Two standard hash maps of views of the entries' texts find entries, one by exact spelling
// over every entry, one ignoring case over the comparison entries; one reader/writer lock guards them and the adding
// of entries. Entries sit in fixed-size chunks that never move and are never changed once added, so a name's text is
// read by index without a lock: comparing a name with text or printing it costs no locking.
#include "UObject/NameTypes.h"

#include "HAL/CriticalSection.h"

#include <atomic>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>

namespace
{
struct FNameEntryIds
{
	uint32 ComparisonId = 0;
	uint32 DisplayId = 0;
};

struct FIgnoreCaseHash
{
	size_t operator()(std::string_view Text) const
	{
		return FCrc::Strihash_DEPRECATED(static_cast<int32>(Text.size()), Text.data());
	}
};

struct FIgnoreCaseEqual
{
	bool operator()(std::string_view A, std::string_view B) const
	{
		return A.size() == B.size() && FCString::Strnicmp(A.data(), B.data(), A.size()) == 0;
	}
};

class FNamePool
{
public:
	static FNamePool& Get()
	{
		// Never destroyed, so names stay readable while other globals are torn down.
		static FNamePool* const Pool = new FNamePool();
		return *Pool;
	}

	// The entries of the spelling, adding it when bAdd. Without adding, a new spelling of a known text gives that
	// text's comparison entry for both, and an unknown text gives None.
	FNameEntryIds Store(const TCHAR* Text, int32 Len, bool bAdd)
	{
		if (Len <= 0)
		{
			return FNameEntryIds();
		}
		const std::string_view Spelling(Text, static_cast<size_t>(Len));
		{
			FReadScopeLock ReadLock(Lock);
			if (const auto Found = Spellings.find(Spelling); Found != Spellings.end())
			{
				return IdsOf(Found->second);
			}
			if (!bAdd)
			{
				const auto FoundText = Texts.find(Spelling);
				return FoundText != Texts.end() ? IdsOf(FoundText->second) : FNameEntryIds();
			}
		}

		FWriteScopeLock WriteLock(Lock);
		// Another thread may have added the spelling between the two locks.
		if (const auto Found = Spellings.find(Spelling); Found != Spellings.end())
		{
			return IdsOf(Found->second);
		}
		const uint32 Id = NumEntries.load(std::memory_order_relaxed);
		const auto FoundText = Texts.find(Spelling);
		const uint32 ComparisonId = FoundText != Texts.end() ? FoundText->second : Id;
		const std::string_view Stored = AddEntry(Spelling, ComparisonId).Text;
		Spellings.emplace(Stored, Id);
		if (ComparisonId == Id)
		{
			Texts.emplace(Stored, Id);
		}
		return FNameEntryIds{ComparisonId, Id};
	}

	// The entry's text, which lives as long as the process. Id comes from a name, so its entry is complete.
	std::string_view Resolve(uint32 Id) const { return ResolveEntry(Id).Text; }

	uint32 Num() const { return NumEntries.load(std::memory_order_acquire); }

private:
	static constexpr uint32 ChunkBits = 12;
	static constexpr uint32 ChunkSize = 1u << ChunkBits;
	static constexpr uint32 MaxChunks = 4096;

	struct FEntry
	{
		std::string Text;
		// The entry of the text's first spelling; the entry itself when it is that spelling.
		uint32 ComparisonId = 0;
	};

	// "None" is entry 0, the comparison entry of NAME_None.
	FNamePool() { Store(TEXT("None"), 4, true); }

	const FEntry& ResolveEntry(uint32 Id) const
	{
		return Chunks[Id >> ChunkBits].load(std::memory_order_acquire)[Id & (ChunkSize - 1)];
	}

	FNameEntryIds IdsOf(uint32 Id) const { return FNameEntryIds{ResolveEntry(Id).ComparisonId, Id}; }

	// Called under the write lock.
	const FEntry& AddEntry(std::string_view Text, uint32 ComparisonId)
	{
		const uint32 Id = NumEntries.load(std::memory_order_relaxed);
		const uint32 ChunkIndex = Id >> ChunkBits;
		checkf(ChunkIndex < MaxChunks, TEXT("The name table is full"));
		FEntry* Chunk = Chunks[ChunkIndex].load(std::memory_order_relaxed);
		if (Chunk == nullptr)
		{
			Chunk = new FEntry[ChunkSize];
			Chunks[ChunkIndex].store(Chunk, std::memory_order_release);
		}
		FEntry& Entry = Chunk[Id & (ChunkSize - 1)];
		Entry.Text.assign(Text);
		Entry.ComparisonId = ComparisonId;
		NumEntries.store(Id + 1, std::memory_order_release);
		return Entry;
	}

	mutable FRWLock Lock;
	// Every entry, by exact spelling.
	std::unordered_map<std::string_view, uint32> Spellings;
	// The comparison entries, by text ignoring case.
	std::unordered_map<std::string_view, uint32, FIgnoreCaseHash, FIgnoreCaseEqual> Texts;
	std::atomic<FEntry*> Chunks[MaxChunks] = {};
	std::atomic<uint32> NumEntries = 0;
};

int32 CompareIgnoreCase(const TCHAR* A, int32 ALen, const TCHAR* B, int32 BLen)
{
	const int32 Common = ALen < BLen ? ALen : BLen;
	for (int32 Index = 0; Index < Common; ++Index)
	{
		const int32 Diff = static_cast<uint8>(FChar::ToLower(A[Index])) - static_cast<uint8>(FChar::ToLower(B[Index]));
		if (Diff != 0)
		{
			return Diff;
		}
	}
	return ALen - BLen;
}

// Where the engine would split a trailing "_<digits>" off as a number: not after a leading zero (unless the
// digits are just "0"), not for more than 10 digits, not for values of 2^31 - 1 or more. Returns the stored
// number (value + 1), 0 when the text has none; OutBaseLen is the length without the suffix.
uint32 ParseNumberSuffix(std::string_view Text, int32& OutBaseLen)
{
	const int32 Len = static_cast<int32>(Text.size());
	OutBaseLen = Len;
	int32 Digits = 0;
	while (Digits < Len && FChar::IsDigit(Text[Len - 1 - Digits]))
	{
		++Digits;
	}
	const int32 FirstDigit = Len - Digits;
	if (Digits == 0 || Digits == Len || Digits > 10 || Text[FirstDigit - 1] != '_')
	{
		return 0;
	}
	if (Digits > 1 && Text[FirstDigit] == '0')
	{
		return 0;
	}
	int64 Number = 0;
	for (int32 Index = FirstDigit; Index < Len; ++Index)
	{
		Number = Number * 10 + (Text[Index] - '0');
	}
	if (Number >= INT32_MAX)
	{
		return 0;
	}
	OutBaseLen = FirstDigit - 1;
	return static_cast<uint32>(Number) + 1;
}
} // namespace

FName::FName(int32 Len, const TCHAR* Name, EFindName FindType)
{
	if (Name != nullptr)
	{
		const FNameEntryIds Ids = FNamePool::Get().Store(Name, Len, FindType == FNAME_Add);
		ComparisonIndex = FNameEntryId::FromUnstableInt(Ids.ComparisonId);
		DisplayIndex = FNameEntryId::FromUnstableInt(Ids.DisplayId);
	}
}

FName::FName(const TCHAR* Name, int32 InNumber)
{
	FString Text(Name);
	if (InNumber != NAME_NO_NUMBER_INTERNAL)
	{
		Text.Appendf("_%d", InNumber - 1);
	}
	*this = FName(Text.Len(), *Text, FNAME_Add);
}

FString FName::ToString() const
{
	const std::string_view Text = FNamePool::Get().Resolve(DisplayIndex.ToUnstableInt());
	return FString(static_cast<int32>(Text.size()), Text.data());
}

void FName::ToString(FString& Out) const
{
	Out.Reset();
	AppendString(Out);
}

void FName::AppendString(FString& Out) const
{
	const std::string_view Text = FNamePool::Get().Resolve(DisplayIndex.ToUnstableInt());
	Out.Append(Text.data(), static_cast<int32>(Text.size()));
}

uint32 FName::ToStringInternal(TCHAR* Out, uint32 OutSize) const
{
	check(OutSize > 0);
	const std::string_view Text = FNamePool::Get().Resolve(DisplayIndex.ToUnstableInt());
	const uint32 Len = static_cast<uint32>(Text.size()) < OutSize - 1 ? static_cast<uint32>(Text.size()) : OutSize - 1;
	std::memcpy(Out, Text.data(), Len * sizeof(TCHAR));
	Out[Len] = TCHAR(0);
	return Len;
}

bool FName::IsValid() const
{
	const uint32 NumEntries = FNamePool::Get().Num();
	return ComparisonIndex.ToUnstableInt() < NumEntries && DisplayIndex.ToUnstableInt() < NumEntries;
}

bool FName::operator==(const TCHAR* Other) const
{
	if (Other == nullptr || *Other == 0)
	{
		return IsNone();
	}
	const std::string_view Text = FNamePool::Get().Resolve(ComparisonIndex.ToUnstableInt());
	return std::strlen(Other) == Text.size() && FCString::Strnicmp(Text.data(), Other, Text.size()) == 0;
}

int32 FName::Compare(const FName& Other) const
{
	if (ComparisonIndex == Other.ComparisonIndex)
	{
		return 0;
	}
	FNamePool& Pool = FNamePool::Get();
	const std::string_view Text = Pool.Resolve(ComparisonIndex.ToUnstableInt());
	const std::string_view OtherText = Pool.Resolve(Other.ComparisonIndex.ToUnstableInt());
	int32 BaseLen = 0;
	int32 OtherBaseLen = 0;
	const uint32 Number = ParseNumberSuffix(Text, BaseLen);
	const uint32 OtherNumber = ParseNumberSuffix(OtherText, OtherBaseLen);
	const int32 BaseDiff = CompareIgnoreCase(Text.data(), BaseLen, OtherText.data(), OtherBaseLen);
	if (BaseDiff != 0)
	{
		return BaseDiff;
	}
	return Number < OtherNumber ? -1 : (Number > OtherNumber ? 1 : 0);
}
