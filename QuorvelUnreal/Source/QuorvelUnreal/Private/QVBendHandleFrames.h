// Handle frames of the bend solver: where each handle rests on the limb, where the animator moved it, the placement
// of the handles' space nulls, and the master control that bends the interior handles as a group.
#pragma once

#include "CoreMinimal.h"
#include "QVBendEvaluation.h"
#include "RigUnit_QVBendySolver.h"

// The poses of a segment's end bones: captured now (Start, End) and in the setup pose (SetupStart, SetupEnd).
struct FQVBendSegmentEnds
{
	FTransform Start;
	FTransform End;
	FTransform SetupStart;
	FTransform SetupEnd;
};

namespace QVBendHandleFrames
{
// The ends of a segment of at least two bones whose first and last bones have base poses; false otherwise.
bool GatherSegmentEnds(const FQVBendEvaluation& Evaluation, const FQVBendSegment& Segment, FQVBendSegmentEnds& OutEnds);

// Where the handle rests on the limb as posed now. It keeps its setup fraction along the line between the end bones,
// its setup offset from that line in the first bone's frame, and its setup orientation relative to the first bone.
// A handle without a control rests on the line with the first bone's rotation and scale. Writes nothing.
FTransform EvaluateHandleRest(URigHierarchy& Hierarchy, const FQVBendSegmentEnds& Ends, const FQVBendHandle& Handle);

// Rest frames by handle control, from every segment in order. A control seen again replaces its entry unless its
// handle sits at the segment's end (Parameter 0.999 or more), so a control that ends one segment and starts the
// next rests where the next segment starts.
void FillHandleRestCache(FQVBendEvaluation& Evaluation, TConstArrayView<FQVBendSegment> Segments);

// Rest and animated frames of the segment's handles into Evaluation.Handles, placing each handle's space null (and
// its parent control's "QVBendSpace_" null) the first time this evaluation meets that space.
void RunHandlePass(FQVBendEvaluation& Evaluation, const FQVBendSegment& Segment, const FQVBendSegmentEnds& Ends);

// Bends the interior handles along the curve through the start handle, the master and the end handle: rewrites
// their animated frames and places their space nulls there, and places the master's space null at its rest frame.
void RunMasterPass(FQVBendEvaluation& Evaluation, const FQVBendSegment& Segment, const FQVBendSegmentEnds& Ends,
	const FTransform& MasterLocal);

// The arithmetic of the master pass, with no hierarchy: the master's curve from Start to End through the end handles
// and the master (at MasterRest, moved by MasterLocal); each interior handle's rest frame bent along it into
// Scratch.BentRests and its animated frame rebuilt on that.
void BendInteriorHandles(const FVector& Start, const FVector& End, const FTransform& MasterRest,
	const FTransform& MasterLocal, FQVBendHandleFrames& Frames, FQVBendSolveScratch& Scratch);
} // namespace QVBendHandleFrames
