// The bend solver unit: restore from the pose records, capture of the base poses (and the records), the segments,
// and the parent-first write-back of the solved bones.
#include "RigUnit_QVBendySolver.h"

#include "QVBendEvaluation.h"
#include "QVBendHandleFrames.h"
#include "QVBendSegmentDeformer.h"
#include "Rigs/RigHierarchy.h"
#include "Units/RigUnitContext.h"

namespace QVBendySolver
{
namespace
{
FRigTransformElement* FindBone(URigHierarchy& Hierarchy, const FName& Bone)
{
	return QVBendRigAccess::FindTransformElement(Hierarchy, Bone, ERigElementType::Bone);
}

// Each snapshot bone takes its record's local transform; bones without a record keep theirs.
void RestoreFromRecords(URigHierarchy& Hierarchy, TConstArrayView<FName> SnapshotBones)
{
	FQVBendSupportNames Names;
	for (const FName& BoneName : SnapshotBones)
	{
		FRigTransformElement* Bone = FindBone(Hierarchy, BoneName);
		if (Bone == nullptr)
		{
			continue;
		}
		FRigTransformElement* Record =
			QVBendRigAccess::FindTransformElement(Hierarchy, Names.PoseRecord(BoneName), ERigElementType::Null);
		if (Record == nullptr)
		{
			continue;
		}
		const FTransform Recorded = Hierarchy.GetTransform(Record, ERigTransformType::CurrentLocal);
		Hierarchy.SetTransform(Bone, Recorded, ERigTransformType::CurrentLocal, true, false, false, false);
	}
}

// Base poses of the snapshot bones that exist; with bWriteRecords also their local transforms into their records,
// which are written without affecting children so anything under a record stays where it is.
void CaptureBasePoses(FQVBendEvaluation& Evaluation, TConstArrayView<FName> SnapshotBones, bool bWriteRecords)
{
	URigHierarchy& Hierarchy = Evaluation.Hierarchy;
	Evaluation.BasePoses.Reserve(SnapshotBones.Num());
	for (const FName& BoneName : SnapshotBones)
	{
		FRigTransformElement* Bone = FindBone(Hierarchy, BoneName);
		if (Bone == nullptr)
		{
			continue;
		}
		Evaluation.BasePoses.Add(BoneName, Hierarchy.GetTransform(Bone, ERigTransformType::CurrentGlobal));
		if (!bWriteRecords)
		{
			continue;
		}
		const FTransform Local = Hierarchy.GetTransform(Bone, ERigTransformType::CurrentLocal);
		if (FRigTransformElement* Record = QVBendRigAccess::FindTransformElement(
				Hierarchy, Evaluation.SupportNames.PoseRecord(BoneName), ERigElementType::Null))
		{
			Hierarchy.SetTransform(Record, Local, ERigTransformType::CurrentLocal, false, false, false, false);
		}
	}
}

// Solved bones in snapshot order, as global transforms that carry their children along: listed parent first, each
// bone ends at its own solved transform.
void WriteBack(const FQVBendEvaluation& Evaluation, TConstArrayView<FName> SnapshotBones)
{
	URigHierarchy& Hierarchy = Evaluation.Hierarchy;
	for (const FName& BoneName : SnapshotBones)
	{
		const FTransform* Solved = Evaluation.SolvedPoses.Find(BoneName);
		if (Solved == nullptr)
		{
			continue;
		}
		if (FRigTransformElement* Bone = FindBone(Hierarchy, BoneName))
		{
			Hierarchy.SetTransform(Bone, *Solved, ERigTransformType::CurrentGlobal, true, false, false, false);
		}
	}
}
} // namespace
} // namespace QVBendySolver

FRigUnit_QVBendySolver_Execute()
{
	using namespace QVBendySolver;

	URigHierarchy* Hierarchy = ExecuteContext.Hierarchy;
	if (Hierarchy == nullptr)
	{
		return;
	}
	if (bRestore)
	{
		RestoreFromRecords(*Hierarchy, SnapshotBones);
		return;
	}

	FQVBendEvaluation Evaluation(*Hierarchy);
	CaptureBasePoses(Evaluation, SnapshotBones, bCaptureBase);
	if (bCaptureOnly)
	{
		return;
	}
	int32 NumHandles = 0;
	for (const FQVBendSegment& Segment : Segments)
	{
		NumHandles += Segment.Handles.Num();
	}
	Evaluation.HandleRestCache.Reserve(NumHandles);
	Evaluation.PlacedSpaces.Reserve(NumHandles);
	Evaluation.SolvedPoses.Reserve(SnapshotBones.Num());
	QVBendHandleFrames::FillHandleRestCache(Evaluation, Segments);
	for (const FQVBendSegment& Segment : Segments)
	{
		QVBendSegmentDeformer::DeformSegment(Evaluation, Segment);
	}
	WriteBack(Evaluation, SnapshotBones);
}
