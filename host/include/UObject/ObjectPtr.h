// TObjectPtr, the engine's reference to an object from a property: here a plain pointer with the same interface.
#pragma once

#include "CoreTypes.h"
#include "Templates/TypeHash.h"

#include <cstddef>
#include <type_traits>

template <typename T> class TObjectPtr
{
public:
	using ElementType = T;

	constexpr TObjectPtr() = default;
	constexpr TObjectPtr(std::nullptr_t) {}

	template <typename U>
	requires std::is_convertible_v<U*, T*>
	constexpr TObjectPtr(U* InObject) : Object(InObject) {}

	template <typename U>
	requires std::is_convertible_v<U*, T*>
	constexpr TObjectPtr(const TObjectPtr<U>& Other) : Object(Other.Get()) {}

	template <typename U>
	requires std::is_convertible_v<U*, T*> TObjectPtr& operator=(U* InObject)
	{
		Object = InObject;
		return *this;
	}

	TObjectPtr& operator=(std::nullptr_t)
	{
		Object = nullptr;
		return *this;
	}

	constexpr T* Get() const { return Object; }
	constexpr operator T*() const { return Object; }
	constexpr T* operator->() const { return Object; }
	constexpr T& operator*() const { return *Object; }
	constexpr explicit operator bool() const { return Object != nullptr; }

	template <typename U> constexpr bool operator==(const TObjectPtr<U>& Other) const { return Object == Other.Get(); }
	template <typename U> constexpr bool operator==(U* Other) const { return Object == Other; }
	constexpr bool operator==(std::nullptr_t) const { return Object == nullptr; }

private:
	T* Object = nullptr;
};

template <typename T> FORCEINLINE uint32 GetTypeHash(const TObjectPtr<T>& Ptr)
{
	return GetTypeHash(Ptr.Get());
}

template <typename T> FORCEINLINE constexpr T* ToRawPtr(const TObjectPtr<T>& Ptr)
{
	return Ptr.Get();
}

template <typename T> FORCEINLINE constexpr T* ToRawPtr(T* Ptr)
{
	return Ptr;
}
