// UMovementComponent: the base of components that move their owner; they tick every frame.
#pragma once

#include "Components/ActorComponent.h"
#include "CoreMinimal.h"

class UMovementComponent : public UActorComponent
{
	DECLARE_CLASS_INTRINSIC(UMovementComponent, UActorComponent, CLASS_Abstract, TEXT("/Script/Engine"))

	UMovementComponent();
};
