// TMap: the engine's hashed map from unique keys to values, over an insertion-ordered hash set of TPair<Key, Value>.
// Iteration yields the pairs (.Key, .Value) in insertion order; removing a pair keeps the order of the others.
// Reset keeps the allocations.
#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Containers/ContainerAllocationPolicies.h"
#include "Containers/Set.h"
#include "Misc/AssertionMacros.h"
#include "Templates/Tuple.h"
#include "Templates/TypeHash.h"
#include "Templates/UnrealTemplate.h"

#include <initializer_list>

template <typename KeyType, typename ValueType, bool bInAllowDuplicateKeys> struct TDefaultMapKeyFuncs
{
	using KeyInitType = const KeyType&;
	using ElementInitType = const TPair<KeyType, ValueType>&;
	static constexpr bool bAllowDuplicateKeys = bInAllowDuplicateKeys;

	static FORCEINLINE KeyInitType GetSetKey(ElementInitType Element) { return Element.Key; }
	static FORCEINLINE bool Matches(KeyInitType A, KeyInitType B) { return A == B; }
	static FORCEINLINE uint32 GetKeyHash(KeyInitType Key) { return GetTypeHash(Key); }
};

template <typename KeyType, typename ValueType, bool bInAllowDuplicateKeys>
struct TDefaultMapHashableKeyFuncs : TDefaultMapKeyFuncs<KeyType, ValueType, bInAllowDuplicateKeys>
{
};

template <typename InKeyType, typename InValueType, typename SetAllocator = FDefaultSetAllocator,
	typename KeyFuncs = TDefaultMapHashableKeyFuncs<InKeyType, InValueType, false>>
class TMap
{
public:
	using KeyType = InKeyType;
	using ValueType = InValueType;
	using ElementType = TPair<KeyType, ValueType>;

	TMap() = default;
	TMap(std::initializer_list<ElementType> InitList)
	{
		Reserve(static_cast<int32>(InitList.size()));
		for (const ElementType& Pair : InitList)
		{
			Add(Pair.Key, Pair.Value);
		}
	}

	FORCEINLINE int32 Num() const { return static_cast<int32>(Pairs.size()); }
	FORCEINLINE bool IsEmpty() const { return Pairs.empty(); }

	// Removes all pairs, keeping the allocations.
	void Reset() { Pairs.clear(); }

	// Removes all pairs and leaves room for ExpectedNumElements.
	void Empty(int32 ExpectedNumElements = 0)
	{
		Pairs = FPairs();
		Reserve(ExpectedNumElements);
	}

	void Reserve(int32 Number)
	{
		if (Number > 0)
		{
			Pairs.reserve(static_cast<size_t>(Number));
		}
	}

	// Sets the key's value (a default-constructed one when none is given), replacing the pair the key had.
	template <typename KeyArgType, typename... ValueArgTypes>
	ValueType& Emplace(KeyArgType&& InKey, ValueArgTypes&&... InValue)
	{
		ElementType Pair(Forward<KeyArgType>(InKey), ValueType(Forward<ValueArgTypes>(InValue)...));
		const auto [It, bInserted] = Pairs.insert(MoveTemp(Pair));
		ElementType& Stored = Mutable(*It);
		if (!bInserted)
		{
			// The set did not take Pair: it is still whole, and its key is equal to the one it replaces.
			Stored = MoveTemp(Pair);
		}
		return Stored.Value;
	}
	ValueType& Add(const KeyType& InKey, const ValueType& InValue) { return Emplace(InKey, InValue); }
	ValueType& Add(const KeyType& InKey, ValueType&& InValue) { return Emplace(InKey, MoveTempIfPossible(InValue)); }
	ValueType& Add(KeyType&& InKey, const ValueType& InValue) { return Emplace(MoveTempIfPossible(InKey), InValue); }
	ValueType& Add(KeyType&& InKey, ValueType&& InValue)
	{
		return Emplace(MoveTempIfPossible(InKey), MoveTempIfPossible(InValue));
	}
	ValueType& Add(const KeyType& InKey) { return Emplace(InKey); }

	// The key's value, adding InValue (or a default-constructed value) when the key is absent; an existing value is
	// left alone.
	template <typename... ValueArgTypes> ValueType& FindOrAdd(const KeyType& InKey, ValueArgTypes&&... InValue)
	{
		ValueType* Found = Find(InKey);
		return Found != nullptr ? *Found : Emplace(InKey, Forward<ValueArgTypes>(InValue)...);
	}

	// Removes the key and its value; returns how many pairs were removed (0 or 1).
	int32 Remove(const KeyType& InKey) { return static_cast<int32>(Pairs.erase(InKey)); }

	// The key's value, or null when the key is absent.
	ValueType* Find(const KeyType& InKey)
	{
		const auto Found = Pairs.find(InKey);
		return Found != Pairs.end() ? &Mutable(*Found).Value : nullptr;
	}
	const ValueType* Find(const KeyType& InKey) const { return const_cast<TMap*>(this)->Find(InKey); }

	// The key must be present.
	ValueType& FindChecked(const KeyType& InKey)
	{
		ValueType* Found = Find(InKey);
		check(Found != nullptr);
		return *Found;
	}
	const ValueType& FindChecked(const KeyType& InKey) const { return const_cast<TMap*>(this)->FindChecked(InKey); }

	ValueType& operator[](const KeyType& InKey) { return FindChecked(InKey); }
	const ValueType& operator[](const KeyType& InKey) const { return FindChecked(InKey); }

	bool Contains(const KeyType& InKey) const { return Pairs.find(InKey) != Pairs.end(); }

	// The pairs in insertion order. A pair's value may be changed in place, its key must not be.
	ElementType* begin() { return const_cast<ElementType*>(Pairs.data()); }
	ElementType* end() { return begin() + Pairs.size(); }
	const ElementType* begin() const { return Pairs.data(); }
	const ElementType* end() const { return Pairs.data() + Pairs.size(); }

private:
	using FPairs = typename TKeyFuncsHashSet<ElementType, KeyFuncs>::Type;

	// The set hands its elements out read-only; the value is not part of the hash, so it may change.
	static ElementType& Mutable(const ElementType& Pair) { return const_cast<ElementType&>(Pair); }

	FPairs Pairs;
};
