// The pose each frame starts from: carried over from the frame before (bones taking their initial pose), as in the
// engine, or reset whole; unit memory carries over either way.
#include "QVRig/RigEvaluator.h"
#include "RunnerTestUtils.h"

namespace
{
const FRigElementKey Spinner(TEXT("spinner"), ERigElementType::Null);
const FRigElementKey Arm(TEXT("arm"), ERigElementType::Bone);
const FRigElementKey Dial(TEXT("dial"), ERigElementType::Control);
const FRigElementKey Slider(TEXT("slider"), ERigElementType::Control);

// Every frame the turn unit adds 10 degrees of yaw to a null, a bone and an unanimated rotator control; the slider is
// animated from 0 to 4 over frames 0 to 4. The counting unit keeps its run count in a hidden pin.
TUniquePtr<FQVRig> LoadTurningRig()
{
	FString Error;
	TUniquePtr<FQVRig> Rig = LoadRigText(MakeRigText(R"(
			{ "type": "bone", "name": "arm", "transform": { "rotation": { "yaw": 5 } } },
			{ "type": "null", "name": "spinner", "transform": { "translation": [1, 2, 3], "rotation": { "yaw": 5 } } },
			{ "type": "null", "name": "counter" },
			{ "type": "control", "name": "dial", "controlType": "Rotator", "value": [0, 5, 0] },
			{ "type": "control", "name": "slider", "controlType": "Float" })",
											 R"(,
			"graph": [
				{ "unit": "/Script/QVRunnerTests.RigUnit_QVRunnerTestTurn", "pins": { "Target": { "type": "null", "name": "spinner" } } },
				{ "unit": "/Script/QVRunnerTests.RigUnit_QVRunnerTestTurn", "pins": { "Target": { "type": "bone", "name": "arm" } } },
				{ "unit": "/Script/QVRunnerTests.RigUnit_QVRunnerTestTurn", "pins": { "Target": { "type": "control", "name": "dial" } } },
				{ "unit": "/Script/QVRunnerTests.RigUnit_QVRunnerTest", "pins": { "Target": { "type": "null", "name": "counter" } } } ],
			"animation": { "frameCount": 5, "tracks": [ { "control": "slider", "keys": [ [0, 0], [4, 4] ] } ] })"),
		Error);
	EXPECT_TRUE(Rig) << *Error;
	return Rig;
}

// A rotator control's local transform is its value.
double Yaw(const FQVRig& InRig, const FRigElementKey& InKey)
{
	return InRig.GetHierarchy().GetLocalTransform(InKey).Rotator().Yaw;
}

// The counting unit places its target at (sum, count, runs so far).
double Runs(const FQVRig& InRig)
{
	return InRig.GetHierarchy()
		.GetGlobalTransform(FRigElementKey(TEXT("counter"), ERigElementType::Null))
		.GetTranslation()
		.Z;
}
} // namespace

TEST(FrameStart, ByDefaultThePoseCarriesOverAndOnlyBonesAndAnimatedControlsAreSetEachFrame)
{
	const TUniquePtr<FQVRig> Rig = LoadTurningRig();
	ASSERT_TRUE(Rig);
	FQVRigEvaluator Evaluator(*Rig);
	for (int32 Frame = 0; Frame < 3; ++Frame)
	{
		Evaluator.EvaluateFrame(Frame);
	}
	// Three turns pile up on the null and the unanimated control; the null keeps its translation.
	EXPECT_NEAR(Yaw(*Rig, Spinner), 35.0, 1e-4);
	EXPECT_TRUE(VectorsNear(Rig->GetHierarchy().GetLocalTransform(Spinner).GetTranslation(), FVector(1, 2, 3)));
	EXPECT_NEAR(Yaw(*Rig, Dial), 35.0, 1e-4);
	// The bone takes its initial pose (the input pose) first, so it is turned once.
	EXPECT_NEAR(Yaw(*Rig, Arm), 15.0, 1e-4);
	EXPECT_FLOAT_EQ(Rig->GetHierarchy().GetControlValue(Slider).Get<float>(), 2.f);
	EXPECT_EQ(Runs(*Rig), 3.0);
	// The initial pose is left alone.
	EXPECT_NEAR(Rig->GetHierarchy().GetLocalTransform(Spinner, true).Rotator().Yaw, 5.0, 1e-4);
}

TEST(FrameStart, ResettingThePoseEvaluatesEveryFrameFromTheInitialPoseButKeepsUnitMemory)
{
	const TUniquePtr<FQVRig> Rig = LoadTurningRig();
	ASSERT_TRUE(Rig);
	FQVRigEvaluator Evaluator(*Rig, EQVFrameStart::ResetPose);
	for (int32 Frame = 0; Frame < 3; ++Frame)
	{
		Evaluator.EvaluateFrame(Frame);
	}
	EXPECT_NEAR(Yaw(*Rig, Spinner), 15.0, 1e-4);
	EXPECT_NEAR(Yaw(*Rig, Dial), 15.0, 1e-4);
	EXPECT_NEAR(Yaw(*Rig, Arm), 15.0, 1e-4);
	EXPECT_FLOAT_EQ(Rig->GetHierarchy().GetControlValue(Slider).Get<float>(), 2.f);
	// The hidden run count lives in the unit's memory, not in the pose.
	EXPECT_EQ(Runs(*Rig), 3.0);
}

TEST(FrameStart, KeyedRotationsBecomeTheControlsPreferredAngles)
{
	// As the engine's animation does, a keyed rotation sets the control's preferred angles too, so rotator and
	// Euler-transform values read back with the keyed angles, windings past 180 degrees included.
	FString Error;
	const TUniquePtr<FQVRig> Rig = LoadRigText(MakeRigText(R"(
			{ "type": "control", "name": "dial", "controlType": "Rotator" },
			{ "type": "control", "name": "euler", "controlType": "EulerTransform" })",
												   R"(,
			"animation": { "frameCount": 3, "tracks": [
				{ "control": "dial", "keys": [ [0, [0, 0, 0]], [2, [0, 200, 0]] ] },
				{ "control": "euler", "keys": [ [0, {}], [2, { "translation": [1, 2, 3], "rotation": { "yaw": 190, "pitch": 10 } }] ] } ] })"),
		Error);
	ASSERT_TRUE(Rig) << *Error;
	FQVRigEvaluator Evaluator(*Rig);
	Evaluator.EvaluateFrame(2);
	const URigHierarchy& Hierarchy = Rig->GetHierarchy();
	EXPECT_NEAR(FRotator::MakeFromEuler(FVector(Hierarchy.GetControlValue(Dial).Get<FVector3f>())).Yaw, 200.0, 1e-4);
	const FEulerTransform Euler =
		Hierarchy.GetControlValue(FRigElementKey(TEXT("euler"), ERigElementType::Control))
			.Get<FRigControlValue::FEulerTransform_Float>()
			.ToTransform();
	EXPECT_NEAR(Euler.Rotation.Yaw, 190.0, 1e-4);
	EXPECT_NEAR(Euler.Rotation.Pitch, 10.0, 1e-4);
	EXPECT_TRUE(Euler.Location.Equals(FVector(1, 2, 3), 1e-6));
}
