// Shape checks of JSON values, with messages that name the path, the expectation and what was found.
#include "QVJson/JsonValue.h"

#include <cmath>
#include <limits>

namespace
{
FString ToFString(const std::string& InText)
{
	return FString(static_cast<int32>(InText.size()), InText.data());
}

FString ChildPath(const FString& InPath, const TCHAR* InKey)
{
	return InPath.IsEmpty() ? FString(InKey) : InPath + TEXT(".") + InKey;
}

// Long strings are cut so one message stays on one readable line.
FString Abbreviate(const std::string& InText)
{
	constexpr size_t MaxLength = 40;
	return InText.size() <= MaxLength ? ToFString(InText) : ToFString(InText.substr(0, MaxLength)) + TEXT("...");
}
} // namespace

FString QVJoinChoices(TConstArrayView<FString> InChoices, const TCHAR* InLastSeparator)
{
	FString Result;
	for (int32 Index = 0; Index < InChoices.Num(); ++Index)
	{
		if (Index > 0)
		{
			Result += Index + 1 == InChoices.Num() ? InLastSeparator : TEXT(", ");
		}
		Result += TEXT("'") + InChoices[Index] + TEXT("'");
	}
	return Result;
}

FQVJsonValue::FQVJsonValue(const FQVJson& InJson, FString InPath) : Json(&InJson), Path(MoveTemp(InPath)) {}

void FQVJsonValue::ExpectObject(std::initializer_list<const TCHAR*> InAllowedKeys) const
{
	ExpectAnyObject();
	for (auto It = Json->begin(); It != Json->end(); ++It)
	{
		bool bKnown = false;
		for (const TCHAR* Allowed : InAllowedKeys)
		{
			bKnown = bKnown || It.key() == Allowed;
		}
		if (!bKnown)
		{
			TArray<FString> Allowed;
			for (const TCHAR* Key : InAllowedKeys)
			{
				Allowed.Add(Key);
			}
			throw FQVJsonError(ChildPath(Path, It.key().c_str()),
				FString::Printf(TEXT("unknown key '%s' (expected %s)"), It.key().c_str(), *QVJoinChoices(Allowed)));
		}
	}
}

void FQVJsonValue::ExpectAnyObject() const
{
	if (!Json->is_object())
	{
		FailExpected(TEXT("an object"));
	}
}

TOptional<FQVJsonValue> FQVJsonValue::Find(const TCHAR* InKey) const
{
	ExpectAnyObject();
	const auto It = Json->find(InKey);
	if (It == Json->end())
	{
		return TOptional<FQVJsonValue>();
	}
	return FQVJsonValue(*It, ChildPath(Path, InKey));
}

FQVJsonValue FQVJsonValue::Get(const TCHAR* InKey) const
{
	TOptional<FQVJsonValue> Member = Find(InKey);
	if (!Member.IsSet())
	{
		Fail(FString::Printf(TEXT("missing required key '%s'"), InKey));
	}
	return Member.GetValue();
}

TArray<TPair<FString, FQVJsonValue>> FQVJsonValue::GetMembers() const
{
	ExpectAnyObject();
	TArray<TPair<FString, FQVJsonValue>> Members;
	for (auto It = Json->begin(); It != Json->end(); ++It)
	{
		Members.Emplace(ToFString(It.key()), FQVJsonValue(It.value(), ChildPath(Path, It.key().c_str())));
	}
	return Members;
}

TArray<TPair<FString, FQVJsonValue>> FQVJsonValue::GetNameKeyedMembers() const
{
	TArray<TPair<FString, FQVJsonValue>> Members = GetMembers();
	// The first spelling of each name, by the name it resolves to.
	TMap<FName, int32> FirstByName;
	FirstByName.Reserve(Members.Num());
	for (int32 Index = 0; Index < Members.Num(); ++Index)
	{
		const FName Name(Members[Index].Key);
		if (const int32* First = FirstByName.Find(Name))
		{
			Members[Index].Value.Fail(FString::Printf(TEXT("the key '%s' names the same as the key '%s' before it "
														   "(these names compare without regard to case)"),
				*Members[Index].Key, *Members[*First].Key));
		}
		FirstByName.Add(Name, Index);
	}
	return Members;
}

int32 FQVJsonValue::ExpectArray(const TCHAR* InExpected, int32 InMinNum, int32 InMaxNum) const
{
	const int32 Count = Json->is_array() ? static_cast<int32>(Json->size()) : -1;
	if (Count < InMinNum || (InMaxNum >= 0 && Count > InMaxNum))
	{
		FailExpected(InExpected);
	}
	return Count;
}

int32 FQVJsonValue::Num() const
{
	return Json->is_array() || Json->is_object() ? static_cast<int32>(Json->size()) : 0;
}

FQVJsonValue FQVJsonValue::At(int32 InIndex) const
{
	check(Json->is_array() && InIndex >= 0 && InIndex < Num());
	return FQVJsonValue((*Json)[static_cast<size_t>(InIndex)], FString::Printf(TEXT("%s[%d]"), *Path, InIndex));
}

double FQVJsonValue::AsNumber() const
{
	if (!Json->is_number() || !std::isfinite(Json->get<double>()))
	{
		FailExpected(TEXT("a number"));
	}
	return Json->get<double>();
}

float FQVJsonValue::AsFloat() const
{
	const double Value = AsNumber();
	if (Value > std::numeric_limits<float>::max() || Value < std::numeric_limits<float>::lowest())
	{
		FailExpected(TEXT("a number within the range of a float"));
	}
	return static_cast<float>(Value);
}

int32 FQVJsonValue::AsInt32() const
{
	// Non-negative whole numbers parse as unsigned, negative ones as signed.
	if (Json->is_number_unsigned() && Json->get<uint64>() <= uint64(std::numeric_limits<int32>::max()))
	{
		return static_cast<int32>(Json->get<uint64>());
	}
	if (Json->is_number_integer() && !Json->is_number_unsigned() &&
		Json->get<int64>() >= std::numeric_limits<int32>::min() &&
		Json->get<int64>() <= std::numeric_limits<int32>::max())
	{
		return static_cast<int32>(Json->get<int64>());
	}
	FailExpected(TEXT("a whole number"));
}

bool FQVJsonValue::AsBool() const
{
	if (!Json->is_boolean())
	{
		FailExpected(TEXT("true or false"));
	}
	return Json->get<bool>();
}

FString FQVJsonValue::AsString() const
{
	if (!Json->is_string())
	{
		FailExpected(TEXT("a string"));
	}
	return ToFString(Json->get_ref<const std::string&>());
}

FName FQVJsonValue::AsName() const
{
	// The engine reads "None" as the empty name, so an element or asset given it could never be found again.
	const FName Name = Json->is_string() ? FName(AsString()) : FName();
	if (Name.IsNone())
	{
		FailExpected(TEXT("a name (a non-empty string other than None, which is the engine's empty name)"));
	}
	return Name;
}

int32 FQVJsonValue::AsChoice(TConstArrayView<FString> InChoices) const
{
	if (Json->is_string())
	{
		const FString Text = AsString();
		for (int32 Index = 0; Index < InChoices.Num(); ++Index)
		{
			if (Text.Equals(InChoices[Index], ESearchCase::IgnoreCase))
			{
				return Index;
			}
		}
	}
	FailExpected(QVJoinChoices(InChoices));
}

void FQVJsonValue::Fail(const FString& InMessage) const
{
	throw FQVJsonError(Path, InMessage);
}

void FQVJsonValue::FailExpected(const FString& InExpected) const
{
	Fail(FString::Printf(TEXT("expected %s, found %s"), *InExpected, *Describe()));
}

FString FQVJsonValue::Describe() const
{
	switch (Json->type())
	{
		case FQVJson::value_t::null:
			return TEXT("null");
		case FQVJson::value_t::boolean:
			return Json->get<bool>() ? TEXT("true") : TEXT("false");
		case FQVJson::value_t::string:
			return TEXT("the string \"") + Abbreviate(Json->get_ref<const std::string&>()) + TEXT("\"");
		case FQVJson::value_t::number_integer:
		case FQVJson::value_t::number_unsigned:
		case FQVJson::value_t::number_float:
			return TEXT("the number ") + Abbreviate(Json->dump());
		case FQVJson::value_t::object:
			return Json->empty() ? FString(TEXT("an empty object")) : FString(TEXT("an object"));
		case FQVJson::value_t::array:
			return Json->empty() ? FString(TEXT("an empty array"))
								 : FString::Printf(TEXT("an array of %d item%s"), static_cast<int32>(Json->size()),
									   Json->size() == 1 ? TEXT("") : TEXT("s"));
		default:
			return TEXT("an unreadable value");
	}
}
