// Base class of assets that only hold data; subclasses add reflected fields.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

class UDataAsset : public UObject
{
	DECLARE_CLASS_INTRINSIC(UDataAsset, UObject, CLASS_Abstract, TEXT("/Script/Engine"))
};
