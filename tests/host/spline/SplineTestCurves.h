// Reference curves for the spline tests, written from the textbook definitions rather than from the code under test:
// a clamped uniform cubic B-spline by the Cox-de Boor recursion in double precision, and Catmull-Rom points.
#pragma once

#include "CoreMinimal.h"

namespace QVSplineTest
{
// The clamped uniform knot vector of Count control points and degree 3, in double: four zeros, interior knots
// 1/(Count-3), 2/(Count-3), ..., four ones.
inline TArray<double> ClampedKnots(int32 Count)
{
	TArray<double> Knots;
	const int32 NumInterior = Count - 4;
	for (int32 Index = 0; Index < 4; ++Index)
	{
		Knots.Add(0.0);
	}
	for (int32 Index = 1; Index <= NumInterior; ++Index)
	{
		Knots.Add(double(Index) / double(Count - 3));
	}
	for (int32 Index = 0; Index < 4; ++Index)
	{
		Knots.Add(1.0);
	}
	return Knots;
}

// Basis function N(i, p) at U by the Cox-de Boor recursion (0/0 read as 0); U is never a knot of the end spans here.
inline double Basis(const TArray<double>& Knots, int32 I, int32 P, double U)
{
	if (P == 0)
	{
		return Knots[I] <= U && U < Knots[I + 1] ? 1.0 : 0.0;
	}
	double Result = 0.0;
	const double Left = Knots[I + P] - Knots[I];
	if (Left > 0.0)
	{
		Result += (U - Knots[I]) / Left * Basis(Knots, I, P - 1, U);
	}
	const double Right = Knots[I + P + 1] - Knots[I + 1];
	if (Right > 0.0)
	{
		Result += (Knots[I + P + 1] - U) / Right * Basis(Knots, I + 1, P - 1, U);
	}
	return Result;
}

// The clamped cubic B-spline through Points at the knot parameter U (0 < U < 1): the sum of basis times point.
inline FVector ClampedCubicPoint(const TArray<FVector>& Points, double U)
{
	const TArray<double> Knots = ClampedKnots(Points.Num());
	FVector Sum = FVector::ZeroVector;
	for (int32 Index = 0; Index < Points.Num(); ++Index)
	{
		Sum += Points[Index] * Basis(Knots, Index, 3, U);
	}
	return Sum;
}

// The engine's reading of a curve parameter T in 0..1: the knot range shrunk by 1e-4 at each end, in float.
inline double RemapToKnots(float T)
{
	const float Min = 0.f + 1e-4f;
	const float Max = 1.f - 1e-4f;
	return double(Min + T * (Max - Min));
}

// The sample parameters of a spline with NumSamples samples: a float sum of the float step, as the engine steps it.
inline TArray<float> AccumulatedSampleParams(int32 NumSamples)
{
	TArray<float> Params;
	const float Step = 1.f / float(NumSamples - 1);
	float U = 0.f;
	for (int32 Index = 0; Index < NumSamples; ++Index, U += Step)
	{
		Params.Add(U);
	}
	return Params;
}

// The Catmull-Rom point halfway between P1 and P2: (-P0 + 9 P1 + 9 P2 - P3) / 16.
inline FVector CatmullRomMidpoint(const FVector& P0, const FVector& P1, const FVector& P2, const FVector& P3)
{
	return (P0 * -1.0 + P1 * 9.0 + P2 * 9.0 - P3) / 16.0;
}
} // namespace QVSplineTest
