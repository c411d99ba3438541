// EAxis: names the X, Y and Z axes of vectors, matrices and transforms.
#pragma once

#include "CoreTypes.h"

namespace EAxis
{
enum Type
{
	None,
	X,
	Y,
	Z,
};
}
