// The checkers of unit kinds, found by the unit's struct. Each checker registers itself from a file of its own, so
// adding one takes that file alone.
#pragma once

#include "CoreMinimal.h"

class FQVUnitCheck;
class UScriptStruct;

using FQVUnitCheckerFunction = void (*)(FQVUnitCheck& InCheck);

struct FQVUnitCheckers
{
	// The checker registered for the struct, or null when it has none.
	static FQVUnitCheckerFunction Find(const UScriptStruct& InStruct);
};

// A static instance of this in a checker's file registers the checker before the program starts. The struct is asked
// for when a checker is first looked up, once reflection is registered.
struct FQVUnitCheckerRegistration
{
	FQVUnitCheckerRegistration(UScriptStruct* (*InGetStruct)(), FQVUnitCheckerFunction InChecker);
};
