// Comparing the pose before and after each node.
#include "QVRig/NodeActivity.h"

void FQVNodeActivity::FLargest::Offer(double InAmount, int32 InElement, int32 InFrame)
{
	if (InAmount > Amount)
	{
		Amount = InAmount;
		Element = InElement;
		Frame = InFrame;
	}
}

FQVNodeActivity::FQVNodeActivity(const URigHierarchy& InHierarchy, int32 InNumNodes) : Hierarchy(InHierarchy)
{
	for (int32 Index = 0; Index < Hierarchy.Num(); ++Index)
	{
		if (Hierarchy.Get<FRigTransformElement>(Index) != nullptr)
		{
			TransformElements.Add(Index);
		}
	}
	Nodes.SetNum(InNumNodes);
	bListed.SetNum(InNumNodes);
	for (TArray<bool>& Listed : bListed)
	{
		Listed.Init(false, Hierarchy.Num());
	}
}

void FQVNodeActivity::Capture(FPose& OutPose) const
{
	OutPose.Locals.Reset();
	OutPose.Globals.Reset();
	for (const int32 Index : TransformElements)
	{
		OutPose.Locals.Add(Hierarchy.GetLocalTransform(Index));
		OutPose.Globals.Add(Hierarchy.GetGlobalTransform(Index));
	}
}

void FQVNodeActivity::BeforeNode()
{
	Capture(Before);
}

void FQVNodeActivity::AfterNode(int32 InNode, int32 InFrame)
{
	Capture(After);
	FNodeRecord& Record = Nodes[InNode];
	for (int32 Slot = 0; Slot < TransformElements.Num(); ++Slot)
	{
		if (Before.Locals[Slot].Equals(After.Locals[Slot], ChangeTolerance))
		{
			continue;
		}
		const int32 Element = TransformElements[Slot];
		if (!bListed[InNode][Element])
		{
			bListed[InNode][Element] = true;
			Record.ChangedElements.Add(Element);
		}
		const FTransform& OldGlobal = Before.Globals[Slot];
		const FTransform& NewGlobal = After.Globals[Slot];
		Record.Translation.Offer(
			FVector::Dist(OldGlobal.GetTranslation(), NewGlobal.GetTranslation()), Element, InFrame);
		Record.Rotation.Offer(FMath::RadiansToDegrees(OldGlobal.GetRotation().AngularDistance(NewGlobal.GetRotation())),
			Element, InFrame);
	}
}
