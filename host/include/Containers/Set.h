// TSet: a hashed set of unique elements, hashed with GetTypeHash and compared with operator== (or KeyFuncs).
//
// Elements sit in one array in the order they were added; a removed element leaves a hole that the next addition
// fills (most recently freed first), so iteration follows insertion order until something is removed. Buckets are
// chains of element indices, rebuilt whenever the element count outgrows them.
#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Containers/ContainerAllocationPolicies.h"
#include "Misc/AssertionMacros.h"
#include "Templates/TypeHash.h"
#include "Templates/UnrealTemplate.h"

#include <bit>
#include <initializer_list>
#include <optional>
#include <type_traits>

// The index of an element in a set; valid until the element is removed.
class FSetElementId
{
public:
	constexpr FSetElementId() = default;

	constexpr bool IsValidId() const { return Index != INDEX_NONE; }
	constexpr int32 AsInteger() const { return Index; }
	static constexpr FSetElementId FromInteger(int32 Integer) { return FSetElementId(Integer); }

	constexpr bool operator==(const FSetElementId& Other) const { return Index == Other.Index; }

private:
	constexpr explicit FSetElementId(int32 InIndex) : Index(InIndex) {}

	int32 Index = INDEX_NONE;
};

// How a set gets from an element to its key, and how keys hash and compare.
template <typename ElementType, bool bInAllowDuplicateKeys = false> struct DefaultKeyFuncs
{
	using KeyInitType = const ElementType&;
	using ElementInitType = const ElementType&;
	static constexpr bool bAllowDuplicateKeys = bInAllowDuplicateKeys;

	static FORCEINLINE KeyInitType GetSetKey(ElementInitType Element) { return Element; }
	static FORCEINLINE bool Matches(KeyInitType A, KeyInitType B) { return A == B; }
	static FORCEINLINE uint32 GetKeyHash(KeyInitType Key) { return GetTypeHash(Key); }
};

template <typename InElementType, typename KeyFuncs = DefaultKeyFuncs<InElementType>,
	typename Allocator = FDefaultSetAllocator>
class TSet
{
	using KeyInitType = typename KeyFuncs::KeyInitType;

	struct FSlot
	{
		std::optional<InElementType> Value;
		// Next element in the same bucket, or, for a free slot, the next free slot.
		int32 NextId = INDEX_NONE;
		uint32 KeyHash = 0;
	};

	template <bool bConst> class TBaseIterator
	{
		using SetType = std::conditional_t<bConst, const TSet, TSet>;
		using ItemType = std::conditional_t<bConst, const InElementType, InElementType>;

	public:
		TBaseIterator(SetType& InSet, int32 InIndex) : Set(&InSet), Index(InIndex) { SkipFree(); }

		TBaseIterator& operator++()
		{
			++Index;
			SkipFree();
			return *this;
		}
		explicit operator bool() const { return Index < Set->Elements.Num(); }
		ItemType& operator*() const { return *Set->Elements[Index].Value; }
		ItemType* operator->() const { return &*Set->Elements[Index].Value; }
		bool operator==(const TBaseIterator& Other) const { return Index == Other.Index; }
		FSetElementId GetId() const { return FSetElementId::FromInteger(Index); }
		FSetElementId GetElementId() const { return GetId(); }

		// Removes the current element; iteration goes on with the next one.
		void RemoveCurrent() requires(!bConst) { Set->Remove(GetId()); }

	private:
		void SkipFree()
		{
			while (Index < Set->Elements.Num() && !Set->Elements[Index].Value.has_value())
			{
				++Index;
			}
		}

		SetType* Set;
		int32 Index;
	};

public:
	using ElementType = InElementType;
	using TIterator = TBaseIterator<false>;
	using TConstIterator = TBaseIterator<true>;

	TSet() = default;
	TSet(std::initializer_list<ElementType> InitList)
	{
		Reserve(static_cast<int32>(InitList.size()));
		for (const ElementType& Element : InitList)
		{
			Add(Element);
		}
	}
	explicit TSet(TConstArrayView<ElementType> InArray) { Append(InArray); }

	// ---- Size ----

	FORCEINLINE int32 Num() const { return Elements.Num() - NumFree; }
	FORCEINLINE bool IsEmpty() const { return Num() == 0; }
	int32 Max() const { return Elements.Max(); }

	// Removes all elements, keeping the allocations.
	void Reset()
	{
		Elements.Reset();
		for (int32& Bucket : Buckets)
		{
			Bucket = INDEX_NONE;
		}
		FirstFree = INDEX_NONE;
		NumFree = 0;
	}

	// Removes all elements and leaves room for ExpectedNumElements.
	void Empty(int32 ExpectedNumElements = 0)
	{
		Elements.Empty(ExpectedNumElements);
		Buckets.Empty();
		FirstFree = INDEX_NONE;
		NumFree = 0;
		if (ExpectedNumElements > 0)
		{
			Rehash(BucketCountFor(ExpectedNumElements));
		}
	}

	void Reserve(int32 Number)
	{
		if (Number > Elements.Max())
		{
			Elements.Reserve(Number);
		}
		if (BucketCountFor(Number) > Buckets.Num())
		{
			Rehash(BucketCountFor(Number));
		}
	}

	// Closes the holes left by removals, keeping the order of the remaining elements.
	void Compact()
	{
		if (NumFree == 0)
		{
			return;
		}
		Elements.RemoveAll([](const FSlot& Slot) { return !Slot.Value.has_value(); });
		FirstFree = INDEX_NONE;
		NumFree = 0;
		Rehash(Buckets.Num());
	}
	void CompactStable() { Compact(); }

	void Shrink()
	{
		Compact();
		Elements.Shrink();
	}

	// ---- Adding and removing ----

	// Adds the element, replacing an equal one in place; bIsAlreadyInSet tells which happened.
	FSetElementId Add(const ElementType& InElement, bool* bIsAlreadyInSet = nullptr)
	{
		return Emplace(InElement, bIsAlreadyInSet);
	}
	FSetElementId Add(ElementType&& InElement, bool* bIsAlreadyInSet = nullptr)
	{
		return Emplace(MoveTempIfPossible(InElement), bIsAlreadyInSet);
	}

	template <typename ArgType> FSetElementId Emplace(ArgType&& Arg, bool* bIsAlreadyInSet = nullptr)
	{
		ElementType Element(Forward<ArgType>(Arg));
		const uint32 KeyHash = KeyFuncs::GetKeyHash(KeyFuncs::GetSetKey(Element));
		const int32 ExistingId = FindIndex(KeyFuncs::GetSetKey(Element), KeyHash);
		if (bIsAlreadyInSet != nullptr)
		{
			*bIsAlreadyInSet = ExistingId != INDEX_NONE;
		}
		if (ExistingId != INDEX_NONE)
		{
			Elements[ExistingId].Value.emplace(MoveTemp(Element));
			return FSetElementId::FromInteger(ExistingId);
		}
		return FSetElementId::FromInteger(AddNew(MoveTemp(Element), KeyHash));
	}

	// The element equal to InElement, adding it when there is none.
	ElementType& FindOrAdd(const ElementType& InElement)
	{
		const uint32 KeyHash = KeyFuncs::GetKeyHash(KeyFuncs::GetSetKey(InElement));
		const int32 ExistingId = FindIndex(KeyFuncs::GetSetKey(InElement), KeyHash);
		return *Elements[ExistingId != INDEX_NONE ? ExistingId : AddNew(ElementType(InElement), KeyHash)].Value;
	}

	template <typename RangeType> void Append(const RangeType& Range)
	{
		for (const ElementType& Element : Range)
		{
			Add(Element);
		}
	}

	// Removes the element with this key; returns how many were removed (0 or 1).
	int32 Remove(KeyInitType Key)
	{
		const int32 Id = FindIndex(Key, KeyFuncs::GetKeyHash(Key));
		if (Id == INDEX_NONE)
		{
			return 0;
		}
		Remove(FSetElementId::FromInteger(Id));
		return 1;
	}

	void Remove(FSetElementId ElementId)
	{
		const int32 Id = ElementId.AsInteger();
		check(IsValidId(ElementId));
		FSlot& Slot = Elements[Id];
		// Unlink from the bucket chain.
		int32* Link = &Buckets[Slot.KeyHash & (Buckets.Num() - 1)];
		while (*Link != Id)
		{
			Link = &Elements[*Link].NextId;
		}
		*Link = Slot.NextId;
		Slot.Value.reset();
		Slot.NextId = FirstFree;
		FirstFree = Id;
		++NumFree;
	}

	// ---- Look-up ----

	FSetElementId FindId(KeyInitType Key) const
	{
		return FSetElementId::FromInteger(FindIndex(Key, KeyFuncs::GetKeyHash(Key)));
	}

	ElementType* Find(KeyInitType Key)
	{
		const int32 Id = FindIndex(Key, KeyFuncs::GetKeyHash(Key));
		return Id != INDEX_NONE ? &*Elements[Id].Value : nullptr;
	}
	const ElementType* Find(KeyInitType Key) const { return const_cast<TSet*>(this)->Find(Key); }

	bool Contains(KeyInitType Key) const { return FindIndex(Key, KeyFuncs::GetKeyHash(Key)) != INDEX_NONE; }

	bool IsValidId(FSetElementId Id) const
	{
		return Elements.IsValidIndex(Id.AsInteger()) && Elements[Id.AsInteger()].Value.has_value();
	}

	ElementType& operator[](FSetElementId Id)
	{
		check(IsValidId(Id));
		return *Elements[Id.AsInteger()].Value;
	}
	const ElementType& operator[](FSetElementId Id) const { return (*const_cast<TSet*>(this))[Id]; }
	ElementType& Get(FSetElementId Id) { return (*this)[Id]; }
	const ElementType& Get(FSetElementId Id) const { return (*this)[Id]; }

	// ---- Whole-set operations ----

	TArray<ElementType> Array() const
	{
		TArray<ElementType> Result;
		Result.Reserve(Num());
		for (const ElementType& Element : *this)
		{
			Result.Add(Element);
		}
		return Result;
	}

	TSet Union(const TSet& Other) const
	{
		TSet Result(*this);
		Result.Append(Other);
		return Result;
	}

	TSet Intersect(const TSet& Other) const
	{
		return Filtered([&Other](const ElementType& Element) { return Other.Contains(KeyFuncs::GetSetKey(Element)); });
	}

	TSet Difference(const TSet& Other) const
	{
		return Filtered([&Other](const ElementType& Element) { return !Other.Contains(KeyFuncs::GetSetKey(Element)); });
	}

	// True when every element of Other is in this set.
	bool Includes(const TSet& Other) const
	{
		for (const ElementType& Element : Other)
		{
			if (!Contains(KeyFuncs::GetSetKey(Element)))
			{
				return false;
			}
		}
		return true;
	}

	// Reorders the elements (closing any holes); later additions go after them.
	template <typename PredicateType> void Sort(const PredicateType& Predicate) { StableSort(Predicate); }

	template <typename PredicateType> void StableSort(const PredicateType& Predicate)
	{
		Compact();
		Elements.StableSort(
			[&Predicate](const FSlot& Lhs, const FSlot& Rhs) { return Predicate(*Lhs.Value, *Rhs.Value); });
		Rehash(Buckets.Num());
	}

	// ---- Iteration ----

	TIterator CreateIterator() { return TIterator(*this, 0); }
	TConstIterator CreateConstIterator() const { return TConstIterator(*this, 0); }

	TIterator begin() { return TIterator(*this, 0); }
	TIterator end() { return TIterator(*this, Elements.Num()); }
	TConstIterator begin() const { return TConstIterator(*this, 0); }
	TConstIterator end() const { return TConstIterator(*this, Elements.Num()); }

private:
	static int32 BucketCountFor(int32 NumElements)
	{
		return NumElements <= 8 ? 8 : static_cast<int32>(std::bit_ceil(static_cast<uint32>(NumElements)));
	}

	int32 FindIndex(KeyInitType Key, uint32 KeyHash) const
	{
		if (Buckets.Num() == 0)
		{
			return INDEX_NONE;
		}
		for (int32 Id = Buckets[KeyHash & (Buckets.Num() - 1)]; Id != INDEX_NONE; Id = Elements[Id].NextId)
		{
			const FSlot& Slot = Elements[Id];
			if (Slot.KeyHash == KeyHash && KeyFuncs::Matches(KeyFuncs::GetSetKey(*Slot.Value), Key))
			{
				return Id;
			}
		}
		return INDEX_NONE;
	}

	// Puts a new element into the most recently freed slot, or at the end.
	int32 AddNew(ElementType&& Element, uint32 KeyHash)
	{
		int32 Id;
		if (FirstFree != INDEX_NONE)
		{
			Id = FirstFree;
			FirstFree = Elements[Id].NextId;
			--NumFree;
		}
		else
		{
			Id = Elements.AddDefaulted();
		}
		FSlot& Slot = Elements[Id];
		Slot.Value.emplace(MoveTemp(Element));
		Slot.KeyHash = KeyHash;

		if (Num() > Buckets.Num())
		{
			Rehash(BucketCountFor(Num()));
		}
		else
		{
			Link(Id);
		}
		return Id;
	}

	void Link(int32 Id)
	{
		int32& Bucket = Buckets[Elements[Id].KeyHash & (Buckets.Num() - 1)];
		Elements[Id].NextId = Bucket;
		Bucket = Id;
	}

	// Rebuilds the buckets; free slots keep their free-list links.
	void Rehash(int32 NumBuckets)
	{
		Buckets.SetNumUninitialized(NumBuckets);
		for (int32& Bucket : Buckets)
		{
			Bucket = INDEX_NONE;
		}
		for (int32 Id = 0; Id < Elements.Num(); ++Id)
		{
			if (Elements[Id].Value.has_value())
			{
				Link(Id);
			}
		}
	}

	template <typename PredicateType> TSet Filtered(const PredicateType& Predicate) const
	{
		TSet Result;
		for (const ElementType& Element : *this)
		{
			if (Predicate(Element))
			{
				Result.Add(Element);
			}
		}
		return Result;
	}

	TArray<FSlot> Elements;
	TArray<int32> Buckets;
	int32 FirstFree = INDEX_NONE;
	int32 NumFree = 0;
};
