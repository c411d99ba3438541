// Channel scalars of transforms and control values, and the on-face rule for 2D controls.
#include "FaceSolverTestRig.h"
#include "QVFaceBoardNames.h"
#include "QVFaceSDKChannels.h"

using namespace QVFaceSDKChannels;

TEST(FaceChannels, TransformChannelsReadAndWriteOneScalar)
{
	FTransform Transform(FRotator(20, 30, 10), FVector(1, 2, 3), FVector(4, 5, 6));
	EXPECT_DOUBLE_EQ(GetTransformChannel(Transform, EQVFaceSDKChannel::TranslationY), 2.0);
	EXPECT_DOUBLE_EQ(GetTransformChannel(Transform, EQVFaceSDKChannel::ScaleZ), 6.0);
	// X is roll, Y pitch, Z yaw (through the engine's arc tangent approximation).
	EXPECT_NEAR(GetTransformChannel(Transform, EQVFaceSDKChannel::RotationX), 10.0, 1e-4);
	EXPECT_NEAR(GetTransformChannel(Transform, EQVFaceSDKChannel::RotationY), 20.0, 1e-4);
	EXPECT_NEAR(GetTransformChannel(Transform, EQVFaceSDKChannel::RotationZ), 30.0, 1e-4);
	for (const EQVFaceSDKChannel Channel :
		{EQVFaceSDKChannel::Rotation, EQVFaceSDKChannel::ValueX, EQVFaceSDKChannel::ValueFloat})
	{
		EXPECT_EQ(GetTransformChannel(Transform, Channel), 0.0);
	}

	// Setting an angle replaces it in the rotator and keeps the other two.
	SetTransformChannel(Transform, EQVFaceSDKChannel::RotationZ, -45.0);
	EXPECT_TRUE(QuatsNear(Transform.GetRotation(), FRotator(20, -45, 10).Quaternion(), 1e-6));
	SetTransformChannel(Transform, EQVFaceSDKChannel::TranslationX, 7.0);
	SetTransformChannel(Transform, EQVFaceSDKChannel::ScaleY, 0.5);
	EXPECT_TRUE(VectorsNear(Transform.GetTranslation(), FVector(7, 2, 3)));
	EXPECT_TRUE(VectorsNear(Transform.GetScale3D(), FVector(4, 0.5, 6)));

	// Rotation and the control-value channels name no scalar of a transform: nothing changes.
	const FTransform Before = Transform;
	for (const EQVFaceSDKChannel Channel : {EQVFaceSDKChannel::Rotation, EQVFaceSDKChannel::ValueY})
	{
		SetTransformChannel(Transform, Channel, 99.0);
		AddToTransformChannel(Transform, Channel, 99.0);
	}
	// Adding works on translation and scale only; angles are accumulated elsewhere.
	AddToTransformChannel(Transform, EQVFaceSDKChannel::RotationX, 99.0);
	EXPECT_TRUE(Transform.Equals(Before, 0.0));
	AddToTransformChannel(Transform, EQVFaceSDKChannel::TranslationZ, 1.5);
	AddToTransformChannel(Transform, EQVFaceSDKChannel::ScaleX, -1.0);
	EXPECT_TRUE(VectorsNear(Transform.GetTranslation(), FVector(7, 2, 4.5)));
	EXPECT_TRUE(VectorsNear(Transform.GetScale3D(), FVector(3, 0.5, 6)));
}

TEST(FaceChannels, ControlValueChannelsReadTheValueOfTheirControlTypes)
{
	const FRigControlValue Float = FRigControlValue::Make<float>(0.25f);
	EXPECT_EQ(GetControlValueChannel(Float, ERigControlType::Float, EQVFaceSDKChannel::ValueFloat), 0.25f);
	EXPECT_EQ(GetControlValueChannel(Float, ERigControlType::ScaleFloat, EQVFaceSDKChannel::ValueFloat), 0.25f);
	EXPECT_EQ(GetControlValueChannel(Float, ERigControlType::Float, EQVFaceSDKChannel::ValueX), 0.f);
	const FRigControlValue Vector = FRigControlValue::Make<FVector3f>(FVector3f(1.f, 2.f, 3.f));
	for (const ERigControlType Type : {ERigControlType::Vector2D, ERigControlType::Position, ERigControlType::Scale})
	{
		EXPECT_EQ(GetControlValueChannel(Vector, Type, EQVFaceSDKChannel::ValueX), 1.f);
		EXPECT_EQ(GetControlValueChannel(Vector, Type, EQVFaceSDKChannel::ValueY), 2.f);
		EXPECT_EQ(GetControlValueChannel(Vector, Type, EQVFaceSDKChannel::ValueZ), 3.f);
		EXPECT_EQ(GetControlValueChannel(Vector, Type, EQVFaceSDKChannel::ValueFloat), 0.f);
	}
	EXPECT_EQ(GetControlValueChannel(Vector, ERigControlType::Rotator, EQVFaceSDKChannel::ValueX), 0.f);
	EXPECT_EQ(GetControlValueChannel(Vector, ERigControlType::Position, EQVFaceSDKChannel::TranslationX), 0.f);

	// Transform and Euler-transform values read as transforms, Euler angles through the rotator's quaternion.
	FTransform Read;
	const FTransform Pose(FRotator(10, 20, 30), FVector(1, 2, 3), FVector(1, 2, 1));
	ASSERT_TRUE(GetControlValueTransform(FRigControlValue::Make<FTransform>(Pose), ERigControlType::Transform, Read));
	EXPECT_TRUE(Read.Equals(Pose, 1e-6));
	const FEulerTransform Euler(FVector(1, 2, 3), FRotator(10, 20, 30), FVector(1, 1, 2));
	ASSERT_TRUE(GetControlValueTransform(
		FRigControlValue::Make<FEulerTransform>(Euler), ERigControlType::EulerTransform, Read));
	EXPECT_TRUE(QuatsNear(Read.GetRotation(), FRotator(10, 20, 30).Quaternion(), 1e-6));
	EXPECT_TRUE(VectorsNear(Read.GetScale3D(), FVector(1, 1, 2)));
	Read = FTransform::Identity;
	EXPECT_FALSE(GetControlValueTransform(
		FRigControlValue::Make<FTransformNoScale>(FTransformNoScale(Pose)), ERigControlType::TransformNoScale, Read));
	EXPECT_FALSE(GetControlValueTransform(Vector, ERigControlType::Position, Read));
	EXPECT_TRUE(Read.Equals(FTransform::Identity, 0.0));
}

TEST(FaceBoardNames, OnFaceControlsAreTheSmilePullsAndThoseBelowAnOnFaceGroupBeforeTheControlBox)
{
	using QVFaceBoardNames::IsOnFaceControl;
	const auto Names = [](std::initializer_list<const TCHAR*> Texts)
	{
		TArray<FName> Result;
		for (const TCHAR* Text : Texts)
		{
			Result.Add(FName(Text));
		}
		return Result;
	};
	const FName Slider(TEXT("ctrlLipUpper_M"));

	// The smile pull prefix ignores case and wins even below the control box.
	EXPECT_TRUE(IsOnFaceControl(FName(TEXT("smilepull_L")), Names({TEXT("ctrlBox")})));
	EXPECT_FALSE(IsOnFaceControl(FName(TEXT("SmilePullL")), Names({})));
	EXPECT_FALSE(IsOnFaceControl(FName(TEXT("Smile")), Names({})));

	// The group name is exact; the follow prefix ignores case.
	EXPECT_TRUE(IsOnFaceControl(Slider, Names({TEXT("offset"), TEXT("OnFacecontrols")})));
	EXPECT_FALSE(IsOnFaceControl(Slider, Names({TEXT("onFaceControls")})));
	EXPECT_TRUE(IsOnFaceControl(Slider, Names({TEXT("SMILEFOLLOW_L"), TEXT("ctrlBox")})));
	// Meeting the control box (exactly so named) first means the board.
	EXPECT_FALSE(IsOnFaceControl(Slider, Names({TEXT("ctrlBox"), TEXT("OnFacecontrols")})));
	EXPECT_TRUE(IsOnFaceControl(Slider, Names({TEXT("CtrlBox"), TEXT("OnFacecontrols")})));
	EXPECT_FALSE(IsOnFaceControl(Slider, Names({TEXT("head"), TEXT("root")})));

	// Only the first 16 ancestors count.
	TArray<FName> Deep;
	for (int32 Level = 0; Level < 15; ++Level)
	{
		Deep.Add(FName(*FString::Printf(TEXT("level_%d"), Level)));
	}
	Deep.Add(FName(TEXT("OnFacecontrols")));
	EXPECT_TRUE(IsOnFaceControl(Slider, Deep));
	Deep.Insert(FName(TEXT("deeper")), 0);
	EXPECT_FALSE(IsOnFaceControl(Slider, Deep));

	// A walk up the hierarchy may stop at the control box or the on-face group, as nothing above either counts; a
	// differently cased control box does not stop it, as an on-face group may still follow.
	EXPECT_TRUE(QVFaceBoardNames::SettlesAncestorWalk(FName(TEXT("ctrlBox"))));
	EXPECT_TRUE(QVFaceBoardNames::SettlesAncestorWalk(FName(TEXT("OnFacecontrols"))));
	EXPECT_FALSE(QVFaceBoardNames::SettlesAncestorWalk(FName(TEXT("CtrlBox"))));
	EXPECT_FALSE(QVFaceBoardNames::SettlesAncestorWalk(FName(TEXT("SmileFollow_L"))));
}
