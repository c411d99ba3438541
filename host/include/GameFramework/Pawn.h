// APawn: an actor a controller can possess, and the rotation it takes from that controller.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Actor.h"

class AController;

class APawn : public AActor
{
	DECLARE_CLASS_INTRINSIC(APawn, AActor, CLASS_None, TEXT("/Script/Engine"))

	APawn();

	// The pawn's yaw follows the controller's rotation.
	uint32 bUseControllerRotationYaw : 1;

	// The controller possessing the pawn, or null.
	TObjectPtr<AController> Controller;

	AController* GetController() const { return Controller; }
	template <class T> T* GetController() const { return Cast<T>(GetController()); }

	// Called by the controller when it takes or gives up the pawn.
	virtual void PossessedBy(AController* NewController);
	virtual void UnPossessed();
};
