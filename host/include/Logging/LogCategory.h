// Log categories: a name and a verbosity that can change at run time, up to the limit compiled in.
#pragma once

#include "CoreTypes.h"
#include "Logging/LogVerbosity.h"
#include "UObject/NameTypes.h"

#include <atomic>

struct FLogCategoryBase
{
	CORE_API FLogCategoryBase(
		const TCHAR* CategoryName, ELogVerbosity::Type InDefaultVerbosity, ELogVerbosity::Type InCompileTimeVerbosity);

	// True when lines of this verbosity are dropped.
	FORCEINLINE bool IsSuppressed(ELogVerbosity::Type VerbosityLevel) const
	{
		return (VerbosityLevel & ELogVerbosity::VerbosityMask) > Verbosity.load(std::memory_order_relaxed);
	}

	FORCEINLINE const FName& GetCategoryName() const { return CategoryName; }
	FORCEINLINE ELogVerbosity::Type GetVerbosity() const { return Verbosity.load(std::memory_order_relaxed); }
	FORCEINLINE ELogVerbosity::Type GetDefaultVerbosity() const { return DefaultVerbosity; }
	FORCEINLINE ELogVerbosity::Type GetCompileTimeVerbosity() const { return CompileTimeVerbosity; }

	// Clamped to the compile-time verbosity; Fatal lines are never suppressed by this.
	CORE_API void SetVerbosity(ELogVerbosity::Type NewVerbosity);
	void ResetToDefault() { SetVerbosity(DefaultVerbosity); }

private:
	std::atomic<ELogVerbosity::Type> Verbosity;
	const ELogVerbosity::Type DefaultVerbosity;
	const ELogVerbosity::Type CompileTimeVerbosity;
	const FName CategoryName;
};

// A category whose limits are known at compile time, so lines above CompileTimeVerbosity cost nothing.
template <ELogVerbosity::Type InDefaultVerbosity, ELogVerbosity::Type InCompileTimeVerbosity>
struct FLogCategory : public FLogCategoryBase
{
	static constexpr ELogVerbosity::Type CompileTimeVerbosity = InCompileTimeVerbosity;

	FORCEINLINE explicit FLogCategory(const TCHAR* InCategoryName)
		: FLogCategoryBase(InCategoryName, InDefaultVerbosity, InCompileTimeVerbosity)
	{
	}
};
