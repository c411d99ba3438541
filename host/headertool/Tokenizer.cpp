// Tokenizing C++ headers for the header tool, with their comments and preprocessor blocks.
#include "Tokenizer.h"

#include "ConditionalBlocks.h"
#include "HeaderToolError.h"

#include <cctype>
#include <cstring>
#include <set>

namespace
{
// Markup that must not hide in a skipped block, because the generated code would then miss a declaration.
const std::set<std::string> MarkupInSkippedBlocks = {
	"UPROPERTY", "UCLASS", "USTRUCT", "UENUM", "UINTERFACE", "UDELEGATE", "UFUNCTION"};

class FTokenizer
{
public:
	FTokenizer(const std::string& InSource, const std::string& InFileName)
		: Source(InSource), FileName(InFileName), Blocks(InFileName)
	{
	}

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
				// A blank line after a // comment separates it from the next // comment.
				bBlankAfterLineComment = bBlankAfterLineComment || bLineCommentSeen;
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
				ReadLineComment();
				bLineStart = true;
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
		Blocks.CheckAllClosed(Line);
		return MoveResult();
	}

private:
	char Peek(size_t Offset) const { return Pos + Offset < Source.size() ? Source[Pos + Offset] : '\0'; }

	FTokenizedHeader MoveResult() { return std::move(Result); }

	void ForgetPendingComments()
	{
		PendingComments.clear();
		bLineCommentSeen = false;
		bBlankAfterLineComment = false;
	}

	void Add(ETokenType Type, std::string Text, int TokenLine)
	{
		if (bSkipping)
		{
			if (Type == ETokenType::Identifier && MarkupInSkippedBlocks.count(Text) != 0 &&
				Blocks.ForbidsSkippedMarkup())
			{
				throw FHeaderToolError(FileName, TokenLine,
					"'" + Text + "' must not be inside a preprocessor block the header tool skips (only #if 0 and " +
						"#if WITH_EDITORONLY_DATA blocks may hold markup)");
			}
			return;
		}
		FToken Token;
		Token.Type = Type;
		Token.Text = std::move(Text);
		Token.Line = TokenLine;
		Token.Comments = std::move(PendingComments);
		Token.Blocks = Blocks.GetComposite();
		ForgetPendingComments();
		Result.Tokens.push_back(std::move(Token));
	}

	// Reads the directive with its continuation lines and its line end, and applies it.
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
		if (Pos < Source.size())
		{
			++Pos;
			++Line;
		}
		while (!Directive.Text.empty() && std::isspace(static_cast<unsigned char>(Directive.Text.back())))
		{
			Directive.Text.pop_back();
		}
		const bool bWasSkipping = bSkipping;
		const FDirectiveOutcome Outcome = Blocks.HandleDirective(Directive.Text, Directive.Line, !bWasSkipping);
		bSkipping = !Outcome.bActive;
		if (!bWasSkipping)
		{
			Result.Directives.push_back(std::move(Directive));
		}
		if (!bWasSkipping && bSkipping)
		{
			// The directive that opens a skipped block decides, once the block ends, whether the comments before it
			// still count.
			bSkippedBlockClearsComments = Outcome.bClearsComments;
			return;
		}
		if (bWasSkipping && bSkipping)
		{
			return;
		}
		if (bWasSkipping ? bSkippedBlockClearsComments : Outcome.bClearsComments)
		{
			ForgetPendingComments();
		}
		bBlankAfterLineComment = false;
	}

	void ReadLineComment()
	{
		const size_t Start = Pos;
		while (Pos < Source.size() && Source[Pos] != '\n')
		{
			++Pos;
		}
		if (Pos < Source.size())
		{
			++Pos;
			++Line;
		}
		if (bSkipping)
		{
			return;
		}
		PendingComments.push_back({Source.substr(Start, Pos - Start), bBlankAfterLineComment});
		bBlankAfterLineComment = false;
		bLineCommentSeen = true;
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
		if (!bSkipping)
		{
			PendingComments.push_back({Source.substr(Start, Pos - Start), true});
		}
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
	FConditionalBlocks Blocks;
	size_t Pos = 0;
	int Line = 1;
	bool bSkipping = false;
	bool bSkippedBlockClearsComments = true;
	std::vector<FComment> PendingComments;
	// Whether a // comment was read in this gap, and a blank line since the last one (the engine's rule for
	// separating comment groups).
	bool bLineCommentSeen = false;
	bool bBlankAfterLineComment = false;
	FTokenizedHeader Result;
};
} // namespace

FTokenizedHeader TokenizeHeader(const std::string& Source, const std::string& FileName)
{
	return FTokenizer(Source, FileName).Run();
}
