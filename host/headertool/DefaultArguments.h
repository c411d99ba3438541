// The default values of function parameters as the engine's header tool records them ("CPP_Default_<Parameter>"
// metadata): it reads only the forms each type allows and rejects the rest, rather than evaluating C++.
#pragma once

#include "Tokenizer.h"

#include <optional>
#include <string>
#include <vector>

// The recorded default of a parameter of Type (without const and reference) written as Tokens [Begin, End), or
// nothing when the engine could not read it. Read forms: bool true/false; integers as [sign] literal (recorded in
// decimal); float and double as [sign] number (recorded with six decimals); FName NAME_None ("None"); FName and
// FString as "x", TEXT("x") or Type(TEXT("x")); enums as E::Value or Value ("Value"); object pointers as nullptr,
// NULL or 0 ("None").
std::optional<std::string> FormatDefaultArgument(
	const std::string& Type, const std::vector<FToken>& Tokens, size_t Begin, size_t End);
