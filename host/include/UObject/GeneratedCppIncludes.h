// Everything a generated .gen.cpp needs to build and register its types.
#pragma once

#include "CoreMinimal.h"
#include "Templates/Casts.h"
#include "UObject/Class.h"
#include "UObject/Object.h"
#include "UObject/ObjectMacros.h"
#include "UObject/Package.h"
#include "UObject/UECodeGen.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UnrealType.h"
