// Builds the hierarchy from a rig file's "elements": bones, nulls, controls and animation channels, in file order.
#pragma once

#include "CoreMinimal.h"
#include "QVJson/JsonValue.h"
#include "Rigs/RigHierarchy.h"

struct FQVElementReader
{
	// Adds every element of the array to InHierarchy through its controller. Parents must come before children;
	// names are unique per element type (without regard to case). Throws FQVJsonError on the first problem.
	static void Read(const FQVJsonValue& InElements, URigHierarchy& InHierarchy);
};
