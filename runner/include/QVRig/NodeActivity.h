// What each unit node changed while a rig was evaluated (`qvrig run --summary`): the elements whose local transform
// a node changed, found by comparing the pose before and after each node, and how far it drove them from their setup
// pose.
#pragma once

#include "CoreMinimal.h"
#include "Rigs/RigHierarchy.h"

class FQVNodeActivity
{
public:
	// The largest change of one kind a node made, where and when it made it.
	struct FLargest
	{
		double Amount = 0.0;
		int32 Element = INDEX_NONE;
		int32 Frame = INDEX_NONE;

		void Offer(double InAmount, int32 InElement, int32 InFrame);
	};

	// Everything one node changed over the run.
	struct FNodeRecord
	{
		// Element indices whose local transform the node changed in at least one frame, in the order first changed.
		TArray<int32> ChangedElements;
		// Of those elements, the largest difference between the local transform the node left and the setup local
		// transform: a move in centimetres and a turn in degrees. Measured relative to the parent, it is what the node
		// itself did, whatever moved the parents, and whether the pose carried over from the frame before or not.
		FLargest Translation;
		FLargest Rotation;
	};

	// A local transform changes when a part of it (a translation in centimetres, a quaternion component, a scale
	// factor) changes by more than this; less is rounding, as when a transform is recomputed from its global one.
	static constexpr double ChangeTolerance = 1e-6;

	FQVNodeActivity(const URigHierarchy& InHierarchy, int32 InNumNodes);

	// Records the pose before a node runs.
	void BeforeNode();
	// Compares the pose after node InNode ran in frame InFrame with the one BeforeNode recorded.
	void AfterNode(int32 InNode, int32 InFrame);

	const FNodeRecord& GetNode(int32 InNode) const { return Nodes[InNode]; }
	int32 GetNumNodes() const { return Nodes.Num(); }

private:
	// The current local transforms of TransformElements.
	void Capture(TArray<FTransform>& OutLocals) const;

	const URigHierarchy& Hierarchy;
	// The elements that have transforms (bones, nulls, controls), by element index.
	TArray<int32> TransformElements;
	// Their setup (initial) local transforms, parallel to TransformElements.
	TArray<FTransform> SetupLocals;
	TArray<FTransform> Before;
	TArray<FTransform> After;
	TArray<FNodeRecord> Nodes;
	// Per node and element index, whether the element is in the node's ChangedElements already.
	TArray<TArray<bool>> bListed;
};
