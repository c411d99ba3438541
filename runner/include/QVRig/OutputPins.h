// The output pins of a rig's unit nodes that `qvrig run --pins` prints: transforms and arrays of transforms, as the
// units left them after the frame.
#pragma once

#include "CoreMinimal.h"

class FProperty;
class FQVRig;
class FQVRigNode;

struct FQVOutputPin
{
	// The node's position in the graph.
	int32 NodeIndex = INDEX_NONE;
	const FQVRigNode* Node = nullptr;
	const FProperty* Pin = nullptr;
	// An array pin, whose elements are printed with their index; else a single transform.
	bool bArray = false;

	// The transforms the pin holds now: the one transform, or the array's elements in order.
	TArray<FTransform> Read() const;

	// Every FTransform and TArray<FTransform> output pin of InRig's nodes, in graph order and then pin order.
	static TArray<FQVOutputPin> FindAll(const FQVRig& InRig);
};
