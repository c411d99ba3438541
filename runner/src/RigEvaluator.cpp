// Frame evaluation of a loaded rig.
#include "QVRig/RigEvaluator.h"

#include "QVHost/RigVMExecuteContextAccess.h"
#include "QVRig/NodeProfile.h"
#include "QVRig/RigNode.h"
#include "Units/RigUnitContext.h"

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
	const FQVNodeProfile::FClock::time_point FrameBegin =
		Profile ? FQVNodeProfile::FClock::now() : FQVNodeProfile::FClock::time_point();
	URigHierarchy& Hierarchy = Rig.GetHierarchy();
	Hierarchy.ResetPoseToInitial(FrameStart == EQVFrameStart::ResetPose ? ERigElementType::All : ERigElementType::Bone);
	const TArray<FQVControlTrack>& Tracks = Rig.GetAnimation().Tracks;
	for (int32 Index = 0; Index < Tracks.Num(); ++Index)
	{
		Hierarchy.SetControlValue(Hierarchy.Get<FRigControlElement>(TrackControlIndices[Index]),
			Tracks[Index].Evaluate(InFrame), ERigControlValueType::Current);
	}

	const TArray<TUniquePtr<FQVRigNode>>& Nodes = Rig.GetNodes();
	for (const FQVPinTrack& Track : Rig.GetAnimation().PinTracks)
	{
		Track.Apply(Nodes[Track.NodeIndex]->GetMemory(), InFrame);
	}

	FControlRigExecuteContext& PublicContext = Context.GetPublicData<FControlRigExecuteContext>();
	for (int32 Index = 0; Index < Nodes.Num(); ++Index)
	{
		QVHost::FRigVMExecuteContextAccess::SetFunctionName(PublicContext, Nodes[Index]->GetFunctionName());
		PublicContext.InstructionIndex = Index;
		if (Profile)
		{
			const FQVNodeProfile::FClock::time_point NodeBegin = FQVNodeProfile::FClock::now();
			Nodes[Index]->Execute(Context);
			Profile->AddNodeTime(Index, FQVNodeProfile::FClock::now() - NodeBegin);
		}
		else
		{
			Nodes[Index]->Execute(Context);
		}
	}
	if (Profile)
	{
		Profile->AddFrameTime(FQVNodeProfile::FClock::now() - FrameBegin);
	}
}
