// Reverse foot roll: one roll channel turns the heel, ball and toe-tip pivots; a rock channel tilts the side pivots.
#pragma once

#include "CoreMinimal.h"
#include "Units/RigUnit.h"
#include "RigUnit_QVReverseFootRoll.generated.h"

//~ Every evaluation starts from the pivots' setup pose, so the result never accumulates. Pivots are written with
//~ affect children, so whatever hangs below them moves along.
USTRUCT(meta = (DisplayName = "QV Reverse Foot Roll", Category = "Quorvel|Body", Varying,
			ToolTip = "Maya-compatible heel / ball / toe roll, driven by one IK animation channel."))
struct QUORVELUNREAL_API FRigUnit_QVReverseFootRoll : public FRigUnitMutable
{
	GENERATED_BODY()

	RIGVM_METHOD()
	virtual void Execute() override;

	UPROPERTY(
		meta = (Input, Category = "Pins", ToolTip = "The visible IKLeg control, retained for readable graph data."))
	FName IKControl;

	UPROPERTY(meta = (Input, Category = "Pins",
				  ToolTip = "The generated child animation-channel control, for example IKLeg_R_roll."))
	FName RollChannel;

	UPROPERTY(meta = (Input, Category = "Pins"))
	FName HeelRoller;

	UPROPERTY(meta = (Input, Category = "Pins"))
	FName ToesEndRoller;

	UPROPERTY(meta = (Input, Category = "Pins"))
	FName ToesRoller;

	UPROPERTY(meta = (Input, Category = "Pins", ToolTip = "Optional Maya-style foot-rock animation channel."))
	FName RockChannel;

	UPROPERTY(meta = (Input, Category = "Pins"))
	FName InnerRockPivot;

	UPROPERTY(meta = (Input, Category = "Pins"))
	FName OuterRockPivot;

	UPROPERTY(meta = (Input, Category = "Pins",
				  ToolTip = "Explicit JSON local axes; never inferred from the control side/name."))
	FName InnerRockAxis = TEXT("Z");

	UPROPERTY(meta = (Input, Category = "Pins"))
	FName OuterRockAxis = TEXT("Z");

	UPROPERTY(meta = (Input, Category = "Pins"))
	float InnerRockMin = -200.f;

	UPROPERTY(meta = (Input, Category = "Pins"))
	float InnerRockMax = 0.f;

	UPROPERTY(meta = (Input, Category = "Pins"))
	float OuterRockMin = 0.f;

	UPROPERTY(meta = (Input, Category = "Pins"))
	float OuterRockMax = 200.f;

	UPROPERTY(meta = (Input, Category = "Pins"))
	float InnerRockMultiplier = 1.f;

	UPROPERTY(meta = (Input, Category = "Pins"))
	float OuterRockMultiplier = 1.f;

	UPROPERTY(meta = (Input, Category = "Pins"))
	float RollStartAngle = 30.f;

	UPROPERTY(meta = (Input, Category = "Pins"))
	float RollEndAngle = 60.f;
};
