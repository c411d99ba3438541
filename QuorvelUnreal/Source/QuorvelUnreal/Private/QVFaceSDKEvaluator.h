// Set-driven-key curve evaluation: scalar curves with linear tangents and rotation curves.
#pragma once

#include "CoreMinimal.h"
#include "QVFaceSDKTypes.h"

// Maps a driver value to a driven value the way a set driven key with linear tangents does. Stateless.
class QUORVELUNREAL_API FQVFaceSDKEvaluator
{
public:
	// Keys need not be sorted. Between keys the curve is linear; outside them the end segments continue as straight
	// lines. Single precision throughout.
	static float EvaluateSDKCurve(float DriverValue, const TArray<FQVSDKKey>& Keys);
};

// The rotation at DriverValue on a curve of keys sorted by ascending X, always normalised. Outside the keys the end
// segment's arc continues.
QUORVELUNREAL_API FQuat QVEvaluateSDKQuaternionCurve(float DriverValue, const TArray<FQVSDKQuaternionKey>& Keys);
