// The global name table behind FName.
//
// Entries live in fixed-size chunks that never move, so a name's text can be read without a lock once its index is
// known. Look-up goes through an open-addressing table of (hash, index) slots guarded by a reader/writer lock:
// finding an existing name takes only the read lock and allocates nothing.
#include "UObject/NameTypes.h"

#include "HAL/CriticalSection.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace
{
class FNamePool
{
public:
	static FNamePool& Get()
	{
		// Never destroyed, so names stay readable while other globals are torn down.
		static FNamePool* const Pool = new FNamePool();
		return *Pool;
	}

	// The entry index of the text, adding it when bAdd; 0 (None) for an unknown text when not adding.
	uint32 Store(const TCHAR* Text, int32 Len, bool bAdd)
	{
		if (Len <= 0)
		{
			return 0;
		}
		const uint32 Hash = FCrc::Strihash_DEPRECATED(Len, Text);
		{
			FReadScopeLock ReadLock(Lock);
			const FSlot& Slot = Slots[Probe(Text, Len, Hash)];
			if (Slot.IdPlusOne != 0 || !bAdd)
			{
				return Slot.IdPlusOne != 0 ? Slot.IdPlusOne - 1 : 0;
			}
		}
		FWriteScopeLock WriteLock(Lock);
		// Another thread may have added it between the two locks.
		const int32 SlotIndex = Probe(Text, Len, Hash);
		if (Slots[SlotIndex].IdPlusOne != 0)
		{
			return Slots[SlotIndex].IdPlusOne - 1;
		}
		const uint32 Id = AddEntry(Text, Len);
		Slots[SlotIndex] = FSlot{Hash, Id + 1};
		if (2 * (Id + 1) > Slots.size())
		{
			Grow();
		}
		return Id;
	}

	const std::string& Resolve(uint32 Id) const
	{
		const std::string* Chunk = Chunks[Id >> ChunkBits].load(std::memory_order_acquire);
		return Chunk[Id & (ChunkSize - 1)];
	}

	uint32 Num() const { return NumEntries.load(std::memory_order_acquire); }

private:
	static constexpr uint32 ChunkBits = 12;
	static constexpr uint32 ChunkSize = 1u << ChunkBits;
	static constexpr uint32 MaxChunks = 4096;

	struct FSlot
	{
		uint32 Hash = 0;
		uint32 IdPlusOne = 0;
	};

	FNamePool() : Slots(1024)
	{
		const TCHAR* const NoneText = "None";
		const uint32 Hash = FCrc::Strihash_DEPRECATED(4, NoneText);
		Slots[Probe(NoneText, 4, Hash)] = FSlot{Hash, AddEntry(NoneText, 4) + 1};
	}

	// The slot holding the text, or the empty slot where it would go.
	int32 Probe(const TCHAR* Text, int32 Len, uint32 Hash) const
	{
		const uint32 Mask = static_cast<uint32>(Slots.size()) - 1;
		for (uint32 Index = Hash & Mask;; Index = (Index + 1) & Mask)
		{
			const FSlot& Slot = Slots[Index];
			if (Slot.IdPlusOne == 0)
			{
				return static_cast<int32>(Index);
			}
			if (Slot.Hash == Hash)
			{
				const std::string& Entry = Resolve(Slot.IdPlusOne - 1);
				if (static_cast<int32>(Entry.size()) == Len && FCString::Strnicmp(Entry.c_str(), Text, Len) == 0)
				{
					return static_cast<int32>(Index);
				}
			}
		}
	}

	uint32 AddEntry(const TCHAR* Text, int32 Len)
	{
		const uint32 Id = NumEntries.load(std::memory_order_relaxed);
		const uint32 ChunkIndex = Id >> ChunkBits;
		checkf(ChunkIndex < MaxChunks, TEXT("The name table is full"));
		std::string* Chunk = Chunks[ChunkIndex].load(std::memory_order_relaxed);
		if (Chunk == nullptr)
		{
			Chunk = new std::string[ChunkSize];
			Chunks[ChunkIndex].store(Chunk, std::memory_order_release);
		}
		Chunk[Id & (ChunkSize - 1)].assign(Text, Len);
		NumEntries.store(Id + 1, std::memory_order_release);
		return Id;
	}

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

	mutable FRWLock Lock;
	std::vector<FSlot> Slots;
	std::atomic<std::string*> Chunks[MaxChunks] = {};
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
	: ComparisonIndex(
		  FNameEntryId::FromUnstableInt(Name != nullptr ? FNamePool::Get().Store(Name, Len, FindType == FNAME_Add) : 0))
{
}

FName::FName(const TCHAR* Name, int32 InNumber)
{
	FString Text(Name);
	if (InNumber != NAME_NO_NUMBER_INTERNAL)
	{
		Text.Appendf("_%d", InNumber - 1);
	}
	ComparisonIndex = FNameEntryId::FromUnstableInt(FNamePool::Get().Store(*Text, Text.Len(), true));
}

FString FName::ToString() const
{
	const std::string& Text = FNamePool::Get().Resolve(ComparisonIndex.ToUnstableInt());
	return FString(static_cast<int32>(Text.size()), Text.c_str());
}

void FName::ToString(FString& Out) const
{
	Out.Reset();
	AppendString(Out);
}

void FName::AppendString(FString& Out) const
{
	const std::string& Text = FNamePool::Get().Resolve(ComparisonIndex.ToUnstableInt());
	Out.Append(Text.c_str(), static_cast<int32>(Text.size()));
}

bool FName::IsValid() const
{
	return ComparisonIndex.ToUnstableInt() < FNamePool::Get().Num();
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

bool FName::IsEqual(const FName& Other, ENameCase CompareMethod, bool bCompareNumber) const
{
	// Names equal ignoring case share one entry, hence one spelling, so the case-sensitive answer is the same.
	return ComparisonIndex == Other.ComparisonIndex;
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
