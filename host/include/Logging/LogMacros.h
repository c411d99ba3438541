// UE_LOG and the macros that declare and define log categories.
//
// UE_LOG(LogCategory, Warning, TEXT("Format %d"), Value) formats like FString::Printf and sends the line to GLog,
// unless the category's current verbosity suppresses it. Fatal lines are always sent, then the process aborts.
#pragma once

#include "CoreTypes.h"
#include "Logging/LogCategory.h"
#include "Logging/LogVerbosity.h"
#include "UObject/NameTypes.h"

#include <type_traits>

struct FMsg
{
	// Formats and sends one line to GLog.
	static CORE_API void Logf(const ANSICHAR* File, int32 Line, const FName& Category, ELogVerbosity::Type Verbosity,
		const TCHAR* Format, ...) __attribute__((format(printf, 5, 6)));
	// As Logf at Fatal verbosity, then aborts.
	[[noreturn]] static CORE_API void LogfFatal(const ANSICHAR* File, int32 Line, const FName& Category,
		const TCHAR* Format, ...) __attribute__((format(printf, 4, 5)));
};

#define UE_LOG(CategoryName, Verbosity, Format, ...)                                                                   \
	do                                                                                                                 \
	{                                                                                                                  \
		static_assert((ELogVerbosity::Verbosity & ELogVerbosity::VerbosityMask) < ELogVerbosity::NumVerbosity &&       \
				ELogVerbosity::Verbosity > 0,                                                                          \
			"Verbosity must be constant and in range.");                                                               \
		if constexpr (ELogVerbosity::Verbosity == ELogVerbosity::Fatal)                                                \
		{                                                                                                              \
			FMsg::LogfFatal(__FILE__, __LINE__, CategoryName.GetCategoryName(), Format, ##__VA_ARGS__);                \
		}                                                                                                              \
		else if constexpr ((ELogVerbosity::Verbosity & ELogVerbosity::VerbosityMask) <=                                \
			std::remove_cvref_t<decltype(CategoryName)>::CompileTimeVerbosity)                                         \
		{                                                                                                              \
			if (!CategoryName.IsSuppressed(ELogVerbosity::Verbosity))                                                  \
			{                                                                                                          \
				FMsg::Logf(__FILE__, __LINE__, CategoryName.GetCategoryName(), ELogVerbosity::Verbosity, Format,       \
					##__VA_ARGS__);                                                                                    \
			}                                                                                                          \
		}                                                                                                              \
	} while (0)

// UE_LOG only when Condition holds; the condition is not evaluated when the line would be suppressed anyway.
#define UE_CLOG(Condition, CategoryName, Verbosity, Format, ...)                                                       \
	do                                                                                                                 \
	{                                                                                                                  \
		if (UE_LOG_ACTIVE(CategoryName, Verbosity) && (Condition))                                                     \
		{                                                                                                              \
			UE_LOG(CategoryName, Verbosity, Format, ##__VA_ARGS__);                                                    \
		}                                                                                                              \
	} while (0)

// Whether UE_LOG at this verbosity would currently reach the log.
#define UE_LOG_ACTIVE(CategoryName, Verbosity)                                                                         \
	((ELogVerbosity::Verbosity & ELogVerbosity::VerbosityMask) <=                                                      \
			std::remove_cvref_t<decltype(CategoryName)>::CompileTimeVerbosity &&                                       \
		!CategoryName.IsSuppressed(ELogVerbosity::Verbosity))

#define UE_GET_LOG_VERBOSITY(CategoryName) CategoryName.GetVerbosity()
#define UE_SET_LOG_VERBOSITY(CategoryName, Verbosity) CategoryName.SetVerbosity(ELogVerbosity::Verbosity)

// In a header: declares the category object, defined once by DEFINE_LOG_CATEGORY in a source file.
#define DECLARE_LOG_CATEGORY_EXTERN(CategoryName, DefaultVerbosity, CompileTimeVerbosity)                              \
	extern struct FLogCategory##CategoryName                                                                           \
		: public FLogCategory<ELogVerbosity::DefaultVerbosity, ELogVerbosity::CompileTimeVerbosity>                    \
	{                                                                                                                  \
		FORCEINLINE FLogCategory##CategoryName() : FLogCategory(TEXT(#CategoryName)) {}                                \
	} CategoryName;

#define DEFINE_LOG_CATEGORY(CategoryName) FLogCategory##CategoryName CategoryName;

// A category private to one source file.
#define DEFINE_LOG_CATEGORY_STATIC(CategoryName, DefaultVerbosity, CompileTimeVerbosity)                               \
	static struct FLogCategory##CategoryName                                                                           \
		: public FLogCategory<ELogVerbosity::DefaultVerbosity, ELogVerbosity::CompileTimeVerbosity>                    \
	{                                                                                                                  \
		FORCEINLINE FLogCategory##CategoryName() : FLogCategory(TEXT(#CategoryName)) {}                                \
	} CategoryName;

// A category as a static member of a class, defined with DEFINE_LOG_CATEGORY_CLASS(Class, CategoryName).
#define DECLARE_LOG_CATEGORY_CLASS(CategoryName, DefaultVerbosity, CompileTimeVerbosity)                               \
	struct FLogCategory##CategoryName                                                                                  \
		: public FLogCategory<ELogVerbosity::DefaultVerbosity, ELogVerbosity::CompileTimeVerbosity>                    \
	{                                                                                                                  \
		FORCEINLINE FLogCategory##CategoryName() : FLogCategory(TEXT(#CategoryName)) {}                                \
	};                                                                                                                 \
	static FLogCategory##CategoryName CategoryName;

#define DEFINE_LOG_CATEGORY_CLASS(Class, CategoryName) Class::FLogCategory##CategoryName Class::CategoryName;
