// HUDs: their owning player, frame drawing and the record of drawn texts.
#include "GameFramework/HUD.h"

#include "Engine/Canvas.h"
#include "GameFramework/Pawn.h"
#include "GameFramework/PlayerController.h"
#include "UObject/UECodeGen.h"

IMPLEMENT_INTRINSIC_CLASS(AHUD, ENGINE_API, AActor, ENGINE_API, "/Script/Engine", {
	Class->SetMetaData(TEXT("HideCategories"), TEXT("Rendering Actor Input Replication"));
	Class->SetMetaData(TEXT("ShowCategories"), TEXT("Input|MouseInput Input|TouchInput"));
	Class->ClassConfigName = FName(TEXT("Game"));
})

AHUD::AHUD() : bShowHUD(true) {}

APawn* AHUD::GetOwningPawn() const
{
	return PlayerOwner != nullptr ? PlayerOwner->GetPawn() : nullptr;
}

void AHUD::PostInitializeComponents()
{
	Super::PostInitializeComponents();
	PlayerOwner = Cast<APlayerController>(GetOwner());
}

void AHUD::SetCanvas(UCanvas* InCanvas, UCanvas* InDebugCanvas)
{
	Canvas = InCanvas;
	DebugCanvas = InDebugCanvas;
}

void AHUD::PostRender()
{
	DrawnTexts.Reset();
	if (GetWorld() == nullptr || Canvas == nullptr)
	{
		return;
	}
	if (bShowHUD)
	{
		DrawHUD();
	}
}

void AHUD::DrawHUD() {}

void AHUD::DrawText(const FString& Text, FLinearColor TextColor, float ScreenX, float ScreenY, UFont* Font, float Scale,
	bool bScalePosition)
{
	FDrawnText& Drawn = DrawnTexts.AddDefaulted_GetRef();
	Drawn.Text = Text;
	Drawn.TextColor = TextColor;
	Drawn.ScreenX = ScreenX;
	Drawn.ScreenY = ScreenY;
	Drawn.Font = Font;
	Drawn.Scale = Scale;
	Drawn.bScalePosition = bScalePosition;
	Drawn.Canvas = Canvas;
}
