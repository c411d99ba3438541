// Linear blends between two control values of the same control type, as animation tracks need between keys.
#pragma once

#include "CoreMinimal.h"
#include "Rigs/RigHierarchyDefines.h"
#include "Rigs/RigHierarchyDefines.h"

struct FQVControlValueBlend
{
	// InAlpha 0 gives InA and 1 gives InB. Numbers and vectors blend linearly, integers round to the nearest, bools
	// step (InA until InB is reached), rotators blend per angle (so a 350 degree sweep stays one), quaternions by
	// slerp and transforms part by part.
	static FRigControlValue Blend(
		ERigControlType InControlType, const FRigControlValue& InA, const FRigControlValue& InB, double InAlpha);
};
