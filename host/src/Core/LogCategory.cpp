// Log categories and their run-time verbosity.
#include "Logging/LogCategory.h"

FLogCategoryBase::FLogCategoryBase(
	const TCHAR* InCategoryName, ELogVerbosity::Type InDefaultVerbosity, ELogVerbosity::Type InCompileTimeVerbosity)
	: Verbosity(ELogVerbosity::NoLogging), DefaultVerbosity(InDefaultVerbosity),
	  CompileTimeVerbosity(InCompileTimeVerbosity), CategoryName(InCategoryName)
{
	ResetToDefault();
}

void FLogCategoryBase::SetVerbosity(ELogVerbosity::Type NewVerbosity)
{
	const ELogVerbosity::Type Masked = static_cast<ELogVerbosity::Type>(NewVerbosity & ELogVerbosity::VerbosityMask);
	Verbosity.store(Masked < CompileTimeVerbosity ? Masked : CompileTimeVerbosity, std::memory_order_relaxed);
}
