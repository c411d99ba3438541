// Tick functions: registration, prerequisites, and the actor and component ticks they run.
#include "Engine/EngineBaseTypes.h"

#include "Components/ActorComponent.h"
#include "GameFramework/Actor.h"

void FTickFunction::RegisterTickFunction()
{
	bRegistered = true;
}

void FTickFunction::UnRegisterTickFunction()
{
	bRegistered = false;
}

void FTickFunction::AddPrerequisite(UObject* TargetObject, FTickFunction& TargetTickFunction)
{
	const bool bThisCanTick = bCanEverTick || IsTickFunctionRegistered();
	const bool bTargetCanTick = TargetTickFunction.bCanEverTick || TargetTickFunction.IsTickFunctionRegistered();
	if (bThisCanTick && bTargetCanTick)
	{
		Prerequisites.AddUnique(FTickPrerequisite(TargetObject, TargetTickFunction));
	}
}

void FTickFunction::RemovePrerequisite(UObject* TargetObject, FTickFunction& TargetTickFunction)
{
	Prerequisites.RemoveSingle(FTickPrerequisite(TargetObject, TargetTickFunction));
}

void FActorTickFunction::ExecuteTick(float DeltaTime, ELevelTick TickType)
{
	if (Target != nullptr && Target->HasActorBegunPlay())
	{
		Target->TickActor(DeltaTime, TickType, *this);
	}
}

void FActorComponentTickFunction::ExecuteTick(float DeltaTime, ELevelTick TickType)
{
	if (Target != nullptr && Target->IsRegistered() && Target->HasBegunPlay())
	{
		Target->TickComponent(DeltaTime, TickType, this);
	}
}
