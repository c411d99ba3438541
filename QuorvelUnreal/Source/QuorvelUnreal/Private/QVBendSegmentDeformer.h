// One segment of the bend solver: bones laid along the bend curve, aimed at their next bone, twisted and scaled by
// the handles near them.
#pragma once

#include "CoreMinimal.h"
#include "QVBendEvaluation.h"
#include "RigUnit_QVBendySolver.h"

namespace QVBendSegmentDeformer
{
// Solves the segment's bones into Evaluation.SolvedPoses (global transforms) and places its handles' space nulls.
// A segment is deformed only if it has at least two bones, one parameter per bone, at least three handles (start,
// interior, end), and every one of its bones has a base pose. Any other segment is skipped before it writes or
// solves anything.
void DeformSegment(FQVBendEvaluation& Evaluation, const FQVBendSegment& Segment);
} // namespace QVBendSegmentDeformer
