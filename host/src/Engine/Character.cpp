// Characters: a pawn with its movement component.
#include "GameFramework/Character.h"

#include "GameFramework/CharacterMovementComponent.h"
#include "UObject/UECodeGen.h"

IMPLEMENT_INTRINSIC_CLASS(ACharacter, ENGINE_API, APawn, ENGINE_API, "/Script/Engine", {})

FName ACharacter::CharacterMovementComponentName(TEXT("CharMoveComp"));

ACharacter::ACharacter()
{
	PrimaryActorTick.bCanEverTick = true;
	CharacterMovement = CreateDefaultSubobject<UCharacterMovementComponent>(CharacterMovementComponentName);
}
