// Writing text back as C++ source: quoted literals with escapes.
#pragma once

#include <string>

// Value as a C++ literal between Quote characters, with newlines, tabs, carriage returns, backslashes and the quote
// character escaped.
std::string QuoteCppText(const std::string& Value, char Quote = '"');
