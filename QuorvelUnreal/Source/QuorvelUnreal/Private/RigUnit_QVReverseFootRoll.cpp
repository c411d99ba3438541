// Reverse foot roll: roll and rock arithmetic in single precision, pivot turns about the pivots' setup axes.
#include "RigUnit_QVReverseFootRoll.h"

#include "QVFootRockAxis.h"
#include "Rigs/RigHierarchy.h"
#include "Units/RigUnitContext.h"

namespace QVReverseFootRoll
{
// The current value of a float control as one 32-bit float; 0 when the name is None or no control resolves.
static bool ReadChannel(URigHierarchy* Hierarchy, const FName& ChannelName, float& OutValue)
{
	OutValue = 0.f;
	if (ChannelName.IsNone())
	{
		return false;
	}
	const int32 Index = Hierarchy->GetIndex(FRigElementKey(ChannelName, ERigElementType::Control), true);
	if (Index == INDEX_NONE)
	{
		return false;
	}
	FRigControlElement* Control = Hierarchy->Get<FRigControlElement>(Index);
	OutValue = Hierarchy->GetControlValue(Control, ERigControlValueType::Current, Hierarchy->UsesPreferredEulerAngles())
				   .Get<float>();
	return true;
}

// Sets the pivot's current local transform to its setup transform turned by HalfAngle (radians) about Axis of
// its own setup frame. A None or missing pivot is skipped.
static void TurnPivot(URigHierarchy* Hierarchy, const FName& PivotName, const FVector& Axis, double HalfAngle)
{
	if (PivotName.IsNone())
	{
		return;
	}
	const int32 Index = Hierarchy->GetIndex(FRigElementKey(PivotName, ERigElementType::Null), true);
	if (Index == INDEX_NONE)
	{
		return;
	}
	FRigTransformElement* Pivot = Hierarchy->Get<FRigTransformElement>(Index);
	const FTransform Setup =
		Pivot ? Hierarchy->GetTransform(Pivot, ERigTransformType::InitialLocal) : FTransform::Identity;
	const double Sine = FMath::Sin(HalfAngle);
	const FQuat Delta(Axis.X * Sine, Axis.Y * Sine, Axis.Z * Sine, FMath::Cos(HalfAngle));
	FQuat Rotation = Setup.GetRotation() * Delta;
	Rotation.Normalize();
	Hierarchy->SetTransform(Pivot, FTransform(Rotation, Setup.GetTranslation(), Setup.GetScale3D()),
		ERigTransformType::CurrentLocal, true, false, false, false);
}

static void TurnRollPivot(URigHierarchy* Hierarchy, const FName& PivotName, float AngleDegrees)
{
	const float HalfAngle = AngleDegrees * 0.008726646f;
	TurnPivot(Hierarchy, PivotName, FVector(1.0, 0.0, 0.0), double(HalfAngle));
}

static void TurnRockPivot(URigHierarchy* Hierarchy, const FName& PivotName, const FName& AxisName, float AngleDegrees)
{
	const float Angle = AngleDegrees * 0.017453292f;
	TurnPivot(Hierarchy, PivotName, QVFootRockAxis::ToPivotAxis(QVFootRockAxis::Parse(AxisName)), double(Angle) * 0.5);
}
} // namespace QVReverseFootRoll

FRigUnit_QVReverseFootRoll_Execute()
{
	using namespace QVReverseFootRoll;

	URigHierarchy* Hierarchy = ExecuteContext.Hierarchy;
	if (Hierarchy == nullptr)
	{
		return;
	}

	float Roll = 0.f;
	ReadChannel(Hierarchy, RollChannel, Roll);

	// The ball rolls in over [0, Start] and hands over to the toe tip over [Start, End].
	const float Start = FMath::Max(RollStartAngle, 0.001f);
	const float End = FMath::Max(Start + 0.001f, RollEndAngle);
	float ToeBlend = (Roll - Start) / (End - Start);
	ToeBlend = FMath::Min(ToeBlend, 1.f);
	ToeBlend = FMath::Max(ToeBlend, 0.f);
	float BallRamp = Roll / Start;
	BallRamp = FMath::Min(BallRamp, 1.f);
	BallRamp = FMath::Max(BallRamp, 0.f);

	const float HeelAngle = -FMath::Min(Roll, 0.f);
	const float BallAngle = BallRamp * Roll * (ToeBlend - 1.f);
	const float ToeTipAngle = -(ToeBlend * Roll);

	TurnRollPivot(Hierarchy, HeelRoller, HeelAngle);
	TurnRollPivot(Hierarchy, ToesRoller, BallAngle);
	TurnRollPivot(Hierarchy, ToesEndRoller, ToeTipAngle);

	float Rock = 0.f;
	if (!ReadChannel(Hierarchy, RockChannel, Rock))
	{
		return;
	}
	const float InnerAngle = -(FMath::Max(FMath::Min(Rock, InnerRockMax), InnerRockMin) * InnerRockMultiplier);
	const float OuterAngle = -(FMath::Max(FMath::Min(Rock, OuterRockMax), OuterRockMin) * OuterRockMultiplier);
	TurnRockPivot(Hierarchy, InnerRockPivot, InnerRockAxis, InnerAngle);
	TurnRockPivot(Hierarchy, OuterRockPivot, OuterRockAxis, OuterAngle);
}
