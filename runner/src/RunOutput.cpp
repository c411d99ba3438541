// What every output format shares: the elements' transforms in the chosen space, severity words, exact numbers.
#include "QVRig/RunOutput.h"

#include "QVRig/RigNode.h"
#include "UObject/UnrealType.h"

#include <cmath>

const TCHAR* FQVRunReport::GetSeverityWord() const
{
	switch (Severity)
	{
		case EMessageSeverity::CriticalError:
		case EMessageSeverity::Error:
			return TEXT("error");
		case EMessageSeverity::PerformanceWarning:
		case EMessageSeverity::Warning:
			return TEXT("warning");
		default:
			return TEXT("info");
	}
}

FString FQVRunSummary::DescribeRun() const
{
	return FString::Printf(TEXT("%s: %d frame%s at %g fps, %d unit%s"), *RigPath, FrameCount,
		FrameCount == 1 ? TEXT("") : TEXT("s"), FrameRate, NumUnits, NumUnits == 1 ? TEXT("") : TEXT("s"));
}

FString FQVRunReport::Describe() const
{
	const FString Node = NodeIndex == INDEX_NONE ? Unit : FQVRigNode::Describe(NodeIndex, Unit, Label);
	return FString::Printf(TEXT("%s (frame %d, %s): %s"), GetSeverityWord(), Frame, *Node, *Message);
}

FQVRunOutput::FQVRunOutput(
	const URigHierarchy& InHierarchy, TArray<FRigElementKey> InElements, EQVPoseSpace InSpace, std::ostream& OutStream)
	: Hierarchy(InHierarchy), Elements(MoveTemp(InElements)), Space(InSpace), Stream(OutStream)
{
}

FTransform FQVRunOutput::GetTransform(int32 InIndex) const
{
	return Space == EQVPoseSpace::Global ? Hierarchy.GetGlobalTransform(Elements[InIndex])
										 : Hierarchy.GetLocalTransform(Elements[InIndex]);
}

FString FQVRunOutput::NamePinTransform(const FQVOutputPin& InPin, int32 InIndex)
{
	return InPin.bArray ? FString::Printf(TEXT("%s[%d]"), *InPin.Pin->GetName(), InIndex) : InPin.Pin->GetName();
}

FString QVFormatExactNumber(double InValue)
{
	if (std::isnan(InValue))
	{
		return TEXT("NaN");
	}
	if (std::isinf(InValue))
	{
		return InValue > 0 ? TEXT("Infinity") : TEXT("-Infinity");
	}
	// Seventeen significant digits tell every two doubles apart.
	return FString::Printf(TEXT("%.17g"), InValue);
}
