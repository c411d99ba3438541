// Writing text back as C++ source: literals and token sequences.
#include "CppText.h"

std::string QuoteCppText(const std::string& Value, char Quote)
{
	std::string Result(1, Quote);
	for (const char C : Value)
	{
		switch (C)
		{
			case '\n':
				Result += "\\n";
				break;
			case '\t':
				Result += "\\t";
				break;
			case '\r':
				Result += "\\r";
				break;
			case '\\':
				Result += "\\\\";
				break;
			default:
				if (C == Quote)
				{
					Result += '\\';
				}
				Result += C;
		}
	}
	return Result + Quote;
}

namespace
{
bool IsWordToken(const FToken& Token)
{
	return Token.Type == ETokenType::Identifier || Token.Type == ETokenType::Number;
}
} // namespace

std::string JoinTokens(const std::vector<FToken>& Tokens, size_t Begin, size_t End)
{
	std::string Result;
	for (size_t Index = Begin; Index < End; ++Index)
	{
		const FToken& Token = Tokens[Index];
		if (Index > Begin && IsWordToken(Token) && IsWordToken(Tokens[Index - 1]))
		{
			Result += ' ';
		}
		if (Token.Type == ETokenType::String)
		{
			Result += QuoteCppText(Token.Text, '"');
		}
		else if (Token.Type == ETokenType::Char)
		{
			Result += QuoteCppText(Token.Text, '\'');
		}
		else
		{
			Result += Token.Text;
		}
		if (Token.IsSymbol(","))
		{
			Result += ' ';
		}
	}
	return Result;
}
