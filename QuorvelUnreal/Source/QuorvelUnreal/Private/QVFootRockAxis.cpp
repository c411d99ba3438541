// The rock axis letters of the reverse foot roll.
#include "QVFootRockAxis.h"

EQVFootRockAxis QVFootRockAxis::Parse(const FName& AxisName)
{
	// Names compare by their case-insensitive table entry, so the letters match in either case without reading text.
	static const FName XName(TEXT("X"));
	static const FName YName(TEXT("Y"));
	static const FName ZName(TEXT("Z"));
	if (AxisName == XName)
	{
		return EQVFootRockAxis::X;
	}
	if (AxisName == YName)
	{
		return EQVFootRockAxis::Y;
	}
	return AxisName == ZName ? EQVFootRockAxis::Z : EQVFootRockAxis::Unrecognised;
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
