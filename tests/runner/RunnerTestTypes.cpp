// The runner tests' unit bodies.
#include "Public/RunnerTestTypes.h"

#include "Rigs/RigHierarchy.h"
#include "Units/RigUnitContext.h"

FRigUnit_QVRunnerTest_Execute()
{
	URigHierarchy* Hierarchy = ExecuteContext.Hierarchy;
	if (Hierarchy == nullptr)
	{
		return;
	}
	++CachedRuns;
	float Total = 0.f;
	for (const FQVRunnerTestSegment& Segment : Segments)
	{
		for (const float Weight : Segment.Weights)
		{
			Total += Weight;
		}
	}
	Result = Total * (Asset ? Asset->Scale : 1.f);
	Hierarchy->SetGlobalTransform(Target, FTransform(Turn, FVector(Result, Count, CachedRuns)));
	if (bReport)
	{
		UE_CONTROLRIG_RIGUNIT_REPORT_WARNING(TEXT("%s: mode %d"), *Text, static_cast<int32>(Mode));
	}
}

FRigUnit_QVRunnerTestTurn_Execute()
{
	URigHierarchy* Hierarchy = ExecuteContext.Hierarchy;
	if (Hierarchy == nullptr)
	{
		return;
	}
	const FTransform Local = Hierarchy->GetLocalTransform(Target);
	Hierarchy->SetLocalTransform(Target, FTransform(FRotator(0, Step, 0)) * Local);
}
