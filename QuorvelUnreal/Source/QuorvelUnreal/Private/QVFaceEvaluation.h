// What the phases of one face-solver evaluation share: the context they report through, the hierarchy, the asset,
// the weight and the face frame.
#pragma once

#include "CoreMinimal.h"
#include "QVFaceRigDataAsset.h"
#include "Rigs/RigHierarchy.h"
#include "Units/RigUnitContext.h"

struct FQVFaceEvaluation
{
	const FControlRigExecuteContext& ExecuteContext;
	URigHierarchy& Hierarchy;
	const UQVFaceRigDataAsset& Asset;
	float Weight;
	bool bDebug;
	// The face joint when it resolved, else null: its transforms then read as the identity.
	FRigTransformElement* FaceJoint;
	// The face scale, and the same raised to 1e-8 for the phases that divide by it.
	double FaceScale;
	double FaceScaleDivisor;

	// The element of that name and type when it exists and is of class T, else null (a None name included).
	template <typename T> T* Find(const FName& Name, ERigElementType Type) const
	{
		return Hierarchy.Get<T>(Hierarchy.GetIndex(FRigElementKey(Name, Type)));
	}
	// Writes a transform as every face phase does: children carried along, no undo, not forced, not printed.
	void Write(FRigTransformElement* Element, const FTransform& Transform, ERigTransformType::Type Type) const
	{
		Hierarchy.SetTransform(Element, Transform, Type, true, false, false, false);
	}
	// The face joint's setup and current global transforms; the identity when it did not resolve.
	FTransform GetFaceJointInitial() const
	{
		return Hierarchy.GetTransform(FaceJoint, ERigTransformType::InitialGlobal);
	}
	FTransform GetFaceJointCurrent() const
	{
		return Hierarchy.GetTransform(FaceJoint, ERigTransformType::CurrentGlobal);
	}
};
