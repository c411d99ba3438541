// Tick types: the level tick kind and the tick functions through which the world runs actors and components once per
// frame, in an order that honours their prerequisites.
#pragma once

#include "CoreMinimal.h"

class AActor;
class UActorComponent;
class UObject;

enum ELevelTick
{
	// Only time advances.
	LEVELTICK_TimeOnly = 0,
	// Only viewports are updated.
	LEVELTICK_ViewportsOnly = 1,
	// Everything is updated.
	LEVELTICK_All = 2,
	// The game is paused.
	LEVELTICK_PauseTick = 3,
};

struct FTickFunction;

// A tick function that must run before the one that holds this, in every frame in which both run.
struct FTickPrerequisite
{
	UObject* PrerequisiteObject = nullptr;
	FTickFunction* PrerequisiteTickFunction = nullptr;

	FTickPrerequisite() = default;
	FTickPrerequisite(UObject* TargetObject, FTickFunction& TargetTickFunction)
		: PrerequisiteObject(TargetObject), PrerequisiteTickFunction(&TargetTickFunction)
	{
	}

	// The tick function, or null once its object is gone.
	FTickFunction* Get() const { return PrerequisiteObject != nullptr ? PrerequisiteTickFunction : nullptr; }

	bool operator==(const FTickPrerequisite& Other) const
	{
		return PrerequisiteObject == Other.PrerequisiteObject &&
			PrerequisiteTickFunction == Other.PrerequisiteTickFunction;
	}
};

// One per-frame callback. It runs only while registered (its owner has begun play) and enabled.
struct FTickFunction
{
	// Whether this function may ever be registered; owners set it in their constructors.
	bool bCanEverTick = false;
	// Whether the function is enabled when it is registered.
	bool bStartWithTickEnabled = true;

	FTickFunction() = default;
	virtual ~FTickFunction() = default;
	FTickFunction(const FTickFunction&) = delete;
	FTickFunction& operator=(const FTickFunction&) = delete;

	// The engine registers with the owner's level; the host's world finds registered functions through their owners.
	void RegisterTickFunction();
	void UnRegisterTickFunction();
	bool IsTickFunctionRegistered() const { return bRegistered; }

	void SetTickFunctionEnable(bool bInEnabled) { bTickEnabled = bInEnabled; }
	bool IsTickFunctionEnabled() const { return bTickEnabled; }

	// Makes TargetTickFunction (of TargetObject) run before this one; ignored unless both can tick.
	void AddPrerequisite(UObject* TargetObject, FTickFunction& TargetTickFunction);
	void RemovePrerequisite(UObject* TargetObject, FTickFunction& TargetTickFunction);
	TArray<FTickPrerequisite>& GetPrerequisites() { return Prerequisites; }
	const TArray<FTickPrerequisite>& GetPrerequisites() const { return Prerequisites; }

	// Runs the tick. The engine's version also takes the task-graph thread and completion event, which the host's
	// single-threaded frame does not have.
	virtual void ExecuteTick(float DeltaTime, ELevelTick TickType) = 0;

private:
	bool bRegistered = false;
	bool bTickEnabled = false;
	TArray<FTickPrerequisite> Prerequisites;
};

// The tick function of an actor: calls AActor::TickActor once the actor has begun play.
struct FActorTickFunction : public FTickFunction
{
	AActor* Target = nullptr;

	virtual void ExecuteTick(float DeltaTime, ELevelTick TickType) override;
};

// The tick function of a component: calls UActorComponent::TickComponent once the component is registered and has
// begun play.
struct FActorComponentTickFunction : public FTickFunction
{
	UActorComponent* Target = nullptr;

	virtual void ExecuteTick(float DeltaTime, ELevelTick TickType) override;
};
