// The rest spline IK solve: control parameters along the rest chain, the smoothstep carry between bracketing
// controls, dense rest and deformed splines, path frames with joint offsets, and the length restoration below full
// stretch by a forward walk along a polyline of the deformed curve.
#include "QVRestSplineIK.h"

#include <algorithm>
#include <limits>

namespace QVRestSplineIK
{
namespace
{
// Degenerate lengths and divisions.
constexpr double MinLength = 1e-8;
// Both splines take every sample as a control point and cache 32 samples between each two.
constexpr int32 SamplesPerSegment = 32;
// The closest-point search on the rest spline tries this many steps across its window.
constexpr int32 WindowSteps = 32;
// The dense polyline of the deformed curve has this many points per chain segment.
constexpr int32 PolylineSteps = 32;
// A crossing found this close (in segment parameter) beyond either end of a polyline segment counts as on it: a
// crossing on a vertex shows up by rounding a few 1e-15 past the end of one segment and before the start of the next.
constexpr double CrossingTolerance = 1e-9;

// Moves transforms that sit at an arc length along the rest chain rigidly with the two controls that bracket that
// length, blended by a smoothstep between them.
struct FControlCarry
{
	TConstArrayView<FTransform> RestControls;
	TConstArrayView<FTransform> CurrentControls;
	// Where each control sits along the rest chain, in arc length, strictly increasing.
	TConstArrayView<double> Params;

	FTransform Carry(const FTransform& InTransform, double InArcLength) const
	{
		const int32 NumControls = Params.Num();
		int32 Upper = NumControls - 1;
		for (int32 Index = 1; Index <= NumControls - 2; ++Index)
		{
			if (InArcLength <= Params[Index])
			{
				Upper = Index;
				break;
			}
		}
		const int32 Lower = Upper - 1;
		double T = (InArcLength - Params[Lower]) / (Params[Upper] - Params[Lower]);
		T = FMath::Max(FMath::Min(T, 1.0), 0.0);
		const double Smooth = (3.0 - 2.0 * T) * T * T;

		FTransform FromLower;
		FTransform FromUpper;
		const FTransform RelativeToLower = InTransform.GetRelativeTransform(RestControls[Lower]);
		const FTransform RelativeToUpper = InTransform.GetRelativeTransform(RestControls[Upper]);
		FTransform::Multiply(&FromLower, &RelativeToLower, &CurrentControls[Lower]);
		FTransform::Multiply(&FromUpper, &RelativeToUpper, &CurrentControls[Upper]);

		FTransform Result;
		Result.Blend(FromLower, FromUpper, float(Smooth));
		Result.SetRotation(Result.GetRotation().GetNormalized());
		return Result;
	}
};

// A path frame on a spline at parameter U: X along the tangent (or the reference's X where the tangent vanishes),
// Z toward the reference's Z (its Y when Z is nearly along X), at the curve point, unit scale.
FTransform MakePathFrame(const FControlRigSpline& InSpline, float InParam, const FQuat& InReference)
{
	FVector AxisX = InSpline.TangentAtParam(InParam).GetSafeNormal();
	if (AxisX.IsNearlyZero())
	{
		AxisX = InReference.RotateVector(FVector(1.0, 0.0, 0.0));
	}
	FVector Up = InReference.RotateVector(FVector(0.0, 0.0, 1.0));
	if (FMath::Abs(Up.Dot(AxisX)) > 0.95)
	{
		Up = InReference.RotateVector(FVector(0.0, 1.0, 0.0));
	}
	const FVector Position = InSpline.PositionAtParam(InParam);

	AxisX = AxisX.GetSafeNormal();
	Up = Up.GetSafeNormal();
	if (FMath::Abs(FMath::Abs(AxisX.Dot(Up)) - 1.0) <= MinLength)
	{
		Up = FMath::Abs(AxisX.Z) >= 0.9999 ? FVector(1.0, 0.0, 0.0) : FVector(0.0, 0.0, 1.0);
	}
	const FVector AxisY = Up.Cross(AxisX).GetSafeNormal();
	const FVector AxisZ = AxisX.Cross(AxisY);
	const FQuat Rotation = FMatrix(AxisX, AxisY, AxisZ, FVector::ZeroVector).ToQuat();
	return FTransform(Rotation, Position, FVector::OneVector);
}

// Arc length along the rest joint polyline of the point closest to InPoint (the first of equally close segments).
double ProjectOntoChain(const FVector& InPoint, TConstArrayView<FTransform> InJoints, TConstArrayView<double> InLengths)
{
	double BestDistance = std::numeric_limits<double>::max();
	double BestParam = InLengths[0];
	for (int32 Joint = 1; Joint < InJoints.Num(); ++Joint)
	{
		const FVector A = InJoints[Joint - 1].GetTranslation();
		const FVector Segment = InJoints[Joint].GetTranslation() - A;
		double U = (InPoint - A).Dot(Segment) / FMath::Max(Segment.SizeSquared(), MinLength);
		U = FMath::Max(FMath::Min(U, 1.0), 0.0);
		const double Distance = (InPoint - (A + Segment * U)).SizeSquared();
		if (Distance < BestDistance)
		{
			BestDistance = Distance;
			BestParam = InLengths[Joint - 1] + U * (InLengths[Joint] - InLengths[Joint - 1]);
		}
	}
	return BestParam;
}

// Control parameters: the ends of the chain for the end controls, the projection of their rest positions onto the
// rest chain for the inner ones, uniform spacing when those are not strictly increasing.
void ComputeControlParams(TConstArrayView<FTransform> InRestJoints, TConstArrayView<FTransform> InRestControls,
	TConstArrayView<double> InLengths, TArray<double>& OutParams)
{
	const int32 NumControls = InRestControls.Num();
	const double TotalLength = InLengths.Last();
	OutParams.SetNumUninitialized(NumControls);
	OutParams[0] = 0.0;
	for (int32 Control = 1; Control <= NumControls - 2; ++Control)
	{
		OutParams[Control] = ProjectOntoChain(InRestControls[Control].GetTranslation(), InRestJoints, InLengths);
	}
	OutParams[NumControls - 1] = TotalLength;

	for (int32 Control = 1; Control < NumControls; ++Control)
	{
		if (!(OutParams[Control] - OutParams[Control - 1] > MinLength))
		{
			for (int32 Index = 0; Index < NumControls; ++Index)
			{
				OutParams[Index] = TotalLength * double(Index) / double(NumControls - 1);
			}
			return;
		}
	}
}

void AddIfAbsent(TArray<double>& InOutValues, double InValue)
{
	if (!InOutValues.Contains(InValue))
	{
		InOutValues.Add(InValue);
	}
}

// The arc lengths the splines are sampled at: every joint, the controls when there are more controls than joints,
// and the thirds of the chain while there are fewer than four, ascending.
void BuildSampleSet(TConstArrayView<double> InLengths, TConstArrayView<double> InControlParams, TArray<double>& OutSet)
{
	OutSet.Reset(InLengths.Num() + InControlParams.Num() + 2);
	OutSet.Append(InLengths.GetData(), InLengths.Num());
	if (InControlParams.Num() > InLengths.Num())
	{
		for (const double Param : InControlParams)
		{
			AddIfAbsent(OutSet, Param);
		}
	}
	if (OutSet.Num() < 4)
	{
		const double TotalLength = InLengths.Last();
		AddIfAbsent(OutSet, TotalLength * (1.0 / 3.0));
		AddIfAbsent(OutSet, TotalLength * (2.0 / 3.0));
	}
	std::sort(OutSet.begin(), OutSet.end());
}

// The rest chain at arc length InArcLength: a blend of the joints of the segment it falls in.
FTransform SampleRestChain(TConstArrayView<FTransform> InJoints, TConstArrayView<double> InLengths, double InArcLength)
{
	const int32 NumJoints = InJoints.Num();
	int32 Upper = NumJoints - 1;
	for (int32 Index = 1; Index <= NumJoints - 2; ++Index)
	{
		if (InArcLength <= InLengths[Index])
		{
			Upper = Index;
			break;
		}
	}
	const double Alpha =
		(InArcLength - InLengths[Upper - 1]) / FMath::Max(InLengths[Upper] - InLengths[Upper - 1], MinLength);
	FTransform Sample;
	Sample.Blend(InJoints[Upper - 1], InJoints[Upper], float(Alpha));
	return Sample;
}

// The parameter on the rest spline closest to InPoint, searched over a window of half a sample gap either side of
// the joint's own sample.
float FindClosestParam(
	const FControlRigSpline& InRestSpline, const FVector& InPoint, int32 InSampleIndex, int32 InNumSamples)
{
	const float BaseParam = float(InSampleIndex) / float(InNumSamples - 1);
	const float HalfWindow = 0.49f / float(InNumSamples - 1);
	const float Low = FMath::Max(0.f, BaseParam - HalfWindow);
	const float High = FMath::Min(1.f, BaseParam + HalfWindow);
	double BestDistance = std::numeric_limits<double>::max();
	float BestParam = BaseParam;
	for (int32 Step = 0; Step <= WindowSteps; ++Step)
	{
		const float Param = Low + (High - Low) * float(Step) * (1.f / float(WindowSteps));
		const double Distance = (InRestSpline.PositionAtParam(Param) - InPoint).SizeSquared();
		if (Distance < BestDistance)
		{
			BestDistance = Distance;
			BestParam = Param;
		}
	}
	return BestParam;
}

// Points along the deformed curve between the joints' parameters, carrying each joint's offset from the curve
// linearly from one joint to the next. Starts at the first joint.
void BuildOffsetPolyline(const FControlRigSpline& InSpline, TConstArrayView<FTransform> InJoints,
	TConstArrayView<float> InParams, TArray<FVector>& OutPoints)
{
	OutPoints.Reset(1 + PolylineSteps * (InJoints.Num() - 1));
	OutPoints.Add(InJoints[0].GetTranslation());
	for (int32 Joint = 1; Joint < InJoints.Num(); ++Joint)
	{
		const FVector OffsetPrevious =
			InJoints[Joint - 1].GetTranslation() - InSpline.PositionAtParam(InParams[Joint - 1]);
		const FVector OffsetCurrent = InJoints[Joint].GetTranslation() - InSpline.PositionAtParam(InParams[Joint]);
		for (int32 Step = 1; Step <= PolylineSteps; ++Step)
		{
			const double Alpha = double(Step) / double(PolylineSteps);
			const float Param =
				float(double(InParams[Joint - 1]) + Alpha * double(InParams[Joint] - InParams[Joint - 1]));
			OutPoints.Add(OffsetPrevious + (OffsetCurrent - OffsetPrevious) * Alpha + InSpline.PositionAtParam(Param));
		}
	}
}

// Walks a polyline forward from a cursor to the first point at a distance from a centre; past its end, the walk
// continues along a fixed direction.
struct FPolylineWalk
{
	TConstArrayView<FVector> Points;
	FVector EndDirection;
	FVector Cursor;
	int32 NextPoint = 1;

	FVector Advance(const FVector& InCentre, double InDistance)
	{
		while (NextPoint < Points.Num())
		{
			const FVector Step = Points[NextPoint] - Cursor;
			const FVector FromCentre = Cursor - InCentre;
			const double StepSquared = Step.Dot(Step);
			const double Along = Step.Dot(FromCentre);
			const double Discriminant =
				Along * Along - StepSquared * (FromCentre.Dot(FromCentre) - InDistance * InDistance);
			if (StepSquared > MinLength && Discriminant >= 0.0)
			{
				const double Tau = (FMath::Sqrt(Discriminant) - Along) / StepSquared;
				if (Tau >= -CrossingTolerance && Tau <= 1.0 + CrossingTolerance)
				{
					Cursor = Cursor + Step * FMath::Max(FMath::Min(Tau, 1.0), 0.0);
					return Cursor;
				}
			}
			Cursor = Points[NextPoint];
			++NextPoint;
		}
		const FVector FromCentre = Cursor - InCentre;
		const double Along = EndDirection.Dot(FromCentre);
		const double Discriminant = Along * Along - FromCentre.Dot(FromCentre) + InDistance * InDistance;
		const double Tau = FMath::Max(FMath::Sqrt(FMath::Max(Discriminant, 0.0)) - Along, 0.0);
		Cursor = Cursor + EndDirection * Tau;
		return Cursor;
	}
};

// Re-spaces the fully stretched joints along the deformed curve so that each segment's length lies between its rest
// length (scaled by the first control's scale) and its stretched length, and turns each joint toward the next.
void RestoreLengths(TConstArrayView<FTransform> InRestJoints, TConstArrayView<FTransform> InRestControls,
	TConstArrayView<FTransform> InCurrentControls, const FControlRigSpline& InSpline, TConstArrayView<float> InParams,
	double InStretch, TArray<FTransform>& InOutJoints)
{
	const int32 NumJoints = InRestJoints.Num();
	const TArray<FTransform> Stretched = InOutJoints;
	TArray<FVector> Polyline;
	BuildOffsetPolyline(InSpline, Stretched, InParams, Polyline);

	const FVector RootScaleRatio =
		InCurrentControls[0].GetScale3D() * FTransform::GetSafeScaleReciprocal(InRestControls[0].GetScale3D());

	FVector EndDirection = (Polyline.Last() - Polyline[Polyline.Num() - 2]).GetSafeNormal();
	if (EndDirection.IsNearlyZero())
	{
		const FTransform& RestEnd = InRestControls.Last();
		const FTransform& CurrentEnd = InCurrentControls.Last();
		const FVector RestEndSegment =
			InRestJoints[NumJoints - 1].GetTranslation() - InRestJoints[NumJoints - 2].GetTranslation();
		EndDirection = CurrentEnd.GetRotation()
						   .RotateVector(RestEnd.GetRotation().Inverse().RotateVector(RestEndSegment))
						   .GetSafeNormal();
	}

	FPolylineWalk Walk{Polyline, EndDirection, Polyline[0]};
	for (int32 Joint = 1; Joint < NumJoints; ++Joint)
	{
		const FVector Previous = InOutJoints[Joint - 1].GetTranslation();
		const double RestLength =
			((InRestJoints[Joint].GetTranslation() - InRestJoints[Joint - 1].GetTranslation()) * RootScaleRatio).Size();
		const double FullLength = (Stretched[Joint].GetTranslation() - Stretched[Joint - 1].GetTranslation()).Size();
		const double Length = RestLength + InStretch * (FullLength - RestLength);

		FVector Point = Previous;
		if (Length < MinLength)
		{
			Walk.Cursor = Point;
		}
		else
		{
			Point = Walk.Advance(Previous, Length);
		}
		InOutJoints[Joint].SetTranslation(Point);

		const FVector OldDirection =
			(Stretched[Joint].GetTranslation() - Stretched[Joint - 1].GetTranslation()).GetSafeNormal();
		const FVector NewDirection = (Point - Previous).GetSafeNormal();
		if (!OldDirection.IsNearlyZero() && !NewDirection.IsNearlyZero())
		{
			const FQuat Aim = FQuat::FindBetweenNormals(OldDirection, NewDirection);
			InOutJoints[Joint - 1].SetRotation((Aim * Stretched[Joint - 1].GetRotation()).GetNormalized());
		}
	}
}
} // namespace

bool Solve(TConstArrayView<FTransform> RestJoints, TConstArrayView<FTransform> RestControls,
	TConstArrayView<FTransform> CurrentControls, TArray<FTransform>& OutJoints, FControlRigSpline& Spline,
	TArray<FTransform>& PathFrames, TArray<FTransform>& JointOffsets, float Stretch)
{
	const int32 NumJoints = RestJoints.Num();
	const int32 NumControls = RestControls.Num();
	if (NumJoints < 2 || NumControls < 2 || CurrentControls.Num() != NumControls)
	{
		return false;
	}

	TArray<double> Lengths;
	Lengths.SetNumUninitialized(NumJoints);
	Lengths[0] = 0.0;
	for (int32 Joint = 1; Joint < NumJoints; ++Joint)
	{
		Lengths[Joint] =
			Lengths[Joint - 1] + (RestJoints[Joint].GetTranslation() - RestJoints[Joint - 1].GetTranslation()).Size();
	}
	// A chain that is not finite cannot be measured or sampled in order; it is as unsolvable as one of no length.
	const double TotalLength = Lengths.Last();
	if (!(TotalLength >= MinLength) || !FMath::IsFinite(TotalLength))
	{
		return false;
	}

	TArray<double> ControlParams;
	ComputeControlParams(RestJoints, RestControls, Lengths, ControlParams);
	const FControlCarry Carry{RestControls, CurrentControls, ControlParams};

	TArray<FTransform> Carried;
	Carried.Reserve(NumJoints);
	for (int32 Joint = 0; Joint < NumJoints; ++Joint)
	{
		Carried.Add(Carry.Carry(RestJoints[Joint], Lengths[Joint]));
	}

	TArray<double> SampleSet;
	BuildSampleSet(Lengths, ControlParams, SampleSet);
	const int32 NumSamples = SampleSet.Num();
	TArray<FTransform> RestSamples;
	TArray<FTransform> DeformedSamples;
	RestSamples.Reserve(NumSamples);
	DeformedSamples.Reserve(NumSamples);
	for (const double ArcLength : SampleSet)
	{
		const FTransform& RestSample = RestSamples.Add_GetRef(SampleRestChain(RestJoints, Lengths, ArcLength));
		DeformedSamples.Add(Carry.Carry(RestSample, ArcLength));
	}

	FControlRigSpline RestSpline;
	RestSpline.SetControlTransforms(RestSamples, ESplineType::BSpline, false, SamplesPerSegment, 0.f, 0.f);
	Spline.SetControlTransforms(DeformedSamples, ESplineType::BSpline, false, SamplesPerSegment, 0.f, 0.f);
	if (!RestSpline.SplineData.IsValid() || !Spline.SplineData.IsValid())
	{
		return false;
	}

	OutJoints.SetNum(NumJoints);
	PathFrames.SetNum(NumJoints);
	JointOffsets.SetNum(NumJoints);
	TArray<float> JointParams;
	JointParams.SetNumUninitialized(NumJoints);
	for (int32 Joint = 0; Joint < NumJoints; ++Joint)
	{
		const FTransform& RestJoint = RestJoints[Joint];
		const int32 SampleIndex = SampleSet.IndexOfByKey(Lengths[Joint]);
		const float Param = FindClosestParam(RestSpline, RestJoint.GetTranslation(), SampleIndex, NumSamples);
		JointParams[Joint] = Param;
		const FTransform RestFrame = MakePathFrame(RestSpline, Param, RestJoint.GetRotation());

		// The carried joint's turn from rest gives the frame its roll; a swing then lines its X up with the curve.
		const FQuat RigidDelta = Carried[Joint].GetRotation() * RestJoint.GetRotation().Inverse();
		const FVector CarriedTangent = RigidDelta.RotateVector(RestFrame.GetRotation().RotateVector(FVector(1, 0, 0)));
		const FVector DeformedTangent = Spline.TangentAtParam(Param).GetSafeNormal();
		const FQuat Swing = DeformedTangent.IsNearlyZero() ? FQuat::Identity
														   : FQuat::FindBetweenNormals(CarriedTangent, DeformedTangent);

		PathFrames[Joint] =
			FTransform((Swing * RigidDelta * RestFrame.GetRotation()).GetNormalized(), Spline.PositionAtParam(Param),
				Carried[Joint].GetScale3D() * FTransform::GetSafeScaleReciprocal(RestJoint.GetScale3D()));
		JointOffsets[Joint] = RestJoint.GetRelativeTransform(RestFrame);
		if (Joint == 0 || Joint == NumJoints - 1)
		{
			OutJoints[Joint] = Carried[Joint];
		}
		else
		{
			FTransform::Multiply(&OutJoints[Joint], &JointOffsets[Joint], &PathFrames[Joint]);
			OutJoints[Joint].SetScale3D(Carried[Joint].GetScale3D());
		}
	}

	const float ClampedStretch = FMath::Max(FMath::Min(Stretch, 1.f), 0.f);
	if (ClampedStretch >= 1.f)
	{
		return true;
	}
	RestoreLengths(RestJoints, RestControls, CurrentControls, Spline, JointParams, double(ClampedStretch), OutJoints);
	return true;
}
} // namespace QVRestSplineIK
