// A rig loaded from a rig file: its hierarchy, its unit nodes in graph order, its assets and its animation.
#pragma once

#include "CoreMinimal.h"
#include "QVRig/RigAnimation.h"
#include "QVRig/RigAssets.h"
#include "Rigs/RigHierarchy.h"

class FQVRigNode;

class FQVRig
{
public:
	FQVRig(FString InSourceName, TUniquePtr<URigHierarchy> InHierarchy, FQVRigAssets InAssets,
		TArray<TUniquePtr<FQVRigNode>> InNodes, FQVRigAnimation InAnimation);
	~FQVRig();
	FQVRig(const FQVRig&) = delete;
	FQVRig& operator=(const FQVRig&) = delete;

	// The file the rig came from, as messages name it.
	const FString& GetSourceName() const { return SourceName; }

	URigHierarchy& GetHierarchy() { return *Hierarchy; }
	const URigHierarchy& GetHierarchy() const { return *Hierarchy; }
	const FQVRigAssets& GetAssets() const { return Assets; }
	const TArray<TUniquePtr<FQVRigNode>>& GetNodes() const { return Nodes; }
	const FQVRigAnimation& GetAnimation() const { return Animation; }

private:
	FString SourceName;
	TUniquePtr<URigHierarchy> Hierarchy;
	FQVRigAssets Assets;
	TArray<TUniquePtr<FQVRigNode>> Nodes;
	FQVRigAnimation Animation;
};
