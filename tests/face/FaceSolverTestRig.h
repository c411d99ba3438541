// A small face rig for the face solver tests: a head, the face joint and the control box, to which each test adds
// the bones, nulls, controls and asset rows it needs; and evaluation through either of the unit's entries.
#pragma once

#include "CoreMinimal.h"
#include "QVFaceRigDataAsset.h"
#include "RigUnit_QVFaceSDKSolver.h"
#include "RigVMCore/RigVMLog.h"
#include "Rigs/RigHierarchy.h"
#include "Rigs/RigHierarchyController.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// The member Execute with a context, or the unit's registered RigVM function fed from memory handles.
enum class EFaceSolverEntry
{
	Member,
	RigVM
};

// head (bone at (0, 0, 100)) > FaceJoint_M (bone at (0, 10, 110), uniformly scaled by FaceJointScale) and
// ctrlBoxAttach (null at (30, 0, 110)) > ctrlBox (null). Every element is added with rig-space (global) transforms.
struct FFaceSolverRig
{
	URigHierarchy Hierarchy;
	UQVFaceRigDataAsset* Asset;
	FRigUnit_QVFaceSDKSolver Unit;
	FRigVMLog Log;
	FRigElementKey Head, FaceJoint, BoxAttach, Box;

	explicit FFaceSolverRig(double FaceJointScale = 1.0);

	FRigElementKey AddBone(const TCHAR* Name, const FRigElementKey& Parent, const FTransform& Global);
	FRigElementKey AddNull(const TCHAR* Name, const FRigElementKey& Parent, const FTransform& Global);
	// A control with its offset placed in rig space (the control's value is relative to the offset).
	FRigElementKey AddControl(const TCHAR* Name, const FRigElementKey& Parent, ERigControlType Type,
		const FRigControlValue& Value, const FTransform& OffsetGlobal = FTransform::Identity,
		ERigControlAxis PrimaryAxis = ERigControlAxis::X);
	FRigElementKey AddChannel(const TCHAR* Name, const FRigElementKey& Control, const TCHAR* DisplayName = nullptr);

	// A driver row of the asset and one driven channel of it, with linear keys (x, y).
	FQVFaceSDKDriver& AddDriver(const TCHAR* Control, EQVFaceSDKChannel Channel);
	FQVDrivenSDKChannel& AddDriven(FQVFaceSDKDriver& Driver, const TCHAR* Target, EQVFaceSDKChannel Channel,
		std::initializer_list<std::pair<float, float>> Keys);

	void SetValue(const FRigElementKey& Control, const FRigControlValue& Value);
	// An Euler-transform control's value from a transform, and its preferred angles with it, as animation sets both.
	void SetEulerValue(const FRigElementKey& Control, const FTransform& Value);
	FTransform Local(const FRigElementKey& Key, bool bInitial = false) const
	{
		return Hierarchy.GetLocalTransform(Key, bInitial);
	}
	FTransform Global(const FRigElementKey& Key, bool bInitial = false) const
	{
		return Hierarchy.GetGlobalTransform(Key, bInitial);
	}

	void Evaluate(EFaceSolverEntry Entry = EFaceSolverEntry::Member);
	// The texts of the reports kept by the log, in report order.
	std::vector<std::string> Messages() const;
};

::testing::AssertionResult QuatsNear(const FQuat& A, const FQuat& B, double Tolerance = 1e-9);
::testing::AssertionResult VectorsNear(const FVector& A, const FVector& B, double Tolerance = 1e-9);
// Translation, rotation (either sign) and scale each within Tolerance.
::testing::AssertionResult TransformsNear(const FTransform& A, const FTransform& B, double Tolerance);
// A rotation by Degrees about a unit axis, built from the axis-angle formula.
FQuat AxisAngle(const FVector& Axis, double Degrees);
