// Rest spline IK unit: restore mode, gathering of rest, current and FK snapshot transforms, the solve, the weight
// blend and the write-back.
#include "RigUnit_QVRestSplineIK.h"

#include "QVRestSplineIK.h"
#include "QVRestSplineIKLists.h"
#include "Rigs/RigHierarchy.h"
#include "Units/RigUnitContext.h"

namespace QVRestSplineIKUnit
{
// The transform element a key names, or null when it does not resolve or is not a transform element.
static FRigTransformElement* FindTransformElement(URigHierarchy* Hierarchy, const FRigElementKey& Key)
{
	return Hierarchy->Get<FRigTransformElement>(Hierarchy->GetIndex(Key, true));
}

// The global transform of a resolved key; the identity for an element that is not a transform element.
static FTransform ReadGlobal(URigHierarchy* Hierarchy, int32 Index, bool bInitial)
{
	FRigTransformElement* Element = Hierarchy->Get<FRigTransformElement>(Index);
	if (Element == nullptr)
	{
		return FTransform::Identity;
	}
	return Hierarchy->GetTransform(
		Element, bInitial ? ERigTransformType::InitialGlobal : ERigTransformType::CurrentGlobal);
}

// Sets every resolvable joint back to its initial local transform; children follow.
static void RestoreInitialLocal(URigHierarchy* Hierarchy, TConstArrayView<FRigElementKey> Items)
{
	for (const FRigElementKey& Key : Items)
	{
		if (FRigTransformElement* Element = FindTransformElement(Hierarchy, Key))
		{
			Hierarchy->SetTransform(Element, Hierarchy->GetTransform(Element, ERigTransformType::InitialLocal),
				ERigTransformType::CurrentLocal, true, false, false, false);
		}
	}
}
} // namespace QVRestSplineIKUnit

FRigUnit_QVRestSplineIK_Execute()
{
	using namespace QVRestSplineIKUnit;

	URigHierarchy* Hierarchy = ExecuteContext.Hierarchy;
	if (Hierarchy == nullptr)
	{
		return;
	}
	if (bRestoreFK)
	{
		RestoreInitialLocal(Hierarchy, Items);
		return;
	}

	const int32 NumJoints = Items.Num();
	if (!QVRestSplineIKLists::Check(NumJoints, Controls.Num(), FKPose.Num()).IsSolvable())
	{
		UE_CONTROLRIG_RIGUNIT_REPORT_WARNING(
			TEXT("QV Rest Spline IK requires joints, ordered controls and matching FK snapshots."));
		return;
	}

	TArray<FTransform> RestJoints;
	TArray<FTransform> FKJoints;
	RestJoints.Reserve(NumJoints);
	FKJoints.Reserve(NumJoints);
	for (int32 Joint = 0; Joint < NumJoints; ++Joint)
	{
		const int32 JointIndex = Hierarchy->GetIndex(Items[Joint], true);
		const int32 SnapshotIndex = Hierarchy->GetIndex(FKPose[Joint], true);
		if (JointIndex == INDEX_NONE || SnapshotIndex == INDEX_NONE)
		{
			UE_CONTROLRIG_RIGUNIT_REPORT_WARNING(TEXT("QV Rest Spline IK joint or FK snapshot is missing."));
			return;
		}
		RestJoints.Add(ReadGlobal(Hierarchy, JointIndex, true));
		FKJoints.Add(ReadGlobal(Hierarchy, SnapshotIndex, false));
	}

	TArray<FTransform> RestControls;
	TArray<FTransform> CurrentControls;
	RestControls.Reserve(Controls.Num());
	CurrentControls.Reserve(Controls.Num());
	for (const FRigElementKey& Control : Controls)
	{
		const int32 ControlIndex = Hierarchy->GetIndex(Control, true);
		if (ControlIndex == INDEX_NONE)
		{
			UE_CONTROLRIG_RIGUNIT_REPORT_WARNING(TEXT("QV Rest Spline IK control is missing."));
			return;
		}
		RestControls.Add(ReadGlobal(Hierarchy, ControlIndex, true));
		CurrentControls.Add(ReadGlobal(Hierarchy, ControlIndex, false));
	}

	TArray<FTransform> Solved;
	if (!QVRestSplineIK::Solve(
			RestJoints, RestControls, CurrentControls, Solved, Spline, PathFrames, JointOffsets, Stretch))
	{
		UE_CONTROLRIG_RIGUNIT_REPORT_WARNING(TEXT("QV Rest Spline IK cannot solve a zero-length or invalid chain."));
		return;
	}

	const float ClampedWeight = FMath::Max(FMath::Min(Weight, 1.f), 0.f);
	for (int32 Joint = 0; Joint < NumJoints; ++Joint)
	{
		FTransform Blended;
		Blended.Blend(FKJoints[Joint], Solved[Joint], ClampedWeight);
		if (FRigTransformElement* Element = FindTransformElement(Hierarchy, Items[Joint]))
		{
			Hierarchy->SetTransform(Element, Blended, ERigTransformType::CurrentGlobal, true, false, false, false);
		}
	}
}
