// The document builder behind FQVJsonDocument::Parse.
#include "JsonDocumentBuilder.h"

#include <algorithm>

namespace
{
// Objects with fewer keys than this look for a repeated key among their members; larger ones keep a hash set, so a
// key given twice is found in constant time however many members the object has.
constexpr std::size_t MaxKeysSearchedInPlace = 8;
} // namespace

FQVJsonDocumentBuilder::FQVJsonDocumentBuilder(int32 InMaxDepth) : MaxDepth(InMaxDepth) {}

bool FQVJsonDocumentBuilder::null()
{
	Place(FQVJson());
	return true;
}

bool FQVJsonDocumentBuilder::boolean(bool InValue)
{
	Place(FQVJson(InValue));
	return true;
}

bool FQVJsonDocumentBuilder::number_integer(FNumberInteger InValue)
{
	Place(FQVJson(InValue));
	return true;
}

bool FQVJsonDocumentBuilder::number_unsigned(FNumberUnsigned InValue)
{
	Place(FQVJson(InValue));
	return true;
}

bool FQVJsonDocumentBuilder::number_float(FNumberFloat InValue, const FJsonString& InText)
{
	Place(FQVJson(InValue));
	return true;
}

bool FQVJsonDocumentBuilder::string(FJsonString& InValue)
{
	// Checked once placed, so the path names the string's own place.
	const FQVJson* Placed = Place(FQVJson(MoveTemp(InValue)));
	CheckString(Placed->get_ref<const FJsonString&>(), false);
	return true;
}

bool FQVJsonDocumentBuilder::binary(FBinary& InValue)
{
	// JSON text has no binary values; the parser never reports one.
	Place(FQVJson::binary(InValue));
	return true;
}

bool FQVJsonDocumentBuilder::start_object(std::size_t InNumElements)
{
	return OpenContainer(FQVJson::object());
}

bool FQVJsonDocumentBuilder::key(FJsonString& InKey)
{
	FOpenContainer& Top = Open.back();
	Top.Key = InKey;
	CheckString(InKey, true);
	FQVJson::object_t& Object = Top.Value->get_ref<FQVJson::object_t&>();
	bool bRepeated = false;
	if (Top.Keys.empty() && Object.size() < MaxKeysSearchedInPlace)
	{
		bRepeated =
			std::any_of(Object.begin(), Object.end(), [&InKey](const auto& Member) { return Member.first == InKey; });
	}
	else
	{
		if (Top.Keys.empty())
		{
			for (const auto& Member : Object)
			{
				Top.Keys.insert(Member.first);
			}
		}
		bRepeated = !Top.Keys.insert(InKey).second;
	}
	if (bRepeated)
	{
		throw FQVJsonError(CurrentPath(static_cast<int32>(Open.size())),
			FString::Printf(TEXT("the key '%s' appears twice in one object"), InKey.c_str()));
	}
	// Appended without the map's own look-up, which searches every member: the check above has already been made.
	Object.emplace_back(MoveTemp(InKey), FQVJson());
	return true;
}

bool FQVJsonDocumentBuilder::end_object()
{
	Open.pop_back();
	return true;
}

bool FQVJsonDocumentBuilder::start_array(std::size_t InNumElements)
{
	return OpenContainer(FQVJson::array());
}

bool FQVJsonDocumentBuilder::end_array()
{
	Open.pop_back();
	return true;
}

bool FQVJsonDocumentBuilder::parse_error(
	std::size_t InPosition, const std::string& InLastToken, const nlohmann::detail::exception& InError)
{
	ErrorPosition = InPosition;
	ErrorText = InError.what();
	return false;
}

FQVJson* FQVJsonDocumentBuilder::Place(FQVJson&& InValue)
{
	if (Open.empty())
	{
		Document = MoveTemp(InValue);
		return &Document;
	}
	FOpenContainer& Top = Open.back();
	if (Top.Value->is_array())
	{
		FQVJson::array_t& Array = Top.Value->get_ref<FQVJson::array_t&>();
		Array.push_back(MoveTemp(InValue));
		++Top.Index;
		return &Array.back();
	}
	FQVJson& Member = Top.Value->get_ref<FQVJson::object_t&>().back().second;
	Member = MoveTemp(InValue);
	return &Member;
}

bool FQVJsonDocumentBuilder::OpenContainer(FQVJson&& InEmpty)
{
	if (static_cast<int32>(Open.size()) >= MaxDepth)
	{
		bTooDeep = true;
		return false;
	}
	// The new container lives in its parent, which gains no members while it is open, so the pointer stays valid.
	FQVJson* Slot = Place(MoveTemp(InEmpty));
	Open.emplace_back().Value = Slot;
	return true;
}

void FQVJsonDocumentBuilder::CheckString(const FJsonString& InValue, bool bInKey) const
{
	if (InValue.find('\0') == FJsonString::npos)
	{
		return;
	}
	// The engine's strings end at the first U+0000, so the rest would be lost without a word.
	const FString Shown(FQVJson(InValue).dump().c_str());
	// A key's own path would hold the character; name the object it is in.
	const int32 NumContainers = static_cast<int32>(Open.size());
	throw FQVJsonError(CurrentPath(bInKey ? NumContainers - 1 : NumContainers),
		FString::Printf(TEXT("the %s %s holds the character U+0000, which names and strings cannot contain"),
			bInKey ? TEXT("key") : TEXT("string"), *Shown));
}

FString FQVJsonDocumentBuilder::CurrentPath(int32 InNumContainers) const
{
	FString Path;
	for (int32 Index = 0; Index < InNumContainers; ++Index)
	{
		const FOpenContainer& Container = Open[Index];
		if (Container.Value->is_object())
		{
			const FString Key(int32(Container.Key.size()), Container.Key.data());
			Path += (Path.IsEmpty() ? FString() : FString(TEXT("."))) + Key;
		}
		else
		{
			Path += FString::Printf(TEXT("[%d]"), Container.Index);
		}
	}
	return Path;
}
