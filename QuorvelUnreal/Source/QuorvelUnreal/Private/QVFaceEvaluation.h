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
};
