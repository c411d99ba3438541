// Construction of rig hierarchies.
#include "Rigs/RigHierarchyController.h"

FRigElementKey URigHierarchyController::AddTransformElement(FRigTransformElement* InElement, FName InName,
	const FRigElementKey& InParent, const FTransform& InTransform, bool bTransformInGlobal)
{
	InElement->Key.Name = Hierarchy->GetSafeNewName(InName, InElement->GetType());
	const int32 Index = Hierarchy->AddElement(InElement, InParent);
	for (int32 Pose : {URigHierarchy::InitialPose, URigHierarchy::CurrentPose})
	{
		if (bTransformInGlobal)
		{
			// A clean global only depends on clean globals.
			Hierarchy->ParentGlobal(Index, Pose);
		}
		URigHierarchy::FLocalAndGlobal& Pair = Hierarchy->Poses[Pose][Index];
		Pair.Local = InTransform;
		Pair.Global = InTransform;
		Pair.bLocalDirty = bTransformInGlobal;
		Pair.bGlobalDirty = !bTransformInGlobal;
	}
	return InElement->GetKey();
}

FRigElementKey URigHierarchyController::AddBone(FName InName, FRigElementKey InParent, FTransform InTransform,
	bool bTransformInGlobal, ERigBoneType InBoneType, bool bSetupUndo, bool bPrintPythonCommand)
{
	FRigBoneElement* Bone = new FRigBoneElement();
	Bone->BoneType = InBoneType;
	return AddTransformElement(Bone, InName, InParent, InTransform, bTransformInGlobal);
}

FRigElementKey URigHierarchyController::AddNull(FName InName, FRigElementKey InParent, FTransform InTransform,
	bool bTransformInGlobal, bool bSetupUndo, bool bPrintPythonCommand)
{
	return AddTransformElement(new FRigNullElement(), InName, InParent, InTransform, bTransformInGlobal);
}

FRigElementKey URigHierarchyController::AddControl(FName InName, FRigElementKey InParent,
	FRigControlSettings InSettings, FRigControlValue InValue, FTransform InOffsetTransform, FTransform InShapeTransform,
	bool bSetupUndo, bool bPrintPythonCommand)
{
	FRigControlElement* Control = new FRigControlElement();
	Control->Settings = InSettings;
	const FTransform Local = InValue.GetAsTransform(InSettings.ControlType, InSettings.PrimaryAxis);
	const FRigElementKey Key = AddTransformElement(Control, InName, InParent, Local, false);

	URigHierarchy::FControlState& State = Hierarchy->Controls[Control->GetSubIndex()];
	for (int32 Pose : {URigHierarchy::InitialPose, URigHierarchy::CurrentPose})
	{
		State.Value[Pose] = InValue;
		State.Shape[Pose] = InShapeTransform;
		State.Offset[Pose].Local = InOffsetTransform;
		State.Offset[Pose].bLocalDirty = false;
		State.Offset[Pose].bGlobalDirty = true;
	}
	if (URigHierarchy::HasPreferredEulerAngles(InSettings.ControlType))
	{
		const FRotator Rotator = URigHierarchy::GetValueRotation(InValue, InSettings.ControlType);
		Control->PreferredEulerAngles.Initial = Control->PreferredEulerAngles.Current = Rotator.Euler();
	}
	return Key;
}

FRigElementKey URigHierarchyController::AddAnimationChannel(FName InName, FRigElementKey InParentControl,
	FRigControlSettings InSettings, bool bSetupUndo, bool bPrintPythonCommand)
{
	if (Hierarchy->Find<FRigControlElement>(InParentControl) == nullptr)
	{
		return FRigElementKey();
	}
	InSettings.AnimationType = ERigControlAnimationType::AnimationChannel;
	InSettings.bShapeVisible = false;
	return AddControl(InName, InParentControl, InSettings, FRigControlValue());
}
