// The demo characters' strafe component, which switches a character between turning toward its movement and facing
// the view direction, and the HUD that prints the strafing hint.
#pragma once

#include "Components/ActorComponent.h"
#include "CoreMinimal.h"
#include "GameFramework/HUD.h"
#include "QVGameplayStrafeComponent.generated.h"

class ACharacter;
class UCharacterMovementComponent;

//~ Strafing only switches the owning character's three facing flags; its movement component does the turning, and
//~ movement input is never read or changed. The right mouse button holds strafing, Caps Lock latches it.
UCLASS(ClassGroup = (Quorvel),
	meta = (BlueprintSpawnableComponent,
		ToolTip = "Optional facing control for generated demo characters; existing movement input stays intact."))
class QUORVELUNREAL_API UQVGameplayStrafeComponent : public UActorComponent
{
	GENERATED_BODY()

public:
	UQVGameplayStrafeComponent();

	//~ Flips the latch as a Caps Lock press does; the next tick applies the result.
	UFUNCTION(BlueprintCallable, Category = "Quorvel|Gameplay",
		meta = (ToolTip = "Also available to Blueprint input bindings for a gamepad or a custom toggle."))
	void ToggleStrafe();

	//~ The state applied to the character, which may lag the latch by one tick.
	UFUNCTION(BlueprintPure, Category = "Quorvel|Gameplay")
	bool IsStrafing() const;

protected:
	virtual void BeginPlay() override;

public:
	virtual void TickComponent(
		float DeltaTime, ELevelTick TickType, FActorComponentTickFunction* ThisTickFunction) override;

private:
	void ApplyStrafing(ACharacter& Character, UCharacterMovementComponent& Movement) const;

	bool bToggleLatched = false;
	bool bStrafing = false;
	// The character's own facing flags, taken at BeginPlay and restored whenever strafing ends.
	bool bSavedOrientToMovement = true;
	bool bSavedDesiredRotation = false;
	bool bSavedControllerYaw = false;
};

//~ Prints a one-line strafing hint near the lower left corner of the screen.
UCLASS()
class QUORVELUNREAL_API AQVGameplayHUD : public AHUD
{
	GENERATED_BODY()

public:
	virtual void DrawHUD() override;
};
