// APlayerController: the controller of a human player, with that player's key queries.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Controller.h"
#include "InputCoreTypes.h"

class UPlayerInput;

class APlayerController : public AController
{
	DECLARE_CLASS_INTRINSIC(APlayerController, AController, CLASS_None, TEXT("/Script/Engine"))

	// Makes the player's input object.
	APlayerController();

	TObjectPtr<UPlayerInput> PlayerInput;

	bool WasInputKeyJustPressed(const FKey Key) const;
	bool WasInputKeyJustReleased(const FKey Key) const;
	bool IsInputKeyDown(const FKey Key) const;

	// True for the controller of a player on this machine.
	virtual bool IsLocalController() const override { return bIsLocalPlayerController; }

	// Host: marks the controller as a remote player's, as a server holds one per connected client.
	void SetIsLocalPlayerController(bool bInIsLocal) { bIsLocalPlayerController = bInIsLocal; }

private:
	bool bIsLocalPlayerController = true;
};
