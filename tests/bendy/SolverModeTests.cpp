// The unit's modes and its pose records: restore, capture with and without records, deformation, the parent-first
// write-back, and placements of the unit that run one after another, frame after frame.
#include "BendTestRig.h"

namespace
{
// The segment rig with its bones off the setup pose (and off their records), its middle handle raised.
struct FModeRig : FBendSegmentRig
{
	FModeRig()
	{
		Hierarchy.SetLocalTransform(FRigElementKey(Bones[1], ERigElementType::Bone), FTransform(FVector(10, 2, 0)));
		Hierarchy.SetLocalTransform(FRigElementKey(Bones[3], ERigElementType::Bone), FTransform(FVector(12, 0, 0)));
		SetControlLocal(HandleControl(1), FTransform(FVector(0, 0, 8)));
		// A record that differs from its bone's setup, so restoring shows.
		Hierarchy.SetLocalTransform(FRigElementKey(TEXT("QVBendBase_arm_2"), ERigElementType::Null),
			FTransform(FRotator(0, 10, 0).Quaternion(), FVector(10, 0, 1)));
	}

	FTransform Record(int32 Bone) const { return NullLocal(FName(TEXT("QVBendBase_") + Bones[Bone].ToString())); }
};

FRigUnit_QVBendySolver WithFlags(FRigUnit_QVBendySolver Unit, bool bRestore, bool bCaptureOnly, bool bCaptureBase)
{
	Unit.bRestore = bRestore;
	Unit.bCaptureOnly = bCaptureOnly;
	Unit.bCaptureBase = bCaptureBase;
	return Unit;
}
} // namespace

TEST_P(BendEntries, RestoreBringsEachSnapshotBoneBackToItsRecordAndDoesNothingElse)
{
	FModeRig Rig;
	// A bone without a record, listed among the snapshot bones with one that does not exist.
	const FRigElementKey Extra = Rig.Controller->AddBone(
		TEXT("extra"), FRigElementKey(Rig.Bones[4], ERigElementType::Bone), FTransform(FVector(0, 3, 0)), false);
	Rig.Hierarchy.SetLocalTransform(Extra, FTransform(FVector(0, 4, 0)));
	Rig.Hierarchy.SetGlobalTransform(
		FRigElementKey(TEXT("handle_1_space"), ERigElementType::Null), FTransform(FVector(0, 9, 9)));
	FRigUnit_QVBendySolver Unit = WithFlags(Rig.Unit, true, false, true);
	Unit.SnapshotBones.Add(TEXT("extra"));
	Unit.SnapshotBones.Insert(TEXT("no_such_bone"), 2);
	EvaluateBendSolver(Unit, &Rig.Hierarchy, GetParam());
	for (int32 Bone = 0; Bone < 5; ++Bone)
	{
		EXPECT_TRUE(SameTransform(Rig.BoneLocal(Rig.Bones[Bone]), Rig.Record(Bone))) << Bone;
	}
	EXPECT_TRUE(
		SameTransform(Rig.BoneLocal(Rig.Bones[2]), FTransform(FRotator(0, 10, 0).Quaternion(), FVector(10, 0, 1))));
	EXPECT_TRUE(SameTransform(Rig.Hierarchy.GetLocalTransform(Extra), FTransform(FVector(0, 4, 0))));
	// Segments are ignored: no space is placed.
	EXPECT_TRUE(SameTransform(Rig.NullGlobal(TEXT("handle_1_space")), FTransform(FVector(0, 9, 9))));
}

TEST_P(BendEntries, CaptureWritesTheRecordsFromTheCurrentLocalPoseAndStops)
{
	FModeRig Rig;
	const TArray<FTransform> Before = Rig.CapturePose();
	FRigUnit_QVBendySolver Unit = WithFlags(Rig.Unit, false, true, true);
	EvaluateBendSolver(Unit, &Rig.Hierarchy, GetParam());
	for (int32 Bone = 0; Bone < 5; ++Bone)
	{
		EXPECT_TRUE(SameTransform(Rig.Record(Bone), Rig.BoneLocal(Rig.Bones[Bone]))) << Bone;
	}
	// Apart from the records, nothing changed.
	const TArray<FTransform> After = Rig.CapturePose();
	for (int32 Element = 0; Element < Rig.Hierarchy.Num(); ++Element)
	{
		if (!Rig.Hierarchy.GetKey(Element).Name.ToString().StartsWith(TEXT("QVBendBase_")))
		{
			EXPECT_TRUE(SameTransform(After[2 * Element], Before[2 * Element])) << Element;
			EXPECT_TRUE(SameTransform(After[2 * Element + 1], Before[2 * Element + 1])) << Element;
		}
	}
}

TEST_P(BendEntries, CaptureOnlyWithoutRecordsLeavesTheHierarchyBitForBitUnchanged)
{
	FModeRig Rig;
	Rig.Hierarchy.SetGlobalTransform(
		FRigElementKey(TEXT("handle_1_space"), ERigElementType::Null), FTransform(FVector(0, 9, 9)));
	const TArray<FTransform> Before = Rig.CapturePose();
	FRigUnit_QVBendySolver Unit = WithFlags(Rig.Unit, false, true, false);
	EvaluateBendSolver(Unit, &Rig.Hierarchy, GetParam());
	const TArray<FTransform> After = Rig.CapturePose();
	ASSERT_EQ(After.Num(), Before.Num());
	for (int32 Index = 0; Index < Before.Num(); ++Index)
	{
		EXPECT_TRUE(SameTransform(After[Index], Before[Index])) << Index;
	}
}

TEST_P(BendEntries, DeformingWritesRecordsOnlyWhenAskedTo)
{
	for (const bool bCaptureBase : {true, false})
	{
		FModeRig Rig;
		const FTransform RecordBefore = Rig.Record(2);
		const FTransform LocalBefore = Rig.BoneLocal(Rig.Bones[2]);
		FRigUnit_QVBendySolver Unit = WithFlags(Rig.Unit, false, false, bCaptureBase);
		EvaluateBendSolver(Unit, &Rig.Hierarchy, GetParam());
		// The records hold the pre-deformation pose, or are untouched; the bones are bent either way.
		EXPECT_TRUE(SameTransform(Rig.Record(2), bCaptureBase ? LocalBefore : RecordBefore)) << bCaptureBase;
		EXPECT_GT(Rig.BoneGlobal(Rig.Bones[2]).GetTranslation().Z, 4.0) << bCaptureBase;
	}
}

TEST_P(BendEntries, RestoreCaptureAndDeformEachFrameNeverBuildOnThemselves)
{
	// The three placements a rig has: restore, pre-twist capture, deformation; here over five frames without any
	// reset of the pose in between, as a rig's hierarchy carries its pose from one evaluation to the next.
	FModeRig Rig;
	Rig.Hierarchy.SetLocalTransform(FRigElementKey(TEXT("QVBendBase_arm_2"), ERigElementType::Null),
		Rig.Hierarchy.GetLocalTransform(FRigElementKey(Rig.Bones[2], ERigElementType::Bone)));
	FRigUnit_QVBendySolver Restore = WithFlags(Rig.Unit, true, false, true);
	FRigUnit_QVBendySolver Capture = WithFlags(Rig.Unit, false, true, true);
	FRigUnit_QVBendySolver Deform = WithFlags(Rig.Unit, false, false, false);
	TArray<FTransform> First;
	for (int32 Frame = 0; Frame < 5; ++Frame)
	{
		EvaluateBendSolver(Restore, &Rig.Hierarchy, GetParam());
		EvaluateBendSolver(Capture, &Rig.Hierarchy, GetParam());
		EvaluateBendSolver(Deform, &Rig.Hierarchy, GetParam());
		const TArray<FTransform> Pose = Rig.CapturePose();
		if (Frame == 0)
		{
			First = Pose;
			continue;
		}
		for (int32 Index = 0; Index < Pose.Num(); ++Index)
		{
			EXPECT_TRUE(TransformsNear(Pose[Index], First[Index], 1e-9)) << "frame " << Frame << ", " << Index;
		}
	}

	// Without the restore, each frame's deformed pose is the next frame's base: the bend grows.
	FModeRig Drifting;
	FRigUnit_QVBendySolver DeformAndRecord = WithFlags(Drifting.Unit, false, false, true);
	EvaluateBendSolver(DeformAndRecord, &Drifting.Hierarchy, GetParam());
	const double FirstHeight = Drifting.BoneGlobal(Drifting.Bones[2]).GetTranslation().Z;
	EvaluateBendSolver(DeformAndRecord, &Drifting.Hierarchy, GetParam());
	EXPECT_GT(Drifting.BoneGlobal(Drifting.Bones[2]).GetTranslation().Z, FirstHeight + 1.0);
}

TEST(BendSolverModes, AChildListedBeforeItsParentIsMovedAgainByIt)
{
	FModeRig ParentFirst;
	ParentFirst.Evaluate();

	// arm_2 is listed before its parent arm_1: it reaches its solved transform, then arm_1's write carries it off.
	FModeRig ChildFirst;
	Swap(ChildFirst.Unit.SnapshotBones[1], ChildFirst.Unit.SnapshotBones[2]);
	ChildFirst.Evaluate();

	for (const int32 Bone : {0, 1, 3, 4})
	{
		EXPECT_TRUE(SameTransform(
			ParentFirst.BoneGlobal(ParentFirst.Bones[Bone]), ChildFirst.BoneGlobal(ChildFirst.Bones[Bone])))
			<< Bone;
	}
	EXPECT_FALSE(
		TransformsNear(ParentFirst.BoneGlobal(ParentFirst.Bones[2]), ChildFirst.BoneGlobal(ChildFirst.Bones[2]), 1e-3));
}

TEST(BendSolverModes, ARepeatedSnapshotBoneAndAnEmptyListAreHarmless)
{
	FModeRig Once;
	Once.Evaluate();
	FModeRig Twice;
	Twice.Unit.SnapshotBones.Insert(Twice.Bones[2], 3);
	Twice.Evaluate();
	for (int32 Bone = 0; Bone < 5; ++Bone)
	{
		EXPECT_TRUE(SameTransform(Once.BoneGlobal(Once.Bones[Bone]), Twice.BoneGlobal(Twice.Bones[Bone]))) << Bone;
	}

	// Nothing listed: nothing captured, every segment skipped, nothing written; a restore does nothing either.
	for (const bool bRestore : {false, true})
	{
		FModeRig Empty;
		Empty.Unit.SnapshotBones.Reset();
		Empty.Unit.bRestore = bRestore;
		const TArray<FTransform> Before = Empty.CapturePose();
		Empty.Evaluate();
		const TArray<FTransform> After = Empty.CapturePose();
		for (int32 Index = 0; Index < Before.Num(); ++Index)
		{
			EXPECT_TRUE(SameTransform(After[Index], Before[Index])) << bRestore << " " << Index;
		}
	}
}

TEST(BendSolverModes, WithoutAHierarchyTheUnitReturnsAtOnce)
{
	FModeRig Rig;
	EvaluateBendSolver(Rig.Unit, nullptr, EBendEntry::Member);
	EvaluateBendSolver(Rig.Unit, nullptr, EBendEntry::RigVM);
	Rig.Unit.Execute();
	EXPECT_TRUE(SameTransform(Rig.Record(2), FTransform(FRotator(0, 10, 0).Quaternion(), FVector(10, 0, 1))));
}

TEST(BendSolverModes, WithoutPoseRecordsCaptureStillTakesTheBasePoses)
{
	// The segment rig's bones, handles and unit, but no "QVBendBase_" nulls at all.
	FBendTestRig Bare;
	const TArray<FName> Bones = Bare.AddChain(TEXT("arm"), 5, FTransform::Identity, 10.0);
	for (int32 Handle = 0; Handle < 3; ++Handle)
	{
		Bare.AddHandleControl(FName(FString::Printf(TEXT("handle_%d"), Handle)),
			FName(FString::Printf(TEXT("handle_%d_space"), Handle)), FTransform(FVector(20.0 * Handle, 0, 0)));
	}
	Bare.SetControlLocal(TEXT("handle_1"), FTransform(FVector(0, 0, 8)));
	FRigUnit_QVBendySolver Unit = FBendSegmentRig().Unit;
	EvaluateBendSolver(Unit, &Bare.Hierarchy, EBendEntry::Member);
	EXPECT_GT(Bare.BoneGlobal(Bones[2]).GetTranslation().Z, 4.0);
	EXPECT_EQ(Bare.Hierarchy.Num(ERigElementType::Null), 3);
}
