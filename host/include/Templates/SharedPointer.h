// Reference-counted pointers: TSharedPtr (nullable), TSharedRef (never null) and TWeakPtr, with MakeShared,
// MakeShareable and the casts. The thread-safety mode parameter is accepted for compatibility; the count is always
// atomic.
#pragma once

#include "CoreTypes.h"
#include "Misc/AssertionMacros.h"
#include "Templates/TypeHash.h"

#include <cstddef>
#include <memory>
#include <type_traits>
#include <utility>

enum class ESPMode : uint8
{
	NotThreadSafe = 0,
	ThreadSafe = 1
};

template <typename ObjectType, ESPMode Mode = ESPMode::ThreadSafe> class TSharedRef;
template <typename ObjectType, ESPMode Mode = ESPMode::ThreadSafe> class TSharedPtr;
template <typename ObjectType, ESPMode Mode = ESPMode::ThreadSafe> class TWeakPtr;

namespace SharedPointerInternals
{
// What MakeShareable returns: an owning raw pointer on its way into a shared pointer.
template <typename ObjectType> struct TRawPtrProxy
{
	ObjectType* Object;
};

// Gives the pointer classes access to each other's storage across object types and casts.
struct FAccess
{
	template <typename PointerType> static const auto& Storage(const PointerType& Pointer) { return Pointer.Storage; }

	template <typename PointerType, typename StorageType> static PointerType Make(StorageType&& InStorage)
	{
		PointerType Result{PrivateTag{}};
		Result.Storage = std::forward<StorageType>(InStorage);
		return Result;
	}

	struct PrivateTag
	{
	};
};
} // namespace SharedPointerInternals

template <typename ObjectType>
FORCEINLINE SharedPointerInternals::TRawPtrProxy<ObjectType> MakeShareable(ObjectType* InObject)
{
	return SharedPointerInternals::TRawPtrProxy<ObjectType>{InObject};
}

template <typename ObjectType, ESPMode Mode> class TSharedRef
{
public:
	using ElementType = ObjectType;

	// Takes ownership of a new object; it must not be null.
	template <typename OtherType>
	requires std::is_convertible_v<OtherType*, ObjectType*>
	explicit TSharedRef(OtherType* InObject) : Storage(InObject) { check(InObject != nullptr); }

	template <typename OtherType>
	requires std::is_convertible_v<OtherType*, ObjectType*> TSharedRef(
		const SharedPointerInternals::TRawPtrProxy<OtherType>& InProxy)
		: Storage(InProxy.Object)
	{
		check(InProxy.Object != nullptr);
	}

	template <typename OtherType>
	requires std::is_convertible_v<OtherType*, ObjectType*> TSharedRef(const TSharedRef<OtherType, Mode>& Other)
		: Storage(SharedPointerInternals::FAccess::Storage(Other))
	{
	}

	TSharedRef(const TSharedRef&) = default;
	TSharedRef& operator=(const TSharedRef&) = default;
	// A moved-from reference would be null, so moves copy.
	TSharedRef(TSharedRef&& Other) : Storage(Other.Storage) {}
	TSharedRef& operator=(TSharedRef&& Other)
	{
		Storage = Other.Storage;
		return *this;
	}

	ObjectType& Get() const { return *Storage; }
	ObjectType& operator*() const { return *Storage; }
	ObjectType* operator->() const { return Storage.get(); }

	TSharedPtr<ObjectType, Mode> ToSharedPtr() const { return TSharedPtr<ObjectType, Mode>(*this); }
	TWeakPtr<ObjectType, Mode> ToWeakPtr() const { return TWeakPtr<ObjectType, Mode>(*this); }

	int32 GetSharedReferenceCount() const { return static_cast<int32>(Storage.use_count()); }
	bool IsUnique() const { return Storage.use_count() == 1; }
	// Always true; present so generic code can test either pointer kind.
	bool IsValid() const { return true; }

	template <typename OtherType> bool operator==(const TSharedRef<OtherType, Mode>& Other) const
	{
		return Storage == SharedPointerInternals::FAccess::Storage(Other);
	}

private:
	friend struct SharedPointerInternals::FAccess;
	template <typename, ESPMode> friend class TSharedPtr;

	explicit TSharedRef(SharedPointerInternals::FAccess::PrivateTag) {}
	explicit TSharedRef(std::shared_ptr<ObjectType> InStorage) : Storage(std::move(InStorage)) {}

	std::shared_ptr<ObjectType> Storage;
};

template <typename ObjectType, ESPMode Mode> class TSharedPtr
{
public:
	using ElementType = ObjectType;

	TSharedPtr() = default;
	TSharedPtr(std::nullptr_t) {}

	template <typename OtherType>
	requires std::is_convertible_v<OtherType*, ObjectType*>
	explicit TSharedPtr(OtherType* InObject) : Storage(InObject) {}

	template <typename OtherType>
	requires std::is_convertible_v<OtherType*, ObjectType*> TSharedPtr(
		const SharedPointerInternals::TRawPtrProxy<OtherType>& InProxy)
		: Storage(InProxy.Object)
	{
	}

	template <typename OtherType>
	requires std::is_convertible_v<OtherType*, ObjectType*> TSharedPtr(const TSharedPtr<OtherType, Mode>& Other)
		: Storage(SharedPointerInternals::FAccess::Storage(Other))
	{
	}

	template <typename OtherType>
	requires std::is_convertible_v<OtherType*, ObjectType*> TSharedPtr(const TSharedRef<OtherType, Mode>& Other)
		: Storage(SharedPointerInternals::FAccess::Storage(Other))
	{
	}

	ObjectType* Get() const { return Storage.get(); }
	bool IsValid() const { return Storage != nullptr; }
	explicit operator bool() const { return Storage != nullptr; }

	ObjectType& operator*() const
	{
		check(IsValid());
		return *Storage;
	}
	ObjectType* operator->() const
	{
		check(IsValid());
		return Storage.get();
	}

	// The pointer must be valid.
	TSharedRef<ObjectType, Mode> ToSharedRef() const
	{
		check(IsValid());
		return TSharedRef<ObjectType, Mode>(Storage);
	}

	void Reset() { Storage.reset(); }
	int32 GetSharedReferenceCount() const { return static_cast<int32>(Storage.use_count()); }
	bool IsUnique() const { return Storage.use_count() == 1; }

	template <typename OtherType> bool operator==(const TSharedPtr<OtherType, Mode>& Other) const
	{
		return Storage == SharedPointerInternals::FAccess::Storage(Other);
	}
	template <typename OtherType> bool operator==(const TSharedRef<OtherType, Mode>& Other) const
	{
		return Storage == SharedPointerInternals::FAccess::Storage(Other);
	}
	bool operator==(std::nullptr_t) const { return Storage == nullptr; }

private:
	friend struct SharedPointerInternals::FAccess;

	explicit TSharedPtr(SharedPointerInternals::FAccess::PrivateTag) {}

	std::shared_ptr<ObjectType> Storage;
};

template <typename ObjectType, ESPMode Mode> class TWeakPtr
{
public:
	TWeakPtr() = default;
	TWeakPtr(std::nullptr_t) {}

	template <typename OtherType>
	requires std::is_convertible_v<OtherType*, ObjectType*> TWeakPtr(const TSharedPtr<OtherType, Mode>& Other)
		: Storage(SharedPointerInternals::FAccess::Storage(Other))
	{
	}

	template <typename OtherType>
	requires std::is_convertible_v<OtherType*, ObjectType*> TWeakPtr(const TSharedRef<OtherType, Mode>& Other)
		: Storage(SharedPointerInternals::FAccess::Storage(Other))
	{
	}

	template <typename OtherType>
	requires std::is_convertible_v<OtherType*, ObjectType*> TWeakPtr(const TWeakPtr<OtherType, Mode>& Other)
		: Storage(SharedPointerInternals::FAccess::Storage(Other))
	{
	}

	// A shared pointer to the object while it is alive, else null.
	TSharedPtr<ObjectType, Mode> Pin() const
	{
		return SharedPointerInternals::FAccess::Make<TSharedPtr<ObjectType, Mode>>(Storage.lock());
	}

	bool IsValid() const { return !Storage.expired(); }
	void Reset() { Storage.reset(); }
	bool HasSameObject(const void* InOtherPtr) const { return Pin().Get() == InOtherPtr; }

	template <typename OtherType> bool operator==(const TWeakPtr<OtherType, Mode>& Other) const
	{
		return !Storage.owner_before(SharedPointerInternals::FAccess::Storage(Other)) &&
			!SharedPointerInternals::FAccess::Storage(Other).owner_before(Storage);
	}

private:
	friend struct SharedPointerInternals::FAccess;

	std::weak_ptr<ObjectType> Storage;
};

// Lets an object hand out shared references to itself once it is owned by one.
template <typename ObjectType, ESPMode Mode = ESPMode::ThreadSafe>
class TSharedFromThis : public std::enable_shared_from_this<ObjectType>
{
public:
	TSharedRef<ObjectType, Mode> AsShared()
	{
		return SharedPointerInternals::FAccess::Make<TSharedPtr<ObjectType, Mode>>(this->shared_from_this())
			.ToSharedRef();
	}
	TSharedRef<const ObjectType, Mode> AsShared() const
	{
		return SharedPointerInternals::FAccess::Make<TSharedPtr<const ObjectType, Mode>>(this->shared_from_this())
			.ToSharedRef();
	}
	TWeakPtr<ObjectType, Mode> AsWeak() { return TWeakPtr<ObjectType, Mode>(AsShared()); }
	bool DoesSharedInstanceExist() const { return !this->weak_from_this().expired(); }

protected:
	template <typename OtherType> static TSharedRef<OtherType, Mode> SharedThis(OtherType* ThisPtr)
	{
		return StaticCastSharedRef<OtherType>(ThisPtr->AsShared());
	}
};

template <typename ObjectType, ESPMode Mode = ESPMode::ThreadSafe, typename... ArgTypes>
FORCEINLINE TSharedRef<ObjectType, Mode> MakeShared(ArgTypes&&... Args)
{
	return SharedPointerInternals::FAccess::Make<TSharedPtr<ObjectType, Mode>>(
		std::make_shared<ObjectType>(std::forward<ArgTypes>(Args)...))
		.ToSharedRef();
}

template <typename CastToType, typename CastFromType, ESPMode Mode>
FORCEINLINE TSharedPtr<CastToType, Mode> StaticCastSharedPtr(const TSharedPtr<CastFromType, Mode>& InPtr)
{
	return SharedPointerInternals::FAccess::Make<TSharedPtr<CastToType, Mode>>(
		std::static_pointer_cast<CastToType>(SharedPointerInternals::FAccess::Storage(InPtr)));
}

template <typename CastToType, typename CastFromType, ESPMode Mode>
FORCEINLINE TSharedRef<CastToType, Mode> StaticCastSharedRef(const TSharedRef<CastFromType, Mode>& InRef)
{
	return StaticCastSharedPtr<CastToType>(TSharedPtr<CastFromType, Mode>(InRef)).ToSharedRef();
}

template <typename CastToType, typename CastFromType, ESPMode Mode>
FORCEINLINE TSharedPtr<CastToType, Mode> ConstCastSharedPtr(const TSharedPtr<CastFromType, Mode>& InPtr)
{
	return SharedPointerInternals::FAccess::Make<TSharedPtr<CastToType, Mode>>(
		std::const_pointer_cast<CastToType>(SharedPointerInternals::FAccess::Storage(InPtr)));
}

template <typename CastToType, typename CastFromType, ESPMode Mode>
FORCEINLINE TSharedRef<CastToType, Mode> ConstCastSharedRef(const TSharedRef<CastFromType, Mode>& InRef)
{
	return ConstCastSharedPtr<CastToType>(TSharedPtr<CastFromType, Mode>(InRef)).ToSharedRef();
}

template <typename ObjectType, ESPMode Mode> FORCEINLINE uint32 GetTypeHash(const TSharedPtr<ObjectType, Mode>& InPtr)
{
	return PointerHash(InPtr.Get());
}

template <typename ObjectType, ESPMode Mode> FORCEINLINE uint32 GetTypeHash(const TSharedRef<ObjectType, Mode>& InRef)
{
	return PointerHash(&InRef.Get());
}
