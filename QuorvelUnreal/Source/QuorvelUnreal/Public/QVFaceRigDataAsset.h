// The face rig data asset: every set-driven-key row and control layer of one character's face.
#pragma once

#include "CoreMinimal.h"
#include "Engine/DataAsset.h"
#include "QVFaceSDKTypes.h"
#include "QVFaceRigDataAsset.generated.h"

//~ Holds names and numbers only; the face solver looks every name up in the rig hierarchy when it evaluates.
UCLASS(BlueprintType)
class QUORVELUNREAL_API UQVFaceRigDataAsset : public UDataAsset
{
	GENERATED_BODY()

public:
	//~ Stored, never read by the solver.
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Quorvel Face")
	int32 Version = 1;

	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Quorvel Face")
	TArray<FQVFaceSDKDriver> Drivers;

	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Quorvel Face")
	TArray<FQVFaceSDKDirectControl> DirectControls;

	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Quorvel Face")
	TArray<FQVFaceSDKRegionControl> RegionControls;

	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Quorvel Face")
	TArray<FQVFaceSDKProxyControl> ProxyControls;

	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Quorvel Face")
	TArray<FQVFaceSDKEyeChain> EyeChains;

	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Quorvel Face")
	TArray<FQVFaceSDKAimBinding> AimBindings;

	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Quorvel Face")
	TArray<FQVFaceSDKFollowControl> FollowControls;

	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Quorvel Face")
	TArray<FQVFaceSDKVisibilityGroup> VisibilityGroups;
};
