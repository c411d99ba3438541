// One reverse foot roll evaluation through its registered RigVM entry, on a leg with five pivots.
#include "CoreMinimal.h"
#include "RigUnit_QVReverseFootRoll.h"
#include "RigVMCore/RigVMRegistry.h"
#include "Rigs/RigHierarchy.h"
#include "Rigs/RigHierarchyController.h"
#include "UObject/UnrealType.h"
#include "Units/RigUnitContext.h"

#include <benchmark/benchmark.h>

static void BM_FootRollThroughRigVMEntry(benchmark::State& State)
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
		Function->FunctionPtr(Context, Handles, FRigVMPredicateBranchArray());
		RollDegrees = RollDegrees > 90.f ? -30.f : RollDegrees + 1.f;
	}
}
BENCHMARK(BM_FootRollThroughRigVMEntry);
