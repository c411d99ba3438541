// Records of a face rig: set-driven-key rows and the control layers the face solver puts around them.
// EQVFaceSDKChannel names which scalar of a transform (translation, rotator angles in degrees, scale) or of a control
// value is meant.
#pragma once

#include "CoreMinimal.h"
#include "QVFaceSDKTypes.generated.h"

UENUM(BlueprintType)
enum class EQVFaceSDKChannel : uint8
{
	TranslationX = 0,
	TranslationY = 1,
	TranslationZ = 2,
	RotationX = 3,
	RotationY = 4,
	RotationZ = 5,
	Rotation = 6,
	ScaleX = 7,
	ScaleY = 8,
	ScaleZ = 9,
	ValueX = 10,
	ValueY = 11,
	ValueZ = 12,
	ValueFloat = 13,
};

UENUM(BlueprintType)
enum class EQVFaceSDKApplyMode : uint8
{
	Additive = 0,
	Absolute = 1,
};

UENUM(BlueprintType)
enum class EQVFaceSDKTransformSpace : uint8
{
	Local = 0,
	World = 1,
};

//~ One key of a scalar curve: the driven value Y at the driver value X.
USTRUCT(BlueprintType)
struct QUORVELUNREAL_API FQVSDKKey
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	float X = 0.f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	float Y = 0.f;
};

//~ One key of a rotation curve: the driven rotation at the driver value X.
USTRUCT(BlueprintType)
struct QUORVELUNREAL_API FQVSDKQuaternionKey
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	float X = 0.f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	FQuat Value = FQuat::Identity;
};

//~ One channel of a bone (or, when no bone has the name, a null) driven through a key curve.
USTRUCT(BlueprintType)
struct QUORVELUNREAL_API FQVDrivenSDKChannel
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	FName BoneName;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	EQVFaceSDKChannel Channel = EQVFaceSDKChannel::RotationZ;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	float Multiplier = 1.f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	EQVFaceSDKApplyMode ApplyMode = EQVFaceSDKApplyMode::Additive;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	EQVFaceSDKTransformSpace TransformSpace = EQVFaceSDKTransformSpace::Local;

	//~ Need not be sorted.
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	TArray<FQVSDKKey> Keys;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	bool bQuaternionRotation = false;

	//~ Sorted by ascending X.
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	TArray<FQVSDKQuaternionKey> QuaternionKeys;
};

//~ One set-driven-key row: a control channel and everything it drives.
USTRUCT(BlueprintType)
struct QUORVELUNREAL_API FQVFaceSDKDriver
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	FName ControlName;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	EQVFaceSDKChannel Channel = EQVFaceSDKChannel::TranslationX;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	FName CustomChannelName;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	TArray<FQVDrivenSDKChannel> Driven;
};

USTRUCT(BlueprintType,
	meta = (ToolTip = "An animator control whose local delta is added to a face bone after SDK evaluation."))
struct QUORVELUNREAL_API FQVFaceSDKDirectControl
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	FName ControlName;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	FName BoneName;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face",
		meta = (ToolTip = "Optional controller-hierarchy helper that follows BoneName."))
	FName FollowNullName;
};

USTRUCT(BlueprintType,
	meta = (ToolTip = "A transform around one region pivot, layered over the completed SDK/direct pose."))
struct QUORVELUNREAL_API FQVFaceSDKRegionControl
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	FName ControlName;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	TArray<FName> BoneNames;
};

USTRUCT(BlueprintType, meta = (ToolTip = "A non-animatable board shortcut for an existing animator control."))
struct QUORVELUNREAL_API FQVFaceSDKProxyControl
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	FName ProxyName;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	FName ControlName;
};

USTRUCT(BlueprintType,
	meta = (ToolTip =
				"A layered eye: SDK drives the null, the animator controls the final control, and the skeleton bone keeps its imported parent."))
struct QUORVELUNREAL_API FQVFaceSDKEyeChain
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	FName SDKNullName;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	FName FinalControlName;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	FName EyeJointName;
};

USTRUCT(BlueprintType, meta = (ToolTip = "An AimEye target driving the established EyeAim layer with maintain offset."))
struct QUORVELUNREAL_API FQVFaceSDKAimBinding
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	FName EyeAimNullName;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	FName TargetControlName;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face",
		meta = (ToolTip = "Authored in the eye's local frame, not converted as a world vector."))
	FVector AimAxis = FVector(0.0, 0.0, 1.0);

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	FVector UpAxis = FVector(0.0, 1.0, 0.0);
};

USTRUCT(BlueprintType, meta = (ToolTip = "JSON visibility switch and the controller shapes it affects."))
struct QUORVELUNREAL_API FQVFaceSDKVisibilityGroup
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	FName SwitchControlName;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	bool bDefaultVisible = true;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	TArray<FName> Members;
};

USTRUCT(BlueprintType,
	meta = (ToolTip = "A controller-hierarchy helper that follows a bone with calculated maintain-offset."))
struct QUORVELUNREAL_API FQVFaceSDKFollowControl
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face",
		meta = (ToolTip = "Animator control below FollowNullName. Its visual input is cancelled after SDK evaluation."))
	FName ControlName;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	FName BoneName;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face")
	FName FollowNullName;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face",
		meta = (ToolTip = "When false, this helper follows the bone's translation only."))
	bool bFollowRotation = true;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Quorvel Face",
		meta = (ToolTip = "Face direct controls bind to imported joint frames in mesh units."))
	bool bBindInMeshSpace = false;
};
