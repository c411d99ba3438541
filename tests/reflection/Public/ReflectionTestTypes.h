// Reflected types for the reflection tests: an enum with explicit values, a struct with every field kind, a class
// with functions and a subclass, and a small rig unit that records what it receives.
#pragma once

#include "CoreMinimal.h"
#include "Rigs/RigHierarchyDefines.h"
#include "UObject/Object.h"
#include "Units/RigUnit.h"
#include "../QVTestHandWrittenObject.h"
#include "ReflectionTestTypes.generated.h"

UENUM(BlueprintType)
enum class EQVTestShade : uint8
{
	/** The darkest shade. */
	Dark = 2 UMETA(DisplayName = "Very Dark"),
	Mid = 5,
	Light,
};

USTRUCT(BlueprintType)
struct FQVTestInner
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere)
	int32 Count = 3;

	UPROPERTY(EditAnywhere)
	FName Label = TEXT("Inner");

#if WITH_EDITORONLY_DATA
	//~ Only in editor builds: reflected with the editor-only flag, and absent from a packaged game.
	UPROPERTY(EditAnywhere)
	int32 EditorOnlyCount = 0;
#endif
};

/**
 * An object with a level.
 * Used by the class tests.
 */
UCLASS(BlueprintType, ClassGroup = (Quorvel, Tests), meta = (BlueprintSpawnableComponent))
class UQVTestObject : public UObject
{
	GENERATED_BODY()

public:
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Test")
	int32 Level = 7;

	/** Adds to the level and returns the new level. */
	UFUNCTION(BlueprintCallable, Category = "Quorvel|Test")
	int32 AddLevel(int32 Amount, const FString& Reason, FString& OutEcho);

	UFUNCTION(BlueprintPure, Category = "Quorvel|Test")
	bool IsHigh() const;

#if WITH_EDITOR
	UFUNCTION(CallInEditor, Category = "Quorvel|Test")
	void EditorOnlyAction();
#endif

protected:
	UPROPERTY(VisibleAnywhere)
	float Hidden = 1.5f;
};

UCLASS()
class UQVTestDerivedObject : public UQVTestObject
{
	GENERATED_BODY()
};

//~ Below a hand-written class: inherits its configuration section and merges its editor categories.
UCLASS(HideCategories = (Extra), ShowCategories = (Actor))
class UQVTestHudLike : public UQVTestHandWritten
{
	GENERATED_BODY()
};

USTRUCT()
struct FQVTestAllKinds
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, Category = "Kinds")
	bool bFlag = true;

	UPROPERTY()
	int8 Small = -5;

	UPROPERTY()
	uint8 Byte = 200;

	UPROPERTY()
	int32 Integer = -123456;

	UPROPERTY()
	int64 Wide = int64(1) << 40;

	UPROPERTY()
	float Single = 0.25f;

	UPROPERTY()
	double Precise = 1.0 / 3.0;

	UPROPERTY()
	EQVTestShade Shade = EQVTestShade::Mid;

	UPROPERTY()
	FName Name = TEXT("Default");

	UPROPERTY()
	FString Text = TEXT("Say \"hi\"\n");

	UPROPERTY()
	FVector Location = FVector(1.0, 2.0, 3.0);

	UPROPERTY()
	FTransform Pose;

	UPROPERTY()
	FQVTestInner Inner;

	UPROPERTY()
	TArray<FName> Names = {TEXT("A"), TEXT("B")};

	UPROPERTY()
	TArray<FQVTestInner> Inners;

	UPROPERTY()
	TObjectPtr<UQVTestObject> Object;

	UPROPERTY(Transient)
	UQVTestObject* RawObject = nullptr;

	UPROPERTY(VisibleAnywhere, BlueprintReadWrite)
	FRigElementKey Key;

	// Not reflected.
	int32 Plain = 9;
};

//~ A unit with an input of each passing kind, an output and a hidden pin.
USTRUCT(meta = (DisplayName = "QV Test Unit", Category = "Quorvel|Test"))
struct FRigUnit_QVTestUnit : public FRigUnitMutable
{
	GENERATED_BODY()

	RIGVM_METHOD()
	virtual void Execute() override;

	UPROPERTY(meta = (Input))
	float Scale = 2.f;

	UPROPERTY(meta = (Input))
	EQVTestShade Shade = EQVTestShade::Light;

	UPROPERTY(meta = (Input))
	FName Label;

	UPROPERTY(meta = (Input))
	TArray<float> Values;

	UPROPERTY(meta = (Output))
	float Sum = 0.f;

	UPROPERTY()
	int32 CallCount = 0;
};
