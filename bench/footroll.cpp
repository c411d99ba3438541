// One reverse foot roll evaluation through its registered RigVM entry, on a leg with five pivots; and its floor, the
// same arithmetic on the pivots' setup transforms gathered beforehand, with no hierarchy, glue or look-ups.
#include "CoreMinimal.h"
#include "QVFootRoll.h"
#include "QVFootRockAxis.h"
#include "RigUnit_QVReverseFootRoll.h"
#include "RigVMCore/RigVMRegistry.h"
#include "Rigs/RigHierarchy.h"
#include "Rigs/RigHierarchyController.h"
#include "UObject/UnrealType.h"
#include "Units/RigUnitContext.h"

#include <benchmark/benchmark.h>

// Each iteration sets the roll channel, as a frame start does, and then (with bRunUnit) runs the unit.
static void RunFootRoll(benchmark::State& State, bool bRunUnit)
{
	URigHierarchy Hierarchy;
	URigHierarchyController* Controller = Hierarchy.GetController();
	FRigControlSettings LegSettings;
	LegSettings.ControlType = ERigControlType::Transform;
	const FRigElementKey Leg = Controller->AddControl(TEXT("IKLeg_L"), FRigElementKey(), LegSettings,
		FRigControlValue::Make<FTransform>(FTransform(FVector(0, 10, 0))));
	FRigControlSettings ChannelSettings;
	ChannelSettings.ControlType = ERigControlType::Float;
	const FRigElementKey Roll = Controller->AddAnimationChannel(TEXT("IKLeg_L_roll"), Leg, ChannelSettings);
	Controller->AddAnimationChannel(TEXT("IKLeg_L_rock"), Leg, ChannelSettings);
	FRigElementKey Parent = Leg;
	for (const TCHAR* Pivot : {TEXT("outer_l_pivot"), TEXT("inner_l_pivot"), TEXT("heel_l_pivot"),
			 TEXT("toe_tip_l_pivot"), TEXT("ball_l_pivot")})
	{
		Parent = Controller->AddNull(Pivot, Parent, FTransform(FVector(1, 2, 3)), false);
	}
	Controller->AddBone(TEXT("ankle_l"), Parent, FTransform(FVector(0, 9, 8)), false);

	FRigUnit_QVReverseFootRoll Unit;
	Unit.RollChannel = TEXT("IKLeg_L_roll");
	Unit.RockChannel = TEXT("IKLeg_L_rock");
	Unit.HeelRoller = TEXT("heel_l_pivot");
	Unit.ToesEndRoller = TEXT("toe_tip_l_pivot");
	Unit.ToesRoller = TEXT("ball_l_pivot");
	Unit.InnerRockPivot = TEXT("inner_l_pivot");
	Unit.OuterRockPivot = TEXT("outer_l_pivot");

	// The unit's function is registered when its struct is first requested, as a rig graph does when it loads.
	const UScriptStruct* Struct = FRigUnit_QVReverseFootRoll::StaticStruct();
	const FRigVMFunction* Function =
		FRigVMRegistry_RWLock::Get().FindFunction(TEXT("FRigUnit_QVReverseFootRoll::Execute"));
	TArray<FRigVMMemoryHandle> Handles;
	for (TFieldIterator<FProperty> It(Struct); It; ++It)
	{
		Handles.Add(FRigVMMemoryHandle(It->ContainerPtrToValuePtr<uint8>(&Unit)));
	}
	FRigVMExtendedExecuteContext Context;
	Context.Initialize(FControlRigExecuteContext::StaticStruct());
	Context.GetPublicData<FControlRigExecuteContext>().Hierarchy = &Hierarchy;

	float RollDegrees = -30.f;
	for (auto _ : State)
	{
		Hierarchy.SetControlValue(Roll, FRigControlValue::Make<float>(RollDegrees));
		if (bRunUnit)
		{
			Function->FunctionPtr(Context, Handles, FRigVMPredicateBranchArray());
		}
		RollDegrees = RollDegrees > 90.f ? -30.f : RollDegrees + 1.f;
	}
}

static void BM_FootRollThroughRigVMEntry(benchmark::State& State)
{
	RunFootRoll(State, true);
}
BENCHMARK(BM_FootRollThroughRigVMEntry);

// The frame start alone, to take from the figure above.
static void BM_FootRollFrameStartOnly(benchmark::State& State)
{
	RunFootRoll(State, false);
}
BENCHMARK(BM_FootRollFrameStartOnly);

static void BM_FootRollFloor(benchmark::State& State)
{
	// The five pivots' setup transforms as the leg above holds them, and the turned transforms written back, side by
	// side on the stack so that their layout is the same in every run.
	FTransform Setups[5];
	for (FTransform& Setup : Setups)
	{
		Setup = FTransform(FVector(1, 2, 3));
	}
	FTransform Turned[5];
	const FRigUnit_QVReverseFootRoll Pins;
	const FVector RollAxis(1.0, 0.0, 0.0);
	const FVector InnerAxis = QVFootRockAxis::ToPivotAxis(QVFootRockAxis::Parse(Pins.InnerRockAxis));
	const FVector OuterAxis = QVFootRockAxis::ToPivotAxis(QVFootRockAxis::Parse(Pins.OuterRockAxis));

	float RollDegrees = -30.f;
	const float Rock = 0.f;
	for (auto _ : State)
	{
		const FQVFootRollAngles Angles = QVFootRoll::ComputeRollAngles(RollDegrees, Pins.RollStartAngle, Pins.RollEndAngle);
		Turned[0] = QVFootRoll::TurnAboutSetupAxis(Setups[0], RollAxis, QVFootRoll::RollHalfAngle(Angles.Heel));
		Turned[1] = QVFootRoll::TurnAboutSetupAxis(Setups[1], RollAxis, QVFootRoll::RollHalfAngle(Angles.Ball));
		Turned[2] = QVFootRoll::TurnAboutSetupAxis(Setups[2], RollAxis, QVFootRoll::RollHalfAngle(Angles.ToeTip));
		Turned[3] = QVFootRoll::TurnAboutSetupAxis(Setups[3], InnerAxis,
			QVFootRoll::RockHalfAngle(QVFootRoll::ComputeRockAngle(
				Rock, Pins.InnerRockMin, Pins.InnerRockMax, Pins.InnerRockMultiplier)));
		Turned[4] = QVFootRoll::TurnAboutSetupAxis(Setups[4], OuterAxis,
			QVFootRoll::RockHalfAngle(QVFootRoll::ComputeRockAngle(
				Rock, Pins.OuterRockMin, Pins.OuterRockMax, Pins.OuterRockMultiplier)));
		benchmark::DoNotOptimize(Turned);
		benchmark::ClobberMemory();
		RollDegrees = RollDegrees > 90.f ? -30.f : RollDegrees + 1.f;
	}
}
BENCHMARK(BM_FootRollFloor);
