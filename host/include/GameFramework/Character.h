// ACharacter: a pawn that walks, moved and turned by its character movement component.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Pawn.h"

class UCharacterMovementComponent;

class ACharacter : public APawn
{
	DECLARE_CLASS_INTRINSIC(ACharacter, APawn, CLASS_None, TEXT("/Script/Engine"))

	// Makes the movement component, named CharacterMovementComponentName.
	ACharacter();

	static FName CharacterMovementComponentName;

	UCharacterMovementComponent* GetCharacterMovement() const { return CharacterMovement; }
	template <class T> T* GetCharacterMovement() const
	{
		return CastChecked<T>(GetCharacterMovement(), ECastCheckedType::NullAllowed);
	}

private:
	TObjectPtr<UCharacterMovementComponent> CharacterMovement;
};
