// Writing text back as C++ source: quoted literals with escapes, and tokens joined into C++ text.
#pragma once

#include "Tokenizer.h"

#include <string>
#include <vector>

// Value as a C++ literal between Quote characters, with newlines, tabs, carriage returns, backslashes and the quote
// character escaped.
std::string QuoteCppText(const std::string& Value, char Quote = '"');

// Tokens [Begin, End) back to C++ text: words apart, punctuation attached, a space after commas.
std::string JoinTokens(const std::vector<FToken>& Tokens, size_t Begin, size_t End);
