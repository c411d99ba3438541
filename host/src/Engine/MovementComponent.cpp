// Movement components tick every frame.
#include "GameFramework/MovementComponent.h"

#include "UObject/UECodeGen.h"

IMPLEMENT_INTRINSIC_CLASS(UMovementComponent, ENGINE_API, UActorComponent, ENGINE_API, "/Script/Engine", {})

UMovementComponent::UMovementComponent()
{
	PrimaryComponentTick.bCanEverTick = true;
}
