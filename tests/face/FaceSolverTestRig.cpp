// The face solver test rig.
#include "FaceSolverTestRig.h"

#include "QVHost/RigVMExecuteContextAccess.h"
#include "RigVMCore/RigVMRegistry.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UnrealType.h"

#include <cmath>

FFaceSolverRig::FFaceSolverRig(double FaceJointScale) : Asset(NewObject<UQVFaceRigDataAsset>())
{
	Head = AddBone(TEXT("head"), FRigElementKey(), FTransform(FVector(0, 0, 100)));
	FaceJoint = AddBone(TEXT("FaceJoint_M"), Head,
		FTransform(FQuat::Identity, FVector(0, 10, 110), FVector(FaceJointScale, FaceJointScale, FaceJointScale)));
	BoxAttach = AddNull(TEXT("ctrlBoxAttach"), Head, FTransform(FVector(30, 0, 110)));
	Box = AddNull(TEXT("ctrlBox"), BoxAttach, FTransform(FVector(30, 0, 110)));
	Unit.FaceRigDataAsset = Asset;
}

FRigElementKey FFaceSolverRig::AddBone(const TCHAR* Name, const FRigElementKey& Parent, const FTransform& Global)
{
	return Hierarchy.GetController()->AddBone(Name, Parent, Global, true);
}

FRigElementKey FFaceSolverRig::AddNull(const TCHAR* Name, const FRigElementKey& Parent, const FTransform& Global)
{
	return Hierarchy.GetController()->AddNull(Name, Parent, Global, true);
}

FRigElementKey FFaceSolverRig::AddControl(const TCHAR* Name, const FRigElementKey& Parent, ERigControlType Type,
	const FRigControlValue& Value, const FTransform& OffsetGlobal, ERigControlAxis PrimaryAxis)
{
	FRigControlSettings Settings;
	Settings.ControlType = Type;
	Settings.PrimaryAxis = PrimaryAxis;
	const FTransform Offset = OffsetGlobal.GetRelativeTransform(Hierarchy.GetGlobalTransform(Parent, true));
	return Hierarchy.GetController()->AddControl(Name, Parent, Settings, Value, Offset);
}

FRigElementKey FFaceSolverRig::AddChannel(const TCHAR* Name, const FRigElementKey& Control, const TCHAR* DisplayName)
{
	FRigControlSettings Settings;
	Settings.ControlType = ERigControlType::Float;
	if (DisplayName != nullptr)
	{
		Settings.DisplayName = FName(DisplayName);
	}
	return Hierarchy.GetController()->AddAnimationChannel(Name, Control, Settings);
}

FQVFaceSDKDriver& FFaceSolverRig::AddDriver(const TCHAR* Control, EQVFaceSDKChannel Channel)
{
	FQVFaceSDKDriver& Driver = Asset->Drivers.AddDefaulted_GetRef();
	Driver.ControlName = Control;
	Driver.Channel = Channel;
	return Driver;
}

FQVDrivenSDKChannel& FFaceSolverRig::AddDriven(FQVFaceSDKDriver& Driver, const TCHAR* Target, EQVFaceSDKChannel Channel,
	std::initializer_list<std::pair<float, float>> Keys)
{
	FQVDrivenSDKChannel& Driven = Driver.Driven.AddDefaulted_GetRef();
	Driven.BoneName = Target;
	Driven.Channel = Channel;
	for (const std::pair<float, float>& Key : Keys)
	{
		FQVSDKKey& Added = Driven.Keys.AddDefaulted_GetRef();
		Added.X = Key.first;
		Added.Y = Key.second;
	}
	return Driven;
}

void FFaceSolverRig::SetValue(const FRigElementKey& Control, const FRigControlValue& Value)
{
	Hierarchy.SetControlValue(Control, Value);
}

void FFaceSolverRig::SetEulerValue(const FRigElementKey& Control, const FTransform& Value)
{
	FRigControlElement* Element = Hierarchy.Find<FRigControlElement>(Control);
	Hierarchy.SetControlValue(
		Element, FRigControlValue::Make<FEulerTransform>(FEulerTransform(Value)), ERigControlValueType::Current);
	Hierarchy.SetControlPreferredEulerAngles(Element, Value);
}

void FFaceSolverRig::Evaluate(EFaceSolverEntry Entry)
{
	const FName FunctionName(TEXT("FRigUnit_QVFaceSDKSolver::Execute"));
	if (Entry == EFaceSolverEntry::Member)
	{
		FControlRigExecuteContext Context;
		Context.Hierarchy = &Hierarchy;
		Context.SetLog(&Log);
		QVHost::FRigVMExecuteContextAccess::SetFunctionName(Context, FunctionName);
		Unit.Execute(Context);
		return;
	}

	// The function is registered when the struct is first requested, as a rig graph does when it loads.
	const UScriptStruct* Struct = FRigUnit_QVFaceSDKSolver::StaticStruct();
	const FRigVMFunction* Function = FRigVMRegistry_RWLock::Get().FindFunction(*FunctionName.ToString());
	ASSERT_NE(Function, nullptr);
	TArray<FRigVMMemoryHandle> Handles;
	for (TFieldIterator<FProperty> It(Struct, EFieldIteratorFlags::ExcludeSuper); It; ++It)
	{
		Handles.Add(FRigVMMemoryHandle(It->ContainerPtrToValuePtr<uint8>(&Unit)));
	}
	FRigVMExtendedExecuteContext Context(FControlRigExecuteContext::StaticStruct());
	FControlRigExecuteContext& PublicContext = Context.GetPublicData<FControlRigExecuteContext>();
	PublicContext.Hierarchy = &Hierarchy;
	PublicContext.SetLog(&Log);
	QVHost::FRigVMExecuteContextAccess::SetFunctionName(PublicContext, FunctionName);
	Function->FunctionPtr(Context, FRigVMMemoryHandleArray(Handles), FRigVMPredicateBranchArray());
}

std::vector<std::string> FFaceSolverRig::Messages() const
{
	std::vector<std::string> Texts;
	for (const FRigVMLog::FLogEntry& Entry : Log.Entries)
	{
		Texts.push_back(*Entry.Message);
	}
	return Texts;
}

::testing::AssertionResult QuatsNear(const FQuat& A, const FQuat& B, double Tolerance)
{
	if (A.Equals(B, Tolerance))
	{
		return ::testing::AssertionSuccess();
	}
	return ::testing::AssertionFailure() << *FString::Printf(
			   TEXT("(%.12g, %.12g, %.12g, %.12g) vs (%.12g, %.12g, %.12g, %.12g)"), A.X, A.Y, A.Z, A.W, B.X, B.Y, B.Z,
			   B.W);
}

::testing::AssertionResult VectorsNear(const FVector& A, const FVector& B, double Tolerance)
{
	if (A.Equals(B, Tolerance))
	{
		return ::testing::AssertionSuccess();
	}
	return ::testing::AssertionFailure() << *FString::Printf(
			   TEXT("(%.12g, %.12g, %.12g) vs (%.12g, %.12g, %.12g)"), A.X, A.Y, A.Z, B.X, B.Y, B.Z);
}

FQuat AxisAngle(const FVector& Axis, double Degrees)
{
	const double Half = Degrees * 3.14159265358979323846 / 360.0;
	const double Sine = std::sin(Half);
	return FQuat(Axis.X * Sine, Axis.Y * Sine, Axis.Z * Sine, std::cos(Half));
}

::testing::AssertionResult TransformsNear(const FTransform& A, const FTransform& B, double Tolerance)
{
	::testing::AssertionResult Result = VectorsNear(A.GetTranslation(), B.GetTranslation(), Tolerance);
	if (Result)
	{
		Result = QuatsNear(A.GetRotation(), B.GetRotation(), Tolerance);
	}
	if (Result)
	{
		Result = VectorsNear(A.GetScale3D(), B.GetScale3D(), Tolerance);
	}
	return Result;
}
