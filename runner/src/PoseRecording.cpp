// Recording the global transforms of chosen elements frame by frame.
#include "QVRig/PoseRecording.h"

FTransform FQVPoseRecording::GetLocalTransform(int32 InFrame, int32 InElement) const
{
	const int32 Parent = Parents[InElement];
	const FTransform& Global = GetTransform(InFrame, InElement);
	return Parent == INDEX_NONE ? Global : Global.GetRelativeTransform(GetTransform(InFrame, Parent));
}

FTransform FQVPoseRecording::GetInitialLocalTransform(int32 InElement) const
{
	const int32 Parent = Parents[InElement];
	const FTransform& Global = InitialTransforms[InElement];
	return Parent == INDEX_NONE ? Global : Global.GetRelativeTransform(InitialTransforms[Parent]);
}

TOptional<FString> FQVPoseRecording::CheckSize(int32 InNumElements, int32 InNumFrames)
{
	const int64 NumTransforms = int64(InNumElements) * InNumFrames;
	if (NumTransforms <= MaxTransforms)
	{
		return TOptional<FString>();
	}
	return FString::Printf(TEXT("%d elements over %d frames are %lld transforms, more than the runner records at once "
								"(%lld); choose fewer elements with --elements"),
		InNumElements, InNumFrames, static_cast<long long>(NumTransforms), static_cast<long long>(MaxTransforms));
}

FQVPoseRecording FQVPoseRecording::Record(
	FQVRig& InRig, TConstArrayView<FRigElementKey> InElements, EQVFrameStart InFrameStart)
{
	URigHierarchy& Hierarchy = InRig.GetHierarchy();
	FQVPoseRecording Recording;
	Recording.RigPath = InRig.GetSourceName();
	Recording.FrameRate = InRig.GetAnimation().FrameRate;
	Recording.FrameCount = InRig.GetAnimation().FrameCount;

	// Hierarchy index to position in Elements.
	TMap<int32, int32> Positions;
	TArray<int32> Indices;
	for (const FRigElementKey& Key : InElements)
	{
		const int32 Index = Hierarchy.GetIndex(Key);
		checkf(Index != INDEX_NONE && !Positions.Contains(Index), TEXT("%s is missing or given twice"),
			*Key.Name.ToString());
		Positions.Add(Index, Indices.Num());
		Indices.Add(Index);
		Recording.Elements.Add(Hierarchy.GetKey(Index));
		Recording.InitialTransforms.Add(Hierarchy.GetInitialGlobalTransform(Index));
	}
	for (const int32 Index : Indices)
	{
		int32 Parent = Hierarchy.GetFirstParent(Index);
		while (Parent != INDEX_NONE && !Positions.Contains(Parent))
		{
			Parent = Hierarchy.GetFirstParent(Parent);
		}
		Recording.Parents.Add(Parent == INDEX_NONE ? INDEX_NONE : Positions.FindChecked(Parent));
	}

	Recording.Transforms.Reserve(Recording.FrameCount * Indices.Num());
	FQVRigEvaluator Evaluator(InRig, InFrameStart);
	for (int32 Frame = 0; Frame < Recording.FrameCount; ++Frame)
	{
		Evaluator.EvaluateFrame(Frame);
		for (const int32 Index : Indices)
		{
			Recording.Transforms.Add(Hierarchy.GetGlobalTransform(Index));
		}
	}
	Recording.NumReports = Evaluator.GetLog().Entries.Num();
	return Recording;
}
