// Control settings words and control values as rig files write them, shaped by the control type.
#pragma once

#include "CoreMinimal.h"
#include "QVJson/JsonValue.h"
#include "Rigs/RigHierarchyDefines.h"
#include "Rigs/RigHierarchyDefines.h"

struct FQVControlValueJson
{
	// The engine's enumerator names, matched without regard to case.
	static ERigControlType ReadControlType(const FQVJsonValue& InValue);
	static ERigControlAnimationType ReadAnimationType(const FQVJsonValue& InValue);
	static ERigControlAxis ReadAxis(const FQVJsonValue& InValue);

	// A bool for Bool; a number for Float and ScaleFloat; a whole number for Integer; [x, y] for Vector2D;
	// [x, y, z] for Position and Scale; [pitch, yaw, roll] for Rotator; a transform object for the transform types
	// (TransformNoScale without a scale).
	static FRigControlValue Read(const FQVJsonValue& InValue, ERigControlType InControlType);

	// What a control of the type holds when the file gives no value: zero, and unit scales and identity rotations.
	static FRigControlValue MakeDefault(ERigControlType InControlType);
};
