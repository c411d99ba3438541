// The loaded rig.
#include "QVRig/Rig.h"

#include "QVRig/RigNode.h"

FQVRig::FQVRig(FString InSourceName, TUniquePtr<URigHierarchy> InHierarchy, FQVRigAssets InAssets,
	TArray<TUniquePtr<FQVRigNode>> InNodes, FQVRigAnimation InAnimation)
	: SourceName(MoveTemp(InSourceName)), Hierarchy(MoveTemp(InHierarchy)), Assets(MoveTemp(InAssets)),
	  Nodes(MoveTemp(InNodes)), Animation(MoveTemp(InAnimation))
{
}

// Out of line, where the node type is complete.
FQVRig::~FQVRig() = default;
