// UPawnMovementComponent: a movement component that moves the pawn owning it.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/NavMovementComponent.h"

class APawn;

class UPawnMovementComponent : public UNavMovementComponent
{
	DECLARE_CLASS_INTRINSIC(UPawnMovementComponent, UNavMovementComponent, CLASS_Abstract, TEXT("/Script/Engine"))

	// The owner as a pawn, or null.
	APawn* GetPawnOwner() const;
};
