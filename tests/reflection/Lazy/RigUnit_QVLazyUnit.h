// A unit in a package of its own, requested by one test only, so its registration can be watched from the start.
#pragma once

#include "CoreMinimal.h"
#include "Units/RigUnit.h"
#include "RigUnit_QVLazyUnit.generated.h"

USTRUCT()
struct FRigUnit_QVLazyUnit : public FRigUnitMutable
{
	GENERATED_BODY()

	RIGVM_METHOD()
	virtual void Execute() override;

	UPROPERTY(meta = (Input))
	int32 Value = 0;
};
