// FControlRigSpline: building the curve, change detection, the accumulated float sample parameter, the length
// correction on re-sampling, and reading the sample polyline.
#include "ControlRigSplineTypes.h"

namespace
{
// The samples' translations at the accumulated float parameter, as the engine steps it: U grows by the float step
// after each sample, so its rounding builds up along the curve.
void SampleCurve(ControlRigBaseSpline& InCurve, TArray<FTransform>& OutSamples)
{
	const float Step = 1.f / float(OutSamples.Num() - 1);
	float U = 0.f;
	for (FTransform& Sample : OutSamples)
	{
		Sample = FTransform(InCurve.GetPointAtParam(U));
		U += Step;
	}
}

// Keeps each sample-to-sample length, measured along the step's direction before correction, between the initial
// length times Compression and times Stretch (a bound of 0 is no bound), moving the samples in order.
void CorrectLengths(
	TArray<FTransform>& InOutSamples, const TArray<float>& InInitialLengths, float InCompression, float InStretch)
{
	TArray<FVector> Uncorrected;
	Uncorrected.Reserve(InOutSamples.Num());
	for (const FTransform& Sample : InOutSamples)
	{
		Uncorrected.Add(Sample.GetTranslation());
	}
	for (int32 Index = 1; Index < InOutSamples.Num() && InInitialLengths.IsValidIndex(Index - 1); ++Index)
	{
		FVector Direction = Uncorrected[Index] - Uncorrected[Index - 1];
		Direction.Normalize();

		const FVector Previous = InOutSamples[Index - 1].GetTranslation();
		const float InitialLength = InInitialLengths[Index - 1];
		const float CurrentLength = float((InOutSamples[Index].GetTranslation() - Previous).Dot(Direction));
		const float Low = InCompression > 0.f ? InitialLength * InCompression : CurrentLength;
		const float High = InStretch > 0.f ? InitialLength * InStretch : CurrentLength;
		const float FixedLength = CurrentLength < Low ? Low : (CurrentLength < High ? CurrentLength : High);
		InOutSamples[Index].SetTranslation(Previous + Direction * double(FixedLength));
	}
}

// The polyline through the samples at a clamped parameter: the two samples around it and the fraction between.
struct FSampleSpan
{
	int32 Previous;
	int32 Next;
	float Fraction;
};

FSampleSpan FindSampleSpan(int32 InNumSamples, float InParam)
{
	const float ClampedU = FMath::Clamp(InParam, 0.f, 1.f);
	const int32 LastIndex = InNumSamples - 1;
	const float Position = ClampedU * float(LastIndex);
	// Position is never negative, so truncation is the floor (and cheaper than calling it).
	const int32 Previous = int32(Position);
	return FSampleSpan{Previous, Previous < LastIndex ? Previous + 1 : Previous, Position - float(Previous)};
}
} // namespace

FControlRigSplineImpl::~FControlRigSplineImpl() = default;

TArray<FVector>& FControlRigSplineImpl::GetControlPoints()
{
	check(Spline);
	return Spline->GetControlPoints();
}

TArray<FTransform>& FControlRigSplineImpl::GetControlTransforms()
{
	return ControlTransforms;
}

TArray<FVector> FControlRigSplineImpl::GetControlPointsWithoutDuplicates()
{
	check(Spline);
	return Spline->GetControlPointsWithoutDuplicates();
}

TArray<FTransform> FControlRigSplineImpl::GetControlTransformsWithoutDuplicates()
{
	check(Spline);
	TArray<FTransform> Transforms;
	for (const uint16 Index : Spline->GetControlIndicesWithoutDuplicates())
	{
		// A closed curve's indices run one past the last transform, which wraps to the first.
		Transforms.Add(ControlTransforms[int32(Index) % ControlTransforms.Num()]);
	}
	return Transforms;
}

uint8 FControlRigSplineImpl::GetDegree() const
{
	check(Spline);
	return Spline->GetDegree();
}

uint16 FControlRigSplineImpl::NumSamples() const
{
	return uint16(SamplesArray.Num());
}

FControlRigSpline::FControlRigSpline(const FControlRigSpline& InOther) : SplineData(InOther.SplineData) {}

FControlRigSpline& FControlRigSpline::operator=(const FControlRigSpline& InOther)
{
	SplineData = InOther.SplineData;
	return *this;
}

uint8 FControlRigSpline::GetDegree() const
{
	return SplineData.IsValid() ? SplineData->GetDegree() : 0;
}

void FControlRigSpline::SetControlPoints(const TArrayView<const FVector>& InPoints, const ESplineType SplineMode,
	const bool bInClosed, const int32 SamplesPerSegment, const float Compression, const float Stretch)
{
	TArray<FTransform> Transforms;
	Transforms.Reserve(InPoints.Num());
	for (const FVector& Point : InPoints)
	{
		Transforms.Add(FTransform(Point));
	}
	SetControlTransforms(Transforms, SplineMode, bInClosed, SamplesPerSegment, Compression, Stretch);
}

void FControlRigSpline::SetControlTransforms(const TArrayView<const FTransform>& InTransforms,
	const ESplineType SplineMode, const bool bInClosed, const int32 SamplesPerSegment, const float Compression,
	const float Stretch)
{
	const int32 Count = InTransforms.Num();
	if (Count < 4 || SamplesPerSegment < 1)
	{
		return;
	}
	// Only the two curve types exist; anything else builds nothing.
	if (SplineMode != ESplineType::BSpline && SplineMode != ESplineType::Hermite)
	{
		return;
	}
	if (!SplineData.IsValid())
	{
		SplineData = MakeShared<FControlRigSplineImpl>();
	}
	FControlRigSplineImpl& Data = *SplineData;

	// Change detection against what the curve was last built from, within 1e-4 per component.
	const bool bCountChanged = !Data.Spline || Data.ControlTransforms.Num() != Count;
	bool bPointsChanged = bCountChanged;
	if (!bCountChanged)
	{
		const TArray<FTransform> Previous = Data.GetControlTransformsWithoutDuplicates();
		for (int32 Index = 0; Index < Count && !bPointsChanged; ++Index)
		{
			bPointsChanged = !InTransforms[Index].Equals(Previous[Index]);
		}
	}
	const bool bModeChanged = SplineMode != Data.SplineMode;
	const bool bSamplesChanged = SamplesPerSegment != Data.SamplesPerSegment;
	const bool bLimitsChanged = Stretch != Data.Stretch || Compression != Data.Compression;
	const bool bClosedChanged = bInClosed != Data.bClosed;
	if (!bModeChanged && !bPointsChanged && !bSamplesChanged && !bLimitsChanged && !bClosedChanged)
	{
		return;
	}

	Data.ControlTransforms.Reset();
	Data.ControlTransforms.Append(InTransforms.GetData(), Count);
	Data.SplineMode = SplineMode;
	Data.bClosed = bInClosed;
	Data.SamplesPerSegment = SamplesPerSegment;
	Data.Compression = Compression;
	Data.Stretch = Stretch;

	const bool bShapeChanged = bCountChanged || bModeChanged || bClosedChanged;
	if (bPointsChanged || bModeChanged || bClosedChanged)
	{
		TArray<FVector> Points;
		Points.Reserve(Count);
		for (const FTransform& Transform : InTransforms)
		{
			Points.Add(Transform.GetTranslation());
		}
		if (bShapeChanged)
		{
			if (SplineMode == ESplineType::BSpline)
			{
				Data.Spline = MakeUnique<ControlRigBSpline>(Points, 3, bInClosed, true);
			}
			else
			{
				Data.Spline = MakeUnique<ControlRigHermite>(Points, bInClosed);
			}
		}
		else
		{
			Data.Spline->SetControlPoints(Points);
		}
	}

	Data.SamplesArray.SetNum((Count - 1) * SamplesPerSegment, EAllowShrinking::No);
	SampleCurve(*Data.Spline, Data.SamplesArray);

	// Lengths are kept against the first sampling only while the sample layout stays the same.
	const bool bLayoutChanged = bShapeChanged || bSamplesChanged;
	if (!bLayoutChanged && !Data.InitialLengths.IsEmpty())
	{
		CorrectLengths(Data.SamplesArray, Data.InitialLengths, Compression, Stretch);
	}

	const int32 NumSamples = Data.SamplesArray.Num();
	Data.AccumulatedLenth.SetNum(NumSamples, EAllowShrinking::No);
	Data.AccumulatedLenth[0] = 0.f;
	if (bLayoutChanged)
	{
		Data.InitialLengths.SetNum(NumSamples - 1);
	}
	for (int32 Index = 1; Index < NumSamples; ++Index)
	{
		const float Length = float(FVector::Distance(
			Data.SamplesArray[Index - 1].GetTranslation(), Data.SamplesArray[Index].GetTranslation()));
		if (bLayoutChanged)
		{
			Data.InitialLengths[Index - 1] = Length;
		}
		Data.AccumulatedLenth[Index] = Data.AccumulatedLenth[Index - 1] + Length;
	}
}

FVector FControlRigSpline::PositionAtParam(const float InParam) const
{
	if (!SplineData.IsValid())
	{
		return FVector::ZeroVector;
	}
	const TArray<FTransform>& Samples = SplineData->SamplesArray;
	const FSampleSpan Span = FindSampleSpan(Samples.Num(), InParam);
	return Samples[Span.Previous].GetTranslation() * double(1.f - Span.Fraction) +
		Samples[Span.Next].GetTranslation() * double(Span.Fraction);
}

FVector FControlRigSpline::TangentAtParam(const float InParam) const
{
	if (!SplineData.IsValid())
	{
		return FVector::ZeroVector;
	}
	// The step from the sample at or below InParam * (NumSamples - 2) to the next; the last step at 1.
	const TArray<FTransform>& Samples = SplineData->SamplesArray;
	const float ClampedU = FMath::Clamp(InParam, 0.f, 1.f);
	const int32 Index = int32(ClampedU * float(Samples.Num() - 2));
	return Samples[Index + 1].GetTranslation() - Samples[Index].GetTranslation();
}

float FControlRigSpline::LengthAtParam(const float InParam) const
{
	if (!SplineData.IsValid())
	{
		return 0.f;
	}
	const TArray<float>& Lengths = SplineData->AccumulatedLenth;
	const FSampleSpan Span = FindSampleSpan(Lengths.Num(), InParam);
	return Lengths[Span.Previous] * (1.f - Span.Fraction) + Lengths[Span.Next] * Span.Fraction;
}
