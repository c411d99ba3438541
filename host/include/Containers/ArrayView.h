// TArrayView: a non-owning view of contiguous elements (a TArray, a C array, a pointer and count). TConstArrayView
// is the read-only form. The viewed elements must outlive the view.
#pragma once

#include "CoreTypes.h"
#include "Misc/AssertionMacros.h"

#include <concepts>
#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <type_traits>

template <typename InElementType> class TArrayView
{
	// Only adding const is allowed, never a conversion between element types.
	template <typename OtherElementType>
	static constexpr bool bIsCompatible = std::is_convertible_v<OtherElementType (*)[], InElementType (*)[]>;

public:
	using ElementType = InElementType;
	using SizeType = int32;

	constexpr TArrayView() = default;

	constexpr TArrayView(ElementType* InData, SizeType InCount) : DataPtr(InData), ArrayNum(InCount)
	{
		checkSlow(InCount >= 0);
	}

	// Any contiguous container with GetData() and Num(): arrays and other views.
	template <typename ContainerType>
	requires(!std::is_same_v<std::remove_cvref_t<ContainerType>, TArrayView> &&
		requires(ContainerType & Container) {
			Container.GetData();
			{
				Container.Num()
				} -> std::convertible_to<SizeType>;
		} &&
		bIsCompatible<std::remove_pointer_t<
			decltype(std::declval<ContainerType&>().GetData())>>) constexpr TArrayView(ContainerType&& Container)
		: DataPtr(Container.GetData()), ArrayNum(Container.Num())
	{
	}

	template <typename OtherElementType, std::size_t N>
	requires bIsCompatible<OtherElementType>
	constexpr TArrayView(OtherElementType (&Array)[N]) : DataPtr(Array), ArrayNum(static_cast<SizeType>(N)) {}

	// Read-only views of a braced list, for function arguments: the list dies at the end of the full expression.
	constexpr TArrayView(
		std::initializer_list<std::remove_const_t<ElementType>> List) requires std::is_const_v<ElementType>
		: DataPtr(std::data(List)), ArrayNum(static_cast<SizeType>(List.size()))
	{
	}

	constexpr ElementType* GetData() const { return DataPtr; }
	constexpr SizeType Num() const { return ArrayNum; }
	constexpr bool IsEmpty() const { return ArrayNum == 0; }
	constexpr bool IsValidIndex(SizeType Index) const { return Index >= 0 && Index < ArrayNum; }
	static constexpr SIZE_T GetTypeSize() { return sizeof(ElementType); }

	constexpr ElementType& operator[](SizeType Index) const
	{
		checkSlow(IsValidIndex(Index));
		return DataPtr[Index];
	}

	constexpr ElementType& Last(SizeType IndexFromTheEnd = 0) const
	{
		checkSlow(IsValidIndex(ArrayNum - IndexFromTheEnd - 1));
		return DataPtr[ArrayNum - IndexFromTheEnd - 1];
	}

	constexpr ElementType* begin() const { return DataPtr; }
	constexpr ElementType* end() const { return DataPtr + ArrayNum; }

	// InNum elements from Index; the range must lie inside the view.
	constexpr TArrayView Slice(SizeType Index, SizeType InNum) const
	{
		check(InNum >= 0 && Index >= 0 && Index + InNum <= ArrayNum);
		return TArrayView(DataPtr + Index, InNum);
	}

	// The first or last Count elements, or all but them; Count is clamped to the view.
	constexpr TArrayView Left(SizeType Count) const { return TArrayView(DataPtr, Clamped(Count)); }
	constexpr TArrayView LeftChop(SizeType Count) const { return TArrayView(DataPtr, ArrayNum - Clamped(Count)); }
	constexpr TArrayView Right(SizeType Count) const
	{
		return TArrayView(DataPtr + ArrayNum - Clamped(Count), Clamped(Count));
	}
	constexpr TArrayView RightChop(SizeType Count) const
	{
		return TArrayView(DataPtr + Clamped(Count), ArrayNum - Clamped(Count));
	}

	template <typename KeyType> SizeType IndexOfByKey(const KeyType& Key) const
	{
		for (SizeType Index = 0; Index < ArrayNum; ++Index)
		{
			if (DataPtr[Index] == Key)
			{
				return Index;
			}
		}
		return INDEX_NONE;
	}

	template <typename PredicateType> SizeType IndexOfByPredicate(PredicateType Pred) const
	{
		for (SizeType Index = 0; Index < ArrayNum; ++Index)
		{
			if (Pred(DataPtr[Index]))
			{
				return Index;
			}
		}
		return INDEX_NONE;
	}

	template <typename PredicateType> SizeType FindLastByPredicate(PredicateType Pred) const
	{
		for (SizeType Index = ArrayNum - 1; Index >= 0; --Index)
		{
			if (Pred(DataPtr[Index]))
			{
				return Index;
			}
		}
		return INDEX_NONE;
	}

	SizeType Find(const ElementType& Item) const { return IndexOfByKey(Item); }
	bool Find(const ElementType& Item, SizeType& Index) const
	{
		Index = Find(Item);
		return Index != INDEX_NONE;
	}

	SizeType FindLast(const ElementType& Item) const
	{
		return FindLastByPredicate([&Item](const ElementType& Element) { return Element == Item; });
	}
	bool FindLast(const ElementType& Item, SizeType& Index) const
	{
		Index = FindLast(Item);
		return Index != INDEX_NONE;
	}

	template <typename KeyType> ElementType* FindByKey(const KeyType& Key) const
	{
		const SizeType Index = IndexOfByKey(Key);
		return Index != INDEX_NONE ? DataPtr + Index : nullptr;
	}

	template <typename PredicateType> ElementType* FindByPredicate(PredicateType Pred) const
	{
		const SizeType Index = IndexOfByPredicate(Pred);
		return Index != INDEX_NONE ? DataPtr + Index : nullptr;
	}

	template <typename ComparisonType> bool Contains(const ComparisonType& Item) const
	{
		return IndexOfByKey(Item) != INDEX_NONE;
	}

	template <typename PredicateType> bool ContainsByPredicate(PredicateType Pred) const
	{
		return IndexOfByPredicate(Pred) != INDEX_NONE;
	}

private:
	constexpr SizeType Clamped(SizeType Count) const { return Count < 0 ? 0 : (Count > ArrayNum ? ArrayNum : Count); }

	ElementType* DataPtr = nullptr;
	SizeType ArrayNum = 0;
};

template <typename ElementType> using TConstArrayView = TArrayView<const ElementType>;

template <typename ElementType> constexpr TArrayView<ElementType> MakeArrayView(ElementType* Pointer, int32 Size)
{
	return TArrayView<ElementType>(Pointer, Size);
}

template <typename ElementType, std::size_t N> constexpr TArrayView<ElementType> MakeArrayView(ElementType (&Array)[N])
{
	return TArrayView<ElementType>(Array);
}

template <typename ElementType>
constexpr TArrayView<const ElementType> MakeArrayView(std::initializer_list<ElementType> List)
{
	return TArrayView<const ElementType>(List.begin(), static_cast<int32>(List.size()));
}

template <typename ContainerType>
requires requires(ContainerType& Container)
{
	Container.GetData();
	Container.Num();
}
constexpr auto MakeArrayView(ContainerType&& Container)
{
	return TArrayView<std::remove_pointer_t<decltype(Container.GetData())>>(Container.GetData(), Container.Num());
}
