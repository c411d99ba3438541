// The header tool's tokenizer: C++ tokens with their lines, string literals unescaped, comments dropped except for
// the doc comment (/** ... */) that immediately precedes a token, and preprocessor lines set aside.
#pragma once

#include <string>
#include <vector>

enum class ETokenType
{
	Identifier,
	Number,
	// Text is the unescaped value, without quotes.
	String,
	Char,
	// One punctuation character, or "::".
	Symbol,
};

struct FToken
{
	ETokenType Type = ETokenType::Symbol;
	std::string Text;
	int Line = 0;
	// The /** ... */ comment right before the token (only white space between), as written; empty when none.
	std::string DocComment;

	bool Is(ETokenType InType, const char* InText) const { return Type == InType && Text == InText; }
	bool IsSymbol(const char* InText) const { return Is(ETokenType::Symbol, InText); }
	bool IsIdentifier(const char* InText) const { return Is(ETokenType::Identifier, InText); }
};

struct FDirective
{
	int Line = 0;
	// The whole directive, continuation lines joined, e.g. "#include \"X.generated.h\"".
	std::string Text;
};

struct FTokenizedHeader
{
	std::vector<FToken> Tokens;
	std::vector<FDirective> Directives;
};

// Stops with FHeaderToolError on an unterminated comment, string or character literal.
FTokenizedHeader TokenizeHeader(const std::string& Source, const std::string& FileName);
