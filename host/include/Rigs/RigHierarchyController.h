// Builds rig hierarchies: adds bones, nulls, controls and animation channels.
#pragma once

#include "CoreMinimal.h"
#include "Rigs/RigHierarchy.h"

class URigHierarchyController
{
public:
	explicit URigHierarchyController(URigHierarchy* InHierarchy) : Hierarchy(InHierarchy) {}

	URigHierarchy* GetHierarchy() const { return Hierarchy; }

	// Each returns the new element's key. A name already taken by an element of the same type gets a numbered
	// suffix (see URigHierarchy::GetSafeNewName). A parent key that does not resolve leaves the element at the
	// root and logs a warning. The transform is the initial (and current) transform, in rig space when
	// bTransformInGlobal, else relative to the parent.
	FRigElementKey AddBone(FName InName, FRigElementKey InParent, FTransform InTransform,
		bool bTransformInGlobal = true, ERigBoneType InBoneType = ERigBoneType::User, bool bSetupUndo = false,
		bool bPrintPythonCommand = false);

	FRigElementKey AddNull(FName InName, FRigElementKey InParent, FTransform InTransform,
		bool bTransformInGlobal = true, bool bSetupUndo = false, bool bPrintPythonCommand = false);

	// InValue becomes the initial and current value; the offset is relative to the parent, the shape to the control.
	FRigElementKey AddControl(FName InName, FRigElementKey InParent, FRigControlSettings InSettings,
		FRigControlValue InValue, FTransform InOffsetTransform = FTransform::Identity,
		FTransform InShapeTransform = FTransform::Identity, bool bSetupUndo = true, bool bPrintPythonCommand = false);

	// A control of animation type AnimationChannel below InParentControl, hidden, with a zero value. Fails (returns
	// an invalid key) when the parent is not a control.
	FRigElementKey AddAnimationChannel(FName InName, FRigElementKey InParentControl, FRigControlSettings InSettings,
		bool bSetupUndo = true, bool bPrintPythonCommand = false);

private:
	FRigElementKey AddTransformElement(FRigTransformElement* InElement, FName InName, const FRigElementKey& InParent,
		const FTransform& InTransform, bool bTransformInGlobal);

	URigHierarchy* Hierarchy = nullptr;
};
