// FString: case rules, formatting, searching, splitting and editing, and the C-string helpers under it.
#include "Containers/UnrealString.h"

#include "Containers/Set.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
// Case-sensitive equality, since FString's == ignores case.
::testing::AssertionResult SameText(const FString& Actual, const TCHAR* Expected)
{
	if (Actual.Equals(Expected, ESearchCase::CaseSensitive))
	{
		return ::testing::AssertionSuccess();
	}
	return ::testing::AssertionFailure() << "\"" << *Actual << "\" is not \"" << Expected << "\"";
}

TArray<FString> Parse(const TCHAR* Text, const TCHAR* Delimiter, bool bCullEmpty)
{
	TArray<FString> Pieces = {TEXT("left over")};
	const int32 Count = FString(Text).ParseIntoArray(Pieces, Delimiter, bCullEmpty);
	EXPECT_EQ(Count, Pieces.Num());
	return Pieces;
}

FString Joined(const TArray<FString>& Pieces)
{
	return FString::Join(Pieces, TEXT("|"));
}
} // namespace

TEST(StringTest, OperatorsIgnoreCaseEqualsDoesNot)
{
	const FString Mixed(TEXT("LeftFoot"));
	EXPECT_TRUE(Mixed == FString(TEXT("leftfoot")));
	EXPECT_TRUE(Mixed == TEXT("LEFTFOOT"));
	EXPECT_TRUE(TEXT("leftFOOT") == Mixed);
	EXPECT_FALSE(Mixed != TEXT("leftfoot"));
	EXPECT_FALSE(Mixed.Equals(TEXT("leftfoot")));
	EXPECT_TRUE(Mixed.Equals(TEXT("leftfoot"), ESearchCase::IgnoreCase));
	EXPECT_TRUE(Mixed.Equals(TEXT("LeftFoot")));
	EXPECT_FALSE(Mixed.Equals(TEXT("LeftFoo"), ESearchCase::IgnoreCase));

	// Ordering ignores case too; Compare is case-sensitive by default ('B' < 'a' in ASCII).
	EXPECT_TRUE(FString(TEXT("apple")) < FString(TEXT("Banana")));
	EXPECT_GT(FString(TEXT("apple")).Compare(TEXT("Banana")), 0);
	EXPECT_LT(FString(TEXT("apple")).Compare(TEXT("Banana"), ESearchCase::IgnoreCase), 0);
	EXPECT_EQ(FString(TEXT("abc")).Compare(TEXT("ABC"), ESearchCase::IgnoreCase), 0);

	// Hashing agrees with ==, so sets keep one of the spellings.
	EXPECT_EQ(GetTypeHash(FString(TEXT("Spine"))), GetTypeHash(FString(TEXT("SPINE"))));
	TSet<FString> Set;
	Set.Add(TEXT("Spine"));
	Set.Add(TEXT("spine"));
	EXPECT_EQ(Set.Num(), 1);

	const FString Sum = TEXT("a") + FString(TEXT("B")) + 'c' + TEXT("D") + FString(TEXT("e"));
	EXPECT_TRUE(SameText(Sum, TEXT("aBcDe")));
	FString Built;
	Built += TEXT("x");
	Built += 'y';
	Built += FString(TEXT("z"));
	Built.AppendChar('!').Append(TEXT("??"), 1);
	EXPECT_TRUE(SameText(Built, TEXT("xyz!?")));
	EXPECT_TRUE(SameText(FString(static_cast<const TCHAR*>(nullptr)), TEXT("")));
}

TEST(StringTest, PrintfFollowsPrintf)
{
	EXPECT_TRUE(SameText(FString::Printf(TEXT("%d|%5.2f|%-4s|%x|%03d"), -12, 3.14159, TEXT("ab"), 255, 7),
		TEXT("-12| 3.14|ab  |ff|007")));
	EXPECT_TRUE(SameText(FString::Printf(TEXT("%s = %s"), *FString(TEXT("Key")), TEXT("")), TEXT("Key = ")));

	// Longer than any fixed buffer.
	const FString Long = FString::ChrN(3000, 'q') + TEXT("end");
	const FString Formatted = FString::Printf(TEXT("[%s]"), *Long);
	EXPECT_EQ(Formatted.Len(), 3005);
	EXPECT_TRUE(Formatted.EndsWith(TEXT("qend]"), ESearchCase::CaseSensitive));

	FString Appended(TEXT("n="));
	Appended.Appendf(TEXT("%d, %s"), 5, TEXT("ok"));
	EXPECT_TRUE(SameText(Appended, TEXT("n=5, ok")));
	EXPECT_TRUE(SameText(FString::FromInt(-2147483647 - 1), TEXT("-2147483648")));
}

TEST(StringTest, SanitizeFloatGivesTheShortestFixedText)
{
	EXPECT_TRUE(SameText(FString::SanitizeFloat(1.0), TEXT("1.0")));
	EXPECT_TRUE(SameText(FString::SanitizeFloat(0.5), TEXT("0.5")));
	EXPECT_TRUE(SameText(FString::SanitizeFloat(-2.25), TEXT("-2.25")));
	EXPECT_TRUE(SameText(FString::SanitizeFloat(0.0), TEXT("0.0")));
	EXPECT_TRUE(SameText(FString::SanitizeFloat(-0.0), TEXT("0.0")));
	EXPECT_TRUE(SameText(FString::SanitizeFloat(100.0), TEXT("100.0")));
	EXPECT_TRUE(SameText(FString::SanitizeFloat(0.1f), TEXT("0.1")));
	EXPECT_TRUE(SameText(FString::SanitizeFloat(1.0 / 3.0), TEXT("0.333333")));
	// "%f" keeps six decimals, so tiny values print as zero.
	EXPECT_TRUE(SameText(FString::SanitizeFloat(1e-7), TEXT("0.0")));
	EXPECT_TRUE(SameText(FString::SanitizeFloat(-1e-7), TEXT("-0.0")));
	EXPECT_TRUE(SameText(FString::SanitizeFloat(123456789.0), TEXT("123456789.0")));
	EXPECT_TRUE(SameText(FString::SanitizeFloat(2.5, 3), TEXT("2.500")));
	EXPECT_TRUE(SameText(FString::SanitizeFloat(7.0, 0), TEXT("7")));
	EXPECT_TRUE(SameText(FString::SanitizeFloat(7.25, 0), TEXT("7.25")));
	EXPECT_FALSE(FString::SanitizeFloat(std::numeric_limits<double>::infinity()).IsNumeric());

	EXPECT_TRUE(SameText(LexToString(1.5f), TEXT("1.500000")));
	EXPECT_TRUE(SameText(LexToSanitizedString(1.5f), TEXT("1.5")));
	EXPECT_TRUE(SameText(LexToString(true), TEXT("true")));
	EXPECT_TRUE(SameText(LexToString(static_cast<int64>(-5000000000)), TEXT("-5000000000")));
}

TEST(StringTest, SplitEdgeCases)
{
	const FString Path(TEXT("Root.Spine.Neck"));
	FString Left = TEXT("untouched");
	FString Right = TEXT("untouched");
	EXPECT_TRUE(Path.Split(TEXT("."), &Left, &Right));
	EXPECT_TRUE(SameText(Left, TEXT("Root")));
	EXPECT_TRUE(SameText(Right, TEXT("Spine.Neck")));
	EXPECT_TRUE(Path.Split(TEXT("."), &Left, &Right, ESearchCase::IgnoreCase, ESearchDir::FromEnd));
	EXPECT_TRUE(SameText(Left, TEXT("Root.Spine")));
	EXPECT_TRUE(SameText(Right, TEXT("Neck")));

	// The separator matches in any case unless told otherwise; a missing one leaves the outputs alone.
	const FString Mixed(TEXT("armSEPleg"));
	EXPECT_TRUE(Mixed.Split(TEXT("sep"), &Left, nullptr));
	EXPECT_TRUE(SameText(Left, TEXT("arm")));
	Left = TEXT("untouched");
	EXPECT_FALSE(Mixed.Split(TEXT("sep"), &Left, &Right, ESearchCase::CaseSensitive));
	EXPECT_FALSE(Mixed.Split(TEXT(""), &Left, &Right));
	EXPECT_TRUE(SameText(Left, TEXT("untouched")));

	// Separators at the ends give empty parts.
	EXPECT_TRUE(FString(TEXT(":x")).Split(TEXT(":"), &Left, &Right));
	EXPECT_TRUE(SameText(Left, TEXT("")));
	EXPECT_TRUE(SameText(Right, TEXT("x")));
	EXPECT_TRUE(FString(TEXT("x::")).Split(TEXT("::"), &Left, &Right));
	EXPECT_TRUE(SameText(Left, TEXT("x")));
	EXPECT_TRUE(SameText(Right, TEXT("")));

	// Splitting a string into itself.
	FString Self(TEXT("head/tail"));
	EXPECT_TRUE(Self.Split(TEXT("/"), &Self, &Right));
	EXPECT_TRUE(SameText(Self, TEXT("head")));
	EXPECT_TRUE(SameText(Right, TEXT("tail")));
}

TEST(StringTest, ParseIntoArrayEdgeCases)
{
	EXPECT_TRUE(SameText(Joined(Parse(TEXT("a,,b,"), TEXT(","), true)), TEXT("a|b")));
	EXPECT_TRUE(SameText(Joined(Parse(TEXT("a,,b,"), TEXT(","), false)), TEXT("a||b|")));
	EXPECT_TRUE(SameText(Joined(Parse(TEXT(",a"), TEXT(","), false)), TEXT("|a")));
	EXPECT_EQ(Parse(TEXT(","), TEXT(","), false).Num(), 2);
	EXPECT_EQ(Parse(TEXT(",,,"), TEXT(","), true).Num(), 0);
	// An empty string gives nothing even when empty pieces are kept; so does an empty delimiter.
	EXPECT_EQ(Parse(TEXT(""), TEXT(","), false).Num(), 0);
	EXPECT_EQ(Parse(TEXT("abc"), TEXT(""), false).Num(), 0);
	EXPECT_TRUE(SameText(Joined(Parse(TEXT("abc"), TEXT(","), true)), TEXT("abc")));
	// Multi-character delimiters match whole, and with case.
	EXPECT_TRUE(SameText(Joined(Parse(TEXT("a::b:c::"), TEXT("::"), false)), TEXT("a|b:c|")));
	EXPECT_TRUE(SameText(Joined(Parse(TEXT("aXbxc"), TEXT("x"), true)), TEXT("aXb|c")));

	TArray<FString> Words;
	EXPECT_EQ(FString(TEXT("  one\ttwo \r\n three;four ")).ParseIntoArrayWS(Words, TEXT(";")), 4);
	EXPECT_TRUE(SameText(Joined(Words), TEXT("one|two|three|four")));
	TArray<FString> Lines;
	EXPECT_EQ(FString(TEXT("a\r\nb\n\nc\r")).ParseIntoArrayLines(Lines, false), 5);
	EXPECT_TRUE(SameText(Joined(Lines), TEXT("a|b||c|")));
}

TEST(StringTest, SearchingAndSubstrings)
{
	const FString Text(TEXT("HelloLoop"));
	EXPECT_EQ(Text.Find(TEXT("LO")), 3);
	EXPECT_EQ(Text.Find(TEXT("Lo"), ESearchCase::CaseSensitive), 5);
	EXPECT_EQ(Text.Find(TEXT("lo"), ESearchCase::IgnoreCase, ESearchDir::FromEnd), 5);
	EXPECT_EQ(Text.Find(TEXT("lo"), ESearchCase::IgnoreCase, ESearchDir::FromStart, 4), 5);
	// From the end, the match must end at or before the start position.
	EXPECT_EQ(Text.Find(TEXT("lo"), ESearchCase::IgnoreCase, ESearchDir::FromEnd, 6), 3);
	EXPECT_EQ(Text.Find(TEXT("xyz")), INDEX_NONE);
	EXPECT_EQ(Text.Find(TEXT("")), INDEX_NONE);
	EXPECT_EQ(Text.Find(TEXT("HelloLoopLonger")), INDEX_NONE);
	EXPECT_TRUE(Text.Contains(TEXT("OLO")));
	EXPECT_FALSE(Text.Contains(TEXT("OLO"), ESearchCase::CaseSensitive));

	int32 Index = 0;
	EXPECT_TRUE(Text.FindChar('o', Index));
	EXPECT_EQ(Index, 4);
	EXPECT_TRUE(Text.FindLastChar('o', Index));
	EXPECT_EQ(Index, 7);
	EXPECT_FALSE(Text.FindChar('O', Index));
	EXPECT_EQ(Index, INDEX_NONE);

	EXPECT_TRUE(Text.StartsWith(TEXT("hELLO")));
	EXPECT_FALSE(Text.StartsWith(TEXT("hELLO"), ESearchCase::CaseSensitive));
	EXPECT_FALSE(Text.StartsWith(TEXT("")));
	EXPECT_TRUE(Text.EndsWith(TEXT("LOOP")));
	EXPECT_FALSE(Text.EndsWith(TEXT("XHelloLoop")));

	EXPECT_TRUE(SameText(Text.Left(5), TEXT("Hello")));
	EXPECT_TRUE(SameText(Text.Left(50), TEXT("HelloLoop")));
	EXPECT_TRUE(SameText(Text.Left(-1), TEXT("")));
	EXPECT_TRUE(SameText(Text.LeftChop(4), TEXT("Hello")));
	EXPECT_TRUE(SameText(Text.LeftChop(40), TEXT("")));
	EXPECT_TRUE(SameText(Text.Right(4), TEXT("Loop")));
	EXPECT_TRUE(SameText(Text.RightChop(5), TEXT("Loop")));
	EXPECT_TRUE(SameText(Text.RightChop(-3), TEXT("HelloLoop")));
	EXPECT_TRUE(SameText(Text.Mid(5), TEXT("Loop")));
	EXPECT_TRUE(SameText(Text.Mid(2, 3), TEXT("llo")));
	// A range starting before the string keeps only its part inside.
	EXPECT_TRUE(SameText(Text.Mid(-2, 4), TEXT("He")));
	EXPECT_TRUE(SameText(Text.Mid(7, 10), TEXT("op")));
	EXPECT_TRUE(SameText(Text.Mid(20, 2), TEXT("")));

	FString Inline(TEXT("abcdef"));
	Inline.MidInline(1, 4);
	EXPECT_TRUE(SameText(Inline, TEXT("bcde")));
	Inline.RightChopInline(1);
	EXPECT_TRUE(SameText(Inline, TEXT("cde")));
}

TEST(StringTest, EditingInPlaceAndByCopy)
{
	FString Text(TEXT("aXbxc"));
	EXPECT_TRUE(SameText(Text.Replace(TEXT("x"), TEXT("--")), TEXT("a--b--c")));
	EXPECT_TRUE(SameText(Text.Replace(TEXT("x"), TEXT("--"), ESearchCase::CaseSensitive), TEXT("aXb--c")));
	EXPECT_TRUE(SameText(Text.Replace(TEXT(""), TEXT("--")), TEXT("aXbxc")));
	// Replacements are not searched again, and matches do not overlap.
	FString Grow(TEXT("ab"));
	EXPECT_EQ(Grow.ReplaceInline(TEXT("a"), TEXT("aa")), 1);
	EXPECT_TRUE(SameText(Grow, TEXT("aab")));
	FString Runs(TEXT("aaaaa"));
	EXPECT_EQ(Runs.ReplaceInline(TEXT("aa"), TEXT("b")), 2);
	EXPECT_TRUE(SameText(Runs, TEXT("bba")));
	FString Chars(TEXT("a-A-b"));
	Chars.ReplaceCharInline('a', '_');
	EXPECT_TRUE(SameText(Chars, TEXT("_-_-b")));

	EXPECT_TRUE(SameText(FString(TEXT(" \t x y \r\n")).TrimStartAndEnd(), TEXT("x y")));
	EXPECT_TRUE(SameText(FString(TEXT("  x ")).TrimStart(), TEXT("x ")));
	EXPECT_TRUE(SameText(FString(TEXT("  x ")).TrimEnd(), TEXT("  x")));
	EXPECT_TRUE(SameText(FString(TEXT(" \t ")).TrimStartAndEnd(), TEXT("")));
	EXPECT_TRUE(SameText(FString(TEXT("Mixed_9z")).ToUpper(), TEXT("MIXED_9Z")));
	EXPECT_TRUE(SameText(FString(TEXT("Mixed_9Z")).ToLower(), TEXT("mixed_9z")));

	FString Edit(TEXT("ace"));
	Edit.InsertAt(1, 'b');
	Edit.InsertAt(3, FString(TEXT("d")));
	Edit.InsertAt(5, 'f');
	EXPECT_TRUE(SameText(Edit, TEXT("abcdef")));
	Edit.RemoveAt(1, 2);
	EXPECT_TRUE(SameText(Edit, TEXT("adef")));
	EXPECT_TRUE(Edit.RemoveFromStart(TEXT("AD")));
	EXPECT_FALSE(Edit.RemoveFromEnd(TEXT("x")));
	EXPECT_TRUE(SameText(Edit, TEXT("ef")));

	EXPECT_TRUE(FString(TEXT("-12.5")).IsNumeric());
	EXPECT_TRUE(FString(TEXT("+3")).IsNumeric());
	EXPECT_FALSE(FString(TEXT("1.2.3")).IsNumeric());
	EXPECT_FALSE(FString(TEXT("1e3")).IsNumeric());
	EXPECT_FALSE(FString().IsNumeric());

	const TArray<FString> Parts = {TEXT("a"), TEXT("b"), TEXT("c")};
	EXPECT_TRUE(SameText(FString::Join(Parts, TEXT(", ")), TEXT("a, b, c")));
	EXPECT_TRUE(SameText(FString::Join(TArray<FString>(), TEXT(", ")), TEXT("")));
}

TEST(StringTest, CStringHelpers)
{
	EXPECT_EQ(FCString::Atoi(TEXT("  42abc")), 42);
	EXPECT_EQ(FCString::Atoi(TEXT("-7")), -7);
	EXPECT_EQ(FCString::Atoi(TEXT("abc")), 0);
	EXPECT_EQ(FCString::Atoi(TEXT("99999999999")), 2147483647);
	EXPECT_EQ(FCString::Atoi64(TEXT("-9000000000")), -9000000000LL);
	EXPECT_FLOAT_EQ(FCString::Atof(TEXT("1.5e2")), 150.0f);
	EXPECT_DOUBLE_EQ(FCString::Atod(TEXT("-0.25x")), -0.25);
	TCHAR* End = nullptr;
	EXPECT_EQ(FCString::Strtoi(TEXT("ff rest"), &End, 16), 255);
	EXPECT_STREQ(End, " rest");

	EXPECT_EQ(FCString::Stricmp(TEXT("ABC"), TEXT("abc")), 0);
	EXPECT_LT(FCString::Stricmp(TEXT("abc"), TEXT("ABD")), 0);
	EXPECT_LT(FCString::Stricmp(TEXT("ab"), TEXT("ABC")), 0);
	EXPECT_LT(FCString::Stricmp(TEXT("_"), TEXT("A")), 0);
	EXPECT_EQ(FCString::Strnicmp(TEXT("HeLLo world"), TEXT("hellO there"), 5), 0);
	EXPECT_NE(FCString::Strnicmp(TEXT("HeLLo world"), TEXT("hellO there"), 7), 0);
	EXPECT_STREQ(FCString::Stristr(TEXT("find the NEEDLE here"), TEXT("needle")), "NEEDLE here");
	EXPECT_EQ(FCString::Stristr(TEXT("abc"), TEXT("")), nullptr);

	EXPECT_TRUE(FCString::ToBool(TEXT("True")));
	EXPECT_TRUE(FCString::ToBool(TEXT("on")));
	EXPECT_TRUE(FCString::ToBool(TEXT("2")));
	EXPECT_FALSE(FCString::ToBool(TEXT("OFF")));
	EXPECT_FALSE(FCString::ToBool(TEXT("0")));
	EXPECT_FALSE(FCString::ToBool(TEXT("maybe")));

	EXPECT_EQ(FChar::ToUpper('a'), 'A');
	EXPECT_EQ(FChar::ToUpper('{'), '{');
	EXPECT_EQ(FChar::ToLower('@'), '@');
	EXPECT_TRUE(FChar::IsWhitespace('\v'));
	EXPECT_FALSE(FChar::IsAlpha('_'));
}
