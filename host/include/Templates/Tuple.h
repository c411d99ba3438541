// TTuple, a fixed group of values, and TPair, the two-value tuple whose members are named Key and Value.
#pragma once

#include "CoreTypes.h"
#include "Templates/TypeHash.h"

#include <cstddef>
#include <tuple>
#include <type_traits>
#include <utility>

template <typename... Types> struct TTuple
{
	std::tuple<Types...> Values;

	TTuple() = default;

	template <typename... ArgTypes>
	requires(sizeof...(ArgTypes) == sizeof...(Types) && sizeof...(Types) > 0 &&
		!(sizeof...(ArgTypes) == 1 &&
			(std::is_same_v<std::remove_cvref_t<ArgTypes>, TTuple> && ...))) explicit TTuple(ArgTypes&&... Args)
		: Values(std::forward<ArgTypes>(Args)...)
	{
	}

	template <std::size_t Index> auto& Get() { return std::get<Index>(Values); }

	template <std::size_t Index> const auto& Get() const { return std::get<Index>(Values); }

	bool operator==(const TTuple& Other) const = default;
	bool operator<(const TTuple& Other) const { return Values < Other.Values; }
};

// Two values named Key and Value, the element of a map.
template <typename KeyType, typename ValueType> struct TTuple<KeyType, ValueType>
{
	KeyType Key;
	ValueType Value;

	TTuple() = default;

	template <typename KeyArgType, typename ValueArgType>
	TTuple(KeyArgType&& InKey, ValueArgType&& InValue)
		: Key(std::forward<KeyArgType>(InKey)), Value(std::forward<ValueArgType>(InValue))
	{
	}

	template <std::size_t Index> auto& Get()
	{
		static_assert(Index < 2, "A pair has two elements");
		if constexpr (Index == 0)
		{
			return Key;
		}
		else
		{
			return Value;
		}
	}

	template <std::size_t Index> const auto& Get() const { return const_cast<TTuple*>(this)->template Get<Index>(); }

	bool operator==(const TTuple& Other) const { return Key == Other.Key && Value == Other.Value; }
	bool operator<(const TTuple& Other) const { return Key < Other.Key || (!(Other.Key < Key) && Value < Other.Value); }
};

template <typename KeyType, typename ValueType> using TPair = TTuple<KeyType, ValueType>;

template <typename... Types> FORCEINLINE TTuple<std::decay_t<Types>...> MakeTuple(Types&&... Args)
{
	return TTuple<std::decay_t<Types>...>(std::forward<Types>(Args)...);
}

template <typename KeyType, typename ValueType> FORCEINLINE uint32 GetTypeHash(const TTuple<KeyType, ValueType>& Pair)
{
	return HashCombine(GetTypeHash(Pair.Key), GetTypeHash(Pair.Value));
}
