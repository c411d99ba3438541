// UEnum: enumerator names (full and short), values and per-enumerator metadata.
#include "UObject/Class.h"

#include "UObject/UECodeGen.h"

IMPLEMENT_INTRINSIC_CLASS(UEnum, COREUOBJECT_API, UField, COREUOBJECT_API, "/Script/CoreUObject", {})

namespace
{
// "E::A" gives "A"; a name without "::" is its own short name.
FString ShortName(const FString& FullName)
{
	const int32 Separator = FullName.Find(TEXT("::"), ESearchCase::CaseSensitive, ESearchDir::FromEnd);
	return Separator == INDEX_NONE ? FullName : FullName.RightChop(Separator + 2);
}
} // namespace

void UEnum::SetEnums(const TArray<TPair<FName, int64>>& InNames, ECppForm InCppForm, bool bAddMaxKeyIfMissing)
{
	Names = InNames;
	CppForm = InCppForm;
	if (!bAddMaxKeyIfMissing || (Names.Num() > 0 && ShortName(Names.Last().Key.ToString()).EndsWith(TEXT("_MAX"))))
	{
		return;
	}
	int64 MaxValue = -1;
	for (const TPair<FName, int64>& Name : Names)
	{
		MaxValue = FMath::Max(MaxValue, Name.Value);
	}
	// "E::E_MAX" for enum classes and namespaces, "E_MAX" for plain enums.
	const FString Prefix = CppType.IsEmpty() ? GetName() : CppType;
	const FString MaxName =
		CppForm == ECppForm::Regular ? Prefix + TEXT("_MAX") : Prefix + TEXT("::") + Prefix + TEXT("_MAX");
	Names.Add(TPair<FName, int64>(FName(*MaxName), MaxValue + 1));
}

int64 UEnum::GetMaxEnumValue() const
{
	int64 MaxValue = Names.Num() > 0 ? Names[0].Value : 0;
	for (const TPair<FName, int64>& Name : Names)
	{
		MaxValue = FMath::Max(MaxValue, Name.Value);
	}
	return MaxValue;
}

FName UEnum::GetNameByIndex(int32 Index) const
{
	return Names.IsValidIndex(Index) ? Names[Index].Key : FName(NAME_None);
}

FName UEnum::GetNameByValue(int64 InValue) const
{
	return GetNameByIndex(GetIndexByValue(InValue));
}

FString UEnum::GetNameStringByIndex(int32 Index) const
{
	return Names.IsValidIndex(Index) ? ShortName(Names[Index].Key.ToString()) : FString();
}

FString UEnum::GetNameStringByValue(int64 InValue) const
{
	return GetNameStringByIndex(GetIndexByValue(InValue));
}

int64 UEnum::GetValueByIndex(int32 Index) const
{
	return Names.IsValidIndex(Index) ? Names[Index].Value : int64(INDEX_NONE);
}

int32 UEnum::GetIndexByValue(int64 InValue) const
{
	return Names.IndexOfByPredicate([InValue](const TPair<FName, int64>& Name) { return Name.Value == InValue; });
}

int32 UEnum::GetIndexByName(const FName& InName) const
{
	return InName.IsNone() ? INDEX_NONE : GetIndexByNameString(InName.ToString());
}

int32 UEnum::GetIndexByNameString(const FString& InName) const
{
	if (InName.IsEmpty())
	{
		return INDEX_NONE;
	}
	const int32 Index = Names.IndexOfByPredicate([&InName](const TPair<FName, int64>& Name)
		{ return Name.Key.ToString().Equals(InName, ESearchCase::IgnoreCase); });
	if (Index != INDEX_NONE || CppForm == ECppForm::Regular)
	{
		return Index;
	}
	// A short name of an enum class or namespaced enum.
	return Names.IndexOfByPredicate([&InName](const TPair<FName, int64>& Name)
		{ return ShortName(Name.Key.ToString()).Equals(InName, ESearchCase::IgnoreCase); });
}

int64 UEnum::GetValueByName(const FName& InName) const
{
	return GetValueByIndex(GetIndexByName(InName));
}

int64 UEnum::GetValueByNameString(const FString& InName) const
{
	return GetValueByIndex(GetIndexByNameString(InName));
}

FName UEnum::MetaDataKey(const TCHAR* Key, int32 NameIndex) const
{
	if (NameIndex == INDEX_NONE)
	{
		return FName(Key);
	}
	return FName(*(GetNameStringByIndex(NameIndex) + TEXT(".") + Key));
}

FString UEnum::GetMetaData(const TCHAR* Key, int32 NameIndex) const
{
	return FMetaDataMap::GetMetaData(MetaDataKey(Key, NameIndex));
}

bool UEnum::HasMetaData(const TCHAR* Key, int32 NameIndex) const
{
	return FMetaDataMap::HasMetaData(MetaDataKey(Key, NameIndex));
}

void UEnum::SetMetaData(const TCHAR* Key, const TCHAR* InValue, int32 NameIndex)
{
	FMetaDataMap::SetMetaData(MetaDataKey(Key, NameIndex), FString(InValue));
}
