// A world with a locally controlled demo character for the gameplay tests, and the engine-side test classes they
// need: a non-player controller and a component that logs its ticks.
#pragma once

#include "Engine/Canvas.h"
#include "Engine/World.h"
#include "GameFramework/Character.h"
#include "GameFramework/CharacterMovementComponent.h"
#include "GameFramework/Controller.h"
#include "GameFramework/PlayerController.h"
#include "GameFramework/PlayerInput.h"
#include "QVGameplayStrafeComponent.h"

#include <tuple>

// A controller that is not a player's, as an AI controller is.
class AQVTestAIController : public AController
{
	DECLARE_CLASS_INTRINSIC(AQVTestAIController, AController, CLASS_None, TEXT("/Script/QVGameplayTests"))
};

// A ticking component that appends its name to a shared log each tick.
class UQVTestTickLogger : public UActorComponent
{
	DECLARE_CLASS_INTRINSIC(UQVTestTickLogger, UActorComponent, CLASS_None, TEXT("/Script/QVGameplayTests"))

	UQVTestTickLogger() { PrimaryComponentTick.bCanEverTick = true; }

	virtual void TickComponent(
		float DeltaTime, ELevelTick TickType, FActorComponentTickFunction* ThisTickFunction) override;

	TArray<FString>* Log = nullptr;
};

// The three facing flags: orient to movement, use controller desired rotation, use controller rotation yaw.
using FFacing = std::tuple<bool, bool, bool>;

inline const FFacing StrafingFacing{false, true, false};
// The flags of a character the engine makes, untouched.
inline const FFacing EngineDefaultFacing{false, false, true};

FFacing FacingOf(const ACharacter& Character);
void SetFacing(ACharacter& Character, const FFacing& Facing);

// Adds a registered component of class T to an actor, as gameplay code does after spawning.
template <class T> T* AddComponent(AActor& Actor)
{
	T* Component = NewObject<T>(&Actor);
	Component->RegisterComponent();
	return Component;
}

// A fresh world holding a character with the strafe component, possessed by a local player, and that player's HUD,
// drawn on a 720-pixel-high canvas. No frame has run yet, so nothing has begun play.
struct FStrafeTestWorld
{
	UWorld* World = nullptr;
	APlayerController* Player = nullptr;
	ACharacter* Character = nullptr;
	UCharacterMovementComponent* Movement = nullptr;
	UQVGameplayStrafeComponent* Strafe = nullptr;
	AQVGameplayHUD* HUD = nullptr;
	UCanvas* Canvas = nullptr;

	FStrafeTestWorld();

	void Frame() { World->RunFrame(1.f / 60.f, Canvas); }
	void Press(const FKey& Key) { Player->PlayerInput->PressKey(Key); }
	void Release(const FKey& Key) { Player->PlayerInput->ReleaseKey(Key); }
	// A press and release between two frames.
	void Tap(const FKey& Key)
	{
		Press(Key);
		Release(Key);
	}
	FFacing Facing() const { return FacingOf(*Character); }
};
