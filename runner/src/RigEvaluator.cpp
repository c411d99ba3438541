// Frame evaluation of a loaded rig.
#include "QVRig/RigEvaluator.h"

#include "QVHost/RigVMExecuteContextAccess.h"
#include "QVRig/NodeActivity.h"
#include "QVRig/NodeProfile.h"
#include "QVRig/RigNode.h"
#include "Units/RigUnitContext.h"

namespace
{
// Sets an animated control's value as the engine's animation does: the value, and for controls with a rotation the
// keyed Euler angles as the control's preferred angles (a value write alone leaves those as they were).
void ApplyTrackValue(URigHierarchy& Hierarchy, FRigControlElement* Control, const FRigControlValue& Value)
{
	Hierarchy.SetControlValue(Control, Value, ERigControlValueType::Current);
	if (Control == nullptr)
	{
		return;
	}
	const FRigControlSettings& Settings = Control->Settings;
	switch (Settings.ControlType)
	{
		case ERigControlType::Rotator:
			Hierarchy.SetControlSpecifiedEulerAngle(Control, FVector(Value.Get<FVector3f>()));
			break;
		case ERigControlType::EulerTransform:
		{
			const FRotator Rotator = Value.Get<FRigControlValue::FEulerTransform_Float>().GetRotator();
			Hierarchy.SetControlSpecifiedEulerAngle(Control, FVector(Rotator.Roll, Rotator.Pitch, Rotator.Yaw));
			break;
		}
		case ERigControlType::Transform:
		case ERigControlType::TransformNoScale:
		{
			const FRotator Rotator = Value.GetAsTransform(Settings.ControlType, Settings.PrimaryAxis).Rotator();
			Hierarchy.SetControlSpecifiedEulerAngle(Control, FVector(Rotator.Roll, Rotator.Pitch, Rotator.Yaw));
			break;
		}
		default:
			break;
	}
}
} // namespace

FQVRigEvaluator::FQVRigEvaluator(FQVRig& InRig, EQVFrameStart InFrameStart)
	: Rig(InRig), FrameStart(InFrameStart), Context(FControlRigExecuteContext::StaticStruct())
{
	FControlRigExecuteContext& PublicContext = Context.GetPublicDataSafe<FControlRigExecuteContext>();
	PublicContext.Hierarchy = &Rig.GetHierarchy();
	PublicContext.SetLog(&Log);
	for (const FQVControlTrack& Track : Rig.GetAnimation().Tracks)
	{
		TrackControlIndices.Add(Rig.GetHierarchy().GetIndex(Track.Control));
	}
}

void FQVRigEvaluator::EvaluateFrame(int32 InFrame)
{
	using FClock = FQVNodeProfile::FClock;
	const FClock::time_point FrameBegin = Profile ? FClock::now() : FClock::time_point();
	URigHierarchy& Hierarchy = Rig.GetHierarchy();
	Hierarchy.ResetPoseToInitial(FrameStart == EQVFrameStart::ResetPose ? ERigElementType::All : ERigElementType::Bone);
	const TArray<FQVControlTrack>& Tracks = Rig.GetAnimation().Tracks;
	for (int32 Index = 0; Index < Tracks.Num(); ++Index)
	{
		ApplyTrackValue(
			Hierarchy, Hierarchy.Get<FRigControlElement>(TrackControlIndices[Index]), Tracks[Index].Evaluate(InFrame));
	}

	const TArray<TUniquePtr<FQVRigNode>>& Nodes = Rig.GetNodes();
	for (const FQVPinTrack& Track : Rig.GetAnimation().PinTracks)
	{
		Track.Apply(Nodes[Track.NodeIndex]->GetMemory(), InFrame);
	}
	// A whole frame is its start and every node's call, without what recording the activity costs.
	FClock::duration FrameTime = Profile ? FClock::now() - FrameBegin : FClock::duration::zero();

	FControlRigExecuteContext& PublicContext = Context.GetPublicData<FControlRigExecuteContext>();
	for (int32 Index = 0; Index < Nodes.Num(); ++Index)
	{
		QVHost::FRigVMExecuteContextAccess::SetFunctionName(PublicContext, Nodes[Index]->GetFunctionName());
		PublicContext.InstructionIndex = Index;
		if (Activity)
		{
			Activity->BeforeNode();
		}
		if (Profile)
		{
			const FClock::time_point NodeBegin = FClock::now();
			Nodes[Index]->Execute(Context);
			const FClock::duration NodeTime = FClock::now() - NodeBegin;
			Profile->AddNodeTime(Index, NodeTime);
			FrameTime += NodeTime;
		}
		else
		{
			Nodes[Index]->Execute(Context);
		}
		if (Activity)
		{
			Activity->AfterNode(Index, InFrame);
		}
	}
	if (Profile)
	{
		Profile->AddFrameTime(FrameTime);
	}
}
