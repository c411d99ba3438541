// Rigs for the bend solver tests: bone chains, pose records, handle spaces and controls, and evaluation through
// either of the unit's entries.
#pragma once

#include "CoreMinimal.h"
#include "RigUnit_QVBendySolver.h"
#include "Rigs/RigHierarchy.h"
#include "Rigs/RigHierarchyController.h"
#include "Units/RigUnitContext.h"

#include <gtest/gtest.h>

// The member Execute with a context, or the RigVM entry registered for the unit, fed from memory handles.
enum class EBendEntry
{
	Member,
	RigVM
};

void EvaluateBendSolver(FRigUnit_QVBendySolver& Unit, URigHierarchy* Hierarchy, EBendEntry Entry);

FQVBendHandle MakeHandle(FName Control, FName Space, float Parameter, FName ParentControl = NAME_None);

struct FBendTestRig
{
	URigHierarchy Hierarchy;
	URigHierarchyController* Controller = Hierarchy.GetController();

	// Count bones named Prefix_0.., the first at FirstGlobal (under Parent when given), each next one Spacing further
	// along its parent's X axis. Returns their names.
	TArray<FName> AddChain(const FString& Prefix, int32 Count, const FTransform& FirstGlobal, double Spacing,
		FRigElementKey Parent = FRigElementKey());
	// The "QVBendBase_" + bone nulls at the root, holding the bones' setup local transforms.
	void AddPoseRecords(TConstArrayView<FName> Bones);
	// A space null at SpaceGlobal (under Parent when given) with a transform control of that name right below it.
	void AddHandleControl(
		FName Control, FName Space, const FTransform& SpaceGlobal, FRigElementKey Parent = FRigElementKey());
	void SetControlLocal(FName Control, const FTransform& Local);

	FTransform BoneGlobal(FName Bone) const
	{
		return Hierarchy.GetGlobalTransform(FRigElementKey(Bone, ERigElementType::Bone));
	}
	FTransform BoneLocal(FName Bone) const
	{
		return Hierarchy.GetLocalTransform(FRigElementKey(Bone, ERigElementType::Bone));
	}
	FTransform NullGlobal(FName Null) const
	{
		return Hierarchy.GetGlobalTransform(FRigElementKey(Null, ERigElementType::Null));
	}
	FTransform NullLocal(FName Null) const
	{
		return Hierarchy.GetLocalTransform(FRigElementKey(Null, ERigElementType::Null));
	}
	FTransform ControlGlobal(FName Control) const
	{
		return Hierarchy.GetGlobalTransform(FRigElementKey(Control, ERigElementType::Control));
	}
	void SetBoneGlobal(FName Bone, const FTransform& Global)
	{
		Hierarchy.SetGlobalTransform(FRigElementKey(Bone, ERigElementType::Bone), Global);
	}

	// Every element's current local and global transform, and every control's value, for exact comparisons.
	TArray<FTransform> CapturePose() const;
};

// A five-bone segment along +X from the origin, 10 apart (parameters 0, 0.25 .. 1), with NumHandles evenly spaced
// handles (controls "handle_<n>" under space nulls "handle_<n>_space" placed on the chain) and optionally a master
// ("master" under "master_space") at its middle; every bone listed, with its pose record.
struct FBendSegmentRig : FBendTestRig
{
	TArray<FName> Bones;
	FQVBendSegment Segment;
	FRigUnit_QVBendySolver Unit;

	explicit FBendSegmentRig(int32 NumHandles = 3, bool bWithMaster = false);

	void Evaluate(EBendEntry Entry = EBendEntry::Member) { EvaluateBendSolver(Unit, &Hierarchy, Entry); }
	FName HandleControl(int32 Handle) const { return Segment.Handles[Handle].Control; }
};

// Exact equality of transforms, part by part.
::testing::AssertionResult SameTransform(const FTransform& A, const FTransform& B);
::testing::AssertionResult TransformsNear(const FTransform& A, const FTransform& B, double Tolerance = 1e-6);
// A rotation's signed turn about X, in degrees; expects the rotation to turn about X alone.
double TwistDegreesAboutX(const FQuat& Rotation);

class BendEntries : public ::testing::TestWithParam<EBendEntry>
{
};
