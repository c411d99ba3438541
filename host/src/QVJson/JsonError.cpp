// Formatting of rig file errors.
#include "QVJson/JsonError.h"

FQVJsonError::FQVJsonError(FString InPath, FString InMessage, FString InFile)
	: File(MoveTemp(InFile)), Path(MoveTemp(InPath)), Message(MoveTemp(InMessage))
{
	Formatted = Format();
}

void FQVJsonError::SetFileIfUnset(const FString& InFile)
{
	if (File.IsEmpty())
	{
		File = InFile;
		Formatted = Format();
	}
}

FString FQVJsonError::Format() const
{
	FString Result;
	if (!File.IsEmpty())
	{
		Result += File + TEXT(": ");
	}
	if (!Path.IsEmpty())
	{
		Result += Path + TEXT(": ");
	}
	return Result + Message;
}
