// Reporting of failed checks and ensures.
#include "Misc/AssertionMacros.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace
{
void PrintFailure(
	const char* Kind, const ANSICHAR* Expr, const ANSICHAR* File, int32 Line, const TCHAR* Format, va_list Args)
{
	std::fprintf(stderr, "%s: %s [File:%s] [Line: %d]\n", Kind, Expr, File, Line);
	if (Format != nullptr)
	{
		std::vfprintf(stderr, Format, Args);
		std::fputc('\n', stderr);
	}
	std::fflush(stderr);
}
} // namespace

void FDebug::AssertFailed(const ANSICHAR* Expr, const ANSICHAR* File, int32 Line)
{
	va_list Args{};
	PrintFailure("Assertion failed", Expr, File, Line, nullptr, Args);
	std::abort();
}

void FDebug::AssertFailedf(const ANSICHAR* Expr, const ANSICHAR* File, int32 Line, const TCHAR* Format, ...)
{
	va_list Args;
	va_start(Args, Format);
	PrintFailure("Assertion failed", Expr, File, Line, Format, Args);
	va_end(Args);
	std::abort();
}

void FDebug::EnsureFailed(const ANSICHAR* Expr, const ANSICHAR* File, int32 Line)
{
	va_list Args{};
	PrintFailure("Ensure condition failed", Expr, File, Line, nullptr, Args);
}

void FDebug::EnsureFailedf(const ANSICHAR* Expr, const ANSICHAR* File, int32 Line, const TCHAR* Format, ...)
{
	va_list Args;
	va_start(Args, Format);
	PrintFailure("Ensure condition failed", Expr, File, Line, Format, Args);
	va_end(Args);
}
