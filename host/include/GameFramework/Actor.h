// AActor: an object placed in a world. It owns components, begins play once and may tick every frame.
#pragma once

#include "Components/ActorComponent.h"
#include "CoreMinimal.h"
#include "Engine/EngineBaseTypes.h"
#include "Templates/Casts.h"
#include "UObject/Object.h"
#include "UObject/UObjectGlobals.h"

class UWorld;

class AActor : public UObject
{
	DECLARE_CLASS_INTRINSIC(AActor, UObject, CLASS_None, TEXT("/Script/Engine"))

	AActor();

	// The actor's tick; set bCanEverTick in the constructor to have Tick called every frame.
	FActorTickFunction PrimaryActorTick;

	UWorld* GetWorld() const;
	AActor* GetOwner() const { return Owner; }
	virtual void SetOwner(AActor* NewOwner) { Owner = NewOwner; }

	// Called by the world after the actor's components are registered, before it begins play.
	virtual void PostInitializeComponents() {}
	// Begins play once: registers the tick functions and calls BeginPlay.
	void DispatchBeginPlay();
	bool HasActorBegunPlay() const { return bActorHasBegunPlay; }

	virtual void TickActor(float DeltaTime, ELevelTick TickType, FActorTickFunction& ThisTickFunction);
	virtual void Tick(float DeltaSeconds) {}

	// Makes a component owned by this actor. The engine declares this on every object, for use in constructors;
	// actors are the only objects here that make default subobjects.
	template <class TReturnType> TReturnType* CreateDefaultSubobject(FName SubobjectName, bool bTransient = false)
	{
		return NewObject<TReturnType>(this, TReturnType::StaticClass(), SubobjectName);
	}

	void AddOwnedComponent(UActorComponent* Component);
	void RemoveOwnedComponent(UActorComponent* Component);

	// The owned components of class T (or a subclass), in the order they were made.
	template <class T> void GetComponents(TArray<T*>& OutComponents) const
	{
		OutComponents.Reset();
		for (UActorComponent* Component : OwnedComponents)
		{
			if (T* Typed = Cast<T>(Component))
			{
				OutComponents.Add(Typed);
			}
		}
	}

	// The first owned component of the class or a subclass, or null. The engine takes a TSubclassOf, which converts
	// from the class pointer callers pass.
	UActorComponent* FindComponentByClass(const UClass* ComponentClass) const;
	template <class T> T* FindComponentByClass() const
	{
		return static_cast<T*>(FindComponentByClass(T::StaticClass()));
	}

	void RegisterAllComponents();
	void RegisterAllActorTickFunctions(bool bRegister, bool bDoComponents);

protected:
	// Called once when the actor begins play; begins play on its registered components. Overrides call the base first.
	virtual void BeginPlay();

private:
	TArray<UActorComponent*> OwnedComponents;
	TObjectPtr<AActor> Owner;
	bool bActorHasBegunPlay = false;
};
