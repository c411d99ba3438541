// TUniquePtr, the single owner of an object or array, and MakeUnique.
#pragma once

#include "CoreTypes.h"
#include "Templates/TypeHash.h"

#include <cstddef>
#include <memory>
#include <type_traits>
#include <utility>

template <typename T> using TDefaultDelete = std::default_delete<T>;

template <typename T, typename Deleter = TDefaultDelete<T>> class TUniquePtr
{
	using PointerType = typename std::unique_ptr<T, Deleter>::pointer;
	using ObjectType = std::remove_extent_t<T>;

public:
	using ElementType = T;

	TUniquePtr() = default;
	TUniquePtr(std::nullptr_t) {}
	explicit TUniquePtr(PointerType InPtr) : Storage(InPtr) {}

	template <typename OtherType, typename OtherDeleter>
	requires std::is_convertible_v<typename std::unique_ptr<OtherType, OtherDeleter>::pointer, PointerType> TUniquePtr(
		TUniquePtr<OtherType, OtherDeleter>&& Other)
		: Storage(Other.Release())
	{
	}

	TUniquePtr(TUniquePtr&&) = default;
	TUniquePtr& operator=(TUniquePtr&&) = default;
	TUniquePtr(const TUniquePtr&) = delete;
	TUniquePtr& operator=(const TUniquePtr&) = delete;

	template <typename OtherType, typename OtherDeleter>
	requires std::is_convertible_v<typename std::unique_ptr<OtherType, OtherDeleter>::pointer, PointerType> TUniquePtr&
	operator=(TUniquePtr<OtherType, OtherDeleter>&& Other)
	{
		Storage.reset(Other.Release());
		return *this;
	}

	TUniquePtr& operator=(std::nullptr_t)
	{
		Storage.reset();
		return *this;
	}

	PointerType Get() const { return Storage.get(); }
	bool IsValid() const { return Storage != nullptr; }
	explicit operator bool() const { return Storage != nullptr; }

	ObjectType& operator*() const requires(!std::is_array_v<T>) { return *Storage; }
	PointerType operator->() const requires(!std::is_array_v<T>) { return Storage.get(); }
	ObjectType& operator[](SIZE_T Index) const requires std::is_array_v<T> { return Storage[Index]; }

	// Gives up ownership without deleting.
	[[nodiscard]] PointerType Release() { return Storage.release(); }
	void Reset(PointerType InPtr = nullptr) { Storage.reset(InPtr); }

	Deleter& GetDeleter() { return Storage.get_deleter(); }

	template <typename OtherType, typename OtherDeleter>
	bool operator==(const TUniquePtr<OtherType, OtherDeleter>& Other) const
	{
		return Get() == Other.Get();
	}
	bool operator==(std::nullptr_t) const { return Storage == nullptr; }

private:
	std::unique_ptr<T, Deleter> Storage;
};

template <typename T, typename... ArgTypes>
requires(!std::is_array_v<T>) FORCEINLINE TUniquePtr<T> MakeUnique(ArgTypes&&... Args)
{
	return TUniquePtr<T>(new T(std::forward<ArgTypes>(Args)...));
}

// An array of Size value-initialised elements.
template <typename T>
requires std::is_unbounded_array_v<T> FORCEINLINE TUniquePtr<T> MakeUnique(SIZE_T Size)
{
	return TUniquePtr<T>(new std::remove_extent_t<T>[Size]());
}

template <typename T, typename Deleter> FORCEINLINE uint32 GetTypeHash(const TUniquePtr<T, Deleter>& Ptr)
{
	return PointerHash(Ptr.Get());
}
