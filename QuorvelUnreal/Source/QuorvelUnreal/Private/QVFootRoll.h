// The reverse foot roll's arithmetic, free of the hierarchy: the pivot angles a roll and a rock give, and a pivot's
// setup transform turned about one of its setup axes.
#pragma once

#include "CoreMinimal.h"

// Degrees each roll pivot turns about its X axis.
struct FQVFootRollAngles
{
	float Heel = 0.f;
	float Ball = 0.f;
	float ToeTip = 0.f;
};

namespace QVFootRoll
{
// Negative rolls turn the heel; the ball rolls in over [0, RollStartAngle] and hands over to the toe tip up to
// RollEndAngle. All in single precision, as the pins are.
FQVFootRollAngles ComputeRollAngles(float Roll, float RollStartAngle, float RollEndAngle);

// Degrees a rock pivot turns: the rock clamped to [Min, Max], times the multiplier, negated.
float ComputeRockAngle(float Rock, float Min, float Max, float Multiplier);

// Half angles in radians, as the pivots take them: a roll pivot's in single precision, a rock pivot's halved in
// double.
double RollHalfAngle(float AngleDegrees);
double RockHalfAngle(float AngleDegrees);

// Setup turned by HalfAngle (radians) about Axis of its own frame; translation and scale kept.
FTransform TurnAboutSetupAxis(const FTransform& Setup, const FVector& Axis, double HalfAngle);
} // namespace QVFootRoll
