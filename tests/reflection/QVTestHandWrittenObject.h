// A class written by hand, as the host writes engine classes, with editor metadata its subclasses inherit.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

class UQVTestHandWritten : public UObject
{
	DECLARE_CLASS_INTRINSIC(UQVTestHandWritten, UObject, CLASS_None, TEXT("/Script/QVHandWritten"))

	int32 Value = 4;
};
