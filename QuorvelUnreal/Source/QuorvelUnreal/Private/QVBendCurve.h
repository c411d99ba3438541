// The bend curve: a clamped uniform cubic B-spline whose control points start on the straight line between a
// segment's end bones and are carried along by the handles, and its sampling by arc length. Pure math, no hierarchy.
#pragma once

#include "CoreMinimal.h"

namespace QVBendCurve
{
// Number of chords in the dense table that arc-length sampling measures the curve with.
inline constexpr int32 DenseChordCount = 128;

// The point at Fraction of the way from Start to End, (End - Start) * Fraction + Start, Fraction not clamped.
inline FVector PointOnLine(const FVector& Start, const FVector& End, double Fraction)
{
	return (End - Start) * Fraction + Start;
}

// Knot Index of the clamped uniform cubic knot vector over NumPoints control points: 0 up to index 3, 1 from
// index NumPoints on, uniform in between.
double BendKnot(int32 Index, int32 NumPoints);

// The NumPoints + 4 knots over NumPoints control points (none for a negative count).
TArray<double> MakeBendKnots(int32 NumPoints);

// Control points of a curve shaped by m handles (m + 2 points): the line from Start to End sampled at the Greville
// abscissae, each point carried from rest frame to animated frame by its handle, the second and the second to last
// blended 0.6 / 0.4 between their handle and its neighbour towards the middle. RestFrames and AnimatedFrames run
// parallel in handle order; with fewer than two pairs, or arrays of different lengths, there are no points.
void BuildBendControlPoints(const FVector& Start, const FVector& End, TConstArrayView<FTransform> RestFrames,
	TConstArrayView<FTransform> AnimatedFrames, TArray<FVector>& OutPoints);

// The point at curve parameter T (clamped to 0..1, NaN giving 1) by de Boor's algorithm. Fewer than four points
// give the zero vector (no points) or the first point.
FVector EvaluateBendCurve(TConstArrayView<FVector> Points, double T);

// One point per entry of Fractions, in order: each a fraction of the curve's arc length (clamped to 0..1, NaN
// giving 1), measured along the 128 chords between 129 evenly spaced curve parameters.
void SampleBendCurve(TConstArrayView<FVector> Points, TConstArrayView<float> Fractions, TArray<FVector>& OutPoints);
} // namespace QVBendCurve
