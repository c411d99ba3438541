// Turning documentation comments into tooltip text the way the engine's header tool does.
#include "ToolTipText.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace
{
// The tab width of the engine's tooltip text.
constexpr size_t SpacesPerTab = 8;

bool IsSpace(char C)
{
	return C == ' ' || C == '\t' || C == '\r' || C == '\n' || C == '\v' || C == '\f';
}

bool HasLetterOrDigit(const std::string& Text)
{
	// Bytes of multi-byte characters count, as characters beyond Latin-1 do in the engine.
	return std::any_of(Text.begin(), Text.end(),
		[](char C) { return std::isalnum(static_cast<unsigned char>(C)) || static_cast<unsigned char>(C) >= 0x80; });
}

// Drops "/*~ ... */" blocks, then "//~" comments up to and with their line end.
std::string RemoveIgnoredComments(std::string Text)
{
	for (size_t Start; (Start = Text.find("/*~")) != std::string::npos;)
	{
		const size_t End = Text.find("*/", Start);
		if (End == std::string::npos)
		{
			break;
		}
		Text.erase(Start, End + 2 - Start);
	}
	for (size_t Start; (Start = Text.find("//~")) != std::string::npos;)
	{
		const size_t End = Text.find('\n', Start);
		Text.erase(Start, End == std::string::npos ? std::string::npos : End + 1 - Start);
	}
	return Text;
}

// Drops carriage returns and the block comment markers. With a doc comment present, "//***" goes whole (the engine
// once removed "/**" before "//").
std::string RemoveBlockCommentMarkers(const std::string& Text, bool bDocComment)
{
	std::string Result;
	for (size_t Pos = 0; Pos < Text.size();)
	{
		const char C = Text[Pos];
		if (C == '\r')
		{
			++Pos;
		}
		else if (C == '/' && bDocComment && Text.compare(Pos, 5, "//***") == 0)
		{
			Pos += 5;
		}
		else if (C == '/' && Text.compare(Pos, 3, "/**") == 0)
		{
			Pos += 3;
		}
		else if (C == '/' && Text.compare(Pos, 2, "/*") == 0)
		{
			Pos += 2;
		}
		else if (C == '*' && Text.compare(Pos, 2, "*/") == 0)
		{
			Pos += 2;
		}
		else
		{
			Result += C;
			++Pos;
		}
	}
	return Result;
}

// Drops carriage returns, every "//" or "///", and "(cpptext)".
std::string RemoveLineCommentMarkers(const std::string& Text)
{
	std::string Result;
	for (size_t Pos = 0; Pos < Text.size();)
	{
		if (Text[Pos] == '\r')
		{
			++Pos;
		}
		else if (Text.compare(Pos, 2, "//") == 0)
		{
			Pos += Text.compare(Pos, 3, "///") == 0 ? 3 : 2;
		}
		else if (Text.compare(Pos, 9, "(cpptext)") == 0)
		{
			Pos += 9;
		}
		else
		{
			Result += Text[Pos++];
		}
	}
	return Result;
}

// Tabs to spaces. As in the engine, columns after the first line count the line end too.
std::string ExpandTabs(const std::string& Text)
{
	std::string Result;
	size_t LineStart = 0;
	for (const char C : Text)
	{
		if (C == '\t')
		{
			const size_t Column = Result.size() - LineStart + (LineStart > 0 ? 1 : 0);
			Result.append(SpacesPerTab - Column % SpacesPerTab, ' ');
			continue;
		}
		Result += C;
		if (C == '\n')
		{
			LineStart = Result.size();
		}
	}
	return Result;
}

bool IsAllOf(const std::string& Line, size_t From, char C)
{
	return std::all_of(Line.begin() + std::ptrdiff_t(From), Line.end(), [C](char Each) { return Each == C; });
}

size_t CountLeadingSpaces(const std::string& Line)
{
	size_t Count = 0;
	while (Count < Line.size() && IsSpace(Line[Count]))
	{
		++Count;
	}
	return Count;
}

bool IsBlankOrSeparator(const std::string& Line)
{
	const size_t First = CountLeadingSpaces(Line);
	return First == Line.size() || IsAllOf(Line, First, '-') || IsAllOf(Line, First, '=') || IsAllOf(Line, First, '*');
}

std::vector<std::string> SplitLines(const std::string& Text)
{
	std::vector<std::string> Lines;
	for (size_t Start = 0; Start < Text.size();)
	{
		const size_t End = std::min(Text.find('\n', Start), Text.size());
		Lines.push_back(Text.substr(Start, End - Start));
		Start = End + 1;
	}
	return Lines;
}
} // namespace

std::string FormatCommentForToolTip(const std::string& Comments)
{
	if (!HasLetterOrDigit(Comments))
	{
		return std::string();
	}
	std::string Text = RemoveIgnoredComments(Comments);
	const bool bDocComment = Text.find("/**") != std::string::npos;
	const bool bBlockComment = bDocComment || Text.find("/*") != std::string::npos;
	const bool bLineComment = Text.compare(0, 2, "//") == 0;
	if (bBlockComment)
	{
		Text = RemoveBlockCommentMarkers(Text, bDocComment);
	}
	if (bLineComment)
	{
		Text = RemoveLineCommentMarkers(Text);
	}
	Text = ExpandTabs(Text);

	std::string ToolTip;
	size_t KeptLength = 0;
	size_t Indentation = 0;
	bool bFirstLine = true;
	for (std::string Line : SplitLines(Text))
	{
		Line.erase(std::find_if_not(Line.rbegin(), Line.rend(), IsSpace).base(), Line.end());
		if (bBlockComment)
		{
			// The "*" gutter of a block comment, with one space after it.
			const size_t Star = CountLeadingSpaces(Line);
			if (Star < Line.size() && Line[Star] == '*')
			{
				Line.erase(0, Star + (Star + 1 < Line.size() && IsSpace(Line[Star + 1]) ? 2 : 1));
			}
		}
		const bool bSeparator = IsBlankOrSeparator(Line);
		if (bFirstLine && bSeparator)
		{
			continue;
		}
		if (bFirstLine)
		{
			Indentation = CountLeadingSpaces(Line);
			Line.erase(0, Indentation);
		}
		else
		{
			Line.erase(0, std::min(Indentation, CountLeadingSpaces(Line)));
			ToolTip += '\n';
		}
		if (!Line.empty() && !IsAllOf(Line, 0, '='))
		{
			ToolTip += Line;
		}
		if (!bSeparator)
		{
			KeptLength = ToolTip.size();
		}
		bFirstLine = false;
	}
	ToolTip.resize(KeptLength);
	if (!ToolTip.empty() && ToolTip.front() == '\n')
	{
		ToolTip.erase(0, 1);
	}
	if (!ToolTip.empty() && ToolTip.back() == '\n')
	{
		ToolTip.pop_back();
	}
	return ToolTip;
}
