// FScopeLock, under the path engine code includes it from.
#pragma once

#include "HAL/CriticalSection.h"
