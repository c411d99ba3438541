// AHUD: the actor that draws a player's heads-up display on the canvas each frame.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Actor.h"

class APawn;
class APlayerController;
class UCanvas;
class UFont;

class AHUD : public AActor
{
	DECLARE_CLASS_INTRINSIC(AHUD, AActor, CLASS_Transient | CLASS_NotPlaceable | CLASS_Config, TEXT("/Script/Engine"))

	AHUD();

	// The player controller that owns the HUD, taken from the actor's owner.
	TObjectPtr<APlayerController> PlayerOwner;
	// The canvas of the frame being drawn; null outside drawing.
	TObjectPtr<UCanvas> Canvas;
	TObjectPtr<UCanvas> DebugCanvas;
	uint32 bShowHUD : 1;

	APlayerController* GetOwningPlayerController() const { return PlayerOwner; }
	APawn* GetOwningPawn() const;

	virtual void PostInitializeComponents() override;
	void SetCanvas(UCanvas* InCanvas, UCanvas* InDebugCanvas);

	// Draws the frame: calls DrawHUD when there is a canvas and the HUD is shown.
	virtual void PostRender();
	// The HUD's drawing for one frame; subclasses draw here after calling the base.
	virtual void DrawHUD();

	// Draws Text with its top left at (ScreenX, ScreenY); a null font is the engine's default font. With
	// bScalePosition the position is multiplied by Scale too.
	void DrawText(const FString& Text, FLinearColor TextColor, float ScreenX, float ScreenY, UFont* Font = nullptr,
		float Scale = 1.f, bool bScalePosition = false);

	// Host: one DrawText call with its arguments and the canvas it drew on (null when there was none).
	struct FDrawnText
	{
		FString Text;
		FLinearColor TextColor{0.f, 0.f, 0.f, 0.f};
		float ScreenX = 0.f;
		float ScreenY = 0.f;
		UFont* Font = nullptr;
		float Scale = 1.f;
		bool bScalePosition = false;
		UCanvas* Canvas = nullptr;
	};

	// Host: the texts drawn since the current frame's drawing began (every call since the last PostRender).
	const TArray<FDrawnText>& GetDrawnTexts() const { return DrawnTexts; }

private:
	TArray<FDrawnText> DrawnTexts;
};
