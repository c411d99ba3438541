// Whether a container may release spare memory when elements are removed.
#pragma once

#include "CoreTypes.h"

// Default lets the container decide. Containers here keep their allocation unless told Yes, so scratch arrays that
// are refilled every frame never reallocate.
enum class EAllowShrinking : uint8
{
	No,
	Yes,
	Default,
};
