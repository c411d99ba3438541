// Registration of the font class.
#include "Engine/Font.h"

#include "UObject/UECodeGen.h"

IMPLEMENT_INTRINSIC_CLASS(UFont, ENGINE_API, UObject, COREUOBJECT_API, "/Script/Engine", {})
