// Reads a rig file's "animation": frame rate, frame count and keyed tracks on the hierarchy's controls.
#pragma once

#include "CoreMinimal.h"
#include "QVJson/JsonValue.h"
#include "QVRig/RigAnimation.h"
#include "Rigs/RigHierarchy.h"

struct FQVAnimationReader
{
	// Tracks name controls of InHierarchy; their key values are shaped as the control's value. Throws
	// FQVJsonError on the first problem.
	static FQVRigAnimation Read(const FQVJsonValue& InAnimation, const URigHierarchy& InHierarchy);
};
