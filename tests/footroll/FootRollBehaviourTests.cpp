// The reverse foot roll where it bites: ramps and hand-over of the roll, side rock clamps and axes, missing inputs.
#include "FootRollTestRig.h"

namespace
{
const FVector XAxis(1, 0, 0);
const FVector YAxis(0, 1, 0);
const FVector ZAxis(0, 0, 1);

// Single-precision angle arithmetic: a few millionths of a degree.
constexpr double AngleTolerance = 1e-4;

struct FRollCase
{
	float Roll;
	double Heel, Ball, ToeTip;
};
} // namespace

TEST_P(FootRollEntries, RollRampsBallThenHandsOverToToeTip)
{
	// Defaults: the ball rolls in as v * v / 30 up to 30 degrees, then hands over to the toe tip by 60.
	const FRollCase Cases[] = {
		{0.f, 0, 0, 0},
		{15.f, 0, -7.5, 0},
		{29.9f, 0, -29.9 * 29.9 / 30.0, 0},
		{30.f, 0, -30, 0},
		{30.1f, 0, -30.1 * (1.0 - 0.1 / 30.0), -30.1 * 0.1 / 30.0},
		{45.f, 0, -22.5, -22.5},
		{59.9f, 0, -59.9 * (0.1 / 30.0), -59.9 * (29.9 / 30.0)},
		{60.f, 0, 0, -60},
		{90.f, 0, 0, -90},
		{-20.f, 20, 0, 0},
	};
	for (const FRollCase& Case : Cases)
	{
		FFootRollRig Rig;
		Rig.SetRoll(Case.Roll);
		Rig.Evaluate(GetParam());
		EXPECT_NEAR(Rig.TurnAbout(Rig.Heel, XAxis), Case.Heel, AngleTolerance) << "roll " << Case.Roll;
		EXPECT_NEAR(Rig.TurnAbout(Rig.Ball, XAxis), Case.Ball, AngleTolerance * 10) << "roll " << Case.Roll;
		EXPECT_NEAR(Rig.TurnAbout(Rig.ToeTip, XAxis), Case.ToeTip, AngleTolerance * 10) << "roll " << Case.Roll;
	}
}

TEST_P(FootRollEntries, PivotsTurnAboutTheirOwnSetupAxesAndKeepTheRest)
{
	FFootRollRig Rig;
	Rig.SetRoll(90.f);
	Rig.Evaluate(GetParam());

	// The toe tip's setup is the identity: 90 degrees of roll gives -90 about X, i.e. (sin -45, 0, 0, cos -45).
	const FTransform ToeTip = Rig.Local(Rig.ToeTip);
	EXPECT_NEAR(ToeTip.GetRotation().X, -FMath::Sin(UE_DOUBLE_PI / 4), 1e-6);
	EXPECT_NEAR(ToeTip.GetRotation().W, FMath::Cos(UE_DOUBLE_PI / 4), 1e-6);
	EXPECT_TRUE(ToeTip.GetTranslation().Equals(FVector(20, 0, 0), 1e-12));
	EXPECT_TRUE(ToeTip.GetScale3D().Equals(FVector::OneVector, 1e-12));

	// Pivots are written with affect children: the ankle below the ball pivot keeps its local transform and moves.
	EXPECT_TRUE(Rig.Local(Rig.Ankle).GetTranslation().Equals(FVector(0, 9, 8), 1e-9));
	const FTransform Expected = Rig.Local(Rig.Ankle) * Rig.Global(Rig.Ball);
	EXPECT_TRUE(Rig.Global(Rig.Ankle).Equals(Expected, 1e-9));

	// The ball's setup is yawed 90 degrees: its roll is about its own X axis, the rig's Y axis, which it keeps.
	Rig.SetRoll(15.f);
	Rig.Evaluate(GetParam());
	EXPECT_NEAR(Rig.TurnAbout(Rig.Ball, XAxis), -7.5, AngleTolerance);
	const FVector BallAxis = Rig.Global(Rig.Ball).GetRotation().RotateVector(XAxis);
	const FVector ToeTipAxisY = Rig.Global(Rig.ToeTip).GetRotation().RotateVector(YAxis);
	EXPECT_TRUE(BallAxis.Equals(ToeTipAxisY, 1e-6));
}

TEST_P(FootRollEntries, A20DegreeTurnOfAnIdentityPivotIsTheHalfAngleQuaternion)
{
	FFootRollRig Rig;
	Rig.SetRoll(-20.f);
	Rig.Hierarchy.SetLocalTransform(Rig.Heel, FTransform(FQuat::Identity, FVector(1, 2, 3), FVector(2)), true);
	Rig.Evaluate(GetParam());
	const FTransform Heel = Rig.Local(Rig.Heel);
	const double Half = 10.0 * UE_DOUBLE_PI / 180.0;
	EXPECT_NEAR(Heel.GetRotation().X, FMath::Sin(Half), 1e-7);
	EXPECT_NEAR(Heel.GetRotation().Y, 0.0, 1e-12);
	EXPECT_NEAR(Heel.GetRotation().Z, 0.0, 1e-12);
	EXPECT_NEAR(Heel.GetRotation().W, FMath::Cos(Half), 1e-7);
	EXPECT_TRUE(Heel.GetTranslation().Equals(FVector(1, 2, 3), 1e-12));
	EXPECT_TRUE(Heel.GetScale3D().Equals(FVector(2), 1e-12));
}

TEST_P(FootRollEntries, DegenerateStartAndEndAnglesNeverDivideByZero)
{
	struct FAngles
	{
		float Start, End, Roll;
		double Ball, ToeTip;
	};
	const FAngles Cases[] = {
		// Start raised to 0.001 and end to 0.002: any roll above that is all toe tip.
		{0.f, 0.f, 10.f, 0, -10},
		{-5.f, -50.f, 10.f, 0, -10},
		// End below start is raised to start + 0.001.
		{30.f, 10.f, 30.0005f, -15.00025, -15.00025},
		{30.f, 10.f, 40.f, 0, -40},
	};
	for (const FAngles& Case : Cases)
	{
		FFootRollRig Rig;
		Rig.Unit.RollStartAngle = Case.Start;
		Rig.Unit.RollEndAngle = Case.End;
		Rig.SetRoll(Case.Roll);
		Rig.Evaluate(GetParam());
		EXPECT_NEAR(Rig.TurnAbout(Rig.Ball, XAxis), Case.Ball, 0.05) << Case.Start << " " << Case.End;
		EXPECT_NEAR(Rig.TurnAbout(Rig.ToeTip, XAxis), Case.ToeTip, 0.05) << Case.Start << " " << Case.End;
		EXPECT_FALSE(Rig.Local(Rig.Ball).ContainsNaN());
		EXPECT_FALSE(Rig.Local(Rig.ToeTip).ContainsNaN());
	}
}

TEST_P(FootRollEntries, RockClampsEachSideAndTurnsAboutTheNamedAxis)
{
	struct FRockCase
	{
		float Rock;
		double Inner, Outer;
	};
	// Defaults: inner takes [-200, 0], outer [0, 200]; the angle is the negated clamped value, about the engine's Y.
	const FRockCase Cases[] = {{-10.f, 10, 0}, {15.f, 0, -15}, {-300.f, 200, 0}, {300.f, 0, -200}, {0.f, 0, 0}};
	for (const FRockCase& Case : Cases)
	{
		FFootRollRig Rig;
		Rig.SetRock(Case.Rock);
		Rig.Evaluate(GetParam());
		EXPECT_NEAR(Rig.TurnAbout(Rig.Inner, YAxis), Case.Inner, AngleTolerance) << "rock " << Case.Rock;
		EXPECT_NEAR(Rig.TurnAbout(Rig.Outer, YAxis), Case.Outer, AngleTolerance) << "rock " << Case.Rock;
	}

	// Multipliers scale the clamped value; a minimum above its maximum wins, since the upper clamp comes first.
	FFootRollRig Rig;
	Rig.Unit.InnerRockMultiplier = 2.f;
	Rig.Unit.OuterRockMin = 5.f;
	Rig.Unit.OuterRockMax = -5.f;
	Rig.SetRock(-10.f);
	Rig.Evaluate(GetParam());
	EXPECT_NEAR(Rig.TurnAbout(Rig.Inner, YAxis), 20, AngleTolerance);
	EXPECT_NEAR(Rig.TurnAbout(Rig.Outer, YAxis), -5, AngleTolerance);
}

TEST_P(FootRollEntries, RockAxisLettersInAnyCase)
{
	struct FAxisCase
	{
		const TCHAR* Letter;
		FVector Axis;
	};
	// "X" is X; "Y" is the engine's Z; anything else, the default "Z" and None included, is the engine's Y.
	const FAxisCase Cases[] = {{TEXT("X"), XAxis}, {TEXT("x"), XAxis}, {TEXT("Y"), ZAxis}, {TEXT("y"), ZAxis},
		{TEXT("Z"), YAxis}, {TEXT("z"), YAxis}, {TEXT("None"), YAxis}, {TEXT("W"), YAxis}};
	for (const FAxisCase& Case : Cases)
	{
		FFootRollRig Rig;
		Rig.Unit.InnerRockAxis = Case.Letter;
		Rig.Unit.OuterRockAxis = Case.Letter;
		Rig.SetRock(-10.f);
		Rig.Evaluate(GetParam());
		EXPECT_NEAR(Rig.TurnAbout(Rig.Inner, Case.Axis), 10, AngleTolerance) << Case.Letter;
		Rig.SetRock(10.f);
		Rig.Evaluate(GetParam());
		EXPECT_NEAR(Rig.TurnAbout(Rig.Outer, Case.Axis), -10, AngleTolerance) << Case.Letter;
	}
}

TEST_P(FootRollEntries, MissingChannelsAndPivots)
{
	const FTransform Moved(FRotator(10, 20, 30), FVector(7, 7, 7));

	// No roll channel: the roll pivots are still written, back to their setup pose.
	{
		FFootRollRig Rig;
		Rig.Unit.RollChannel = NAME_None;
		Rig.Hierarchy.SetLocalTransform(Rig.Heel, Moved);
		Rig.Evaluate(GetParam());
		EXPECT_TRUE(Rig.Local(Rig.Heel).Equals(Rig.Hierarchy.GetLocalTransform(Rig.Heel, true), 1e-12));
	}
	// A roll channel that names no control (here a bone of that name) reads as 0 too: keys are typed.
	{
		FFootRollRig Rig;
		Rig.Hierarchy.GetController()->AddBone(TEXT("roll_bone"), FRigElementKey(), FTransform::Identity);
		Rig.Unit.RollChannel = TEXT("roll_bone");
		Rig.SetRoll(45.f);
		Rig.Evaluate(GetParam());
		EXPECT_NEAR(Rig.TurnAbout(Rig.ToeTip, XAxis), 0, 1e-9);
	}
	// No rock channel, or one that does not resolve: the rock pivots keep whatever they had.
	for (const TCHAR* RockName : {TEXT("None"), TEXT("missing_rock")})
	{
		FFootRollRig Rig;
		Rig.Unit.RockChannel = RockName;
		Rig.Hierarchy.SetLocalTransform(Rig.Inner, Moved, false, false);
		Rig.Evaluate(GetParam());
		EXPECT_TRUE(Rig.Local(Rig.Inner).Equals(Moved, 1e-12)) << RockName;
	}
	// A missing pivot, or one that exists only as a bone, is skipped alone.
	{
		FFootRollRig Rig;
		Rig.Hierarchy.GetController()->AddBone(TEXT("bone_pivot"), FRigElementKey(), FTransform::Identity);
		Rig.Unit.HeelRoller = TEXT("no_such_pivot");
		Rig.Unit.ToesRoller = TEXT("bone_pivot");
		Rig.Unit.InnerRockPivot = NAME_None;
		Rig.SetRoll(45.f);
		Rig.SetRock(-10.f);
		Rig.Evaluate(GetParam());
		EXPECT_NEAR(Rig.TurnAbout(Rig.ToeTip, XAxis), -22.5, AngleTolerance);
		EXPECT_NEAR(Rig.TurnAbout(Rig.Ball, XAxis), 0, 1e-12);
		EXPECT_NEAR(Rig.TurnAbout(Rig.Inner, YAxis), 0, 1e-12);
		EXPECT_TRUE(Rig.Hierarchy.GetLocalTransform(FRigElementKey(TEXT("bone_pivot"), ERigElementType::Bone))
						.Equals(FTransform::Identity, 0.0));
	}
}

TEST_P(FootRollEntries, EveryEvaluationStartsFromTheSetupPose)
{
	FFootRollRig Rig;
	Rig.SetRoll(45.f);
	Rig.SetRock(-10.f);
	Rig.Evaluate(GetParam());
	const FTransform Ball = Rig.Global(Rig.Ball);
	const FTransform Inner = Rig.Global(Rig.Inner);
	Rig.Evaluate(GetParam());
	EXPECT_TRUE(Rig.Global(Rig.Ball).Equals(Ball, 0.0));
	EXPECT_TRUE(Rig.Global(Rig.Inner).Equals(Inner, 0.0));

	Rig.SetRoll(0.f);
	Rig.SetRock(0.f);
	Rig.Evaluate(GetParam());
	for (const FRigElementKey& Pivot : {Rig.Heel, Rig.ToeTip, Rig.Ball, Rig.Inner, Rig.Outer})
	{
		EXPECT_TRUE(Rig.Local(Pivot).Equals(Rig.Hierarchy.GetLocalTransform(Pivot, true), 1e-12)) << *Pivot.ToString();
	}
}

TEST(FootRoll, WithoutHierarchyNothingHappens)
{
	FFootRollRig Rig;
	Rig.SetRoll(45.f);
	FControlRigExecuteContext Context;
	Rig.Unit.Execute(Context);
	Rig.Unit.Execute();
	EXPECT_TRUE(Rig.Local(Rig.ToeTip).Equals(Rig.Hierarchy.GetLocalTransform(Rig.ToeTip, true), 0.0));
}

INSTANTIATE_TEST_SUITE_P(Entries, FootRollEntries, ::testing::Values(EFootRollEntry::Member, EFootRollEntry::RigVM),
	[](const ::testing::TestParamInfo<EFootRollEntry>& Info) { return std::string(LexToString(Info.param)); });
