// JSON parsing with positions in messages and duplicate keys refused.
#include "QVJson/JsonDocument.h"

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace
{
// Follows the parser's events to know the path of the value being read and the keys each open object has.
class FDuplicateKeyGuard
{
public:
	bool OnEvent(FQVJson::parse_event_t InEvent, const FQVJson& InParsed)
	{
		switch (InEvent)
		{
			case FQVJson::parse_event_t::object_start:
				StartValue();
				Frames.emplace_back().bObject = true;
				break;
			case FQVJson::parse_event_t::array_start:
				StartValue();
				Frames.emplace_back().bObject = false;
				break;
			case FQVJson::parse_event_t::object_end:
			case FQVJson::parse_event_t::array_end:
				Frames.pop_back();
				break;
			case FQVJson::parse_event_t::key:
			{
				FFrame& Object = Frames.back();
				Object.Key = InParsed.get<std::string>();
				if (!Object.Keys.insert(Object.Key).second)
				{
					throw FQVJsonError(CurrentPath(),
						FString::Printf(TEXT("the key '%s' appears twice in one object"), Object.Key.c_str()));
				}
				break;
			}
			case FQVJson::parse_event_t::value:
				StartValue();
				break;
		}
		return true;
	}

private:
	struct FFrame
	{
		bool bObject = false;
		std::set<std::string> Keys;
		std::string Key;
		int32 Index = -1;
	};

	// A value (or a container) begins inside the innermost open container.
	void StartValue()
	{
		if (!Frames.empty() && !Frames.back().bObject)
		{
			++Frames.back().Index;
		}
	}

	FString CurrentPath() const
	{
		FString Path;
		for (const FFrame& Frame : Frames)
		{
			if (Frame.bObject)
			{
				Path += (Path.IsEmpty() ? FString() : FString(TEXT("."))) + FString(Frame.Key.c_str());
			}
			else
			{
				Path += FString::Printf(TEXT("[%d]"), Frame.Index);
			}
		}
		return Path;
	}

	std::vector<FFrame> Frames;
};

// Line and column (both from 1) of the byte at InOffset (from 0).
void LineAndColumn(const FString& InText, int64 InOffset, int32& OutLine, int32& OutColumn)
{
	OutLine = 1;
	OutColumn = 1;
	const int64 End = InOffset < InText.Len() ? InOffset : InText.Len();
	for (int64 Index = 0; Index < End; ++Index)
	{
		if (InText[static_cast<int32>(Index)] == TEXT('\n'))
		{
			++OutLine;
			OutColumn = 1;
		}
		else
		{
			++OutColumn;
		}
	}
}

// The parser's explanation without its own position prefix: "syntax error while parsing ...".
FString DescribeParseError(const char* InWhat)
{
	const std::string What(InWhat);
	const size_t Column = What.find("column ");
	const size_t Colon = Column == std::string::npos ? std::string::npos : What.find(": ", Column);
	return FString(Colon == std::string::npos ? InWhat : What.substr(Colon + 2).c_str());
}
} // namespace

FQVJson FQVJsonDocument::Parse(const FString& InText)
{
	FDuplicateKeyGuard Guard;
	const std::string Text(*InText, static_cast<size_t>(InText.Len()));
	try
	{
		return FQVJson::parse(Text,
			[&Guard](int InDepth, FQVJson::parse_event_t InEvent, FQVJson& InParsed)
			{ return Guard.OnEvent(InEvent, InParsed); });
	}
	catch (const FQVJson::parse_error& Error)
	{
		int32 Line = 0;
		int32 Column = 0;
		// The parser counts the offending byte from 1.
		LineAndColumn(InText, static_cast<int64>(Error.byte) - 1, Line, Column);
		throw FQVJsonError(FString(),
			FString::Printf(
				TEXT("malformed JSON at line %d, column %d: %s"), Line, Column, *DescribeParseError(Error.what())));
	}
}

FQVJson FQVJsonDocument::LoadFile(const FString& InFilePath)
{
	std::ifstream Stream(*InFilePath, std::ios::binary);
	if (!Stream)
	{
		throw FQVJsonError(FString(), TEXT("cannot open the file"), InFilePath);
	}
	std::ostringstream Contents;
	Contents << Stream.rdbuf();
	try
	{
		return Parse(FString(Contents.str().c_str()));
	}
	catch (FQVJsonError& Error)
	{
		Error.SetFileIfUnset(InFilePath);
		throw;
	}
}
