// Rigs for the bend solver tests and the two ways of evaluating the unit.
#include "BendTestRig.h"

#include "RigVMCore/RigVMRegistry.h"
#include "UObject/UnrealType.h"

#include <cmath>

void EvaluateBendSolver(FRigUnit_QVBendySolver& Unit, URigHierarchy* Hierarchy, EBendEntry Entry)
{
	if (Entry == EBendEntry::Member)
	{
		FControlRigExecuteContext Context;
		Context.Hierarchy = Hierarchy;
		Unit.Execute(Context);
		return;
	}
	// The unit's function is registered when its struct is first requested, as a rig graph does when it loads.
	const UScriptStruct* Struct = FRigUnit_QVBendySolver::StaticStruct();
	const FRigVMFunction* Function = FRigVMRegistry_RWLock::Get().FindFunction(TEXT("FRigUnit_QVBendySolver::Execute"));
	ASSERT_NE(Function, nullptr);
	TArray<FRigVMMemoryHandle> Handles;
	for (TFieldIterator<FProperty> It(Struct, EFieldIteratorFlags::ExcludeSuper); It; ++It)
	{
		Handles.Add(FRigVMMemoryHandle(It->ContainerPtrToValuePtr<uint8>(&Unit)));
	}
	FRigVMExtendedExecuteContext Context(FControlRigExecuteContext::StaticStruct());
	Context.GetPublicData<FControlRigExecuteContext>().Hierarchy = Hierarchy;
	Function->FunctionPtr(Context, FRigVMMemoryHandleArray(Handles), FRigVMPredicateBranchArray());
}

FQVBendHandle MakeHandle(FName Control, FName Space, float Parameter, FName ParentControl)
{
	FQVBendHandle Handle;
	Handle.Control = Control;
	Handle.Space = Space;
	Handle.ParentControl = ParentControl;
	Handle.Parameter = Parameter;
	return Handle;
}

TArray<FName> FBendTestRig::AddChain(
	const FString& Prefix, int32 Count, const FTransform& FirstGlobal, double Spacing, FRigElementKey Parent)
{
	TArray<FName> Names;
	for (int32 Index = 0; Index < Count; ++Index)
	{
		const FName Name(FString::Printf(TEXT("%s_%d"), *Prefix, Index));
		Parent = Index == 0 ? Controller->AddBone(Name, Parent, FirstGlobal, true)
							: Controller->AddBone(Name, Parent, FTransform(FVector(Spacing, 0, 0)), false);
		Names.Add(Name);
	}
	return Names;
}

void FBendTestRig::AddPoseRecords(TConstArrayView<FName> Bones)
{
	for (const FName& Bone : Bones)
	{
		Controller->AddNull(FName(TEXT("QVBendBase_") + Bone.ToString()), FRigElementKey(),
			Hierarchy.GetLocalTransform(FRigElementKey(Bone, ERigElementType::Bone), true), false);
	}
}

void FBendTestRig::AddHandleControl(FName Control, FName Space, const FTransform& SpaceGlobal, FRigElementKey Parent)
{
	const FRigElementKey SpaceKey = Controller->AddNull(Space, Parent, SpaceGlobal, true);
	FRigControlSettings Settings;
	Settings.ControlType = ERigControlType::Transform;
	Controller->AddControl(Control, SpaceKey, Settings, FRigControlValue::Make<FTransform>(FTransform::Identity));
}

void FBendTestRig::SetControlLocal(FName Control, const FTransform& Local)
{
	Hierarchy.SetControlValue(
		FRigElementKey(Control, ERigElementType::Control), FRigControlValue::Make<FTransform>(Local));
}

TArray<FTransform> FBendTestRig::CapturePose() const
{
	TArray<FTransform> Pose;
	for (int32 Index = 0; Index < Hierarchy.Num(); ++Index)
	{
		Pose.Add(Hierarchy.GetLocalTransformByIndex(Index));
		Pose.Add(Hierarchy.GetGlobalTransformByIndex(Index));
	}
	return Pose;
}

FBendSegmentRig::FBendSegmentRig(int32 NumHandles, bool bWithMaster)
{
	Bones = AddChain(TEXT("arm"), 5, FTransform::Identity, 10.0);
	AddPoseRecords(Bones);
	Segment.Bones = Bones;
	Segment.Parameters = {0.f, 0.25f, 0.5f, 0.75f, 1.f};
	for (int32 Handle = 0; Handle < NumHandles; ++Handle)
	{
		const float Parameter = float(Handle) / float(NumHandles - 1);
		const FName Control(FString::Printf(TEXT("handle_%d"), Handle));
		const FName Space(FString::Printf(TEXT("handle_%d_space"), Handle));
		AddHandleControl(Control, Space, FTransform(FVector(40.0 * Parameter, 0, 0)));
		Segment.Handles.Add(MakeHandle(Control, Space, Parameter));
	}
	if (bWithMaster)
	{
		AddHandleControl(TEXT("master"), TEXT("master_space"), FTransform(FVector(20, 0, 0)));
		Segment.Master = TEXT("master");
		Segment.MasterSpace = TEXT("master_space");
	}
	Unit.Segments = {Segment};
	Unit.SnapshotBones = Bones;
}

namespace
{
std::string Describe(const FTransform& Transform)
{
	const FQuat Q = Transform.GetRotation();
	const FVector T = Transform.GetTranslation();
	const FVector S = Transform.GetScale3D();
	return *FString::Printf(TEXT("{q (%.17g, %.17g, %.17g, %.17g) t (%.17g, %.17g, %.17g) s (%.17g, %.17g, %.17g)}"),
		Q.X, Q.Y, Q.Z, Q.W, T.X, T.Y, T.Z, S.X, S.Y, S.Z);
}
} // namespace

::testing::AssertionResult SameTransform(const FTransform& A, const FTransform& B)
{
	const FQuat QA = A.GetRotation();
	const FQuat QB = B.GetRotation();
	if (QA.X == QB.X && QA.Y == QB.Y && QA.Z == QB.Z && QA.W == QB.W && A.GetTranslation() == B.GetTranslation() &&
		A.GetScale3D() == B.GetScale3D())
	{
		return ::testing::AssertionSuccess();
	}
	return ::testing::AssertionFailure() << Describe(A) << " vs " << Describe(B);
}

::testing::AssertionResult TransformsNear(const FTransform& A, const FTransform& B, double Tolerance)
{
	if (A.GetRotation().Equals(B.GetRotation(), Tolerance) &&
		A.GetTranslation().Equals(B.GetTranslation(), Tolerance) && A.GetScale3D().Equals(B.GetScale3D(), Tolerance))
	{
		return ::testing::AssertionSuccess();
	}
	return ::testing::AssertionFailure() << Describe(A) << " vs " << Describe(B);
}

double TwistDegreesAboutX(const FQuat& Rotation)
{
	EXPECT_NEAR(Rotation.Y, 0.0, 1e-9);
	EXPECT_NEAR(Rotation.Z, 0.0, 1e-9);
	return 2.0 * std::atan2(Rotation.X, Rotation.W) * 180.0 / UE_DOUBLE_PI;
}

INSTANTIATE_TEST_SUITE_P(Entries, BendEntries, ::testing::Values(EBendEntry::Member, EBendEntry::RigVM),
	[](const ::testing::TestParamInfo<EBendEntry>& Info)
	{ return std::string(Info.param == EBendEntry::Member ? "Execute" : "RigVMExecute"); });
