// UCharacterMovementComponent: moves and turns a character. Its facing flags say whether the character turns toward
// its direction of movement or toward the controller's desired rotation.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/PawnMovementComponent.h"

class ACharacter;

class UCharacterMovementComponent : public UPawnMovementComponent
{
	DECLARE_CLASS_INTRINSIC(UCharacterMovementComponent, UPawnMovementComponent, CLASS_None, TEXT("/Script/Engine"))

	UCharacterMovementComponent();

	// The character turns toward the direction it moves in.
	uint8 bOrientRotationToMovement : 1;
	// The character turns toward the controller's desired rotation.
	uint8 bUseControllerDesiredRotation : 1;

	// The owner as a character, or null.
	ACharacter* GetCharacterOwner() const;

	// The character's facing settings as one tick of the movement component saw them.
	struct FFacingTickRecord
	{
		uint64 FrameNumber = 0;
		bool bOrientRotationToMovement = false;
		bool bUseControllerDesiredRotation = false;
		bool bUseControllerRotationYaw = false;
	};

	// Host: turning is not simulated; each tick records the facing settings it would turn by, so the order of ticks
	// within a frame can be observed.
	virtual void TickComponent(
		float DeltaTime, ELevelTick TickType, FActorComponentTickFunction* ThisTickFunction) override;
	const TArray<FFacingTickRecord>& GetFacingTickRecords() const { return FacingTickRecords; }

private:
	TArray<FFacingTickRecord> FacingTickRecords;
};
