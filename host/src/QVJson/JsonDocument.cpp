// JSON parsing with positions in messages, and the checks a path must pass before it is read as a JSON file.
#include "QVJson/JsonDocument.h"

#include "JsonDocumentBuilder.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace
{
// Line and column (both from 1) of the byte at InOffset (from 0).
void LineAndColumn(const std::string& InText, std::size_t InOffset, int32& OutLine, int32& OutColumn)
{
	OutLine = 1;
	OutColumn = 1;
	const std::size_t End = InOffset < InText.size() ? InOffset : InText.size();
	for (std::size_t Index = 0; Index < End; ++Index)
	{
		if (InText[Index] == '\n')
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

[[noreturn]] void FailAt(const std::string& InText, std::size_t InOffset, const FString& InWhat)
{
	int32 Line = 0;
	int32 Column = 0;
	LineAndColumn(InText, InOffset, Line, Column);
	throw FQVJsonError(
		FString(), FString::Printf(TEXT("malformed JSON at line %d, column %d: %s"), Line, Column, *InWhat));
}

// The parser's explanation without its own position prefix: "syntax error while parsing ...".
FString DescribeParseError(const std::string& InWhat)
{
	const std::size_t Column = InWhat.find("column ");
	const std::size_t Colon = Column == std::string::npos ? std::string::npos : InWhat.find(": ", Column);
	return FString(Colon == std::string::npos ? InWhat.c_str() : InWhat.substr(Colon + 2).c_str());
}

// The offset of the first bracket that opens a container deeper than InMaxDepth.
std::size_t FindNestingOverflow(const std::string& InText, int32 InMaxDepth)
{
	int32 Depth = 0;
	bool bInString = false;
	bool bEscaped = false;
	for (std::size_t Index = 0; Index < InText.size(); ++Index)
	{
		const char Char = InText[Index];
		if (bInString)
		{
			bInString = bEscaped || Char != '"';
			bEscaped = !bEscaped && Char == '\\';
		}
		else if (Char == '"')
		{
			bInString = true;
		}
		else if ((Char == '[' || Char == '{') && ++Depth > InMaxDepth)
		{
			return Index;
		}
		else if (Char == ']' || Char == '}')
		{
			--Depth;
		}
	}
	return InText.size();
}

// Text that is plainly not UTF-8 gets a message saying what it is, rather than a syntax error at its first byte.
TOptional<FString> DescribeForeignEncoding(const std::string& InText, const TCHAR* InKind)
{
	const auto Byte = [&InText](std::size_t InIndex)
	{ return InIndex < InText.size() ? uint8(InText[InIndex]) : 0x100; };
	if ((Byte(0) == 0xFF && Byte(1) == 0xFE) || (Byte(0) == 0xFE && Byte(1) == 0xFF))
	{
		return FString::Printf(
			TEXT("is UTF-16 text (it starts with a UTF-16 byte order mark); %s is UTF-8 text"), InKind);
	}
	if (InText.size() >= 2 && (Byte(0) == 0) != (Byte(1) == 0))
	{
		return FString::Printf(
			TEXT("looks like UTF-16 text (NUL bytes between its first characters); %s is UTF-8 text"), InKind);
	}
	if (!InText.empty() && Byte(0) == 0)
	{
		return FString::Printf(TEXT("starts with a NUL byte: it is binary data, not %s"), InKind);
	}
	return TOptional<FString>();
}

const TCHAR* DescribeFileType(std::filesystem::file_type InType)
{
	switch (InType)
	{
		case std::filesystem::file_type::directory:
			return TEXT("a directory");
		case std::filesystem::file_type::character:
			return TEXT("a character device");
		case std::filesystem::file_type::block:
			return TEXT("a block device");
		case std::filesystem::file_type::fifo:
			return TEXT("a named pipe");
		case std::filesystem::file_type::socket:
			return TEXT("a socket");
		default:
			return TEXT("not a regular file");
	}
}

// Parses the whole of InText, as FQVJsonDocument::Parse describes.
FQVJson ParseText(const std::string& InText)
{
	// The parser would take a NUL byte for the end of the text and ignore everything after it.
	const std::size_t Nul = InText.find('\0');
	if (Nul != std::string::npos)
	{
		FailAt(InText, Nul, TEXT("a NUL byte, which JSON text cannot hold"));
	}

	FQVJsonDocumentBuilder Builder(FQVJsonDocument::MaxDepth);
	if (!FQVJson::sax_parse(InText, &Builder))
	{
		if (Builder.IsTooDeep())
		{
			FailAt(InText, FindNestingOverflow(InText, FQVJsonDocument::MaxDepth),
				FString::Printf(TEXT("arrays and objects nest more than %d levels deep"), FQVJsonDocument::MaxDepth));
		}
		// The parser counts the offending byte from 1.
		FailAt(InText, Builder.GetErrorPosition() - 1, DescribeParseError(Builder.GetErrorText()));
	}
	return Builder.TakeDocument();
}
} // namespace

FQVJson FQVJsonDocument::Parse(const FString& InText)
{
	return ParseText(std::string(*InText, static_cast<size_t>(InText.Len())));
}

TOptional<FString> FQVJsonDocument::CheckFile(const FString& InFilePath, const TCHAR* InKind)
{
	std::error_code Error;
	const std::filesystem::file_status Status = std::filesystem::status(*InFilePath, Error);
	if (Status.type() == std::filesystem::file_type::not_found)
	{
		return FString(TEXT("does not exist"));
	}
	if (Error)
	{
		return FString::Printf(TEXT("cannot be read (%s)"), Error.message().c_str());
	}
	if (Status.type() != std::filesystem::file_type::regular)
	{
		return FString::Printf(TEXT("is %s, not %s"), DescribeFileType(Status.type()), InKind);
	}
	const std::uintmax_t Size = std::filesystem::file_size(*InFilePath, Error);
	if (!Error && Size > std::uintmax_t(MaxFileSize))
	{
		return FString::Printf(TEXT("is %llu bytes, more than %s may have (%lld MiB)"),
			static_cast<unsigned long long>(Size), InKind, static_cast<long long>(MaxFileSize >> 20));
	}
	return TOptional<FString>();
}

FQVJson FQVJsonDocument::LoadFile(const FString& InFilePath, const TCHAR* InKind)
{
	if (const TOptional<FString> Problem = CheckFile(InFilePath, InKind))
	{
		throw FQVJsonError(FString(), *Problem, InFilePath);
	}
	std::ifstream Stream(*InFilePath, std::ios::binary);
	if (!Stream)
	{
		throw FQVJsonError(FString(), TEXT("cannot open the file"), InFilePath);
	}
	// Read with a bound, in case the file grew since it was checked.
	std::error_code SizeError;
	std::string Contents;
	Contents.reserve(static_cast<std::size_t>(std::filesystem::file_size(*InFilePath, SizeError)) + 1);
	char Chunk[1 << 16];
	while (Stream.read(Chunk, sizeof(Chunk)) || Stream.gcount() > 0)
	{
		Contents.append(Chunk, static_cast<std::size_t>(Stream.gcount()));
		if (Contents.size() > static_cast<std::size_t>(MaxFileSize))
		{
			break;
		}
	}
	if (Contents.size() > static_cast<std::size_t>(MaxFileSize))
	{
		throw FQVJsonError(FString(),
			FString::Printf(
				TEXT("is more than %s may have (%lld MiB)"), InKind, static_cast<long long>(MaxFileSize >> 20)),
			InFilePath);
	}
	if (const TOptional<FString> Foreign = DescribeForeignEncoding(Contents, InKind))
	{
		throw FQVJsonError(FString(), *Foreign, InFilePath);
	}
	try
	{
		return ParseText(Contents);
	}
	catch (FQVJsonError& Error)
	{
		Error.SetFileIfUnset(InFilePath);
		throw;
	}
}
