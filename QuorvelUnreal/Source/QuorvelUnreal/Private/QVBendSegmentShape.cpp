// The counts a bend segment needs before it can be deformed.
#include "QVBendSegmentShape.h"

EQVBendSegmentShape QVBendSegmentShape::Check(const FQVBendSegment& Segment)
{
	if (Segment.Bones.Num() < MinBones)
	{
		return EQVBendSegmentShape::TooFewBones;
	}
	if (Segment.Parameters.Num() != Segment.Bones.Num())
	{
		return EQVBendSegmentShape::ParameterCountMismatch;
	}
	if (Segment.Handles.Num() < MinHandles)
	{
		return EQVBendSegmentShape::TooFewHandles;
	}
	return EQVBendSegmentShape::Deformable;
}
