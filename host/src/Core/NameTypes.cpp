// The global name table behind FName.
//
// Every distinct spelling is one entry, which also records the comparison entry of its text: the first spelling of
// that text, ignoring case. Entries live in fixed-size chunks that never move, so an entry can be read without a
// lock once its index is known. Two open-addressing tables of (hash, index) slots find entries: one by exact
// spelling over every entry, one ignoring case over the comparison entries. Both sit behind one reader/writer lock:
// finding an existing spelling takes only the read lock and allocates nothing; a new spelling takes the write lock.
#include "UObject/NameTypes.h"

#include "HAL/CriticalSection.h"

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

namespace
{
struct FNameEntryIds
{
	uint32 ComparisonId = 0;
	uint32 DisplayId = 0;
};

// FNV-1a over the characters as they are: the hash of an exact spelling.
uint32 HashSpelling(const TCHAR* Text, int32 Len)
{
	uint32 Hash = 2166136261u;
	for (int32 Index = 0; Index < Len; ++Index)
	{
		Hash ^= static_cast<uint8>(Text[Index]);
		Hash *= 16777619u;
	}
	return Hash;
}

// Open addressing with linear probing; at most half full. Slots hold the text's hash beside the entry index, so
// most mismatches are rejected without reading the entry.
class FNameSlotTable
{
public:
	static constexpr int32 InitialSize = 1024;

	FNameSlotTable() : Slots(InitialSize) {}

	// The slot whose entry satisfies Matches, or the empty slot where such an entry would go.
	template <typename MatchesType> int32 Probe(uint32 Hash, MatchesType&& Matches) const
	{
		const uint32 Mask = static_cast<uint32>(Slots.size()) - 1;
		for (uint32 Index = Hash & Mask;; Index = (Index + 1) & Mask)
		{
			const FSlot& Slot = Slots[Index];
			if (Slot.IdPlusOne == 0 || (Slot.Hash == Hash && Matches(Slot.IdPlusOne - 1)))
			{
				return static_cast<int32>(Index);
			}
		}
	}

	bool IsUsed(int32 SlotIndex) const { return Slots[SlotIndex].IdPlusOne != 0; }
	uint32 GetId(int32 SlotIndex) const { return Slots[SlotIndex].IdPlusOne - 1; }

	// Fills the empty slot Probe returned; the table may grow, so slot indices are stale afterwards.
	void Claim(int32 SlotIndex, uint32 Hash, uint32 Id)
	{
		Slots[SlotIndex] = FSlot{Hash, Id + 1};
		if (2 * ++NumUsed > Slots.size())
		{
			Grow();
		}
	}

private:
	struct FSlot
	{
		uint32 Hash = 0;
		uint32 IdPlusOne = 0;
	};

	void Grow()
	{
		std::vector<FSlot> OldSlots(Slots.size() * 2);
		OldSlots.swap(Slots);
		const uint32 Mask = static_cast<uint32>(Slots.size()) - 1;
		for (const FSlot& Slot : OldSlots)
		{
			if (Slot.IdPlusOne != 0)
			{
				uint32 Index = Slot.Hash & Mask;
				while (Slots[Index].IdPlusOne != 0)
				{
					Index = (Index + 1) & Mask;
				}
				Slots[Index] = Slot;
			}
		}
	}

	std::vector<FSlot> Slots;
	size_t NumUsed = 0;
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
		const uint32 SpellingHash = HashSpelling(Text, Len);
		{
			FReadScopeLock ReadLock(Lock);
			const int32 SpellingSlot = ProbeSpelling(Text, Len, SpellingHash);
			if (Spellings.IsUsed(SpellingSlot))
			{
				return IdsOf(Spellings.GetId(SpellingSlot));
			}
			if (!bAdd)
			{
				const int32 TextSlot = ProbeText(Text, Len, FCrc::Strihash_DEPRECATED(Len, Text));
				return Texts.IsUsed(TextSlot) ? IdsOf(Texts.GetId(TextSlot)) : FNameEntryIds();
			}
		}

		FWriteScopeLock WriteLock(Lock);
		// Another thread may have added the spelling between the two locks.
		const int32 SpellingSlot = ProbeSpelling(Text, Len, SpellingHash);
		if (Spellings.IsUsed(SpellingSlot))
		{
			return IdsOf(Spellings.GetId(SpellingSlot));
		}
		const uint32 TextHash = FCrc::Strihash_DEPRECATED(Len, Text);
		const int32 TextSlot = ProbeText(Text, Len, TextHash);
		const bool bNewText = !Texts.IsUsed(TextSlot);
		const uint32 Id = NumEntries.load(std::memory_order_relaxed);
		const uint32 ComparisonId = bNewText ? Id : Texts.GetId(TextSlot);
		AddEntry(Text, Len, ComparisonId);
		Spellings.Claim(SpellingSlot, SpellingHash, Id);
		if (bNewText)
		{
			Texts.Claim(TextSlot, TextHash, Id);
		}
		return FNameEntryIds{ComparisonId, Id};
	}

	const std::string& Resolve(uint32 Id) const { return ResolveEntry(Id).Text; }

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
		const FEntry* Chunk = Chunks[Id >> ChunkBits].load(std::memory_order_acquire);
		return Chunk[Id & (ChunkSize - 1)];
	}

	FNameEntryIds IdsOf(uint32 Id) const { return FNameEntryIds{ResolveEntry(Id).ComparisonId, Id}; }

	int32 ProbeSpelling(const TCHAR* Text, int32 Len, uint32 Hash) const
	{
		return Spellings.Probe(Hash,
			[this, Text, Len](uint32 Id)
			{
				const std::string& Entry = Resolve(Id);
				return static_cast<int32>(Entry.size()) == Len && FCString::Strncmp(Entry.c_str(), Text, Len) == 0;
			});
	}

	int32 ProbeText(const TCHAR* Text, int32 Len, uint32 Hash) const
	{
		return Texts.Probe(Hash,
			[this, Text, Len](uint32 Id)
			{
				const std::string& Entry = Resolve(Id);
				return static_cast<int32>(Entry.size()) == Len && FCString::Strnicmp(Entry.c_str(), Text, Len) == 0;
			});
	}

	void AddEntry(const TCHAR* Text, int32 Len, uint32 ComparisonId)
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
		Entry.Text.assign(Text, Len);
		Entry.ComparisonId = ComparisonId;
		NumEntries.store(Id + 1, std::memory_order_release);
	}

	mutable FRWLock Lock;
	// Every entry, by exact spelling.
	FNameSlotTable Spellings;
	// The comparison entries, by text ignoring case.
	FNameSlotTable Texts;
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
uint32 ParseNumberSuffix(const std::string& Text, int32& OutBaseLen)
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
	const int64 Number = FCString::Atoi64(Text.c_str() + FirstDigit);
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
	const std::string& Text = FNamePool::Get().Resolve(DisplayIndex.ToUnstableInt());
	return FString(static_cast<int32>(Text.size()), Text.c_str());
}

void FName::ToString(FString& Out) const
{
	Out.Reset();
	AppendString(Out);
}

void FName::AppendString(FString& Out) const
{
	const std::string& Text = FNamePool::Get().Resolve(DisplayIndex.ToUnstableInt());
	Out.Append(Text.c_str(), static_cast<int32>(Text.size()));
}

uint32 FName::ToStringInternal(TCHAR* Out, uint32 OutSize) const
{
	check(OutSize > 0);
	const std::string& Text = FNamePool::Get().Resolve(DisplayIndex.ToUnstableInt());
	const uint32 Len = static_cast<uint32>(Text.size()) < OutSize - 1 ? static_cast<uint32>(Text.size()) : OutSize - 1;
	std::memcpy(Out, Text.c_str(), Len * sizeof(TCHAR));
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
	const std::string& Text = FNamePool::Get().Resolve(ComparisonIndex.ToUnstableInt());
	return FCString::Stricmp(Text.c_str(), Other) == 0;
}

int32 FName::Compare(const FName& Other) const
{
	if (ComparisonIndex == Other.ComparisonIndex)
	{
		return 0;
	}
	FNamePool& Pool = FNamePool::Get();
	const std::string& Text = Pool.Resolve(ComparisonIndex.ToUnstableInt());
	const std::string& OtherText = Pool.Resolve(Other.ComparisonIndex.ToUnstableInt());
	int32 BaseLen = 0;
	int32 OtherBaseLen = 0;
	const uint32 Number = ParseNumberSuffix(Text, BaseLen);
	const uint32 OtherNumber = ParseNumberSuffix(OtherText, OtherBaseLen);
	const int32 BaseDiff = CompareIgnoreCase(Text.c_str(), BaseLen, OtherText.c_str(), OtherBaseLen);
	if (BaseDiff != 0)
	{
		return BaseDiff;
	}
	return Number < OtherNumber ? -1 : (Number > OtherNumber ? 1 : 0);
}
