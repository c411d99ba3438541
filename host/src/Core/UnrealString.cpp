// FString's formatting, searching, splitting and editing.
#include "Containers/UnrealString.h"

#include "VarArgs.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace
{
bool MatchesAt(const TCHAR* Text, const TCHAR* SubStr, int32 SubLen, ESearchCase::Type SearchCase)
{
	return SearchCase == ESearchCase::IgnoreCase ? FCString::Strnicmp(Text, SubStr, SubLen) == 0
												 : std::memcmp(Text, SubStr, SubLen) == 0;
}
} // namespace

FString FormatVarArgs(const TCHAR* Format, va_list Args)
{
	va_list ArgsCopy;
	va_copy(ArgsCopy, Args);
	TCHAR Buffer[512];
	const int Needed = std::vsnprintf(Buffer, sizeof(Buffer), Format, ArgsCopy);
	va_end(ArgsCopy);
	if (Needed <= 0)
	{
		return FString();
	}
	if (static_cast<SIZE_T>(Needed) < sizeof(Buffer))
	{
		return FString(Needed, Buffer);
	}
	TArray<TCHAR> LongBuffer;
	LongBuffer.SetNumUninitialized(Needed + 1);
	std::vsnprintf(LongBuffer.GetData(), Needed + 1, Format, Args);
	return FString(Needed, LongBuffer.GetData());
}

FString FString::Printf(const TCHAR* Format, ...)
{
	va_list Args;
	va_start(Args, Format);
	FString Result = FormatVarArgs(Format, Args);
	va_end(Args);
	return Result;
}

FString& FString::Appendf(const TCHAR* Format, ...)
{
	va_list Args;
	va_start(Args, Format);
	Append(FormatVarArgs(Format, Args));
	va_end(Args);
	return *this;
}

int32 FString::Find(
	const TCHAR* SubStr, ESearchCase::Type SearchCase, ESearchDir::Type SearchDir, int32 StartPosition) const
{
	if (SubStr == nullptr)
	{
		return INDEX_NONE;
	}
	return FindSubstring(SubStr, FCString::Strlen(SubStr), SearchCase, SearchDir, StartPosition);
}

int32 FString::FindSubstring(const TCHAR* SubStr, int32 SubLen, ESearchCase::Type SearchCase,
	ESearchDir::Type SearchDir, int32 StartPosition) const
{
	const int32 Length = Len();
	if (SubLen == 0 || SubLen > Length)
	{
		return INDEX_NONE;
	}
	if (SearchDir == ESearchDir::FromStart)
	{
		const int32 First = StartPosition == INDEX_NONE ? 0 : ClampToLength(StartPosition);
		for (int32 Index = First; Index <= Length - SubLen; ++Index)
		{
			if (MatchesAt(Data.c_str() + Index, SubStr, SubLen, SearchCase))
			{
				return Index;
			}
		}
	}
	else
	{
		const int32 End = (StartPosition == INDEX_NONE || StartPosition > Length) ? Length : StartPosition;
		for (int32 Index = End - SubLen; Index >= 0; --Index)
		{
			if (MatchesAt(Data.c_str() + Index, SubStr, SubLen, SearchCase))
			{
				return Index;
			}
		}
	}
	return INDEX_NONE;
}

bool FString::StartsWith(const TCHAR* InPrefix, ESearchCase::Type SearchCase) const
{
	if (InPrefix == nullptr || *InPrefix == 0)
	{
		return false;
	}
	const int32 PrefixLen = FCString::Strlen(InPrefix);
	return PrefixLen <= Len() && MatchesAt(Data.c_str(), InPrefix, PrefixLen, SearchCase);
}

bool FString::EndsWith(const TCHAR* InSuffix, ESearchCase::Type SearchCase) const
{
	if (InSuffix == nullptr || *InSuffix == 0)
	{
		return false;
	}
	const int32 SuffixLen = FCString::Strlen(InSuffix);
	return SuffixLen <= Len() && MatchesAt(Data.c_str() + Len() - SuffixLen, InSuffix, SuffixLen, SearchCase);
}

bool FString::RemoveFromStart(const TCHAR* InPrefix, ESearchCase::Type SearchCase)
{
	if (!StartsWith(InPrefix, SearchCase))
	{
		return false;
	}
	Data.erase(0, FCString::Strlen(InPrefix));
	return true;
}

bool FString::RemoveFromEnd(const TCHAR* InSuffix, ESearchCase::Type SearchCase)
{
	if (!EndsWith(InSuffix, SearchCase))
	{
		return false;
	}
	Data.erase(Len() - FCString::Strlen(InSuffix));
	return true;
}

bool FString::Split(
	const FString& InS, FString* LeftS, FString* RightS, ESearchCase::Type SearchCase, ESearchDir::Type SearchDir) const
{
	check(LeftS != RightS || LeftS == nullptr);
	const int32 Position = Find(InS, SearchCase, SearchDir);
	if (Position == INDEX_NONE)
	{
		return false;
	}
	// Both parts are taken before either output is written, since an output may be this string.
	FString LeftPart = Left(Position);
	FString RightPart = Mid(Position + InS.Len());
	if (LeftS != nullptr)
	{
		*LeftS = MoveTemp(LeftPart);
	}
	if (RightS != nullptr)
	{
		*RightS = MoveTemp(RightPart);
	}
	return true;
}

int32 FString::ParseIntoArray(TArray<FString>& OutArray, const TCHAR* pchDelim, bool InCullEmpty) const
{
	check(pchDelim != nullptr);
	if (IsEmpty() || *pchDelim == 0)
	{
		OutArray.Reset();
		return 0;
	}
	return ParseIntoArray(OutArray, &pchDelim, 1, InCullEmpty);
}

int32 FString::ParseIntoArray(
	TArray<FString>& OutArray, const TCHAR* const* DelimArray, int32 NumDelims, bool InCullEmpty) const
{
	OutArray.Reset();
	const TCHAR* const Start = Data.c_str();
	const int32 Length = Len();
	int32 PieceStart = 0;
	for (int32 Index = 0; Index < Length;)
	{
		int32 DelimLength = 0;
		for (int32 DelimIndex = 0; DelimIndex < NumDelims; ++DelimIndex)
		{
			const int32 ThisLength = FCString::Strlen(DelimArray[DelimIndex]);
			if (ThisLength > 0 && FCString::Strncmp(Start + Index, DelimArray[DelimIndex], ThisLength) == 0)
			{
				DelimLength = ThisLength;
				break;
			}
		}
		if (DelimLength == 0)
		{
			++Index;
			continue;
		}
		if (!InCullEmpty || Index > PieceStart)
		{
			OutArray.Emplace(Index - PieceStart, Start + PieceStart);
		}
		Index += DelimLength;
		PieceStart = Index;
	}
	if (!InCullEmpty || Length > PieceStart)
	{
		OutArray.Emplace(Length - PieceStart, Start + PieceStart);
	}
	return OutArray.Num();
}

int32 FString::ParseIntoArrayWS(TArray<FString>& OutArray, const TCHAR* pchExtraDelim, bool InCullEmpty) const
{
	const TCHAR* Delims[] = {" ", "\t", "\r", "\n", pchExtraDelim};
	const bool bHasExtra = pchExtraDelim != nullptr && *pchExtraDelim != 0;
	return ParseIntoArray(OutArray, Delims, bHasExtra ? 5 : 4, InCullEmpty);
}

int32 FString::ParseIntoArrayLines(TArray<FString>& OutArray, bool InCullEmpty) const
{
	static const TCHAR* const LineEnds[] = {"\r\n", "\r", "\n"};
	return ParseIntoArray(OutArray, LineEnds, 3, InCullEmpty);
}

FString FString::Replace(const TCHAR* From, const TCHAR* To, ESearchCase::Type SearchCase) const
{
	FString Result(*this);
	Result.ReplaceInline(From, To, SearchCase);
	return Result;
}

int32 FString::ReplaceInline(const TCHAR* From, const TCHAR* To, ESearchCase::Type SearchCase)
{
	if (From == nullptr || *From == 0 || IsEmpty())
	{
		return 0;
	}
	const int32 FromLen = FCString::Strlen(From);
	int32 Position = FindSubstring(From, FromLen, SearchCase, ESearchDir::FromStart, 0);
	if (Position == INDEX_NONE)
	{
		return 0;
	}
	std::string Result;
	Result.reserve(Data.size());
	int32 Copied = 0;
	int32 Count = 0;
	while (Position != INDEX_NONE)
	{
		Result.append(Data, Copied, Position - Copied);
		Result.append(To != nullptr ? To : "");
		Copied = Position + FromLen;
		++Count;
		Position =
			Copied < Len() ? FindSubstring(From, FromLen, SearchCase, ESearchDir::FromStart, Copied) : INDEX_NONE;
	}
	Result.append(Data, Copied, std::string::npos);
	Data = MoveTemp(Result);
	return Count;
}

void FString::ReplaceCharInline(TCHAR From, TCHAR To, ESearchCase::Type SearchCase)
{
	const bool bIgnoreCase = SearchCase == ESearchCase::IgnoreCase && FChar::IsAlpha(From);
	const TCHAR UpperFrom = FChar::ToUpper(From);
	for (TCHAR& Char : Data)
	{
		if (Char == From || (bIgnoreCase && FChar::ToUpper(Char) == UpperFrom))
		{
			Char = To;
		}
	}
}

void FString::TrimStartInline()
{
	int32 First = 0;
	while (First < Len() && FChar::IsWhitespace(Data[First]))
	{
		++First;
	}
	Data.erase(0, First);
}

void FString::TrimEndInline()
{
	int32 End = Len();
	while (End > 0 && FChar::IsWhitespace(Data[End - 1]))
	{
		--End;
	}
	Data.erase(End);
}

FString FString::SanitizeFloat(double InFloat, int32 InMinFractionalDigits)
{
	// Negative zero prints as zero.
	if (InFloat == 0.0)
	{
		InFloat = 0.0;
	}
	FString Result = Printf("%f", InFloat);
	if (!Result.IsNumeric())
	{
		// inf and nan are left as printed.
		return Result;
	}

	// Drop trailing zeros of the fraction, and the point when nothing is left after it.
	int32 DotIndex = INDEX_NONE;
	Result.FindChar('.', DotIndex);
	if (DotIndex != INDEX_NONE)
	{
		int32 End = Result.Len();
		while (End > DotIndex + 1 && Result[End - 1] == '0')
		{
			--End;
		}
		if (End == DotIndex + 1)
		{
			End = DotIndex;
		}
		Result.Data.erase(End);
	}

	if (InMinFractionalDigits > 0)
	{
		if (!Result.FindChar('.', DotIndex))
		{
			DotIndex = Result.Len();
			Result.AppendChar('.');
		}
		const int32 FractionalDigits = Result.Len() - DotIndex - 1;
		for (int32 Pad = FractionalDigits; Pad < InMinFractionalDigits; ++Pad)
		{
			Result.AppendChar('0');
		}
	}
	return Result;
}
