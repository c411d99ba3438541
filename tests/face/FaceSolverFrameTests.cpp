// The face solver's frame: returns without a hierarchy or an asset, the control box carried by the face joint (the
// default keys included), the visibility switches and the weight gate.
#include "FaceSolverTestRig.h"

#include <gmock/gmock.h>

#include <limits>

namespace
{
bool IsShown(const FFaceSolverRig& Rig, const FRigElementKey& Control)
{
	return Rig.Hierarchy.Find<FRigControlElement>(Control)->Settings.bShapeVisible;
}
} // namespace

TEST(FaceSolverFrame, WithoutHierarchyNothingRunsAndWithoutAssetOnlyTheBoxFollows)
{
	FFaceSolverRig Rig;
	const FRigElementKey Slider =
		Rig.AddControl(TEXT("slider"), Rig.Box, ERigControlType::Float, FRigControlValue::Make<float>(1.f));
	const FRigElementKey Jaw = Rig.AddBone(TEXT("jaw"), Rig.FaceJoint, FTransform(FVector(0, 10, 105)));
	Rig.AddDriven(Rig.AddDriver(TEXT("slider"), EQVFaceSDKChannel::ValueFloat), TEXT("jaw"),
		EQVFaceSDKChannel::RotationZ, {{0.f, 0.f}, {1.f, 40.f}});
	FQVFaceSDKVisibilityGroup& Group = Rig.Asset->VisibilityGroups.AddDefaulted_GetRef();
	Group.bDefaultVisible = false;
	Group.Members.Add(FName(TEXT("slider")));
	Rig.Hierarchy.SetGlobalTransform(Rig.FaceJoint, FTransform(FVector(0, 10, 120)));

	// The context built by Execute() has no hierarchy.
	Rig.Unit.Execute();
	EXPECT_FALSE(Rig.Unit.CachedFaceJoint.IsValid());
	EXPECT_TRUE(Rig.Unit.CachedControls.IsEmpty());

	// Without an asset the box still follows the face joint; nothing else runs and nothing is reported.
	Rig.Unit.FaceRigDataAsset = nullptr;
	Rig.Unit.AccumulatedDrivenKeys.Add(FRigElementKey(TEXT("earlier"), ERigElementType::Bone));
	Rig.Evaluate();
	EXPECT_TRUE(VectorsNear(Rig.Global(Rig.BoxAttach).GetTranslation(), FVector(30, 0, 120)));
	EXPECT_TRUE(Rig.Local(Jaw).Equals(Rig.Local(Jaw, true), 0.0));
	EXPECT_TRUE(IsShown(Rig, Slider));
	EXPECT_TRUE(Rig.Unit.CachedControls.IsEmpty());
	EXPECT_EQ(Rig.Unit.AccumulatedDrivenKeys.Num(), 1);
	EXPECT_TRUE(Rig.Messages().empty());

	Rig.Unit.FaceRigDataAsset = Rig.Asset;
	Rig.Evaluate();
	EXPECT_FALSE(IsShown(Rig, Slider));
	EXPECT_TRUE(QuatsNear(Rig.Local(Jaw).GetRotation(), AxisAngle(FVector(0, 0, 1), 40.0)));
}

TEST(FaceSolverFrame, TheBoxKeepsItsOffsetToTheFaceJointByDefaultKeysAndScalesWithTheFace)
{
	FFaceSolverRig Rig(2.0);
	// Keys left None, by type or by name, mean the bone "FaceJoint_M" and the null "ctrlBoxAttach".
	Rig.Unit.FaceJoint = FRigElementKey(TEXT("elsewhere"), ERigElementType::None);
	Rig.Unit.CtrlBoxAttach = FRigElementKey(NAME_None, ERigElementType::Null);
	const FQuat Turn = AxisAngle(FVector(0, 0, 1), 90.0);
	Rig.Hierarchy.SetGlobalTransform(Rig.FaceJoint, FTransform(Turn, FVector(1, 2, 3), FVector(2, 2, 2)));
	Rig.Evaluate();
	EXPECT_EQ(Rig.Unit.CachedFaceJoint.GetKey(), Rig.FaceJoint);
	EXPECT_EQ(Rig.Unit.CachedCtrlBoxAttach.GetKey(), Rig.BoxAttach);

	// The box's setup offset to the joint, (30, -10, 0), turned with the joint; the joint's doubled setup scale and
	// its doubled current scale cancel, so the box takes the face scale (2, from the joint's setup scale).
	const FTransform Box = Rig.Global(Rig.BoxAttach);
	EXPECT_TRUE(VectorsNear(Box.GetTranslation(), FVector(11, 32, 3)));
	EXPECT_TRUE(QuatsNear(Box.GetRotation(), Turn));
	EXPECT_TRUE(VectorsNear(Box.GetScale3D(), FVector(2, 2, 2)));
	// The board below is carried along.
	EXPECT_TRUE(Rig.Local(Rig.Box).Equals(Rig.Local(Rig.Box, true), 1e-12));

	// A box that does not resolve is skipped silently.
	FFaceSolverRig Other;
	Other.Unit.CtrlBoxAttach = FRigElementKey(TEXT("noBox"), ERigElementType::Null);
	Other.Hierarchy.SetGlobalTransform(Other.FaceJoint, FTransform(FVector(0, 0, 0)));
	Other.Evaluate();
	EXPECT_TRUE(Other.Global(Other.BoxAttach).Equals(Other.Global(Other.BoxAttach, true), 0.0));
	EXPECT_TRUE(Other.Unit.CachedFaceJoint.IsValid());
	EXPECT_FALSE(Other.Unit.CachedCtrlBoxAttach.IsValid());
	EXPECT_TRUE(Other.Messages().empty());
}

TEST(FaceSolverFrame, VisibilityGroupsFollowABooleanSwitchOrTheirDefault)
{
	FFaceSolverRig Rig;
	const FRigElementKey BoolSwitch =
		Rig.AddControl(TEXT("showBrows"), Rig.Box, ERigControlType::Bool, FRigControlValue::Make<bool>(false));
	Rig.AddControl(TEXT("showLips"), Rig.Box, ERigControlType::Float, FRigControlValue::Make<float>(1.f));
	FRigElementKey Members[4];
	for (int32 Index = 0; Index < 4; ++Index)
	{
		Members[Index] = Rig.AddControl(*FString::Printf(TEXT("member%d"), Index), Rig.Box, ERigControlType::Float,
			FRigControlValue::Make<float>(0.f));
	}
	Rig.Hierarchy.SetControlVisibility(Members[2], false);
	const auto AddGroup = [&Rig](const TCHAR* Switch, bool bDefault, std::initializer_list<const TCHAR*> Names)
	{
		FQVFaceSDKVisibilityGroup& Group = Rig.Asset->VisibilityGroups.AddDefaulted_GetRef();
		Group.SwitchControlName = Switch;
		Group.bDefaultVisible = bDefault;
		for (const TCHAR* Name : Names)
		{
			Group.Members.Add(FName(Name));
		}
	};
	AddGroup(TEXT("showBrows"), true, {TEXT("member0"), TEXT("notThere")});
	// A float switch is not a switch: the default holds.
	AddGroup(TEXT("showLips"), false, {TEXT("member1")});
	AddGroup(TEXT("noSwitch"), true, {TEXT("member2")});
	AddGroup(nullptr, false, {TEXT("MEMBER3")});

	Rig.Evaluate();
	EXPECT_FALSE(IsShown(Rig, Members[0]));
	EXPECT_FALSE(IsShown(Rig, Members[1]));
	EXPECT_TRUE(IsShown(Rig, Members[2]));
	EXPECT_FALSE(IsShown(Rig, Members[3]));
	EXPECT_TRUE(Rig.Messages().empty());

	Rig.SetValue(BoolSwitch, FRigControlValue::Make<bool>(true));
	Rig.Evaluate();
	EXPECT_TRUE(IsShown(Rig, Members[0]));
}

TEST(FaceSolverFrame, AtWeightZeroTheRowsDriveNothingAndANaNWeightDrivesThemFully)
{
	const auto MakeRig = [](float Weight)
	{
		TUniquePtr<FFaceSolverRig> Rig = MakeUnique<FFaceSolverRig>();
		Rig->AddControl(TEXT("slider"), Rig->Box, ERigControlType::Float, FRigControlValue::Make<float>(0.5f));
		Rig->AddBone(TEXT("jaw"), Rig->FaceJoint, FTransform(FVector(0, 10, 105)));
		FQVFaceSDKDriver& Driver = Rig->AddDriver(TEXT("slider"), EQVFaceSDKChannel::ValueFloat);
		Rig->AddDriven(Driver, TEXT("jaw"), EQVFaceSDKChannel::RotationZ, {{0.f, 0.f}, {1.f, 40.f}});
		Rig->AddDriven(Driver, TEXT("jaw"), EQVFaceSDKChannel::TranslationX, {{0.f, 0.f}, {1.f, 2.f}});
		Rig->AddDriven(Driver, TEXT("jaw"), EQVFaceSDKChannel::TranslationY, {{0.f, 0.f}, {1.f, 3.f}}).TransformSpace =
			EQVFaceSDKTransformSpace::World;
		Rig->AddDriven(Driver, TEXT("jaw"), EQVFaceSDKChannel::ScaleZ, {{0.f, 1.f}, {1.f, 3.f}}).ApplyMode =
			EQVFaceSDKApplyMode::Absolute;
		FQVDrivenSDKChannel& Turn = Rig->AddDriven(Driver, TEXT("jaw"), EQVFaceSDKChannel::Rotation, {});
		Turn.bQuaternionRotation = true;
		Turn.QuaternionKeys.Add({0.f, FQuat::Identity});
		Turn.QuaternionKeys.Add({1.f, AxisAngle(FVector(1, 0, 0), 60.0)});
		Rig->Unit.Weight = Weight;
		return Rig;
	};
	const FRigElementKey Jaw(TEXT("jaw"), ERigElementType::Bone);

	// At or below 1e-8 the rows are skipped: a jaw moved by someone else stays where it was put.
	for (const float Weight : {0.f, 1e-8f, -1.f})
	{
		TUniquePtr<FFaceSolverRig> Rig = MakeRig(Weight);
		const FTransform Moved(FVector(7, 8, 9));
		Rig->Hierarchy.SetLocalTransform(Jaw, Moved);
		Rig->Evaluate();
		EXPECT_TRUE(Rig->Local(Jaw).Equals(Moved, 0.0)) << Weight;
		EXPECT_TRUE(Rig->Unit.CachedControls.IsEmpty());
		EXPECT_TRUE(Rig->Unit.CachedCtrlBoxAttach.IsValid());
	}

	// A NaN weight passes the gate; every row then acts as at weight 1 and no NaN reaches the bone.
	TUniquePtr<FFaceSolverRig> Full = MakeRig(1.f);
	TUniquePtr<FFaceSolverRig> NaN = MakeRig(std::numeric_limits<float>::quiet_NaN());
	Full->Evaluate();
	NaN->Evaluate();
	const FTransform Expected = Full->Local(Jaw);
	const FTransform Got = NaN->Local(Jaw);
	EXPECT_FALSE(Got.ContainsNaN());
	EXPECT_TRUE(Got.Equals(Expected, 0.0));
	EXPECT_TRUE(VectorsNear(Expected.GetTranslation(), Full->Local(Jaw, true).GetTranslation() + FVector(1, 1.5, 0)));
	EXPECT_TRUE(VectorsNear(Expected.GetScale3D(), FVector(1, 1, 2)));
	EXPECT_TRUE(
		QuatsNear(Expected.GetRotation(), AxisAngle(FVector(1, 0, 0), 30.0) * AxisAngle(FVector(0, 0, 1), 20.0), 1e-9));
}
