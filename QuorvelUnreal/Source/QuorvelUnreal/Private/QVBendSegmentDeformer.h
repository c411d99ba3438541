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

// What a deformable segment's bones are solved from, with no hierarchy: the segment's end positions, its handles'
// frames, its bones' parameters and base poses, and the master's local transform and parameter when it has one.
struct FQVBendSegmentInput
{
	FVector Start;
	FVector End;
	const FQVBendHandleFrames& Handles;
	TConstArrayView<float> Parameters;
	TConstArrayView<FTransform> Bases;
	// Null without a master.
	const FTransform* MasterLocal = nullptr;
	float MasterParameter = 0.f;
};

// The arithmetic of DeformSegment: every bone's solved global transform into Scratch.Poses (one per bone; the last
// bone only moved).
void SolveBones(const FQVBendSegmentInput& Input, FQVBendSolveScratch& Scratch);
} // namespace QVBendSegmentDeformer
