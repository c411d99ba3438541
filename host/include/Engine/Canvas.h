// UCanvas: the surface a HUD draws on during one frame, with its size in pixels.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

class UCanvas : public UObject
{
	DECLARE_CLASS_INTRINSIC(UCanvas, UObject, CLASS_Transient, TEXT("/Script/Engine"))

	// The drawable area; the whole canvas unless clipped.
	float ClipX = 0.f;
	float ClipY = 0.f;
	// The canvas size in pixels.
	int32 SizeX = 0;
	int32 SizeY = 0;

	// Sizes the canvas and resets the clip to all of it. The engine also takes the scene view and render canvas.
	void Init(int32 InSizeX, int32 InSizeY);
};
