// The rest spline IK unit on a rig: its four messages with the hierarchy left unchanged, restore mode, the weight
// blend and its clamps, and the write-back, through the member Execute and through its RigVM entry.
#include "QVRestSplineIK.h"
#include "RigUnit_QVRestSplineIK.h"
#include "SplineIKTestChains.h"

#include "RigVMCore/RigVMRegistry.h"
#include "Rigs/RigHierarchy.h"
#include "Rigs/RigHierarchyController.h"
#include "UObject/UnrealType.h"

#include <cmath>

using namespace QVSplineIKTest;

namespace
{
constexpr int32 NumJoints = 6;
constexpr int32 NumControls = 3;

// A curved chain of bones spine_0 > spine_1 > ... with a bone below its tip, three transform controls along it and
// one FK snapshot null per joint, posed away from the chain.
struct FSplineRig
{
	URigHierarchy Hierarchy;
	TArray<FRigElementKey> Joints;
	TArray<FRigElementKey> Controls;
	TArray<FRigElementKey> Snapshots;
	FRigElementKey TipChild;
	FRigUnit_QVRestSplineIK Unit;
	FRigVMLog Log;

	FSplineRig()
	{
		URigHierarchyController* Controller = Hierarchy.GetController();
		const TArray<FTransform> Chain = CurvedChain(NumJoints);
		FRigElementKey Parent;
		for (int32 Index = 0; Index < NumJoints; ++Index)
		{
			Parent = Controller->AddBone(*FString::Printf(TEXT("spine_%d"), Index), Parent, Chain[Index]);
			Joints.Add(Parent);
		}
		TipChild = Controller->AddBone(TEXT("tip_child"), Parent, FTransform(FVector(0, 0, 3)), false);
		FRigControlSettings Settings;
		Settings.ControlType = ERigControlType::Transform;
		for (const FTransform& Control : ControlsAlong(Chain, NumControls))
		{
			Controls.Add(Controller->AddControl(*FString::Printf(TEXT("spine_ctrl_%d"), Controls.Num()),
				FRigElementKey(), Settings, FRigControlValue::Make<FTransform>(Control)));
		}
		for (int32 Index = 0; Index < NumJoints; ++Index)
		{
			const FTransform Snapshot(FRotator(5.0 * Index, -10, 20), FVector(100 + Index, 3 * Index, -4));
			Snapshots.Add(Controller->AddNull(*FString::Printf(TEXT("fk_%d"), Index), FRigElementKey(), Snapshot));
		}
		Unit.Items = Joints;
		Unit.Controls = Controls;
		Unit.FKPose = Snapshots;
	}

	void MoveControl(int32 Index, const FTransform& Motion)
	{
		const FTransform Current = Hierarchy.GetGlobalTransform(Controls[Index]);
		Hierarchy.SetControlValue(Controls[Index], FRigControlValue::Make<FTransform>(Current * Motion));
	}

	void Execute()
	{
		FControlRigExecuteContext Context;
		Context.Hierarchy = &Hierarchy;
		Context.SetLog(&Log);
		Unit.Execute(Context);
	}

	// Runs the unit through its registered RigVM function, with one memory handle per pin as a rig graph has.
	void ExecuteThroughRigVM()
	{
		const UScriptStruct* Struct = FRigUnit_QVRestSplineIK::StaticStruct();
		const FRigVMFunction* Function =
			FRigVMRegistry_RWLock::Get().FindFunction(TEXT("FRigUnit_QVRestSplineIK::Execute"));
		ASSERT_NE(Function, nullptr);
		TArray<FRigVMMemoryHandle> Handles;
		for (const FRigVMFunctionArgument& Argument : Function->Arguments)
		{
			const FProperty* Pin = Struct->FindPropertyByName(FName(Argument.Name));
			ASSERT_NE(Pin, nullptr);
			Handles.Add(FRigVMMemoryHandle(Pin->ContainerPtrToValuePtr<uint8>(&Unit)));
		}
		FRigVMExtendedExecuteContext Context;
		Context.Initialize(FControlRigExecuteContext::StaticStruct());
		Context.GetPublicData<FControlRigExecuteContext>().Hierarchy = &Hierarchy;
		Context.GetPublicData<FControlRigExecuteContext>().SetLog(&Log);
		Function->FunctionPtr(Context, Handles, FRigVMPredicateBranchArray());
	}

	// Every element's current global transform.
	TArray<FTransform> CurrentPose() const
	{
		TArray<FTransform> Pose;
		for (const FRigElementKey& Key : Hierarchy.GetAllKeys())
		{
			Pose.Add(Hierarchy.GetGlobalTransform(Key));
		}
		return Pose;
	}

	TArray<FTransform> Globals(const TArray<FRigElementKey>& Keys, bool bInitial) const
	{
		TArray<FTransform> Transforms;
		for (const FRigElementKey& Key : Keys)
		{
			Transforms.Add(Hierarchy.GetGlobalTransform(Key, bInitial));
		}
		return Transforms;
	}

	// What the solve makes of the rig as it stands.
	TArray<FTransform> Solve() const
	{
		TArray<FTransform> Solved;
		FControlRigSpline Spline;
		TArray<FTransform> PathFrames;
		TArray<FTransform> JointOffsets;
		EXPECT_TRUE(QVRestSplineIK::Solve(Globals(Joints, true), Globals(Controls, true), Globals(Controls, false),
			Solved, Spline, PathFrames, JointOffsets, Unit.Stretch));
		return Solved;
	}

	TArray<FString> Messages() const
	{
		TArray<FString> Texts;
		for (const FRigVMLog::FLogEntry& Entry : Log.Entries)
		{
			EXPECT_EQ(Entry.Severity, EMessageSeverity::Warning);
			Texts.Add(Entry.Message);
		}
		return Texts;
	}
};

void ExpectSamePose(const TArray<FTransform>& Actual, const TArray<FTransform>& Expected, double Tolerance)
{
	ASSERT_EQ(Actual.Num(), Expected.Num());
	for (int32 Index = 0; Index < Actual.Num(); ++Index)
	{
		EXPECT_TRUE(TransformNear(Actual[Index], Expected[Index], Tolerance, Tolerance, Tolerance)) << Index;
	}
}

const TArray<FTransform> SentinelFrames = {FTransform(FVector(7, 7, 7))};
} // namespace

TEST(RestSplineIKUnit, EachFailureReportsItsMessageAndChangesNothing)
{
	const FString Requires = TEXT("QV Rest Spline IK requires joints, ordered controls and matching FK snapshots.");
	const FString JointMissing = TEXT("QV Rest Spline IK joint or FK snapshot is missing.");
	const FString ControlMissing = TEXT("QV Rest Spline IK control is missing.");
	const FString CannotSolve = TEXT("QV Rest Spline IK cannot solve a zero-length or invalid chain.");
	const FRigElementKey Nowhere(TEXT("nowhere"), ERigElementType::Bone);

	struct FCase
	{
		const TCHAR* Name;
		TFunction<void(FSplineRig&)> Break;
		FString Message;
	};
	const FCase Cases[] = {
		{TEXT("one joint"),
			[](FSplineRig& Rig)
			{
				Rig.Unit.Items.SetNum(1);
				Rig.Unit.FKPose.SetNum(1);
			},
			Requires},
		{TEXT("one control"), [](FSplineRig& Rig) { Rig.Unit.Controls.SetNum(1); }, Requires},
		{TEXT("one snapshot short"), [](FSplineRig& Rig) { Rig.Unit.FKPose.Pop(); }, Requires},
		{TEXT("counts come first"),
			[Nowhere](FSplineRig& Rig)
			{
				Rig.Unit.FKPose.Pop();
				Rig.Unit.Controls[1] = Nowhere;
			},
			Requires},
		{TEXT("missing joint"), [Nowhere](FSplineRig& Rig) { Rig.Unit.Items[3] = Nowhere; }, JointMissing},
		{TEXT("missing snapshot"), [Nowhere](FSplineRig& Rig) { Rig.Unit.FKPose[2] = Nowhere; }, JointMissing},
		{TEXT("missing control"), [Nowhere](FSplineRig& Rig) { Rig.Unit.Controls[2] = Nowhere; }, ControlMissing},
		{TEXT("joints before controls"),
			[Nowhere](FSplineRig& Rig)
			{
				Rig.Unit.Controls[0] = Nowhere;
				Rig.Unit.FKPose.Last() = Nowhere;
			},
			JointMissing},
		{TEXT("zero-length chain"),
			[](FSplineRig& Rig)
			{
				for (int32 Index = 1; Index < Rig.Unit.Items.Num(); ++Index)
				{
					Rig.Unit.Items[Index] = Rig.Unit.Items[0];
				}
			},
			CannotSolve},
	};
	for (const FCase& Case : Cases)
	{
		FSplineRig Rig;
		Rig.MoveControl(1, FTransform(FVector(0, 10, 0)));
		Rig.Unit.PathFrames = Rig.Unit.JointOffsets = SentinelFrames;
		Case.Break(Rig);
		const TArray<FTransform> Before = Rig.CurrentPose();
		Rig.Execute();
		EXPECT_EQ(Rig.Messages(), TArray<FString>({Case.Message})) << Case.Name;
		ExpectSamePose(Rig.CurrentPose(), Before, 0.0);
		ExpectSamePose(Rig.Unit.PathFrames, SentinelFrames, 0.0);
		ExpectSamePose(Rig.Unit.JointOffsets, SentinelFrames, 0.0);
		EXPECT_FALSE(Rig.Unit.Spline.SplineData.IsValid()) << Case.Name;
	}

	// Without a hierarchy the unit returns at once.
	FSplineRig Rig;
	const TArray<FTransform> Before = Rig.CurrentPose();
	Rig.Unit.Execute();
	ExpectSamePose(Rig.CurrentPose(), Before, 0.0);
	EXPECT_TRUE(Rig.Unit.PathFrames.IsEmpty());
}

TEST(RestSplineIKUnit, RestoreModeResetsTheResolvableJointsToTheirInitialLocalTransforms)
{
	const FRigElementKey Nowhere(TEXT("nowhere"), ERigElementType::Bone);
	const TArray<TArray<FRigElementKey>> FKPoses = {{}, {Nowhere}};
	for (const TArray<FRigElementKey>& FKPose : FKPoses)
	{
		FSplineRig Rig;
		// Last frame's solve left the joints stretched and turned.
		for (const FRigElementKey& Joint : Rig.Joints)
		{
			FTransform Local = Rig.Hierarchy.GetLocalTransform(Joint);
			Local.SetScale3D(FVector(1.5));
			Local.AddToTranslation(FVector(1, 2, 3));
			Rig.Hierarchy.SetLocalTransform(Joint, Local);
		}
		Rig.Unit.bRestoreFK = true;
		Rig.Unit.Items = {Rig.Joints[1], Nowhere, Rig.Joints[3], Rig.Controls[0]};
		Rig.Unit.Controls = {};
		Rig.Unit.FKPose = FKPose;
		Rig.Unit.PathFrames = SentinelFrames;
		Rig.MoveControl(0, FTransform(FVector(0, 0, 5)));
		const FTransform MovedControl = Rig.Hierarchy.GetLocalTransform(Rig.Controls[0]);
		const FTransform Joint2 = Rig.Hierarchy.GetLocalTransform(Rig.Joints[2]);

		Rig.Execute();
		EXPECT_TRUE(Rig.Messages().IsEmpty());
		for (const int32 Index : {1, 3})
		{
			EXPECT_TRUE(Rig.Hierarchy.GetLocalTransform(Rig.Joints[Index])
							.Equals(Rig.Hierarchy.GetLocalTransform(Rig.Joints[Index], true), 0.0))
				<< Index;
		}
		// A control listed among the items is a transform element too, and is reset alike.
		EXPECT_FALSE(Rig.Hierarchy.GetLocalTransform(Rig.Controls[0]).Equals(MovedControl, 1e-6));
		// Joints not listed keep their local transforms; children follow their parents.
		EXPECT_TRUE(Rig.Hierarchy.GetLocalTransform(Rig.Joints[2]).Equals(Joint2, 1e-9));
		ExpectSamePose(Rig.Unit.PathFrames, SentinelFrames, 0.0);
		EXPECT_FALSE(Rig.Unit.Spline.SplineData.IsValid());
	}
}

TEST(RestSplineIKUnit, WeightBlendsFromTheSnapshotsToTheSolvedChain)
{
	struct FCase
	{
		float Weight;
		// 0: the snapshots, 1: the solve, otherwise the blend at this alpha.
		float Alpha;
	};
	const FCase Cases[] = {{0.f, 0.f}, {1.f, 1.f}, {-3.f, 0.f}, {7.f, 1.f}, {std::nanf(""), 1.f}, {0.25f, 0.25f}};
	for (const FCase& Case : Cases)
	{
		FSplineRig Rig;
		Rig.MoveControl(1, FTransform(FRotator(10, 20, 0), FVector(0, 8, 2)));
		Rig.MoveControl(2, FTransform(FVector(4, 0, -3)));
		Rig.Unit.Weight = Case.Weight;
		Rig.Unit.Stretch = 0.5f;
		const TArray<FTransform> Snapshots = Rig.Globals(Rig.Snapshots, false);
		const TArray<FTransform> Solved = Rig.Solve();
		TArray<FTransform> Expected;
		for (int32 Index = 0; Index < NumJoints; ++Index)
		{
			FTransform Blended;
			Blended.Blend(Snapshots[Index], Solved[Index], Case.Alpha);
			Expected.Add(Blended);
		}

		Rig.Execute();
		EXPECT_TRUE(Rig.Messages().IsEmpty());
		SCOPED_TRACE(testing::Message() << "weight " << Case.Weight);
		ExpectSamePose(Rig.Globals(Rig.Joints, false), Expected, 1e-9);
		EXPECT_EQ(Rig.Unit.PathFrames.Num(), NumJoints);
		EXPECT_EQ(Rig.Unit.JointOffsets.Num(), NumJoints);
		// Joints are written with affect children: the bone below the tip moves with it.
		const FTransform TipChild = Rig.Hierarchy.GetGlobalTransform(Rig.TipChild);
		EXPECT_TRUE(TipChild.Equals(FTransform(FVector(0, 0, 3)) * Expected.Last(), 1e-9));
	}
}

TEST(RestSplineIKUnit, WithTheControlsAtRestTheJointsReturnToTheirInitialPose)
{
	for (const bool bThroughRigVM : {false, true})
	{
		FSplineRig Rig;
		for (const FRigElementKey& Joint : Rig.Joints)
		{
			Rig.Hierarchy.SetGlobalTransform(Joint, FTransform(FRotator(30, 0, 0), FVector(1, 1, 1)), false);
		}
		if (bThroughRigVM)
		{
			Rig.ExecuteThroughRigVM();
		}
		else
		{
			Rig.Execute();
		}
		EXPECT_TRUE(Rig.Messages().IsEmpty());
		ExpectSamePose(Rig.Globals(Rig.Joints, false), Rig.Globals(Rig.Joints, true), 0.001);
		// The output pins hold the last solve.
		EXPECT_TRUE(Rig.Unit.Spline.SplineData.IsValid());
		EXPECT_EQ(Rig.Unit.PathFrames.Num(), NumJoints);
		EXPECT_EQ(Rig.Unit.JointOffsets.Num(), NumJoints);
	}
}
