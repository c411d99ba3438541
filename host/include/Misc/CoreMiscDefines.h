// Small shared definitions of the engine's Core module.
#pragma once

#include "HAL/Platform.h"

enum
{
	INDEX_NONE = -1
};

enum EForceInit
{
	ForceInit,
	ForceInitToZero
};

enum ENoInit
{
	NoInit
};

#define UE_ARRAY_COUNT(Array) (sizeof(Array) / sizeof((Array)[0]))
