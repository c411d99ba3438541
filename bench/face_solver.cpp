// One face solver evaluation through its registered RigVM entry, on a synthetic face of realistic size: 150 drivers
// of five kinds, 600 driven channels (additive, absolute, world-space and quaternion rows) over 150 targets and 30
// direct controls; and the same face with every layer around the rows at realistic counts (2 layered eyes with aim
// bindings, the aim-eye follow blend, 12 board proxies, 6 region controls of 8 bones, 10 follow controls and 10
// direct-control followers). Also counts the heap allocations an evaluation makes once warmed up.
#include "CoreMinimal.h"
#include "QVFaceDirectControl.h"
#include "QVFaceRigDataAsset.h"
#include "QVFaceSDKAccumulation.h"
#include "QVFaceSDKRotationBatch.h"
#include "QVFaceSDKRow.h"
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

constexpr int32 NumEyes = 2;
constexpr int32 NumProxies = 12;
constexpr int32 NumRegions = 6;
constexpr int32 BonesPerRegion = 8;
constexpr int32 NumFollowControls = 10;

// The synthetic face with every layer around the rows: layered eyes (carrier, aim null, SDK null, final control,
// eye bone) aimed at targets below the aim-eye follow space, board proxies of animator controls on the face, region
// controls over bones of several depths, follow controls and the direct controls' follow helpers.
struct FLayeredFace : FSyntheticFace
{
	TArray<FRigElementKey> ProxiedControls;
	TArray<FRigElementKey> RegionControls;
	TArray<FRigElementKey> AimTargets;
	FRigElementKey FollowChannel;

	FLayeredFace()
	{
		URigHierarchyController* Controller = Hierarchy.GetController();
		const FRigElementKey Head(TEXT("head"), ERigElementType::Bone);
		const FRigElementKey FaceJoint(TEXT("FaceJoint_M"), ERigElementType::Bone);
		const FRigElementKey Box(TEXT("ctrlBox"), ERigElementType::Null);
		const FRigElementKey OnFace(TEXT("OnFacecontrols"), ERigElementType::Null);
		FRigControlSettings Euler;
		Euler.ControlType = ERigControlType::EulerTransform;
		FRigControlSettings Transform;
		Transform.ControlType = ERigControlType::Transform;
		const FRigControlValue EulerRest = FRigControlValue::Make<FEulerTransform>(FEulerTransform::Identity);
		const FRigControlValue TransformRest = FRigControlValue::Make<FTransform>(FTransform::Identity);

		// The aim-eye follow space and the control in it, with its follow channel.
		Controller->AddNull(TEXT("QV_AimEyeFollowStatic"), FRigElementKey(), FTransform(FVector(0, 40, 170)));
		Controller->AddNull(TEXT("QV_AimEyeFollowHead"), Head, FTransform(FVector(0, 40, 170)));
		const FRigElementKey FollowSpace =
			Controller->AddNull(TEXT("QV_AimEyeFollow_M"), FRigElementKey(), FTransform(FVector(0, 40, 170)));
		const FRigElementKey AimControl =
			Controller->AddControl(TEXT("AimEye_M"), FollowSpace, Transform, TransformRest);
		FRigControlSettings Channel;
		Channel.ControlType = ERigControlType::Float;
		Channel.DisplayName = TEXT("follow");
		FollowChannel = Controller->AddAnimationChannel(TEXT("AimEye_M_follow"), AimControl, Channel);

		for (int32 Eye = 0; Eye < NumEyes; ++Eye)
		{
			const double Side = Eye == 0 ? -3.0 : 3.0;
			const FTransform At(FVector(Side, 8, 170));
			const FString Suffix = Eye == 0 ? TEXT("R") : TEXT("L");
			const FRigElementKey Carrier = Controller->AddNull(*(TEXT("EyeCarrier_") + Suffix), Head, At);
			const FRigElementKey Aim = Controller->AddNull(*(TEXT("EyeAim_") + Suffix), Carrier, At);
			const FRigElementKey SDK = Controller->AddNull(*(TEXT("SDKEye_") + Suffix), Aim, At);
			Controller->AddControl(*(TEXT("Eye_") + Suffix), SDK, Euler, EulerRest);
			Controller->AddBone(*(TEXT("Eye_") + Suffix), FaceJoint, At);
			AimTargets.Add(Controller->AddControl(
				*(TEXT("AimEye_") + Suffix), AimControl, Transform, TransformRest, FTransform(FVector(Side, 0, 0))));

			FQVFaceSDKEyeChain& Chain = Asset->EyeChains.AddDefaulted_GetRef();
			Chain.SDKNullName = *(TEXT("SDKEye_") + Suffix);
			Chain.FinalControlName = *(TEXT("Eye_") + Suffix);
			Chain.EyeJointName = *(TEXT("Eye_") + Suffix);
			FQVFaceSDKAimBinding& Binding = Asset->AimBindings.AddDefaulted_GetRef();
			Binding.EyeAimNullName = *(TEXT("EyeAim_") + Suffix);
			Binding.TargetControlName = *(TEXT("AimEye_") + Suffix);
			Binding.AimAxis = FVector(0, 1, 0);
			Binding.UpAxis = FVector(0, 0, 1);
		}

		// Board proxies, each below its own null on the control box, of Euler-transform controls on the face.
		for (int32 Index = 0; Index < NumProxies; ++Index)
		{
			const FName ProxyName(*FString::Printf(TEXT("proxy_%d"), Index));
			const FName ControlName(*FString::Printf(TEXT("proxied_%d"), Index));
			const FRigElementKey Space = Controller->AddNull(
				*FString::Printf(TEXT("proxySpace_%d"), Index), Box, FTransform(FVector(0, 0, -Index)), false);
			FRigControlSettings ProxySettings = Euler;
			ProxySettings.AnimationType = ERigControlAnimationType::ProxyControl;
			Controller->AddControl(ProxyName, Space, ProxySettings, EulerRest);
			ProxiedControls.Add(Controller->AddControl(
				ControlName, OnFace, Euler, EulerRest, FTransform(FVector(Index % 4, 2, Index / 4))));
			FQVFaceSDKProxyControl& Proxy = Asset->ProxyControls.AddDefaulted_GetRef();
			Proxy.ProxyName = ProxyName;
			Proxy.ControlName = ControlName;
		}

		// Region controls below pivot nulls, each over 8 targets of several depths, listed children first.
		Asset->RegionControls.Reset();
		for (int32 Region = 0; Region < NumRegions; ++Region)
		{
			const FRigElementKey Pivot = Controller->AddNull(
				*FString::Printf(TEXT("regionPivot_%d"), Region), FaceJoint, FTransform(FVector(Region, 3, 1)), false);
			const FName ControlName(*FString::Printf(TEXT("region_%d"), Region));
			RegionControls.Add(Controller->AddControl(ControlName, Pivot, Euler, EulerRest));
			FQVFaceSDKRegionControl& Record = Asset->RegionControls.AddDefaulted_GetRef();
			Record.ControlName = ControlName;
			for (int32 Bone = BonesPerRegion - 1; Bone >= 0; --Bone)
			{
				Record.BoneNames.Add(*FString::Printf(TEXT("target_%d"), Region * 25 + Bone + 1));
			}
		}

		// Follow controls on the face, half following rotation and half bound in mesh space.
		for (int32 Index = 0; Index < NumFollowControls; ++Index)
		{
			const FName NullName(*FString::Printf(TEXT("followNull_%d"), Index));
			const FName ControlName(*FString::Printf(TEXT("followCtrl_%d"), Index));
			const FRigElementKey Null =
				Controller->AddNull(NullName, OnFace, FTransform(FVector(Index * 0.5, 2, 0.5)), false);
			Controller->AddControl(ControlName, Null, Euler, EulerRest);
			FQVFaceSDKFollowControl& Follow = Asset->FollowControls.AddDefaulted_GetRef();
			Follow.ControlName = ControlName;
			Follow.BoneName = *FString::Printf(TEXT("target_%d"), Index * 13 + 2);
			Follow.FollowNullName = NullName;
			Follow.bFollowRotation = Index % 2 == 0;
			Follow.bBindInMeshSpace = Index % 3 == 0;
		}

		// The follow helpers the direct controls name.
		for (const FQVFaceSDKDirectControl& Direct : Asset->DirectControls)
		{
			if (!Direct.FollowNullName.IsNone())
			{
				Controller->AddNull(Direct.FollowNullName, OnFace, FTransform(FVector(1, 1, 1)), false);
			}
		}
	}

	// The rows' controls, and with them the controls the layers read: the proxied controls, the region controls,
	// the aim control's follow channel and the aim targets. The proxies are not touched, as in a game.
	void AnimateLayers(double Time)
	{
		Animate(Time);
		for (int32 Index = 0; Index < ProxiedControls.Num(); ++Index)
		{
			SetEuler(ProxiedControls[Index],
				FTransform(FRotator(0, 10.0 * std::sin(Time + Index), 0), FVector(0.2 * std::cos(Time + Index), 0, 0)));
		}
		for (int32 Index = 0; Index < RegionControls.Num(); ++Index)
		{
			SetEuler(RegionControls[Index], FTransform(FRotator(5.0 * std::sin(Time * 0.5 + Index), 0, 0)));
		}
		Hierarchy.SetControlValue(FollowChannel, FRigControlValue::Make<float>(float(5.0 + 5.0 * std::sin(Time))));
		for (const FRigElementKey& Target : AimTargets)
		{
			Hierarchy.SetControlValue(Target,
				FRigControlValue::Make<FTransform>(FTransform(FVector(3.0 * std::sin(Time), 0, std::cos(Time)))));
		}
	}

	// An Euler-transform control's value and preferred angles, as animation sets them.
	void SetEuler(const FRigElementKey& Control, const FTransform& Value)
	{
		FRigControlElement* Element = Hierarchy.Find<FRigControlElement>(Control);
		Hierarchy.SetControlValue(
			Element, FRigControlValue::Make<FEulerTransform>(FEulerTransform(Value)), ERigControlValueType::Current);
		Hierarchy.SetControlPreferredEulerAngles(Element, Value);
	}
};

// Times one evaluation per iteration of the face, animated by Animate(Time) before each.
template <typename FFace, typename FAnimate> void RunFaceSolver(benchmark::State& State, FFace& Face, FAnimate Animate)
{
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
	Animate(Face, 0.0);
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
		Animate(Face, Time);

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
} // namespace

static void BM_FaceSolver_150Drivers(benchmark::State& State)
{
	FSyntheticFace Face;
	RunFaceSolver(State, Face, [](FSyntheticFace& Animated, double Time) { Animated.Animate(Time); });
}
BENCHMARK(BM_FaceSolver_150Drivers)->UseManualTime()->Unit(benchmark::kMicrosecond);

static void BM_FaceSolver_150DriversWithLayers(benchmark::State& State)
{
	FLayeredFace Face;
	RunFaceSolver(State, Face, [](FLayeredFace& Animated, double Time) { Animated.AnimateLayers(Time); });
}
BENCHMARK(BM_FaceSolver_150DriversWithLayers)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The floor of BM_FaceSolver_150Drivers: the rows' and the direct controls' arithmetic and the resolve of every
// target, on the synthetic face's setup transforms and on driver values and control transforms gathered beforehand
// for 64 frames, with no hierarchy, no look-ups and no writes. Timed as the unit is.
static void BM_FaceSolver_150Drivers_Floor(benchmark::State& State)
{
	FSyntheticFace Face;
	const URigHierarchy& Hierarchy = Face.Hierarchy;
	const UQVFaceRigDataAsset& Asset = *Face.Asset;
	constexpr double FaceScaleDivisor = 1.0;

	// Targets in order of first appearance, each with its setup local and parent setup global transforms.
	TArray<FRigElementKey> Keys;
	TArray<FTransform> Transforms;
	TArray<FVector> RotationDeltas;
	TArray<FVector> WorldTranslationDeltas;
	FQVFaceSDKAccumulation Accumulation(Keys, Transforms, RotationDeltas, WorldTranslationDeltas);
	TArray<FTransform> InitialLocals;
	TArray<FTransform> ParentInitials;
	const auto TargetOf = [&](const FName& Name, ERigElementType Type)
	{
		const FRigElementKey Key(Name, Type);
		int32 Target = Accumulation.Find(Key);
		if (Target == INDEX_NONE)
		{
			const FTransform InitialLocal = Hierarchy.GetLocalTransform(Key, true);
			Target = Accumulation.Add(Key, InitialLocal);
			InitialLocals.Add(InitialLocal);
			ParentInitials.Add(Hierarchy.GetGlobalTransform(Hierarchy.GetFirstParent(Key), true));
		}
		return Target;
	};
	TArray<int32> RowTargets;
	for (const FQVFaceSDKDriver& Driver : Asset.Drivers)
	{
		for (const FQVDrivenSDKChannel& Driven : Driver.Driven)
		{
			const bool bBone = Hierarchy.Contains(FRigElementKey(Driven.BoneName, ERigElementType::Bone));
			RowTargets.Add(TargetOf(Driven.BoneName, bBone ? ERigElementType::Bone : ERigElementType::Null));
		}
	}
	TArray<int32> DirectTargets;
	TArray<FTransform> ControlInitialLocals;
	TArray<FTransform> ControlInitialGlobals;
	TArray<FTransform> BoneParentGlobals;
	for (const FQVFaceSDKDirectControl& Direct : Asset.DirectControls)
	{
		const FRigElementKey Control(Direct.ControlName, ERigElementType::Control);
		const FRigElementKey Bone(Direct.BoneName, ERigElementType::Bone);
		DirectTargets.Add(TargetOf(Direct.BoneName, ERigElementType::Bone));
		ControlInitialLocals.Add(Hierarchy.GetLocalTransform(Control, true));
		ControlInitialGlobals.Add(Hierarchy.GetGlobalTransform(Control, true));
		BoneParentGlobals.Add(Hierarchy.GetGlobalTransform(Hierarchy.GetFirstParent(Bone), true));
	}

	// Driver values and direct-control transforms per frame, as the face's animation gives them.
	constexpr int32 NumFrames = 64;
	const int32 NumDriverValues = Asset.Drivers.Num();
	TArray<float> DriverValues;
	TArray<FTransform> DirectCurrents;
	for (int32 Frame = 0; Frame < NumFrames; ++Frame)
	{
		const double Time = 0.05 * Frame;
		for (int32 Index = 0; Index < NumDriverValues; ++Index)
		{
			DriverValues.Add(float(std::sin(Time + Index * 0.1)));
		}
		for (int32 Index = 0; Index < DirectTargets.Num(); ++Index)
		{
			const double Wave = std::sin(Time + (NumDriverValues + Index) * 0.1);
			DirectCurrents.Add(FTransform(FRotator(0, 20.0 * Wave, 0), FVector(Wave, 0, 0.5 * Wave)));
		}
	}

	constexpr int32 DriversPerBatch = FQVFaceSDKRotationBatch::DriversPerBatch;
	FQVFaceSDKRotationBatch Rotations;
	TArray<FTransform> Resolved;
	Resolved.SetNum(Keys.Num());
	const double ClockOverhead = ThreadClockOverhead();
	int32 Frame = 0;
	for (auto _ : State)
	{
		const double Start = ThreadSeconds();
		Transforms = InitialLocals;
		for (int32 Target = 0; Target < Keys.Num(); ++Target)
		{
			RotationDeltas[Target] = FVector::ZeroVector;
			WorldTranslationDeltas[Target] = FVector::ZeroVector;
		}
		// Quaternion curves a batch of drivers ahead of their rows, as the unit evaluates them.
		int32 Row = 0;
		for (int32 BatchStart = 0; BatchStart < NumDriverValues; BatchStart += DriversPerBatch)
		{
			const int32 BatchEnd = FMath::Min(BatchStart + DriversPerBatch, NumDriverValues);
			Rotations.Reset();
			for (int32 DriverIndex = BatchStart; DriverIndex < BatchEnd; ++DriverIndex)
			{
				Rotations.AddRows(
					Asset.Drivers[DriverIndex].Driven, DriverValues[Frame * NumDriverValues + DriverIndex]);
			}
			for (int32 DriverIndex = BatchStart; DriverIndex < BatchEnd; ++DriverIndex)
			{
				const float Value = DriverValues[Frame * NumDriverValues + DriverIndex];
				for (const FQVDrivenSDKChannel& Driven : Asset.Drivers[DriverIndex].Driven)
				{
					const int32 Target = RowTargets[Row++];
					QVFaceSDKRow::Apply(Accumulation, Target, Driven, Value,
						Driven.bQuaternionRotation ? Rotations.TakeNext() : nullptr, 1.f, FaceScaleDivisor,
						[&InitialLocals, Target] { return InitialLocals[Target]; },
						[&ParentInitials, Target] { return ParentInitials[Target]; });
				}
			}
		}
		for (int32 Index = 0; Index < DirectTargets.Num(); ++Index)
		{
			QVFaceDirectControl::AddDelta(Accumulation.GetTransform(DirectTargets[Index]), ControlInitialLocals[Index],
				DirectCurrents[Frame * DirectTargets.Num() + Index], ControlInitialGlobals[Index],
				BoneParentGlobals[Index], FaceScaleDivisor);
		}
		for (int32 Target = 0; Target < Keys.Num(); ++Target)
		{
			Resolved[Target] = Accumulation.Resolve(Target,
				Accumulation.HasWorldTranslationDelta(Target) ? ParentInitials[Target].GetRotation() : FQuat::Identity);
		}
		benchmark::DoNotOptimize(Resolved.GetData());
		benchmark::ClobberMemory();
		State.SetIterationTime(FMath::Max(ThreadSeconds() - Start - ClockOverhead, 0.0));
		Frame = (Frame + 1) % NumFrames;
	}
	State.counters["targets"] = double(Keys.Num());
}
BENCHMARK(BM_FaceSolver_150Drivers_Floor)->UseManualTime()->Unit(benchmark::kMicrosecond);
