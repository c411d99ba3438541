// TArray: a growable array of elements stored contiguously, with int32 sizes and indices.
//
// Removing elements, Reset and SetNum to a smaller size keep the allocation, so arrays refilled every frame settle
// at their working size and stop allocating; memory is returned only by Empty, Shrink or an explicit
// EAllowShrinking::Yes. bool elements are stored one per byte, like any other type.
#pragma once

#include "CoreTypes.h"
#include "Containers/AllowShrinking.h"
#include "Containers/ArrayView.h"
#include "Containers/ContainerAllocationPolicies.h"
#include "Misc/AssertionMacros.h"
#include "Templates/UnrealTemplate.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <new>
#include <type_traits>

template <typename InElementType, typename InAllocatorType = FDefaultAllocator> class TArray
{
	template <typename, typename> friend class TArray;

public:
	using ElementType = InElementType;
	using SizeType = int32;
	using AllocatorType = InAllocatorType;

	TArray() = default;

	TArray(std::initializer_list<ElementType> InitList)
	{
		Append(InitList.begin(), static_cast<SizeType>(InitList.size()));
	}

	TArray(const ElementType* Ptr, SizeType Count) { Append(Ptr, Count); }

	// Copies from any contiguous range (another array, a view) whose elements convert to ElementType.
	template <typename RangeType>
	requires(!std::is_same_v<std::remove_cvref_t<RangeType>, TArray> && requires(const RangeType& Range) {
		Range.GetData();
		Range.Num();
	}) explicit TArray(const RangeType& Range)
	{
		AppendConverted(Range.GetData(), Range.Num());
	}

	TArray(const TArray& Other) { AppendConverted(Other.GetData(), Other.Num()); }

	TArray(TArray&& Other) noexcept : Data(Other.Data), ArrayNum(Other.ArrayNum), ArrayMax(Other.ArrayMax)
	{
		Other.Data = nullptr;
		Other.ArrayNum = 0;
		Other.ArrayMax = 0;
	}

	~TArray()
	{
		DestructItems(Data, ArrayNum);
		Free(Data);
	}

	TArray& operator=(const TArray& Other)
	{
		if (this != &Other)
		{
			Reset(Other.Num());
			AppendConverted(Other.GetData(), Other.Num());
		}
		return *this;
	}

	TArray& operator=(TArray&& Other) noexcept
	{
		if (this != &Other)
		{
			DestructItems(Data, ArrayNum);
			Free(Data);
			Data = Other.Data;
			ArrayNum = Other.ArrayNum;
			ArrayMax = Other.ArrayMax;
			Other.Data = nullptr;
			Other.ArrayNum = 0;
			Other.ArrayMax = 0;
		}
		return *this;
	}

	TArray& operator=(std::initializer_list<ElementType> InitList)
	{
		Reset(static_cast<SizeType>(InitList.size()));
		Append(InitList.begin(), static_cast<SizeType>(InitList.size()));
		return *this;
	}

	// ---- Size and access ----

	FORCEINLINE SizeType Num() const { return ArrayNum; }
	FORCEINLINE SizeType Max() const { return ArrayMax; }
	FORCEINLINE SizeType GetSlack() const { return ArrayMax - ArrayNum; }
	FORCEINLINE bool IsEmpty() const { return ArrayNum == 0; }
	FORCEINLINE bool IsValidIndex(SizeType Index) const { return Index >= 0 && Index < ArrayNum; }
	FORCEINLINE ElementType* GetData() { return Data; }
	FORCEINLINE const ElementType* GetData() const { return Data; }
	static constexpr uint32 GetTypeSize() { return sizeof(ElementType); }
	SIZE_T GetAllocatedSize() const { return static_cast<SIZE_T>(ArrayMax) * sizeof(ElementType); }

	FORCEINLINE void RangeCheck(SizeType Index) const { checkSlow(Index >= 0 && Index < ArrayNum); }

	FORCEINLINE ElementType& operator[](SizeType Index)
	{
		RangeCheck(Index);
		return Data[Index];
	}
	FORCEINLINE const ElementType& operator[](SizeType Index) const
	{
		RangeCheck(Index);
		return Data[Index];
	}

	ElementType& Last(SizeType IndexFromTheEnd = 0)
	{
		RangeCheck(ArrayNum - IndexFromTheEnd - 1);
		return Data[ArrayNum - IndexFromTheEnd - 1];
	}
	const ElementType& Last(SizeType IndexFromTheEnd = 0) const
	{
		RangeCheck(ArrayNum - IndexFromTheEnd - 1);
		return Data[ArrayNum - IndexFromTheEnd - 1];
	}
	ElementType& Top() { return Last(); }
	const ElementType& Top() const { return Last(); }

	FORCEINLINE ElementType* begin() { return Data; }
	FORCEINLINE ElementType* end() { return Data + ArrayNum; }
	FORCEINLINE const ElementType* begin() const { return Data; }
	FORCEINLINE const ElementType* end() const { return Data + ArrayNum; }

	// ---- Adding ----

	template <typename... ArgTypes> FORCEINLINE SizeType Emplace(ArgTypes&&... Args)
	{
		EmplaceBack(Forward<ArgTypes>(Args)...);
		return ArrayNum - 1;
	}

	template <typename... ArgTypes> FORCEINLINE ElementType& Emplace_GetRef(ArgTypes&&... Args)
	{
		return EmplaceBack(Forward<ArgTypes>(Args)...);
	}

	FORCEINLINE SizeType Add(const ElementType& Item) { return Emplace(Item); }
	FORCEINLINE SizeType Add(ElementType&& Item) { return Emplace(MoveTempIfPossible(Item)); }
	FORCEINLINE ElementType& Add_GetRef(const ElementType& Item) { return EmplaceBack(Item); }
	FORCEINLINE ElementType& Add_GetRef(ElementType&& Item) { return EmplaceBack(MoveTempIfPossible(Item)); }

	// The index of an equal element, adding the item only when there is none.
	SizeType AddUnique(const ElementType& Item)
	{
		const SizeType Index = Find(Item);
		return Index != INDEX_NONE ? Index : Add(Item);
	}
	SizeType AddUnique(ElementType&& Item)
	{
		const SizeType Index = Find(Item);
		return Index != INDEX_NONE ? Index : Add(MoveTempIfPossible(Item));
	}

	// Adds Count raw elements and returns the index of the first; the caller constructs them.
	SizeType AddUninitialized(SizeType Count = 1)
	{
		checkSlow(Count >= 0);
		const SizeType OldNum = ArrayNum;
		if (ArrayNum + Count > ArrayMax)
		{
			ResizeAllocation(CalculateSlackGrow(ArrayNum + Count));
		}
		ArrayNum += Count;
		return OldNum;
	}

	// Numbers, enums and pointers start as zero; other types are default-initialised.
	SizeType AddDefaulted(SizeType Count = 1)
	{
		const SizeType Index = AddUninitialized(Count);
		DefaultConstructItems(Data + Index, Count);
		return Index;
	}
	// The index is taken before Data is read: adding may reallocate.
	ElementType& AddDefaulted_GetRef()
	{
		const SizeType Index = AddDefaulted();
		return Data[Index];
	}

	SizeType AddZeroed(SizeType Count = 1)
	{
		const SizeType Index = AddUninitialized(Count);
		ZeroItems(Data + Index, Count);
		return Index;
	}
	ElementType& AddZeroed_GetRef()
	{
		const SizeType Index = AddZeroed();
		return Data[Index];
	}

	void Push(const ElementType& Item) { Add(Item); }
	void Push(ElementType&& Item) { Add(MoveTempIfPossible(Item)); }

	// Ptr may point into this array.
	void Append(const ElementType* Ptr, SizeType Count) { AppendConverted(Ptr, Count); }
	void Append(std::initializer_list<ElementType> InitList)
	{
		Append(InitList.begin(), static_cast<SizeType>(InitList.size()));
	}

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
		Reserve(ArrayNum + Source.ArrayNum);
		for (ElementType& Element : Source)
		{
			::new (static_cast<void*>(Data + ArrayNum)) ElementType(MoveTemp(Element));
			++ArrayNum;
		}
		Source.Reset();
	}

	TArray& operator+=(const TArray& Other)
	{
		Append(Other);
		return *this;
	}
	TArray& operator+=(TArray&& Other)
	{
		Append(MoveTemp(Other));
		return *this;
	}
	TArray& operator+=(std::initializer_list<ElementType> InitList)
	{
		Append(InitList);
		return *this;
	}

	// ---- Inserting ----

	template <typename... ArgTypes> void EmplaceAt(SizeType Index, ArgTypes&&... Args)
	{
		// Built first, so that arguments referring to this array's elements stay valid.
		ElementType Item(Forward<ArgTypes>(Args)...);
		InsertUninitialized(Index, 1);
		::new (static_cast<void*>(Data + Index)) ElementType(MoveTemp(Item));
	}

	template <typename... ArgTypes> ElementType& EmplaceAt_GetRef(SizeType Index, ArgTypes&&... Args)
	{
		EmplaceAt(Index, Forward<ArgTypes>(Args)...);
		return Data[Index];
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
	ElementType& Insert_GetRef(const ElementType& Item, SizeType Index) { return EmplaceAt_GetRef(Index, Item); }
	ElementType& Insert_GetRef(ElementType&& Item, SizeType Index)
	{
		return EmplaceAt_GetRef(Index, MoveTempIfPossible(Item));
	}

	// Ptr must not point into this array.
	SizeType Insert(const ElementType* Ptr, SizeType Count, SizeType Index)
	{
		check(Ptr + Count <= Data || Ptr >= Data + ArrayMax || Count == 0);
		InsertUninitialized(Index, Count);
		std::uninitialized_copy_n(Ptr, Count, Data + Index);
		return Index;
	}
	SizeType Insert(std::initializer_list<ElementType> InitList, SizeType Index)
	{
		return Insert(InitList.begin(), static_cast<SizeType>(InitList.size()), Index);
	}
	SizeType Insert(const TArray& Items, SizeType Index)
	{
		check(this != &Items);
		return Insert(Items.GetData(), Items.Num(), Index);
	}
	SizeType Insert(TArray&& Items, SizeType Index)
	{
		check(this != &Items);
		InsertUninitialized(Index, Items.Num());
		std::uninitialized_move_n(Items.GetData(), Items.Num(), Data + Index);
		Items.Reset();
		return Index;
	}

	// Opens a gap of Count raw elements at Index; the caller constructs them.
	void InsertUninitialized(SizeType Index, SizeType Count = 1)
	{
		check(Index >= 0 && Index <= ArrayNum && Count >= 0);
		if (ArrayNum + Count > ArrayMax)
		{
			ResizeAllocation(CalculateSlackGrow(ArrayNum + Count));
		}
		RelocateItems(Data + Index + Count, Data + Index, ArrayNum - Index);
		ArrayNum += Count;
	}
	void InsertDefaulted(SizeType Index, SizeType Count = 1)
	{
		InsertUninitialized(Index, Count);
		DefaultConstructItems(Data + Index, Count);
	}
	ElementType& InsertDefaulted_GetRef(SizeType Index)
	{
		InsertDefaulted(Index);
		return Data[Index];
	}
	void InsertZeroed(SizeType Index, SizeType Count = 1)
	{
		InsertUninitialized(Index, Count);
		ZeroItems(Data + Index, Count);
	}
	ElementType& InsertZeroed_GetRef(SizeType Index)
	{
		InsertZeroed(Index);
		return Data[Index];
	}

	// ---- Removing ----

	// Removes elements keeping the order of the rest.
	void RemoveAt(SizeType Index, EAllowShrinking AllowShrinking = EAllowShrinking::Default)
	{
		RemoveAtImpl(Index, 1, AllowShrinking);
	}
	void RemoveAt(SizeType Index, SizeType Count, EAllowShrinking AllowShrinking = EAllowShrinking::Default)
	{
		RemoveAtImpl(Index, Count, AllowShrinking);
	}
	void RemoveAt(SizeType Index, SizeType Count, bool bAllowShrinking)
	{
		RemoveAtImpl(Index, Count, ToAllowShrinking(bAllowShrinking));
	}

	// Removes elements by moving the last ones into the gap: faster, but the order changes.
	void RemoveAtSwap(SizeType Index, EAllowShrinking AllowShrinking = EAllowShrinking::Default)
	{
		RemoveAtSwapImpl(Index, 1, AllowShrinking);
	}
	void RemoveAtSwap(SizeType Index, SizeType Count, EAllowShrinking AllowShrinking = EAllowShrinking::Default)
	{
		RemoveAtSwapImpl(Index, Count, AllowShrinking);
	}
	void RemoveAtSwap(SizeType Index, SizeType Count, bool bAllowShrinking)
	{
		RemoveAtSwapImpl(Index, Count, ToAllowShrinking(bAllowShrinking));
	}

	ElementType Pop(EAllowShrinking AllowShrinking = EAllowShrinking::Default)
	{
		RangeCheck(0);
		ElementType Result = MoveTempIfPossible(Data[ArrayNum - 1]);
		RemoveAtImpl(ArrayNum - 1, 1, AllowShrinking);
		return Result;
	}
	ElementType Pop(bool bAllowShrinking) { return Pop(ToAllowShrinking(bAllowShrinking)); }

	// Removes every element the predicate accepts, keeping the order of the rest; returns how many went.
	template <typename PredicateType> SizeType RemoveAll(const PredicateType& Predicate)
	{
		SizeType WriteIndex = 0;
		for (SizeType ReadIndex = 0; ReadIndex < ArrayNum; ++ReadIndex)
		{
			if (Predicate(Data[ReadIndex]))
			{
				std::destroy_at(Data + ReadIndex);
			}
			else
			{
				if (WriteIndex != ReadIndex)
				{
					RelocateItems(Data + WriteIndex, Data + ReadIndex, 1);
				}
				++WriteIndex;
			}
		}
		const SizeType NumRemoved = ArrayNum - WriteIndex;
		ArrayNum = WriteIndex;
		return NumRemoved;
	}

	template <typename PredicateType>
	SizeType RemoveAllSwap(const PredicateType& Predicate, EAllowShrinking AllowShrinking = EAllowShrinking::Default)
	{
		const SizeType OldNum = ArrayNum;
		for (SizeType Index = 0; Index < ArrayNum;)
		{
			if (Predicate(Data[Index]))
			{
				RemoveAtSwapImpl(Index, 1, EAllowShrinking::No);
			}
			else
			{
				++Index;
			}
		}
		ShrinkIfAllowed(AllowShrinking);
		return OldNum - ArrayNum;
	}

	// Removes every element equal to Item; returns how many went.
	SizeType Remove(const ElementType& Item)
	{
		return WithStableItem(Item,
			[this](const ElementType& Key)
			{ return RemoveAll([&Key](const ElementType& Element) { return Element == Key; }); });
	}

	SizeType RemoveSwap(const ElementType& Item, EAllowShrinking AllowShrinking = EAllowShrinking::Default)
	{
		return WithStableItem(Item,
			[this, AllowShrinking](const ElementType& Key)
			{ return RemoveAllSwap([&Key](const ElementType& Element) { return Element == Key; }, AllowShrinking); });
	}

	// Removes the first element equal to Item; returns 1 when one was found, else 0.
	SizeType RemoveSingle(const ElementType& Item)
	{
		const SizeType Index = Find(Item);
		if (Index == INDEX_NONE)
		{
			return 0;
		}
		RemoveAtImpl(Index, 1, EAllowShrinking::Default);
		return 1;
	}

	SizeType RemoveSingleSwap(const ElementType& Item, EAllowShrinking AllowShrinking = EAllowShrinking::Default)
	{
		const SizeType Index = Find(Item);
		if (Index == INDEX_NONE)
		{
			return 0;
		}
		RemoveAtSwapImpl(Index, 1, AllowShrinking);
		return 1;
	}

	// ---- Size changes ----

	// Removes all elements, keeping an allocation of at least NewSize elements.
	void Reset(SizeType NewSize = 0)
	{
		DestructItems(Data, ArrayNum);
		ArrayNum = 0;
		if (NewSize > ArrayMax)
		{
			ResizeAllocation(NewSize);
		}
	}

	// Removes all elements and leaves room for exactly Slack elements (none by default).
	void Empty(SizeType Slack = 0)
	{
		DestructItems(Data, ArrayNum);
		ArrayNum = 0;
		if (ArrayMax != Slack)
		{
			ResizeAllocation(Slack);
		}
	}

	void Reserve(SizeType Number)
	{
		if (Number > ArrayMax)
		{
			ResizeAllocation(Number);
		}
	}

	void Shrink()
	{
		if (ArrayMax != ArrayNum)
		{
			ResizeAllocation(ArrayNum);
		}
	}

	// Grows with defaulted elements or removes from the end.
	void SetNum(SizeType NewNum, EAllowShrinking AllowShrinking = EAllowShrinking::Default)
	{
		if (NewNum > ArrayNum)
		{
			AddDefaulted(NewNum - ArrayNum);
		}
		else if (NewNum < ArrayNum)
		{
			RemoveAtImpl(NewNum, ArrayNum - NewNum, AllowShrinking);
		}
	}
	void SetNum(SizeType NewNum, bool bAllowShrinking) { SetNum(NewNum, ToAllowShrinking(bAllowShrinking)); }

	void SetNumZeroed(SizeType NewNum, EAllowShrinking AllowShrinking = EAllowShrinking::Default)
	{
		if (NewNum > ArrayNum)
		{
			AddZeroed(NewNum - ArrayNum);
		}
		else if (NewNum < ArrayNum)
		{
			RemoveAtImpl(NewNum, ArrayNum - NewNum, AllowShrinking);
		}
	}

	// Growing leaves raw elements for the caller to construct; only for types that need no construction.
	void SetNumUninitialized(SizeType NewNum, EAllowShrinking AllowShrinking = EAllowShrinking::Default)
	{
		if (NewNum > ArrayNum)
		{
			AddUninitialized(NewNum - ArrayNum);
		}
		else if (NewNum < ArrayNum)
		{
			RemoveAtImpl(NewNum, ArrayNum - NewNum, AllowShrinking);
		}
	}

	// Number copies of Element.
	void Init(const ElementType& Element, SizeType Number)
	{
		const ElementType Copy(Element);
		Empty(Number);
		for (SizeType Index = 0; Index < Number; ++Index)
		{
			EmplaceBack(Copy);
		}
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

	// Copies of the elements the predicate accepts, in order.
	template <typename PredicateType> TArray FilterByPredicate(PredicateType Pred) const
	{
		TArray Result;
		for (const ElementType& Element : *this)
		{
			if (Pred(Element))
			{
				Result.Add(Element);
			}
		}
		return Result;
	}

	// ---- Ordering ----

	// Sorts with operator< (or the predicate); arrays of pointers are sorted by the objects pointed to.
	void Sort() { Sort(FLess()); }
	template <typename PredicateType> void Sort(const PredicateType& Predicate)
	{
		std::sort(begin(), end(), Dereferencing(Predicate));
	}

	// As Sort, but equal elements keep their order.
	void StableSort() { StableSort(FLess()); }
	template <typename PredicateType> void StableSort(const PredicateType& Predicate)
	{
		std::stable_sort(begin(), end(), Dereferencing(Predicate));
	}

	void Swap(SizeType FirstIndexToSwap, SizeType SecondIndexToSwap)
	{
		check(IsValidIndex(FirstIndexToSwap) && IsValidIndex(SecondIndexToSwap));
		::Swap(Data[FirstIndexToSwap], Data[SecondIndexToSwap]);
	}

	bool operator==(const TArray& Other) const
	{
		return ArrayNum == Other.ArrayNum && std::equal(begin(), end(), Other.begin());
	}

	// ---- Iteration with removal ----

	template <bool bConst> class TIndexedIterator
	{
		using ArrayType = std::conditional_t<bConst, const TArray, TArray>;
		using ItemType = std::conditional_t<bConst, const ElementType, ElementType>;

	public:
		explicit TIndexedIterator(ArrayType& InArray) : Array(InArray) {}

		TIndexedIterator& operator++()
		{
			++Index;
			return *this;
		}
		explicit operator bool() const { return Array.IsValidIndex(Index); }
		ItemType& operator*() const { return Array[Index]; }
		ItemType* operator->() const { return &Array[Index]; }
		SizeType GetIndex() const { return Index; }
		void Reset() { Index = 0; }

		// Removes the current element; the next ++ moves to the element after it.
		void RemoveCurrent() requires(!bConst)
		{
			Array.RemoveAt(Index);
			--Index;
		}
		void RemoveCurrentSwap() requires(!bConst)
		{
			Array.RemoveAtSwap(Index);
			--Index;
		}

	private:
		ArrayType& Array;
		SizeType Index = 0;
	};

	using TIterator = TIndexedIterator<false>;
	using TConstIterator = TIndexedIterator<true>;

	TIterator CreateIterator() { return TIterator(*this); }
	TConstIterator CreateConstIterator() const { return TConstIterator(*this); }

private:
	struct FLess
	{
		template <typename A, typename B> bool operator()(const A& Lhs, const B& Rhs) const { return Lhs < Rhs; }
	};

	template <typename PredicateType> static auto Dereferencing(const PredicateType& Predicate)
	{
		if constexpr (std::is_pointer_v<ElementType>)
		{
			return [&Predicate](ElementType Lhs, ElementType Rhs) { return Predicate(*Lhs, *Rhs); };
		}
		else
		{
			return [&Predicate](const ElementType& Lhs, const ElementType& Rhs) { return Predicate(Lhs, Rhs); };
		}
	}

	TConstArrayView<ElementType> View() const { return TConstArrayView<ElementType>(Data, ArrayNum); }

	static EAllowShrinking ToAllowShrinking(bool bAllowShrinking)
	{
		return bAllowShrinking ? EAllowShrinking::Yes : EAllowShrinking::No;
	}

	bool IsInside(const void* Address) const
	{
		const ElementType* const Element = static_cast<const ElementType*>(Address);
		return Element >= Data && Element < Data + ArrayMax;
	}

	// Calls Func with a reference that stays valid while elements move: the item itself, or a copy of it when it
	// lives in this array.
	template <typename FuncType> SizeType WithStableItem(const ElementType& Item, const FuncType& Func)
	{
		if (IsInside(&Item))
		{
			const ElementType Copy(Item);
			return Func(Copy);
		}
		return Func(Item);
	}

	template <typename... ArgTypes> ElementType& EmplaceBack(ArgTypes&&... Args)
	{
		if (ArrayNum == ArrayMax)
		{
			// The new element is built in the new allocation before the old one is released, so arguments that
			// refer to this array's elements stay valid.
			const SizeType NewMax = CalculateSlackGrow(ArrayNum + 1);
			ElementType* NewData = Allocate(NewMax);
			::new (static_cast<void*>(NewData + ArrayNum)) ElementType(Forward<ArgTypes>(Args)...);
			RelocateItems(NewData, Data, ArrayNum);
			Free(Data);
			Data = NewData;
			ArrayMax = NewMax;
		}
		else
		{
			::new (static_cast<void*>(Data + ArrayNum)) ElementType(Forward<ArgTypes>(Args)...);
		}
		return Data[ArrayNum++];
	}

	template <typename OtherElementType> void AppendConverted(const OtherElementType* Ptr, SizeType Count)
	{
		checkSlow(Count >= 0 && (Ptr != nullptr || Count == 0));
		if (Count == 0)
		{
			return;
		}
		if (ArrayNum + Count > ArrayMax)
		{
			// Re-aim a source inside this array at the new allocation.
			const bool bSelf = IsInside(Ptr);
			const SizeType Offset = bSelf ? static_cast<SizeType>(reinterpret_cast<const ElementType*>(Ptr) - Data) : 0;
			ResizeAllocation(ArrayMax == 0 ? Count : CalculateSlackGrow(ArrayNum + Count));
			if (bSelf)
			{
				Ptr = reinterpret_cast<const OtherElementType*>(Data + Offset);
			}
		}
		std::uninitialized_copy_n(Ptr, Count, Data + ArrayNum);
		ArrayNum += Count;
	}

	void RemoveAtImpl(SizeType Index, SizeType Count, EAllowShrinking AllowShrinking)
	{
		checkSlow(Count >= 0 && Index >= 0 && Index + Count <= ArrayNum);
		if (Count > 0)
		{
			DestructItems(Data + Index, Count);
			RelocateItems(Data + Index, Data + Index + Count, ArrayNum - Index - Count);
			ArrayNum -= Count;
		}
		ShrinkIfAllowed(AllowShrinking);
	}

	// The last elements move into the gap, in their order.
	void RemoveAtSwapImpl(SizeType Index, SizeType Count, EAllowShrinking AllowShrinking)
	{
		checkSlow(Count >= 0 && Index >= 0 && Index + Count <= ArrayNum);
		if (Count > 0)
		{
			DestructItems(Data + Index, Count);
			const SizeType NumAfterHole = ArrayNum - (Index + Count);
			const SizeType NumToMove = Count < NumAfterHole ? Count : NumAfterHole;
			RelocateItems(Data + Index, Data + ArrayNum - NumToMove, NumToMove);
			ArrayNum -= Count;
		}
		ShrinkIfAllowed(AllowShrinking);
	}

	void ShrinkIfAllowed(EAllowShrinking AllowShrinking)
	{
		if (AllowShrinking == EAllowShrinking::Yes)
		{
			Shrink();
		}
	}

	SizeType CalculateSlackGrow(SizeType NumElements) const
	{
		checkf(NumElements >= 0, TEXT("TArray size overflow"));
		if (ArrayMax == 0 && NumElements <= 4)
		{
			return 4;
		}
		const int64 Grow = static_cast<int64>(NumElements) + 3 * static_cast<int64>(NumElements) / 8 + 16;
		return Grow > INT32_MAX ? INT32_MAX : static_cast<SizeType>(Grow);
	}

	void ResizeAllocation(SizeType NewMax)
	{
		checkSlow(NewMax >= ArrayNum);
		ElementType* NewData = Allocate(NewMax);
		RelocateItems(NewData, Data, ArrayNum);
		Free(Data);
		Data = NewData;
		ArrayMax = NewMax;
	}

	static ElementType* Allocate(SizeType Count)
	{
		return Count > 0 ? std::allocator<ElementType>().allocate(static_cast<SIZE_T>(Count)) : nullptr;
	}

	void Free(ElementType* Allocation)
	{
		if (Allocation != nullptr)
		{
			std::allocator<ElementType>().deallocate(Allocation, static_cast<SIZE_T>(ArrayMax));
		}
	}

	// Moves Count elements to raw memory at Dest and ends them at Source; the ranges may overlap.
	static void RelocateItems(ElementType* Dest, ElementType* Source, SizeType Count)
	{
		// Dest is never null when Count > 0; testing it tells the compiler so.
		if (Count <= 0 || Dest == Source || Dest == nullptr)
		{
			return;
		}
		if constexpr (std::is_trivially_copyable_v<ElementType>)
		{
			std::memmove(static_cast<void*>(Dest), static_cast<const void*>(Source), sizeof(ElementType) * Count);
		}
		else if (Dest < Source)
		{
			for (SizeType Index = 0; Index < Count; ++Index)
			{
				::new (static_cast<void*>(Dest + Index)) ElementType(MoveTemp(Source[Index]));
				std::destroy_at(Source + Index);
			}
		}
		else
		{
			for (SizeType Index = Count - 1; Index >= 0; --Index)
			{
				::new (static_cast<void*>(Dest + Index)) ElementType(MoveTemp(Source[Index]));
				std::destroy_at(Source + Index);
			}
		}
	}

	static void DestructItems(ElementType* Items, SizeType Count)
	{
		if constexpr (!std::is_trivially_destructible_v<ElementType>)
		{
			std::destroy_n(Items, Count);
		}
	}

	static void DefaultConstructItems(ElementType* Items, SizeType Count)
	{
		if constexpr (std::is_arithmetic_v<ElementType> || std::is_enum_v<ElementType> ||
			std::is_pointer_v<ElementType>)
		{
			ZeroItems(Items, Count);
		}
		else
		{
			std::uninitialized_default_construct_n(Items, Count);
		}
	}

	static void ZeroItems(ElementType* Items, SizeType Count)
	{
		if (Count > 0)
		{
			std::memset(static_cast<void*>(Items), 0, sizeof(ElementType) * Count);
		}
	}

	ElementType* Data = nullptr;
	SizeType ArrayNum = 0;
	SizeType ArrayMax = 0;
};
