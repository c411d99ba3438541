// What the test unit's StaticExecute last received, for tests that drive it through its entries.
#pragma once

#include "Public/ReflectionTestTypes.h"

struct FQVTestUnitCall
{
	int32 Calls = 0;
	int32 CallsWithoutHierarchy = 0;
	float Scale = 0.f;
	EQVTestShade Shade = EQVTestShade::Dark;
	FName Label;
	TArray<float> Values;
	const float* ValuesData = nullptr;
};

extern FQVTestUnitCall GQVTestUnitCall;
