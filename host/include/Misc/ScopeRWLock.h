// The scoped read/write locks, under the path engine code includes them from.
#pragma once

#include "HAL/CriticalSection.h"
