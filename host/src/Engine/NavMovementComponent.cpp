// Registration of the navigation movement component class.
#include "GameFramework/NavMovementComponent.h"

#include "UObject/UECodeGen.h"

IMPLEMENT_INTRINSIC_CLASS(UNavMovementComponent, ENGINE_API, UMovementComponent, ENGINE_API, "/Script/Engine", {})
