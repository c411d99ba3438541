// The rock axis letters of the reverse foot roll.
#include "QVFootRockAxis.h"

EQVFootRockAxis QVFootRockAxis::Parse(const FName& AxisName)
{
	if (AxisName == TEXT("X"))
	{
		return EQVFootRockAxis::X;
	}
	if (AxisName == TEXT("Y"))
	{
		return EQVFootRockAxis::Y;
	}
	return AxisName == TEXT("Z") ? EQVFootRockAxis::Z : EQVFootRockAxis::Unrecognised;
}

FVector QVFootRockAxis::ToPivotAxis(EQVFootRockAxis Axis)
{
	switch (Axis)
	{
		case EQVFootRockAxis::X:
			return FVector(1.0, 0.0, 0.0);
		case EQVFootRockAxis::Y:
			return FVector(0.0, 0.0, 1.0);
		default:
			return FVector(0.0, 1.0, 0.0);
	}
}
