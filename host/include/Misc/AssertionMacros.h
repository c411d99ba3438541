// Assertions: check, verify and ensure. A failed check reports the expression, file and line and aborts; a failed
// ensure reports once per call site and lets execution go on.
#pragma once

#include "CoreTypes.h"

#include <atomic>

struct FDebug
{
	// Prints the failed expression with its place and an optional printf-style message, then aborts.
	[[noreturn]] static CORE_API void AssertFailed(const ANSICHAR* Expr, const ANSICHAR* File, int32 Line);
	[[noreturn]] static CORE_API void AssertFailedf(const ANSICHAR* Expr, const ANSICHAR* File, int32 Line,
		const TCHAR* Format, ...) __attribute__((format(printf, 4, 5)));

	// Prints the failed expression with its place and an optional message, and returns.
	static CORE_API void EnsureFailed(const ANSICHAR* Expr, const ANSICHAR* File, int32 Line);
	static CORE_API void EnsureFailedf(const ANSICHAR* Expr, const ANSICHAR* File, int32 Line, const TCHAR* Format, ...)
		__attribute__((format(printf, 4, 5)));
};

#define check(expr)                                                                                                    \
	do                                                                                                                 \
	{                                                                                                                  \
		if (UNLIKELY(!(expr)))                                                                                         \
		{                                                                                                              \
			FDebug::AssertFailed(#expr, __FILE__, __LINE__);                                                           \
		}                                                                                                              \
	} while (0)

#define checkf(expr, format, ...)                                                                                      \
	do                                                                                                                 \
	{                                                                                                                  \
		if (UNLIKELY(!(expr)))                                                                                         \
		{                                                                                                              \
			FDebug::AssertFailedf(#expr, __FILE__, __LINE__, format, ##__VA_ARGS__);                                   \
		}                                                                                                              \
	} while (0)

#define verify(expr) check(expr)
#define verifyf(expr, format, ...) checkf(expr, format, ##__VA_ARGS__)

#define checkNoEntry() FDebug::AssertFailed("Enclosing block should never be called", __FILE__, __LINE__)
#define checkNoReentry()                                                                                               \
	do                                                                                                                 \
	{                                                                                                                  \
		static std::atomic<bool> bBeenHere = false;                                                                    \
		if (bBeenHere.exchange(true))                                                                                  \
		{                                                                                                              \
			FDebug::AssertFailed("Enclosing block was called more than once", __FILE__, __LINE__);                     \
		}                                                                                                              \
	} while (0)
#define unimplemented() FDebug::AssertFailed("Unimplemented function called", __FILE__, __LINE__)
#define checkCode(Code)                                                                                                \
	do                                                                                                                 \
	{                                                                                                                  \
		Code;                                                                                                          \
	} while (0)

// Debug-only checks: active unless NDEBUG is defined. The disabled forms still compile the expression (so names it
// uses stay referenced) but never evaluate it.
#ifndef NDEBUG
#define checkSlow(expr) check(expr)
#define checkfSlow(expr, format, ...) checkf(expr, format, ##__VA_ARGS__)
#define verifySlow(expr) check(expr)
#else
#define checkSlow(expr)                                                                                                \
	do                                                                                                                 \
	{                                                                                                                  \
		if (false)                                                                                                     \
		{                                                                                                              \
			(void)(expr);                                                                                              \
		}                                                                                                              \
	} while (0)
#define checkfSlow(expr, format, ...) checkSlow(expr)
#define verifySlow(expr)                                                                                               \
	do                                                                                                                 \
	{                                                                                                                  \
		(void)(expr);                                                                                                  \
	} while (0)
#endif

// ensure evaluates to the condition; the report is printed only the first time a call site fails.
#define ensure(expr)                                                                                                   \
	(LIKELY(!!(expr)) || ([]() -> bool { \
		static std::atomic<bool> bExecuted = false; \
		if (!bExecuted.exchange(true)) \
		{ \
			FDebug::EnsureFailed(#expr, __FILE__, __LINE__); \
		} \
		return false; \
	}()))

#define ensureMsgf(expr, format, ...)                                                                                  \
	(LIKELY(!!(expr)) || ([&]() -> bool { \
		static std::atomic<bool> bExecuted = false; \
		if (!bExecuted.exchange(true)) \
		{ \
			FDebug::EnsureFailedf(#expr, __FILE__, __LINE__, format, ##__VA_ARGS__); \
		} \
		return false; \
	}()))

// The Always forms report on every failure.
#define ensureAlways(expr) (LIKELY(!!(expr)) || (FDebug::EnsureFailed(#expr, __FILE__, __LINE__), false))
#define ensureAlwaysMsgf(expr, format, ...)                                                                            \
	(LIKELY(!!(expr)) || (FDebug::EnsureFailedf(#expr, __FILE__, __LINE__, format, ##__VA_ARGS__), false))
