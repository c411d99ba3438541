// The curves behind FControlRigSpline: the B-spline with its single-precision knots and de Boor evaluation, and the
// Catmull-Rom Hermite spline. Their float steps are the engine's, so sampled points match it to the last bit.
#include "ControlRigSplineTypes.h"

#include <algorithm>

namespace
{
// A closed curve starts ceil(Degree / 2) points before the first point given.
int32 ClosedLeadIn(uint16 InDegree)
{
	return int32(FMath::CeilToFloat(float(InDegree) / 2.f));
}

// The cubic Hermite blend of P0 to P1 with tangents M0 and M1, weights in single precision.
FVector HermitePoint(const FVector& P0, const FVector& P1, const FVector& M0, const FVector& M1, float T)
{
	const float T2 = T * T;
	const float T3 = T2 * T;
	const float H00 = 2.f * T3 - 3.f * T2 + 1.f;
	const float H10 = T3 - 2.f * T2 + T;
	const float H01 = -2.f * T3 + 3.f * T2;
	const float H11 = T3 - T2;
	return double(H00) * P0 + double(H10) * M0 + double(H01) * P1 + double(H11) * M1;
}

// The open Hermite spline runs through every point: a mirrored point before the first and after the last give the
// end segments their tangents.
void MakeHermiteSegmentPoints(const TArray<FVector>& InPoints, bool bInClosed, TArray<FVector>& OutSegmentPoints)
{
	OutSegmentPoints.Reset();
	if (bInClosed)
	{
		OutSegmentPoints.Append(InPoints);
		return;
	}
	const int32 Last = InPoints.Num() - 1;
	OutSegmentPoints.Reserve(InPoints.Num() + 2);
	OutSegmentPoints.Add(InPoints[0] + InPoints[0] - InPoints[1]);
	OutSegmentPoints.Append(InPoints);
	OutSegmentPoints.Add(InPoints[Last] + InPoints[Last] - InPoints[Last - 1]);
}
} // namespace

ControlRigBaseSpline::ControlRigBaseSpline(
	const TArrayView<const FVector>& InControlPoints, uint16 InDegree, bool bInClosed)
	: Degree(InDegree), bClosed(bInClosed)
{
	if (!bClosed)
	{
		ControlPoints.Append(InControlPoints.GetData(), InControlPoints.Num());
		return;
	}
	// The last ceil(Degree / 2) points, all points, then the first ones again: Degree repeats around the seam.
	const int32 Count = InControlPoints.Num();
	const int32 NumPoints = Count + Degree;
	ControlPoints.Reserve(NumPoints);
	int32 Index = Count - ClosedLeadIn(Degree);
	while (ControlPoints.Num() < NumPoints)
	{
		Index = (Index + 1) % Count;
		ControlPoints.Add(InControlPoints[Index]);
	}
}

void ControlRigBaseSpline::SetControlPoints(const TArrayView<const FVector>& InControlPoints)
{
	if (!bClosed)
	{
		ControlPoints.Reset();
		ControlPoints.Append(InControlPoints.GetData(), InControlPoints.Num());
		return;
	}
	const int32 Count = InControlPoints.Num();
	int32 Index = Count - ClosedLeadIn(Degree);
	for (FVector& Point : ControlPoints)
	{
		Index = (Index + 1) % Count;
		Point = InControlPoints[Index];
	}
}

TArray<uint16> ControlRigBaseSpline::GetControlIndicesWithoutDuplicates()
{
	TArray<uint16> Indices;
	const int32 NumPoints = bClosed ? ControlPoints.Num() - Degree : ControlPoints.Num();
	// The stored list of a closed curve starts one point before the first point given.
	const int32 Skipped = bClosed ? ClosedLeadIn(Degree) - 1 : 0;
	Indices.Reserve(NumPoints);
	for (int32 Index = 0; Index < NumPoints; ++Index)
	{
		Indices.Add(uint16(Index + Skipped));
	}
	return Indices;
}

TArray<FVector> ControlRigBaseSpline::GetControlPointsWithoutDuplicates()
{
	TArray<FVector> Points;
	for (const uint16 Index : GetControlIndicesWithoutDuplicates())
	{
		Points.Add(ControlPoints[Index]);
	}
	return Points;
}

ControlRigBSpline::ControlRigBSpline(const TArrayView<const FVector>& InControlPoints, const uint16 InDegree,
	const bool bInClosed, const bool bInClamped)
	: ControlRigBaseSpline(InControlPoints, InDegree, bInClosed)
{
	WorkingPoints.SetNumZeroed(Degree + 1);
	const int32 N = ControlPoints.Num() - 1;
	const int32 P = Degree;
	const int32 M = N + P + 1;
	KnotVector.SetNumZeroed(M + 1);
	if (bInClamped && !bInClosed)
	{
		for (int32 Index = M - P; Index <= M; ++Index)
		{
			KnotVector[Index] = 1.f;
		}
		const float Step = 1.f / float(M - 2 * P);
		for (int32 Index = P + 1; Index < M - P; ++Index)
		{
			KnotVector[Index] = float(Index - P) * Step;
		}
		return;
	}
	const float Step = 1.f / float(M);
	for (int32 Index = 0; Index <= M; ++Index)
	{
		KnotVector[Index] = float(Index) * Step;
	}
}

FVector ControlRigBSpline::GetPointAtParam(float Param)
{
	const int32 P = Degree;
	const int32 M = ControlPoints.Num() + P;
	const int32 NumKnots = KnotVector.Num();
	// Raw pointers: the indices below stay within the Degree + 1 points of a span, and this runs for every sample.
	const float* Knots = KnotVector.GetData();
	FVector* Working = WorkingPoints.GetData();

	// The parameter maps onto the valid knot range, shrunk by 1e-4 at both ends.
	const float ClampedU = FMath::Clamp(Param, 0.f, 1.f);
	const float Min = Knots[P] + UE_KINDA_SMALL_NUMBER;
	const float Max = Knots[M - P] - UE_KINDA_SMALL_NUMBER;
	const float U = Min + ClampedU * (Max - Min);

	// The knot span: the first knot U (nearly) equals, or the first interval U lies strictly inside. U always lies
	// within the knots, so a span is found; K = P would be the first valid one. Knots well below U can be neither, so
	// the scan starts at the last knot more than 1e-6 below U, found by bisection.
	int32 K = P;
	const int32 First = FMath::Max(int32(std::lower_bound(Knots, Knots + NumKnots, U - 1e-6f) - Knots) - 1, 0);
	for (int32 Index = First; Index < NumKnots - 1; ++Index)
	{
		if (FMath::IsNearlyEqual(Knots[Index], U) || (Knots[Index] < U && Knots[Index + 1] > U))
		{
			K = Index;
			break;
		}
	}

	// De Boor's algorithm in place over the Degree + 1 points of the span; a round whose first knot is U is skipped.
	const FVector* Points = ControlPoints.GetData() + (K - P);
	for (int32 Index = 0; Index <= P; ++Index)
	{
		Working[Index] = Points[Index];
	}
	for (int32 Round = 1; Round <= P; ++Round)
	{
		const int32 Start = K - P + Round;
		if (FMath::IsNearlyEqual(Knots[Start], U))
		{
			continue;
		}
		// Each point is blended with the next one before that is overwritten; carrying it in a local keeps the
		// compiler from interleaving rounds (GCC's -O3 predictive commoning made this loop 15% slower).
		FVector Left = Working[0];
		for (int32 Index = Start, Slot = 0; Index <= K; ++Index, ++Slot)
		{
			const float Alpha = (U - Knots[Index]) / (Knots[Index + P - Round + 1] - Knots[Index]);
			const FVector Right = Working[Slot + 1];
			Working[Slot] = double(1.f - Alpha) * Left + double(Alpha) * Right;
			Left = Right;
		}
	}
	return Working[0];
}

ControlRigHermite::ControlRigHermite(const TArrayView<const FVector>& InControlPoints, const bool bInClosed)
	: ControlRigBaseSpline(InControlPoints, 4, bInClosed)
{
	MakeHermiteSegmentPoints(ControlPoints, bClosed, SegmentPoints);
	NumSegments = uint16(bClosed ? SegmentPoints.Num() - 4 : SegmentPoints.Num() - 3);
}

void ControlRigHermite::SetControlPoints(const TArrayView<const FVector>& InControlPoints)
{
	ControlRigBaseSpline::SetControlPoints(InControlPoints);
	MakeHermiteSegmentPoints(ControlPoints, bClosed, SegmentPoints);
}

FVector ControlRigHermite::GetPointAtParam(float Param)
{
	const float ClampedParam = FMath::Clamp(Param, 0.f, 1.f);
	const float ParamInterval = 1.f / float(NumSegments);
	const int32 Segment = FMath::Min(int32(FMath::FloorToFloat(ClampedParam / ParamInterval)), NumSegments - 1);

	const int32 P3Index = FMath::Min(Segment + 3, SegmentPoints.Num() - 1);
	const FVector& P0 = SegmentPoints[P3Index - 3];
	const FVector& P1 = SegmentPoints[P3Index - 2];
	const FVector& P2 = SegmentPoints[P3Index - 1];
	const FVector& P3 = SegmentPoints[P3Index];

	const float SegmentStart = float(Segment) * ParamInterval;
	const float T = FMath::Clamp((ClampedParam - SegmentStart) / ParamInterval, 0.f, 1.f);
	constexpr float Tension = 0.5f;
	return HermitePoint(P1, P2, double(Tension) * (P2 - P0), double(Tension) * (P3 - P1), T);
}
