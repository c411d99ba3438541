// The world: spawning actors, beginning play and running frames.
#include "Engine/World.h"

#include "Engine/Canvas.h"
#include "GameFramework/HUD.h"
#include "GameFramework/PlayerController.h"
#include "GameFramework/PlayerInput.h"
#include "TickOrder.h"
#include "UObject/UECodeGen.h"
#include "UObject/UObjectGlobals.h"

IMPLEMENT_INTRINSIC_CLASS(UWorld, ENGINE_API, UObject, COREUOBJECT_API, "/Script/Engine", {})

AActor* UWorld::SpawnActor(
	UClass* Class, FVector const* Location, FRotator const* Rotation, const FActorSpawnParameters& SpawnParameters)
{
	if (Class == nullptr || !Class->IsChildOf(AActor::StaticClass()) || Class->HasAnyClassFlags(CLASS_Abstract))
	{
		return nullptr;
	}
	AActor* Actor = NewObject<AActor>(this, Class, SpawnParameters.Name);
	Actor->SetOwner(SpawnParameters.Owner);
	Actors.Add(Actor);
	Actor->RegisterAllComponents();
	Actor->PostInitializeComponents();
	if (bBegunPlay)
	{
		Actor->DispatchBeginPlay();
	}
	return Actor;
}

void UWorld::BeginPlay()
{
	if (bBegunPlay)
	{
		return;
	}
	bBegunPlay = true;
	// A copy: actors spawned during BeginPlay begin play as they are spawned.
	const TArray<AActor*> Starting = Actors;
	for (AActor* Actor : Starting)
	{
		Actor->DispatchBeginPlay();
	}
}

void UWorld::RunFrame(float DeltaSeconds, UCanvas* ViewportCanvas)
{
	BeginPlay();
	++FrameNumber;
	// Actors spawned during the frame join the next one.
	const TArray<AActor*> FrameActors = Actors;

	for (AActor* Actor : FrameActors)
	{
		APlayerController* PlayerController = Cast<APlayerController>(Actor);
		if (PlayerController != nullptr && PlayerController->PlayerInput != nullptr)
		{
			PlayerController->PlayerInput->BeginFrame();
		}
	}

	TArray<FTickFunction*> TickFunctions;
	TArray<UActorComponent*> Components;
	const auto AddIfTicking = [&TickFunctions](FTickFunction& TickFunction)
	{
		if (TickFunction.IsTickFunctionRegistered() && TickFunction.IsTickFunctionEnabled())
		{
			TickFunctions.Add(&TickFunction);
		}
	};
	for (AActor* Actor : FrameActors)
	{
		AddIfTicking(Actor->PrimaryActorTick);
		Actor->GetComponents(Components);
		for (UActorComponent* Component : Components)
		{
			AddIfTicking(Component->PrimaryComponentTick);
		}
	}
	RunTickFunctionsInOrder(TickFunctions, DeltaSeconds, LEVELTICK_All);

	if (ViewportCanvas == nullptr)
	{
		return;
	}
	for (AActor* Actor : FrameActors)
	{
		if (AHUD* HUD = Cast<AHUD>(Actor))
		{
			HUD->SetCanvas(ViewportCanvas, ViewportCanvas);
			HUD->PostRender();
			HUD->SetCanvas(nullptr, nullptr);
		}
	}
}
