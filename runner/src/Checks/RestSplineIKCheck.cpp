// What the rest spline IK skips: in restore mode the joints that do not resolve; in solve mode everything that makes
// it warn and write nothing: list counts, joints, FK snapshots and controls that do not resolve, and a chain whose
// setup pose has no length.
#include "QVRestSplineIK.h"
#include "QVRestSplineIKLists.h"
#include "QVRig/UnitCheck.h"
#include "QVRig/UnitCheckers.h"
#include "RigUnit_QVRestSplineIK.h"

namespace
{
const TCHAR* const WarnsAndStops = TEXT("the unit warns and writes nothing");

// Whether every key resolves; each that does not is a problem with InConsequence.
bool CheckKeys(
	FQVUnitCheck& Check, const TCHAR* InPin, TConstArrayView<FRigElementKey> InKeys, const FString& InConsequence)
{
	bool bAll = true;
	for (int32 Index = 0; Index < InKeys.Num(); ++Index)
	{
		bAll &= Check.Require(Check.PinSource(InPin).Item(Index), InKeys[Index], InConsequence);
	}
	return bAll;
}

// The setup global transforms of resolved keys.
TArray<FTransform> ReadInitialGlobals(const URigHierarchy& InHierarchy, TConstArrayView<FRigElementKey> InKeys)
{
	TArray<FTransform> Transforms;
	for (const FRigElementKey& Key : InKeys)
	{
		Transforms.Add(InHierarchy.GetGlobalTransform(Key, true));
	}
	return Transforms;
}

// The counts, as the unit checks them before anything else.
bool CheckCounts(FQVUnitCheck& Check, const FRigUnit_QVRestSplineIK& Unit)
{
	const int32 NumJoints = Unit.Items.Num();
	const FQVRestSplineIKListCounts Counts =
		QVRestSplineIKLists::Check(NumJoints, Unit.Controls.Num(), Unit.FKPose.Num());
	if (!Counts.bEnoughJoints)
	{
		Check.Problem(Check.PinSource(TEXT("Items")),
			FString::Printf(TEXT("holds %d joints, and the unit needs at least %d: %s"), NumJoints,
				QVRestSplineIKLists::MinJoints, WarnsAndStops));
	}
	if (!Counts.bEnoughControls)
	{
		Check.Problem(Check.PinSource(TEXT("Controls")),
			FString::Printf(TEXT("holds %d controls, and the unit needs at least %d: %s"), Unit.Controls.Num(),
				QVRestSplineIKLists::MinControls, WarnsAndStops));
	}
	if (!Counts.bSnapshotPerJoint)
	{
		Check.Problem(Check.PinSource(TEXT("FKPose")),
			FString::Printf(TEXT("holds %d FK snapshots for %d joints, and the unit needs one per joint: %s"),
				Unit.FKPose.Num(), NumJoints, WarnsAndStops));
	}
	return Counts.IsSolvable();
}

void CheckSolve(FQVUnitCheck& Check, const FRigUnit_QVRestSplineIK& Unit)
{
	bool bSolvable = CheckCounts(Check, Unit);
	bSolvable &= CheckKeys(Check, TEXT("Items"), Unit.Items, WarnsAndStops);
	bSolvable &= CheckKeys(Check, TEXT("FKPose"), Unit.FKPose, WarnsAndStops);
	bSolvable &= CheckKeys(Check, TEXT("Controls"), Unit.Controls, WarnsAndStops);
	if (!bSolvable)
	{
		return;
	}

	// The solve itself, with the controls where the rig sets them up: it fails for a chain without length.
	const TArray<FTransform> RestJoints = ReadInitialGlobals(Check.GetHierarchy(), Unit.Items);
	const TArray<FTransform> RestControls = ReadInitialGlobals(Check.GetHierarchy(), Unit.Controls);
	TArray<FTransform> Solved;
	FControlRigSpline Spline;
	TArray<FTransform> PathFrames;
	TArray<FTransform> JointOffsets;
	if (!QVRestSplineIK::Solve(
			RestJoints, RestControls, RestControls, Solved, Spline, PathFrames, JointOffsets, Unit.Stretch))
	{
		Check.Problem(Check.PinSource(TEXT("Items")),
			FString::Printf(TEXT("the joints' setup pose is a chain of no length (or not finite): %s"), WarnsAndStops));
	}
}

void CheckRestSplineIK(FQVUnitCheck& Check)
{
	const FRigUnit_QVRestSplineIK& Unit = Check.GetUnit<FRigUnit_QVRestSplineIK>();
	// A keyed mode may be either; the solve needs everything the restore does.
	if (Unit.bRestoreFK && !Check.IsPinAnimated(TEXT("bRestoreFK")))
	{
		if (Unit.Items.IsEmpty())
		{
			Check.Problem(Check.PinSource(TEXT("Items")), TEXT("is empty: the restore resets nothing"));
		}
		CheckKeys(Check, TEXT("Items"), Unit.Items, TEXT("the restore does not reset it to its setup pose"));
		return;
	}
	CheckSolve(Check, Unit);
}

const FQVUnitCheckerRegistration Registration(&FRigUnit_QVRestSplineIK::StaticStruct, &CheckRestSplineIK);
} // namespace
