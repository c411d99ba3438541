// Actors: their world, components, begin play and tick.
#include "GameFramework/Actor.h"

#include "Engine/World.h"
#include "UObject/UECodeGen.h"

IMPLEMENT_INTRINSIC_CLASS(AActor, ENGINE_API, UObject, COREUOBJECT_API, "/Script/Engine", {})

AActor::AActor()
{
	PrimaryActorTick.bCanEverTick = false;
	PrimaryActorTick.bStartWithTickEnabled = true;
}

UWorld* AActor::GetWorld() const
{
	return GetTypedOuter<UWorld>();
}

void AActor::DispatchBeginPlay()
{
	if (bActorHasBegunPlay)
	{
		return;
	}
	BeginPlay();
	bActorHasBegunPlay = true;
}

void AActor::BeginPlay()
{
	RegisterAllActorTickFunctions(true, false);
	// A copy: a component's BeginPlay may add components, which begin play when they are registered.
	const TArray<UActorComponent*> Components = OwnedComponents;
	for (UActorComponent* Component : Components)
	{
		if (Component->IsRegistered() && !Component->HasBegunPlay())
		{
			Component->RegisterAllComponentTickFunctions(true);
			Component->BeginPlay();
		}
	}
}

void AActor::TickActor(float DeltaTime, ELevelTick TickType, FActorTickFunction& ThisTickFunction)
{
	Tick(DeltaTime);
}

void AActor::AddOwnedComponent(UActorComponent* Component)
{
	OwnedComponents.AddUnique(Component);
}

void AActor::RemoveOwnedComponent(UActorComponent* Component)
{
	OwnedComponents.RemoveSingle(Component);
}

UActorComponent* AActor::FindComponentByClass(const UClass* ComponentClass) const
{
	for (UActorComponent* Component : OwnedComponents)
	{
		if (Component->IsA(ComponentClass))
		{
			return Component;
		}
	}
	return nullptr;
}

void AActor::RegisterAllComponents()
{
	const TArray<UActorComponent*> Components = OwnedComponents;
	for (UActorComponent* Component : Components)
	{
		Component->RegisterComponent();
	}
}

void AActor::RegisterAllActorTickFunctions(bool bRegister, bool bDoComponents)
{
	if (!bRegister)
	{
		PrimaryActorTick.UnRegisterTickFunction();
	}
	else if (PrimaryActorTick.bCanEverTick && !IsTemplate())
	{
		PrimaryActorTick.Target = this;
		PrimaryActorTick.SetTickFunctionEnable(
			PrimaryActorTick.bStartWithTickEnabled || PrimaryActorTick.IsTickFunctionEnabled());
		PrimaryActorTick.RegisterTickFunction();
	}
	if (bDoComponents)
	{
		for (UActorComponent* Component : OwnedComponents)
		{
			Component->RegisterAllComponentTickFunctions(bRegister);
		}
	}
}
