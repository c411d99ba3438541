// UE_LOG's formatting and delivery to the log hub.
#include "Logging/LogMacros.h"

#include "Misc/OutputDeviceRedirector.h"
#include "VarArgs.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

void FMsg::Logf(
	const ANSICHAR* File, int32 Line, const FName& Category, ELogVerbosity::Type Verbosity, const TCHAR* Format, ...)
{
	va_list Args;
	va_start(Args, Format);
	const FString Text = FormatVarArgs(Format, Args);
	va_end(Args);
	FOutputDeviceRedirector::Get()->Serialize(*Text, Verbosity, Category);
}

void FMsg::LogfFatal(const ANSICHAR* File, int32 Line, const FName& Category, const TCHAR* Format, ...)
{
	va_list Args;
	va_start(Args, Format);
	const FString Text = FormatVarArgs(Format, Args);
	va_end(Args);
	FOutputDeviceRedirector* Redirector = FOutputDeviceRedirector::Get();
	Redirector->Serialize(*Text, ELogVerbosity::Fatal, Category);
	Redirector->Flush();
	std::fprintf(stderr, "Fatal error: [File:%s] [Line: %d]\n", File, Line);
	std::fflush(stderr);
	std::abort();
}
