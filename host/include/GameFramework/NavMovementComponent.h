// UNavMovementComponent: a movement component that navigation can drive.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/MovementComponent.h"

class UNavMovementComponent : public UMovementComponent
{
	DECLARE_CLASS_INTRINSIC(UNavMovementComponent, UMovementComponent, CLASS_Abstract, TEXT("/Script/Engine"))
};
