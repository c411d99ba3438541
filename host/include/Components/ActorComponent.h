// UActorComponent: a reusable piece of behaviour owned by an actor, with its own per-frame tick function.
#pragma once

#include "CoreMinimal.h"
#include "Engine/EngineBaseTypes.h"
#include "Templates/Casts.h"
#include "UObject/Object.h"

class AActor;
class UWorld;

class UActorComponent : public UObject
{
	DECLARE_CLASS_INTRINSIC(UActorComponent, UObject, CLASS_Abstract, TEXT("/Script/Engine"))

	UActorComponent();

	// The component's tick; set bCanEverTick in the constructor to have TickComponent called every frame.
	FActorComponentTickFunction PrimaryComponentTick;

	// The actor the component was made in (its nearest actor outer).
	AActor* GetOwner() const { return OwnerPrivate; }
	template <class T> T* GetOwner() const { return Cast<T>(GetOwner()); }
	UWorld* GetWorld() const;

	// Adds the component to its owner's components.
	virtual void PostInitProperties() override;

	// Registers the component with its owner's world; if the owner has already begun play, the component begins
	// play at once.
	void RegisterComponent();
	bool IsRegistered() const { return bRegistered; }
	bool HasBegunPlay() const { return bHasBegunPlay; }

	// Called once, when the owner begins play (or on registration after that). Overrides call the base first.
	virtual void BeginPlay();
	// Called every frame while the tick function is registered and enabled.
	virtual void TickComponent(float DeltaTime, ELevelTick TickType, FActorComponentTickFunction* ThisTickFunction);

	// Makes this component tick after PrerequisiteComponent in every frame; ignored unless both can ever tick.
	void AddTickPrerequisiteComponent(UActorComponent* PrerequisiteComponent);
	void RemoveTickPrerequisiteComponent(UActorComponent* PrerequisiteComponent);

	// Registers (or removes) the component's tick functions with the world.
	void RegisterAllComponentTickFunctions(bool bRegister);

protected:
	virtual void RegisterComponentTickFunctions(bool bRegister);

private:
	AActor* OwnerPrivate = nullptr;
	bool bRegistered = false;
	bool bHasBegunPlay = false;
};
