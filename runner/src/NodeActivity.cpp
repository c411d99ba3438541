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
			SetupLocals.Add(Hierarchy.GetLocalTransformByIndex(Index, true));
		}
	}
	Nodes.SetNum(InNumNodes);
	bListed.SetNum(InNumNodes);
	for (TArray<bool>& Listed : bListed)
	{
		Listed.Init(false, Hierarchy.Num());
	}
}

void FQVNodeActivity::Capture(TArray<FTransform>& OutLocals) const
{
	OutLocals.Reset();
	for (const int32 Index : TransformElements)
	{
		OutLocals.Add(Hierarchy.GetLocalTransform(Index));
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
		if (Before[Slot].Equals(After[Slot], ChangeTolerance))
		{
			continue;
		}
		const int32 Element = TransformElements[Slot];
		if (!bListed[InNode][Element])
		{
			bListed[InNode][Element] = true;
			Record.ChangedElements.Add(Element);
		}
		const FTransform& Setup = SetupLocals[Slot];
		const FTransform& Now = After[Slot];
		Record.Translation.Offer(FVector::Dist(Setup.GetTranslation(), Now.GetTranslation()), Element, InFrame);
		Record.Rotation.Offer(
			FMath::RadiansToDegrees(Setup.GetRotation().AngularDistance(Now.GetRotation())), Element, InFrame);
	}
}
