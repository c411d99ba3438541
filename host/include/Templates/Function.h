// TFunction, an owning callable wrapper, and TFunctionRef, a non-owning reference to a callable that must outlive it.
#pragma once

#include "CoreTypes.h"
#include "Misc/AssertionMacros.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

template <typename FuncType> class TFunction;

template <typename FuncType> class TFunctionRef;

template <typename Ret, typename... ParamTypes> class TFunction<Ret(ParamTypes...)>
{
public:
	TFunction() = default;
	TFunction(std::nullptr_t) {}

	template <typename FunctorType>
	requires(!std::is_same_v<std::decay_t<FunctorType>, TFunction> &&
		std::is_invocable_r_v<Ret, std::decay_t<FunctorType>&, ParamTypes...>) TFunction(FunctorType&& InFunc)
		: Callable(std::forward<FunctorType>(InFunc))
	{
	}

	// Calling an unbound function is a programming error.
	Ret operator()(ParamTypes... Params) const
	{
		checkf(static_cast<bool>(Callable), TEXT("Attempting to call an unbound TFunction!"));
		return Callable(std::forward<ParamTypes>(Params)...);
	}

	explicit operator bool() const { return static_cast<bool>(Callable); }
	bool IsSet() const { return static_cast<bool>(Callable); }
	void Reset() { Callable = nullptr; }

	bool operator==(std::nullptr_t) const { return !Callable; }

private:
	std::function<Ret(ParamTypes...)> Callable;
};

template <typename Ret, typename... ParamTypes> class TFunctionRef<Ret(ParamTypes...)>
{
public:
	template <typename FunctorType>
	requires(!std::is_same_v<std::remove_cvref_t<FunctorType>, TFunctionRef> &&
		!std::is_function_v<std::remove_reference_t<FunctorType>> &&
		std::is_invocable_r_v<Ret, std::remove_reference_t<FunctorType>&, ParamTypes...>)
		TFunctionRef(FunctorType&& InFunc)
		: Object(const_cast<void*>(static_cast<const void*>(std::addressof(InFunc)))),
		  Invoker(&Invoke<std::remove_reference_t<FunctorType>>)
	{
	}

	TFunctionRef(const TFunctionRef&) = default;
	TFunctionRef& operator=(const TFunctionRef&) = delete;

	Ret operator()(ParamTypes... Params) const { return Invoker(Object, std::forward<ParamTypes>(Params)...); }

private:
	template <typename FunctorType> static Ret Invoke(void* InObject, ParamTypes... Params)
	{
		if constexpr (std::is_void_v<Ret>)
		{
			std::invoke(*static_cast<FunctorType*>(InObject), std::forward<ParamTypes>(Params)...);
		}
		else
		{
			return std::invoke(*static_cast<FunctorType*>(InObject), std::forward<ParamTypes>(Params)...);
		}
	}

	void* Object;
	Ret (*Invoker)(void*, ParamTypes...);
};
