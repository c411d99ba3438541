// Reflected types of the runner tests: a unit with a pin of every kind a rig file sets, a unit whose effect
// accumulates from frame to frame, and two asset classes.
#pragma once

#include "CoreMinimal.h"
#include "Engine/DataAsset.h"
#include "Rigs/RigHierarchyDefines.h"
#include "UObject/Object.h"
#include "Units/RigUnit.h"
#include "RunnerTestTypes.generated.h"

UENUM()
enum class EQVRunnerTestMode : uint8
{
	Off,
	Gentle = 3,
	Strong,
};

USTRUCT()
struct FQVRunnerTestSegment
{
	GENERATED_BODY()

	UPROPERTY()
	FName Bone;

	UPROPERTY()
	TArray<float> Weights;

	UPROPERTY()
	FVector Offset = FVector::ZeroVector;

	UPROPERTY()
	int32 Count = 2;
};

UCLASS()
class UQVRunnerTestAsset : public UDataAsset
{
	GENERATED_BODY()

public:
	UPROPERTY()
	float Scale = 1.f;

	UPROPERTY()
	TArray<FName> Names;
};

UCLASS()
class UQVRunnerOtherAsset : public UDataAsset
{
	GENERATED_BODY()
};

// Sums its segments' weights, scaled by the asset, into Result, and places Target at (Result, Count, runs so far).
USTRUCT()
struct FRigUnit_QVRunnerTest : public FRigUnitMutable
{
	GENERATED_BODY()

	RIGVM_METHOD()
	virtual void Execute() override;

	UPROPERTY(meta = (Input))
	bool bReport = false;

	UPROPERTY(meta = (Input))
	int32 Count = 0;

	UPROPERTY(meta = (Input))
	uint8 Small = 0;

	UPROPERTY(meta = (Input))
	double Precise = 0.0;

	UPROPERTY(meta = (Input))
	EQVRunnerTestMode Mode = EQVRunnerTestMode::Off;

	UPROPERTY(meta = (Input))
	FString Text;

	UPROPERTY(meta = (Input))
	FRigElementKey Target;

	UPROPERTY(meta = (Input))
	FRotator Turn = FRotator::ZeroRotator;

	UPROPERTY(meta = (Input))
	FTransform Pose = FTransform::Identity;

	UPROPERTY(meta = (Input))
	TArray<FQVRunnerTestSegment> Segments;

	UPROPERTY(meta = (Input))
	TArray<FName> Names;

	UPROPERTY(meta = (Input))
	TObjectPtr<UQVRunnerTestAsset> Asset;

	UPROPERTY(meta = (Output))
	float Result = 0.f;

	// Kept between evaluations, as the host keeps hidden pins per unit instance.
	UPROPERTY()
	int32 CachedRuns = 0;
};

// Turns its target a little further every evaluation, from wherever the target is: the pose it leaves shows whether
// the frame started from the pose before or from the initial pose.
USTRUCT()
struct FRigUnit_QVRunnerTestTurn : public FRigUnitMutable
{
	GENERATED_BODY()

	RIGVM_METHOD()
	virtual void Execute() override;

	UPROPERTY(meta = (Input))
	FRigElementKey Target;

	// Degrees of yaw added to the target's local rotation per evaluation.
	UPROPERTY(meta = (Input))
	float Step = 10.f;
};
