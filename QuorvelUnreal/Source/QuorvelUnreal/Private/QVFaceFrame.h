// The face frame the face solver's phases share: the face scale, and the control box carried by the face joint.
#pragma once

#include "CoreMinimal.h"

namespace QVFaceFrame
{
// Lengths, scales and divisors at or below this count as zero (the engine's single-precision small number).
inline constexpr double SmallNumber = double(UE_SMALL_NUMBER);

// How much larger the face is than the rig it was authored on. A scaler of 1 means "derive it from the face joint":
// the mean absolute scale of Reference (the face joint's setup transform) unless that is 1. Never negative; a scaler
// that is not a positive number (NaN included) gives 0.
double ComputeFaceScale(float FaceScaler, const FTransform& Reference);

// The face scale where a phase divides by it: raised to SmallNumber.
double FaceScaleDivisor(double FaceScale);

// The control box's global transform: its setup offset to the face joint, carried by the face joint's current pose,
// with a scale of its setup scale times the face scale times the face joint's current-to-setup scale ratio (0 on an
// axis whose setup scale is zero).
FTransform CarryControlBox(const FTransform& BoxInitial, const FTransform& FaceJointInitial,
	const FTransform& FaceJointCurrent, double FaceScale);

// The mean of a scale's absolute components.
inline double MeanAbsoluteScale(const FVector& Scale)
{
	return (FMath::Abs(Scale.X) + FMath::Abs(Scale.Y) + FMath::Abs(Scale.Z)) * (1.0 / 3.0);
}

// A translation output of a set-driven-key row in its target's parent units: authored for a face of scale 1 and a
// parent of scale 1, it grows with the face and shrinks with the parent's mean absolute setup scale. Inline: it runs
// for every translation row, on a transform just returned by the hierarchy.
inline double ScaleTranslationOutput(double Output, double FaceScaleDivisor, const FTransform& ParentInitial)
{
	return Output * FaceScaleDivisor / FMath::Max(MeanAbsoluteScale(ParentInitial.GetScale3D()), SmallNumber);
}
} // namespace QVFaceFrame
