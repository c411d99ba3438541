// The engine's most basic types: platform integers, characters and INDEX_NONE.
#pragma once

#include "HAL/Platform.h"
#include "Misc/CoreMiscDefines.h"
