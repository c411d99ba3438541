// Reflected properties: FProperty and its kinds (bool, numbers, enums, names, strings, structs, arrays, object
// references), TFieldIterator over a struct's properties, and FScriptArrayHelper for array properties.
//
// Every property carries the value operations of its C++ type (construct, destroy, copy, compare), so memory laid
// out by reflection is handled exactly as the C++ code handles it. The host's TArray is not the engine's array
// layout, so array properties also carry type-erased array operations made for their element type.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Class.h"
#include "UObject/Field.h"
#include "UObject/ObjectMacros.h"

#include <new>
#include <type_traits>

// Operations on one value of a property's C++ type. Equal is null when the type has no operator==.
struct FPropertyValueOps
{
	void (*Construct)(void* Dest);
	void (*Destruct)(void* Dest);
	void (*Copy)(void* Dest, const void* Src);
	bool (*Equal)(const void* A, const void* B);
};

template <typename T> struct TIsTArrayType : std::false_type
{
};
template <typename E> struct TIsTArrayType<TArray<E>> : std::true_type
{
};

template <typename T> struct TPropertyValueOps
{
	// Arrays compare element by element through their inner property (TArray's operator== is unconstrained).
	static constexpr bool bHasEquality = !TIsTArrayType<T>::value && requires(const T& Value)
	{
		{
			Value == Value
			} -> std::convertible_to<bool>;
	};

	static void Construct(void* Dest) { ::new (Dest) T(); }
	static void Destruct(void* Dest) { static_cast<T*>(Dest)->~T(); }
	static void Copy(void* Dest, const void* Src) { *static_cast<T*>(Dest) = *static_cast<const T*>(Src); }
	static bool Equal(const void* A, const void* B)
	{
		if constexpr (bHasEquality)
		{
			return *static_cast<const T*>(A) == *static_cast<const T*>(B);
		}
		return false;
	}

	static constexpr FPropertyValueOps Ops = {&Construct, &Destruct, &Copy, bHasEquality ? &Equal : nullptr};
};

class FProperty : public FField
{
	DECLARE_FIELD(FProperty, FField)

	FProperty(FFieldVariant InOwner, const FName& InName, int32 InOffset, EPropertyFlags InFlags, int32 InElementSize,
		int32 InAlignment, const FPropertyValueOps& InOps)
		: FField(InOwner, InName), Offset(InOffset), ElementSize(InElementSize), Alignment(InAlignment),
		  PropertyFlags(InFlags), ValueOps(&InOps)
	{
	}

	// Offset of the value in its container (struct, object or parameter block).
	int32 GetOffset_ForInternal() const { return Offset; }
	int32 GetOffset_ForUFunction() const { return Offset; }
	int32 GetElementSize() const { return ElementSize; }
	int32 GetMinAlignment() const { return Alignment; }
	int32 GetArrayDim() const { return 1; }
	int32 GetSize() const { return ElementSize * GetArrayDim(); }

	EPropertyFlags GetPropertyFlags() const { return PropertyFlags; }
	bool HasAnyPropertyFlags(EPropertyFlags Flags) const { return (PropertyFlags & Flags) != CPF_None; }
	bool HasAllPropertyFlags(EPropertyFlags Flags) const { return (PropertyFlags & Flags) == Flags; }
	void SetPropertyFlags(EPropertyFlags Flags) { PropertyFlags |= Flags; }

	// The C++ type. Templates give their base here ("TArray") and "<...>" through ExtendedTypeText.
	virtual FString GetCPPType(FString* ExtendedTypeText = nullptr, uint32 CPPExportFlags = 0) const = 0;

	template <typename ValueType = void> ValueType* ContainerPtrToValuePtr(void* Container, int32 ArrayIndex = 0) const
	{
		return reinterpret_cast<ValueType*>(static_cast<uint8*>(Container) + Offset + ArrayIndex * ElementSize);
	}
	template <typename ValueType = void>
	const ValueType* ContainerPtrToValuePtr(const void* Container, int32 ArrayIndex = 0) const
	{
		return reinterpret_cast<const ValueType*>(
			static_cast<const uint8*>(Container) + Offset + ArrayIndex * ElementSize);
	}

	// On the value itself: construct into raw memory, destroy, copy over an existing value.
	void InitializeValue(void* Dest) const { ValueOps->Construct(Dest); }
	void DestroyValue(void* Dest) const { ValueOps->Destruct(Dest); }
	void CopySingleValue(void* Dest, const void* Src) const { ValueOps->Copy(Dest, Src); }
	void CopyCompleteValue(void* Dest, const void* Src) const { ValueOps->Copy(Dest, Src); }
	// On the value within its container.
	void InitializeValue_InContainer(void* Container) const { InitializeValue(ContainerPtrToValuePtr(Container)); }
	void DestroyValue_InContainer(void* Container) const { DestroyValue(ContainerPtrToValuePtr(Container)); }
	void CopyCompleteValue_InContainer(void* Dest, const void* Src) const
	{
		CopyCompleteValue(ContainerPtrToValuePtr(Dest), ContainerPtrToValuePtr(Src));
	}

	virtual bool Identical(const void* A, const void* B, uint32 PortFlags = 0) const;
	bool Identical_InContainer(const void* A, const void* B, int32 ArrayIndex = 0, uint32 PortFlags = 0) const
	{
		return Identical(ContainerPtrToValuePtr(A, ArrayIndex), ContainerPtrToValuePtr(B, ArrayIndex), PortFlags);
	}

protected:
	const FPropertyValueOps& GetValueOps() const { return *ValueOps; }

private:
	int32 Offset;
	int32 ElementSize;
	int32 Alignment;
	EPropertyFlags PropertyFlags;
	const FPropertyValueOps* ValueOps;
};

// Typed access to the value of a property whose C++ type is InTCppType.
template <typename InTCppType, typename TInPropertyBaseClass> class TProperty : public TInPropertyBaseClass
{
public:
	typedef InTCppType TCppType;
	using TInPropertyBaseClass::TInPropertyBaseClass;

	static const TCppType& GetPropertyValue(const void* Data) { return *static_cast<const TCppType*>(Data); }
	static void SetPropertyValue(void* Data, const TCppType& Value) { *static_cast<TCppType*>(Data) = Value; }
	const TCppType& GetPropertyValue_InContainer(const void* Container, int32 ArrayIndex = 0) const
	{
		return *this->template ContainerPtrToValuePtr<TCppType>(Container, ArrayIndex);
	}
	void SetPropertyValue_InContainer(void* Container, const TCppType& Value, int32 ArrayIndex = 0) const
	{
		*this->template ContainerPtrToValuePtr<TCppType>(Container, ArrayIndex) = Value;
	}
};

// A number of any width; values can be read and written as 64-bit integers or doubles whatever the width.
class FNumericProperty : public FProperty
{
	DECLARE_FIELD(FNumericProperty, FProperty)
	using FProperty::FProperty;

	virtual bool IsFloatingPoint() const = 0;
	virtual bool IsInteger() const = 0;
	// The enum of a byte property that stands for an enum, else null.
	virtual UEnum* GetIntPropertyEnum() const { return nullptr; }
	virtual void SetIntPropertyValue(void* Data, int64 Value) const = 0;
	virtual void SetFloatingPointPropertyValue(void* Data, double Value) const = 0;
	virtual int64 GetSignedIntPropertyValue(const void* Data) const = 0;
	virtual double GetFloatingPointPropertyValue(const void* Data) const = 0;
};

template <typename T> class TProperty_Numeric : public TProperty<T, FNumericProperty>
{
public:
	TProperty_Numeric(FFieldVariant InOwner, const FName& InName, int32 InOffset, EPropertyFlags InFlags)
		: TProperty<T, FNumericProperty>(
			  InOwner, InName, InOffset, InFlags, int32(sizeof(T)), int32(alignof(T)), TPropertyValueOps<T>::Ops)
	{
	}

	virtual bool IsFloatingPoint() const override { return std::is_floating_point_v<T>; }
	virtual bool IsInteger() const override { return std::is_integral_v<T>; }
	virtual void SetIntPropertyValue(void* Data, int64 Value) const override { *static_cast<T*>(Data) = T(Value); }
	virtual void SetFloatingPointPropertyValue(void* Data, double Value) const override
	{
		*static_cast<T*>(Data) = T(Value);
	}
	virtual int64 GetSignedIntPropertyValue(const void* Data) const override
	{
		return int64(*static_cast<const T*>(Data));
	}
	virtual double GetFloatingPointPropertyValue(const void* Data) const override
	{
		return double(*static_cast<const T*>(Data));
	}
};

#define QV_DECLARE_NUMERIC_PROPERTY(TClass, TCpp, CppName)                                                             \
	class TClass : public TProperty_Numeric<TCpp>                                                                      \
	{                                                                                                                  \
		DECLARE_FIELD(TClass, FNumericProperty)                                                                        \
		using TProperty_Numeric<TCpp>::TProperty_Numeric;                                                              \
		virtual FString GetCPPType(FString* ExtendedTypeText = nullptr, uint32 CPPExportFlags = 0) const override      \
		{                                                                                                              \
			return TEXT(CppName);                                                                                      \
		}                                                                                                              \
	};

QV_DECLARE_NUMERIC_PROPERTY(FInt8Property, int8, "int8")
QV_DECLARE_NUMERIC_PROPERTY(FInt16Property, int16, "int16")
QV_DECLARE_NUMERIC_PROPERTY(FIntProperty, int32, "int32")
QV_DECLARE_NUMERIC_PROPERTY(FInt64Property, int64, "int64")
QV_DECLARE_NUMERIC_PROPERTY(FUInt16Property, uint16, "uint16")
QV_DECLARE_NUMERIC_PROPERTY(FUInt32Property, uint32, "uint32")
QV_DECLARE_NUMERIC_PROPERTY(FUInt64Property, uint64, "uint64")
QV_DECLARE_NUMERIC_PROPERTY(FFloatProperty, float, "float")
QV_DECLARE_NUMERIC_PROPERTY(FDoubleProperty, double, "double")

#undef QV_DECLARE_NUMERIC_PROPERTY

// A uint8, optionally standing for an enum (TEnumAsByte or an old-style byte enum).
class FByteProperty : public TProperty_Numeric<uint8>
{
	DECLARE_FIELD(FByteProperty, FNumericProperty)

	FByteProperty(
		FFieldVariant InOwner, const FName& InName, int32 InOffset, EPropertyFlags InFlags, UEnum* InEnum = nullptr)
		: TProperty_Numeric<uint8>(InOwner, InName, InOffset, InFlags), Enum(InEnum)
	{
	}

	UEnum* Enum;

	virtual UEnum* GetIntPropertyEnum() const override { return Enum; }
	virtual FString GetCPPType(FString* ExtendedTypeText = nullptr, uint32 CPPExportFlags = 0) const override;
};

class FBoolProperty : public TProperty<bool, FProperty>
{
	DECLARE_FIELD(FBoolProperty, FProperty)

	FBoolProperty(FFieldVariant InOwner, const FName& InName, int32 InOffset, EPropertyFlags InFlags)
		: TProperty<bool, FProperty>(InOwner, InName, InOffset, InFlags, int32(sizeof(bool)), int32(alignof(bool)),
			  TPropertyValueOps<bool>::Ops)
	{
	}

	// Reflected booleans are C++ bools here, never bitfields.
	bool IsNativeBool() const { return true; }
	virtual FString GetCPPType(FString* ExtendedTypeText = nullptr, uint32 CPPExportFlags = 0) const override
	{
		return TEXT("bool");
	}
};

// An enum class member; its value is read and written through the underlying integer property.
class FEnumProperty : public FProperty
{
	DECLARE_FIELD(FEnumProperty, FProperty)

	FEnumProperty(FFieldVariant InOwner, const FName& InName, int32 InOffset, EPropertyFlags InFlags, UEnum* InEnum,
		int32 InSize, int32 InAlignment, const FPropertyValueOps& InOps)
		: FProperty(InOwner, InName, InOffset, InFlags, InSize, InAlignment, InOps), Enum(InEnum)
	{
	}
	virtual ~FEnumProperty() override;

	// Takes ownership of the underlying integer property (offset 0, owned by this property).
	void AddCppProperty(FNumericProperty* InUnderlyingProp);

	UEnum* GetEnum() const { return Enum; }
	FNumericProperty* GetUnderlyingProperty() const { return UnderlyingProp; }
	virtual FString GetCPPType(FString* ExtendedTypeText = nullptr, uint32 CPPExportFlags = 0) const override;

private:
	UEnum* Enum;
	FNumericProperty* UnderlyingProp = nullptr;
};

class FNameProperty : public TProperty<FName, FProperty>
{
	DECLARE_FIELD(FNameProperty, FProperty)

	FNameProperty(FFieldVariant InOwner, const FName& InName, int32 InOffset, EPropertyFlags InFlags)
		: TProperty<FName, FProperty>(InOwner, InName, InOffset, InFlags, int32(sizeof(FName)), int32(alignof(FName)),
			  TPropertyValueOps<FName>::Ops)
	{
	}
	virtual FString GetCPPType(FString* ExtendedTypeText = nullptr, uint32 CPPExportFlags = 0) const override
	{
		return TEXT("FName");
	}
};

class FStrProperty : public TProperty<FString, FProperty>
{
	DECLARE_FIELD(FStrProperty, FProperty)

	FStrProperty(FFieldVariant InOwner, const FName& InName, int32 InOffset, EPropertyFlags InFlags)
		: TProperty<FString, FProperty>(InOwner, InName, InOffset, InFlags, int32(sizeof(FString)),
			  int32(alignof(FString)), TPropertyValueOps<FString>::Ops)
	{
	}
	virtual FString GetCPPType(FString* ExtendedTypeText = nullptr, uint32 CPPExportFlags = 0) const override
	{
		return TEXT("FString");
	}
	// Strings compare with regard to case, as the engine's string property does.
	virtual bool Identical(const void* A, const void* B, uint32 PortFlags = 0) const override;
};

class FStructProperty : public FProperty
{
	DECLARE_FIELD(FStructProperty, FProperty)

	FStructProperty(FFieldVariant InOwner, const FName& InName, int32 InOffset, EPropertyFlags InFlags,
		UScriptStruct* InStruct, const FPropertyValueOps& InOps)
		: FProperty(
			  InOwner, InName, InOffset, InFlags, InStruct->GetStructureSize(), InStruct->GetMinAlignment(), InOps),
		  Struct(InStruct)
	{
	}

	UScriptStruct* Struct;

	virtual FString GetCPPType(FString* ExtendedTypeText = nullptr, uint32 CPPExportFlags = 0) const override
	{
		return Struct->GetStructCPPName();
	}
	virtual bool Identical(const void* A, const void* B, uint32 PortFlags = 0) const override
	{
		return Struct->CompareScriptStruct(A, B, PortFlags);
	}
};

// Operations on a TArray of one element type, made for that type by the code that creates the property.
struct FScriptArrayOps
{
	int32 (*Num)(const void* Array);
	uint8* (*GetData)(void* Array);
	// Default-constructs new elements when growing.
	void (*SetNum)(void* Array, int32 NewNum);
	void (*InsertDefaulted)(void* Array, int32 Index, int32 Count);
	void (*RemoveAt)(void* Array, int32 Index, int32 Count);
	void (*Empty)(void* Array, int32 Slack);
};

template <typename ElementType> struct TScriptArrayOps
{
	using ArrayType = TArray<ElementType>;

	static int32 Num(const void* Array) { return static_cast<const ArrayType*>(Array)->Num(); }
	static uint8* GetData(void* Array) { return reinterpret_cast<uint8*>(static_cast<ArrayType*>(Array)->GetData()); }
	static void SetNum(void* Array, int32 NewNum) { static_cast<ArrayType*>(Array)->SetNum(NewNum); }
	static void InsertDefaulted(void* Array, int32 Index, int32 Count)
	{
		static_cast<ArrayType*>(Array)->InsertDefaulted(Index, Count);
	}
	static void RemoveAt(void* Array, int32 Index, int32 Count)
	{
		static_cast<ArrayType*>(Array)->RemoveAt(Index, Count);
	}
	static void Empty(void* Array, int32 Slack) { static_cast<ArrayType*>(Array)->Empty(Slack); }

	static constexpr FScriptArrayOps Ops = {&Num, &GetData, &SetNum, &InsertDefaulted, &RemoveAt, &Empty};
};

class FArrayProperty : public FProperty
{
	DECLARE_FIELD(FArrayProperty, FProperty)

	// The inner property describes one element (offset 0) and is owned by this property; AddCppProperty sets it.
	FArrayProperty(FFieldVariant InOwner, const FName& InName, int32 InOffset, EPropertyFlags InFlags,
		int32 InArraySize, int32 InArrayAlignment, const FPropertyValueOps& InOps, const FScriptArrayOps& InArrayOps)
		: FProperty(InOwner, InName, InOffset, InFlags, InArraySize, InArrayAlignment, InOps), ArrayOps(&InArrayOps)
	{
	}
	virtual ~FArrayProperty() override;

	FProperty* Inner = nullptr;

	void AddCppProperty(FProperty* InInner);
	const FScriptArrayOps& GetArrayOps() const { return *ArrayOps; }

	virtual FString GetCPPType(FString* ExtendedTypeText = nullptr, uint32 CPPExportFlags = 0) const override;
	// Same count and every element identical by the inner property.
	virtual bool Identical(const void* A, const void* B, uint32 PortFlags = 0) const override;

private:
	const FScriptArrayOps* ArrayOps;
};

// A reference to an object of PropertyClass (or a subclass), held as a raw pointer or a TObjectPtr.
class FObjectPropertyBase : public FProperty
{
	DECLARE_FIELD(FObjectPropertyBase, FProperty)

	FObjectPropertyBase(FFieldVariant InOwner, const FName& InName, int32 InOffset, EPropertyFlags InFlags,
		UClass* InClass, const FPropertyValueOps& InOps)
		: FProperty(InOwner, InName, InOffset, InFlags, int32(sizeof(UObject*)), int32(alignof(UObject*)), InOps),
		  PropertyClass(InClass)
	{
	}

	UClass* PropertyClass;

	UObject* GetObjectPropertyValue(const void* Data) const;
	UObject* GetObjectPropertyValue_InContainer(const void* Container, int32 ArrayIndex = 0) const
	{
		return GetObjectPropertyValue(ContainerPtrToValuePtr(Container, ArrayIndex));
	}
	// An object of another class is not stored: the reference becomes null.
	void SetObjectPropertyValue(void* Data, UObject* Value) const;
	void SetObjectPropertyValue_InContainer(void* Container, UObject* Value, int32 ArrayIndex = 0) const
	{
		SetObjectPropertyValue(ContainerPtrToValuePtr(Container, ArrayIndex), Value);
	}
	virtual bool Identical(const void* A, const void* B, uint32 PortFlags = 0) const override
	{
		return GetObjectPropertyValue(A) == GetObjectPropertyValue(B);
	}
};

class FObjectProperty : public FObjectPropertyBase
{
	DECLARE_FIELD(FObjectProperty, FObjectPropertyBase)
	using FObjectPropertyBase::FObjectPropertyBase;

	// "TObjectPtr<UFoo>" for TObjectPtr members, "UFoo*" for raw pointers.
	virtual FString GetCPPType(FString* ExtendedTypeText = nullptr, uint32 CPPExportFlags = 0) const override;
};

namespace EFieldIteratorFlags
{
enum SuperClassFlags
{
	ExcludeSuper = 0,
	IncludeSuper
};
} // namespace EFieldIteratorFlags

// Walks a struct's own properties (FField kinds) or children (UField kinds such as UFunction) in declaration
// order, then, with IncludeSuper, its super struct's, skipping those that are not a T.
template <typename T> class TFieldIterator
{
	static constexpr bool bIsProperty = std::is_base_of_v<FField, T>;

public:
	explicit TFieldIterator(const UStruct* InStruct,
		EFieldIteratorFlags::SuperClassFlags InSuperClassFlags = EFieldIteratorFlags::IncludeSuper)
		: Struct(InStruct), bIncludeSuper(InSuperClassFlags == EFieldIteratorFlags::IncludeSuper)
	{
		SkipToMatch();
	}

	explicit operator bool() const { return Struct != nullptr; }
	bool operator!() const { return Struct == nullptr; }

	TFieldIterator& operator++()
	{
		++Index;
		SkipToMatch();
		return *this;
	}

	T* operator*() const { return Current; }
	T* operator->() const { return Current; }
	// The struct whose field the iterator stands on.
	const UStruct* GetStruct() const { return Struct; }

	bool operator==(const TFieldIterator& Other) const { return Struct == Other.Struct && Index == Other.Index; }

private:
	int32 NumFields() const
	{
		if constexpr (bIsProperty)
		{
			return Struct->GetOwnProperties().Num();
		}
		else
		{
			return Struct->GetChildren().Num();
		}
	}

	T* FieldAt(int32 FieldIndex) const
	{
		if constexpr (bIsProperty)
		{
			return CastField<T>(Struct->GetOwnProperties()[FieldIndex]);
		}
		else
		{
			UObject* Child = Struct->GetChildren()[FieldIndex];
			return Child->IsA(T::StaticClass()) ? static_cast<T*>(Child) : nullptr;
		}
	}

	void SkipToMatch()
	{
		Current = nullptr;
		while (Struct != nullptr)
		{
			for (; Index < NumFields(); ++Index)
			{
				Current = FieldAt(Index);
				if (Current != nullptr)
				{
					return;
				}
			}
			Struct = bIncludeSuper ? Struct->GetSuperStruct() : nullptr;
			Index = 0;
		}
	}

	const UStruct* Struct;
	bool bIncludeSuper;
	int32 Index = 0;
	T* Current = nullptr;
};

// for (FProperty* Property : TFieldRange<FProperty>(Struct))
template <typename T> class TFieldRange
{
public:
	explicit TFieldRange(const UStruct* InStruct,
		EFieldIteratorFlags::SuperClassFlags InSuperClassFlags = EFieldIteratorFlags::IncludeSuper)
		: Begin(InStruct, InSuperClassFlags)
	{
	}

	struct FIterator
	{
		TFieldIterator<T> It;
		T* operator*() const { return *It; }
		FIterator& operator++()
		{
			++It;
			return *this;
		}
		bool operator!=(const FIterator&) const { return static_cast<bool>(It); }
	};

	FIterator begin() const { return FIterator{Begin}; }
	FIterator end() const { return FIterator{Begin}; }

private:
	TFieldIterator<T> Begin;
};

// Reads and resizes the array an array property describes.
class FScriptArrayHelper
{
public:
	FScriptArrayHelper(const FArrayProperty* InProperty, const void* InArray)
		: Ops(InProperty->GetArrayOps()), ElementSize(InProperty->Inner->GetElementSize()),
		  Array(const_cast<void*>(InArray))
	{
	}

	int32 Num() const { return Ops.Num(Array); }
	bool IsValidIndex(int32 Index) const { return Index >= 0 && Index < Num(); }
	// The element's memory, or null outside the array.
	uint8* GetRawPtr(int32 Index = 0) const
	{
		return IsValidIndex(Index) ? Ops.GetData(Array) + Index * ElementSize : nullptr;
	}
	// New elements are default-constructed.
	void Resize(int32 NewNum) { Ops.SetNum(Array, NewNum < 0 ? 0 : NewNum); }
	// Appends one or Count default elements; returns the index of the first.
	int32 AddValue() { return AddValues(1); }
	int32 AddValues(int32 Count)
	{
		const int32 OldNum = Num();
		Resize(OldNum + Count);
		return OldNum;
	}
	void InsertValues(int32 Index, int32 Count = 1)
	{
		check(Index >= 0 && Index <= Num() && Count >= 0);
		Ops.InsertDefaulted(Array, Index, Count);
	}
	void RemoveValues(int32 Index, int32 Count = 1)
	{
		check(Index >= 0 && Count >= 0 && Index + Count <= Num());
		Ops.RemoveAt(Array, Index, Count);
	}
	void EmptyValues(int32 Slack = 0) { Ops.Empty(Array, Slack); }
	void EmptyAndAddValues(int32 Count)
	{
		EmptyValues(Count);
		AddValues(Count);
	}

private:
	const FScriptArrayOps& Ops;
	int32 ElementSize;
	void* Array;
};

class FScriptArrayHelper_InContainer : public FScriptArrayHelper
{
public:
	FScriptArrayHelper_InContainer(const FArrayProperty* InProperty, const void* InContainer, int32 ArrayIndex = 0)
		: FScriptArrayHelper(InProperty, InProperty->ContainerPtrToValuePtr(InContainer, ArrayIndex))
	{
	}
};
