// The rest spline IK solve: rest reproduction, rigid motion, partial deformation and uniform scale on curved chains;
// segment lengths under stretch on straight chains; the failure rules; degenerate input; random-chain properties.
#include "QVRestSplineIK.h"
#include "SplineIKTestChains.h"

#include <cmath>

using namespace QVSplineIKTest;

namespace
{
// The outputs of a solve, kept so that later solves can be given them back as a rig's pin memory does.
struct FSolveOutputs
{
	TArray<FTransform> Joints;
	FControlRigSpline Spline;
	TArray<FTransform> PathFrames;
	TArray<FTransform> JointOffsets;

	bool Solve(const TArray<FTransform>& RestJoints, const TArray<FTransform>& RestControls,
		const TArray<FTransform>& CurrentControls, float Stretch)
	{
		return QVRestSplineIK::Solve(
			RestJoints, RestControls, CurrentControls, Joints, Spline, PathFrames, JointOffsets, Stretch);
	}
};

FSolveOutputs SolveFresh(const TArray<FTransform>& RestJoints, const TArray<FTransform>& RestControls,
	const TArray<FTransform>& CurrentControls, float Stretch)
{
	FSolveOutputs Outputs;
	EXPECT_TRUE(Outputs.Solve(RestJoints, RestControls, CurrentControls, Stretch));
	return Outputs;
}

bool AllFinite(const TArray<FTransform>& Transforms)
{
	return !Transforms.ContainsByPredicate([](const FTransform& T) { return !IsFinite(T); });
}

const int32 CurvedJointCounts[] = {2, 3, 12};
const int32 CurvedControlCounts[] = {2, 3, 5, 9};
} // namespace

TEST(RestSplineIKCurvedChain, RestReproducesItselfAndRigidMotionCarriesEveryJoint)
{
	const FTransform Motion(FRotator(42, 83, -27), FVector(70, -30, 90));
	for (const int32 NumJoints : CurvedJointCounts)
	{
		for (const int32 NumControls : CurvedControlCounts)
		{
			SCOPED_TRACE(testing::Message() << NumJoints << " joints, " << NumControls << " controls");
			const TArray<FTransform> Joints = CurvedChain(NumJoints);
			const TArray<FTransform> Controls = ControlsAlong(Joints, NumControls);

			FSolveOutputs Outputs;
			ASSERT_TRUE(Outputs.Solve(Joints, Controls, Controls, 1.f));
			ASSERT_EQ(Outputs.Joints.Num(), NumJoints);
			EXPECT_EQ(Outputs.PathFrames.Num(), NumJoints);
			EXPECT_EQ(Outputs.JointOffsets.Num(), NumJoints);
			for (int32 Index = 0; Index < NumJoints; ++Index)
			{
				EXPECT_TRUE(TransformNear(Outputs.Joints[Index], Joints[Index], 0.001, 1e-4, 0.001)) << Index;
			}

			ASSERT_TRUE(Outputs.Solve(Joints, Controls, Moved(Controls, Motion), 1.f));
			for (int32 Index = 0; Index < NumJoints; ++Index)
			{
				EXPECT_TRUE(TransformNear(Outputs.Joints[Index], Joints[Index] * Motion, 0.01, 0.001, 0.001)) << Index;
			}

			// Back at rest with the same outputs given back: nothing carried over from the moved solve.
			ASSERT_TRUE(Outputs.Solve(Joints, Controls, Controls, 1.f));
			for (int32 Index = 0; Index < NumJoints; ++Index)
			{
				EXPECT_TRUE(TransformNear(Outputs.Joints[Index], Joints[Index], 0.001, 0.001, -1.0)) << Index;
			}
		}
	}
}

TEST(RestSplineIKCurvedChain, MovingOneControlDeformsTheCurveAndTheJointsAroundIt)
{
	for (const int32 NumJoints : CurvedJointCounts)
	{
		for (const int32 NumControls : CurvedControlCounts)
		{
			SCOPED_TRACE(testing::Message() << NumJoints << " joints, " << NumControls << " controls");
			const TArray<FTransform> Joints = CurvedChain(NumJoints);
			const TArray<FTransform> Controls = ControlsAlong(Joints, NumControls);
			const FSolveOutputs Rest = SolveFresh(Joints, Controls, Controls, 1.f);
			const FVector RestMiddle = Rest.Spline.PositionAtParam(0.5f);

			TArray<FTransform> Current = Controls;
			FTransform& Middle = Current[NumControls / 2];
			Middle.AddToTranslation(FVector(0, 15, 5));
			Middle.SetRotation(Middle.GetRotation() * FRotator(0, 0, 170).Quaternion());
			const FSolveOutputs Deformed = SolveFresh(Joints, Controls, Current, 1.f);

			EXPECT_TRUE(AllFinite(Deformed.Joints));
			EXPECT_TRUE(AllFinite(Deformed.PathFrames));
			EXPECT_TRUE(AllFinite(Deformed.JointOffsets));
			EXPECT_FALSE(Deformed.Spline.PositionAtParam(0.5f).Equals(RestMiddle, 0.001));
			if (NumJoints >= NumControls)
			{
				bool bAnyMoved = false;
				for (int32 Index = 0; Index < NumJoints; ++Index)
				{
					bAnyMoved |= !TransformNear(Deformed.Joints[Index], Joints[Index], 0.001, 0.001, 0.001);
				}
				EXPECT_TRUE(bAnyMoved);
			}
		}
	}
}

TEST(RestSplineIKCurvedChain, UniformScalePreservesTheShape)
{
	const FTransform Motion(FRotator(12, 34, 56), FVector(10, 20, 30), FVector(2.5));
	for (const int32 NumJoints : CurvedJointCounts)
	{
		for (const int32 NumControls : CurvedControlCounts)
		{
			SCOPED_TRACE(testing::Message() << NumJoints << " joints, " << NumControls << " controls");
			const TArray<FTransform> Joints = CurvedChain(NumJoints);
			const TArray<FTransform> Controls = ControlsAlong(Joints, NumControls);
			const FSolveOutputs Scaled = SolveFresh(Joints, Controls, Moved(Controls, Motion), 1.f);
			for (int32 Index = 0; Index < NumJoints; ++Index)
			{
				EXPECT_TRUE(TransformNear(Scaled.Joints[Index], Joints[Index] * Motion, 0.01, 0.01, -1.0)) << Index;
			}
		}
	}
}

TEST(RestSplineIKStraightChain, SegmentsBlendFromRestToStretchedLength)
{
	for (const int32 NumJoints : {2, 5, 12})
	{
		for (const double Direction : {1.0, -1.0})
		{
			for (const double EndScale : {0.5, 1.8})
			{
				for (const double Scale : {1.0, 2.5})
				{
					SCOPED_TRACE(testing::Message() << NumJoints << " joints, direction " << Direction << ", end * "
													<< EndScale << ", scale " << Scale);
					const TArray<FTransform> Joints = StraightChain(NumJoints, Direction);
					const TArray<FTransform> Controls = {Joints[0], Joints.Last()};
					TArray<FTransform> Current = Controls;
					Current[1].SetTranslation(Current[1].GetTranslation() * EndScale);
					Current = Moved(Current, FTransform(FRotator(20, 30, 40), FVector(5, 7, 9), FVector(Scale)));

					const FSolveOutputs Full = SolveFresh(Joints, Controls, Current, 1.f);
					for (const float Stretch : {0.f, 0.5f, 1.f})
					{
						FSolveOutputs Outputs = SolveFresh(Joints, Controls, Current, Stretch);
						EXPECT_TRUE(AllFinite(Outputs.Joints));
						for (int32 Index = 1; Index < NumJoints; ++Index)
						{
							const double FullLength = FVector::Distance(
								Full.Joints[Index].GetTranslation(), Full.Joints[Index - 1].GetTranslation());
							const double Expected = 10.0 * Scale + double(Stretch) * (FullLength - 10.0 * Scale);
							EXPECT_NEAR(FVector::Distance(Outputs.Joints[Index].GetTranslation(),
											Outputs.Joints[Index - 1].GetTranslation()),
								Expected, 0.001)
								<< "stretch " << Stretch << ", segment " << Index;
						}

						// Solving again with the outputs given back reproduces the result.
						const TArray<FTransform> First = Outputs.Joints;
						for (int32 Repeat = 0; Repeat < 5; ++Repeat)
						{
							ASSERT_TRUE(Outputs.Solve(Joints, Controls, Current, Stretch));
						}
						for (int32 Index = 0; Index < NumJoints; ++Index)
						{
							EXPECT_TRUE(TransformNear(Outputs.Joints[Index], First[Index], 1e-4, 1e-4, 1e-4));
						}
						if (Stretch == 1.f)
						{
							for (int32 Index = 0; Index < NumJoints; ++Index)
							{
								EXPECT_TRUE(TransformNear(First[Index], Full.Joints[Index], 1e-4, 1e-4, 1e-4));
							}
						}
					}

					const FSolveOutputs Rest = SolveFresh(Joints, Controls, Controls, 0.f);
					for (int32 Index = 0; Index < NumJoints; ++Index)
					{
						EXPECT_TRUE(TransformNear(Rest.Joints[Index], Joints[Index], 0.001, 0.001, 0.001));
					}
				}
			}
		}
	}
}

TEST(RestSplineIKStretch, AtOrAboveOneAndForNaNTheEndsAreTheCarriedTransforms)
{
	const TArray<FTransform> Joints = CurvedChain(12);
	const TArray<FTransform> Controls = ControlsAlong(Joints, 5);
	TArray<FTransform> Current = Controls;
	Current[0] = Current[0] * FTransform(FRotator(10, -20, 5), FVector(3, 1, -2));
	Current.Last().AddToTranslation(FVector(20, -10, 4));

	// The first joint moves with the first control alone, the last with the last control alone.
	auto CarriedBy = [](const FTransform& Joint, const FTransform& Rest, const FTransform& Now)
	{
		FTransform Carried = Joint.GetRelativeTransform(Rest) * Now;
		Carried.SetRotation(Carried.GetRotation().GetNormalized());
		return Carried;
	};
	const FTransform FirstCarried = CarriedBy(Joints[0], Controls[0], Current[0]);
	const FTransform LastCarried = CarriedBy(Joints.Last(), Controls.Last(), Current.Last());

	const FSolveOutputs Full = SolveFresh(Joints, Controls, Current, 1.f);
	EXPECT_TRUE(Full.Joints[0].Equals(FirstCarried, 0.0));
	EXPECT_TRUE(Full.Joints.Last().Equals(LastCarried, 0.0));
	for (const float Stretch : {std::nanf(""), 7.f, std::numeric_limits<float>::infinity()})
	{
		const FSolveOutputs Outputs = SolveFresh(Joints, Controls, Current, Stretch);
		for (int32 Index = 0; Index < Joints.Num(); ++Index)
		{
			EXPECT_TRUE(Outputs.Joints[Index].Equals(Full.Joints[Index], 0.0)) << Stretch << " joint " << Index;
		}
	}

	// Below 1 the first joint keeps its carried translation; -2 acts as 0.
	const FSolveOutputs Half = SolveFresh(Joints, Controls, Current, 0.5f);
	EXPECT_EQ(Half.Joints[0].GetTranslation(), FirstCarried.GetTranslation());
	const FSolveOutputs None = SolveFresh(Joints, Controls, Current, 0.f);
	const FSolveOutputs Negative = SolveFresh(Joints, Controls, Current, -2.f);
	for (int32 Index = 0; Index < Joints.Num(); ++Index)
	{
		EXPECT_TRUE(Negative.Joints[Index].Equals(None.Joints[Index], 0.0)) << Index;
	}
}

TEST(RestSplineIKStretch, ACrossingOnAPolylineVertexCountsAtRest)
{
	// At rest, each restored segment ends exactly on a vertex of the polyline; found only by rounding, the crossing
	// was missed and the walk ran on to the end of the polyline, leaving a joint units away from its rest place.
	const TArray<FTransform> Joints = CurvedChain(30);
	const TArray<FTransform> Controls = ControlsAlong(Joints, 9);
	for (const float Stretch : {0.f, 0.5f})
	{
		const FSolveOutputs Outputs = SolveFresh(Joints, Controls, Controls, Stretch);
		for (int32 Index = 0; Index < Joints.Num(); ++Index)
		{
			EXPECT_TRUE(TransformNear(Outputs.Joints[Index], Joints[Index], 0.001, 0.001, 0.001))
				<< "stretch " << Stretch << ", joint " << Index;
		}
	}
}

TEST(RestSplineIKFailures, TooFewJointsOrControlsOrMismatchedListsWriteNothing)
{
	const TArray<FTransform> Joints = CurvedChain(5);
	const TArray<FTransform> Controls = ControlsAlong(Joints, 3);
	const TArray<FTransform> One = {Joints[0]};
	const TArray<FTransform> Sentinel = {FTransform(FVector(1, 2, 3))};
	struct FCase
	{
		const TArray<FTransform>& Rest;
		const TArray<FTransform>& RestControls;
		TArray<FTransform> CurrentControls;
	};
	const FCase Cases[] = {
		{One, Controls, Controls},
		{Joints, One, One},
		{Joints, Controls, {Controls[0], Controls[1]}},
		{Joints, Controls, {Controls[0], Controls[1], Controls[2], Controls[2]}},
	};
	for (const FCase& Case : Cases)
	{
		FSolveOutputs Outputs;
		Outputs.Joints = Outputs.PathFrames = Outputs.JointOffsets = Sentinel;
		EXPECT_FALSE(Outputs.Solve(Case.Rest, Case.RestControls, Case.CurrentControls, 1.f));
		EXPECT_FALSE(Outputs.Spline.SplineData.IsValid());
		for (const TArray<FTransform>* Output : {&Outputs.Joints, &Outputs.PathFrames, &Outputs.JointOffsets})
		{
			ASSERT_EQ(Output->Num(), 1);
			EXPECT_TRUE((*Output)[0].Equals(Sentinel[0], 0.0));
		}
	}
}

TEST(RestSplineIKFailures, AChainWithoutLengthOrWithoutFiniteLengthWritesNothing)
{
	const TArray<FTransform> Controls = ControlsAlong(CurvedChain(4), 3);
	TArray<FTransform> Coincident;
	for (int32 Index = 0; Index < 4; ++Index)
	{
		Coincident.Add(FTransform(FRotator(0, 30.0 * Index, 0), FVector(4, 5, 6)));
	}
	TArray<FTransform> NotFinite = CurvedChain(4);
	NotFinite[2].SetTranslation(FVector(std::nan(""), 0, 0));
	for (const TArray<FTransform>* Joints : {&Coincident, &NotFinite})
	{
		FSolveOutputs Outputs;
		EXPECT_FALSE(Outputs.Solve(*Joints, Controls, Controls, 0.5f));
		EXPECT_TRUE(Outputs.Joints.IsEmpty());
		EXPECT_TRUE(Outputs.PathFrames.IsEmpty());
		EXPECT_TRUE(Outputs.JointOffsets.IsEmpty());
		EXPECT_FALSE(Outputs.Spline.SplineData.IsValid());
	}
}

TEST(RestSplineIKFailures, UnorderedOrCoincidentControlProjectionsSpaceTheControlsUniformly)
{
	// A straight chain along X with four controls on it. Rolling control 1 about the chain axis keeps every point on
	// the axis, so each path frame turns by exactly the roll its joint was carried with: a smoothstep blend of the
	// two controls bracketing the joint's arc length. Uniform control parameters are 0, 13.3, 26.7 and 40.
	const TArray<FTransform> Joints = StraightChain(5, 1.0);
	const double Roll = 80.0;
	auto ExpectedRoll = [Roll](double Weight)
	{
		// The carried rotation is the normalised linear blend of the identity and the roll.
		const double Half = FMath::DegreesToRadians(Roll) / 2.0;
		return FMath::RadiansToDegrees(
			2.0 * std::atan2(Weight * std::sin(Half), (1.0 - Weight) + Weight * std::cos(Half)));
	};
	auto Smooth = [](double T) { return (3.0 - 2.0 * T) * T * T; };
	// Joints at 10 (between controls 0 and 1, t = 0.75), 20 (between 1 and 2, t = 0.5), 30 (between 2 and 3).
	const double ExpectedRolls[] = {0.0, ExpectedRoll(Smooth(0.75)), ExpectedRoll(1.0 - Smooth(0.5)), 0.0, 0.0};

	// Unordered: control 1 sits at 30 and control 2 at 10. Coincident: both at 10. At the start: control 1 at 0.
	const double InnerPlaces[][2] = {{30.0, 10.0}, {10.0, 10.0}, {-5.0, 20.0}};
	for (const auto& Places : InnerPlaces)
	{
		SCOPED_TRACE(testing::Message() << "inner controls at " << Places[0] << " and " << Places[1]);
		const TArray<FTransform> Controls = {
			Joints[0], FTransform(FVector(Places[0], 0, 0)), FTransform(FVector(Places[1], 0, 0)), Joints.Last()};
		TArray<FTransform> Current = Controls;
		Current[1].SetRotation(FRotator(0, 0, Roll).Quaternion());

		const FSolveOutputs Rest = SolveFresh(Joints, Controls, Controls, 1.f);
		const FSolveOutputs Rolled = SolveFresh(Joints, Controls, Current, 1.f);
		EXPECT_TRUE(AllFinite(Rolled.Joints));
		for (int32 Index = 0; Index < Joints.Num(); ++Index)
		{
			const FQuat Turn = Rolled.PathFrames[Index].GetRotation() * Rest.PathFrames[Index].GetRotation().Inverse();
			EXPECT_NEAR(Turn.Y, 0.0, 1e-9);
			EXPECT_NEAR(Turn.Z, 0.0, 1e-9);
			// A roll by +a about X shows as -a, as the engine's rotators read it.
			EXPECT_NEAR(FMath::RadiansToDegrees(2.0 * std::atan2(Turn.X, Turn.W)), -ExpectedRolls[Index], 1e-6)
				<< "joint " << Index;
		}
	}
}

TEST(RestSplineIKSamples, ChainsOfTwoOrThreeJointsArePaddedWithTheThirdsOfTheirLength)
{
	struct FCase
	{
		TArray<FTransform> Joints;
		int32 NumControls;
		int32 ExpectedSamples;
	};
	const FCase Cases[] = {
		// Two joints: 0 and the length, padded with both thirds.
		{StraightChain(2, 1.0), 2, 4},
		// Three joints whose middle is at a third already: only two thirds is added.
		{{FTransform(FVector(0, 0, 0)), FTransform(FVector(5, 0, 0)), FTransform(FVector(15, 0, 0))}, 2, 4},
		// Three joints elsewhere: both thirds.
		{StraightChain(3, 1.0), 2, 5},
		// More controls than joints add the inner control's place (half way); the thirds follow.
		{StraightChain(2, 1.0), 3, 5},
		// Four joints need no padding.
		{StraightChain(4, 1.0), 2, 4},
	};
	for (const FCase& Case : Cases)
	{
		const TArray<FTransform> Controls = ControlsAlong(Case.Joints, Case.NumControls, FVector::ZeroVector);
		const FSolveOutputs Outputs = SolveFresh(Case.Joints, Controls, Controls, 1.f);
		ASSERT_TRUE(Outputs.Spline.SplineData.IsValid());
		EXPECT_EQ(Outputs.Spline.SplineData->ControlTransforms.Num(), Case.ExpectedSamples);
		EXPECT_EQ(Outputs.Spline.SplineData->SamplesArray.Num(), (Case.ExpectedSamples - 1) * 32);
		for (int32 Index = 0; Index < Case.Joints.Num(); ++Index)
		{
			EXPECT_TRUE(TransformNear(Outputs.Joints[Index], Case.Joints[Index], 0.001, 1e-4, 0.001));
		}
	}
}

TEST(RestSplineIKDegenerateInput, NeverProducesNaN)
{
	const TArray<FTransform> Curved = CurvedChain(8);
	TArray<FTransform> WithZeroSegment = Curved;
	WithZeroSegment[4].SetTranslation(WithZeroSegment[3].GetTranslation());
	TArray<FTransform> ZeroScaleJoints = Curved;
	ZeroScaleJoints[2].SetScale3D(FVector(0, 1, 0));

	struct FCase
	{
		const char* Name;
		TArray<FTransform> Joints;
		TArray<FTransform> Controls;
		TArray<FTransform> Current;
	};
	TArray<FCase> Cases;
	const TArray<FTransform> Controls = ControlsAlong(Curved, 4);
	Cases.Add({"zero-length segment", WithZeroSegment, ControlsAlong(WithZeroSegment, 4),
		Moved(ControlsAlong(WithZeroSegment, 4), FTransform(FVector(0, 5, 0)))});
	Cases.Add({"coincident controls", Curved, TArray<FTransform>({Controls[1], Controls[1], Controls[1]}),
		TArray<FTransform>({Controls[1], Controls[2], Controls[3]})});
	TArray<FTransform> ZeroScale = Controls;
	for (FTransform& Control : ZeroScale)
	{
		Control.SetScale3D(FVector::ZeroVector);
	}
	Cases.Add({"controls scaled to zero", Curved, Controls, ZeroScale});
	Cases.Add({"rest controls of zero scale", Curved, ZeroScale, Controls});
	Cases.Add({"joint of zero scale", ZeroScaleJoints, Controls, Moved(Controls, FTransform(FVector(1, 2, 3)))});
	TArray<FTransform> Turned = Controls;
	for (FTransform& Control : Turned)
	{
		Control.SetRotation(Control.GetRotation() * FRotator(0, 180, 0).Quaternion());
	}
	Cases.Add({"controls turned 180 degrees", Curved, Controls, Turned});
	TArray<FTransform> Folded = Controls;
	Folded.Last().SetTranslation(Folded[0].GetTranslation());
	Folded.Last().SetRotation(Folded.Last().GetRotation() * FRotator(180, 0, 0).Quaternion());
	Cases.Add({"end control folded back onto the start", Curved, Controls, Folded});

	for (const FCase& Case : Cases)
	{
		for (const float Stretch : {0.f, 0.5f, 1.f})
		{
			FSolveOutputs Outputs;
			ASSERT_TRUE(Outputs.Solve(Case.Joints, Case.Controls, Case.Current, Stretch)) << Case.Name;
			EXPECT_TRUE(AllFinite(Outputs.Joints)) << Case.Name << ", stretch " << Stretch;
			EXPECT_TRUE(AllFinite(Outputs.PathFrames)) << Case.Name << ", stretch " << Stretch;
			EXPECT_TRUE(AllFinite(Outputs.JointOffsets)) << Case.Name << ", stretch " << Stretch;
		}
	}
}

TEST(RestSplineIKProperties, RandomChainsAtRestReproduceThemselvesAndFollowRigidMotion)
{
	std::mt19937 Random(20240611);
	std::uniform_int_distribution<int32> JointCount(2, 30);
	std::uniform_int_distribution<int32> ControlCount(2, 9);
	std::uniform_real_distribution<double> Offset(-100.0, 100.0);
	for (int32 Trial = 0; Trial < 200; ++Trial)
	{
		const int32 NumJoints = JointCount(Random);
		const int32 NumControls = ControlCount(Random);
		SCOPED_TRACE(
			testing::Message() << "trial " << Trial << ": " << NumJoints << " joints, " << NumControls << " controls");
		const FRandomChain Chain = MakeRandomChain(Random, NumJoints, NumControls);
		for (const float Stretch : {0.f, 0.5f, 1.f})
		{
			const FSolveOutputs Rest = SolveFresh(Chain.Joints, Chain.Controls, Chain.Controls, Stretch);
			for (int32 Index = 0; Index < NumJoints; ++Index)
			{
				ASSERT_TRUE(TransformNear(Rest.Joints[Index], Chain.Joints[Index], 0.001, 0.001, 0.001))
					<< "stretch " << Stretch << ", joint " << Index;
			}
		}

		// Fully stretched, as the curve follows its controls. (Below full stretch each joint is placed where the
		// curve first reaches a distance from the joint before it, which rounding can move a little along a curve
		// that runs nearly on that sphere.)
		const FTransform Motion(RandomRotation(Random), FVector(Offset(Random), Offset(Random), Offset(Random)));
		const FSolveOutputs Carried = SolveFresh(Chain.Joints, Chain.Controls, Moved(Chain.Controls, Motion), 1.f);
		for (int32 Index = 0; Index < NumJoints; ++Index)
		{
			ASSERT_TRUE(TransformNear(Carried.Joints[Index], Chain.Joints[Index] * Motion, 0.01, 0.001, 0.001))
				<< "joint " << Index;
		}
	}
}
