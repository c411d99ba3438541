// The gameplay test world and test classes.
#include "GameplayTestWorld.h"

#include "UObject/UECodeGen.h"

IMPLEMENT_INTRINSIC_CLASS(AQVTestAIController, NO_API, AController, ENGINE_API, "/Script/QVGameplayTests", {})
IMPLEMENT_INTRINSIC_CLASS(UQVTestTickLogger, NO_API, UActorComponent, ENGINE_API, "/Script/QVGameplayTests", {})

void UQVTestTickLogger::TickComponent(
	float DeltaTime, ELevelTick TickType, FActorComponentTickFunction* ThisTickFunction)
{
	Super::TickComponent(DeltaTime, TickType, ThisTickFunction);
	Log->Add(GetName());
}

FFacing FacingOf(const ACharacter& Character)
{
	const UCharacterMovementComponent* Movement = Character.GetCharacterMovement();
	return FFacing(Movement->bOrientRotationToMovement, Movement->bUseControllerDesiredRotation,
		Character.bUseControllerRotationYaw);
}

void SetFacing(ACharacter& Character, const FFacing& Facing)
{
	UCharacterMovementComponent* Movement = Character.GetCharacterMovement();
	Movement->bOrientRotationToMovement = std::get<0>(Facing);
	Movement->bUseControllerDesiredRotation = std::get<1>(Facing);
	Character.bUseControllerRotationYaw = std::get<2>(Facing);
}

FStrafeTestWorld::FStrafeTestWorld()
{
	World = NewObject<UWorld>();
	Player = World->SpawnActor<APlayerController>();
	Character = World->SpawnActor<ACharacter>();
	Movement = Character->GetCharacterMovement();
	Strafe = AddComponent<UQVGameplayStrafeComponent>(*Character);
	Player->Possess(Character);
	FActorSpawnParameters HUDParameters;
	HUDParameters.Owner = Player;
	HUD = World->SpawnActor<AQVGameplayHUD>(HUDParameters);
	Canvas = NewObject<UCanvas>();
	Canvas->Init(1280, 720);
}
