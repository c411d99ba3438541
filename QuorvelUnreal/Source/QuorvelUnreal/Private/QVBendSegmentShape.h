// Whether a bend segment's own record lets it be deformed: its counts of bones, parameters and handles. The bones'
// base poses, the other condition, depend on the evaluation's snapshot bones and are checked where they are captured.
#pragma once

#include "CoreMinimal.h"
#include "RigUnit_QVBendySolver.h"

// The first count that keeps a segment from being deformed, in the order they are checked.
enum class EQVBendSegmentShape : uint8
{
	Deformable,
	// Fewer than MinBones bones.
	TooFewBones,
	// Not one parameter per bone.
	ParameterCountMismatch,
	// Fewer than MinHandles handles: a start, at least one interior handle and an end.
	TooFewHandles,
};

namespace QVBendSegmentShape
{
inline constexpr int32 MinBones = 2;
inline constexpr int32 MinHandles = 3;

EQVBendSegmentShape Check(const FQVBendSegment& Segment);
} // namespace QVBendSegmentShape
