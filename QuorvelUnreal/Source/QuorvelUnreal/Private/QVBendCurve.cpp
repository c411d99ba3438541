// The bend curve: knots, control points carried by handle frames, de Boor evaluation and arc-length sampling.
#include "QVBendCurve.h"

#include <algorithm>

namespace QVBendCurve
{
namespace
{
constexpr int32 DenseSampleCount = DenseChordCount + 1;
constexpr double DenseStep = 0.0078125; // 1 / 128, exact

// What de Boor's algorithm needs of the knots for one curve parameter: the span and the six blend factors, in the
// order the algorithm uses them (r = 1 for i = s, s-1, s-2; r = 2 for i = s, s-1; r = 3 for i = s).
struct FDeBoorStep
{
	int32 Span = 3;
	double Alphas[6] = {};
};

// T must already be clamped to 0..1.
void PrepareDeBoorStep(int32 NumPoints, double T, FDeBoorStep& OutStep)
{
	OutStep.Span = NumPoints - 1;
	for (int32 Index = 3; Index < NumPoints; ++Index)
	{
		if (T < BendKnot(Index + 1, NumPoints))
		{
			OutStep.Span = Index;
			break;
		}
	}
	int32 Alpha = 0;
	for (int32 Round = 1; Round <= 3; ++Round)
	{
		for (int32 Index = OutStep.Span; Index >= OutStep.Span - 3 + Round; --Index)
		{
			const double Low = BendKnot(Index, NumPoints);
			const double Denominator = BendKnot(Index + 4 - Round, NumPoints) - Low;
			OutStep.Alphas[Alpha++] = Denominator > UE_SMALL_NUMBER ? (T - Low) / Denominator : 0.0;
		}
	}
}

// One coordinate of de Boor's algorithm over the span's four points, each blend d = a + (b - a) * alpha.
FORCEINLINE double RunDeBoorAxis(double D0, double D1, double D2, double D3, const double* Alphas)
{
	D3 = D2 + (D3 - D2) * Alphas[0];
	D2 = D1 + (D2 - D1) * Alphas[1];
	D1 = D0 + (D1 - D0) * Alphas[2];
	D3 = D2 + (D3 - D2) * Alphas[3];
	D2 = D1 + (D2 - D1) * Alphas[4];
	return D2 + (D3 - D2) * Alphas[5];
}

FVector RunDeBoor(const FVector* Points, const FDeBoorStep& Step)
{
	const FVector* P = Points + (Step.Span - 3);
	return FVector(RunDeBoorAxis(P[0].X, P[1].X, P[2].X, P[3].X, Step.Alphas),
		RunDeBoorAxis(P[0].Y, P[1].Y, P[2].Y, P[3].Y, Step.Alphas),
		RunDeBoorAxis(P[0].Z, P[1].Z, P[2].Z, P[3].Z, Step.Alphas));
}

// The dense samples of every curve of up to this many control points share precomputed de Boor steps: they depend
// on the point count alone, and using them gives the very same numbers as computing them per sample.
constexpr int32 MaxTabulatedPoints = 16;

struct FDenseSampleSteps
{
	FDeBoorStep Steps[MaxTabulatedPoints - 3][DenseSampleCount];

	FDenseSampleSteps()
	{
		for (int32 NumPoints = 4; NumPoints <= MaxTabulatedPoints; ++NumPoints)
		{
			for (int32 Sample = 0; Sample < DenseSampleCount; ++Sample)
			{
				PrepareDeBoorStep(NumPoints, Sample * DenseStep, Steps[NumPoints - 4][Sample]);
			}
		}
	}
};

// Null beyond the tabulated counts. Built once, on first use; read-only afterwards, so rigs on other threads share it.
const FDeBoorStep* FindDenseSampleSteps(int32 NumPoints)
{
	if (NumPoints < 4 || NumPoints > MaxTabulatedPoints)
	{
		return nullptr;
	}
	static const FDenseSampleSteps Table;
	return Table.Steps[NumPoints - 4];
}

// The point carried by a handle: P taken into the rest frame's space and out of the animated frame's.
FVector CarryPoint(const FTransform& Rest, const FTransform& Animated, const FVector& Point)
{
	return Animated.TransformPosition(Rest.InverseTransformPosition(Point));
}
} // namespace

double BendKnot(int32 Index, int32 NumPoints)
{
	if (Index <= 3)
	{
		return 0.0;
	}
	if (Index >= NumPoints)
	{
		return 1.0;
	}
	return double(Index - 3) / double(NumPoints - 3);
}

TArray<double> MakeBendKnots(int32 NumPoints)
{
	TArray<double> Knots;
	if (NumPoints < 0)
	{
		return Knots;
	}
	Knots.SetNumUninitialized(NumPoints + 4);
	for (int32 Index = 0; Index < NumPoints + 4; ++Index)
	{
		Knots[Index] = BendKnot(Index, NumPoints);
	}
	return Knots;
}

void BuildBendControlPoints(const FVector& Start, const FVector& End, TConstArrayView<FTransform> RestFrames,
	TConstArrayView<FTransform> AnimatedFrames, TArray<FVector>& OutPoints)
{
	OutPoints.Reset();
	const int32 NumFrames = RestFrames.Num();
	if (NumFrames < 2 || AnimatedFrames.Num() != NumFrames)
	{
		return;
	}
	const int32 NumPoints = NumFrames + 2;
	const int32 Last = NumFrames - 1;
	OutPoints.SetNumUninitialized(NumPoints);
	for (int32 Point = 0; Point < NumPoints; ++Point)
	{
		const double Greville =
			(BendKnot(Point + 2, NumPoints) + BendKnot(Point + 1, NumPoints) + BendKnot(Point + 3, NumPoints)) *
			0.3333333333333333;
		const FVector OnLine = PointOnLine(Start, End, Greville);
		const auto Carry = [&](int32 Frame) { return CarryPoint(RestFrames[Frame], AnimatedFrames[Frame], OnLine); };
		if (Point == 0)
		{
			OutPoints[Point] = Carry(0);
		}
		else if (Point == NumFrames + 1)
		{
			OutPoints[Point] = Carry(Last);
		}
		else if (Point == 1)
		{
			OutPoints[Point] = Carry(0) * 0.6 + Carry(1) * 0.4;
		}
		else if (Point == NumFrames)
		{
			OutPoints[Point] = Carry(Last - 1) * 0.4 + Carry(Last) * 0.6;
		}
		else
		{
			OutPoints[Point] = Carry(Point - 1);
		}
	}
}

FVector EvaluateBendCurve(TConstArrayView<FVector> Points, double T)
{
	const int32 NumPoints = Points.Num();
	if (NumPoints < 4)
	{
		return NumPoints == 0 ? FVector::ZeroVector : Points[0];
	}
	FDeBoorStep Step;
	PrepareDeBoorStep(NumPoints, FMath::Clamp(T, 0.0, 1.0), Step);
	return RunDeBoor(Points.GetData(), Step);
}

void SampleBendCurve(TConstArrayView<FVector> Points, TConstArrayView<float> Fractions, TArray<FVector>& OutPoints)
{
	FVector Dense[DenseSampleCount];
	double Lengths[DenseSampleCount];
	const FDeBoorStep* Steps = FindDenseSampleSteps(Points.Num());
	for (int32 Sample = 0; Sample < DenseSampleCount; ++Sample)
	{
		Dense[Sample] = Steps != nullptr ? RunDeBoor(Points.GetData(), Steps[Sample])
										 : EvaluateBendCurve(Points, Sample * DenseStep);
	}
	// Chord lengths first, so their square roots do not wait on the running sum.
	for (int32 Sample = 1; Sample < DenseSampleCount; ++Sample)
	{
		Lengths[Sample] = (Dense[Sample - 1] - Dense[Sample]).Size();
	}
	Lengths[0] = 0.0;
	for (int32 Sample = 1; Sample < DenseSampleCount; ++Sample)
	{
		Lengths[Sample] += Lengths[Sample - 1];
	}

	OutPoints.SetNumUninitialized(Fractions.Num());
	for (int32 Each = 0; Each < Fractions.Num(); ++Each)
	{
		const double Target = FMath::Clamp(double(Fractions[Each]), 0.0, 1.0) * Lengths[DenseChordCount];
		// The first chord end at or beyond the target (the last chord when none is): the running lengths never
		// decrease, so a binary search finds the chord a walk from the start would.
		const int32 Index = int32(std::lower_bound(Lengths + 1, Lengths + DenseChordCount, Target) - Lengths);
		const double Chord = Lengths[Index] - Lengths[Index - 1];
		const double Along = Chord > UE_SMALL_NUMBER ? (Target - Lengths[Index - 1]) / Chord : 0.0;
		OutPoints[Each] = Dense[Index - 1] + (Dense[Index] - Dense[Index - 1]) * Along;
	}
}
} // namespace QVBendCurve
