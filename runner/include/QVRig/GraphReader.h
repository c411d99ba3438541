// Reads a rig file's "graph": unit nodes found by struct name, with their input pins set through reflection.
#pragma once

#include "CoreMinimal.h"
#include "QVJson/JsonValue.h"
#include "QVRig/RigAssets.h"
#include "QVRig/RigNode.h"

struct FQVGraphReader
{
	// Nodes in list order. A unit is its struct name without the leading F ("RigUnit_QVReverseFootRoll") or a full
	// object path ("/Script/Module.RigUnit_X"); it must have a registered RigVM function. Object pins take asset ids
	// of InAssets. Throws FQVJsonError on the first problem.
	static TArray<TUniquePtr<FQVRigNode>> Read(const FQVJsonValue& InGraph, const FQVRigAssets& InAssets);
};
