// Player controllers: the player's input object and key queries.
#include "GameFramework/PlayerController.h"

#include "GameFramework/PlayerInput.h"
#include "UObject/UECodeGen.h"
#include "UObject/UObjectGlobals.h"

IMPLEMENT_INTRINSIC_CLASS(APlayerController, ENGINE_API, AController, ENGINE_API, "/Script/Engine", {})

APlayerController::APlayerController()
{
	PlayerInput = NewObject<UPlayerInput>(this, UPlayerInput::StaticClass(), FName(TEXT("PlayerInput")));
}

bool APlayerController::WasInputKeyJustPressed(const FKey Key) const
{
	return PlayerInput != nullptr && PlayerInput->WasJustPressed(Key);
}

bool APlayerController::WasInputKeyJustReleased(const FKey Key) const
{
	return PlayerInput != nullptr && PlayerInput->WasJustReleased(Key);
}

bool APlayerController::IsInputKeyDown(const FKey Key) const
{
	return PlayerInput != nullptr && PlayerInput->IsPressed(Key);
}
