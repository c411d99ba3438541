// Globals of the Core module: the log hub and the general-purpose log category.
#pragma once

#include "CoreTypes.h"
#include "Logging/LogMacros.h"

class FOutputDeviceRedirector;

// The log every UE_LOG line goes to.
extern CORE_API FOutputDeviceRedirector* GLog;

CORE_API DECLARE_LOG_CATEGORY_EXTERN(LogTemp, Log, All);
