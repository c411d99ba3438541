// Tokenizing C++ headers for the header tool.
#include "Tokenizer.h"

#include "HeaderToolError.h"

#include <cctype>
#include <cstring>

namespace
{
class FTokenizer
{
public:
	FTokenizer(const std::string& InSource, const std::string& InFileName) : Source(InSource), FileName(InFileName) {}

	FTokenizedHeader Run()
	{
		bool bLineStart = true;
		while (Pos < Source.size())
		{
			const char C = Source[Pos];
			if (C == '\n')
			{
				++Line;
				++Pos;
				bLineStart = true;
				continue;
			}
			if (std::isspace(static_cast<unsigned char>(C)))
			{
				++Pos;
				continue;
			}
			if (C == '#' && bLineStart)
			{
				ReadDirective();
				continue;
			}
			bLineStart = false;
			if (C == '/' && Peek(1) == '/')
			{
				SkipLineComment();
			}
			else if (C == '/' && Peek(1) == '*')
			{
				ReadBlockComment();
			}
			else if (C == '"')
			{
				ReadString();
			}
			else if (C == '\'')
			{
				ReadChar();
			}
			else if (std::isdigit(static_cast<unsigned char>(C)) ||
				(C == '.' && std::isdigit(static_cast<unsigned char>(Peek(1)))))
			{
				ReadNumber();
			}
			else if (std::isalpha(static_cast<unsigned char>(C)) || C == '_')
			{
				ReadIdentifier();
			}
			else if (C == ':' && Peek(1) == ':')
			{
				Add(ETokenType::Symbol, "::", Line);
				Pos += 2;
			}
			else
			{
				Add(ETokenType::Symbol, std::string(1, C), Line);
				++Pos;
			}
		}
		return MoveResult();
	}

private:
	char Peek(size_t Offset) const { return Pos + Offset < Source.size() ? Source[Pos + Offset] : '\0'; }

	FTokenizedHeader MoveResult() { return std::move(Result); }

	void Add(ETokenType Type, std::string Text, int TokenLine)
	{
		FToken Token;
		Token.Type = Type;
		Token.Text = std::move(Text);
		Token.Line = TokenLine;
		Token.DocComment = std::move(PendingDoc);
		PendingDoc.clear();
		Result.Tokens.push_back(std::move(Token));
	}

	void ReadDirective()
	{
		FDirective Directive;
		Directive.Line = Line;
		while (Pos < Source.size() && Source[Pos] != '\n')
		{
			if (Source[Pos] == '\\' && Peek(1) == '\n')
			{
				Pos += 2;
				++Line;
				continue;
			}
			Directive.Text += Source[Pos++];
		}
		while (!Directive.Text.empty() && std::isspace(static_cast<unsigned char>(Directive.Text.back())))
		{
			Directive.Text.pop_back();
		}
		Result.Directives.push_back(std::move(Directive));
		PendingDoc.clear();
	}

	void SkipLineComment()
	{
		while (Pos < Source.size() && Source[Pos] != '\n')
		{
			++Pos;
		}
		PendingDoc.clear();
	}

	void ReadBlockComment()
	{
		const int StartLine = Line;
		const size_t Start = Pos;
		Pos += 2;
		while (Pos < Source.size() && !(Source[Pos] == '*' && Peek(1) == '/'))
		{
			Line += Source[Pos] == '\n' ? 1 : 0;
			++Pos;
		}
		if (Pos >= Source.size())
		{
			throw FHeaderToolError(FileName, StartLine, "unterminated comment");
		}
		Pos += 2;
		const std::string Comment = Source.substr(Start, Pos - Start);
		const bool bDoc = Comment.size() > 4 && Comment.compare(0, 3, "/**") == 0 && Comment != "/**/";
		PendingDoc = bDoc ? Comment : std::string();
	}

	// Reads one escape sequence after the backslash at Pos and appends its value.
	void ReadEscape(std::string& Out, int StartLine, const char* What)
	{
		++Pos;
		if (Pos >= Source.size() || Source[Pos] == '\n')
		{
			throw FHeaderToolError(FileName, StartLine, std::string("unterminated ") + What);
		}
		const char E = Source[Pos++];
		switch (E)
		{
			case 'n':
				Out += '\n';
				break;
			case 't':
				Out += '\t';
				break;
			case 'r':
				Out += '\r';
				break;
			case 'a':
				Out += '\a';
				break;
			case 'b':
				Out += '\b';
				break;
			case 'f':
				Out += '\f';
				break;
			case 'v':
				Out += '\v';
				break;
			case 'x':
			{
				unsigned Value = 0;
				while (std::isxdigit(static_cast<unsigned char>(Peek(0))))
				{
					const char H = Source[Pos++];
					Value = Value * 16 +
						unsigned(std::isdigit(static_cast<unsigned char>(H)) ? H - '0' : (std::tolower(H) - 'a' + 10));
				}
				Out += char(Value);
				break;
			}
			default:
				if (E >= '0' && E <= '7')
				{
					unsigned Value = unsigned(E - '0');
					for (int Digit = 0; Digit < 2 && Peek(0) >= '0' && Peek(0) <= '7'; ++Digit)
					{
						Value = Value * 8 + unsigned(Source[Pos++] - '0');
					}
					Out += char(Value);
				}
				else
				{
					// \" \' \\ \? and anything else stand for themselves.
					Out += E;
				}
		}
	}

	void ReadString()
	{
		const int StartLine = Line;
		++Pos;
		std::string Value;
		for (;;)
		{
			if (Pos >= Source.size() || Source[Pos] == '\n')
			{
				throw FHeaderToolError(FileName, StartLine, "unterminated string literal");
			}
			const char C = Source[Pos];
			if (C == '"')
			{
				++Pos;
				break;
			}
			if (C == '\\')
			{
				ReadEscape(Value, StartLine, "string literal");
				continue;
			}
			Value += C;
			++Pos;
		}
		Add(ETokenType::String, std::move(Value), StartLine);
	}

	void ReadChar()
	{
		const int StartLine = Line;
		++Pos;
		std::string Value;
		for (;;)
		{
			if (Pos >= Source.size() || Source[Pos] == '\n')
			{
				throw FHeaderToolError(FileName, StartLine, "unterminated character literal");
			}
			if (Source[Pos] == '\'')
			{
				++Pos;
				break;
			}
			if (Source[Pos] == '\\')
			{
				ReadEscape(Value, StartLine, "character literal");
				continue;
			}
			Value += Source[Pos++];
		}
		Add(ETokenType::Char, std::move(Value), StartLine);
	}

	void ReadNumber()
	{
		const size_t Start = Pos;
		while (Pos < Source.size())
		{
			const char C = Source[Pos];
			if (std::isalnum(static_cast<unsigned char>(C)) || C == '.' || C == '_' ||
				(C == '\'' && std::isalnum(static_cast<unsigned char>(Peek(1)))))
			{
				++Pos;
			}
			else if ((C == '+' || C == '-') && std::strchr("eEpP", Source[Pos - 1]) != nullptr)
			{
				++Pos;
			}
			else
			{
				break;
			}
		}
		Add(ETokenType::Number, Source.substr(Start, Pos - Start), Line);
	}

	void ReadIdentifier()
	{
		const size_t Start = Pos;
		while (Pos < Source.size() && (std::isalnum(static_cast<unsigned char>(Source[Pos])) || Source[Pos] == '_'))
		{
			++Pos;
		}
		Add(ETokenType::Identifier, Source.substr(Start, Pos - Start), Line);
	}

	const std::string& Source;
	const std::string& FileName;
	size_t Pos = 0;
	int Line = 1;
	std::string PendingDoc;
	FTokenizedHeader Result;
};
} // namespace

FTokenizedHeader TokenizeHeader(const std::string& Source, const std::string& FileName)
{
	return FTokenizer(Source, FileName).Run();
}
