// What the reverse foot roll skips: channels and pivots that do not resolve (keys are typed: channels are controls,
// pivots nulls), pivots that no channel turns, channels that do not hold one float, and rock axes it does not know.
#include "QVFootRockAxis.h"
#include "QVRig/UnitCheck.h"
#include "QVRig/UnitCheckers.h"
#include "RigUnit_QVReverseFootRoll.h"

namespace
{
// A set channel must resolve to a control whose value is one float.
void CheckChannel(FQVUnitCheck& Check, const TCHAR* InPin, const FName& InChannel, const FString& InConsequence)
{
	const FQVCheckSource Source = Check.PinSource(InPin);
	if (!Check.Require(Source, FQVUnitCheck::ControlKey(InChannel), InConsequence))
	{
		return;
	}
	const ERigControlType Type = Check.FindControl(InChannel)->Settings.ControlType;
	if (Type != ERigControlType::Float && Type != ERigControlType::ScaleFloat)
	{
		Check.Problem(Source,
			FString::Printf(TEXT("'%s' is a %s control, and the unit reads the channel's value as one float: it reads "
								 "the first number of the value, not what the control shows"),
				*InChannel.ToString(), LexToString(Type)));
	}
}

// A pivot the unit writes: None or missing, it is skipped.
void CheckPivot(FQVUnitCheck& Check, const TCHAR* InPin, const FName& InPivot, const TCHAR* InWhat)
{
	Check.Require(Check.PinSource(InPin), FQVUnitCheck::NullKey(InPivot),
		FString::Printf(TEXT("the %s is never turned"), InWhat));
}

void CheckRockAxis(FQVUnitCheck& Check, const TCHAR* InPin, const FName& InAxis)
{
	if (QVFootRockAxis::Parse(InAxis) == EQVFootRockAxis::Unrecognised)
	{
		Check.Problem(Check.PinSource(InPin),
			FString::Printf(TEXT("'%s' is not an axis letter (X, Y or Z): the pivot turns about Z, as the default"),
				*InAxis.ToString()));
	}
}

// Whether any of the pivots is set.
bool AnySet(std::initializer_list<FName> InPivots)
{
	for (const FName& Pivot : InPivots)
	{
		if (!Pivot.IsNone())
		{
			return true;
		}
	}
	return false;
}

void CheckRoll(FQVUnitCheck& Check, const FRigUnit_QVReverseFootRoll& Unit)
{
	const TCHAR* const HeldAtSetup =
		TEXT("the roll is 0, so the heel, ball and toe-tip pivots stay at their setup pose");
	if (Unit.RollChannel.IsNone())
	{
		// A node without a roll (a rock alone) names no roll pivots either.
		if (!AnySet({Unit.HeelRoller, Unit.ToesRoller, Unit.ToesEndRoller}))
		{
			return;
		}
		Check.Problem(Check.PinSource(TEXT("RollChannel")), FString(TEXT("is not set (None): ")) + HeldAtSetup);
	}
	else
	{
		CheckChannel(Check, TEXT("RollChannel"), Unit.RollChannel, HeldAtSetup);
	}
	CheckPivot(Check, TEXT("HeelRoller"), Unit.HeelRoller, TEXT("heel pivot"));
	CheckPivot(Check, TEXT("ToesRoller"), Unit.ToesRoller, TEXT("ball pivot"));
	CheckPivot(Check, TEXT("ToesEndRoller"), Unit.ToesEndRoller, TEXT("toe-tip pivot"));
}

// The rock is optional: without a channel the rock pivots are left alone, which matters only when some are set.
void CheckRock(FQVUnitCheck& Check, const FRigUnit_QVReverseFootRoll& Unit)
{
	if (Unit.RockChannel.IsNone())
	{
		if (AnySet({Unit.InnerRockPivot, Unit.OuterRockPivot}))
		{
			Check.Problem(Check.PinSource(TEXT("RockChannel")),
				TEXT("is not set (None), and rock pivots are: the unit never writes them"));
		}
		return;
	}
	CheckChannel(Check, TEXT("RockChannel"), Unit.RockChannel, TEXT("the unit never writes the rock pivots"));
	CheckPivot(Check, TEXT("InnerRockPivot"), Unit.InnerRockPivot, TEXT("inner rock pivot"));
	CheckPivot(Check, TEXT("OuterRockPivot"), Unit.OuterRockPivot, TEXT("outer rock pivot"));
	CheckRockAxis(Check, TEXT("InnerRockAxis"), Unit.InnerRockAxis);
	CheckRockAxis(Check, TEXT("OuterRockAxis"), Unit.OuterRockAxis);
}

void CheckReverseFootRoll(FQVUnitCheck& Check)
{
	const FRigUnit_QVReverseFootRoll& Unit = Check.GetUnit<FRigUnit_QVReverseFootRoll>();
	CheckRoll(Check, Unit);
	CheckRock(Check, Unit);
}

const FQVUnitCheckerRegistration Registration(&FRigUnit_QVReverseFootRoll::StaticStruct, &CheckReverseFootRoll);
} // namespace
