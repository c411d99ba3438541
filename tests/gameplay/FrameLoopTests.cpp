// The stand-in gameplay framework the component runs in: tick order under prerequisites, begin play and the
// per-frame key state.
#include "GameplayTestWorld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using ::testing::ElementsAre;

namespace
{
UQVTestTickLogger* AddLogger(AActor& Actor, const TCHAR* Name, TArray<FString>& Log)
{
	UQVTestTickLogger* Logger = NewObject<UQVTestTickLogger>(&Actor, UQVTestTickLogger::StaticClass(), FName(Name));
	Logger->Log = &Log;
	Logger->RegisterComponent();
	return Logger;
}

std::vector<std::string> Names(const TArray<FString>& Log)
{
	std::vector<std::string> Result;
	for (const FString& Name : Log)
	{
		Result.push_back(*Name);
	}
	return Result;
}
} // namespace

TEST(FrameLoop, EachEnabledTickRunsOncePerFrameAfterItsPrerequisites)
{
	UWorld* World = NewObject<UWorld>();
	TArray<FString> Log;
	AActor* First = World->SpawnActor<AActor>();
	AActor* Second = World->SpawnActor<AActor>();
	UQVTestTickLogger* A = AddLogger(*First, TEXT("A"), Log);
	UQVTestTickLogger* B = AddLogger(*First, TEXT("B"), Log);
	UQVTestTickLogger* C = AddLogger(*Second, TEXT("C"), Log);
	// A waits for C, which waits for B, across actors.
	A->AddTickPrerequisiteComponent(C);
	C->AddTickPrerequisiteComponent(B);
	World->RunFrame(0.1f);
	EXPECT_THAT(Names(Log), ElementsAre("B", "C", "A"));

	// A disabled prerequisite is not waited for; the others keep their order.
	Log.Reset();
	B->PrimaryComponentTick.SetTickFunctionEnable(false);
	World->RunFrame(0.1f);
	EXPECT_THAT(Names(Log), ElementsAre("C", "A"));
}

TEST(FrameLoop, ActorsAndComponentsBeginPlayOnce)
{
	UWorld* World = NewObject<UWorld>();
	TArray<FString> Log;
	ACharacter* Early = World->SpawnActor<ACharacter>();
	UQVTestTickLogger* Logger = AddLogger(*Early, TEXT("Early"), Log);
	EXPECT_FALSE(Early->HasActorBegunPlay());
	EXPECT_FALSE(Logger->HasBegunPlay());
	World->RunFrame(0.1f);
	EXPECT_TRUE(Early->HasActorBegunPlay());
	EXPECT_TRUE(Early->GetCharacterMovement()->HasBegunPlay());
	EXPECT_THAT(Names(Log), ElementsAre("Early"));

	// Once the world plays, a new actor begins play as it is spawned and a new component as it is registered.
	ACharacter* Late = World->SpawnActor<ACharacter>();
	EXPECT_TRUE(Late->HasActorBegunPlay());
	EXPECT_TRUE(AddLogger(*Late, TEXT("Late"), Log)->HasBegunPlay());
	EXPECT_EQ(Late->FindComponentByClass<UQVTestTickLogger>()->GetName(), TEXT("Late"));
	EXPECT_EQ(Late->FindComponentByClass(UPawnMovementComponent::StaticClass()), Late->GetCharacterMovement());
	Log.Reset();
	World->RunFrame(0.1f);
	EXPECT_THAT(Names(Log), ElementsAre("Early", "Late"));
}

TEST(FrameLoop, AKeyIsJustPressedForOneFrameAndDownUntilReleased)
{
	FStrafeTestWorld Test;
	const FKey Key = EKeys::LeftMouseButton;
	const auto State = [&Test, &Key]()
	{
		return std::make_tuple(Test.Player->WasInputKeyJustPressed(Key), Test.Player->IsInputKeyDown(Key),
			Test.Player->WasInputKeyJustReleased(Key));
	};
	Test.Press(Key);
	// Events reach the frame queries when the next frame starts.
	EXPECT_EQ(State(), std::make_tuple(false, true, false));
	Test.Frame();
	EXPECT_EQ(State(), std::make_tuple(true, true, false));
	// Pressing a key that is down is a repeat, not a new press.
	Test.Press(Key);
	Test.Frame();
	EXPECT_EQ(State(), std::make_tuple(false, true, false));
	Test.Release(Key);
	Test.Frame();
	EXPECT_EQ(State(), std::make_tuple(false, false, true));
	// A tap between frames is a press and a release of that frame, with the key up.
	Test.Tap(Key);
	Test.Frame();
	EXPECT_EQ(State(), std::make_tuple(true, false, true));
	Test.Frame();
	EXPECT_EQ(State(), std::make_tuple(false, false, false));
	EXPECT_FALSE(Test.Player->IsInputKeyDown(EKeys::CapsLock));
}
