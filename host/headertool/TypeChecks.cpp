// Recognising types that cannot be reflected.
#include "TypeChecks.h"

#include <cctype>

namespace
{
bool IsObjectClassName(const FToken& Token)
{
	return Token.Type == ETokenType::Identifier && Token.Text.size() > 1 &&
		(Token.Text[0] == 'U' || Token.Text[0] == 'A') && std::isupper(static_cast<unsigned char>(Token.Text[1]));
}
} // namespace

std::string FindUnreflectableType(const std::vector<FToken>& Tokens, size_t Begin, size_t End)
{
	for (size_t Index = Begin; Index < End; ++Index)
	{
		const FToken& Token = Tokens[Index];
		if (Token.IsIdentifier("std") && Index + 1 < End && Tokens[Index + 1].IsSymbol("::"))
		{
			return "standard library types cannot be reflected; use TArray, TMap, TSet or FString";
		}
		if (Token.IsSymbol("*") && (Index == Begin || !IsObjectClassName(Tokens[Index - 1])))
		{
			return "raw pointers cannot be reflected except to objects; use TObjectPtr<UClass>, or hold the value";
		}
	}
	return std::string();
}
