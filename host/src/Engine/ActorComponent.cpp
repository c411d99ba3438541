// Actor components: ownership, registration, begin play and their tick function.
#include "Components/ActorComponent.h"

#include "GameFramework/Actor.h"
#include "UObject/UECodeGen.h"

IMPLEMENT_INTRINSIC_CLASS(UActorComponent, ENGINE_API, UObject, COREUOBJECT_API, "/Script/Engine", {})

UActorComponent::UActorComponent()
{
	PrimaryComponentTick.bCanEverTick = false;
	PrimaryComponentTick.bStartWithTickEnabled = true;
}

UWorld* UActorComponent::GetWorld() const
{
	return OwnerPrivate != nullptr ? OwnerPrivate->GetWorld() : nullptr;
}

void UActorComponent::PostInitProperties()
{
	Super::PostInitProperties();
	OwnerPrivate = GetTypedOuter<AActor>();
	if (OwnerPrivate != nullptr)
	{
		OwnerPrivate->AddOwnedComponent(this);
	}
}

void UActorComponent::RegisterComponent()
{
	if (bRegistered)
	{
		return;
	}
	checkf(OwnerPrivate != nullptr && OwnerPrivate->GetWorld() != nullptr,
		TEXT("RegisterComponent: '%s' has no owner in a world"), *GetName());
	bRegistered = true;
	if (OwnerPrivate->HasActorBegunPlay() && !bHasBegunPlay)
	{
		RegisterAllComponentTickFunctions(true);
		BeginPlay();
	}
}

void UActorComponent::BeginPlay()
{
	checkf(bRegistered, TEXT("BeginPlay: '%s' is not registered"), *GetName());
	checkf(!bHasBegunPlay, TEXT("BeginPlay: '%s' has already begun play"), *GetName());
	bHasBegunPlay = true;
}

void UActorComponent::TickComponent(float DeltaTime, ELevelTick TickType, FActorComponentTickFunction* ThisTickFunction)
{
}

void UActorComponent::AddTickPrerequisiteComponent(UActorComponent* PrerequisiteComponent)
{
	if (PrimaryComponentTick.bCanEverTick && PrerequisiteComponent != nullptr &&
		PrerequisiteComponent->PrimaryComponentTick.bCanEverTick)
	{
		PrimaryComponentTick.AddPrerequisite(PrerequisiteComponent, PrerequisiteComponent->PrimaryComponentTick);
	}
}

void UActorComponent::RemoveTickPrerequisiteComponent(UActorComponent* PrerequisiteComponent)
{
	if (PrerequisiteComponent != nullptr)
	{
		PrimaryComponentTick.RemovePrerequisite(PrerequisiteComponent, PrerequisiteComponent->PrimaryComponentTick);
	}
}

void UActorComponent::RegisterAllComponentTickFunctions(bool bRegister)
{
	RegisterComponentTickFunctions(bRegister);
}

void UActorComponent::RegisterComponentTickFunctions(bool bRegister)
{
	if (!bRegister)
	{
		PrimaryComponentTick.UnRegisterTickFunction();
		return;
	}
	if (PrimaryComponentTick.bCanEverTick && !IsTemplate())
	{
		PrimaryComponentTick.Target = this;
		PrimaryComponentTick.SetTickFunctionEnable(
			PrimaryComponentTick.bStartWithTickEnabled || PrimaryComponentTick.IsTickFunctionEnabled());
		PrimaryComponentTick.RegisterTickFunction();
	}
}
