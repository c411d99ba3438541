// AController: an actor that possesses a pawn and steers it.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Actor.h"

class APawn;

class AController : public AActor
{
	DECLARE_CLASS_INTRINSIC(AController, AActor, CLASS_Abstract, TEXT("/Script/Engine"))

	APawn* GetPawn() const { return Pawn; }
	template <class T> T* GetPawn() const { return Cast<T>(GetPawn()); }

	// Takes the pawn, which first leaves the controller it had; this controller first leaves its own pawn.
	virtual void Possess(APawn* InPawn) final;
	virtual void UnPossess() final;

	// The controller runs on this machine. The host's game is standalone, where every controller is local.
	virtual bool IsLocalController() const { return true; }

protected:
	virtual void OnPossess(APawn* InPawn);
	virtual void OnUnPossess();
	virtual void SetPawn(APawn* InPawn) { Pawn = InPawn; }

private:
	TObjectPtr<APawn> Pawn;
};
