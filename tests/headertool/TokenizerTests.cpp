// The header tool's tokenizer: string escapes, comments, lines, directives and unterminated literals.
#include "HeaderToolError.h"
#include "Tokenizer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace
{
std::vector<std::string> Texts(const FTokenizedHeader& Header)
{
	std::vector<std::string> Result;
	for (const FToken& Token : Header.Tokens)
	{
		Result.push_back(Token.Text);
	}
	return Result;
}

// The error a source stops the tokenizer with.
FHeaderToolError TokenizeError(const std::string& Source)
{
	try
	{
		TokenizeHeader(Source, "Bad.h");
	}
	catch (const FHeaderToolError& Error)
	{
		return Error;
	}
	ADD_FAILURE() << "no error for: " << Source;
	return FHeaderToolError("", 0, "");
}
} // namespace

TEST(HeaderToolTokenizer, StringsAreUnescapedAndSymbolsSplit)
{
	const FTokenizedHeader Header = TokenizeHeader(R"(a::b = "x\ny \"q\" \\ \x41\101\t" 'c' 1.5e-3f <T>>;)", "Test.h");
	EXPECT_THAT(Texts(Header),
		::testing::ElementsAre("a", "::", "b", "=", "x\ny \"q\" \\ AA\t", "c", "1.5e-3f", "<", "T", ">", ">", ";"));
	EXPECT_EQ(Header.Tokens[4].Type, ETokenType::String);
	EXPECT_EQ(Header.Tokens[5].Type, ETokenType::Char);
	EXPECT_EQ(Header.Tokens[6].Type, ETokenType::Number);
	// Comment text never becomes tokens, even when it looks like code or holds quotes.
	EXPECT_THAT(Texts(TokenizeHeader("x // y \"unclosed\n/* z ' */ w", "Test.h")), ::testing::ElementsAre("x", "w"));
}

TEST(HeaderToolTokenizer, CommentsAttachToTheNextTokenAndLinesAreCounted)
{
	const FTokenizedHeader Header =
		TokenizeHeader("/** Doc\n * two */\nA\n// one\n// two\n\n// three\nB\n/* block\n*/ C\n"
					   "#define X(a) \\\n  a\nD /** trailing */",
			"Test.h");
	ASSERT_EQ(Header.Tokens.size(), 4u);
	const auto Comments = [&](size_t Index)
	{
		std::vector<std::string> Result;
		for (const FComment& Comment : Header.Tokens[Index].Comments)
		{
			Result.push_back((Comment.bDiscardsEarlier ? "!" : "") + Comment.Text);
		}
		return Result;
	};
	// Block comments discard what came before them; a // comment does so only after a blank line below another.
	EXPECT_THAT(Comments(0), ::testing::ElementsAre("!/** Doc\n * two */"));
	EXPECT_EQ(Header.Tokens[0].Line, 3);
	EXPECT_THAT(Comments(1), ::testing::ElementsAre("// one\n", "// two\n", "!// three\n"));
	EXPECT_EQ(Header.Tokens[1].Line, 8);
	EXPECT_THAT(Comments(2), ::testing::ElementsAre("!/* block\n*/"));
	EXPECT_EQ(Header.Tokens[2].Line, 10);
	// The directive's continuation line is joined and counted; a comment after the last token documents nothing.
	ASSERT_EQ(Header.Directives.size(), 1u);
	EXPECT_EQ(Header.Directives[0].Line, 11);
	EXPECT_EQ(Header.Directives[0].Text, "#define X(a)   a");
	EXPECT_EQ(Header.Tokens[3].Text, "D");
	EXPECT_EQ(Header.Tokens[3].Line, 13);
	EXPECT_TRUE(Header.Tokens[3].Comments.empty());
}

TEST(HeaderToolTokenizer, UnterminatedLiteralsAndCommentsStopAtTheirFirstLine)
{
	FHeaderToolError Error = TokenizeError("a\nb = \"open\nc\";");
	EXPECT_EQ(Error.File, "Bad.h");
	EXPECT_EQ(Error.Line, 2);
	EXPECT_EQ(Error.Message, "unterminated string literal");
	EXPECT_EQ(std::string(Error.what()), "Bad.h:2: error: unterminated string literal");

	// An escaped quote does not close the string.
	Error = TokenizeError("x\n\"ends with \\\"");
	EXPECT_EQ(Error.Line, 2);
	EXPECT_EQ(Error.Message, "unterminated string literal");

	Error = TokenizeError("x\ny\n/* never closed\n\n");
	EXPECT_EQ(Error.Line, 3);
	EXPECT_EQ(Error.Message, "unterminated comment");

	Error = TokenizeError("'a");
	EXPECT_EQ(Error.Message, "unterminated character literal");
}
