// Character movement: the facing flags and the per-tick record of them.
#include "GameFramework/CharacterMovementComponent.h"

#include "Engine/World.h"
#include "GameFramework/Character.h"
#include "UObject/UECodeGen.h"

IMPLEMENT_INTRINSIC_CLASS(
	UCharacterMovementComponent, ENGINE_API, UPawnMovementComponent, ENGINE_API, "/Script/Engine", {})

UCharacterMovementComponent::UCharacterMovementComponent()
	: bOrientRotationToMovement(false), bUseControllerDesiredRotation(false)
{
}

ACharacter* UCharacterMovementComponent::GetCharacterOwner() const
{
	return Cast<ACharacter>(GetOwner());
}

void UCharacterMovementComponent::TickComponent(
	float DeltaTime, ELevelTick TickType, FActorComponentTickFunction* ThisTickFunction)
{
	Super::TickComponent(DeltaTime, TickType, ThisTickFunction);
	FFacingTickRecord Record;
	const UWorld* World = GetWorld();
	Record.FrameNumber = World != nullptr ? World->GetFrameNumber() : 0;
	Record.bOrientRotationToMovement = bOrientRotationToMovement;
	Record.bUseControllerDesiredRotation = bUseControllerDesiredRotation;
	const APawn* Pawn = GetPawnOwner();
	Record.bUseControllerRotationYaw = Pawn != nullptr && Pawn->bUseControllerRotationYaw;
	FacingTickRecords.Add(Record);
}
