// FOutputDevice: a destination for log lines. Subclasses implement Serialize.
#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"
#include "Logging/LogVerbosity.h"
#include "UObject/NameTypes.h"

class FOutputDevice
{
public:
	FOutputDevice() = default;
	FOutputDevice(const FOutputDevice&) = default;
	FOutputDevice& operator=(const FOutputDevice&) = default;
	virtual ~FOutputDevice() = default;

	// Receives one line without its line end.
	virtual void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) = 0;
	virtual void Flush() {}
	virtual void TearDown() {}
	virtual bool CanBeUsedOnAnyThread() const { return false; }
	virtual bool CanBeUsedOnMultipleThreads() const { return false; }

	void Log(const TCHAR* S) { Serialize(S, ELogVerbosity::Log, NAME_None); }
	void Log(const FString& S) { Log(*S); }
	void Log(ELogVerbosity::Type Verbosity, const TCHAR* S) { Serialize(S, Verbosity, NAME_None); }
	void Log(ELogVerbosity::Type Verbosity, const FString& S) { Log(Verbosity, *S); }
	void Log(const FName& Category, ELogVerbosity::Type Verbosity, const TCHAR* Str)
	{
		Serialize(Str, Verbosity, Category);
	}
	void Log(const FName& Category, ELogVerbosity::Type Verbosity, const FString& S) { Log(Category, Verbosity, *S); }

	CORE_API void Logf(const TCHAR* Format, ...) __attribute__((format(printf, 2, 3)));
	CORE_API void Logf(ELogVerbosity::Type Verbosity, const TCHAR* Format, ...) __attribute__((format(printf, 3, 4)));
};
