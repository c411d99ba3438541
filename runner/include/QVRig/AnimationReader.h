// Reads a rig file's "animation": frame rate, frame count, and keyed tracks on the hierarchy's controls and on the
// graph's unit input pins.
#pragma once

#include "CoreMinimal.h"
#include "QVJson/JsonValue.h"
#include "QVRig/RigAnimation.h"
#include "Rigs/RigHierarchy.h"

class FQVRigNode;

struct FQVAnimationReader
{
	// Control tracks name controls of InHierarchy; their key values are shaped as the control's value. Pin tracks
	// name a node of InNodes (by label or position) and one of its bool, int32, float or double input pins; their key
	// values are shaped as the pin's value. Throws FQVJsonError on the first problem.
	static FQVRigAnimation Read(const FQVJsonValue& InAnimation, const URigHierarchy& InHierarchy,
		const TArray<TUniquePtr<FQVRigNode>>& InNodes);
};
