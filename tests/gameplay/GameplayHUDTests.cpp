// The gameplay HUD: the hint it draws in each strafing state, where it draws it, and when it draws nothing.
#include "GameplayTestWorld.h"

#include <gtest/gtest.h>

#include <utility>

namespace
{
const TCHAR* const HintOff = TEXT("Hold Right Mouse to Strafe | Caps Lock to toggle");
const TCHAR* const HintOn = TEXT("Strafe ON | Hold Right Mouse / Caps Lock to toggle");

// The one text the HUD drew in the last frame.
const AHUD::FDrawnText& OnlyText(const AHUD& HUD)
{
	const TArray<AHUD::FDrawnText>& Texts = HUD.GetDrawnTexts();
	EXPECT_EQ(Texts.Num(), 1);
	static const AHUD::FDrawnText None;
	return Texts.Num() > 0 ? Texts[0] : None;
}
} // namespace

TEST(GameplayHUD, TheHintShowsTheAppliedStateInWhiteDefaultFontNearTheLowerLeft)
{
	FStrafeTestWorld Test;
	Test.Frame();
	const AHUD::FDrawnText& Off = OnlyText(*Test.HUD);
	EXPECT_EQ(Off.Text, HintOff);
	EXPECT_EQ(Off.ScreenX, 24.f);
	EXPECT_EQ(Off.ScreenY, 680.f);
	EXPECT_EQ(Off.TextColor, FLinearColor(1.f, 1.f, 1.f, 1.f));
	EXPECT_EQ(Off.Font, nullptr);
	EXPECT_EQ(Off.Scale, 1.f);
	EXPECT_FALSE(Off.bScalePosition);
	EXPECT_EQ(Off.Canvas, Test.Canvas);

	// The latch is off; the held button alone turns the hint on.
	Test.Press(EKeys::RightMouseButton);
	Test.Frame();
	EXPECT_EQ(OnlyText(*Test.HUD).Text, HintOn);
	Test.Release(EKeys::RightMouseButton);
	Test.Frame();
	EXPECT_EQ(OnlyText(*Test.HUD).Text, HintOff);

	// A toggle not yet applied by a tick does not change the hint.
	Test.Strafe->ToggleStrafe();
	Test.HUD->SetCanvas(Test.Canvas, Test.Canvas);
	Test.HUD->PostRender();
	EXPECT_EQ(OnlyText(*Test.HUD).Text, HintOff);
	Test.Frame();
	EXPECT_EQ(OnlyText(*Test.HUD).Text, HintOn);
}

TEST(GameplayHUD, TheHintKeepsATopMarginOnShortCanvases)
{
	FStrafeTestWorld Test;
	// Canvas height, expected line height: 40 pixels above the bottom, but never above 24.
	const std::pair<int32, float> Cases[] = {{50, 24.f}, {64, 24.f}, {65, 25.f}, {100, 60.f}, {0, 24.f}};
	for (const auto& [Height, ExpectedY] : Cases)
	{
		Test.Canvas->Init(640, Height);
		Test.Frame();
		EXPECT_EQ(OnlyText(*Test.HUD).ScreenY, ExpectedY) << Height;
		EXPECT_EQ(OnlyText(*Test.HUD).ScreenX, 24.f) << Height;
	}
	// The canvas height in pixels, not its clip.
	Test.Canvas->Init(1280, 720);
	Test.Canvas->ClipY = 500.f;
	Test.Frame();
	EXPECT_EQ(OnlyText(*Test.HUD).ScreenY, 680.f);
}

TEST(GameplayHUD, NothingIsDrawnWithoutACanvasAPlayerAPawnOrTheComponent)
{
	FStrafeTestWorld Test;
	Test.Frame();
	ASSERT_EQ(Test.HUD->GetDrawnTexts().Num(), 1);

	// Between frames the HUD has no canvas.
	Test.HUD->DrawHUD();
	EXPECT_EQ(Test.HUD->GetDrawnTexts().Num(), 1);

	AQVGameplayHUD* Unowned = Test.World->SpawnActor<AQVGameplayHUD>();
	FActorSpawnParameters PawnlessParameters;
	PawnlessParameters.Owner = Test.World->SpawnActor<APlayerController>();
	AQVGameplayHUD* Pawnless = Test.World->SpawnActor<AQVGameplayHUD>(PawnlessParameters);
	APlayerController* PlainPlayer = Test.World->SpawnActor<APlayerController>();
	PlainPlayer->Possess(Test.World->SpawnActor<ACharacter>());
	FActorSpawnParameters PlainParameters;
	PlainParameters.Owner = PlainPlayer;
	AQVGameplayHUD* WithoutComponent = Test.World->SpawnActor<AQVGameplayHUD>(PlainParameters);
	Test.Frame();
	EXPECT_EQ(Test.HUD->GetDrawnTexts().Num(), 1);
	for (const AQVGameplayHUD* HUD : {Unowned, Pawnless, WithoutComponent})
	{
		EXPECT_EQ(HUD->GetDrawnTexts().Num(), 0) << *HUD->GetName();
	}
}
