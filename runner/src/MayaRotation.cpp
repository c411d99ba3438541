// Maya Euler angles to quaternions and back.
#include "QVRig/MayaRotation.h"

#include <cmath>

const TArray<FString>& FQVMayaRotation::GetOrderNames()
{
	static const TArray<FString> Names = {TEXT("xyz"), TEXT("yzx"), TEXT("zxy"), TEXT("xzy"), TEXT("yxz"), TEXT("zyx")};
	return Names;
}

FQuat FQVMayaRotation::ToQuat(const FVector& InDegrees, EQVRotateOrder InOrder)
{
	const FVector Radians = InDegrees * (UE_DOUBLE_PI / 180.0);
	const FQuat AboutAxis[3] = {
		FQuat(FVector(1, 0, 0), Radians.X), FQuat(FVector(0, 1, 0), Radians.Y), FQuat(FVector(0, 0, 1), Radians.Z)};
	// The axes of each order, first applied first.
	static const int32 Axes[6][3] = {{0, 1, 2}, {1, 2, 0}, {2, 0, 1}, {0, 2, 1}, {1, 0, 2}, {2, 1, 0}};
	const int32* Order = Axes[static_cast<int32>(InOrder)];
	// A * B applies B first.
	return AboutAxis[Order[2]] * AboutAxis[Order[1]] * AboutAxis[Order[0]];
}

FVector FQVMayaRotation::ToEulerXYZ(const FQuat& InRotation)
{
	const FQuat Q = InRotation.GetNormalized();
	// The rotation matrix Rz * Ry * Rx, for column vectors; only the entries the angles need.
	const double R00 = 1.0 - 2.0 * (Q.Y * Q.Y + Q.Z * Q.Z);
	const double R10 = 2.0 * (Q.X * Q.Y + Q.Z * Q.W);
	const double R20 = 2.0 * (Q.X * Q.Z - Q.Y * Q.W);
	const double R21 = 2.0 * (Q.Y * Q.Z + Q.X * Q.W);
	const double R22 = 1.0 - 2.0 * (Q.X * Q.X + Q.Y * Q.Y);
	const double R11 = 1.0 - 2.0 * (Q.X * Q.X + Q.Z * Q.Z);
	const double R12 = 2.0 * (Q.Y * Q.Z - Q.X * Q.W);
	const double CosY = std::sqrt(R00 * R00 + R10 * R10);
	FVector Radians;
	Radians.Y = std::atan2(-R20, CosY);
	if (CosY > 1e-9)
	{
		Radians.X = std::atan2(R21, R22);
		Radians.Z = std::atan2(R10, R00);
	}
	else
	{
		Radians.X = std::atan2(-R12, R11);
		Radians.Z = 0.0;
	}
	return Radians * (180.0 / UE_DOUBLE_PI);
}
