// Segment deformation: rest reproduces itself, twist and scale spread by unnormalised tents (three and four handles,
// the master's), stretch along X, the last bone, shared bones and shared handle controls across two segments, and
// segments that are skipped.
#include "BendTestRig.h"

#include <cmath>
#include <iterator>

namespace
{
FTransform TwistX(double Degrees)
{
	return FTransform(FQuat(FVector(1, 0, 0), FMath::DegreesToRadians(Degrees)));
}

// The solved twist of each bone of a rig whose bones lie straight along X.
std::vector<double> BoneTwists(const FBendSegmentRig& Rig)
{
	std::vector<double> Twists;
	for (const FName& Bone : Rig.Bones)
	{
		Twists.push_back(TwistDegreesAboutX(Rig.BoneGlobal(Bone).GetRotation()));
	}
	return Twists;
}

void ExpectTwists(const FBendSegmentRig& Rig, const std::vector<double>& Expected)
{
	const std::vector<double> Twists = BoneTwists(Rig);
	for (size_t Bone = 0; Bone < Expected.size(); ++Bone)
	{
		EXPECT_NEAR(Twists[Bone], Expected[Bone], 1e-4) << "bone " << Bone;
	}
}

bool AnyNaN(const FBendTestRig& Rig)
{
	for (const FTransform& Transform : Rig.CapturePose())
	{
		if (Transform.ContainsNaN())
		{
			return true;
		}
	}
	return false;
}
} // namespace

TEST_P(BendEntries, AtRestTheSolverChangesNothing)
{
	// A chain turned, placed and scaled unevenly, with a master: every bone keeps its pose.
	FBendSegmentRig Rig(4, true);
	const FTransform Limb(FRotator(-35, 120, 10).Quaternion(), FVector(3, 4, 5), FVector(1.5, 0.5, 2));
	Rig.SetBoneGlobal(Rig.Bones[0], Limb);
	Rig.Hierarchy.SetLocalTransform(FRigElementKey(Rig.Bones[2], ERigElementType::Bone),
		FTransform(FRotator(0, 0, 30).Quaternion(), FVector(10, 1, 0)));
	TArray<FTransform> Before;
	for (const FName& Bone : Rig.Bones)
	{
		Before.Add(Rig.BoneGlobal(Bone));
	}
	Rig.Evaluate(GetParam());
	for (int32 Bone = 0; Bone < Rig.Bones.Num(); ++Bone)
	{
		EXPECT_TRUE(TransformsNear(Rig.BoneGlobal(Rig.Bones[Bone]), Before[Bone], 1e-9)) << Bone;
	}
}

TEST(BendDeformation, TwistSpreadsAlongUnnormalisedTents)
{
	{
		// The start handle's tent falls from 1 at u = 0 to 0 at u = 1: 90 degrees give 67.5 at u = 0.25.
		FBendSegmentRig Rig;
		Rig.SetControlLocal(Rig.HandleControl(0), TwistX(90));
		Rig.Evaluate();
		ExpectTwists(Rig, {90, 67.5, 45, 22.5, 0});
	}
	{
		// The middle handle of three reaches zero at the ends (half-width 0.5); the last bone keeps its base turn.
		FBendSegmentRig Rig;
		Rig.SetControlLocal(Rig.HandleControl(1), TwistX(80));
		Rig.Evaluate();
		ExpectTwists(Rig, {0, 40, 80, 40, 0});
	}
	{
		// Weights are not normalised: at u = 0.5 the ends weigh 0.5 each and the middle 1.
		FBendSegmentRig Rig;
		for (int32 Handle = 0; Handle < 3; ++Handle)
		{
			Rig.SetControlLocal(Rig.HandleControl(Handle), TwistX(40));
		}
		Rig.Evaluate();
		ExpectTwists(Rig, {40, 30 + 20 + 10, 20 + 40 + 20, 10 + 20 + 30, 0});
	}
	{
		// Four handles (0, 1/3, 2/3, 1): an interior tent reaches zero one handle spacing away.
		FBendSegmentRig Rig(4);
		Rig.SetControlLocal(Rig.HandleControl(1), TwistX(90));
		Rig.Evaluate();
		ExpectTwists(Rig, {0, 67.5, 45, 0, 0});
	}
	{
		// Only the turn about X counts: the same twist under a swing about Z adds nothing more.
		FBendSegmentRig Rig;
		const FQuat Swing = FRotator(0, 30, 0).Quaternion();
		Rig.SetControlLocal(Rig.HandleControl(0), FTransform(Swing * TwistX(90).GetRotation()));
		Rig.Evaluate();
		for (const auto& [Bone, Expected] : {std::pair{0, 90.0}, {1, 67.5}, {2, 45.0}})
		{
			FQuat BoneSwing;
			FQuat BoneTwist;
			Rig.BoneGlobal(Rig.Bones[Bone]).GetRotation().ToSwingTwist(FVector::XAxisVector, BoneSwing, BoneTwist);
			EXPECT_NEAR(TwistDegreesAboutX(BoneTwist), Expected, 1e-4) << Bone;
		}
	}
}

TEST(BendDeformation, HandleScaleSpreadsInYAndZAndOnlyStretchSetsX)
{
	FBendSegmentRig Rig;
	Rig.SetControlLocal(Rig.HandleControl(1), FTransform(FQuat::Identity, FVector::ZeroVector, FVector(1, 2, 0.5)));
	Rig.Evaluate();
	const FVector Middle = Rig.BoneGlobal(Rig.Bones[2]).GetScale3D();
	EXPECT_TRUE(Middle.Equals(FVector(1, 2, 0.5), 1e-6));
	EXPECT_TRUE(Rig.BoneGlobal(Rig.Bones[1]).GetScale3D().Equals(FVector(1, 1.5, 0.75), 1e-6));
	EXPECT_TRUE(Rig.BoneGlobal(Rig.Bones[4]).GetScale3D().Equals(FVector(1, 1, 1), 1e-12));
}

TEST(BendDeformation, MovingTheEndHandleAwayStretchesTheBonesAlongX)
{
	FBendSegmentRig Rig;
	Rig.SetControlLocal(Rig.HandleControl(2), FTransform(FVector(20, 0, 0)));
	Rig.Evaluate();
	// The curve runs straight from 0 to 60: every bone 15 from the next instead of 10, the last one at the end with
	// its base scale.
	for (int32 Bone = 0; Bone < 4; ++Bone)
	{
		const FTransform Solved = Rig.BoneGlobal(Rig.Bones[Bone]);
		EXPECT_TRUE(Solved.GetTranslation().Equals(FVector(15.0 * Bone, 0, 0), 1e-6)) << Bone;
		EXPECT_TRUE(Solved.GetScale3D().Equals(FVector(1.5, 1, 1), 1e-6)) << Bone;
	}
	EXPECT_TRUE(Rig.BoneGlobal(Rig.Bones[4]).GetTranslation().Equals(FVector(60, 0, 0), 1e-6));
	EXPECT_TRUE(Rig.BoneGlobal(Rig.Bones[4]).GetScale3D().Equals(FVector(1, 1, 1), 1e-12));
}

TEST(BendDeformation, TheMasterTentHasHalfWidthOneHalf)
{
	FBendSegmentRig Rig(3, true);
	Rig.SetControlLocal(TEXT("master"), TwistX(60));
	Rig.Evaluate();
	ExpectTwists(Rig, {0, 30, 60, 30, 0});

	FBendSegmentRig Off(3, true);
	Off.Unit.Segments[0].MasterParameter = 0.25f;
	Off.SetControlLocal(TEXT("master"), TwistX(60));
	Off.Evaluate();
	ExpectTwists(Off, {30, 60, 30, 0, 0});
}

TEST(BendDeformation, BendingTheMiddleHandleAimsEachBoneAtTheNext)
{
	FBendSegmentRig Rig;
	Rig.SetControlLocal(Rig.HandleControl(1), FTransform(FVector(0, 0, 8)));
	Rig.Evaluate();
	for (int32 Bone = 0; Bone < 4; ++Bone)
	{
		const FTransform Solved = Rig.BoneGlobal(Rig.Bones[Bone]);
		const FVector ToNext = Rig.BoneGlobal(Rig.Bones[Bone + 1]).GetTranslation() - Solved.GetTranslation();
		EXPECT_TRUE(Solved.GetRotation().RotateVector(FVector::XAxisVector).Equals(ToNext.GetSafeNormal(), 1e-9))
			<< Bone;
		EXPECT_NEAR(Solved.GetScale3D().X, ToNext.Size() / 10.0, 1e-9) << Bone;
	}
	// Ends stay, the middle rises, and the bend is symmetric.
	EXPECT_TRUE(Rig.BoneGlobal(Rig.Bones[0]).GetTranslation().Equals(FVector(0, 0, 0), 1e-9));
	EXPECT_TRUE(Rig.BoneGlobal(Rig.Bones[4]).GetTranslation().Equals(FVector(40, 0, 0), 1e-9));
	EXPECT_GT(Rig.BoneGlobal(Rig.Bones[2]).GetTranslation().Z, 4.0);
	EXPECT_NEAR(Rig.BoneGlobal(Rig.Bones[1]).GetTranslation().Z, Rig.BoneGlobal(Rig.Bones[3]).GetTranslation().Z, 1e-6);
}

// Upper and lower segments share the elbow bone (last of one, first of the other) and the elbow handle control (end
// handle of one, start handle of the other).
struct FTwoSegmentRig : FBendTestRig
{
	TArray<FName> Bones;
	FRigUnit_QVBendySolver Unit;

	FTwoSegmentRig()
	{
		Bones = AddChain(TEXT("arm"), 5, FTransform::Identity, 10.0);
		AddPoseRecords(Bones);
		AddHandleControl(TEXT("upper_mid"), TEXT("upper_mid_space"), FTransform(FVector(10, 0, 0)));
		AddHandleControl(TEXT("elbow"), TEXT("elbow_space"), FTransform(FVector(20, 0, 0)));
		AddHandleControl(TEXT("lower_mid"), TEXT("lower_mid_space"), FTransform(FVector(30, 0, 0)));
		AddHandleControl(TEXT("wrist"), TEXT("wrist_space"), FTransform(FVector(40, 0, 0)));
		FQVBendSegment Upper;
		Upper.Bones = {Bones[0], Bones[1], Bones[2]};
		Upper.Parameters = {0.f, 0.5f, 1.f};
		Upper.Handles = {MakeHandle(NAME_None, NAME_None, 0.f),
			MakeHandle(TEXT("upper_mid"), TEXT("upper_mid_space"), 0.5f),
			MakeHandle(TEXT("elbow"), TEXT("elbow_space"), 1.f)};
		FQVBendSegment Lower;
		Lower.Bones = {Bones[2], Bones[3], Bones[4]};
		Lower.Parameters = {0.f, 0.5f, 1.f};
		Lower.Handles = {MakeHandle(TEXT("elbow"), TEXT("elbow_space"), 0.f),
			MakeHandle(TEXT("lower_mid"), TEXT("lower_mid_space"), 0.5f),
			MakeHandle(TEXT("wrist"), TEXT("wrist_space"), 1.f)};
		Unit.Segments = {Upper, Lower};
		Unit.SnapshotBones = Bones;
	}

	// From the setup pose: the elbow raised 6 and twisted 90 degrees, the wrist twisted 40, the upper arm's middle
	// handle raised 9, and the upper arm's middle space moved off to show whether it is placed.
	TArray<FTransform> Solve()
	{
		Hierarchy.ResetPoseToInitial();
		SetControlLocal(TEXT("elbow"), FTransform(FRotator(0, 0, -90).Quaternion(), FVector(0, 0, 6)));
		SetControlLocal(TEXT("wrist"), TwistX(40));
		SetControlLocal(TEXT("upper_mid"), FTransform(FVector(0, 0, 9)));
		Hierarchy.SetGlobalTransform(
			FRigElementKey(TEXT("upper_mid_space"), ERigElementType::Null), FTransform(FVector(-1, -1, -1)));
		EvaluateBendSolver(Unit, &Hierarchy, EBendEntry::Member);
		TArray<FTransform> Pose;
		for (const FName& Bone : Bones)
		{
			Pose.Add(BoneGlobal(Bone));
		}
		return Pose;
	}
};

TEST(BendDeformation, ASharedBoneTakesItsSolutionAsFirstBoneWhateverTheSegmentOrder)
{
	FTwoSegmentRig Rig;
	const TArray<FTransform> UpperFirst = Rig.Solve();
	Swap(Rig.Unit.Segments[0], Rig.Unit.Segments[1]);
	const TArray<FTransform> LowerFirst = Rig.Solve();
	for (int32 Bone = 0; Bone < UpperFirst.Num(); ++Bone)
	{
		EXPECT_TRUE(SameTransform(UpperFirst[Bone], LowerFirst[Bone])) << Bone;
	}
	// The elbow bone is the lower segment's first bone: the shared elbow control's full 90 degree twist, aimed down
	// the forearm. As the upper segment's last bone it would only have moved.
	const FTransform Elbow = UpperFirst[2];
	FQuat Swing;
	FQuat Twist;
	Elbow.GetRotation().ToSwingTwist(FVector::XAxisVector, Swing, Twist);
	EXPECT_NEAR(TwistDegreesAboutX(Twist), 90.0, 1e-3);
	const FVector Forearm = UpperFirst[3].GetTranslation() - Elbow.GetTranslation();
	EXPECT_TRUE(Elbow.GetRotation().RotateVector(FVector::XAxisVector).Equals(Forearm.GetSafeNormal(), 1e-9));
	// The shared control moves both curves' shared end: the elbow rises by its 6 units.
	EXPECT_TRUE(Elbow.GetTranslation().Equals(FVector(20, 0, 6), 1e-5));
	// The upper bone halfway to the elbow gets half the elbow's twist; the wrist bone only moves.
	UpperFirst[1].GetRotation().ToSwingTwist(FVector::XAxisVector, Swing, Twist);
	EXPECT_NEAR(TwistDegreesAboutX(Twist), 45.0, 1e-3);
	EXPECT_TRUE(UpperFirst[4].GetRotation().Equals(FQuat::Identity, 1e-12));
}

TEST(BendDeformation, ASegmentThatFailsItsChecksHasNoEffectAndTheOthersGoOn)
{
	using FBreak = void (*)(FRigUnit_QVBendySolver&);
	const FBreak Breakages[] = {
		[](FRigUnit_QVBendySolver& Unit) { Unit.Segments[0].Handles.RemoveAt(1); },
		[](FRigUnit_QVBendySolver& Unit) { Unit.Segments[0].Parameters.RemoveAt(1); },
		[](FRigUnit_QVBendySolver& Unit) { Unit.Segments[0].Bones.SetNum(1); },
		[](FRigUnit_QVBendySolver& Unit) { Unit.SnapshotBones.Remove(Unit.Segments[0].Bones[0]); },
		// An interior bone without a base pose: the whole segment is skipped, before its handles place anything.
		[](FRigUnit_QVBendySolver& Unit) { Unit.SnapshotBones.Remove(Unit.Segments[0].Bones[1]); },
	};
	for (int32 Case = 0; Case < int32(std::size(Breakages)); ++Case)
	{
		FTwoSegmentRig Rig;
		const TArray<FTransform> Intact = Rig.Solve();
		EXPECT_TRUE(SameTransform(Rig.NullGlobal(TEXT("upper_mid_space")), FTransform(FVector(10, 0, 0))));
		EXPECT_GT(Intact[1].GetTranslation().Z, 1.0);

		Breakages[Case](Rig.Unit);
		const TArray<FTransform> Broken = Rig.Solve();
		// The upper arm is neither bent nor written, and its middle space is not placed.
		EXPECT_TRUE(SameTransform(Broken[1], FTransform(FVector(10, 0, 0)))) << Case;
		EXPECT_TRUE(SameTransform(Rig.NullGlobal(TEXT("upper_mid_space")), FTransform(FVector(-1, -1, -1)))) << Case;
		// The forearm is solved exactly as before.
		for (int32 Bone = 2; Bone < 5; ++Bone)
		{
			EXPECT_TRUE(SameTransform(Broken[Bone], Intact[Bone])) << Case << " bone " << Bone;
		}
	}
}

TEST(BendDeformation, ASegmentOfTwoHandlesIsNotDeformedButItsBonesAreCaptured)
{
	FBendSegmentRig Rig;
	Rig.Unit.Segments[0].Handles.RemoveAt(1);
	Rig.SetControlLocal(TEXT("handle_2"), FTransform(FVector(0, 0, 10)));
	Rig.Hierarchy.SetLocalTransform(FRigElementKey(Rig.Bones[3], ERigElementType::Bone), FTransform(FVector(12, 0, 0)));
	Rig.Evaluate();
	EXPECT_TRUE(SameTransform(Rig.BoneLocal(Rig.Bones[3]), FTransform(FVector(12, 0, 0))));
	EXPECT_TRUE(SameTransform(Rig.NullLocal(TEXT("QVBendBase_arm_3")), FTransform(FVector(12, 0, 0))));
}

TEST(BendDeformation, DegenerateLimbsAndHandlesNeverProduceNaN)
{
	{
		// Every bone on one point, a zero-scaled first bone, coincident handles, zero-scaled controls.
		FBendSegmentRig Rig;
		for (const FName& Bone : Rig.Bones)
		{
			Rig.SetBoneGlobal(Bone, FTransform(FQuat::Identity, FVector(5, 5, 5), FVector(0, 0, 0)));
		}
		for (FQVBendHandle& Handle : Rig.Unit.Segments[0].Handles)
		{
			Handle.Parameter = 0.5f;
		}
		Rig.SetControlLocal(Rig.HandleControl(1), FTransform(FQuat::Identity, FVector(0, 0, 4), FVector(0, 0, 0)));
		Rig.Evaluate();
		EXPECT_FALSE(AnyNaN(Rig));
	}
	{
		// Spaces authored with zero scale, and a limb whose setup has zero length.
		FBendSegmentRig Rig(3, true);
		for (int32 Handle = 0; Handle < 3; ++Handle)
		{
			Rig.Hierarchy.SetGlobalTransform(
				FRigElementKey(FName(FString::Printf(TEXT("handle_%d_space"), Handle)), ERigElementType::Null),
				FTransform(FQuat::Identity, FVector(3, 0, 0), FVector(0, 0, 0)), true);
		}
		for (const FName& Bone : Rig.Bones)
		{
			Rig.Hierarchy.SetGlobalTransform(
				FRigElementKey(Bone, ERigElementType::Bone), FTransform(FVector(1, 2, 3)), true);
		}
		Rig.Hierarchy.ResetPoseToInitial();
		Rig.SetControlLocal(TEXT("master"), FTransform(FRotator(10, 20, 30).Quaternion(), FVector(1, 2, 3)));
		Rig.SetControlLocal(Rig.HandleControl(2), TwistX(50));
		Rig.Evaluate();
		EXPECT_FALSE(AnyNaN(Rig));
	}
}
