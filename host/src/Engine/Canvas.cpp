// Canvases: size and clip.
#include "Engine/Canvas.h"

#include "UObject/UECodeGen.h"

IMPLEMENT_INTRINSIC_CLASS(UCanvas, ENGINE_API, UObject, COREUOBJECT_API, "/Script/Engine", {})

void UCanvas::Init(int32 InSizeX, int32 InSizeY)
{
	SizeX = InSizeX;
	SizeY = InSizeY;
	ClipX = float(InSizeX);
	ClipY = float(InSizeY);
}
