// Controllers: possession of a pawn.
#include "GameFramework/Controller.h"

#include "GameFramework/Pawn.h"
#include "UObject/UECodeGen.h"

IMPLEMENT_INTRINSIC_CLASS(AController, ENGINE_API, AActor, ENGINE_API, "/Script/Engine", {})

void AController::Possess(APawn* InPawn)
{
	OnPossess(InPawn);
}

void AController::UnPossess()
{
	OnUnPossess();
}

void AController::OnPossess(APawn* InPawn)
{
	if (InPawn == nullptr)
	{
		return;
	}
	if (GetPawn() != nullptr && GetPawn() != InPawn)
	{
		UnPossess();
	}
	if (InPawn->Controller != nullptr && InPawn->Controller != this)
	{
		InPawn->Controller->UnPossess();
	}
	InPawn->PossessedBy(this);
	SetPawn(InPawn);
}

void AController::OnUnPossess()
{
	if (APawn* OldPawn = GetPawn())
	{
		OldPawn->UnPossessed();
		SetPawn(nullptr);
	}
}
