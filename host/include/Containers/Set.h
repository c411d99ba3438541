// TSet: the engine's hashed set of unique elements, hashed with GetTypeHash and compared with operator== (or the
// KeyFuncs), over an insertion-ordered hash set. Iteration follows insertion order; removing an element keeps the
// order of the others. Reset keeps the allocations.
#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Containers/ContainerAllocationPolicies.h"
#include "Templates/TypeHash.h"
#include "Templates/UnrealTemplate.h"

#include <tsl/ordered_set.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <type_traits>
#include <vector>

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

// The hash set that TSet and TMap keep their elements in, hashing and comparing elements and bare keys through the
// KeyFuncs, elements stored contiguously in insertion order.
template <typename ElementType, typename KeyFuncs> struct TKeyFuncsHashSet
{
	// The key of an element, or a bare key as it is.
	template <typename T> static decltype(auto) KeyOf(const T& Value)
	{
		if constexpr (std::is_same_v<T, ElementType>)
		{
			return KeyFuncs::GetSetKey(Value);
		}
		else
		{
			return (Value);
		}
	}

	struct FHash
	{
		using is_transparent = void;
		template <typename T> size_t operator()(const T& Value) const { return KeyFuncs::GetKeyHash(KeyOf(Value)); }
	};

	struct FEqual
	{
		using is_transparent = void;
		template <typename A, typename B> bool operator()(const A& Lhs, const B& Rhs) const
		{
			return KeyFuncs::Matches(KeyOf(Lhs), KeyOf(Rhs));
		}
	};

	using Type = tsl::ordered_set<ElementType, FHash, FEqual, std::allocator<ElementType>, std::vector<ElementType>,
		std::uint_least32_t>;
};

template <typename InElementType, typename KeyFuncs = DefaultKeyFuncs<InElementType>,
	typename Allocator = FDefaultSetAllocator>
class TSet
{
	using KeyInitType = typename KeyFuncs::KeyInitType;

public:
	using ElementType = InElementType;

	TSet() = default;
	TSet(std::initializer_list<ElementType> InitList)
	{
		Reserve(static_cast<int32>(InitList.size()));
		for (const ElementType& Element : InitList)
		{
			Add(Element);
		}
	}

	FORCEINLINE int32 Num() const { return static_cast<int32>(Elements.size()); }
	FORCEINLINE bool IsEmpty() const { return Elements.empty(); }

	// Removes all elements, keeping the allocations.
	void Reset() { Elements.clear(); }

	// Removes all elements and leaves room for ExpectedNumElements.
	void Empty(int32 ExpectedNumElements = 0)
	{
		Elements = FElements();
		Reserve(ExpectedNumElements);
	}

	void Reserve(int32 Number)
	{
		if (Number > 0)
		{
			Elements.reserve(static_cast<size_t>(Number));
		}
	}

	// Adds the element, replacing an equal one in place; bIsAlreadyInSet tells which happened.
	void Add(const ElementType& InElement, bool* bIsAlreadyInSet = nullptr) { Emplace(InElement, bIsAlreadyInSet); }
	void Add(ElementType&& InElement, bool* bIsAlreadyInSet = nullptr)
	{
		Emplace(MoveTempIfPossible(InElement), bIsAlreadyInSet);
	}

	template <typename ArgType> ElementType& Emplace(ArgType&& Arg, bool* bIsAlreadyInSet = nullptr)
	{
		ElementType Element(Forward<ArgType>(Arg));
		const auto [It, bInserted] = Elements.insert(MoveTemp(Element));
		ElementType& Stored = const_cast<ElementType&>(*It);
		if (!bInserted)
		{
			// The set did not take Element: it is still whole, and equal in key to the one it replaces.
			Stored = MoveTemp(Element);
		}
		if (bIsAlreadyInSet != nullptr)
		{
			*bIsAlreadyInSet = !bInserted;
		}
		return Stored;
	}

	template <typename RangeType> void Append(const RangeType& Range)
	{
		for (const ElementType& Element : Range)
		{
			Add(Element);
		}
	}

	// Removes the element with this key; returns how many were removed (0 or 1).
	int32 Remove(KeyInitType Key) { return static_cast<int32>(Elements.erase(Key)); }

	ElementType* Find(KeyInitType Key)
	{
		const auto Found = Elements.find(Key);
		return Found != Elements.end() ? const_cast<ElementType*>(&*Found) : nullptr;
	}
	const ElementType* Find(KeyInitType Key) const { return const_cast<TSet*>(this)->Find(Key); }

	bool Contains(KeyInitType Key) const { return Elements.find(Key) != Elements.end(); }

	TArray<ElementType> Array() const { return TArray<ElementType>(Elements.data(), Num()); }

	// Elements are read-only while in the set: changing one could change its hash.
	const ElementType* begin() const { return Elements.data(); }
	const ElementType* end() const { return Elements.data() + Elements.size(); }

private:
	using FElements = typename TKeyFuncsHashSet<ElementType, KeyFuncs>::Type;

	FElements Elements;
};
