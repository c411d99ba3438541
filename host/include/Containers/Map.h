// TMap: a hashed map from unique keys to values, stored as a TSet of TPair<Key, Value>. Iteration yields the pairs
// (.Key, .Value) in insertion order while nothing is removed; see TSet for how holes are reused.
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
#include <type_traits>

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

private:
	using FPairSet = TSet<ElementType, KeyFuncs, SetAllocator>;

	template <bool bConst> class TBaseIterator
	{
		using SetIteratorType =
			std::conditional_t<bConst, typename FPairSet::TConstIterator, typename FPairSet::TIterator>;
		using PairType = std::conditional_t<bConst, const ElementType, ElementType>;
		using ItValueType = std::conditional_t<bConst, const ValueType, ValueType>;

	public:
		explicit TBaseIterator(const SetIteratorType& InIterator) : Iterator(InIterator) {}

		TBaseIterator& operator++()
		{
			++Iterator;
			return *this;
		}
		explicit operator bool() const { return static_cast<bool>(Iterator); }
		bool operator==(const TBaseIterator& Other) const { return Iterator == Other.Iterator; }
		PairType& operator*() const { return *Iterator; }
		PairType* operator->() const { return &*Iterator; }
		const KeyType& Key() const { return Iterator->Key; }
		ItValueType& Value() const { return Iterator->Value; }
		FSetElementId GetId() const { return Iterator.GetId(); }

		// Removes the current pair; iteration goes on with the next one.
		void RemoveCurrent() requires(!bConst) { Iterator.RemoveCurrent(); }

	private:
		SetIteratorType Iterator;
	};

public:
	using TIterator = TBaseIterator<false>;
	using TConstIterator = TBaseIterator<true>;

	TMap() = default;
	TMap(std::initializer_list<ElementType> InitList)
	{
		Pairs.Reserve(static_cast<int32>(InitList.size()));
		for (const ElementType& Pair : InitList)
		{
			Add(Pair.Key, Pair.Value);
		}
	}

	// ---- Size ----

	FORCEINLINE int32 Num() const { return Pairs.Num(); }
	FORCEINLINE bool IsEmpty() const { return Pairs.IsEmpty(); }
	void Reset() { Pairs.Reset(); }
	void Empty(int32 ExpectedNumElements = 0) { Pairs.Empty(ExpectedNumElements); }
	void Reserve(int32 Number) { Pairs.Reserve(Number); }
	void Compact() { Pairs.Compact(); }
	void CompactStable() { Pairs.CompactStable(); }
	void Shrink() { Pairs.Shrink(); }

	// ---- Adding ----

	// Sets the key's value, replacing any value it had; returns the stored value.
	ValueType& Add(const KeyType& InKey, const ValueType& InValue) { return Emplace(InKey, InValue); }
	ValueType& Add(const KeyType& InKey, ValueType&& InValue) { return Emplace(InKey, MoveTempIfPossible(InValue)); }
	ValueType& Add(KeyType&& InKey, const ValueType& InValue) { return Emplace(MoveTempIfPossible(InKey), InValue); }
	ValueType& Add(KeyType&& InKey, ValueType&& InValue)
	{
		return Emplace(MoveTempIfPossible(InKey), MoveTempIfPossible(InValue));
	}
	// Sets the key's value to a default-constructed one.
	ValueType& Add(const KeyType& InKey) { return Emplace(InKey); }
	ValueType& Add(KeyType&& InKey) { return Emplace(MoveTempIfPossible(InKey)); }

	template <typename KeyArgType> ValueType& Emplace(KeyArgType&& InKey)
	{
		return Pairs[Pairs.Emplace(ElementType(Forward<KeyArgType>(InKey), ValueType()))].Value;
	}

	template <typename KeyArgType, typename ValueArgType> ValueType& Emplace(KeyArgType&& InKey, ValueArgType&& InValue)
	{
		return Pairs[Pairs.Emplace(ElementType(Forward<KeyArgType>(InKey), Forward<ValueArgType>(InValue)))].Value;
	}

	// The key's value, adding a default-constructed one when the key is absent.
	ValueType& FindOrAdd(const KeyType& InKey)
	{
		ValueType* Found = Find(InKey);
		return Found != nullptr ? *Found : Emplace(InKey);
	}
	ValueType& FindOrAdd(KeyType&& InKey)
	{
		ValueType* Found = Find(InKey);
		return Found != nullptr ? *Found : Emplace(MoveTempIfPossible(InKey));
	}
	// The key's value, adding InValue when the key is absent; an existing value is left alone.
	template <typename ValueArgType> ValueType& FindOrAdd(const KeyType& InKey, ValueArgType&& InValue)
	{
		ValueType* Found = Find(InKey);
		return Found != nullptr ? *Found : Emplace(InKey, Forward<ValueArgType>(InValue));
	}

	void Append(const TMap& Other)
	{
		Reserve(Num() + Other.Num());
		for (const ElementType& Pair : Other)
		{
			Add(Pair.Key, Pair.Value);
		}
	}

	// ---- Removing ----

	// Removes the key and its value; returns how many pairs were removed (0 or 1).
	int32 Remove(const KeyType& InKey) { return Pairs.Remove(InKey); }

	// Copies the key's value out and removes the pair; false when the key is absent.
	bool RemoveAndCopyValue(const KeyType& InKey, ValueType& OutRemovedValue)
	{
		const FSetElementId Id = Pairs.FindId(InKey);
		if (!Id.IsValidId())
		{
			return false;
		}
		OutRemovedValue = MoveTemp(Pairs[Id].Value);
		Pairs.Remove(Id);
		return true;
	}

	// The key must be present.
	ValueType FindAndRemoveChecked(const KeyType& InKey)
	{
		const FSetElementId Id = Pairs.FindId(InKey);
		check(Id.IsValidId());
		ValueType Result = MoveTemp(Pairs[Id].Value);
		Pairs.Remove(Id);
		return Result;
	}

	// ---- Look-up ----

	// The key's value, or null when the key is absent.
	ValueType* Find(const KeyType& InKey)
	{
		ElementType* Pair = Pairs.Find(InKey);
		return Pair != nullptr ? &Pair->Value : nullptr;
	}
	const ValueType* Find(const KeyType& InKey) const { return const_cast<TMap*>(this)->Find(InKey); }

	// A copy of the key's value, or of the default when the key is absent.
	ValueType FindRef(const KeyType& InKey) const
	{
		const ValueType* Found = Find(InKey);
		return Found != nullptr ? *Found : ValueType();
	}
	ValueType FindRef(const KeyType& InKey, ValueType DefaultValue) const
	{
		const ValueType* Found = Find(InKey);
		return Found != nullptr ? *Found : DefaultValue;
	}

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

	// The first key (in iteration order) whose value equals InValue, or null.
	const KeyType* FindKey(const ValueType& InValue) const
	{
		for (const ElementType& Pair : Pairs)
		{
			if (Pair.Value == InValue)
			{
				return &Pair.Key;
			}
		}
		return nullptr;
	}

	bool Contains(const KeyType& InKey) const { return Pairs.Contains(InKey); }

	// ---- Whole-map operations ----

	void GenerateKeyArray(TArray<KeyType>& OutArray) const
	{
		OutArray.Reset(Num());
		for (const ElementType& Pair : Pairs)
		{
			OutArray.Add(Pair.Key);
		}
	}

	void GenerateValueArray(TArray<ValueType>& OutArray) const
	{
		OutArray.Reset(Num());
		for (const ElementType& Pair : Pairs)
		{
			OutArray.Add(Pair.Value);
		}
	}

	// Returns the number of keys.
	int32 GetKeys(TArray<KeyType>& OutKeys) const
	{
		GenerateKeyArray(OutKeys);
		return OutKeys.Num();
	}

	template <typename PredicateType> TMap FilterByPredicate(const PredicateType& Predicate) const
	{
		TMap Result;
		for (const ElementType& Pair : Pairs)
		{
			if (Predicate(Pair))
			{
				Result.Add(Pair.Key, Pair.Value);
			}
		}
		return Result;
	}

	// Reorders the pairs by key or by value.
	template <typename PredicateType> void KeySort(const PredicateType& Predicate)
	{
		Pairs.Sort([&Predicate](const ElementType& A, const ElementType& B) { return Predicate(A.Key, B.Key); });
	}
	template <typename PredicateType> void ValueSort(const PredicateType& Predicate)
	{
		Pairs.Sort([&Predicate](const ElementType& A, const ElementType& B) { return Predicate(A.Value, B.Value); });
	}
	template <typename PredicateType> void KeyStableSort(const PredicateType& Predicate) { KeySort(Predicate); }
	template <typename PredicateType> void ValueStableSort(const PredicateType& Predicate) { ValueSort(Predicate); }

	// Same keys with equal values, whatever the order.
	bool OrderIndependentCompareEqual(const TMap& Other) const
	{
		if (Num() != Other.Num())
		{
			return false;
		}
		for (const ElementType& Pair : Pairs)
		{
			const ValueType* OtherValue = Other.Find(Pair.Key);
			if (OtherValue == nullptr || !(*OtherValue == Pair.Value))
			{
				return false;
			}
		}
		return true;
	}

	// ---- Iteration ----

	TIterator CreateIterator() { return TIterator(Pairs.CreateIterator()); }
	TConstIterator CreateConstIterator() const { return TConstIterator(Pairs.CreateConstIterator()); }

	auto begin() { return Pairs.begin(); }
	auto end() { return Pairs.end(); }
	auto begin() const { return Pairs.begin(); }
	auto end() const { return Pairs.end(); }

private:
	FPairSet Pairs;
};
