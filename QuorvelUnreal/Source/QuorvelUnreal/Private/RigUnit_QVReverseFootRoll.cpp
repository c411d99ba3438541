// Reverse foot roll: reads the roll and rock channels, turns the pivots (QVFootRoll) and writes them.
#include "RigUnit_QVReverseFootRoll.h"

#include "QVFootRoll.h"
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
	Hierarchy->SetTransform(Pivot, QVFootRoll::TurnAboutSetupAxis(Setup, Axis, HalfAngle),
		ERigTransformType::CurrentLocal, true, false, false, false);
}

static void TurnRollPivot(URigHierarchy* Hierarchy, const FName& PivotName, float AngleDegrees)
{
	TurnPivot(Hierarchy, PivotName, FVector(1.0, 0.0, 0.0), QVFootRoll::RollHalfAngle(AngleDegrees));
}

static void TurnRockPivot(URigHierarchy* Hierarchy, const FName& PivotName, const FName& AxisName, float AngleDegrees)
{
	TurnPivot(Hierarchy, PivotName, QVFootRockAxis::ToPivotAxis(QVFootRockAxis::Parse(AxisName)),
		QVFootRoll::RockHalfAngle(AngleDegrees));
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

	const FQVFootRollAngles Angles = QVFootRoll::ComputeRollAngles(Roll, RollStartAngle, RollEndAngle);
	TurnRollPivot(Hierarchy, HeelRoller, Angles.Heel);
	TurnRollPivot(Hierarchy, ToesRoller, Angles.Ball);
	TurnRollPivot(Hierarchy, ToesEndRoller, Angles.ToeTip);

	float Rock = 0.f;
	if (!ReadChannel(Hierarchy, RockChannel, Rock))
	{
		return;
	}
	TurnRockPivot(Hierarchy, InnerRockPivot, InnerRockAxis,
		QVFootRoll::ComputeRockAngle(Rock, InnerRockMin, InnerRockMax, InnerRockMultiplier));
	TurnRockPivot(Hierarchy, OuterRockPivot, OuterRockAxis,
		QVFootRoll::ComputeRockAngle(Rock, OuterRockMin, OuterRockMax, OuterRockMultiplier));
}
