// The bend curve against an independently written B-spline (Cox-de Boor basis functions over explicit knots):
// knots, line reproduction, ends and clamping, control points carried by handles, arc-length sampling.
#include "QVBendCurve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace
{
// ---- An independent clamped uniform cubic B-spline ----

std::vector<double> ClampedUniformKnots(int NumPoints)
{
	std::vector<double> Knots(4, 0.0);
	for (int Interior = 1; Interior < NumPoints - 3; ++Interior)
	{
		Knots.push_back(double(Interior) / double(NumPoints - 3));
	}
	Knots.insert(Knots.end(), 4, 1.0);
	return Knots;
}

// Cox-de Boor recursion; at the very end of the parameter range the last non-empty span counts as closed.
double Basis(const std::vector<double>& Knots, int Index, int Degree, double T)
{
	if (Degree == 0)
	{
		if (Knots[Index] <= T && T < Knots[Index + 1])
		{
			return 1.0;
		}
		return T == Knots.back() && Knots[Index] < Knots[Index + 1] && Knots[Index + 1] == Knots.back() ? 1.0 : 0.0;
	}
	double Value = 0.0;
	if (Knots[Index + Degree] > Knots[Index])
	{
		Value += (T - Knots[Index]) / (Knots[Index + Degree] - Knots[Index]) * Basis(Knots, Index, Degree - 1, T);
	}
	if (Knots[Index + Degree + 1] > Knots[Index + 1])
	{
		Value += (Knots[Index + Degree + 1] - T) / (Knots[Index + Degree + 1] - Knots[Index + 1]) *
			Basis(Knots, Index + 1, Degree - 1, T);
	}
	return Value;
}

FVector ReferenceCurve(const TArray<FVector>& Points, double T)
{
	const std::vector<double> Knots = ClampedUniformKnots(Points.Num());
	FVector Sum(0.0);
	for (int Index = 0; Index < Points.Num(); ++Index)
	{
		Sum += Points[Index] * Basis(Knots, Index, 3, T);
	}
	return Sum;
}

// The Greville abscissa of control point K: the mean of the three knots after it.
double Greville(int K, int NumPoints)
{
	const std::vector<double> Knots = ClampedUniformKnots(NumPoints);
	return (Knots[K + 1] + Knots[K + 2] + Knots[K + 3]) / 3.0;
}

// A handle carrying a point, through matrices rather than the transform's own operations.
FVector Carry(const FTransform& Rest, const FTransform& Animated, const FVector& Point)
{
	return FVector(
		Animated.ToMatrixWithScale().TransformPosition(Rest.ToMatrixWithScale().InverseTransformPosition(Point)));
}

TArray<FVector> RandomPoints(int Count, std::mt19937& Random)
{
	std::uniform_real_distribution<double> Coordinate(-50.0, 50.0);
	TArray<FVector> Points;
	for (int Index = 0; Index < Count; ++Index)
	{
		Points.Add(FVector(Coordinate(Random), Coordinate(Random), Coordinate(Random)));
	}
	return Points;
}

FTransform RandomFrame(std::mt19937& Random)
{
	std::uniform_real_distribution<double> Angle(-180.0, 180.0);
	std::uniform_real_distribution<double> Offset(-20.0, 20.0);
	std::uniform_real_distribution<double> Scale(0.5, 2.0);
	return FTransform(FRotator(Angle(Random), Angle(Random), Angle(Random)).Quaternion(),
		FVector(Offset(Random), Offset(Random), Offset(Random)), FVector(Scale(Random), Scale(Random), Scale(Random)));
}

const FVector LineStart(10.0, -4.0, 3.0);
const FVector LineEnd(40.0, 16.0, -7.0);

// Length along the polyline through Samples up to the point nearest to Point on it.
double LengthAlong(const std::vector<FVector>& Samples, const FVector& Point)
{
	double Best = std::numeric_limits<double>::max();
	double Length = 0.0;
	double Result = 0.0;
	for (size_t Index = 1; Index < Samples.size(); ++Index)
	{
		const FVector Chord = Samples[Index] - Samples[Index - 1];
		const double Along = FMath::Clamp(
			FVector::DotProduct(Point - Samples[Index - 1], Chord) / FMath::Max(Chord.SizeSquared(), 1e-30), 0.0, 1.0);
		const double Distance = (Samples[Index - 1] + Chord * Along - Point).Size();
		if (Distance < Best)
		{
			Best = Distance;
			Result = Length + Chord.Size() * Along;
		}
		Length += Chord.Size();
	}
	return Result;
}
} // namespace

TEST(BendCurve, KnotsAreClampedAndUniformInBetween)
{
	EXPECT_EQ(QVBendCurve::MakeBendKnots(4), (TArray<double>{0, 0, 0, 0, 1, 1, 1, 1}));
	EXPECT_EQ(QVBendCurve::MakeBendKnots(7), (TArray<double>{0, 0, 0, 0, 0.25, 0.5, 0.75, 1, 1, 1, 1}));
	const TArray<double> Five = QVBendCurve::MakeBendKnots(5);
	ASSERT_EQ(Five.Num(), 9);
	EXPECT_EQ(Five[4], 0.5);
	EXPECT_EQ(QVBendCurve::MakeBendKnots(-1).Num(), 0);
}

TEST(BendCurve, EvaluationMatchesTheIndependentBSplineEverywhere)
{
	std::mt19937 Random(7);
	for (int Count = 4; Count <= 20; ++Count)
	{
		const TArray<FVector> Points = RandomPoints(Count, Random);
		for (int Step = 0; Step <= 64; ++Step)
		{
			const double T = Step / 64.0;
			EXPECT_TRUE(QVBendCurve::EvaluateBendCurve(Points, T).Equals(ReferenceCurve(Points, T), 1e-9))
				<< Count << " points at t = " << T;
		}
	}
}

TEST(BendCurve, EndsAreTheEndPointsAndParametersClamp)
{
	std::mt19937 Random(11);
	const TArray<FVector> Points = RandomPoints(6, Random);
	EXPECT_EQ(QVBendCurve::EvaluateBendCurve(Points, 0.0), Points[0]);
	EXPECT_EQ(QVBendCurve::EvaluateBendCurve(Points, -3.0), Points[0]);
	for (const double T : {1.0, 1.5, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()})
	{
		EXPECT_TRUE(QVBendCurve::EvaluateBendCurve(Points, T).Equals(Points.Last(), 1e-12)) << T;
	}
	// Too few points for a cubic: nothing, or the first point.
	EXPECT_EQ(QVBendCurve::EvaluateBendCurve(TArray<FVector>(), 0.5), FVector::ZeroVector);
	EXPECT_EQ(
		QVBendCurve::EvaluateBendCurve(TArray<FVector>{FVector(1, 2, 3), FVector(4, 5, 6)}, 0.5), FVector(1, 2, 3));
}

TEST(BendCurve, HandlesAtRestReproduceTheLine)
{
	std::mt19937 Random(3);
	for (const int NumHandles : {2, 3, 5})
	{
		TArray<FTransform> Frames;
		for (int Handle = 0; Handle < NumHandles; ++Handle)
		{
			Frames.Add(RandomFrame(Random));
		}
		TArray<FVector> Points;
		QVBendCurve::BuildBendControlPoints(LineStart, LineEnd, Frames, Frames, Points);
		ASSERT_EQ(Points.Num(), NumHandles + 2);
		for (int K = 0; K < Points.Num(); ++K)
		{
			const FVector OnLine = LineStart + (LineEnd - LineStart) * Greville(K, Points.Num());
			EXPECT_TRUE(Points[K].Equals(OnLine, 1e-9)) << NumHandles << " handles, point " << K;
		}
		for (int Step = 0; Step <= 16; ++Step)
		{
			const double T = Step / 16.0;
			const FVector Expected = LineStart + (LineEnd - LineStart) * T;
			EXPECT_TRUE(QVBendCurve::EvaluateBendCurve(Points, T).Equals(Expected, 1e-9)) << T;
			TArray<FVector> Sampled;
			QVBendCurve::SampleBendCurve(Points, TArray<float>{float(T)}, Sampled);
			EXPECT_TRUE(Sampled[0].Equals(Expected, 1e-9)) << T;
		}
	}
}

TEST(BendCurve, ControlPointsAreCarriedByTheirHandles)
{
	std::mt19937 Random(5);
	for (const int NumHandles : {3, 5})
	{
		TArray<FTransform> Rest;
		TArray<FTransform> Animated;
		for (int Handle = 0; Handle < NumHandles; ++Handle)
		{
			Rest.Add(RandomFrame(Random));
			Animated.Add(RandomFrame(Random));
		}
		TArray<FVector> Points;
		QVBendCurve::BuildBendControlPoints(LineStart, LineEnd, Rest, Animated, Points);
		const int NumPoints = NumHandles + 2;
		const auto Expected = [&](int K)
		{
			const FVector OnLine = LineStart + (LineEnd - LineStart) * Greville(K, NumPoints);
			const auto By = [&](int Handle) { return Carry(Rest[Handle], Animated[Handle], OnLine); };
			if (K == 0)
			{
				return By(0);
			}
			if (K == NumPoints - 1)
			{
				return By(NumHandles - 1);
			}
			if (K == 1)
			{
				return By(0) * 0.6 + By(1) * 0.4;
			}
			if (K == NumPoints - 2)
			{
				return By(NumHandles - 2) * 0.4 + By(NumHandles - 1) * 0.6;
			}
			return By(K - 1);
		};
		for (int K = 0; K < NumPoints; ++K)
		{
			EXPECT_TRUE(Points[K].Equals(Expected(K), 1e-9)) << NumHandles << " handles, point " << K;
		}

		// Moving the last handle moves the last two points and nothing else.
		TArray<FTransform> Moved = Animated;
		Moved.Last() = RandomFrame(Random);
		TArray<FVector> After;
		QVBendCurve::BuildBendControlPoints(LineStart, LineEnd, Rest, Moved, After);
		for (int K = 0; K < NumPoints - 2; ++K)
		{
			EXPECT_EQ(After[K], Points[K]) << K;
		}
		EXPECT_FALSE(After[NumPoints - 2].Equals(Points[NumPoints - 2], 1e-6));
		EXPECT_FALSE(After[NumPoints - 1].Equals(Points[NumPoints - 1], 1e-6));
	}

	// The master curve (start, master, end): its middle point follows the master alone.
	const FTransform Still = FTransform::Identity;
	const FTransform Lifted(FVector(0, 0, 10));
	TArray<FVector> Master;
	QVBendCurve::BuildBendControlPoints(FVector(0, 0, 0), FVector(60, 0, 0), TArray<FTransform>{Still, Still, Still},
		TArray<FTransform>{Still, Lifted, Still}, Master);
	ASSERT_EQ(Master.Num(), 5);
	EXPECT_TRUE(Master[2].Equals(FVector(30, 0, 10), 1e-12));
	EXPECT_TRUE(Master[1].Equals(FVector(10, 0, 4), 1e-12));
	EXPECT_TRUE(Master[3].Equals(FVector(50, 0, 4), 1e-12));
	EXPECT_EQ(Master[0], FVector(0, 0, 0));
	EXPECT_EQ(Master[4], FVector(60, 0, 0));

	// Mismatched or too few frames give no points.
	QVBendCurve::BuildBendControlPoints(
		LineStart, LineEnd, TArray<FTransform>{Still, Still}, TArray<FTransform>{Still}, Master);
	EXPECT_EQ(Master.Num(), 0);
}

TEST(BendCurve, AZeroRestScaleCarriesNothingAlongThatAxis)
{
	// Where the rest frame has no extent, the point's offset along that axis is dropped instead of divided by 0.
	const FTransform Flat(FQuat::Identity, FVector(5, 0, 0), FVector(0, 1, 1));
	const FTransform Moved(FQuat::Identity, FVector(5, 1, 0), FVector(1, 1, 1));
	TArray<FVector> Points;
	QVBendCurve::BuildBendControlPoints(FVector(0, 0, 0), FVector(60, 0, 0), TArray<FTransform>{Flat, Flat, Flat},
		TArray<FTransform>{Moved, Moved, Moved}, Points);
	for (const FVector& Point : Points)
	{
		EXPECT_FALSE(Point.ContainsNaN());
		EXPECT_TRUE(Point.Equals(FVector(5, 1, 0), 1e-12));
	}
}

TEST(BendCurve, SamplesAreEvenlySpacedByArcLength)
{
	std::mt19937 Random(13);
	const TArray<FVector> Points = RandomPoints(7, Random);
	std::vector<FVector> Dense;
	for (int Step = 0; Step <= 128; ++Step)
	{
		Dense.push_back(ReferenceCurve(Points, Step / 128.0));
	}
	const double Total = LengthAlong(Dense, Dense.back());

	TArray<float> Fractions;
	for (int Step = 0; Step <= 20; ++Step)
	{
		Fractions.Add(Step / 20.f);
	}
	TArray<FVector> Sampled;
	QVBendCurve::SampleBendCurve(Points, Fractions, Sampled);
	ASSERT_EQ(Sampled.Num(), Fractions.Num());
	for (int Each = 0; Each < Fractions.Num(); ++Each)
	{
		EXPECT_NEAR(LengthAlong(Dense, Sampled[Each]), double(Fractions[Each]) * Total, 1e-9 * Total)
			<< Fractions[Each];
	}

	// The ends are the curve's ends; fractions outside 0..1 clamp, and NaN counts as 1.
	TArray<FVector> Ends;
	QVBendCurve::SampleBendCurve(
		Points, TArray<float>{0.f, 1.f, -0.5f, 2.f, std::numeric_limits<float>::quiet_NaN()}, Ends);
	EXPECT_EQ(Ends[0], QVBendCurve::EvaluateBendCurve(Points, 0.0));
	EXPECT_EQ(Ends[1], QVBendCurve::EvaluateBendCurve(Points, 1.0));
	EXPECT_EQ(Ends[2], Ends[0]);
	EXPECT_EQ(Ends[3], Ends[1]);
	EXPECT_EQ(Ends[4], Ends[1]);
}

TEST(BendCurve, SamplingGivesTheSameNumbersForEveryPointCount)
{
	// The dense table straight from EvaluateBendCurve, then the chord search, exactly as the sampling is defined:
	// precomputed knot work for the usual point counts must not change a single bit.
	std::mt19937 Random(17);
	for (int Count = 4; Count <= 24; ++Count)
	{
		const TArray<FVector> Points = RandomPoints(Count, Random);
		FVector Dense[129];
		double Lengths[129] = {0.0};
		for (int Step = 0; Step <= 128; ++Step)
		{
			Dense[Step] = QVBendCurve::EvaluateBendCurve(Points, Step * 0.0078125);
			if (Step > 0)
			{
				Lengths[Step] = Lengths[Step - 1] + (Dense[Step - 1] - Dense[Step]).Size();
			}
		}
		const TArray<float> Fractions{0.f, 0.1f, 0.37f, 0.5f, 0.93f, 1.f};
		TArray<FVector> Sampled;
		QVBendCurve::SampleBendCurve(Points, Fractions, Sampled);
		for (int Each = 0; Each < Fractions.Num(); ++Each)
		{
			const double Target = double(Fractions[Each]) * Lengths[128];
			int Index = 1;
			while (Index < 128 && Target > Lengths[Index])
			{
				++Index;
			}
			const double Chord = Lengths[Index] - Lengths[Index - 1];
			const double Along = Chord > 9.99999993922529e-9 ? (Target - Lengths[Index - 1]) / Chord : 0.0;
			EXPECT_EQ(Sampled[Each], Dense[Index - 1] + (Dense[Index] - Dense[Index - 1]) * Along)
				<< Count << " points, fraction " << Fractions[Each];
		}
	}
}

TEST(BendCurve, ACurveOfZeroLengthYieldsItsFirstSample)
{
	const TArray<FVector> Points{
		FVector(3, 4, 5), FVector(3, 4, 5), FVector(3, 4, 5), FVector(3, 4, 5), FVector(3, 4, 5)};
	TArray<FVector> Sampled;
	QVBendCurve::SampleBendCurve(Points, TArray<float>{0.f, 0.5f, 1.f}, Sampled);
	for (const FVector& Point : Sampled)
	{
		EXPECT_EQ(Point, FVector(3, 4, 5));
	}
}
