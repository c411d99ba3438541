// UFont: a font text is drawn with; null stands for the engine's default font.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

class UFont : public UObject
{
	DECLARE_CLASS_INTRINSIC(UFont, UObject, CLASS_None, TEXT("/Script/Engine"))
};
