// Pawns: possession and the controller-rotation flags.
#include "GameFramework/Pawn.h"

#include "GameFramework/Controller.h"
#include "UObject/UECodeGen.h"

IMPLEMENT_INTRINSIC_CLASS(APawn, ENGINE_API, AActor, ENGINE_API, "/Script/Engine", {})

APawn::APawn() : bUseControllerRotationYaw(true) {}

void APawn::PossessedBy(AController* NewController)
{
	Controller = NewController;
}

void APawn::UnPossessed()
{
	Controller = nullptr;
}
