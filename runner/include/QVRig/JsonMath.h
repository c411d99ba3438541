// Vectors, rotations and transforms as rig files write them.
#pragma once

#include "CoreMinimal.h"
#include "EulerTransform.h"
#include "QVRig/JsonValue.h"

struct FQVJsonMath
{
	// [x, y, z]
	static FVector ReadVector(const FQVJsonValue& InValue);
	// [x, y]
	static FVector2D ReadVector2D(const FQVJsonValue& InValue);
	// [pitch, yaw, roll] or { "pitch", "yaw", "roll" } in degrees; missing angles of the object form are 0.
	static FRotator ReadRotator(const FQVJsonValue& InValue);
	// A quaternion [x, y, z, w] (normalised, as stored in the engine) or a rotator object.
	static FQuat ReadRotation(const FQVJsonValue& InValue);
	// { "translation", "rotation", "scale" }, every part optional. Without bInAllowScale a scale is an error.
	static FTransform ReadTransform(const FQVJsonValue& InValue, bool bInAllowScale = true);
	// As ReadTransform, keeping a rotator's angles as written (a quaternion converts to its rotator).
	static FEulerTransform ReadEulerTransform(const FQVJsonValue& InValue);
};
