// Handle frames of the bend solver: rest frames, animated frames, space placement and the master pass.
#include "QVBendHandleFrames.h"

#include "QVBendCurve.h"
#include "QVBendSegmentShape.h"

namespace QVBendHandleFrames
{
namespace
{
// Handles at or beyond this parameter end their segment; their rest frame yields to the next segment's start.
constexpr float SegmentEndParameter = 0.999f;

// A handle's space null in the segment's layout: under its parent control, which sits under its "QVBendSpace_" null.
// That null goes first: placed second, it would drag the already placed space null along with it.
void PlaceHandleSpace(
	FQVBendEvaluation& Evaluation, const FQVBendHandle& Handle, const FTransform& Rest, const FTransform& ParentLocal)
{
	if (!Handle.ParentControl.IsNone())
	{
		QVBendRigAccess::WriteNullGlobal(
			Evaluation.Hierarchy, Evaluation.SupportNames.ParentControlSpace(Handle.ParentControl), Rest);
	}
	QVBendRigAccess::WriteNullGlobal(Evaluation.Hierarchy, Handle.Space, ParentLocal * Rest);
}
} // namespace

bool GatherSegmentEnds(const FQVBendEvaluation& Evaluation, const FQVBendSegment& Segment, FQVBendSegmentEnds& OutEnds)
{
	if (Segment.Bones.Num() < QVBendSegmentShape::MinBones)
	{
		return false;
	}
	const FTransform* Start = Evaluation.BasePoses.Find(Segment.Bones[0]);
	const FTransform* End = Evaluation.BasePoses.Find(Segment.Bones.Last());
	if (Start == nullptr || End == nullptr)
	{
		return false;
	}
	OutEnds.Start = *Start;
	OutEnds.End = *End;
	OutEnds.SetupStart = QVBendRigAccess::ReadTransform(
		Evaluation.Hierarchy, Segment.Bones[0], ERigElementType::Bone, ERigTransformType::InitialGlobal);
	OutEnds.SetupEnd = QVBendRigAccess::ReadTransform(
		Evaluation.Hierarchy, Segment.Bones.Last(), ERigElementType::Bone, ERigTransformType::InitialGlobal);
	return true;
}

FTransform EvaluateHandleRest(URigHierarchy& Hierarchy, const FQVBendSegmentEnds& Ends, const FQVBendHandle& Handle)
{
	const double Parameter = Handle.Parameter;
	const FVector OnLine = QVBendCurve::PointOnLine(Ends.Start.GetTranslation(), Ends.End.GetTranslation(), Parameter);
	if (Handle.Control.IsNone())
	{
		return FTransform(Ends.Start.GetRotation(), OnLine, Ends.Start.GetScale3D());
	}

	const FTransform& SetupStart = Ends.SetupStart;
	const FTransform SetupSpace = QVBendRigAccess::ReadTransform(
		Hierarchy, Handle.Space, ERigElementType::Null, ERigTransformType::InitialGlobal);
	// Orientation and scale: the space's setup placement in the first bone's setup frame, carried by the first bone.
	const FTransform SpaceInStart = SetupSpace.GetRelativeTransform(SetupStart);
	FTransform Rest;
	FTransform::Multiply(&Rest, &SpaceInStart, &Ends.Start);

	// Position: the setup offset from the setup line, in the first bone's frame, added to the current line.
	const FVector SetupOffset = SetupSpace.GetTranslation() -
		QVBendCurve::PointOnLine(SetupStart.GetTranslation(), Ends.SetupEnd.GetTranslation(), Parameter);
	const FVector LocalOffset = SetupStart.GetRotation().UnrotateVector(SetupOffset) *
		FTransform::GetSafeScaleReciprocal(SetupStart.GetScale3D());
	Rest.SetTranslation(OnLine + Ends.Start.GetRotation().RotateVector(LocalOffset * Ends.Start.GetScale3D()));
	return Rest;
}

void FillHandleRestCache(FQVBendEvaluation& Evaluation, TConstArrayView<FQVBendSegment> Segments)
{
	FQVBendSegmentEnds Ends;
	for (const FQVBendSegment& Segment : Segments)
	{
		if (!GatherSegmentEnds(Evaluation, Segment, Ends))
		{
			continue;
		}
		for (const FQVBendHandle& Handle : Segment.Handles)
		{
			if (Handle.Control.IsNone())
			{
				continue;
			}
			if (Handle.Parameter < SegmentEndParameter || !Evaluation.HandleRestCache.Contains(Handle.Control))
			{
				Evaluation.HandleRestCache.Add(Handle.Control, EvaluateHandleRest(Evaluation.Hierarchy, Ends, Handle));
			}
		}
	}
}

void RunHandlePass(FQVBendEvaluation& Evaluation, const FQVBendSegment& Segment, const FQVBendSegmentEnds& Ends)
{
	FQVBendHandleFrames& Frames = Evaluation.Handles;
	Frames.SetNum(Segment.Handles.Num());
	for (int32 Index = 0; Index < Segment.Handles.Num(); ++Index)
	{
		const FQVBendHandle& Handle = Segment.Handles[Index];
		const FTransform* Cached = Evaluation.HandleRestCache.Find(Handle.Control);
		const FTransform Rest = Cached != nullptr ? *Cached : EvaluateHandleRest(Evaluation.Hierarchy, Ends, Handle);
		const FTransform ParentLocal = QVBendRigAccess::ReadControlLocal(Evaluation.Hierarchy, Handle.ParentControl);
		const FTransform ControlLocal = QVBendRigAccess::ReadControlLocal(Evaluation.Hierarchy, Handle.Control);

		Frames.Rest[Index] = Rest;
		Frames.ControlLocals[Index] = ControlLocal;
		FTransform::Multiply(&Frames.Offsets[Index], &ControlLocal, &ParentLocal);
		FTransform::Multiply(&Frames.Animated[Index], &Frames.Offsets[Index], &Rest);
		Frames.Parameters[Index] = Handle.Parameter;

		if (!Handle.Control.IsNone() && !Evaluation.PlacedSpaces.Contains(Handle.Space))
		{
			PlaceHandleSpace(Evaluation, Handle, Rest, ParentLocal);
			Evaluation.PlacedSpaces.Add(Handle.Space);
		}
	}
}

void RunMasterPass(FQVBendEvaluation& Evaluation, const FQVBendSegment& Segment, const FQVBendSegmentEnds& Ends,
	const FTransform& MasterLocal)
{
	FQVBendHandle MasterHandle;
	MasterHandle.Control = Segment.Master;
	MasterHandle.Space = Segment.MasterSpace;
	MasterHandle.Parameter = Segment.MasterParameter;
	const FTransform MasterRest = EvaluateHandleRest(Evaluation.Hierarchy, Ends, MasterHandle);
	QVBendRigAccess::WriteNullGlobal(Evaluation.Hierarchy, Segment.MasterSpace, MasterRest);

	FQVBendHandleFrames& Frames = Evaluation.Handles;
	BendInteriorHandles(Ends.Start.GetTranslation(), Ends.End.GetTranslation(), MasterRest, MasterLocal, Frames,
		Evaluation.Scratch);
	for (int32 Index = 1; Index + 1 < Frames.Rest.Num(); ++Index)
	{
		QVBendRigAccess::WriteNullGlobal(
			Evaluation.Hierarchy, Segment.Handles[Index].Space, Evaluation.Scratch.BentRests[Index]);
	}
}

void BendInteriorHandles(const FVector& Start, const FVector& End, const FTransform& MasterRest,
	const FTransform& MasterLocal, FQVBendHandleFrames& Frames, FQVBendSolveScratch& Scratch)
{
	const int32 Last = Frames.Rest.Num() - 1;
	const FTransform MasterRestFrames[3] = {Frames.Rest[0], MasterRest, Frames.Rest[Last]};
	const FTransform MasterAnimatedFrames[3] = {Frames.Animated[0], MasterLocal * MasterRest, Frames.Animated[Last]};
	QVBendCurve::BuildBendControlPoints(Start, End, MasterRestFrames, MasterAnimatedFrames, Scratch.ControlPoints);
	QVBendCurve::SampleBendCurve(Scratch.ControlPoints, Frames.Parameters, Scratch.CurvePoints);

	// Interior handles move with the master curve's deviation from the line; their rest frames stay unbent, so the
	// segment's own curve inherits the bend. The parent-control offset plays no part here.
	Scratch.BentRests.SetNumUninitialized(Frames.Rest.Num());
	for (int32 Index = 1; Index < Last; ++Index)
	{
		FTransform& Bent = Scratch.BentRests[Index];
		Bent = Frames.Rest[Index];
		Bent.AddToTranslation(
			Scratch.CurvePoints[Index] - QVBendCurve::PointOnLine(Start, End, double(Frames.Parameters[Index])));
		FTransform::Multiply(&Frames.Animated[Index], &Frames.ControlLocals[Index], &Bent);
	}
}
} // namespace QVBendHandleFrames
