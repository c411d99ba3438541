// The header tool's tokenizer: C++ tokens with their lines, string literals unescaped, the comments in front of each
// token, and preprocessor lines applied as the engine's header tool applies them (skipped blocks yield no tokens).
#pragma once

#include <cstdint>
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

struct FComment
{
	// As written; a // comment includes its line end.
	std::string Text;
	// A block comment, or a // comment after a blank line that follows another // comment: as in the engine, it
	// discards the comments gathered before it.
	bool bDiscardsEarlier = false;
};

struct FToken
{
	ETokenType Type = ETokenType::Symbol;
	std::string Text;
	int Line = 0;
	// The comments between the previous token and this one, in order, without those a directive discarded.
	std::vector<FComment> Comments;
	// The conditional blocks around the token (EConditionalBlock flags).
	uint32_t Blocks = 0;

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
	// The directives of the code that is read (not those of skipped blocks).
	std::vector<FDirective> Directives;
};

// Stops with FHeaderToolError on an unterminated comment, string or character literal, on a malformed or unmatched
// #if block, and on reflection markup inside a skipped block (except "#if 0" and WITH_EDITORONLY_DATA blocks).
FTokenizedHeader TokenizeHeader(const std::string& Source, const std::string& FileName);
