// The rock axis letters of the reverse foot roll: which letter a pin names, and the pivot axis it gives.
#pragma once

#include "CoreMinimal.h"

// The axis a rock axis pin names. Letters compare without regard to case.
enum class EQVFootRockAxis : uint8
{
	X,
	Y,
	Z,
	// Any other name, None included: turns as Z does.
	Unrecognised,
};

namespace QVFootRockAxis
{
EQVFootRockAxis Parse(const FName& AxisName);

// Axes are named in the rig description's frame: X stays X, Y is the engine's Z, and Z (or an unrecognised name) is
// the engine's Y.
FVector ToPivotAxis(EQVFootRockAxis Axis);
} // namespace QVFootRockAxis
