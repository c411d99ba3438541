// Element look-up by written names.
#include "QVRig/ElementNames.h"

#include "QVJson/JsonShapes.h"

namespace
{
const ERigElementType FileElementTypes[] = {ERigElementType::Bone, ERigElementType::Null, ERigElementType::Control};
} // namespace

FString FQVElementNames::Describe(const FRigElementKey& InKey)
{
	return FString::Printf(TEXT("%s '%s'"), *FQVJsonShapes::ElementTypeWord(InKey.Type), *InKey.Name.ToString());
}

TArray<FRigElementKey> FQVElementNames::FindByName(const URigHierarchy& InHierarchy, const FName& InName)
{
	TArray<FRigElementKey> Found;
	for (const ERigElementType Type : FileElementTypes)
	{
		const FRigElementKey Key(InName, Type);
		if (InHierarchy.Contains(Key))
		{
			// The hierarchy's spelling, which may differ in case from the one asked for.
			Found.Add(InHierarchy.GetKey(InHierarchy.GetIndex(Key)));
		}
	}
	return Found;
}

bool FQVElementNames::Resolve(
	const URigHierarchy& InHierarchy, const FString& InText, FRigElementKey& OutKey, FString& OutError)
{
	FString TypeWord;
	FString Name;
	if (InText.Split(TEXT(":"), &TypeWord, &Name) && FQVJsonShapes::ParseElementType(TypeWord) != ERigElementType::None)
	{
		const FRigElementKey Key(FName(Name), FQVJsonShapes::ParseElementType(TypeWord));
		if (Name.IsEmpty() || !InHierarchy.Contains(Key))
		{
			OutError = FString::Printf(TEXT("there is no %s"), *Describe(Key));
			return false;
		}
		OutKey = InHierarchy.GetKey(InHierarchy.GetIndex(Key));
		return true;
	}

	const TArray<FRigElementKey> Found =
		InText.IsEmpty() ? TArray<FRigElementKey>() : FindByName(InHierarchy, FName(InText));
	if (Found.Num() == 1)
	{
		OutKey = Found[0];
		return true;
	}
	if (Found.IsEmpty())
	{
		OutError = FString::Printf(TEXT("there is no bone, null or control named '%s'"), *InText);
	}
	else
	{
		OutError = FString::Printf(TEXT("the name '%s' is ambiguous: it names %s"), *InText,
			*FString::JoinBy(Found, TEXT(" and "), [](const FRigElementKey& Key) { return Describe(Key); }));
	}
	return false;
}

bool FQVElementNames::ResolveList(const URigHierarchy& InHierarchy, TConstArrayView<FString> InTexts,
	TArray<FRigElementKey>& OutKeys, FString& OutError)
{
	if (InTexts.IsEmpty())
	{
		OutKeys = InHierarchy.GetAllKeys(false,
			static_cast<ERigElementType>(
				static_cast<uint8>(ERigElementType::Bone) | static_cast<uint8>(ERigElementType::Null)));
		return true;
	}
	for (const FString& Text : InTexts)
	{
		FRigElementKey Key;
		if (!Resolve(InHierarchy, Text, Key, OutError))
		{
			return false;
		}
		OutKeys.Add(Key);
	}
	return true;
}
