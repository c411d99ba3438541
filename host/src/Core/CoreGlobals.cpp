// Globals of the Core module.
#include "CoreGlobals.h"

#include "Misc/OutputDeviceRedirector.h"

FOutputDeviceRedirector* GLog = FOutputDeviceRedirector::Get();

DEFINE_LOG_CATEGORY(LogTemp);
