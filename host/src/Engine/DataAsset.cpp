// Registration of the data asset base class.
#include "Engine/DataAsset.h"

#include "UObject/UECodeGen.h"

IMPLEMENT_INTRINSIC_CLASS(UDataAsset, ENGINE_API, UObject, COREUOBJECT_API, "/Script/Engine", {})
