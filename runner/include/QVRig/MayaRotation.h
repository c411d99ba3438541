// Euler rotations as Maya writes them: three angles in degrees, right-handed, applied about the parent's axes in the
// node's rotate order ("xyz" turns about X first, then Y, then Z).
#pragma once

#include "CoreMinimal.h"

// Maya's rotateOrder values, in the order of the attribute's enumeration.
enum class EQVRotateOrder : uint8
{
	XYZ,
	YZX,
	ZXY,
	XZY,
	YXZ,
	ZYX,
};

struct FQVMayaRotation
{
	// "xyz", "yzx", "zxy", "xzy", "yxz", "zyx", by EQVRotateOrder.
	static const TArray<FString>& GetOrderNames();

	// The rotation of the angles InDegrees (about X, Y and Z) applied in InOrder, in the same right-handed space.
	static FQuat ToQuat(const FVector& InDegrees, EQVRotateOrder InOrder);
	// Angles in degrees that give InRotation in the order xyz: Y within [-90, 90], X and Z within [-180, 180]. When Y
	// is at +-90 degrees (gimbal lock) Z is 0 and X carries the rest.
	static FVector ToEulerXYZ(const FQuat& InRotation);
};
