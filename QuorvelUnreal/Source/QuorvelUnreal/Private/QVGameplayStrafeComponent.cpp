// The strafe component's input handling and flag switching, and the HUD's strafing hint.
#include "QVGameplayStrafeComponent.h"

#include "Engine/Canvas.h"
#include "GameFramework/Character.h"
#include "GameFramework/CharacterMovementComponent.h"
#include "GameFramework/PlayerController.h"
#include "InputCoreTypes.h"

UQVGameplayStrafeComponent::UQVGameplayStrafeComponent()
{
	PrimaryComponentTick.bCanEverTick = true;
}

void UQVGameplayStrafeComponent::ToggleStrafe()
{
	bToggleLatched = !bToggleLatched;
}

bool UQVGameplayStrafeComponent::IsStrafing() const
{
	return bStrafing;
}

void UQVGameplayStrafeComponent::BeginPlay()
{
	Super::BeginPlay();

	ACharacter* Character = Cast<ACharacter>(GetOwner());
	if (Character == nullptr)
	{
		return;
	}
	UCharacterMovementComponent* Movement = Character->GetCharacterMovement();
	if (Movement == nullptr)
	{
		return;
	}
	bSavedOrientToMovement = Movement->bOrientRotationToMovement;
	bSavedDesiredRotation = Movement->bUseControllerDesiredRotation;
	bSavedControllerYaw = Character->bUseControllerRotationYaw;

	// The movement component turns the character in its own tick; ticking after this component, it sees the flags
	// of the same frame.
	Movement->AddTickPrerequisiteComponent(this);
}

void UQVGameplayStrafeComponent::TickComponent(
	float DeltaTime, ELevelTick TickType, FActorComponentTickFunction* ThisTickFunction)
{
	Super::TickComponent(DeltaTime, TickType, ThisTickFunction);

	ACharacter* Character = Cast<ACharacter>(GetOwner());
	if (Character == nullptr)
	{
		return;
	}
	// Input is read only for the player on this machine: the gate is the player controller's local-controller query.
	const APlayerController* PlayerController = Cast<APlayerController>(Character->GetController());
	if (PlayerController == nullptr || !PlayerController->IsLocalController())
	{
		return;
	}

	if (PlayerController->WasInputKeyJustPressed(EKeys::CapsLock))
	{
		bToggleLatched = !bToggleLatched;
	}
	// The latch wins; while it is on the mouse button is not read.
	const bool bWantsStrafing = bToggleLatched || PlayerController->IsInputKeyDown(EKeys::RightMouseButton);
	if (bWantsStrafing == bStrafing)
	{
		return;
	}

	// Without a movement component there are no facing flags to switch; the state stays as it is.
	UCharacterMovementComponent* Movement = Character->GetCharacterMovement();
	if (Movement == nullptr)
	{
		return;
	}
	bStrafing = bWantsStrafing;
	ApplyStrafing(*Character, *Movement);
}

void UQVGameplayStrafeComponent::ApplyStrafing(ACharacter& Character, UCharacterMovementComponent& Movement) const
{
	Movement.bOrientRotationToMovement = bStrafing ? false : bSavedOrientToMovement;
	Movement.bUseControllerDesiredRotation = bStrafing ? true : bSavedDesiredRotation;
	Character.bUseControllerRotationYaw = bStrafing ? false : bSavedControllerYaw;
}

void AQVGameplayHUD::DrawHUD()
{
	Super::DrawHUD();

	const APlayerController* PlayerController = GetOwningPlayerController();
	if (Canvas == nullptr || PlayerController == nullptr)
	{
		return;
	}
	const APawn* Pawn = PlayerController->GetPawn();
	if (Pawn == nullptr)
	{
		return;
	}
	const UQVGameplayStrafeComponent* StrafeComponent = Pawn->FindComponentByClass<UQVGameplayStrafeComponent>();
	if (StrafeComponent == nullptr)
	{
		return;
	}

	const FString Hint = StrafeComponent->IsStrafing() ? TEXT("Strafe ON | Hold Right Mouse / Caps Lock to toggle")
													   : TEXT("Hold Right Mouse to Strafe | Caps Lock to toggle");
	// Near the lower left corner, but never above the top margin on a very short canvas.
	const float ScreenY = FMath::Max(static_cast<float>(Canvas->SizeY) - 40.f, 24.f);
	DrawText(Hint, FLinearColor::White, 24.f, ScreenY, nullptr, 1.f, false);
}
