// The JSON shapes of engine values in rig and asset files: vectors, rotations, transforms, colours, element keys.
#pragma once

#include "CoreMinimal.h"
#include "EulerTransform.h"
#include "QVJson/JsonValue.h"
#include "Rigs/RigHierarchyDefines.h"

struct FQVJsonShapes
{
	// ---- Reading; each throws FQVJsonError naming the value's path ----

	// [x, y, z]
	static FVector ReadVector(const FQVJsonValue& InValue);
	// [x, y]
	static FVector2D ReadVector2D(const FQVJsonValue& InValue);
	// [pitch, yaw, roll] or { "pitch", "yaw", "roll" } in degrees; missing angles of the object form are 0.
	static FRotator ReadRotator(const FQVJsonValue& InValue);
	// A unit quaternion [x, y, z, w] (normalised, as the engine stores rotations) or a rotator object.
	static FQuat ReadRotation(const FQVJsonValue& InValue);
	// [x, y, z, w] exactly as written, or a rotator object: stored quaternion fields come back bit for bit.
	static FQuat ReadQuat(const FQVJsonValue& InValue);
	// { "translation", "rotation", "scale" }, every part optional. Without bInAllowScale a scale is an error.
	// bInExactRotation keeps a quaternion as written instead of requiring and normalising a unit one.
	static FTransform ReadTransform(
		const FQVJsonValue& InValue, bool bInAllowScale = true, bool bInExactRotation = false);
	// As ReadTransform, keeping a rotator's angles as written (a quaternion converts to its rotator).
	static FEulerTransform ReadEulerTransform(const FQVJsonValue& InValue);
	// [r, g, b, a]
	static FLinearColor ReadLinearColor(const FQVJsonValue& InValue);
	// "bone", "null" or "control", in any case.
	static ERigElementType ReadElementType(const FQVJsonValue& InValue);
	// { "type": "bone", "name": "x" }
	static FRigElementKey ReadElementKey(const FQVJsonValue& InValue);

	// ---- Writing, in the shapes the readers take ----

	// Finite numbers as numbers (doubles round-trip exactly); NaN and infinities as the strings "NaN", "Infinity"
	// and "-Infinity", which ReadNumber takes back.
	static FQVJson WriteNumber(double InValue);
	static FQVJson WriteVector(const FVector& InValue);
	static FQVJson WriteVector2D(const FVector2D& InValue);
	static FQVJson WriteRotator(const FRotator& InValue);
	static FQVJson WriteQuat(const FQuat& InValue);
	static FQVJson WriteTransform(const FTransform& InValue);
	static FQVJson WriteEulerTransform(const FEulerTransform& InValue);
	static FQVJson WriteLinearColor(const FLinearColor& InValue);
	static FQVJson WriteElementKey(const FRigElementKey& InValue);

	// A number, or one of the strings WriteNumber uses for values JSON numbers cannot hold.
	static double ReadNumber(const FQVJsonValue& InValue);

	// ---- Element type words ----

	// The element types rig files hold, as they spell them: "bone", "null" and "control".
	static const TArray<FString>& GetElementTypeWords();
	// ERigElementType::None for any other word. Case is ignored.
	static ERigElementType ParseElementType(const FString& InWord);
	// "bone", "null", "control", ...
	static FString ElementTypeWord(ERigElementType InType);
};
