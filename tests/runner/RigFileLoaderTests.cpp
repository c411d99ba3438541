// A valid rig file loads whole: elements, parents, spaces, control values, channels, unit pins and animation.
#include "QVRig/RigNode.h"
#include "RunnerTestUtils.h"
#include "Rigs/RigHierarchyElements.h"
#include "UObject/Class.h"
#include "UObject/UnrealType.h"

#include <cmath>

namespace
{
const std::string ValidRig = MakeRigText(R"(
		{ "type": "bone", "name": "root", "transform": { "translation": [0, 0, 10] }, "space": "global" },
		{ "type": "bone", "name": "spine", "parent": "root",
		  "transform": { "translation": [0, 0, 5], "rotation": { "pitch": 90 } } },
		{ "type": "null", "name": "spine", "parent": { "type": "bone", "name": "SPINE" },
		  "transform": { "translation": [1, 2, 3] }, "space": "global" },
		{ "type": "null", "name": "tip", "parent": { "type": "null", "name": "spine" },
		  "transform": { "rotation": [0, 0, 0.7071067811865476, 0.7071067811865476], "scale": [2, 2, 2] } },
		{ "type": "control", "name": "c_bool", "controlType": "Bool", "value": true },
		{ "type": "control", "name": "c_float", "controlType": "Float", "primaryAxis": "Y", "value": 2.5 },
		{ "type": "control", "name": "c_scalefloat", "controlType": "ScaleFloat", "value": 2 },
		{ "type": "control", "name": "c_int", "controlType": "Integer", "value": -7 },
		{ "type": "control", "name": "c_vec2", "controlType": "Vector2D", "value": [1, 2] },
		{ "type": "control", "name": "c_pos", "parent": "tip", "controlType": "Position", "value": [1, 2, 3],
		  "offset": { "translation": [10, 0, 0] }, "shape": { "scale": [4, 4, 4] }, "displayName": "Pos",
		  "visible": false },
		{ "type": "control", "name": "c_global", "parent": "root", "controlType": "Position",
		  "offset": { "translation": [5, 5, 5] }, "space": "global" },
		{ "type": "control", "name": "c_scale", "controlType": "Scale", "value": [2, 3, 4] },
		{ "type": "control", "name": "c_rot", "controlType": "Rotator", "value": [10, 20, 30] },
		{ "type": "control", "name": "c_xf", "controlType": "Transform",
		  "value": { "translation": [1, 0, 0], "rotation": { "yaw": 90 }, "scale": [1, 2, 1] } },
		{ "type": "control", "name": "c_xfns", "controlType": "transformnoscale",
		  "value": { "translation": [0, 1, 0] } },
		{ "type": "control", "name": "c_euler", "controlType": "EulerTransform",
		  "value": { "rotation": { "pitch": 100, "yaw": 200, "roll": -30 } } },
		{ "type": "control", "name": "c_chan", "parent": "c_pos", "controlType": "Float",
		  "animationType": "AnimationChannel", "value": 4 }
	)",
	R"(,
		"graph": [ { "unit": "RigUnit_QVReverseFootRoll", "label": "foot",
			"pins": { "RollChannel": "c_chan", "HeelRoller": "", "RollStartAngle": 25, "InnerRockAxis": "X" } } ],
		"animation": { "frameRate": 24, "frameCount": 10,
			"tracks": [ { "control": "C_FLOAT", "keys": [ [0, 0], [9, 9] ] } ] })");

FRigElementKey Bone(const TCHAR* InName)
{
	return FRigElementKey(InName, ERigElementType::Bone);
}
FRigElementKey Null(const TCHAR* InName)
{
	return FRigElementKey(InName, ERigElementType::Null);
}
FRigElementKey Control(const TCHAR* InName)
{
	return FRigElementKey(InName, ERigElementType::Control);
}
} // namespace

TEST(RigFileLoader, BuildsElementsWithParentsAndTransformsInBothSpaces)
{
	FString Error;
	const TUniquePtr<FQVRig> Rig = LoadRigText(ValidRig, Error);
	ASSERT_TRUE(Rig) << *Error;
	const URigHierarchy& Hierarchy = Rig->GetHierarchy();
	EXPECT_EQ(Hierarchy.Num(ERigElementType::Bone), 2);
	EXPECT_EQ(Hierarchy.Num(ERigElementType::Null), 2);
	EXPECT_EQ(Hierarchy.Num(ERigElementType::Control), 13);

	// Parents by bare name, and by key where a bone and a null share a name (keys ignore case).
	EXPECT_EQ(Hierarchy.GetFirstParent(Bone(TEXT("spine"))), Bone(TEXT("root")));
	EXPECT_EQ(Hierarchy.GetFirstParent(Null(TEXT("spine"))), Bone(TEXT("spine")));
	EXPECT_EQ(Hierarchy.GetFirstParent(Null(TEXT("tip"))), Null(TEXT("spine")));
	EXPECT_EQ(Hierarchy.GetFirstParent(Control(TEXT("c_chan"))), Control(TEXT("c_pos")));

	// Local: the spine sits 5 above the root at (0, 0, 10).
	EXPECT_TRUE(
		VectorsNear(Hierarchy.GetGlobalTransform(Bone(TEXT("spine")), true).GetTranslation(), FVector(0, 0, 15)));
	// Global: the null keeps (1, 2, 3) in rig space. Below the spine (pitched 90 degrees, so its X points up and its
	// Z points back along -X) that is (1, 2, -12) from the spine, which in the spine's axes is (-12, 2, -1).
	EXPECT_TRUE(
		VectorsNear(Hierarchy.GetGlobalTransform(Null(TEXT("spine")), true).GetTranslation(), FVector(1, 2, 3)));
	EXPECT_TRUE(
		VectorsNear(Hierarchy.GetLocalTransform(Null(TEXT("spine")), true).GetTranslation(), FVector(-12, 2, -1)));
	const FTransform TipLocal = Hierarchy.GetLocalTransform(Null(TEXT("tip")), true);
	EXPECT_TRUE(QuatsNear(TipLocal.GetRotation(), FQuat(0, 0, std::sqrt(0.5), std::sqrt(0.5))));
	EXPECT_TRUE(VectorsNear(TipLocal.GetScale3D(), FVector(2, 2, 2)));
}

TEST(RigFileLoader, ShapesEachControlTypesValueAndReadsControlSettings)
{
	FString Error;
	const TUniquePtr<FQVRig> Rig = LoadRigText(ValidRig, Error);
	ASSERT_TRUE(Rig) << *Error;
	URigHierarchy& Hierarchy = Rig->GetHierarchy();
	const auto Value = [&Hierarchy](const TCHAR* InName)
	{ return Hierarchy.GetControlValue(Control(InName), ERigControlValueType::Initial); };

	EXPECT_TRUE(Value(TEXT("c_bool")).Get<bool>());
	EXPECT_FLOAT_EQ(Value(TEXT("c_float")).Get<float>(), 2.5f);
	// A float control moves along its primary axis.
	EXPECT_TRUE(
		VectorsNear(Hierarchy.GetLocalTransform(Control(TEXT("c_float"))).GetTranslation(), FVector(0, 2.5, 0)));
	EXPECT_FLOAT_EQ(Value(TEXT("c_scalefloat")).Get<float>(), 2.f);
	EXPECT_EQ(Value(TEXT("c_int")).Get<int32>(), -7);
	EXPECT_EQ(URigHierarchy::GetVector2DFromControlValue(Value(TEXT("c_vec2"))), FVector2D(1, 2));
	EXPECT_EQ(URigHierarchy::GetVectorFromControlValue(Value(TEXT("c_scale"))), FVector(2, 3, 4));
	EXPECT_TRUE(URigHierarchy::GetRotatorFromControlValue(Value(TEXT("c_rot"))).Equals(FRotator(10, 20, 30), 1e-5));
	const FTransform Transform = URigHierarchy::GetTransformFromControlValue(Value(TEXT("c_xf")));
	EXPECT_TRUE(QuatsNear(Transform.GetRotation(), FQuat(0, 0, std::sqrt(0.5), std::sqrt(0.5))));
	EXPECT_TRUE(VectorsNear(Transform.GetScale3D(), FVector(1, 2, 1)));
	EXPECT_TRUE(
		VectorsNear(Value(TEXT("c_xfns")).Get<FRigControlValue::FTransformNoScale_Float>().ToTransform().Location,
			FVector(0, 1, 0)));
	// Euler transforms keep the angles as written, beyond what a quaternion could tell apart.
	const FRotator Euler = URigHierarchy::GetEulerTransformFromControlValue(Value(TEXT("c_euler"))).Rotation;
	EXPECT_NEAR(Euler.Pitch, 100.0, 1e-4);
	EXPECT_NEAR(Euler.Yaw, 200.0, 1e-4);
	EXPECT_NEAR(Euler.Roll, -30.0, 1e-4);

	// The position control: value (1, 2, 3), then its offset (10, 0, 0), then the tip's global transform
	// (rotated 90 degrees about Z and scaled 2 at (1, 2, 3)): (11, 2, 3) becomes (-4, 22, 6) + (1, 2, 3).
	EXPECT_TRUE(VectorsNear(Hierarchy.GetGlobalTransform(Control(TEXT("c_pos"))).GetTranslation(), FVector(-3, 24, 9)));
	FRigControlElement* Pos = Hierarchy.Find<FRigControlElement>(Control(TEXT("c_pos")));
	EXPECT_EQ(Pos->Settings.DisplayName, FName(TEXT("Pos")));
	EXPECT_FALSE(Pos->Settings.IsVisible());
	EXPECT_TRUE(VectorsNear(
		Hierarchy.GetControlShapeTransform(Pos, ERigTransformType::InitialLocal).GetScale3D(), FVector(4, 4, 4)));
	// A global offset is stored relative to the parent (the root, 10 up).
	FRigControlElement* Global = Hierarchy.Find<FRigControlElement>(Control(TEXT("c_global")));
	EXPECT_TRUE(
		VectorsNear(Hierarchy.GetControlOffsetTransform(Global, ERigTransformType::InitialLocal).GetTranslation(),
			FVector(5, 5, -5)));

	FRigControlElement* Channel = Hierarchy.Find<FRigControlElement>(Control(TEXT("c_chan")));
	ASSERT_NE(Channel, nullptr);
	EXPECT_TRUE(Channel->IsAnimationChannel());
	EXPECT_FLOAT_EQ(Value(TEXT("c_chan")).Get<float>(), 4.f);
	EXPECT_FLOAT_EQ(Hierarchy.GetControlValue(Control(TEXT("c_chan"))).Get<float>(), 4.f);
}

TEST(RigFileLoader, SetsNamedPinsAndKeepsTheOthersDefaultsAndReadsTheAnimation)
{
	FString Error;
	const TUniquePtr<FQVRig> Rig = LoadRigText(ValidRig, Error);
	ASSERT_TRUE(Rig) << *Error;
	ASSERT_EQ(Rig->GetNodes().Num(), 1);
	const FQVRigNode& Node = *Rig->GetNodes()[0];
	EXPECT_EQ(Node.GetStruct()->GetFName(), FName(TEXT("RigUnit_QVReverseFootRoll")));
	const auto Pin = [&Node](const TCHAR* InName) -> const void*
	{
		const FProperty* Property = Node.GetStruct()->FindPropertyByName(InName);
		return Property != nullptr ? Property->ContainerPtrToValuePtr<void>(Node.GetMemory()) : nullptr;
	};
	EXPECT_EQ(*static_cast<const FName*>(Pin(TEXT("RollChannel"))), FName(TEXT("c_chan")));
	EXPECT_TRUE(static_cast<const FName*>(Pin(TEXT("HeelRoller")))->IsNone());
	EXPECT_EQ(*static_cast<const FName*>(Pin(TEXT("InnerRockAxis"))), FName(TEXT("X")));
	EXPECT_EQ(*static_cast<const FName*>(Pin(TEXT("OuterRockAxis"))), FName(TEXT("Z")));
	EXPECT_FLOAT_EQ(*static_cast<const float*>(Pin(TEXT("RollStartAngle"))), 25.f);
	EXPECT_FLOAT_EQ(*static_cast<const float*>(Pin(TEXT("RollEndAngle"))), 60.f);
	EXPECT_FLOAT_EQ(*static_cast<const float*>(Pin(TEXT("InnerRockMin"))), -200.f);

	const FQVRigAnimation& Animation = Rig->GetAnimation();
	EXPECT_DOUBLE_EQ(Animation.FrameRate, 24.0);
	EXPECT_EQ(Animation.FrameCount, 10);
	ASSERT_EQ(Animation.Tracks.Num(), 1);
	EXPECT_EQ(Animation.Tracks[0].Control, Control(TEXT("c_float")));
	EXPECT_EQ(Animation.Tracks[0].ControlType, ERigControlType::Float);
	EXPECT_EQ(Animation.Tracks[0].Keys.Num(), 2);

	// A file without animation has the single frame 0.
	const TUniquePtr<FQVRig> Still = LoadRigText(MakeRigText(R"({ "type": "null", "name": "a" })"), Error);
	ASSERT_TRUE(Still) << *Error;
	EXPECT_EQ(Still->GetAnimation().FrameCount, 1);
	EXPECT_TRUE(Still->GetNodes().IsEmpty());
}
