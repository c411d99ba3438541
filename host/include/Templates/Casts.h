// Cast and CastChecked between reflected object classes, checked against the object's UClass.
//
// Constrained to UObject sources so they live beside the rig element casts of Rigs/RigHierarchyElements.h.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Class.h"
#include "UObject/Object.h"
#include "UObject/ObjectPtr.h"

#include <concepts>

// Null when the object is null or not of class To (or a subclass).
template <typename To, typename From>
requires std::derived_from<From, UObject> To* Cast(From* Src)
{
	return Src != nullptr && Src->IsA(To::StaticClass()) ? static_cast<To*>(static_cast<UObject*>(Src)) : nullptr;
}

template <typename To, typename From>
requires std::derived_from<From, UObject>
const To* Cast(const From* Src)
{
	return Cast<To>(const_cast<From*>(Src));
}

template <typename To, typename From>
requires std::derived_from<From, UObject> To* Cast(const TObjectPtr<From>& Src)
{
	return Cast<To>(Src.Get());
}

// Null when the object is null or its class is not exactly To.
template <typename To, typename From>
requires std::derived_from<From, UObject> To* ExactCast(From* Src)
{
	return Src != nullptr && Src->GetClass() == To::StaticClass() ? static_cast<To*>(static_cast<UObject*>(Src))
																  : nullptr;
}

enum class ECastCheckedType : uint8
{
	NullAllowed,
	NullChecked,
};

// Stops the program when the object is not of class To; a null object passes only with NullAllowed.
template <typename To, typename From>
requires std::derived_from<From, UObject> To* CastChecked(
	From* Src, ECastCheckedType CheckType = ECastCheckedType::NullChecked)
{
	if (Src == nullptr)
	{
		checkf(CheckType == ECastCheckedType::NullAllowed, TEXT("CastChecked: the object is null"));
		return nullptr;
	}
	To* Result = Cast<To>(Src);
	checkf(
		Result != nullptr, TEXT("CastChecked: '%s' is not a '%s'"), *Src->GetPathName(), *To::StaticClass()->GetName());
	return Result;
}

template <typename To, typename From>
requires std::derived_from<From, UObject> To* CastChecked(
	const TObjectPtr<From>& Src, ECastCheckedType CheckType = ECastCheckedType::NullChecked)
{
	return CastChecked<To>(Src.Get(), CheckType);
}
