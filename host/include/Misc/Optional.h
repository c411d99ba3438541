// TOptional, a value that may be unset.
#pragma once

#include "CoreTypes.h"
#include "Misc/AssertionMacros.h"

#include <optional>
#include <type_traits>
#include <utility>

struct FNullOpt
{
	explicit constexpr FNullOpt(int) {}
};

inline constexpr FNullOpt NullOpt{0};

template <typename OptionalType> class TOptional
{
public:
	using ElementType = OptionalType;

	constexpr TOptional() = default;
	constexpr TOptional(FNullOpt) {}
	constexpr TOptional(const OptionalType& InValue) : Value(InValue) {}
	constexpr TOptional(OptionalType&& InValue) : Value(std::move(InValue)) {}

	template <typename... ArgTypes>
	explicit constexpr TOptional(std::in_place_t, ArgTypes&&... Args)
		: Value(std::in_place, std::forward<ArgTypes>(Args)...)
	{
	}

	TOptional& operator=(FNullOpt)
	{
		Value.reset();
		return *this;
	}

	template <typename... ArgTypes> OptionalType& Emplace(ArgTypes&&... Args)
	{
		return Value.emplace(std::forward<ArgTypes>(Args)...);
	}

	void Reset() { Value.reset(); }

	bool IsSet() const { return Value.has_value(); }
	explicit operator bool() const { return Value.has_value(); }

	// Reading an unset optional is a programming error.
	OptionalType& GetValue()
	{
		checkf(IsSet(), TEXT("GetValue() called on an unset TOptional; check IsSet() or use Get(DefaultValue)."));
		return *Value;
	}
	const OptionalType& GetValue() const
	{
		checkf(IsSet(), TEXT("GetValue() called on an unset TOptional; check IsSet() or use Get(DefaultValue)."));
		return *Value;
	}

	OptionalType& operator*() { return GetValue(); }
	const OptionalType& operator*() const { return GetValue(); }
	OptionalType* operator->() { return &GetValue(); }
	const OptionalType* operator->() const { return &GetValue(); }

	const OptionalType& Get(const OptionalType& DefaultValue) const { return IsSet() ? *Value : DefaultValue; }

	OptionalType* GetPtrOrNull() { return IsSet() ? &*Value : nullptr; }
	const OptionalType* GetPtrOrNull() const { return IsSet() ? &*Value : nullptr; }

	// Two unset optionals are equal; a set one never equals an unset one.
	friend bool operator==(const TOptional& Lhs, const TOptional& Rhs) { return Lhs.Value == Rhs.Value; }

private:
	std::optional<OptionalType> Value;
};

template <typename T> TOptional<std::decay_t<T>> MakeOptional(T&& Value)
{
	return TOptional<std::decay_t<T>>(std::forward<T>(Value));
}
