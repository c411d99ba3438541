// The reflected types: UField (metadata), UStruct (properties and super struct), UScriptStruct (a C++ struct and
// its operations), UClass (an object class, its default object and functions), UFunction and UEnum; and
// TBaseStructure for the engine structs that are reflected by hand.
#pragma once

#include "CoreMinimal.h"
#include "EulerTransform.h"
#include "UObject/Field.h"
#include "UObject/MetaDataMap.h"
#include "UObject/Object.h"
#include "UObject/ObjectMacros.h"
#include "UObject/ReflectedTypeAccessors.h"

#include <new>
#include <type_traits>

class FProperty;

class UField : public UObject, public FMetaDataMap
{
	DECLARE_CLASS_INTRINSIC(UField, UObject, CLASS_Abstract, TEXT("/Script/CoreUObject"))

	// The class or struct this field (a function) belongs to, if any.
	UStruct* GetOwnerStruct() const;
	UClass* GetOwnerClass() const;
};

namespace EIncludeSuperFlag
{
enum Type
{
	ExcludeSuper,
	IncludeSuper
};
} // namespace EIncludeSuperFlag

class UStruct : public UField
{
	DECLARE_CLASS_INTRINSIC(UStruct, UField, CLASS_None, TEXT("/Script/CoreUObject"))

	virtual ~UStruct() override;

	UStruct* GetSuperStruct() const { return SuperStruct; }
	void SetSuperStruct(UStruct* NewSuperStruct) { SuperStruct = NewSuperStruct; }
	// True for the struct itself and every struct derived from it.
	bool IsChildOf(const UStruct* SomeBase) const;
	template <typename T> bool IsChildOf() const { return IsChildOf(T::StaticClass()); }

	int32 GetStructureSize() const { return PropertiesSize; }
	int32 GetMinAlignment() const { return MinAlignment; }
	void SetStructureSize(int32 InSize, int32 InAlignment)
	{
		PropertiesSize = InSize;
		MinAlignment = InAlignment;
	}

	// Searches the struct's own properties, then its super struct's.
	FProperty* FindPropertyByName(const FName& InName) const;

	// Takes ownership of a property of this struct; properties are kept in the order they are added.
	void AddCppProperty(FProperty* Property);
	// Adds a child object (a class's function) to the struct's children.
	void AddChild(UField* Child) { Children.Add(Child); }

	// The struct's own properties and children, without the super struct's; TFieldIterator walks both.
	const TArray<FProperty*>& GetOwnProperties() const { return ChildProperties; }
	const TArray<UField*>& GetChildren() const { return Children; }

private:
	UStruct* SuperStruct = nullptr;
	int32 PropertiesSize = 0;
	int32 MinAlignment = 1;
	TArray<FProperty*> ChildProperties;
	TArray<UField*> Children;
};

class UScriptStruct : public UStruct
{
	DECLARE_CLASS_INTRINSIC(UScriptStruct, UStruct, CLASS_None, TEXT("/Script/CoreUObject"))

	// The C++ operations of the struct, which the reflected memory operations go through.
	struct ICppStructOps
	{
		ICppStructOps(int32 InSize, int32 InAlignment) : Size(InSize), Alignment(InAlignment) {}
		virtual ~ICppStructOps() = default;

		int32 GetSize() const { return Size; }
		int32 GetAlignment() const { return Alignment; }
		virtual void Construct(void* Dest) const = 0;
		virtual void Destruct(void* Dest) const = 0;
		virtual void Copy(void* Dest, const void* Src) const = 0;
		// False when the C++ type has no operator==; the struct's properties are compared instead.
		virtual bool HasIdentical() const = 0;
		virtual bool Identical(const void* A, const void* B) const = 0;

	private:
		int32 Size;
		int32 Alignment;
	};

	template <typename CPPSTRUCT> struct TCppStructOps final : ICppStructOps
	{
		TCppStructOps() : ICppStructOps(int32(sizeof(CPPSTRUCT)), int32(alignof(CPPSTRUCT))) {}
		virtual void Construct(void* Dest) const override { ::new (Dest) CPPSTRUCT(); }
		virtual void Destruct(void* Dest) const override { static_cast<CPPSTRUCT*>(Dest)->~CPPSTRUCT(); }
		virtual void Copy(void* Dest, const void* Src) const override
		{
			*static_cast<CPPSTRUCT*>(Dest) = *static_cast<const CPPSTRUCT*>(Src);
		}
		virtual bool HasIdentical() const override { return bHasEquality; }
		virtual bool Identical(const void* A, const void* B) const override
		{
			if constexpr (bHasEquality)
			{
				return *static_cast<const CPPSTRUCT*>(A) == *static_cast<const CPPSTRUCT*>(B);
			}
			return false;
		}

	private:
		static constexpr bool bHasEquality = requires(const CPPSTRUCT& Value)
		{
			{
				Value == Value
				} -> std::convertible_to<bool>;
		};
	};

	void SetCppStructOps(ICppStructOps* InOps);
	ICppStructOps* GetCppStructOps() const { return CppStructOps; }
	virtual ~UScriptStruct() override;

	// "F" and the registered name, e.g. "FVector".
	FString GetStructCPPName() const { return FString(TEXT("F")) + GetName(); }

	// Default-constructs, destroys or copies ArrayDim consecutive instances.
	void InitializeStruct(void* Dest, int32 ArrayDim = 1) const;
	void DestroyStruct(void* Dest, int32 ArrayDim = 1) const;
	void CopyScriptStruct(void* Dest, const void* Src, int32 ArrayDim = 1) const;
	// The C++ operator== when there is one, else every reflected property compared.
	bool CompareScriptStruct(const void* A, const void* B, uint32 PortFlags = 0) const;

private:
	ICppStructOps* CppStructOps = nullptr;
};

// The native entry of a reflected function: the object and the function's parameter block.
typedef void (*FNativeFuncPtr)(UObject* Context, void* Parms);

class UFunction : public UStruct
{
	DECLARE_CLASS_INTRINSIC(UFunction, UStruct, CLASS_None, TEXT("/Script/CoreUObject"))

	EFunctionFlags FunctionFlags = FUNC_None;

	bool HasAnyFunctionFlags(EFunctionFlags Flags) const { return (FunctionFlags & Flags) != FUNC_None; }
	bool HasAllFunctionFlags(EFunctionFlags Flags) const { return (FunctionFlags & Flags) == Flags; }
	EFunctionFlags GetFunctionFlags() const { return FunctionFlags; }

	// Parameters are the function's properties (flagged CPF_Parm), the return value last, named "ReturnValue".
	int32 NumParms() const { return GetOwnProperties().Num(); }
	int32 ParmsSize() const { return GetStructureSize(); }
	FProperty* GetReturnProperty() const;

	void SetNativeFunc(FNativeFuncPtr InFunc) { Func = InFunc; }
	FNativeFuncPtr GetNativeFunc() const { return Func; }
	// Runs the native entry on the object with a parameter block laid out by the parameter properties.
	void Invoke(UObject* Object, void* Parms) const;

private:
	FNativeFuncPtr Func = nullptr;
};

class UClass : public UStruct
{
	DECLARE_CLASS_INTRINSIC(UClass, UStruct, CLASS_None, TEXT("/Script/CoreUObject"))

	// Makes a new instance of the class's C++ type, for NewObject; null for an abstract C++ type.
	typedef UObject* (*FClassConstructor)();

	EClassFlags ClassFlags = CLASS_None;
	FClassConstructor ClassConstructor = nullptr;
	// The configuration section ("Game", "Engine", ...), or None.
	FName ClassConfigName;

	UClass* GetSuperClass() const { return static_cast<UClass*>(GetSuperStruct()); }
	bool HasAnyClassFlags(EClassFlags Flags) const { return (ClassFlags & Flags) != CLASS_None; }
	bool HasAllClassFlags(EClassFlags Flags) const { return (ClassFlags & Flags) == Flags; }
	// "A" for actors, else "U".
	const TCHAR* GetPrefixCPP() const { return PrefixCPP; }
	void SetPrefixCPP(const TCHAR* InPrefix) { PrefixCPP = InPrefix; }
	FName GetConfigName() const { return ClassConfigName; }

	// The class default object "Default__<Name>", made on first request; null for an abstract C++ type.
	UObject* GetDefaultObject(bool bCreateIfNeeded = true) const;
	template <typename T> T* GetDefaultObject() const { return static_cast<T*>(GetDefaultObject()); }

	void AddFunctionToFunctionMap(UFunction* Function, const FName& FuncName);
	UFunction* FindFunctionByName(
		const FName& InName, EIncludeSuperFlag::Type IncludeSuper = EIncludeSuperFlag::IncludeSuper) const;

private:
	const TCHAR* PrefixCPP = TEXT("U");
	TMap<FName, UFunction*> FuncMap;
	mutable UObject* ClassDefaultObject = nullptr;
};

class UEnum : public UField
{
	DECLARE_CLASS_INTRINSIC(UEnum, UField, CLASS_None, TEXT("/Script/CoreUObject"))

	// How the C++ enum is written: enumerators named "A", "E::A" (namespace) or "E::A" (enum class).
	enum class ECppForm : uint8
	{
		Regular,
		Namespaced,
		EnumClass
	};

	// Takes the full enumerator names and values; adds "<Prefix>_MAX" (the greatest value plus one) as the
	// engine does unless the list already ends with a MAX entry.
	void SetEnums(const TArray<TPair<FName, int64>>& InNames, ECppForm InCppForm, bool bAddMaxKeyIfMissing = true);
	ECppForm GetCppForm() const { return CppForm; }
	// The C++ type name, e.g. "EQVFaceSDKChannel".
	FString CppType;

	// Counts the MAX entry.
	int32 NumEnums() const { return Names.Num(); }
	int64 GetMaxEnumValue() const;

	// Full names ("E::A") for namespaced and enum-class enums.
	FName GetNameByIndex(int32 Index) const;
	FName GetNameByValue(int64 InValue) const;
	// Short names ("A").
	FString GetNameStringByIndex(int32 Index) const;
	FString GetNameStringByValue(int64 InValue) const;
	int64 GetValueByIndex(int32 Index) const;
	int32 GetIndexByValue(int64 InValue) const;
	// Accepts the full or the short name, without regard to case; INDEX_NONE when unknown.
	int32 GetIndexByName(const FName& InName) const;
	int32 GetIndexByNameString(const FString& InName) const;
	int64 GetValueByName(const FName& InName) const;
	int64 GetValueByNameString(const FString& InName) const;
	bool IsValidEnumValue(int64 InValue) const { return GetIndexByValue(InValue) != INDEX_NONE; }
	bool IsValidEnumName(const FName& InName) const { return GetIndexByName(InName) != INDEX_NONE; }

	// Metadata of the enum (NameIndex INDEX_NONE) or of one enumerator, stored as "<ShortName>.<Key>".
	FString GetMetaData(const TCHAR* Key, int32 NameIndex = INDEX_NONE) const;
	bool HasMetaData(const TCHAR* Key, int32 NameIndex = INDEX_NONE) const;
	void SetMetaData(const TCHAR* Key, const TCHAR* InValue, int32 NameIndex = INDEX_NONE);

private:
	FName MetaDataKey(const TCHAR* Key, int32 NameIndex) const;

	TArray<TPair<FName, int64>> Names;
	ECppForm CppForm = ECppForm::Regular;
};

// The reflected struct of T: T::StaticStruct() for reflected structs, the hand-registered one for engine structs.
template <typename T> struct TBaseStructure
{
	static UScriptStruct* Get() { return T::StaticStruct(); }
};

template <typename T> UScriptStruct* StaticStruct()
{
	return TBaseStructure<T>::Get();
}

// Engine structs reflected by hand in the host, under their names without the F ("Vector", "RigElementKey").
// Adding one is a line here and a registration in a .cpp (see HostStructRegistration.cpp).
#define DECLARE_BASE_STRUCTURE(Type)                                                                                   \
	template <> struct TBaseStructure<Type>                                                                            \
	{                                                                                                                  \
		static UScriptStruct* Get();                                                                                   \
	};

DECLARE_BASE_STRUCTURE(FVector)
DECLARE_BASE_STRUCTURE(FVector2D)
DECLARE_BASE_STRUCTURE(FVector4)
DECLARE_BASE_STRUCTURE(FQuat)
DECLARE_BASE_STRUCTURE(FRotator)
DECLARE_BASE_STRUCTURE(FTransform)
DECLARE_BASE_STRUCTURE(FLinearColor)
DECLARE_BASE_STRUCTURE(FEulerTransform)

// Control Rig's element key types; registered with the rig hierarchy in the ControlRig area.
struct FRigElementKey;
struct FCachedRigElement;
enum class ERigElementType : uint8;
DECLARE_BASE_STRUCTURE(FRigElementKey)
DECLARE_BASE_STRUCTURE(FCachedRigElement)
template <> UEnum* StaticEnum<ERigElementType>();
