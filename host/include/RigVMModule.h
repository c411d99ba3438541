// The RigVM module's log category.
#pragma once

#include "CoreMinimal.h"

DECLARE_LOG_CATEGORY_EXTERN(LogRigVM, Log, All);
