// What generated reflection code (and the host's hand-written registrations) builds types with: properties made
// from their C++ member types, struct, class, function and enum construction, the start-up registration of a
// module's types in its script package, and IMPLEMENT_INTRINSIC_CLASS for classes written by hand.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Class.h"
#include "UObject/ObjectPtr.h"
#include "UObject/Package.h"
#include "UObject/UnrealType.h"

#include <initializer_list>
#include <type_traits>

namespace UECodeGen_Private
{
struct FMetaDataPairParam
{
	const TCHAR* NameUTF8;
	const TCHAR* ValueUTF8;
};
using FMetaDataList = std::initializer_list<FMetaDataPairParam>;

void ApplyMetaData(FMetaDataMap& Target, FMetaDataList MetaData);

template <typename T> struct TArrayElement
{
	static constexpr bool bIsArray = false;
};
template <typename E> struct TArrayElement<TArray<E>>
{
	static constexpr bool bIsArray = true;
	using Type = E;
};

// The object class a member refers to: TObjectPtr<U> or U* with U an object class.
template <typename T> struct TObjectReference
{
	static constexpr bool bIsReference = false;
};
template <typename U> struct TObjectReference<TObjectPtr<U>>
{
	static constexpr bool bIsReference = true;
	static constexpr bool bIsObjectPtr = true;
	using Type = U;
};
template <typename U>
requires std::is_base_of_v<UObject, U>
struct TObjectReference<U*>
{
	static constexpr bool bIsReference = true;
	static constexpr bool bIsObjectPtr = false;
	using Type = U;
};

template <typename T> inline constexpr bool TAlwaysFalse = false;

// The property for a member of C++ type T, owned by Owner.
template <typename T>
FProperty* CreateProperty(FFieldVariant Owner, const FName& Name, int32 Offset, EPropertyFlags Flags)
{
	const FPropertyValueOps& Ops = TPropertyValueOps<T>::Ops;
	if constexpr (std::is_same_v<T, bool>)
	{
		return new FBoolProperty(Owner, Name, Offset, Flags);
	}
	else if constexpr (std::is_same_v<T, int8>)
	{
		return new FInt8Property(Owner, Name, Offset, Flags);
	}
	else if constexpr (std::is_same_v<T, int16>)
	{
		return new FInt16Property(Owner, Name, Offset, Flags);
	}
	else if constexpr (std::is_same_v<T, int32>)
	{
		return new FIntProperty(Owner, Name, Offset, Flags);
	}
	else if constexpr (std::is_same_v<T, int64>)
	{
		return new FInt64Property(Owner, Name, Offset, Flags);
	}
	else if constexpr (std::is_same_v<T, uint8>)
	{
		return new FByteProperty(Owner, Name, Offset, Flags);
	}
	else if constexpr (std::is_same_v<T, uint16>)
	{
		return new FUInt16Property(Owner, Name, Offset, Flags);
	}
	else if constexpr (std::is_same_v<T, uint32>)
	{
		return new FUInt32Property(Owner, Name, Offset, Flags);
	}
	else if constexpr (std::is_same_v<T, uint64>)
	{
		return new FUInt64Property(Owner, Name, Offset, Flags);
	}
	else if constexpr (std::is_same_v<T, float>)
	{
		return new FFloatProperty(Owner, Name, Offset, Flags);
	}
	else if constexpr (std::is_same_v<T, double>)
	{
		return new FDoubleProperty(Owner, Name, Offset, Flags);
	}
	else if constexpr (std::is_enum_v<T>)
	{
		FEnumProperty* Property =
			new FEnumProperty(Owner, Name, Offset, Flags, StaticEnum<T>(), int32(sizeof(T)), int32(alignof(T)), Ops);
		Property->AddCppProperty(static_cast<FNumericProperty*>(
			CreateProperty<std::underlying_type_t<T>>(Property, FName(TEXT("UnderlyingType")), 0, CPF_None)));
		return Property;
	}
	else if constexpr (std::is_same_v<T, FName>)
	{
		return new FNameProperty(Owner, Name, Offset, Flags);
	}
	else if constexpr (std::is_same_v<T, FString>)
	{
		return new FStrProperty(Owner, Name, Offset, Flags);
	}
	else if constexpr (TArrayElement<T>::bIsArray)
	{
		using ElementType = typename TArrayElement<T>::Type;
		FArrayProperty* Property = new FArrayProperty(
			Owner, Name, Offset, Flags, int32(sizeof(T)), int32(alignof(T)), Ops, TScriptArrayOps<ElementType>::Ops);
		Property->AddCppProperty(CreateProperty<ElementType>(Property, Name, 0, CPF_None));
		return Property;
	}
	else if constexpr (TObjectReference<T>::bIsReference)
	{
		static_assert(sizeof(T) == sizeof(UObject*), "An object reference is one pointer.");
		const EPropertyFlags PointerFlags = TObjectReference<T>::bIsObjectPtr ? CPF_TObjectPtrWrapper : CPF_None;
		return new FObjectProperty(
			Owner, Name, Offset, Flags | PointerFlags, TObjectReference<T>::Type::StaticClass(), Ops);
	}
	else if constexpr (std::is_class_v<T>)
	{
		return new FStructProperty(Owner, Name, Offset, Flags, TBaseStructure<T>::Get(), Ops);
	}
	else
	{
		static_assert(TAlwaysFalse<T>, "This member type cannot be reflected.");
		return nullptr;
	}
}

// Adds the property for a member of type T (at Offset) to a struct, class or function.
template <typename T>
FProperty* AddProperty(
	UStruct* Owner, const TCHAR* Name, int32 Offset, EPropertyFlags Flags, FMetaDataList MetaData = {})
{
	FProperty* Property = CreateProperty<T>(Owner, FName(Name), Offset, Flags);
	ApplyMetaData(*Property, MetaData);
	Owner->AddCppProperty(Property);
	return Property;
}

// A struct in a script package; takes ownership of the operations.
UScriptStruct* ConstructScriptStruct(const TCHAR* PackageName, const TCHAR* Name, UScriptStruct* SuperStruct,
	UScriptStruct::ICppStructOps* CppStructOps, FMetaDataList MetaData = {});

template <typename T>
UScriptStruct* ConstructScriptStruct(
	const TCHAR* PackageName, const TCHAR* Name, UScriptStruct* SuperStruct, FMetaDataList MetaData = {})
{
	return ConstructScriptStruct(PackageName, Name, SuperStruct, new UScriptStruct::TCppStructOps<T>(), MetaData);
}

template <typename T> UObject* ConstructObjectOfClass()
{
	if constexpr (std::is_abstract_v<T>)
	{
		return nullptr;
	}
	else
	{
		return new T();
	}
}

struct FClassParams
{
	const TCHAR* PackageName;
	// With its prefix: "UQVFaceRigDataAsset", "AQVGameplayHUD".
	const TCHAR* CppName;
	UClass* SuperClass;
	EClassFlags ClassFlags;
	const TCHAR* ConfigName;
	int32 Size;
	int32 Alignment;
	UClass::FClassConstructor Constructor;
};

// A class in a script package. It inherits its super class's configuration section and merges the super's
// hidden and shown editor categories with its own, as the engine's header tool does.
UClass* ConstructClass(const FClassParams& Params, FMetaDataList MetaData = {});

template <typename T>
UClass* ConstructClass(const TCHAR* PackageName, const TCHAR* CppName, UClass* SuperClass, EClassFlags ClassFlags,
	const TCHAR* ConfigName, FMetaDataList MetaData = {})
{
	const FClassParams Params{PackageName, CppName, SuperClass, ClassFlags | CLASS_Native, ConfigName, int32(sizeof(T)),
		int32(alignof(T)), &ConstructObjectOfClass<T>};
	return ConstructClass(Params, MetaData);
}

template <typename TClass, typename TSuperClass>
UClass* ConstructIntrinsicClass(const TCHAR* CppName, void (*InitCode)(UClass*))
{
	UClass* SuperClass = std::is_same_v<TClass, TSuperClass> ? nullptr : TSuperClass::StaticClass();
	UClass* Class = ConstructClass<TClass>(
		TClass::StaticPackage(), CppName, SuperClass, TClass::StaticClassFlags | CLASS_Intrinsic, nullptr);
	InitCode(Class);
	return Class;
}

// A function of a class; its parameters are added as properties of the function afterwards.
UFunction* ConstructFunction(UClass* Outer, const TCHAR* Name, FNativeFuncPtr Func, EFunctionFlags FunctionFlags,
	int32 ParmsSize, int32 ParmsAlignment, FMetaDataList MetaData = {});

struct FEnumeratorParam
{
	const TCHAR* NameUTF8;
	int64 Value;
};

UEnum* ConstructEnum(const TCHAR* PackageName, const TCHAR* Name, UEnum::ECppForm CppForm,
	std::initializer_list<FEnumeratorParam> Enumerators, FMetaDataList MetaData = {});

struct FCompiledInType
{
	const TCHAR* Name;
	UObject* (*Register)();
};
} // namespace UECodeGen_Private

// A static object in each generated .gen.cpp: at start-up (module load) it records the module's types in their
// script package, to be made on their first request or when the package is listed or searched. Each type comes with
// the function that returns it (StaticStruct, StaticClass, StaticEnum); a request from another thread while the type
// is being made waits for that construction to end, so no request sees the type half built or missing.
struct FRegisterCompiledInInfo
{
	FRegisterCompiledInInfo(const TCHAR* PackageName, std::initializer_list<UECodeGen_Private::FCompiledInType> Types);
};

// Records a hand-written type in its script package at start-up, as generated code records its types, so that a
// request by name makes the type, or waits for the thread that is making it.
#define QV_RECORD_HAND_WRITTEN_TYPE(Type, PackageName, TypeName, Getter)                                               \
	static FRegisterCompiledInInfo Z_CompiledInDefer_##Type(                                                           \
		PackageName, {{TypeName, []() -> UObject* { return Getter; }}});

// Defines TClass::StaticClass() for a class declared with DECLARE_CLASS_INTRINSIC. The trailing code runs once on the
// new UClass, named Class, to set metadata or the configuration section.
#define IMPLEMENT_INTRINSIC_CLASS(TClass, TRequiredAPI, TSuperClass, TSuperRequiredAPI, TPackage, ...)                 \
	UClass* TClass::StaticClass()                                                                                      \
	{                                                                                                                  \
		static UClass* const Class = UECodeGen_Private::ConstructIntrinsicClass<TClass, TSuperClass>(                  \
			TEXT(#TClass), [](UClass* Class) { __VA_ARGS__; });                                                        \
		return Class;                                                                                                  \
	}                                                                                                                  \
	QV_RECORD_HAND_WRITTEN_TYPE(TClass, TClass::StaticPackage(), TEXT(#TClass) + 1, TClass::StaticClass())

// Hand-written registration of an engine struct the host provides: ... is code run once on the new struct, named
// Struct, usually REFLECT_STRUCT_MEMBER lines. SuperStruct is the parent's UScriptStruct or nullptr.
#define QV_STRUCT_REGISTRATION_BODY(Type, SuperStruct, TPackage, TName, ...)                                           \
	{                                                                                                                  \
		static UScriptStruct* const Registered = []                                                                    \
		{                                                                                                              \
			UScriptStruct* Struct =                                                                                    \
				UECodeGen_Private::ConstructScriptStruct<Type>(TEXT(TPackage), TEXT(TName), SuperStruct);              \
			__VA_ARGS__;                                                                                               \
			return Struct;                                                                                             \
		}();                                                                                                           \
		return Registered;                                                                                             \
	}

// For an engine struct without a StaticStruct member (declared with DECLARE_BASE_STRUCTURE in UObject/Class.h).
#define IMPLEMENT_BASE_STRUCTURE(Type, SuperStruct, TPackage, TName, ...)                                              \
	UScriptStruct* TBaseStructure<Type>::Get() QV_STRUCT_REGISTRATION_BODY(Type, SuperStruct, TPackage, TName,         \
		__VA_ARGS__) QV_RECORD_HAND_WRITTEN_TYPE(Type, TEXT(TPackage), TEXT(TName), TBaseStructure<Type>::Get())

// For an engine struct that declares static UScriptStruct* StaticStruct().
#define IMPLEMENT_STATIC_STRUCT(Type, SuperStruct, TPackage, TName, ...)                                               \
	UScriptStruct* Type::StaticStruct() QV_STRUCT_REGISTRATION_BODY(Type, SuperStruct, TPackage, TName, __VA_ARGS__)   \
		QV_RECORD_HAND_WRITTEN_TYPE(Type, TEXT(TPackage), TEXT(TName), Type::StaticStruct())

// One member, editable and visible to Blueprint as the engine's own structs' members are.
#define REFLECT_STRUCT_MEMBER(Type, Member, ...)                                                                       \
	UECodeGen_Private::AddProperty<decltype(Type::Member)>(                                                            \
		Struct, TEXT(#Member), STRUCT_OFFSET(Type, Member), CPF_Edit | CPF_BlueprintVisible, ##__VA_ARGS__)
