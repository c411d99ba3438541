// Converting transforms between the engine's space and the right-handed spaces of the files the runner exchanges:
// glTF and Maya scenes.
#pragma once

#include "CoreMinimal.h"

// The up axis of a right-handed space. The engine's space is left-handed: X forward, Y right, Z up, in centimetres.
enum class EQVUpAxis : uint8
{
	// Y up (glTF; a Maya scene's default): the engine's X, Y, Z are this space's X, Z, Y, as the engine's glTF
	// exporter and its FBX import of a Y-up scene map them.
	Y,
	// Z up (a Maya scene set to Z up): the engine's X, Y, Z are this space's X, -Y, Z, as its FBX import maps them.
	Z,
};

// A fixed signed permutation of the axes (a mirror, since handedness changes) and a length unit. The mapping of
// the axes is its own inverse, so the same swap converts both ways; only the length scaling differs.
struct FQVAxisConversion
{
	EQVUpAxis UpAxis = EQVUpAxis::Y;
	// The other space's length unit in centimetres: 1 for centimetres, 100 for metres.
	double UnitInCentimetres = 1.0;

	// A direction or position, without changing its length unit.
	FVector SwapAxes(const FVector& InVector) const;
	// A rotation: the mirrored axis with its sign flipped (a mirror turns rotations the other way), W unchanged.
	FQuat SwapAxes(const FQuat& InRotation) const;
	// A scale: its components reordered as the axes are, never negated.
	FVector SwapScaleAxes(const FVector& InScale) const;

	// A transform of the engine's space in the other space, and back.
	FTransform ToOther(const FTransform& InEngineTransform) const;
	FTransform ToEngine(const FTransform& InOtherTransform) const;
};
