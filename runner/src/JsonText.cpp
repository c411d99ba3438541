// JSON string literals through the JSON library, which escapes what JSON requires.
#include "QVRig/JsonText.h"

#include "QVJson/JsonValue.h"

std::string QVJsonQuote(const FString& InText)
{
	return FQVJson(std::string(*InText, static_cast<size_t>(InText.Len())))
		.dump(-1, ' ', false, FQVJson::error_handler_t::replace);
}
