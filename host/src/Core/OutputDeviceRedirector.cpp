// The log hub: forwarding to attached devices, and stderr output.
#include "Misc/OutputDeviceRedirector.h"

#include <cstdio>

FOutputDeviceRedirector* FOutputDeviceRedirector::Get()
{
	// Never destroyed, so that globals torn down late may still log.
	static FOutputDeviceRedirector* const Instance = new FOutputDeviceRedirector();
	return Instance;
}

void FOutputDeviceRedirector::AddOutputDevice(FOutputDevice* OutputDevice)
{
	if (OutputDevice != nullptr)
	{
		std::lock_guard<std::recursive_mutex> Lock(Mutex);
		OutputDevices.AddUnique(OutputDevice);
	}
}

void FOutputDeviceRedirector::RemoveOutputDevice(FOutputDevice* OutputDevice)
{
	std::lock_guard<std::recursive_mutex> Lock(Mutex);
	OutputDevices.Remove(OutputDevice);
}

bool FOutputDeviceRedirector::IsRedirectingTo(FOutputDevice* OutputDevice)
{
	std::lock_guard<std::recursive_mutex> Lock(Mutex);
	return OutputDevices.Contains(OutputDevice);
}

void FOutputDeviceRedirector::SetEchoToStdErr(bool bInEcho)
{
	std::lock_guard<std::recursive_mutex> Lock(Mutex);
	bEchoToStdErr = bInEcho;
}

void FOutputDeviceRedirector::Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category)
{
	std::lock_guard<std::recursive_mutex> Lock(Mutex);
	if (bEchoToStdErr || OutputDevices.IsEmpty())
	{
		FString Line;
		if (!Category.IsNone())
		{
			Category.AppendString(Line);
			Line += TEXT(": ");
		}
		if ((Verbosity & ELogVerbosity::VerbosityMask) != ELogVerbosity::Log)
		{
			Line += ToString(Verbosity);
			Line += TEXT(": ");
		}
		Line += V;
		std::fprintf(stderr, "%s\n", *Line);
	}
	// A copy, so that a device may detach itself (or attach another) while receiving the line.
	const TArray<FOutputDevice*> Devices = OutputDevices;
	for (FOutputDevice* Device : Devices)
	{
		if (OutputDevices.Contains(Device))
		{
			Device->Serialize(V, Verbosity, Category);
		}
	}
}

void FOutputDeviceRedirector::Flush()
{
	std::lock_guard<std::recursive_mutex> Lock(Mutex);
	for (FOutputDevice* Device : OutputDevices)
	{
		Device->Flush();
	}
	std::fflush(stderr);
}
