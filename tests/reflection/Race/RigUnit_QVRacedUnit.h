// A unit and the struct it holds, in a package of their own, first requested by several threads at once in one test.
#pragma once

#include "CoreMinimal.h"
#include "Units/RigUnit.h"
#include "RigUnit_QVRacedUnit.generated.h"

USTRUCT()
struct FQVRacedPayload
{
	GENERATED_BODY()

	UPROPERTY()
	float Amount = 0.f;
};

USTRUCT()
struct FRigUnit_QVRacedUnit : public FRigUnitMutable
{
	GENERATED_BODY()

	RIGVM_METHOD()
	virtual void Execute() override;

	UPROPERTY(meta = (Input))
	FQVRacedPayload Payload;
};
