// One face solver evaluation through its registered RigVM entry, on a synthetic face of realistic size: 150 drivers
// of five kinds, 600 driven channels (additive, absolute, world-space and quaternion rows) over 150 targets, 30
// direct controls and 3 region controls. Also counts the heap allocations an evaluation makes once warmed up.
#include "CoreMinimal.h"
#include "QVFaceRigDataAsset.h"
#include "RigUnit_QVFaceSDKSolver.h"
#include "RigVMCore/RigVMRegistry.h"
#include "Rigs/RigHierarchy.h"
#include "Rigs/RigHierarchyController.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UnrealType.h"
#include "Units/RigUnitContext.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <time.h>

// Every heap allocation of the program is counted, so the benchmark can tell what one evaluation allocates.
static std::atomic<int64> GAllocations{0};

static void* CountedAllocate(std::size_t Size, std::size_t Alignment)
{
	GAllocations.fetch_add(1, std::memory_order_relaxed);
	void* Memory = Alignment <= alignof(std::max_align_t)
		? std::malloc(Size == 0 ? 1 : Size)
		: std::aligned_alloc(Alignment, (Size + Alignment - 1) / Alignment * Alignment);
	if (Memory == nullptr)
	{
		throw std::bad_alloc();
	}
	return Memory;
}

void* operator new(std::size_t Size)
{
	return CountedAllocate(Size, 0);
}
void* operator new[](std::size_t Size)
{
	return CountedAllocate(Size, 0);
}
void* operator new(std::size_t Size, std::align_val_t Alignment)
{
	return CountedAllocate(Size, std::size_t(Alignment));
}
void* operator new[](std::size_t Size, std::align_val_t Alignment)
{
	return CountedAllocate(Size, std::size_t(Alignment));
}
void operator delete(void* Memory) noexcept
{
	std::free(Memory);
}
void operator delete[](void* Memory) noexcept
{
	std::free(Memory);
}
void operator delete(void* Memory, std::size_t) noexcept
{
	std::free(Memory);
}
void operator delete[](void* Memory, std::size_t) noexcept
{
	std::free(Memory);
}
void operator delete(void* Memory, std::align_val_t) noexcept
{
	std::free(Memory);
}
void operator delete[](void* Memory, std::align_val_t) noexcept
{
	std::free(Memory);
}
void operator delete(void* Memory, std::size_t, std::align_val_t) noexcept
{
	std::free(Memory);
}
void operator delete[](void* Memory, std::size_t, std::align_val_t) noexcept
{
	std::free(Memory);
}

namespace
{
double ThreadSeconds()
{
	timespec Now;
	clock_gettime(CLOCK_THREAD_CPUTIME_ID, &Now);
	return double(Now.tv_sec) + double(Now.tv_nsec) * 1e-9;
}

// What reading the thread clock twice adds to an interval (a system call on this machine, over a microsecond):
// the median of many empty intervals, taken off every measured one.
double ThreadClockOverhead()
{
	TArray<double> Empty;
	for (int32 Sample = 0; Sample < 2001; ++Sample)
	{
		const double Start = ThreadSeconds();
		Empty.Add(ThreadSeconds() - Start);
	}
	Empty.Sort();
	return Empty[Empty.Num() / 2];
}

constexpr int32 NumDrivers = 150;
constexpr int32 RowsPerDriver = 4;
constexpr int32 NumTargets = 150;
constexpr int32 NumDirectControls = 30;

// The face, its board and the asset that drives it.
struct FSyntheticFace
{
	URigHierarchy Hierarchy;
	UQVFaceRigDataAsset* Asset = NewObject<UQVFaceRigDataAsset>();
	TArray<FRigElementKey> DriverControls;
	TArray<ERigControlType> DriverTypes;

	FSyntheticFace()
	{
		URigHierarchyController* Controller = Hierarchy.GetController();
		const FRigElementKey Head = Controller->AddBone(TEXT("head"), FRigElementKey(), FTransform(FVector(0, 0, 160)));
		const FRigElementKey FaceJoint = Controller->AddBone(TEXT("FaceJoint_M"), Head, FTransform(FVector(0, 5, 165)));
		const FRigElementKey BoxAttach =
			Controller->AddNull(TEXT("ctrlBoxAttach"), Head, FTransform(FVector(30, 0, 165)));
		const FRigElementKey Box = Controller->AddNull(TEXT("ctrlBox"), BoxAttach, FTransform::Identity, false);
		const FRigElementKey OnFace =
			Controller->AddNull(TEXT("OnFacecontrols"), FaceJoint, FTransform::Identity, false);
		const FRigElementKey OnFaceGroup = Controller->AddNull(TEXT("lipGroup"), OnFace, FTransform::Identity, false);

		// Targets: bones in short chains below the face joint, every fifteenth a null.
		FRigElementKey Previous = FaceJoint;
		for (int32 Index = 0; Index < NumTargets; ++Index)
		{
			const FName Name(*FString::Printf(TEXT("target_%d"), Index));
			const FTransform Local(FRotator(Index % 7, Index % 11, Index % 5), FVector(0.5, Index % 3, 0.25));
			const FRigElementKey Parent = Index % 5 == 0 ? FaceJoint : Previous;
			Previous = Index % 15 == 14 ? Controller->AddNull(Name, Parent, Local, false)
										: Controller->AddBone(Name, Parent, Local, false);
		}

		for (int32 Index = 0; Index < NumDrivers; ++Index)
		{
			AddDriver(Index, Box, OnFaceGroup);
		}
		for (int32 Index = 0; Index < NumDirectControls; ++Index)
		{
			FRigControlSettings Settings;
			Settings.ControlType = ERigControlType::Transform;
			const FName Name(*FString::Printf(TEXT("direct_%d"), Index));
			const FRigElementKey Control = Controller->AddControl(
				Name, OnFace, Settings, FRigControlValue::Make<FTransform>(FTransform::Identity));
			DriverControls.Add(Control);
			DriverTypes.Add(ERigControlType::Transform);
			FQVFaceSDKDirectControl& Direct = Asset->DirectControls.AddDefaulted_GetRef();
			Direct.ControlName = Name;
			Direct.BoneName = *FString::Printf(TEXT("target_%d"), (Index * 5) % NumTargets);
			if (Index % 3 == 0)
			{
				Direct.FollowNullName = *FString::Printf(TEXT("follow_%d"), Index);
			}
		}
		for (int32 Region = 0; Region < 3; ++Region)
		{
			FQVFaceSDKRegionControl& Record = Asset->RegionControls.AddDefaulted_GetRef();
			Record.ControlName = *FString::Printf(TEXT("region_%d"), Region);
			for (int32 Bone = 0; Bone < 4; ++Bone)
			{
				Record.BoneNames.Add(*FString::Printf(TEXT("target_%d"), Region * 40 + Bone * 3 + 1));
			}
		}
	}

	// Drivers of five kinds in turn: board float sliders, board 2D controls, on-face 2D controls, transform
	// controls, and animation channels read as custom channels.
	void AddDriver(int32 Index, const FRigElementKey& Box, const FRigElementKey& OnFaceGroup)
	{
		URigHierarchyController* Controller = Hierarchy.GetController();
		const FName Name(*FString::Printf(TEXT("driver_%d"), Index));
		FQVFaceSDKDriver& Driver = Asset->Drivers.AddDefaulted_GetRef();
		Driver.ControlName = Name;
		FRigControlSettings Settings;
		FRigControlValue Value;
		FRigElementKey Parent = Box;
		switch (Index % 5)
		{
			case 0:
				Settings.ControlType = ERigControlType::Float;
				Value = FRigControlValue::Make<float>(0.f);
				Driver.Channel = EQVFaceSDKChannel::ValueFloat;
				break;
			case 1:
				Settings.ControlType = ERigControlType::Vector2D;
				Value = FRigControlValue::Make<FVector2D>(FVector2D::ZeroVector);
				Driver.Channel = EQVFaceSDKChannel::ValueX;
				break;
			case 2:
				Settings.ControlType = ERigControlType::Vector2D;
				Value = FRigControlValue::Make<FVector2D>(FVector2D::ZeroVector);
				Driver.Channel = EQVFaceSDKChannel::ValueY;
				Parent = OnFaceGroup;
				break;
			default:
				Settings.ControlType = ERigControlType::Transform;
				Value = FRigControlValue::Make<FTransform>(FTransform::Identity);
				Driver.Channel = Index % 2 == 0 ? EQVFaceSDKChannel::TranslationX : EQVFaceSDKChannel::RotationZ;
				break;
		}
		const FRigElementKey Control = Controller->AddControl(Name, Parent, Settings, Value);
		if (Index % 5 == 4)
		{
			FRigControlSettings ChannelSettings;
			ChannelSettings.ControlType = ERigControlType::Float;
			ChannelSettings.DisplayName = TEXT("amount");
			DriverControls.Add(Controller->AddAnimationChannel(
				*FString::Printf(TEXT("driver_%d_amount"), Index), Control, ChannelSettings));
			DriverTypes.Add(ERigControlType::Float);
			Driver.CustomChannelName = TEXT("amount");
			Driver.Channel = EQVFaceSDKChannel::ValueFloat;
		}
		else
		{
			DriverControls.Add(Control);
			DriverTypes.Add(Settings.ControlType);
		}

		for (int32 Row = 0; Row < RowsPerDriver; ++Row)
		{
			const int32 Serial = Index * RowsPerDriver + Row;
			FQVDrivenSDKChannel& Driven = Driver.Driven.AddDefaulted_GetRef();
			Driven.BoneName = *FString::Printf(TEXT("target_%d"), (Index + Row * 37) % NumTargets);
			Driven.Keys = {{0.f, 0.f}, {1.f, float(Serial % 13) - 6.f}, {-1.f, 2.f}};
			switch (Serial % 6)
			{
				case 0:
					Driven.Channel = EQVFaceSDKChannel::RotationZ;
					break;
				case 1:
					Driven.Channel = EQVFaceSDKChannel::TranslationX;
					break;
				case 2:
					Driven.Channel = EQVFaceSDKChannel::ScaleY;
					Driven.ApplyMode = EQVFaceSDKApplyMode::Absolute;
					Driven.Keys = {{0.f, 1.f}, {1.f, 1.25f}};
					break;
				case 3:
					Driven.Channel = EQVFaceSDKChannel::TranslationY;
					Driven.TransformSpace = EQVFaceSDKTransformSpace::World;
					break;
				case 4:
					Driven.bQuaternionRotation = true;
					Driven.QuaternionKeys = {
						{-1.f, FQuat(FRotator(0, -20, 0))}, {0.f, FQuat::Identity}, {1.f, FQuat(FRotator(10, 25, 0))}};
					break;
				default:
					Driven.Channel = EQVFaceSDKChannel::RotationX;
					break;
			}
		}
	}

	// Every control's value at time Time, as an animation sets them at the start of a frame.
	void Animate(double Time)
	{
		for (int32 Index = 0; Index < DriverControls.Num(); ++Index)
		{
			const float Wave = float(std::sin(Time + Index * 0.1));
			FRigControlValue Value;
			switch (DriverTypes[Index])
			{
				case ERigControlType::Float:
					Value = FRigControlValue::Make<float>(Wave);
					break;
				case ERigControlType::Vector2D:
					Value = FRigControlValue::Make<FVector2D>(FVector2D(Wave, -Wave));
					break;
				default:
					Value = FRigControlValue::Make<FTransform>(
						FTransform(FRotator(0, 20.0 * Wave, 0), FVector(Wave, 0, 0.5 * Wave)));
					break;
			}
			Hierarchy.SetControlValue(DriverControls[Index], Value);
		}
	}
};
} // namespace

static void BM_FaceSolver_150Drivers(benchmark::State& State)
{
	FSyntheticFace Face;
	FRigUnit_QVFaceSDKSolver Unit;
	Unit.FaceRigDataAsset = Face.Asset;

	// The unit's function is registered when its struct is first requested, as a rig graph does when it loads.
	const UScriptStruct* Struct = FRigUnit_QVFaceSDKSolver::StaticStruct();
	const FRigVMFunction* Function =
		FRigVMRegistry_RWLock::Get().FindFunction(TEXT("FRigUnit_QVFaceSDKSolver::Execute"));
	TArray<FRigVMMemoryHandle> Handles;
	for (TFieldIterator<FProperty> It(Struct, EFieldIteratorFlags::ExcludeSuper); It; ++It)
	{
		Handles.Add(FRigVMMemoryHandle(It->ContainerPtrToValuePtr<uint8>(&Unit)));
	}
	FRigVMExtendedExecuteContext Context;
	Context.Initialize(FControlRigExecuteContext::StaticStruct());
	Context.GetPublicData<FControlRigExecuteContext>().Hierarchy = &Face.Hierarchy;

	// The first evaluation sizes the unit's hidden arrays and resolves its caches.
	Face.Animate(0.0);
	Function->FunctionPtr(Context, Handles, FRigVMPredicateBranchArray());

	// Each frame starts with the bones at their input pose and the board animated; only the evaluation is timed. The
	// clock is the thread's processor time, read around the evaluation alone: the machine is shared, and wall time
	// would count whatever else ran meanwhile.
	const double ClockOverhead = ThreadClockOverhead();
	int64 Allocations = 0;
	int64 Evaluations = 0;
	double Time = 0.0;
	for (auto _ : State)
	{
		Time += 0.05;
		Face.Hierarchy.ResetPoseToInitial(ERigElementType::Bone);
		Face.Animate(Time);

		const int64 Before = GAllocations.load(std::memory_order_relaxed);
		const double Start = ThreadSeconds();
		Function->FunctionPtr(Context, Handles, FRigVMPredicateBranchArray());
		State.SetIterationTime(FMath::Max(ThreadSeconds() - Start - ClockOverhead, 0.0));
		Allocations += GAllocations.load(std::memory_order_relaxed) - Before;
		++Evaluations;
	}
	State.counters["allocations_per_evaluation"] = double(Allocations) / double(FMath::Max(Evaluations, int64(1)));
	State.counters["targets"] = double(Unit.AccumulatedDrivenKeys.Num());
	State.counters["clock_overhead_us"] = ClockOverhead * 1e6;
}
BENCHMARK(BM_FaceSolver_150Drivers)->UseManualTime()->Unit(benchmark::kMicrosecond);
