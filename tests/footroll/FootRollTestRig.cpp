// The foot roll test rig and the two ways of evaluating the unit.
#include "FootRollTestRig.h"

#include "RigVMCore/RigVMRegistry.h"
#include "UObject/UnrealType.h"

void EvaluateFootRoll(FRigUnit_QVReverseFootRoll& Unit, URigHierarchy& Hierarchy, EFootRollEntry Entry)
{
	if (Entry == EFootRollEntry::Member)
	{
		FControlRigExecuteContext Context;
		Context.Hierarchy = &Hierarchy;
		Unit.Execute(Context);
		return;
	}

	// The unit's function is registered when its struct is first requested, as a rig graph does when it loads.
	const UScriptStruct* Struct = FRigUnit_QVReverseFootRoll::StaticStruct();
	const FRigVMFunction* Function =
		FRigVMRegistry_RWLock::Get().FindFunction(TEXT("FRigUnit_QVReverseFootRoll::Execute"));
	ASSERT_NE(Function, nullptr);
	TArray<FRigVMMemoryHandle> Handles;
	for (TFieldIterator<FProperty> It(Struct); It; ++It)
	{
		Handles.Add(FRigVMMemoryHandle(It->ContainerPtrToValuePtr<uint8>(&Unit)));
	}
	FRigVMExtendedExecuteContext Context;
	Context.Initialize(FControlRigExecuteContext::StaticStruct());
	Context.GetPublicData<FControlRigExecuteContext>().Hierarchy = &Hierarchy;
	Function->FunctionPtr(Context, Handles, FRigVMPredicateBranchArray());
}

FFootRollRig::FFootRollRig()
{
	URigHierarchyController* Controller = Hierarchy.GetController();
	const FRigElementKey Leg = Controller->AddBone(TEXT("leg_l"), FRigElementKey(), FTransform(FVector(0, 10, 90)));
	FRigControlSettings LegSettings;
	LegSettings.ControlType = ERigControlType::Transform;
	const FRigElementKey IKLeg = Controller->AddControl(TEXT("IKLeg_L"), FRigElementKey(), LegSettings,
		FRigControlValue::Make<FTransform>(FTransform(FVector(0, 10, 0))));
	FRigControlSettings ChannelSettings;
	ChannelSettings.ControlType = ERigControlType::Float;
	Roll = Controller->AddAnimationChannel(TEXT("IKLeg_L_roll"), IKLeg, ChannelSettings);
	Rock = Controller->AddAnimationChannel(TEXT("IKLeg_L_rock"), IKLeg, ChannelSettings);

	Outer = Controller->AddNull(TEXT("outer_l_pivot"), IKLeg, FTransform(FVector(0, 5, 0)), false);
	Inner = Controller->AddNull(TEXT("inner_l_pivot"), Outer, FTransform(FVector(0, -10, 0)), false);
	Heel = Controller->AddNull(TEXT("heel_l_pivot"), Inner, FTransform(FVector(-5, 5, 0)), false);
	ToeTip = Controller->AddNull(TEXT("toetip_l_pivot"), Heel, FTransform(FVector(20, 0, 0)), false);
	Ball = Controller->AddNull(TEXT("ball_l_pivot"), ToeTip, FTransform(FRotator(0, 90, 0), FVector(-6, 0, 2)), false);
	Ankle = Controller->AddBone(TEXT("ankle_l"), Ball, FTransform(FVector(0, 9, 8)), false);
	(void)Leg;

	Unit.IKControl = TEXT("IKLeg_L");
	Unit.RollChannel = TEXT("IKLeg_L_roll");
	Unit.RockChannel = TEXT("IKLeg_L_rock");
	Unit.HeelRoller = TEXT("heel_l_pivot");
	Unit.ToesEndRoller = TEXT("toetip_l_pivot");
	Unit.ToesRoller = TEXT("ball_l_pivot");
	Unit.InnerRockPivot = TEXT("inner_l_pivot");
	Unit.OuterRockPivot = TEXT("outer_l_pivot");
}

void FFootRollRig::SetRoll(float Degrees)
{
	Hierarchy.SetControlValue(Roll, FRigControlValue::Make<float>(Degrees));
}

void FFootRollRig::SetRock(float Degrees)
{
	Hierarchy.SetControlValue(Rock, FRigControlValue::Make<float>(Degrees));
}

double FFootRollRig::TurnAbout(const FRigElementKey& Pivot, const FVector& Axis) const
{
	// Delta = Setup^-1 * Current is the turn in the pivot's own setup frame.
	const FQuat Setup = Hierarchy.GetLocalTransform(Pivot, true).GetRotation();
	const FQuat Current = Hierarchy.GetLocalTransform(Pivot).GetRotation();
	const FQuat Delta = Setup.Inverse() * Current;
	const double Along = Delta.X * Axis.X + Delta.Y * Axis.Y + Delta.Z * Axis.Z;
	// Anything off the axis means the turn was about another axis.
	EXPECT_NEAR(FVector(Delta.X, Delta.Y, Delta.Z).Size(), FMath::Abs(Along), 1e-9);
	return 2.0 * std::atan2(Along, Delta.W) * 180.0 / UE_DOUBLE_PI;
}
