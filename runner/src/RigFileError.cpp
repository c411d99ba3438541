// Formatting of rig file errors.
#include "QVRig/RigFileError.h"

FQVRigFileError::FQVRigFileError(FString InPath, FString InMessage, FString InFile)
	: File(MoveTemp(InFile)), Path(MoveTemp(InPath)), Message(MoveTemp(InMessage))
{
	Formatted = Format();
}

void FQVRigFileError::SetFileIfUnset(const FString& InFile)
{
	if (File.IsEmpty())
	{
		File = InFile;
		Formatted = Format();
	}
}

FString FQVRigFileError::Format() const
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
