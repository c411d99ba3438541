// Face layers over the finished set-driven-key pose: eye joints, region controls, follow controls and the follow
// helpers of direct controls. Elements that do not resolve skip their record silently; nothing here reports.
#include "QVFacePostSDKLayers.h"

#include "QVFaceFollow.h"
#include "QVFaceRegion.h"

namespace
{
// The number of parent steps from the element up to the root.
int32 DepthOf(const URigHierarchy& Hierarchy, int32 Index)
{
	int32 Depth = 0;
	for (int32 Parent = Hierarchy.GetFirstParent(Index); Parent != INDEX_NONE;
		 Parent = Hierarchy.GetFirstParent(Parent))
	{
		++Depth;
	}
	return Depth;
}

// A control's current value as a transform, for cancelling its motion: 2D-vector and position controls give their
// translation, transform and Euler-transform controls their whole value, any other control the identity.
FTransform ValueAsTransform(const URigHierarchy& Hierarchy, FRigControlElement& Control)
{
	const FRigControlSettings& Settings = Control.Settings;
	switch (Settings.ControlType)
	{
		case ERigControlType::Vector2D:
		case ERigControlType::Position:
		case ERigControlType::Transform:
		case ERigControlType::EulerTransform:
			return Hierarchy
				.GetControlValue(&Control, ERigControlValueType::Current, Hierarchy.UsesPreferredEulerAngles())
				.GetAsTransform(Settings.ControlType, Settings.PrimaryAxis);
		default:
			return FTransform::Identity;
	}
}

// A follow helper's rest pose: its setup local transform under its parent as the parent is now.
FTransform RestPose(const URigHierarchy& Hierarchy, FRigTransformElement* Null)
{
	return Hierarchy.GetTransform(Null, ERigTransformType::InitialLocal) *
		Hierarchy.GetParentTransform(Null, ERigTransformType::CurrentGlobal);
}
} // namespace

void QVFacePostSDKLayers::CopyEyeJoints(const FQVFaceEvaluation& Evaluation)
{
	for (const FQVFaceSDKEyeChain& Chain : Evaluation.Asset.EyeChains)
	{
		const FRigNullElement* SDKNull = Evaluation.Find<FRigNullElement>(Chain.SDKNullName, ERigElementType::Null);
		FRigControlElement* Control =
			Evaluation.Find<FRigControlElement>(Chain.FinalControlName, ERigElementType::Control);
		FRigBoneElement* EyeJoint = Evaluation.Find<FRigBoneElement>(Chain.EyeJointName, ERigElementType::Bone);
		if (SDKNull == nullptr || Control == nullptr || EyeJoint == nullptr)
		{
			continue;
		}
		Evaluation.Write(EyeJoint, Evaluation.Hierarchy.GetTransform(Control, ERigTransformType::CurrentGlobal),
			ERigTransformType::CurrentGlobal);
	}
}

void QVFacePostSDKLayers::MoveRegions(const FQVFaceEvaluation& Evaluation)
{
	URigHierarchy& Hierarchy = Evaluation.Hierarchy;
	const float Blend = FMath::Clamp(Evaluation.Weight, 0.f, 1.f);
	TArray<FQVFaceRegionBone, TInlineAllocator<16>> Bones;
	for (const FQVFaceSDKRegionControl& Region : Evaluation.Asset.RegionControls)
	{
		FRigControlElement* Control = Evaluation.Find<FRigControlElement>(Region.ControlName, ERigElementType::Control);
		if (Control == nullptr)
		{
			continue;
		}
		// The pivot at rest and now: the control's setup local transform, and that blended towards its current one
		// by the weight, both under its parent as the parent is now.
		const FTransform Setup = Hierarchy.GetTransform(Control, ERigTransformType::InitialLocal);
		FTransform Blended;
		Blended.Blend(Setup, Hierarchy.GetTransform(Control, ERigTransformType::CurrentLocal), Blend);
		const FTransform Parent = Hierarchy.GetParentTransform(Control, ERigTransformType::CurrentGlobal);
		const FTransform PivotRest = Setup * Parent;
		const FTransform PivotNow = Blended * Parent;

		// Every bone's new pose is taken from the pose before any of them moves; a bone listed twice is moved once.
		Bones.Reset();
		for (const FName& BoneName : Region.BoneNames)
		{
			FRigBoneElement* Bone = Evaluation.Find<FRigBoneElement>(BoneName, ERigElementType::Bone);
			if (Bone == nullptr ||
				Bones.ContainsByPredicate(
					[Bone](const FQVFaceRegionBone& Entry) { return Entry.Index == Bone->GetIndex(); }))
			{
				continue;
			}
			Bones.Add(FQVFaceRegionBone{Bone->GetIndex(), DepthOf(Hierarchy, Bone->GetIndex()),
				QVFaceRegion::MoveWithPivot(
					Hierarchy.GetTransform(Bone, ERigTransformType::CurrentGlobal), PivotRest, PivotNow)});
		}
		QVFaceRegion::SortShallowestFirst(Bones);
		for (const FQVFaceRegionBone& Bone : Bones)
		{
			Evaluation.Write(
				Hierarchy.Get<FRigTransformElement>(Bone.Index), Bone.Target, ERigTransformType::CurrentGlobal);
		}
	}
}

void QVFacePostSDKLayers::PlaceFollowControls(const FQVFaceEvaluation& Evaluation)
{
	URigHierarchy& Hierarchy = Evaluation.Hierarchy;
	const FTransform FaceJointInitial = Evaluation.GetFaceJointInitial();
	const FTransform FaceJointCurrent = Evaluation.GetFaceJointCurrent();
	for (const FQVFaceSDKFollowControl& Record : Evaluation.Asset.FollowControls)
	{
		FRigBoneElement* Bone = Evaluation.Find<FRigBoneElement>(Record.BoneName, ERigElementType::Bone);
		FRigNullElement* Null = Evaluation.Find<FRigNullElement>(Record.FollowNullName, ERigElementType::Null);
		FRigControlElement* Control = Evaluation.Find<FRigControlElement>(Record.ControlName, ERigElementType::Control);
		if (Bone == nullptr || Null == nullptr || Control == nullptr)
		{
			continue;
		}
		const FTransform BoneInitial = Hierarchy.GetTransform(Bone, ERigTransformType::InitialGlobal);
		const FTransform BoneCurrent = Hierarchy.GetTransform(Bone, ERigTransformType::CurrentGlobal);
		const FTransform Placed = Evaluation.FaceJoint != nullptr
			? QVFaceFollow::PlaceInFaceFrame(Hierarchy.GetTransform(Null, ERigTransformType::InitialGlobal),
				  Record.bBindInMeshSpace ? 1.0 : Evaluation.FaceScale, BoneInitial, BoneCurrent, FaceJointInitial,
				  FaceJointCurrent, Record.bFollowRotation)
			: QVFaceFollow::PlaceWithoutFaceJoint(RestPose(Hierarchy, Null), BoneInitial, BoneCurrent);
		Evaluation.Write(Null, Placed, ERigTransformType::CurrentGlobal);

		// The control below the helper shows the bone's motion, not its own: its offset takes its motion back out.
		const FTransform Cancel = Record.bBindInMeshSpace
			? QVFaceFollow::WithUnitScale(Hierarchy.GetTransform(Control, ERigTransformType::CurrentLocal)).Inverse()
			: QVFaceFollow::CancelValue(ValueAsTransform(Hierarchy, *Control));
		Hierarchy.SetControlOffsetTransform(Control, Cancel, ERigTransformType::CurrentLocal, true, false);
	}
}

void QVFacePostSDKLayers::PlaceDirectControlFollowers(
	const FQVFaceEvaluation& Evaluation, const FQVFaceFollowRecord& FollowRecord)
{
	URigHierarchy& Hierarchy = Evaluation.Hierarchy;
	const FTransform FaceJointInitial = Evaluation.GetFaceJointInitial();
	const FTransform FaceJointCurrent = Evaluation.GetFaceJointCurrent();
	for (const FQVFaceSDKDirectControl& Direct : Evaluation.Asset.DirectControls)
	{
		if (Direct.FollowNullName.IsNone())
		{
			continue;
		}
		FRigBoneElement* Bone = Evaluation.Find<FRigBoneElement>(Direct.BoneName, ERigElementType::Bone);
		FRigNullElement* Null = Evaluation.Find<FRigNullElement>(Direct.FollowNullName, ERigElementType::Null);
		const FTransform* Recorded = FollowRecord.Find(Direct.BoneName);
		if (Bone == nullptr || Null == nullptr || Recorded == nullptr)
		{
			continue;
		}
		// The bone as the rows left it, before its direct control's delta.
		const FTransform BoneFromRows =
			*Recorded * Hierarchy.GetParentTransform(Bone, ERigTransformType::CurrentGlobal);
		const FTransform BoneInitial = Hierarchy.GetTransform(Bone, ERigTransformType::InitialGlobal);
		const FTransform Placed = Evaluation.FaceJoint != nullptr
			? QVFaceFollow::PlaceInFaceFrame(Hierarchy.GetTransform(Null, ERigTransformType::InitialGlobal),
				  Evaluation.FaceScale, BoneInitial, BoneFromRows, FaceJointInitial, FaceJointCurrent, true)
			: QVFaceFollow::PlaceWithoutFaceJoint(RestPose(Hierarchy, Null), BoneInitial, BoneFromRows);
		Evaluation.Write(Null, Placed, ERigTransformType::CurrentGlobal);
	}
}
