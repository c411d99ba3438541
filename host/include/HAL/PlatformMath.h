// The platform math class: the generic implementation on this build.
#pragma once

#include "GenericPlatform/GenericPlatformMath.h"

typedef FGenericPlatformMath FPlatformMath;
