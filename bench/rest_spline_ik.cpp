// One rest spline IK evaluation through its registered RigVM entry: a curved spine of bones with transform controls
// along it and FK snapshot nulls, a control moving every evaluation so the deformed spline is rebuilt each time. Each
// size also has its floor: the solve alone on the chain's and controls' transforms gathered beforehand.
#include "CoreMinimal.h"
#include "QVRestSplineIK.h"
#include "RigUnit_QVRestSplineIK.h"
#include "RigVMCore/RigVMRegistry.h"
#include "Rigs/RigHierarchy.h"
#include "Rigs/RigHierarchyController.h"
#include "UObject/UnrealType.h"
#include "Units/RigUnitContext.h"

#include <benchmark/benchmark.h>

namespace
{
// Joints on an arc of 4 radians, 40 units in radius, turning and rolling a little along the way, and controls
// along it, slightly off the chain; all global.
struct FSpineShape
{
	TArray<FTransform> Joints;
	TArray<FTransform> Controls;

	FSpineShape(int32 NumJoints, int32 NumControls)
	{
		for (int32 Index = 0; Index < NumJoints; ++Index)
		{
			const double U = double(Index) / double(NumJoints - 1);
			Joints.Add(FTransform(FRotator(15.0 * U, 60.0 * U, -20.0 * U),
				FVector(40.0 * FMath::Sin(4.0 * U), 8.0 * U, 40.0 * FMath::Cos(4.0 * U))));
		}
		for (int32 Index = 0; Index < NumControls; ++Index)
		{
			const double Position = double(Index) * double(NumJoints - 1) / double(NumControls - 1);
			const int32 Lower = FMath::Min(int32(Position), NumJoints - 2);
			FTransform Control;
			Control.Blend(Joints[Lower], Joints[Lower + 1], float(Position - double(Lower)));
			Control.AddToTranslation(FVector(2, -3, 1));
			Controls.Add(Control);
		}
	}
};

// The moving control's offset at a step: it rises and falls along Y.
FTransform Lift(int32 Step)
{
	return FTransform(FVector(0, 10.0 * FMath::Sin(0.1 * double(Step)), 0));
}

void RunRestSplineIK(benchmark::State& State, int32 NumJoints, int32 NumControls, float Stretch)
{
	URigHierarchy Hierarchy;
	URigHierarchyController* Controller = Hierarchy.GetController();
	FRigUnit_QVRestSplineIK Unit;
	Unit.Stretch = Stretch;

	const FSpineShape Shape(NumJoints, NumControls);
	FRigElementKey Parent;
	for (int32 Index = 0; Index < NumJoints; ++Index)
	{
		Parent = Controller->AddBone(*FString::Printf(TEXT("spine_%d"), Index), Parent, Shape.Joints[Index]);
		Unit.Items.Add(Parent);
		Unit.FKPose.Add(
			Controller->AddNull(*FString::Printf(TEXT("fk_spine_%d"), Index), FRigElementKey(), Shape.Joints[Index]));
	}
	FRigControlSettings Settings;
	Settings.ControlType = ERigControlType::Transform;
	for (int32 Index = 0; Index < NumControls; ++Index)
	{
		Unit.Controls.Add(Controller->AddControl(*FString::Printf(TEXT("spine_ctrl_%d"), Index), FRigElementKey(),
			Settings, FRigControlValue::Make<FTransform>(Shape.Controls[Index])));
	}
	const FRigElementKey Moving = Unit.Controls[NumControls / 2];
	const FTransform MovingRest = Hierarchy.GetGlobalTransform(Moving, true);

	// The unit's function is registered when its struct is first requested, as a rig graph does when it loads.
	const UScriptStruct* Struct = FRigUnit_QVRestSplineIK::StaticStruct();
	const FRigVMFunction* Function =
		FRigVMRegistry_RWLock::Get().FindFunction(TEXT("FRigUnit_QVRestSplineIK::Execute"));
	TArray<FRigVMMemoryHandle> Handles;
	for (const FRigVMFunctionArgument& Argument : Function->Arguments)
	{
		Handles.Add(
			FRigVMMemoryHandle(Struct->FindPropertyByName(FName(Argument.Name))->ContainerPtrToValuePtr<uint8>(&Unit)));
	}
	FRigVMExtendedExecuteContext Context;
	Context.Initialize(FControlRigExecuteContext::StaticStruct());
	Context.GetPublicData<FControlRigExecuteContext>().Hierarchy = &Hierarchy;

	int32 Step = 0;
	for (auto _ : State)
	{
		Hierarchy.SetControlValue(Moving, FRigControlValue::Make<FTransform>(MovingRest * Lift(Step++)));
		Function->FunctionPtr(Context, Handles, FRigVMPredicateBranchArray());
	}
}

// The floor: the same solve on the gathered transforms, the same control moving, and no hierarchy around it.
void RunRestSplineIKFloor(benchmark::State& State, int32 NumJoints, int32 NumControls, float Stretch)
{
	const FSpineShape Shape(NumJoints, NumControls);
	TArray<FTransform> Current = Shape.Controls;
	const int32 Moving = NumControls / 2;
	TArray<FTransform> Joints;
	TArray<FTransform> PathFrames;
	TArray<FTransform> JointOffsets;
	FControlRigSpline Spline;
	int32 Step = 0;
	for (auto _ : State)
	{
		Current[Moving] = Shape.Controls[Moving] * Lift(Step++);
		QVRestSplineIK::Solve(Shape.Joints, Shape.Controls, Current, Joints, Spline, PathFrames, JointOffsets, Stretch);
		benchmark::DoNotOptimize(Joints.GetData());
		benchmark::ClobberMemory();
	}
}
} // namespace

static void BM_RestSplineIK_12Joints_Stretch1(benchmark::State& State)
{
	RunRestSplineIK(State, 12, 5, 1.f);
}
BENCHMARK(BM_RestSplineIK_12Joints_Stretch1)->Unit(benchmark::kMicrosecond);

static void BM_RestSplineIK_12Joints_StretchHalf(benchmark::State& State)
{
	RunRestSplineIK(State, 12, 5, 0.5f);
}
BENCHMARK(BM_RestSplineIK_12Joints_StretchHalf)->Unit(benchmark::kMicrosecond);

static void BM_RestSplineIK_30Joints8Controls_Stretch1(benchmark::State& State)
{
	RunRestSplineIK(State, 30, 8, 1.f);
}
BENCHMARK(BM_RestSplineIK_30Joints8Controls_Stretch1)->Unit(benchmark::kMicrosecond);

static void BM_RestSplineIK_30Joints8Controls_StretchHalf(benchmark::State& State)
{
	RunRestSplineIK(State, 30, 8, 0.5f);
}
BENCHMARK(BM_RestSplineIK_30Joints8Controls_StretchHalf)->Unit(benchmark::kMicrosecond);

static void BM_RestSplineIK_12Joints_Stretch1_Floor(benchmark::State& State)
{
	RunRestSplineIKFloor(State, 12, 5, 1.f);
}
BENCHMARK(BM_RestSplineIK_12Joints_Stretch1_Floor)->Unit(benchmark::kMicrosecond);

static void BM_RestSplineIK_12Joints_StretchHalf_Floor(benchmark::State& State)
{
	RunRestSplineIKFloor(State, 12, 5, 0.5f);
}
BENCHMARK(BM_RestSplineIK_12Joints_StretchHalf_Floor)->Unit(benchmark::kMicrosecond);
