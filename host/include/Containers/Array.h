// TArray: the engine's growable array, with int32 sizes and indices, over std::vector.
//
// Removing elements, Reset and SetNum to a smaller size keep the allocation, so arrays refilled every frame settle
// at their working size and stop allocating; memory is returned only by Empty, Shrink or an explicit
// EAllowShrinking::Yes. bool elements are stored one per byte, so TArray<bool> gives bool& and a contiguous bool*
// like any other element type.
#pragma once

#include "CoreTypes.h"
#include "Containers/AllowShrinking.h"
#include "Containers/ArrayView.h"
#include "Containers/ContainerAllocationPolicies.h"
#include "Misc/AssertionMacros.h"
#include "Templates/UnrealTemplate.h"

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <type_traits>
#include <vector>

// One bool in one byte: the vector's element type for TArray<bool>, which std::vector<bool> would pack into bits.
struct FArrayBoolStorage
{
	bool bValue = false;

	FArrayBoolStorage() = default;
	FArrayBoolStorage(bool bInValue) : bValue(bInValue) {}
};
static_assert(sizeof(FArrayBoolStorage) == sizeof(bool) && alignof(FArrayBoolStorage) == alignof(bool));

// The vector's allocator: elements added without a value are default-initialised as the engine's arrays do them
// (numbers, enums and pointers zeroed, other types by their default constructor, which for plain math types leaves
// the members unset), rather than value-initialised (zero-filled) as std::vector would.
template <typename T> struct TArrayVectorAllocator : std::allocator<T>
{
	template <typename U> struct rebind
	{
		using other = TArrayVectorAllocator<U>;
	};

	TArrayVectorAllocator() = default;
	template <typename U> TArrayVectorAllocator(const TArrayVectorAllocator<U>&) noexcept {}

	template <typename U> void construct(U* Ptr) noexcept(std::is_nothrow_default_constructible_v<U>)
	{
		if constexpr (std::is_arithmetic_v<U> || std::is_enum_v<U> || std::is_pointer_v<U>)
		{
			::new (static_cast<void*>(Ptr)) U();
		}
		else
		{
			::new (static_cast<void*>(Ptr)) U;
		}
	}
	template <typename U, typename... ArgTypes> void construct(U* Ptr, ArgTypes&&... Args)
	{
		::new (static_cast<void*>(Ptr)) U(Forward<ArgTypes>(Args)...);
	}
};

template <typename InElementType, typename InAllocatorType = FDefaultAllocator> class TArray
{
	using StorageType = std::conditional_t<std::is_same_v<InElementType, bool>, FArrayBoolStorage, InElementType>;
	using FItems = std::vector<StorageType, TArrayVectorAllocator<StorageType>>;

public:
	using ElementType = InElementType;
	using SizeType = int32;
	using AllocatorType = InAllocatorType;

	TArray() = default;
	TArray(std::initializer_list<ElementType> InitList) : Items(InitList.begin(), InitList.end()) {}
	TArray(const ElementType* Ptr, SizeType Count) { Append(Ptr, Count); }

	// Copies from any contiguous range (another array, a view) whose elements convert to ElementType.
	template <typename RangeType>
	requires(!std::is_same_v<std::remove_cvref_t<RangeType>, TArray> && requires(const RangeType& Range) {
		Range.GetData();
		Range.Num();
	}) explicit TArray(const RangeType& Range)
	{
		Append(Range.GetData(), Range.Num());
	}

	TArray(const TArray&) = default;
	TArray(TArray&&) noexcept = default;
	TArray& operator=(const TArray&) = default;
	TArray& operator=(TArray&&) noexcept = default;

	TArray& operator=(std::initializer_list<ElementType> InitList)
	{
		Items.assign(InitList.begin(), InitList.end());
		return *this;
	}

	// ---- Size and access ----

	FORCEINLINE SizeType Num() const { return static_cast<SizeType>(Items.size()); }
	FORCEINLINE SizeType Max() const { return static_cast<SizeType>(Items.capacity()); }
	FORCEINLINE bool IsEmpty() const { return Items.empty(); }
	FORCEINLINE bool IsValidIndex(SizeType Index) const { return Index >= 0 && Index < Num(); }
	FORCEINLINE ElementType* GetData() { return reinterpret_cast<ElementType*>(Items.data()); }
	FORCEINLINE const ElementType* GetData() const { return reinterpret_cast<const ElementType*>(Items.data()); }
	static constexpr uint32 GetTypeSize() { return sizeof(ElementType); }

	FORCEINLINE ElementType& operator[](SizeType Index)
	{
		checkSlow(IsValidIndex(Index));
		return GetData()[Index];
	}
	FORCEINLINE const ElementType& operator[](SizeType Index) const
	{
		checkSlow(IsValidIndex(Index));
		return GetData()[Index];
	}

	ElementType& Last(SizeType IndexFromTheEnd = 0) { return (*this)[Num() - IndexFromTheEnd - 1]; }
	const ElementType& Last(SizeType IndexFromTheEnd = 0) const { return (*this)[Num() - IndexFromTheEnd - 1]; }
	ElementType& Top() { return Last(); }
	const ElementType& Top() const { return Last(); }

	FORCEINLINE ElementType* begin() { return GetData(); }
	FORCEINLINE ElementType* end() { return GetData() + Num(); }
	FORCEINLINE const ElementType* begin() const { return GetData(); }
	FORCEINLINE const ElementType* end() const { return GetData() + Num(); }

	// ---- Adding ----

	// Arguments may refer to this array's elements: when the array must grow, the element is built before the old
	// storage is released.
	template <typename... ArgTypes> [[gnu::flatten]] FORCEINLINE SizeType Emplace(ArgTypes&&... Args)
	{
		if (Items.size() == Items.capacity())
		{
			StorageType Item(Forward<ArgTypes>(Args)...);
			GrowFor(Items.size() + 1);
			Items.push_back(MoveTemp(Item));
		}
		else
		{
			Items.emplace_back(Forward<ArgTypes>(Args)...);
		}
		return Num() - 1;
	}

	FORCEINLINE SizeType Add(const ElementType& Item) { return Emplace(Item); }
	FORCEINLINE SizeType Add(ElementType&& Item) { return Emplace(MoveTempIfPossible(Item)); }
	FORCEINLINE ElementType& Add_GetRef(const ElementType& Item) { return (*this)[Emplace(Item)]; }
	FORCEINLINE ElementType& Add_GetRef(ElementType&& Item) { return (*this)[Emplace(MoveTempIfPossible(Item))]; }
	void Push(const ElementType& Item) { Add(Item); }
	void Push(ElementType&& Item) { Add(MoveTempIfPossible(Item)); }

	// The index of an equal element, adding the item only when there is none.
	SizeType AddUnique(const ElementType& Item)
	{
		const SizeType Index = Find(Item);
		return Index != INDEX_NONE ? Index : Add(Item);
	}

	// Numbers, enums and pointers start as zero; other types are default-constructed.
	SizeType AddDefaulted(SizeType Count = 1)
	{
		checkSlow(Count >= 0);
		const SizeType Index = Num();
		GrowFor(Items.size() + Count);
		Items.resize(Items.size() + Count);
		return Index;
	}
	ElementType& AddDefaulted_GetRef() { return (*this)[AddDefaulted()]; }

	// Ptr may point into this array.
	void Append(const ElementType* Ptr, SizeType Count) { AppendConverted(Ptr, Count); }
	void Append(std::initializer_list<ElementType> InitList) { Items.insert(Items.end(), InitList.begin(), InitList.end()); }

	template <typename RangeType>
	requires(!std::is_same_v<std::remove_cvref_t<RangeType>, TArray> && requires(const RangeType& Range) {
		Range.GetData();
		Range.Num();
	}) void Append(const RangeType& Range)
	{
		AppendConverted(Range.GetData(), Range.Num());
	}

	void Append(const TArray& Source) { AppendConverted(Source.GetData(), Source.Num()); }

	// Moves the elements over; Source is left empty.
	void Append(TArray&& Source)
	{
		check(this != &Source);
		Items.insert(Items.end(), std::make_move_iterator(Source.Items.begin()), std::make_move_iterator(Source.Items.end()));
		Source.Reset();
	}

	TArray& operator+=(const TArray& Other)
	{
		Append(Other);
		return *this;
	}

	// ---- Inserting ----

	template <typename... ArgTypes> void EmplaceAt(SizeType Index, ArgTypes&&... Args)
	{
		check(Index >= 0 && Index <= Num());
		// Built first, so that arguments referring to this array's elements stay valid.
		StorageType Item(Forward<ArgTypes>(Args)...);
		Items.insert(Items.begin() + Index, MoveTemp(Item));
	}

	SizeType Insert(const ElementType& Item, SizeType Index)
	{
		EmplaceAt(Index, Item);
		return Index;
	}
	SizeType Insert(ElementType&& Item, SizeType Index)
	{
		EmplaceAt(Index, MoveTempIfPossible(Item));
		return Index;
	}
	SizeType Insert(std::initializer_list<ElementType> InitList, SizeType Index)
	{
		check(Index >= 0 && Index <= Num());
		Items.insert(Items.begin() + Index, InitList.begin(), InitList.end());
		return Index;
	}
	SizeType Insert(const TArray& Source, SizeType Index)
	{
		check(this != &Source && Index >= 0 && Index <= Num());
		Items.insert(Items.begin() + Index, Source.Items.begin(), Source.Items.end());
		return Index;
	}

	void InsertDefaulted(SizeType Index, SizeType Count = 1)
	{
		check(Index >= 0 && Index <= Num() && Count >= 0);
		Items.insert(Items.begin() + Index, static_cast<size_t>(Count), StorageType());
	}

	// ---- Removing ----

	// Removes elements keeping the order of the rest.
	void RemoveAt(SizeType Index, EAllowShrinking AllowShrinking = EAllowShrinking::Default)
	{
		RemoveAt(Index, 1, AllowShrinking);
	}
	void RemoveAt(SizeType Index, SizeType Count, EAllowShrinking AllowShrinking = EAllowShrinking::Default)
	{
		checkSlow(Count >= 0 && Index >= 0 && Index + Count <= Num());
		Items.erase(Items.begin() + Index, Items.begin() + Index + Count);
		ShrinkIfAllowed(AllowShrinking);
	}

	ElementType Pop(EAllowShrinking AllowShrinking = EAllowShrinking::Default)
	{
		ElementType Result = MoveTempIfPossible(Last());
		RemoveAt(Num() - 1, 1, AllowShrinking);
		return Result;
	}

	// Removes every element the predicate accepts, keeping the order of the rest; returns how many went.
	template <typename PredicateType> SizeType RemoveAll(const PredicateType& Predicate)
	{
		return static_cast<SizeType>(std::erase_if(
			Items, [&Predicate](const StorageType& Element) { return Predicate(AsElement(Element)); }));
	}

	// Removes every element equal to Item (which may be an element of this array); returns how many went.
	SizeType Remove(const ElementType& Item)
	{
		const ElementType Key(Item);
		return RemoveAll([&Key](const ElementType& Element) { return Element == Key; });
	}

	// Removes the first element equal to Item; returns 1 when one was found, else 0.
	SizeType RemoveSingle(const ElementType& Item)
	{
		const SizeType Index = Find(Item);
		if (Index == INDEX_NONE)
		{
			return 0;
		}
		RemoveAt(Index);
		return 1;
	}

	// ---- Size changes ----

	// Removes all elements, keeping an allocation of at least NewSize elements.
	void Reset(SizeType NewSize = 0)
	{
		Items.clear();
		Reserve(NewSize);
	}

	// Removes all elements and leaves room for exactly Slack elements (none by default).
	void Empty(SizeType Slack = 0)
	{
		Items.clear();
		if (Max() != Slack)
		{
			FItems().swap(Items);
			Reserve(Slack);
		}
	}

	void Reserve(SizeType Number)
	{
		if (Number > Max())
		{
			Items.reserve(static_cast<size_t>(Number));
		}
	}

	void Shrink() { Items.shrink_to_fit(); }

	// Grows with default-constructed elements (numbers zeroed) or removes from the end.
	void SetNum(SizeType NewNum, EAllowShrinking AllowShrinking = EAllowShrinking::Default)
	{
		checkSlow(NewNum >= 0);
		GrowFor(static_cast<size_t>(NewNum));
		Items.resize(static_cast<size_t>(NewNum));
		ShrinkIfAllowed(AllowShrinking);
	}
	void SetNumZeroed(SizeType NewNum, EAllowShrinking AllowShrinking = EAllowShrinking::Default)
	{
		checkSlow(NewNum >= 0);
		GrowFor(static_cast<size_t>(NewNum));
		Items.resize(static_cast<size_t>(NewNum), StorageType());
		ShrinkIfAllowed(AllowShrinking);
	}
	// Growing leaves the new elements for the caller to fill.
	void SetNumUninitialized(SizeType NewNum, EAllowShrinking AllowShrinking = EAllowShrinking::Default)
	{
		SetNum(NewNum, AllowShrinking);
	}

	// Number copies of Element.
	void Init(const ElementType& Element, SizeType Number)
	{
		const ElementType Copy(Element);
		Empty(Number);
		Items.assign(static_cast<size_t>(Number), StorageType(Copy));
	}

	// ---- Searching ----

	SizeType Find(const ElementType& Item) const { return View().Find(Item); }
	bool Find(const ElementType& Item, SizeType& Index) const { return View().Find(Item, Index); }
	SizeType FindLast(const ElementType& Item) const { return View().FindLast(Item); }
	bool FindLast(const ElementType& Item, SizeType& Index) const { return View().FindLast(Item, Index); }

	template <typename PredicateType> SizeType FindLastByPredicate(PredicateType Pred) const
	{
		return View().FindLastByPredicate(Pred);
	}
	template <typename KeyType> SizeType IndexOfByKey(const KeyType& Key) const { return View().IndexOfByKey(Key); }
	template <typename PredicateType> SizeType IndexOfByPredicate(PredicateType Pred) const
	{
		return View().IndexOfByPredicate(Pred);
	}

	template <typename KeyType> ElementType* FindByKey(const KeyType& Key)
	{
		return const_cast<ElementType*>(View().FindByKey(Key));
	}
	template <typename KeyType> const ElementType* FindByKey(const KeyType& Key) const { return View().FindByKey(Key); }
	template <typename PredicateType> ElementType* FindByPredicate(PredicateType Pred)
	{
		return const_cast<ElementType*>(View().FindByPredicate(Pred));
	}
	template <typename PredicateType> const ElementType* FindByPredicate(PredicateType Pred) const
	{
		return View().FindByPredicate(Pred);
	}

	template <typename ComparisonType> bool Contains(const ComparisonType& Item) const { return View().Contains(Item); }
	template <typename PredicateType> bool ContainsByPredicate(PredicateType Pred) const
	{
		return View().ContainsByPredicate(Pred);
	}

	// ---- Ordering ----

	// Sorts with operator< (or the predicate); arrays of pointers are sorted by the objects pointed to.
	void Sort() { Sort(std::less<>()); }
	template <typename PredicateType> void Sort(const PredicateType& Predicate)
	{
		if constexpr (std::is_pointer_v<ElementType>)
		{
			std::sort(begin(), end(), [&Predicate](ElementType Lhs, ElementType Rhs) { return Predicate(*Lhs, *Rhs); });
		}
		else
		{
			std::sort(begin(), end(), Predicate);
		}
	}

	void Swap(SizeType FirstIndexToSwap, SizeType SecondIndexToSwap)
	{
		check(IsValidIndex(FirstIndexToSwap) && IsValidIndex(SecondIndexToSwap));
		::Swap((*this)[FirstIndexToSwap], (*this)[SecondIndexToSwap]);
	}

	bool operator==(const TArray& Other) const { return std::equal(begin(), end(), Other.begin(), Other.end()); }

private:
	static const ElementType& AsElement(const StorageType& Element)
	{
		return *reinterpret_cast<const ElementType*>(&Element);
	}

	TConstArrayView<ElementType> View() const { return TConstArrayView<ElementType>(GetData(), Num()); }

	// A first append takes exactly what it needs, as in the engine.
	template <typename OtherElementType> void AppendConverted(const OtherElementType* Ptr, SizeType Count)
	{
		checkSlow(Count >= 0 && (Ptr != nullptr || Count == 0));
		if (Count == 0)
		{
			return;
		}
		if (Items.capacity() == 0)
		{
			Items.reserve(static_cast<size_t>(Count));
		}
		const void* const First = Ptr;
		if (!std::less<const void*>()(First, GetData()) && std::less<const void*>()(First, GetData() + Num()))
		{
			// The source is inside this array, which the insertion may reallocate: copy it out first.
			const FItems Copy(Ptr, Ptr + Count);
			GrowFor(Items.size() + Count);
			Items.insert(Items.end(), Copy.begin(), Copy.end());
		}
		else
		{
			GrowFor(Items.size() + Count);
			Items.insert(Items.end(), Ptr, Ptr + Count);
		}
	}

	// Grows the allocation as the engine does (4 elements first, then by 3/8 plus 16), so an array filled one
	// element at a time reallocates as rarely as in the engine.
	void GrowFor(size_t NewNum)
	{
		if (NewNum > Items.capacity())
		{
			Items.reserve(Items.capacity() == 0 && NewNum <= 4 ? 4 : NewNum + 3 * NewNum / 8 + 16);
		}
	}

	void ShrinkIfAllowed(EAllowShrinking AllowShrinking)
	{
		if (AllowShrinking == EAllowShrinking::Yes)
		{
			Items.shrink_to_fit();
		}
	}

	FItems Items;
};
