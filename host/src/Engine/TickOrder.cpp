// Prerequisite order of one frame's ticks: a depth-first walk that runs each function after its prerequisites.
#include "TickOrder.h"

namespace
{
enum class ETickVisit : uint8
{
	Waiting,
	RunningPrerequisites,
	Done,
};

class FTickOrderWalk
{
public:
	FTickOrderWalk(const TArray<FTickFunction*>& TickFunctions, float InDeltaTime, ELevelTick InTickType)
		: DeltaTime(InDeltaTime), TickType(InTickType)
	{
		for (FTickFunction* TickFunction : TickFunctions)
		{
			States.Add(TickFunction, ETickVisit::Waiting);
		}
	}

	void Visit(FTickFunction* TickFunction)
	{
		ETickVisit* State = States.Find(TickFunction);
		if (State == nullptr || *State != ETickVisit::Waiting)
		{
			return;
		}
		*State = ETickVisit::RunningPrerequisites;
		for (const FTickPrerequisite& Prerequisite : TickFunction->GetPrerequisites())
		{
			if (FTickFunction* PrerequisiteFunction = Prerequisite.Get())
			{
				Visit(PrerequisiteFunction);
			}
		}
		States[TickFunction] = ETickVisit::Done;
		TickFunction->ExecuteTick(DeltaTime, TickType);
	}

private:
	TMap<FTickFunction*, ETickVisit> States;
	float DeltaTime;
	ELevelTick TickType;
};
} // namespace

void RunTickFunctionsInOrder(const TArray<FTickFunction*>& TickFunctions, float DeltaTime, ELevelTick TickType)
{
	FTickOrderWalk Walk(TickFunctions, DeltaTime, TickType);
	for (FTickFunction* TickFunction : TickFunctions)
	{
		Walk.Visit(TickFunction);
	}
}
