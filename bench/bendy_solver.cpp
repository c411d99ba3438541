// The bend solver through its registered RigVM entry on two arms and two legs: four segments of five bones, each with
// five handles and a master, every handle control animated; and the floor of its deformation.
#include "CoreMinimal.h"
#include "QVBendHandleFrames.h"
#include "QVBendSegmentDeformer.h"
#include "RigUnit_QVBendySolver.h"
#include "RigVMCore/RigVMRegistry.h"
#include "Rigs/RigHierarchy.h"
#include "Rigs/RigHierarchyController.h"
#include "UObject/UnrealType.h"
#include "Units/RigUnitContext.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace
{
// A body: a pelvis bone with four limbs, each a chain of five bones whose X axes run along the limb, the pose records
// of all twenty bones, and per limb five handle controls under their space nulls and a master under its space.
struct FBenchBody
{
	URigHierarchy Hierarchy;
	TArray<FQVBendSegment> Segments;
	TArray<FName> SnapshotBones;
	TArray<FRigElementKey> AnimatedControls;

	FBenchBody()
	{
		URigHierarchyController* Controller = Hierarchy.GetController();
		const FRigElementKey Pelvis =
			Controller->AddBone(TEXT("pelvis"), FRigElementKey(), FTransform(FVector(0, 0, 100)));
		const FTransform LimbRoots[] = {
			FTransform(FRotator(0, 90, 0).Quaternion(), FVector(0, 20, 150)),
			FTransform(FRotator(0, -90, 0).Quaternion(), FVector(0, -20, 150)),
			FTransform(FRotator(-90, 0, 0).Quaternion(), FVector(0, 10, 95)),
			FTransform(FRotator(-90, 0, 0).Quaternion(), FVector(0, -10, 95)),
		};
		FRigControlSettings Settings;
		Settings.ControlType = ERigControlType::EulerTransform;
		for (int32 Limb = 0; Limb < 4; ++Limb)
		{
			FQVBendSegment Segment;
			FRigElementKey Parent = Pelvis;
			for (int32 Bone = 0; Bone < 5; ++Bone)
			{
				const FName Name(FString::Printf(TEXT("limb%d_bone%d"), Limb, Bone));
				Parent = Bone == 0 ? Controller->AddBone(Name, Parent, LimbRoots[Limb], true)
								   : Controller->AddBone(Name, Parent, FTransform(FVector(8, 0, 0)), false);
				Controller->AddNull(FName(TEXT("QVBendBase_") + Name.ToString()), FRigElementKey(),
					Hierarchy.GetLocalTransform(Parent, true), false);
				Segment.Bones.Add(Name);
				Segment.Parameters.Add(Bone * 0.25f);
				SnapshotBones.Add(Name);
			}
			const auto AddHandle = [&](const FString& Control, float Parameter)
			{
				const FName SpaceName(Control + TEXT("_space"));
				const FTransform OnLimb(
					LimbRoots[Limb].GetRotation(), LimbRoots[Limb].TransformPosition(FVector(32.0 * Parameter, 0, 0)));
				const FRigElementKey Space = Controller->AddNull(SpaceName, FRigElementKey(), OnLimb, true);
				AnimatedControls.Add(Controller->AddControl(FName(Control), Space, Settings,
					FRigControlValue::Make<FEulerTransform>(FEulerTransform::Identity)));
				FQVBendHandle Handle;
				Handle.Control = FName(Control);
				Handle.Space = SpaceName;
				Handle.Parameter = Parameter;
				return Handle;
			};
			for (int32 Handle = 0; Handle < 5; ++Handle)
			{
				Segment.Handles.Add(AddHandle(FString::Printf(TEXT("limb%d_bend%d"), Limb, Handle), Handle * 0.25f));
			}
			const FQVBendHandle Master = AddHandle(FString::Printf(TEXT("limb%d_master"), Limb), 0.5f);
			Segment.Master = Master.Control;
			Segment.MasterSpace = Master.Space;
			Segments.Add(Segment);
		}
	}

	// Every handle and master control bent, twisted and scaled a little differently on each call.
	void Animate(int32 Step)
	{
		const double Phase = (Step % 64) / 64.0 * 2.0 * UE_DOUBLE_PI;
		for (int32 Index = 0; Index < AnimatedControls.Num(); ++Index)
		{
			const double Wave = std::sin(Phase + Index);
			const FEulerTransform Value(FVector(0, 2.0 * Wave, 3.0 * Wave), FRotator(5.0 * Wave, 0, 30.0 * Wave),
				FVector(1, 1.0 + 0.2 * Wave, 1.0 - 0.1 * Wave));
			Hierarchy.SetControlValue(AnimatedControls[Index], FRigControlValue::Make<FEulerTransform>(Value));
		}
	}
};

// One placement of the unit in a graph: its pin memory and the RigVM function it runs through.
struct FBenchPlacement
{
	FRigUnit_QVBendySolver Unit;
	TArray<FRigVMMemoryHandle> Handles;

	FBenchPlacement(const FBenchBody& Body, bool bRestore, bool bCaptureOnly, bool bCaptureBase)
	{
		Unit.bRestore = bRestore;
		Unit.bCaptureOnly = bCaptureOnly;
		Unit.bCaptureBase = bCaptureBase;
		Unit.Segments = Body.Segments;
		Unit.SnapshotBones = Body.SnapshotBones;
		for (TFieldIterator<FProperty> It(FRigUnit_QVBendySolver::StaticStruct(), EFieldIteratorFlags::ExcludeSuper);
			 It; ++It)
		{
			Handles.Add(FRigVMMemoryHandle(It->ContainerPtrToValuePtr<uint8>(&Unit)));
		}
	}

	void Run(FRigVMExtendedExecuteContext& Context)
	{
		static const FRigVMFunction* Function = (FRigUnit_QVBendySolver::StaticStruct(),
			FRigVMRegistry_RWLock::Get().FindFunction(TEXT("FRigUnit_QVBendySolver::Execute")));
		Function->FunctionPtr(Context, FRigVMMemoryHandleArray(Handles), FRigVMPredicateBranchArray());
	}
};

FRigVMExtendedExecuteContext MakeContext(URigHierarchy& Hierarchy)
{
	FRigVMExtendedExecuteContext Context(FControlRigExecuteContext::StaticStruct());
	Context.GetPublicData<FControlRigExecuteContext>().Hierarchy = &Hierarchy;
	return Context;
}
} // namespace

// What every frame does before the unit runs: bones back to their input (setup) pose, handle controls animated.
static void BM_BendySolver_FrameStartOnly(benchmark::State& State)
{
	FBenchBody Body;
	int32 Step = 0;
	for (auto _ : State)
	{
		Body.Hierarchy.ResetPoseToInitial(ERigElementType::Bone);
		Body.Animate(Step++);
	}
}
BENCHMARK(BM_BendySolver_FrameStartOnly);

// The frame start, then one deforming evaluation with the default pins: base poses captured and recorded, four
// segments bent, twenty bones written back.
static void BM_BendySolver_4Segments(benchmark::State& State)
{
	FBenchBody Body;
	FBenchPlacement Deform(Body, false, false, true);
	FRigVMExtendedExecuteContext Context = MakeContext(Body.Hierarchy);
	int32 Step = 0;
	for (auto _ : State)
	{
		Body.Hierarchy.ResetPoseToInitial(ERigElementType::Bone);
		Body.Animate(Step++);
		Deform.Run(Context);
	}
}
BENCHMARK(BM_BendySolver_4Segments);

// The three placements a rig has, each frame: restore from the records, pre-twist capture, deformation.
static void BM_BendySolver_4Segments_RestoreCaptureDeform(benchmark::State& State)
{
	FBenchBody Body;
	FBenchPlacement Restore(Body, true, false, true);
	FBenchPlacement Capture(Body, false, true, true);
	FBenchPlacement Deform(Body, false, false, false);
	FRigVMExtendedExecuteContext Context = MakeContext(Body.Hierarchy);
	int32 Step = 0;
	for (auto _ : State)
	{
		Body.Hierarchy.ResetPoseToInitial(ERigElementType::Bone);
		Body.Animate(Step++);
		Restore.Run(Context);
		Capture.Run(Context);
		Deform.Run(Context);
	}
}
BENCHMARK(BM_BendySolver_4Segments_RestoreCaptureDeform);

// The floor of the deformation: each segment's master curve bending its interior handles
// (QVBendHandleFrames::BendInteriorHandles) and its own curve and bone solve (QVBendSegmentDeformer::SolveBones), on
// the segment's ends, base poses and handle frames gathered beforehand for 64 animated frames, with no hierarchy, no
// look-ups and no writes. The handles' rest and animated frames (a few transform products per handle) are gathered,
// not timed.
static void BM_BendySolver_4Segments_Floor(benchmark::State& State)
{
	FBenchBody Body;
	FQVBendEvaluation Gathering(Body.Hierarchy);
	for (const FName& Bone : Body.SnapshotBones)
	{
		Gathering.BasePoses.Add(Bone, Body.Hierarchy.GetGlobalTransform(FRigElementKey(Bone, ERigElementType::Bone)));
	}
	struct FGatheredSegment
	{
		FVector Start;
		FVector End;
		FQVBendHandleFrames Handles;
		FTransform MasterRest;
		FTransform MasterLocal;
	};
	constexpr int32 NumFrames = 64;
	const int32 NumSegments = Body.Segments.Num();
	TArray<TArray<FTransform>> Bases;
	for (const FQVBendSegment& Segment : Body.Segments)
	{
		TArray<FTransform>& SegmentBases = Bases.AddDefaulted_GetRef();
		for (const FName& Bone : Segment.Bones)
		{
			SegmentBases.Add(Gathering.BasePoses.FindChecked(Bone));
		}
	}
	TArray<FGatheredSegment> Gathered;
	for (int32 Frame = 0; Frame < NumFrames; ++Frame)
	{
		Body.Animate(Frame);
		Gathering.PlacedSpaces.Reset();
		Gathering.HandleRestCache.Reset();
		QVBendHandleFrames::FillHandleRestCache(Gathering, Body.Segments);
		for (const FQVBendSegment& Segment : Body.Segments)
		{
			FQVBendSegmentEnds Ends;
			QVBendHandleFrames::GatherSegmentEnds(Gathering, Segment, Ends);
			QVBendHandleFrames::RunHandlePass(Gathering, Segment, Ends);
			FQVBendHandle Master;
			Master.Control = Segment.Master;
			Master.Parameter = Segment.MasterParameter;
			Gathered.Add({Ends.Start.GetTranslation(), Ends.End.GetTranslation(), Gathering.Handles,
				QVBendHandleFrames::EvaluateHandleRest(Body.Hierarchy, Ends, Master),
				QVBendRigAccess::ReadControlLocal(Body.Hierarchy, Segment.Master)});
		}
	}

	FQVBendSolveScratch Scratch;
	int32 Frame = 0;
	for (auto _ : State)
	{
		for (int32 Index = 0; Index < NumSegments; ++Index)
		{
			const FQVBendSegment& Segment = Body.Segments[Index];
			FGatheredSegment& Input = Gathered[Frame * NumSegments + Index];
			QVBendHandleFrames::BendInteriorHandles(
				Input.Start, Input.End, Input.MasterRest, Input.MasterLocal, Input.Handles, Scratch);
			QVBendSegmentDeformer::SolveBones({Input.Start, Input.End, Input.Handles, Segment.Parameters, Bases[Index],
												  &Input.MasterLocal, Segment.MasterParameter},
				Scratch);
			benchmark::DoNotOptimize(Scratch.Poses.GetData());
		}
		benchmark::ClobberMemory();
		Frame = (Frame + 1) % NumFrames;
	}
}
BENCHMARK(BM_BendySolver_4Segments_Floor);
