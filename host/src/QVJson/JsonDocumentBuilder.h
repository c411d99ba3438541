// Builds a JSON document from the parser's events in one pass, refusing what rig and asset files must not hold: a
// key given twice in one object, nesting beyond a depth limit and strings with the character U+0000.
#pragma once

#include "CoreMinimal.h"
#include "QVJson/JsonValue.h"

#include <string>
#include <unordered_set>
#include <vector>

class FQVJsonDocumentBuilder
{
public:
	using FNumberInteger = FQVJson::number_integer_t;
	using FNumberUnsigned = FQVJson::number_unsigned_t;
	using FNumberFloat = FQVJson::number_float_t;
	using FJsonString = FQVJson::string_t;
	using FBinary = FQVJson::binary_t;

	explicit FQVJsonDocumentBuilder(int32 InMaxDepth);

	// Events of nlohmann's SAX interface. Problems with the content throw FQVJsonError naming the JSON path; a
	// parse error or too deep a nesting stops the parse (false) and is kept for the caller, who knows the text.
	bool null();
	bool boolean(bool InValue);
	bool number_integer(FNumberInteger InValue);
	bool number_unsigned(FNumberUnsigned InValue);
	bool number_float(FNumberFloat InValue, const FJsonString& InText);
	bool string(FJsonString& InValue);
	bool binary(FBinary& InValue);
	bool start_object(std::size_t InNumElements);
	bool key(FJsonString& InKey);
	bool end_object();
	bool start_array(std::size_t InNumElements);
	bool end_array();
	bool parse_error(
		std::size_t InPosition, const std::string& InLastToken, const nlohmann::detail::exception& InError);

	// The document, once the parse has succeeded.
	FQVJson TakeDocument() { return MoveTemp(Document); }

	// After a failed parse: true when it stopped because the nesting went deeper than the limit, and otherwise the
	// parser's byte position (from 1) and its explanation.
	bool IsTooDeep() const { return bTooDeep; }
	std::size_t GetErrorPosition() const { return ErrorPosition; }
	const std::string& GetErrorText() const { return ErrorText; }

private:
	// One array or object being filled.
	struct FOpenContainer
	{
		FQVJson* Value = nullptr;
		// The key the next member goes under, or the index of the last item placed in an array.
		std::string Key;
		int32 Index = -1;
		// Keys seen so far, once the object is too large to search its members for a repeated key.
		std::unordered_set<std::string> Keys;
	};

	// Places a value in the innermost open container (or as the document) and returns where it now lives.
	FQVJson* Place(FQVJson&& InValue);
	bool OpenContainer(FQVJson&& InEmpty);
	void CheckString(const FJsonString& InValue, bool bInKey) const;
	// The path of the place the innermost of the first InNumContainers open containers is filling.
	FString CurrentPath(int32 InNumContainers) const;

	FQVJson Document;
	std::vector<FOpenContainer> Open;
	int32 MaxDepth;
	bool bTooDeep = false;
	std::size_t ErrorPosition = 0;
	std::string ErrorText;
};
