// UWorld: owns the actors of a game and runs its frames.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Actor.h"
#include "Templates/Casts.h"
#include "UObject/Object.h"

class UCanvas;

struct FActorSpawnParameters
{
	// The actor's name; None makes a unique one.
	FName Name;
	AActor* Owner = nullptr;
};

class UWorld : public UObject
{
	DECLARE_CLASS_INTRINSIC(UWorld, UObject, CLASS_None, TEXT("/Script/Engine"))

	// Makes an actor of the class in this world, registers its components and initialises it; in a world that has
	// begun play the actor begins play at once. Actors have no transform here, so the location and rotation are
	// ignored.
	AActor* SpawnActor(UClass* Class, FVector const* Location = nullptr, FRotator const* Rotation = nullptr,
		const FActorSpawnParameters& SpawnParameters = FActorSpawnParameters());

	template <class T> T* SpawnActor(const FActorSpawnParameters& SpawnParameters = FActorSpawnParameters())
	{
		return CastChecked<T>(
			SpawnActor(T::StaticClass(), nullptr, nullptr, SpawnParameters), ECastCheckedType::NullAllowed);
	}

	template <class T>
	T* SpawnActor(UClass* Class, const FActorSpawnParameters& SpawnParameters = FActorSpawnParameters())
	{
		return CastChecked<T>(SpawnActor(Class, nullptr, nullptr, SpawnParameters), ECastCheckedType::NullAllowed);
	}

	// Every actor spawned so far begins play.
	void BeginPlay();
	bool HasBegunPlay() const { return bBegunPlay; }

	// Host: runs one frame, in this order:
	// 1. the world begins play if it has not yet;
	// 2. every player controller's input takes the key events since the previous frame;
	// 3. every registered, enabled tick function of the actors present at the frame's start (each actor's, then its
	//    components', in spawn order) runs once, each after the prerequisites that also run this frame (a cycle is
	//    broken where it closes);
	// 4. with a viewport canvas, every HUD draws on it.
	// The engine splits this between its world tick and its viewport; ticking groups are not modelled.
	void RunFrame(float DeltaSeconds, UCanvas* ViewportCanvas = nullptr);
	// Host: the number of frames run so far; the frame being run during RunFrame.
	uint64 GetFrameNumber() const { return FrameNumber; }

private:
	TArray<AActor*> Actors;
	uint64 FrameNumber = 0;
	bool bBegunPlay = false;
};
