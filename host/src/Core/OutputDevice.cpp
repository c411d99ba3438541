// The formatting helpers of output devices.
#include "Misc/OutputDevice.h"

#include "VarArgs.h"

#include <cstdarg>

void FOutputDevice::Logf(const TCHAR* Format, ...)
{
	va_list Args;
	va_start(Args, Format);
	const FString Text = FormatVarArgs(Format, Args);
	va_end(Args);
	Serialize(*Text, ELogVerbosity::Log, NAME_None);
}

void FOutputDevice::Logf(ELogVerbosity::Type Verbosity, const TCHAR* Format, ...)
{
	va_list Args;
	va_start(Args, Format);
	const FString Text = FormatVarArgs(Format, Args);
	va_end(Args);
	Serialize(*Text, Verbosity, NAME_None);
}
