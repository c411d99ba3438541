// IModuleInterface: what a module object implements; every operation has the engine's default.
#pragma once

#include "CoreTypes.h"

class IModuleInterface
{
public:
	virtual ~IModuleInterface() = default;

	// After the module is loaded and its object made.
	virtual void StartupModule() {}
	// Before ShutdownModule when the module is unloaded at shut-down.
	virtual void PreUnloadCallback() {}
	// After a module is reloaded.
	virtual void PostLoadCallback() {}
	// Before the module is unloaded.
	virtual void ShutdownModule() {}

	virtual bool SupportsDynamicReloading() { return true; }
	virtual bool SupportsAutomaticShutdown() { return true; }
	virtual bool IsGameModule() const { return false; }
};
