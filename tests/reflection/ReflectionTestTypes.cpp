// Bodies of the reflection tests' class functions and units.
#include "ReflectionTestRecorder.h"

#include "Public/ReflectionTestTypes.h"
#include "Lazy/RigUnit_QVLazyUnit.h"
#include "Race/RigUnit_QVRacedUnit.h"

FQVTestUnitCall GQVTestUnitCall;

int32 UQVTestObject::AddLevel(int32 Amount, const FString& Reason, FString& OutEcho)
{
	Level += Amount;
	OutEcho = Reason + TEXT("!");
	return Level;
}

bool UQVTestObject::IsHigh() const
{
	return Level > 10;
}

#if WITH_EDITOR
void UQVTestObject::EditorOnlyAction()
{
	++Level;
}
#endif

FRigUnit_QVTestUnit_Execute()
{
	if (ExecuteContext.Hierarchy == nullptr)
	{
		++GQVTestUnitCall.CallsWithoutHierarchy;
		return;
	}
	++GQVTestUnitCall.Calls;
	GQVTestUnitCall.Scale = Scale;
	GQVTestUnitCall.Shade = Shade;
	GQVTestUnitCall.Label = Label;
	GQVTestUnitCall.Values = TArray<float>(Values.GetData(), Values.Num());
	GQVTestUnitCall.ValuesData = Values.GetData();
	float Total = 0.f;
	for (const float Value : Values)
	{
		Total += Value;
	}
	Sum = Scale * Total;
	++CallCount;
}

FRigUnit_QVLazyUnit_Execute() {}

FRigUnit_QVRacedUnit_Execute() {}
