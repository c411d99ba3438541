// The example face rig evaluated through the runner: the solver's whole result checked against values worked out
// here from the asset's curves, the track values and the setup pose, its layers by what they must achieve
// geometrically; and hidden state kept per graph node.
#include "QVFaceRigDataAsset.h"
#include "QVRig/RigEvaluator.h"
#include "QVRig/RigNode.h"
#include "RigUnit_QVFaceSDKSolver.h"
#include "RunnerTestUtils.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace
{
FQuat AxisAngle(const FVector& Axis, double Degrees)
{
	const double Half = Degrees * UE_DOUBLE_PI / 360.0;
	return FQuat(Axis.X * std::sin(Half), Axis.Y * std::sin(Half), Axis.Z * std::sin(Half), std::cos(Half));
}

// A straight-line set-driven-key curve through keys sorted here, for driver values within the keys.
double Linear(const TArray<FQVSDKKey>& Keys, double X)
{
	std::vector<std::pair<double, double>> Sorted;
	for (const FQVSDKKey& Key : Keys)
	{
		Sorted.emplace_back(Key.X, Key.Y);
	}
	std::sort(Sorted.begin(), Sorted.end());
	for (size_t Index = 1; Index < Sorted.size(); ++Index)
	{
		if (X <= Sorted[Index].first)
		{
			const auto& [X0, Y0] = Sorted[Index - 1];
			const auto& [X1, Y1] = Sorted[Index];
			return Y0 + (Y1 - Y0) * (X - X0) / (X1 - X0);
		}
	}
	ADD_FAILURE() << "driver value " << X << " beyond the keys";
	return 0.0;
}

const FQVDrivenSDKChannel& Row(const UQVFaceRigDataAsset& Asset, const TCHAR* Control, const TCHAR* Target,
	EQVFaceSDKChannel Channel = EQVFaceSDKChannel::Rotation)
{
	for (const FQVFaceSDKDriver& Driver : Asset.Drivers)
	{
		for (const FQVDrivenSDKChannel& Driven : Driver.Driven)
		{
			if (Driver.ControlName == Control && Driven.BoneName == Target &&
				(Channel == EQVFaceSDKChannel::Rotation || Driven.Channel == Channel))
			{
				return Driven;
			}
		}
	}
	ADD_FAILURE() << "no row " << *FString(Control) << " -> " << *FString(Target);
	return Asset.Drivers[0].Driven[0];
}

FRigUnit_QVFaceSDKSolver& SolverOf(const FQVRig& Rig, int32 Node)
{
	return *reinterpret_cast<FRigUnit_QVFaceSDKSolver*>(Rig.GetNodes()[Node]->GetMemory());
}
} // namespace

TEST(FaceRigExample, AWholeEvaluationMatchesTheCurvesAppliedToTheSetupPose)
{
	FString Error;
	const TUniquePtr<FQVRig> Rig = FQVRigFileLoader::LoadFile(QV_SOURCE_DIR "/examples/face.rig.json", Error);
	ASSERT_TRUE(Rig) << *Error;
	const UQVFaceRigDataAsset& Asset = *SolverOf(*Rig, 0).FaceRigDataAsset;
	FQVRigEvaluator Evaluator(*Rig);
	for (int32 Frame = 0; Frame <= 24; ++Frame)
	{
		Evaluator.EvaluateFrame(Frame);
	}
	EXPECT_EQ(Evaluator.GetLog().Entries.Num(), 0);

	const URigHierarchy& Hierarchy = Rig->GetHierarchy();
	const auto Bone = [](const TCHAR* Name) { return FRigElementKey(Name, ERigElementType::Bone); };
	const auto Local = [&Hierarchy](const FRigElementKey& Key) { return Hierarchy.GetLocalTransform(Key); };
	const auto Setup = [&Hierarchy](const FRigElementKey& Key) { return Hierarchy.GetLocalTransform(Key, true); };
	const FVector X(1, 0, 0), Z(0, 0, 1);

	// Frame 24 holds the middle keys of every track. The face scale is 1 and every parent unscaled and unturned at
	// setup, so driver values and outputs go through unchanged.
	// ctrlMouth_M at y -0.5: the jaw turns by the additive yaw row, the lower lip's Z is set by the absolute row.
	const FRigElementKey Jaw = Bone(TEXT("Jaw_M"));
	EXPECT_TRUE(QuatsNear(Local(Jaw).GetRotation(),
		Setup(Jaw).GetRotation() * AxisAngle(Z, Linear(Row(Asset, TEXT("ctrlMouth_M"), TEXT("Jaw_M")).Keys, -0.5))));
	const FRigElementKey LowerLip = Bone(TEXT("LowerLip_M"));
	FVector LowerLipAt = Setup(LowerLip).GetTranslation();
	LowerLipAt.Z = Linear(Row(Asset, TEXT("ctrlMouth_M"), TEXT("LowerLip_M")).Keys, -0.5);
	EXPECT_TRUE(VectorsNear(Local(LowerLip).GetTranslation(), LowerLipAt));

	// ctrlSmile_L at x 1 moves the lip corner in rig space (scaled by the row's multiplier) and widens the cheek;
	// SmilePull_L at x 0.6 (a face control) turns the lip corner after its setup yaw.
	const FRigElementKey Corner = Bone(TEXT("lipCorner_L"));
	const FQVDrivenSDKChannel& CornerShift = Row(Asset, TEXT("ctrlSmile_L"), TEXT("lipCorner_L"));
	EXPECT_TRUE(VectorsNear(Local(Corner).GetTranslation(),
		Setup(Corner).GetTranslation() + FVector(0, Linear(CornerShift.Keys, 1.0) * CornerShift.Multiplier, 0)));
	EXPECT_TRUE(QuatsNear(Local(Corner).GetRotation(),
		Setup(Corner).GetRotation() *
			AxisAngle(Z, Linear(Row(Asset, TEXT("SmilePull_L"), TEXT("lipCorner_L")).Keys, 0.6))));
	const FRigElementKey Cheek = Bone(TEXT("cheek_L"));
	const double CheekWidth = 1.0 + Linear(Row(Asset, TEXT("ctrlSmile_L"), TEXT("cheek_L")).Keys, 1.0);
	EXPECT_NEAR(Local(Cheek).GetScale3D().X, CheekWidth, 1e-6);
	// The region's other bones have no rows: they keep their setup pose relative to the cheek.
	for (const TCHAR* Name : {TEXT("cheekRaiser_L"), TEXT("cheekPuff_L")})
	{
		EXPECT_TRUE(Local(Bone(Name)).Equals(Setup(Bone(Name)), 1e-9)) << *FString(Name);
	}

	// ctrlBrow_R at y 0.5: half way along the quaternion keys from the identity to the last key.
	const FRigElementKey Brow = Bone(TEXT("browInner_R"));
	const TArray<FQVSDKQuaternionKey>& BrowKeys = Row(Asset, TEXT("ctrlBrow_R"), TEXT("browInner_R")).QuaternionKeys;
	const double BrowDegrees = 2.0 * std::acos(BrowKeys.Last().Value.W) * 180.0 / UE_DOUBLE_PI;
	EXPECT_TRUE(QuatsNear(Local(Brow).GetRotation(), Setup(Brow).GetRotation() * AxisAngle(Z, 0.5 * BrowDegrees)));

	// The blink channel at 5 pitches the upper lid.
	const FRigElementKey Lid = Bone(TEXT("eyeLidUpper_R"));
	EXPECT_TRUE(QuatsNear(Local(Lid).GetRotation(),
		Setup(Lid).GetRotation() *
			FRotator(Linear(Row(Asset, TEXT("ctrlEye_R"), TEXT("eyeLidUpper_R")).Keys, 5.0), 0, 0).Quaternion()));
	// The sneer slider at 0.5 rolls the sneer bone and sets its Y scale.
	const FRigElementKey Sneer = Bone(TEXT("sneer_R"));
	const double Roll =
		Linear(Row(Asset, TEXT("ctrlSneer_R"), TEXT("sneer_R"), EQVFaceSDKChannel::RotationX).Keys, 0.5);
	EXPECT_TRUE(QuatsNear(Local(Sneer).GetRotation(), Setup(Sneer).GetRotation() * AxisAngle(X, -Roll)));
	EXPECT_NEAR(Local(Sneer).GetScale3D().Y,
		Linear(Row(Asset, TEXT("ctrlSneer_R"), TEXT("sneer_R"), EQVFaceSDKChannel::ScaleY).Keys, 0.5), 1e-6);
	// The upper-lip face control at y 0.4 raises the lip.
	const FRigElementKey LipUpper = Bone(TEXT("LipUpper_M"));
	EXPECT_TRUE(VectorsNear(Local(LipUpper).GetTranslation(),
		Setup(LipUpper).GetTranslation() +
			FVector(0, 0, Linear(Row(Asset, TEXT("ctrlLipUpper_M"), TEXT("LipUpper_M")).Keys, 0.4))));
	// ctrlEye_R yawed 20 turns the eye's SDK null (a null target) by the row's multiplier.
	const FRigElementKey EyeNull(TEXT("SDKEye_R"), ERigElementType::Null);
	const FQVDrivenSDKChannel& EyeRow = Row(Asset, TEXT("ctrlEye_R"), TEXT("SDKEye_R"));
	EXPECT_TRUE(
		QuatsNear(Local(EyeNull).GetRotation(), AxisAngle(Z, Linear(EyeRow.Keys, 20.0) * EyeRow.Multiplier), 1e-6));

	// Direct controls: the nose control moved 1 up moves the nose 1 up; the chin control pitched 10 pitches the chin.
	const FRigElementKey Nose = Bone(TEXT("Nose_M"));
	EXPECT_TRUE(VectorsNear(Local(Nose).GetTranslation(), Setup(Nose).GetTranslation() + FVector(0, 0, 1)));
	const FRigElementKey Chin = Bone(TEXT("Chin_M"));
	EXPECT_TRUE(QuatsNear(Local(Chin).GetRotation(), FRotator(10, 0, 0).Quaternion() * Setup(Chin).GetRotation()));
	EXPECT_TRUE(VectorsNear(Local(Chin).GetTranslation(), Setup(Chin).GetTranslation()));

	// The layers. The region control turned 10 degrees turns the whole cheek group about its pivot null (the rows
	// left the cheek at its setup place, widened, and its children at their setup offsets to it).
	const auto Global = [&Hierarchy](const FRigElementKey& Key) { return Hierarchy.GetGlobalTransform(Key); };
	const auto SetupGlobal = [&Hierarchy](const FRigElementKey& Key)
	{ return Hierarchy.GetGlobalTransform(Key, true); };
	const FVector Pivot =
		SetupGlobal(FRigElementKey(TEXT("cheekRegionPivot_L"), ERigElementType::Null)).GetTranslation();
	const FQuat Turn = AxisAngle(Z, 10.0);
	const FTransform CheekFromRows(FQuat::Identity, SetupGlobal(Cheek).GetTranslation(), FVector(CheekWidth, 1, 1));
	const FTransform RaiserFromRows = Setup(Bone(TEXT("cheekRaiser_L"))) * CheekFromRows;
	const FTransform PuffFromRows = Setup(Bone(TEXT("cheekPuff_L"))) * RaiserFromRows;
	for (const auto& [Name, FromRows] : {std::pair(TEXT("cheek_L"), CheekFromRows),
			 std::pair(TEXT("cheekRaiser_L"), RaiserFromRows), std::pair(TEXT("cheekPuff_L"), PuffFromRows)})
	{
		const FTransform Now = Global(Bone(Name));
		EXPECT_TRUE(
			VectorsNear(Now.GetTranslation(), Pivot + Turn.RotateVector(FromRows.GetTranslation() - Pivot), 1e-5))
			<< *FString(Name);
		EXPECT_TRUE(QuatsNear(Now.GetRotation(), Turn, 1e-6)) << *FString(Name);
	}

	// The animated eye proxy pitched 8 was pushed to the final eye control, and the eye bone copies that control
	// (carried by the aim null and the eye's SDK null); the untouched chin proxy mirrors the chin control's pitch
	// and stays on its board spot.
	const FRigElementKey EyeControl(TEXT("Eye_R"), ERigElementType::Control);
	EXPECT_TRUE(QuatsNear(Local(EyeControl).GetRotation(), FRotator(8, 0, 0).Quaternion(), 1e-6));
	EXPECT_TRUE(Global(Bone(TEXT("Eye_R"))).Equals(Global(EyeControl), 1e-9));
	const FRigElementKey ChinProxy(TEXT("ctrlBoxChinProxy_M"), ERigElementType::Control);
	EXPECT_TRUE(QuatsNear(Local(ChinProxy).GetRotation(), FRotator(10, 0, 0).Quaternion(), 1e-6));
	EXPECT_TRUE(VectorsNear(Global(ChinProxy).GetTranslation(), SetupGlobal(ChinProxy).GetTranslation(), 1e-9));

	// The follow value is 5 and the head control has turned 10 degrees (a value kept in single precision): the aim
	// space is half way between the static null and the head's.
	const double HeadYaw = FMath::DegreesToRadians(10.0);
	const FTransform AimSpace = Global(FRigElementKey(TEXT("QV_AimEyeFollow_M"), ERigElementType::Null));
	EXPECT_TRUE(VectorsNear(AimSpace.GetTranslation(),
		FVector(-40.0 * std::sin(HeadYaw) / 2, (40.0 + 40.0 * std::cos(HeadYaw)) / 2, 163.5), 1e-6));
	EXPECT_TRUE(QuatsNear(AimSpace.GetRotation(), AxisAngle(Z, 5.0), 1e-6));
	// Each eye's aim null looks straight at its target along its aim axis (at setup it did, so the rest offset is
	// nothing), with no roll against world up.
	for (const TCHAR* Side : {TEXT("R"), TEXT("L")})
	{
		const FTransform AimNull =
			Global(FRigElementKey(*FString::Printf(TEXT("EyeAim_%s"), Side), ERigElementType::Null));
		const FVector Target =
			Global(FRigElementKey(*FString::Printf(TEXT("AimEye_%s"), Side), ERigElementType::Control))
				.GetTranslation();
		EXPECT_NEAR(
			AimNull.GetRotation().RotateVector(FVector(0, 1, 0)) | (Target - AimNull.GetTranslation()).GetSafeNormal(),
			1.0, 1e-12);
		EXPECT_NEAR(AimNull.GetRotation().RotateVector(X).Z, 0.0, 1e-12);
	}

	// Follow helpers: the lip corner's follows its translation only (the world-space row moved it), the jaw's
	// turns with the jaw about the jaw's origin, and the nose's follows the nose's pose from the rows (none), not its
	// direct control. The controls below them show no motion of their own.
	const FTransform CornerFollow = Global(FRigElementKey(TEXT("lipCornerFollow_L"), ERigElementType::Null));
	EXPECT_TRUE(VectorsNear(CornerFollow.GetTranslation(),
		SetupGlobal(FRigElementKey(TEXT("lipCornerFollow_L"), ERigElementType::Null)).GetTranslation() +
			FVector(0, Linear(CornerShift.Keys, 1.0) * CornerShift.Multiplier, 0),
		1e-6));
	EXPECT_TRUE(QuatsNear(CornerFollow.GetRotation(), FQuat::Identity, 1e-12));
	const FQuat JawTurn = Local(Jaw).GetRotation();
	const FVector JawAt = SetupGlobal(Jaw).GetTranslation();
	const FRigElementKey JawFollow(TEXT("JawFollow_M"), ERigElementType::Null);
	EXPECT_TRUE(VectorsNear(Global(JawFollow).GetTranslation(),
		JawAt + JawTurn.RotateVector(SetupGlobal(JawFollow).GetTranslation() - JawAt), 1e-9));
	EXPECT_TRUE(QuatsNear(Global(JawFollow).GetRotation(), JawTurn, 1e-12));
	EXPECT_TRUE(Global(FRigElementKey(TEXT("ctrlJaw_M"), ERigElementType::Control)).Equals(Global(JawFollow), 1e-9));
	const FRigElementKey NoseFollow(TEXT("NoseFollow_M"), ERigElementType::Null);
	EXPECT_TRUE(Global(NoseFollow).Equals(SetupGlobal(NoseFollow), 1e-9));

	// Nothing accumulates: the same frame again gives the same pose.
	const FTransform JawAt24 = Local(Jaw);
	const FTransform EyeAt24 = Global(Bone(TEXT("Eye_R")));
	const FTransform PuffAt24 = Global(Bone(TEXT("cheekPuff_L")));
	Evaluator.EvaluateFrame(36);
	Evaluator.EvaluateFrame(24);
	EXPECT_TRUE(Local(Jaw).Equals(JawAt24, 0.0));
	EXPECT_TRUE(Global(Bone(TEXT("Eye_R"))).Equals(EyeAt24, 1e-9));
	EXPECT_TRUE(Global(Bone(TEXT("cheekPuff_L"))).Equals(PuffAt24, 1e-9));
}

TEST(FaceRigExample, EachSolverNodeKeepsItsOwnHiddenStateAcrossFrames)
{
	const std::string Asset = R"({ "class": "QVFaceRigDataAsset", "data": { "Drivers": [ { "ControlName": "slider",
		"Channel": "ValueFloat", "Driven": [ { "BoneName": "%s", "Keys": [ { "X": 0, "Y": 0 }, { "X": 1, "Y": 90 } ] } ] } ] } })";
	const auto AssetFor = [&Asset](const char* Bone)
	{
		std::string Text = Asset;
		Text.replace(Text.find("%s"), 2, Bone);
		return Text;
	};
	const std::string Text = MakeRigText(R"(
		{ "type": "bone", "name": "FaceJoint_M" },
		{ "type": "bone", "name": "jawA", "parent": "FaceJoint_M" },
		{ "type": "bone", "name": "jawB", "parent": "FaceJoint_M" },
		{ "type": "control", "name": "slider", "controlType": "Float" })",
		R"(, "assets": { "A": )" + AssetFor("jawA") + R"(, "B": )" + AssetFor("jawB") + R"( },
		"graph": [ { "unit": "RigUnit_QVFaceSDKSolver", "pins": { "FaceRigDataAsset": "A" } },
		           { "unit": "RigUnit_QVFaceSDKSolver", "pins": { "FaceRigDataAsset": "B", "Weight": 0.5 } } ],
		"animation": { "frameCount": 3, "tracks": [ { "control": "slider", "keys": [ [0, 0], [2, 1] ] } ] })");
	FString Error;
	const TUniquePtr<FQVRig> Rig = LoadRigText(Text, Error);
	ASSERT_TRUE(Rig) << *Error;
	FQVRigEvaluator Evaluator(*Rig);
	for (int32 Frame = 0; Frame < 3; ++Frame)
	{
		Evaluator.EvaluateFrame(Frame);
		for (int32 Node = 0; Node < 2; ++Node)
		{
			const FRigUnit_QVFaceSDKSolver& Solver = SolverOf(*Rig, Node);
			ASSERT_EQ(Solver.AccumulatedDrivenKeys.Num(), 1);
			EXPECT_EQ(Solver.AccumulatedDrivenKeys[0].Name, FName(Node == 0 ? TEXT("jawA") : TEXT("jawB")));
			EXPECT_TRUE(Solver.CachedControls[0].IsValid() && Solver.CachedFaceJoint.IsValid());
		}
	}
	// Frame 2: slider 1, so 90 degrees at weight 1 and 45 at weight 0.5.
	EXPECT_TRUE(QuatsNear(
		Rig->GetHierarchy().GetLocalTransform(FRigElementKey(TEXT("jawA"), ERigElementType::Bone)).GetRotation(),
		AxisAngle(FVector(0, 0, 1), 90.0)));
	EXPECT_TRUE(QuatsNear(
		Rig->GetHierarchy().GetLocalTransform(FRigElementKey(TEXT("jawB"), ERigElementType::Bone)).GetRotation(),
		AxisAngle(FVector(0, 0, 1), 45.0)));
}
