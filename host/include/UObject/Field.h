// FField: a property's base, with its field class (for CastField), name, owner and metadata.
#pragma once

#include "CoreMinimal.h"
#include "UObject/MetaDataMap.h"

class FField;
class UClass;
class UObject;
class UStruct;

// The class of a field, as UClass is the class of an object: a name and a super class.
class FFieldClass
{
public:
	FFieldClass(const TCHAR* InName, const FFieldClass* InSuperClass) : Name(InName), SuperClass(InSuperClass) {}
	FFieldClass(const FFieldClass&) = delete;
	FFieldClass& operator=(const FFieldClass&) = delete;

	FName GetFName() const { return Name; }
	FString GetName() const { return Name.ToString(); }
	const FFieldClass* GetSuperClass() const { return SuperClass; }
	bool IsChildOf(const FFieldClass* InClass) const;

private:
	FName Name;
	const FFieldClass* SuperClass;
};

// A field's owner: an object (a struct, class or function) or another field (an array's inner property).
class FFieldVariant
{
public:
	FFieldVariant() = default;
	FFieldVariant(UObject* InObject) : Object(InObject) {}
	FFieldVariant(FField* InField) : Field(InField) {}

	bool IsValid() const { return Object != nullptr || Field != nullptr; }
	bool IsUObject() const { return Object != nullptr; }
	UObject* ToUObject() const { return Object; }
	FField* ToField() const { return Field; }

private:
	UObject* Object = nullptr;
	FField* Field = nullptr;
};

// Declares a field class's StaticClass, GetClass and Super; IMPLEMENT_FIELD defines StaticClass in a .cpp.
#define DECLARE_FIELD(TClass, TSuperClass)                                                                             \
public:                                                                                                                \
	typedef TSuperClass Super;                                                                                         \
	static const FFieldClass* StaticClass();                                                                           \
	virtual const FFieldClass* GetClass() const override                                                               \
	{                                                                                                                  \
		return StaticClass();                                                                                          \
	}

#define IMPLEMENT_FIELD(TClass)                                                                                        \
	const FFieldClass* TClass::StaticClass()                                                                           \
	{                                                                                                                  \
		static const FFieldClass Class(TEXT(#TClass) + 1, TClass::Super::StaticClass());                               \
		return &Class;                                                                                                 \
	}

class FField : public FMetaDataMap
{
public:
	static const FFieldClass* StaticClass();
	virtual const FFieldClass* GetClass() const { return StaticClass(); }

	FField(FFieldVariant InOwner, const FName& InName) : Owner(InOwner), NamePrivate(InName) {}
	virtual ~FField() = default;
	FField(const FField&) = delete;
	FField& operator=(const FField&) = delete;

	FName GetFName() const { return NamePrivate; }
	FString GetName() const { return NamePrivate.ToString(); }

	FFieldVariant GetOwnerVariant() const { return Owner; }
	// The object the field belongs to, through any owning fields.
	UObject* GetOwnerUObject() const;
	// The struct, class or function the field belongs to.
	UStruct* GetOwnerStruct() const;
	UClass* GetOwnerClass() const;

	bool IsA(const FFieldClass* FieldClass) const { return GetClass()->IsChildOf(FieldClass); }
	template <typename T> bool IsA() const { return IsA(T::StaticClass()); }

private:
	FFieldVariant Owner;
	FName NamePrivate;
};

// Null when the field is null or not of field class T.
template <typename T> T* CastField(FField* Src)
{
	return Src != nullptr && Src->IsA<T>() ? static_cast<T*>(Src) : nullptr;
}

template <typename T> const T* CastField(const FField* Src)
{
	return Src != nullptr && Src->IsA<T>() ? static_cast<const T*>(Src) : nullptr;
}

// Stops the program when the field is null or not of field class T.
template <typename T> T* CastFieldChecked(FField* Src)
{
	T* Result = CastField<T>(Src);
	checkf(Result != nullptr, TEXT("CastFieldChecked: '%s' is not a '%s'"),
		Src != nullptr ? *Src->GetName() : TEXT("null"), *T::StaticClass()->GetName());
	return Result;
}

template <typename T> const T* CastFieldChecked(const FField* Src)
{
	return CastFieldChecked<T>(const_cast<FField*>(Src));
}
