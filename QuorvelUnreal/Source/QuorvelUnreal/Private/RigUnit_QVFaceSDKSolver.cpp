// The face solver's evaluation: the phase order, the control box carried by the face joint, the face scale and the
// visibility switches. The phases themselves live in QVFaceSDKRows and the two layer files.
#include "RigUnit_QVFaceSDKSolver.h"

#include "QVFaceDirectControl.h"
#include "QVFaceEvaluation.h"
#include "QVFaceFrame.h"
#include "QVFacePostSDKLayers.h"
#include "QVFacePreSDKLayers.h"
#include "QVFaceSDKAccumulation.h"
#include "QVFaceSDKRows.h"
#include "QVFaceSolverPins.h"
#include "Rigs/RigHierarchy.h"
#include "Units/RigUnitContext.h"

namespace
{
// Places the control box at its setup offset to the face joint, carried and scaled with the face. Skipped when
// either element does not resolve; both caches are refreshed either way.
void AttachControlBox(URigHierarchy& Hierarchy, const FRigElementKey& FaceJoint, const FRigElementKey& CtrlBoxAttach,
	float FaceScaler, FCachedRigElement& CachedFaceJoint, FCachedRigElement& CachedCtrlBoxAttach)
{
	const bool bFaceJoint = CachedFaceJoint.UpdateCache(QVFaceSolverPins::FaceJointKey(FaceJoint), &Hierarchy);
	const bool bBox = CachedCtrlBoxAttach.UpdateCache(QVFaceSolverPins::CtrlBoxAttachKey(CtrlBoxAttach), &Hierarchy);
	if (!bFaceJoint || !bBox)
	{
		return;
	}
	FRigTransformElement* Joint = Hierarchy.Get<FRigTransformElement>(CachedFaceJoint.GetIndex());
	FRigTransformElement* Box = Hierarchy.Get<FRigTransformElement>(CachedCtrlBoxAttach.GetIndex());
	const FTransform JointInitial = Hierarchy.GetTransform(Joint, ERigTransformType::InitialGlobal);
	const FTransform Carried =
		QVFaceFrame::CarryControlBox(Hierarchy.GetTransform(Box, ERigTransformType::InitialGlobal), JointInitial,
			Hierarchy.GetTransform(Joint, ERigTransformType::CurrentGlobal),
			QVFaceFrame::ComputeFaceScale(FaceScaler, JointInitial));
	Hierarchy.SetTransform(Box, Carried, ERigTransformType::CurrentGlobal, true, false, false, false);
}

// Shows or hides each group's member controls: by the group's boolean switch control, else by its default.
void ApplyVisibilitySwitches(URigHierarchy& Hierarchy, const UQVFaceRigDataAsset& Asset)
{
	for (const FQVFaceSDKVisibilityGroup& Group : Asset.VisibilityGroups)
	{
		bool bVisible = Group.bDefaultVisible;
		FCachedRigElement Switch;
		if (Switch.UpdateCache(FRigElementKey(Group.SwitchControlName, ERigElementType::Control), &Hierarchy))
		{
			FRigControlElement* Control = Hierarchy.Get<FRigControlElement>(Switch.GetIndex());
			if (Control != nullptr && QVFaceSolverPins::IsVisibilitySwitch(Control->Settings.ControlType))
			{
				bVisible =
					Hierarchy
						.GetControlValue(Control, ERigControlValueType::Current, Hierarchy.UsesPreferredEulerAngles())
						.Get<bool>();
			}
		}
		for (const FName& Member : Group.Members)
		{
			if (FRigControlElement* Control =
					Hierarchy.Find<FRigControlElement>(FRigElementKey(Member, ERigElementType::Control)))
			{
				Hierarchy.SetControlVisibility(Control, bVisible);
			}
		}
	}
}
} // namespace

FRigUnit_QVFaceSDKSolver_Execute()
{
	URigHierarchy* Hierarchy = ExecuteContext.Hierarchy;
	if (Hierarchy == nullptr)
	{
		return;
	}

	AttachControlBox(*Hierarchy, FaceJoint, CtrlBoxAttach, FaceScaler, CachedFaceJoint, CachedCtrlBoxAttach);

	FRigTransformElement* FaceJointElement =
		CachedFaceJoint.IsValid() ? Hierarchy->Get<FRigTransformElement>(CachedFaceJoint.GetIndex()) : nullptr;
	const double FaceScale = QVFaceFrame::ComputeFaceScale(
		FaceScaler, Hierarchy->GetTransform(FaceJointElement, ERigTransformType::InitialGlobal));

	const UQVFaceRigDataAsset* Asset = FaceRigDataAsset.Get();
	if (Asset == nullptr)
	{
		return;
	}
	ApplyVisibilitySwitches(*Hierarchy, *Asset);

	const FQVFaceEvaluation Evaluation{ExecuteContext, *Hierarchy, *Asset, Weight, bDebug, FaceJointElement, FaceScale,
		QVFaceFrame::FaceScaleDivisor(FaceScale)};

	QVFacePreSDKLayers::SynchronizeProxies(Evaluation, CachedProxyValues, CachedProxyNames);
	QVFacePreSDKLayers::CarryEyeLayers(Evaluation);
	QVFacePreSDKLayers::BlendAimEyeFollow(Evaluation);
	QVFacePreSDKLayers::ApplyAimBindings(Evaluation);

	if (!QVFaceSolverPins::RowsRun(Weight))
	{
		return;
	}

	FQVFaceSDKAccumulation Accumulation(
		AccumulatedDrivenKeys, AccumulatedTransforms, AccumulatedRotationDeltas, AccumulatedWorldTranslationDeltas);
	FQVFaceFollowRecord FollowRecord;
	QVFaceSDKRows::EvaluateDrivers(Evaluation, CachedControls, CachedDrivenBones, Accumulation);
	QVFaceSDKRows::AddDirectControls(Evaluation, CachedDirectControls, Accumulation, FollowRecord);
	QVFaceSDKRows::WriteTargets(Evaluation, Accumulation);

	QVFacePostSDKLayers::CopyEyeJoints(Evaluation);
	QVFacePostSDKLayers::MoveRegions(Evaluation);
	QVFacePostSDKLayers::PlaceFollowControls(Evaluation);
	QVFacePostSDKLayers::PlaceDirectControlFollowers(Evaluation, FollowRecord);
}
