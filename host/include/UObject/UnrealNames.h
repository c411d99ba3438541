// Names the engine knows by number. Only None is needed: it is index 0 of the name table.
#pragma once

#include "CoreTypes.h"

enum class EName : uint32
{
	None = 0,
};

inline constexpr EName NAME_None = EName::None;
