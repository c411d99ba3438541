// Assembling the viewer page around the bundled script.
#include "QVRig/ViewerPage.h"

#ifndef QV_VIEWER_SCRIPT
#error "QV_VIEWER_SCRIPT names the bundled viewer script; the build defines it"
#endif

#include <algorithm>
#include <cctype>

namespace
{
std::string EscapeHtml(const FString& InText)
{
	std::string Escaped;
	for (const char Char : std::string(*InText, static_cast<size_t>(InText.Len())))
	{
		switch (Char)
		{
			case '&':
				Escaped += "&amp;";
				break;
			case '<':
				Escaped += "&lt;";
				break;
			case '>':
				Escaped += "&gt;";
				break;
			case '"':
				Escaped += "&quot;";
				break;
			default:
				Escaped += Char;
		}
	}
	return Escaped;
}

// A script element ends at the first "</script" in it, whatever the script means by it; "<\/script" reads the same
// wherever JavaScript can hold it (strings, regular expressions, comments).
std::string EscapeScript(const std::string& InScript)
{
	static const std::string End = "</script";
	std::string Escaped;
	Escaped.reserve(InScript.size());
	for (size_t Index = 0; Index < InScript.size(); ++Index)
	{
		const bool bEnd = InScript.size() - Index >= End.size() &&
			std::equal(End.begin(), End.end(), InScript.begin() + static_cast<std::ptrdiff_t>(Index),
				[](char InA, char InB) { return InA == std::tolower(static_cast<unsigned char>(InB)); });
		if (bEnd)
		{
			Escaped += "<\\/";
			++Index;
		}
		else
		{
			Escaped += InScript[Index];
		}
	}
	return Escaped;
}
} // namespace

FString FQVViewerPage::GetScriptPath()
{
	return FString(TEXT(QV_VIEWER_SCRIPT));
}

std::string FQVViewerPage::EncodeBase64(const std::string& InBytes)
{
	static const char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
	std::string Encoded;
	Encoded.reserve((InBytes.size() + 2) / 3 * 4);
	for (size_t Index = 0; Index < InBytes.size(); Index += 3)
	{
		const size_t Count = std::min<size_t>(3, InBytes.size() - Index);
		uint32 Group = 0;
		for (size_t Byte = 0; Byte < 3; ++Byte)
		{
			Group = (Group << 8) | (Byte < Count ? static_cast<uint8>(InBytes[Index + Byte]) : 0u);
		}
		for (size_t Sextet = 0; Sextet < 4; ++Sextet)
		{
			Encoded += Sextet <= Count ? Alphabet[(Group >> (18 - 6 * Sextet)) & 63] : '=';
		}
	}
	return Encoded;
}

std::string FQVViewerPage::Build(const std::string& InGlb, const FString& InTitle, const std::string& InScript)
{
	const std::string Title = EscapeHtml(InTitle);
	return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
		   "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
		Title + " - qvrig viewer</title>\n</head>\n<body>\n<script type=\"application/octet-stream\" id=\"qv-model\" " +
		"data-name=\"" + Title + "\">" + EncodeBase64(InGlb) + "</script>\n<script>\n" + EscapeScript(InScript) +
		"\n</script>\n</body>\n</html>\n";
}
