// FOutputDeviceRedirector: the log hub (GLog) that forwards every line to the attached output devices.
//
// Without attached devices it writes "Category: Verbosity: text" lines to stderr ("Category: text" at Log
// verbosity). Devices may be attached and removed from any thread; once RemoveOutputDevice returns, the device
// receives nothing more and may be destroyed.
#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Misc/OutputDevice.h"

#include <mutex>

class FOutputDeviceRedirector final : public FOutputDevice
{
public:
	static CORE_API FOutputDeviceRedirector* Get();

	CORE_API void AddOutputDevice(FOutputDevice* OutputDevice);
	CORE_API void RemoveOutputDevice(FOutputDevice* OutputDevice);
	CORE_API bool IsRedirectingTo(FOutputDevice* OutputDevice);

	// Whether lines also go to stderr while devices are attached (they always do when none is). On by default.
	CORE_API void SetEchoToStdErr(bool bInEcho);

	CORE_API void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override;
	CORE_API void Flush() override;
	bool CanBeUsedOnAnyThread() const override { return true; }
	bool CanBeUsedOnMultipleThreads() const override { return true; }

private:
	FOutputDeviceRedirector() = default;

	// Recursive, so that a device may log, or detach itself, while receiving a line.
	std::recursive_mutex Mutex;
	TArray<FOutputDevice*> OutputDevices;
	bool bEchoToStdErr = true;
};
