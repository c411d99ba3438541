// The strafe component driven through simulated frames: the mouse button holds strafing, Caps Lock latches it, the
// character's own facing flags come back when it ends, and nothing happens without a local player's character.
#include "GameplayTestWorld.h"

#include <gtest/gtest.h>

TEST(StrafeComponent, HoldingTheRightMouseButtonStrafesAndReleasingItStops)
{
	FStrafeTestWorld Test;
	Test.Frame();
	EXPECT_FALSE(Test.Strafe->IsStrafing());
	EXPECT_EQ(Test.Facing(), EngineDefaultFacing);

	Test.Press(EKeys::RightMouseButton);
	Test.Frame();
	EXPECT_TRUE(Test.Strafe->IsStrafing());
	EXPECT_EQ(Test.Facing(), StrafingFacing);
	Test.Frame();
	EXPECT_TRUE(Test.Strafe->IsStrafing());

	Test.Release(EKeys::RightMouseButton);
	Test.Frame();
	EXPECT_FALSE(Test.Strafe->IsStrafing());
	EXPECT_EQ(Test.Facing(), EngineDefaultFacing);
}

TEST(StrafeComponent, CapsLockLatchesStrafingWhateverTheMouseDoesAndAgainHandsBackToTheMouse)
{
	FStrafeTestWorld Test;
	Test.Press(EKeys::CapsLock);
	Test.Frame();
	EXPECT_TRUE(Test.Strafe->IsStrafing());
	EXPECT_EQ(Test.Facing(), StrafingFacing);
	// Keeping Caps Lock down is not another press.
	Test.Frame();
	EXPECT_TRUE(Test.Strafe->IsStrafing());
	Test.Release(EKeys::CapsLock);

	Test.Tap(EKeys::RightMouseButton);
	Test.Frame();
	Test.Press(EKeys::RightMouseButton);
	Test.Frame();
	Test.Release(EKeys::RightMouseButton);
	Test.Frame();
	EXPECT_TRUE(Test.Strafe->IsStrafing());
	EXPECT_EQ(Test.Facing(), StrafingFacing);

	// Unlatched while the button is held: the button keeps strafing on until it is released.
	Test.Press(EKeys::RightMouseButton);
	Test.Tap(EKeys::CapsLock);
	Test.Frame();
	EXPECT_TRUE(Test.Strafe->IsStrafing());
	Test.Release(EKeys::RightMouseButton);
	Test.Frame();
	EXPECT_FALSE(Test.Strafe->IsStrafing());
	EXPECT_EQ(Test.Facing(), EngineDefaultFacing);
}

TEST(StrafeComponent, LatchingWhileTheButtonIsHeldKeepsStrafingWithoutWritingTheFlagsAgain)
{
	FStrafeTestWorld Test;
	Test.Press(EKeys::RightMouseButton);
	Test.Frame();
	ASSERT_TRUE(Test.Strafe->IsStrafing());
	// A value the component never writes while strafing: it survives only if the flags are left alone.
	Test.Movement->bOrientRotationToMovement = true;

	Test.Tap(EKeys::CapsLock);
	Test.Frame();
	EXPECT_TRUE(Test.Strafe->IsStrafing());
	Test.Release(EKeys::RightMouseButton);
	Test.Frame();
	Test.Frame();
	EXPECT_TRUE(Test.Strafe->IsStrafing());
	EXPECT_TRUE(Test.Movement->bOrientRotationToMovement);

	Test.Tap(EKeys::CapsLock);
	Test.Frame();
	EXPECT_FALSE(Test.Strafe->IsStrafing());
	EXPECT_EQ(Test.Facing(), EngineDefaultFacing);
}

TEST(StrafeComponent, ToggleStrafeFlipsTheLatchLikeCapsLockAndAppliesOnTheNextTick)
{
	FStrafeTestWorld Test;
	Test.Frame();
	// A value the component never writes while not strafing marks any write.
	Test.Movement->bUseControllerDesiredRotation = true;
	Test.Strafe->ToggleStrafe();
	Test.Strafe->ToggleStrafe();
	Test.Frame();
	EXPECT_FALSE(Test.Strafe->IsStrafing());
	EXPECT_TRUE(Test.Movement->bUseControllerDesiredRotation);

	// A toggle and a Caps Lock press in the same frame cancel too.
	Test.Strafe->ToggleStrafe();
	Test.Tap(EKeys::CapsLock);
	Test.Frame();
	EXPECT_FALSE(Test.Strafe->IsStrafing());
	EXPECT_TRUE(Test.Movement->bUseControllerDesiredRotation);

	Test.Movement->bUseControllerDesiredRotation = false;
	Test.Strafe->ToggleStrafe();
	EXPECT_FALSE(Test.Strafe->IsStrafing());
	Test.Frame();
	EXPECT_TRUE(Test.Strafe->IsStrafing());
	EXPECT_EQ(Test.Facing(), StrafingFacing);
	Test.Strafe->ToggleStrafe();
	Test.Frame();
	EXPECT_FALSE(Test.Strafe->IsStrafing());
	EXPECT_EQ(Test.Facing(), EngineDefaultFacing);
}

TEST(StrafeComponent, NothingChangesWithoutALocallyControlledCharacter)
{
	FStrafeTestWorld Test;
	// A pawn that is not a character, possessed by the local player.
	APawn* Pawn = Test.World->SpawnActor<APawn>();
	UQVGameplayStrafeComponent* PawnStrafe = AddComponent<UQVGameplayStrafeComponent>(*Pawn);
	// A bare actor.
	UQVGameplayStrafeComponent* ActorStrafe =
		AddComponent<UQVGameplayStrafeComponent>(*Test.World->SpawnActor<AActor>());
	// Characters without a controller, with a non-player controller and with a remote player's controller.
	ACharacter* Unpossessed = Test.World->SpawnActor<ACharacter>();
	ACharacter* AIControlled = Test.World->SpawnActor<ACharacter>();
	ACharacter* RemotePlayed = Test.World->SpawnActor<ACharacter>();
	Test.World->SpawnActor<AQVTestAIController>()->Possess(AIControlled);
	APlayerController* Remote = Test.World->SpawnActor<APlayerController>();
	Remote->SetIsLocalPlayerController(false);
	Remote->Possess(RemotePlayed);
	TArray<UQVGameplayStrafeComponent*> CharacterStrafes;
	for (ACharacter* Character : {Unpossessed, AIControlled, RemotePlayed})
	{
		CharacterStrafes.Add(AddComponent<UQVGameplayStrafeComponent>(*Character));
		CharacterStrafes.Last()->ToggleStrafe();
	}
	Test.Player->Possess(Pawn);

	Test.Press(EKeys::RightMouseButton);
	Remote->PlayerInput->PressKey(EKeys::RightMouseButton);
	Test.Tap(EKeys::CapsLock);
	Test.Frame();
	Test.Frame();
	EXPECT_FALSE(PawnStrafe->IsStrafing());
	EXPECT_TRUE(Pawn->bUseControllerRotationYaw);
	EXPECT_FALSE(ActorStrafe->IsStrafing());
	for (int32 Index = 0; Index < CharacterStrafes.Num(); ++Index)
	{
		EXPECT_FALSE(CharacterStrafes[Index]->IsStrafing()) << Index;
		EXPECT_EQ(FacingOf(*CharacterStrafes[Index]->GetOwner<ACharacter>()), EngineDefaultFacing) << Index;
	}

	// Once the remote player's controller counts as local, its held button strafes (the latch was toggled on too).
	Remote->SetIsLocalPlayerController(true);
	Test.Frame();
	EXPECT_TRUE(CharacterStrafes[2]->IsStrafing());
	EXPECT_EQ(FacingOf(*RemotePlayed), StrafingFacing);
}

TEST(StrafeComponent, TheFlagsTheCharacterHadAtBeginPlayComeBackWhenStrafingEnds)
{
	FStrafeTestWorld Test;
	const FFacing Customised{true, true, true};
	SetFacing(*Test.Character, Customised);
	Test.Frame();
	// Changes after BeginPlay are not what is restored.
	SetFacing(*Test.Character, FFacing(false, false, false));

	Test.Press(EKeys::RightMouseButton);
	Test.Frame();
	EXPECT_EQ(Test.Facing(), StrafingFacing);
	Test.Release(EKeys::RightMouseButton);
	Test.Frame();
	EXPECT_EQ(Test.Facing(), Customised);

	Test.Tap(EKeys::CapsLock);
	Test.Frame();
	EXPECT_EQ(Test.Facing(), StrafingFacing);
	Test.Tap(EKeys::CapsLock);
	Test.Frame();
	EXPECT_EQ(Test.Facing(), Customised);
}

TEST(StrafeComponent, TheMovementComponentTicksAfterItAndTurnsByTheNewFlagsTheSameFrame)
{
	FStrafeTestWorld Test;
	Test.Frame();
	Test.Press(EKeys::RightMouseButton);
	Test.Frame();
	Test.Release(EKeys::RightMouseButton);
	Test.Frame();

	// The movement component was made first, so only the prerequisite makes it wait for the strafe component.
	const TArray<UCharacterMovementComponent::FFacingTickRecord>& Records = Test.Movement->GetFacingTickRecords();
	ASSERT_EQ(Records.Num(), 3);
	const FFacing Expected[] = {EngineDefaultFacing, StrafingFacing, EngineDefaultFacing};
	for (int32 Frame = 0; Frame < 3; ++Frame)
	{
		const UCharacterMovementComponent::FFacingTickRecord& Record = Records[Frame];
		EXPECT_EQ(Record.FrameNumber, uint64(Frame + 1));
		EXPECT_EQ(FFacing(Record.bOrientRotationToMovement, Record.bUseControllerDesiredRotation,
					  Record.bUseControllerRotationYaw),
			Expected[Frame])
			<< "frame " << Frame + 1;
	}
}
