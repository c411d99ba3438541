// Move, forward and swap helpers under the engine's names.
#pragma once

#include "CoreTypes.h"

#include <type_traits>
#include <utility>

// Casts an lvalue to an rvalue. Refuses rvalues and const objects, which would silently copy instead of move.
template <typename T> FORCEINLINE constexpr std::remove_reference_t<T>&& MoveTemp(T&& Obj) noexcept
{
	using CastType = std::remove_reference_t<T>;
	static_assert(std::is_lvalue_reference_v<T>, "MoveTemp called on an rvalue");
	static_assert(!std::is_const_v<CastType>, "MoveTemp called on a const object");
	return static_cast<CastType&&>(Obj);
}

// MoveTemp without the checks, for generic code where the argument may be const or an rvalue.
template <typename T> FORCEINLINE constexpr std::remove_reference_t<T>&& MoveTempIfPossible(T&& Obj) noexcept
{
	return static_cast<std::remove_reference_t<T>&&>(Obj);
}

template <typename T> FORCEINLINE constexpr T&& Forward(std::remove_reference_t<T>& Obj) noexcept
{
	return static_cast<T&&>(Obj);
}

template <typename T> FORCEINLINE constexpr T&& Forward(std::remove_reference_t<T>&& Obj) noexcept
{
	return static_cast<T&&>(Obj);
}

template <typename T> FORCEINLINE constexpr void Swap(T& A, T& B)
{
	T Temp = MoveTemp(A);
	A = MoveTemp(B);
	B = MoveTemp(Temp);
}

// Exchanges the two values, as Swap does.
template <typename T> FORCEINLINE constexpr void Exchange(T& A, T& B)
{
	Swap(A, B);
}

template <typename T> FORCEINLINE constexpr const T& AsConst(T& Ref) noexcept
{
	return Ref;
}

// Copies a value into a temporary, so that it can be moved from without touching the original.
template <typename T> FORCEINLINE constexpr std::decay_t<T> CopyTemp(T&& Val)
{
	return std::decay_t<T>(static_cast<T&&>(Val));
}
