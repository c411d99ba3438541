// Running one frame's tick functions so that each runs after its prerequisites.
#pragma once

#include "CoreMinimal.h"
#include "Engine/EngineBaseTypes.h"

// Runs each tick function once, in the given order except that a function waits for its prerequisites among
// TickFunctions (prerequisites not in the list are not waited for). A prerequisite cycle is broken where it closes:
// the function that closes it runs without waiting for the one already waiting on it.
void RunTickFunctionsInOrder(const TArray<FTickFunction*>& TickFunctions, float DeltaTime, ELevelTick TickType);
