// Pawn movement components and their pawn.
#include "GameFramework/PawnMovementComponent.h"

#include "GameFramework/Pawn.h"
#include "UObject/UECodeGen.h"

IMPLEMENT_INTRINSIC_CLASS(UPawnMovementComponent, ENGINE_API, UNavMovementComponent, ENGINE_API, "/Script/Engine", {})

APawn* UPawnMovementComponent::GetPawnOwner() const
{
	return Cast<APawn>(GetOwner());
}
