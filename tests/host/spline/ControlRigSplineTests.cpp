// FControlRigSpline against textbook curves, and its caching, sharing, minimum point count and length correction.
#include "ControlRigSplineTypes.h"
#include "SplineTestCurves.h"

#include <gtest/gtest.h>

namespace
{
using namespace QVSplineTest;

TArray<FVector> CurvedPoints()
{
	return {FVector(0, 0, 0), FVector(10, 4, -2), FVector(18, 15, 3), FVector(21, 30, 9), FVector(15, 41, 4),
		FVector(4, 47, -6)};
}

TArray<FTransform> ToTransforms(const TArray<FVector>& Points)
{
	TArray<FTransform> Transforms;
	for (const FVector& Point : Points)
	{
		Transforms.Add(FTransform(FRotator(10, 20, 30).Quaternion(), Point));
	}
	return Transforms;
}

FControlRigSpline MakeSpline(const TArray<FVector>& Points, int32 SamplesPerSegment = 32, float Compression = 0.f,
	float Stretch = 0.f, ESplineType Type = ESplineType::BSpline)
{
	FControlRigSpline Spline;
	Spline.SetControlTransforms(ToTransforms(Points), Type, false, SamplesPerSegment, Compression, Stretch);
	return Spline;
}

TArray<FVector> SamplePositions(const FControlRigSpline& Spline)
{
	TArray<FVector> Positions;
	for (const FTransform& Sample : Spline.SplineData->SamplesArray)
	{
		Positions.Add(Sample.GetTranslation());
	}
	return Positions;
}

// The parameter at which PositionAtParam lands exactly on sample Index of NumSamples.
float SampleParam(int32 Index, int32 NumSamples)
{
	return float(Index) / float(NumSamples - 1);
}
} // namespace

TEST(ControlRigSplineCurve, BSplineSamplesAreTheClampedCubicAtTheEndRemappedAccumulatedParameter)
{
	for (const int32 Count : {4, 6})
	{
		TArray<FVector> Points = CurvedPoints();
		Points.SetNum(Count);
		const FControlRigSpline Spline = MakeSpline(Points);
		ASSERT_TRUE(Spline.SplineData.IsValid());
		const int32 NumSamples = (Count - 1) * 32;
		ASSERT_EQ(Spline.SplineData->SamplesArray.Num(), NumSamples);

		const TArray<float> Params = AccumulatedSampleParams(NumSamples);
		for (int32 Index = 0; Index < NumSamples; ++Index)
		{
			const FVector Expected = ClampedCubicPoint(Points, RemapToKnots(Params[Index]));
			EXPECT_TRUE(Spline.SplineData->SamplesArray[Index].GetTranslation().Equals(Expected, 1e-4))
				<< "count " << Count << " sample " << Index;
		}
		// The ends stop short of the end points: the parameter never reaches the outer knots.
		EXPECT_FALSE(Spline.PositionAtParam(0.f).Equals(Points[0], 1e-4));
		EXPECT_TRUE(Spline.PositionAtParam(0.f).Equals(Points[0], 0.05));
		EXPECT_TRUE(Spline.PositionAtParam(1.f).Equals(ClampedCubicPoint(Points, RemapToKnots(Params.Last())), 1e-4));
	}
}

TEST(ControlRigSplineCurve, HermiteRunsThroughEveryPointAsACatmullRomSpline)
{
	const TArray<FVector> Points = CurvedPoints();
	ControlRigHermite Open(Points, false);
	const int32 NumSegments = Points.Num() - 1;
	for (int32 Index = 0; Index < Points.Num(); ++Index)
	{
		EXPECT_TRUE(Open.GetPointAtParam(float(Index) / float(NumSegments)).Equals(Points[Index], 1e-4)) << Index;
	}
	// Inner segments use their neighbours; the end segments a point mirrored through the end point.
	EXPECT_TRUE(Open.GetPointAtParam(2.5f / float(NumSegments))
					.Equals(CatmullRomMidpoint(Points[1], Points[2], Points[3], Points[4]), 1e-4));
	EXPECT_TRUE(Open.GetPointAtParam(0.5f / float(NumSegments))
					.Equals(CatmullRomMidpoint(Points[0] * 2.0 - Points[1], Points[0], Points[1], Points[2]), 1e-4));

	// Closed, it runs on from the last point back to the first.
	ControlRigHermite Closed(Points, true);
	const int32 Count = Points.Num();
	EXPECT_TRUE(Closed.GetPointAtParam(0.f).Equals(Points[0], 1e-4));
	EXPECT_TRUE(Closed.GetPointAtParam(1.f).Equals(Points[0], 1e-4));
	EXPECT_TRUE(Closed.GetPointAtParam((float(Count) - 0.5f) / float(Count))
					.Equals(CatmullRomMidpoint(Points[Count - 2], Points[Count - 1], Points[0], Points[1]), 1e-4));

	// Through FControlRigSpline: samples are Hermite points, so the curve passes (nearly) through the points.
	const FControlRigSpline Spline = MakeSpline(Points, 32, 0.f, 0.f, ESplineType::Hermite);
	EXPECT_TRUE(Spline.PositionAtParam(0.f).Equals(Points[0], 1e-6));
	EXPECT_TRUE(Spline.PositionAtParam(1.f).Equals(Points.Last(), 1e-4));
}

TEST(ControlRigSplineCurve, ClosedBSplineMeetsItselfAtTheSeam)
{
	const TArray<FVector> Points = CurvedPoints();
	ControlRigBSpline Closed(Points, 3, true, true);
	// The uniform cubic B-spline over the wrapped points starts and ends at (Last + 4 First + Second) / 6, up to the
	// 1e-4 knot margin at each end.
	const FVector Seam = (Points.Last() + Points[0] * 4.0 + Points[1]) / 6.0;
	EXPECT_TRUE(Closed.GetPointAtParam(0.f).Equals(Seam, 0.05));
	EXPECT_TRUE(Closed.GetPointAtParam(1.f).Equals(Seam, 0.05));
	EXPECT_TRUE(Closed.GetPointAtParam(0.f).Equals(Closed.GetPointAtParam(1.f), 0.1));
	EXPECT_EQ(Closed.GetControlPoints().Num(), Points.Num() + 3);
	EXPECT_EQ(Closed.GetControlPointsWithoutDuplicates(), Points);

	// The stored list starts one point early, and its indices are read against the transforms as given: a closed
	// spline's transforms without duplicates start with the second transform and end with the first.
	FControlRigSpline Spline;
	const TArray<FTransform> Transforms = ToTransforms(Points);
	Spline.SetControlTransforms(Transforms, ESplineType::BSpline, true, 8, 0.f, 0.f);
	const TArray<FTransform> Listed = Spline.SplineData->GetControlTransformsWithoutDuplicates();
	ASSERT_EQ(Listed.Num(), Transforms.Num());
	EXPECT_TRUE(Listed[0].Equals(Transforms[1], 0.0));
	EXPECT_TRUE(Listed.Last().Equals(Transforms[0], 0.0));
}

TEST(ControlRigSplineReading, PositionTangentAndLengthReadTheSamplePolyline)
{
	const FControlRigSpline Spline = MakeSpline(CurvedPoints(), 8);
	const TArray<FVector> Samples = SamplePositions(Spline);
	const int32 NumSamples = Samples.Num();
	for (int32 Index = 0; Index < NumSamples; ++Index)
	{
		EXPECT_TRUE(Spline.PositionAtParam(SampleParam(Index, NumSamples)).Equals(Samples[Index], 1e-4)) << Index;
	}
	// Between samples: the straight line between them, at the float fraction.
	const float Param = 7.25f / float(NumSamples - 1);
	const float Fraction = Param * float(NumSamples - 1) - 7.f;
	EXPECT_TRUE(Spline.PositionAtParam(Param).Equals(
		Samples[7] * double(1.f - Fraction) + Samples[8] * double(Fraction), 1e-12));
	// Outside 0..1 the parameter is clamped; NaN reads as the end.
	EXPECT_EQ(Spline.PositionAtParam(-3.f), Samples[0]);
	EXPECT_EQ(Spline.PositionAtParam(4.f), Samples.Last());

	// The tangent is the step from sample floor(u * (NumSamples - 2)) to the next, not normalised.
	EXPECT_EQ(Spline.TangentAtParam(0.f), Samples[1] - Samples[0]);
	EXPECT_EQ(Spline.TangentAtParam(1.f), Samples[NumSamples - 1] - Samples[NumSamples - 2]);
	const float Middle = 0.5f;
	const int32 MiddleIndex = int32(Middle * float(NumSamples - 2));
	EXPECT_EQ(Spline.TangentAtParam(Middle), Samples[MiddleIndex + 1] - Samples[MiddleIndex]);

	double Length = 0.0;
	for (int32 Index = 1; Index < NumSamples; ++Index)
	{
		Length += FVector::Distance(Samples[Index - 1], Samples[Index]);
	}
	EXPECT_NEAR(Spline.LengthAtParam(0.f), 0.0, 0.0);
	EXPECT_NEAR(Spline.LengthAtParam(1.f), Length, 1e-3);
}

TEST(ControlRigSplineData, WithoutDataOrWithFewerThanFourPointsNothingIsBuilt)
{
	FControlRigSpline Empty;
	EXPECT_FALSE(Empty.SplineData.IsValid());
	EXPECT_EQ(Empty.PositionAtParam(0.5f), FVector::ZeroVector);
	EXPECT_EQ(Empty.TangentAtParam(0.5f), FVector::ZeroVector);
	EXPECT_EQ(Empty.LengthAtParam(0.5f), 0.f);
	EXPECT_EQ(Empty.GetDegree(), 0);

	TArray<FVector> Three = CurvedPoints();
	Three.SetNum(3);
	Empty.SetControlTransforms(ToTransforms(Three), ESplineType::BSpline, false, 32, 0.f, 0.f);
	EXPECT_FALSE(Empty.SplineData.IsValid());
	Empty.SetControlTransforms(ToTransforms(CurvedPoints()), ESplineType::BSpline, false, 0, 0.f, 0.f);
	EXPECT_FALSE(Empty.SplineData.IsValid());
	Empty.SetControlTransforms(ToTransforms(CurvedPoints()), ESplineType::Max, false, 32, 0.f, 0.f);
	EXPECT_FALSE(Empty.SplineData.IsValid());

	// An existing curve stays as it was.
	FControlRigSpline Spline = MakeSpline(CurvedPoints());
	const TArray<FVector> Before = SamplePositions(Spline);
	Spline.SetControlTransforms(ToTransforms(Three), ESplineType::BSpline, false, 32, 0.f, 0.f);
	EXPECT_EQ(SamplePositions(Spline), Before);
	EXPECT_EQ(Spline.SplineData->ControlTransforms.Num(), CurvedPoints().Num());
	EXPECT_EQ(Spline.GetDegree(), 3);
}

TEST(ControlRigSplineData, CopiesShareOneCurve)
{
	FControlRigSpline Original = MakeSpline(CurvedPoints());
	const FControlRigSpline Copy(Original);
	FControlRigSpline Assigned;
	Assigned = Original;
	EXPECT_EQ(Copy.SplineData.Get(), Original.SplineData.Get());
	EXPECT_EQ(Assigned.SplineData.Get(), Original.SplineData.Get());

	TArray<FVector> Moved = CurvedPoints();
	for (FVector& Point : Moved)
	{
		Point += FVector(0, 0, 25);
	}
	Original.SetControlTransforms(ToTransforms(Moved), ESplineType::BSpline, false, 32, 0.f, 0.f);
	EXPECT_EQ(Copy.PositionAtParam(0.5f), Original.PositionAtParam(0.5f));
	EXPECT_EQ(Assigned.PositionAtParam(0.5f), Original.PositionAtParam(0.5f));

	// Reflection copies the same way.
	FControlRigSpline Reflected;
	FControlRigSpline::StaticStruct()->CopyScriptStruct(&Reflected, &Original);
	EXPECT_EQ(Reflected.SplineData.Get(), Original.SplineData.Get());
}

TEST(ControlRigSplineData, ChangesWithin1e4KeepTheCachedSamples)
{
	const TArray<FVector> Points = CurvedPoints();
	FControlRigSpline Spline = MakeSpline(Points);
	const TArray<FVector> Before = SamplePositions(Spline);

	TArray<FTransform> Nudged = ToTransforms(Points);
	Nudged[2].AddToTranslation(FVector(9e-5, -9e-5, 0));
	Nudged[3].SetScale3D(FVector(1.00009, 1, 1));
	// The same rotation negated is the same rotation.
	Nudged[4].SetRotation(Nudged[4].GetRotation() * -1.0);
	Spline.SetControlTransforms(Nudged, ESplineType::BSpline, false, 32, 0.f, 0.f);
	EXPECT_EQ(SamplePositions(Spline), Before);
	EXPECT_TRUE(Spline.SplineData->ControlTransforms[2].GetTranslation().Equals(Points[2], 0.0))
		<< "the stored transforms stay those of the last rebuild";

	Nudged[2].AddToTranslation(FVector(2e-4, 0, 0));
	Spline.SetControlTransforms(Nudged, ESplineType::BSpline, false, 32, 0.f, 0.f);
	EXPECT_NE(SamplePositions(Spline), Before);

	// A change of settings alone re-samples too.
	FControlRigSpline Other = MakeSpline(Points, 32);
	Other.SetControlTransforms(ToTransforms(Points), ESplineType::BSpline, false, 16, 0.f, 0.f);
	EXPECT_EQ(Other.SplineData->SamplesArray.Num(), (Points.Num() - 1) * 16);
}

TEST(ControlRigSplineData, ResamplingKeepsLengthsWithinTheLimitsOfTheFirstSampling)
{
	const TArray<FVector> Points = CurvedPoints();
	TArray<FVector> Stretched;
	for (const FVector& Point : Points)
	{
		Stretched.Add(Point * FVector(1.6, 1.3, 0.5) + FVector(3, -2, 7));
	}
	const FControlRigSpline First = MakeSpline(Points, 8);
	const FControlRigSpline Fresh = MakeSpline(Stretched, 8);
	const TArray<FVector> Uncorrected = SamplePositions(Fresh);
	const TArray<FVector> FirstSamples = SamplePositions(First);

	// Compression and stretch 1: every step keeps its first length, along the direction of the uncorrected step.
	FControlRigSpline Held = MakeSpline(Points, 8, 1.f, 1.f);
	Held.SetControlTransforms(ToTransforms(Stretched), ESplineType::BSpline, false, 8, 1.f, 1.f);
	const TArray<FVector> HeldSamples = SamplePositions(Held);
	FVector Expected = Uncorrected[0];
	EXPECT_EQ(HeldSamples[0], Expected);
	for (int32 Index = 1; Index < Uncorrected.Num(); ++Index)
	{
		const double FirstLength = FVector::Distance(FirstSamples[Index - 1], FirstSamples[Index]);
		Expected += (Uncorrected[Index] - Uncorrected[Index - 1]).GetSafeNormal() * FirstLength;
		EXPECT_TRUE(HeldSamples[Index].Equals(Expected, 1e-3)) << Index;
	}
	EXPECT_NEAR(Held.LengthAtParam(1.f), First.LengthAtParam(1.f), 1e-2);

	// Without limits (0 and 0) a re-sampling moves samples only by the float rounding of each length.
	FControlRigSpline Free = MakeSpline(Points, 8);
	Free.SetControlTransforms(ToTransforms(Stretched), ESplineType::BSpline, false, 8, 0.f, 0.f);
	const TArray<FVector> FreeSamples = SamplePositions(Free);
	for (int32 Index = 0; Index < Uncorrected.Num(); ++Index)
	{
		EXPECT_TRUE(FreeSamples[Index].Equals(Uncorrected[Index], 1e-4)) << Index;
	}

	// A first sampling, or one after the point count changed, takes its lengths as they are.
	TArray<FVector> Longer = Stretched;
	Longer.Add(FVector(-5, 50, -10));
	FControlRigSpline Rebuilt = MakeSpline(Points, 8, 1.f, 1.f);
	Rebuilt.SetControlTransforms(ToTransforms(Longer), ESplineType::BSpline, false, 8, 1.f, 1.f);
	EXPECT_EQ(SamplePositions(Rebuilt), SamplePositions(MakeSpline(Longer, 8, 1.f, 1.f)));
}

TEST(ControlRigSplineReflection, RegisteredUnderTheEngineNames)
{
	const UScriptStruct* Struct = FControlRigSpline::StaticStruct();
	ASSERT_NE(Struct, nullptr);
	EXPECT_EQ(Struct->GetName(), TEXT("ControlRigSpline"));
	EXPECT_EQ(Struct->GetPathName(), TEXT("/Script/ControlRigSpline.ControlRigSpline"));
	EXPECT_EQ(Struct->GetMetaData(TEXT("BlueprintType")), TEXT("true"));
	EXPECT_EQ(Struct->GetStructureSize(), int32(sizeof(FControlRigSpline)));

	const UEnum* Enum = StaticEnum<ESplineType>();
	ASSERT_NE(Enum, nullptr);
	EXPECT_EQ(Enum->GetName(), TEXT("ESplineType"));
	EXPECT_EQ(Enum->GetValueByNameString(TEXT("BSpline")), 0);
	EXPECT_EQ(Enum->GetValueByNameString(TEXT("Hermite")), 1);
	EXPECT_TRUE(Enum->HasMetaData(TEXT("Hidden"), Enum->GetIndexByValue(int64(ESplineType::Max))));
}
