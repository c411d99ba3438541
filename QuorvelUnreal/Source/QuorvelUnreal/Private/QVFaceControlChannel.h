// Finding an animation channel of a face control by the channel's name.
#pragma once

#include "CoreMinimal.h"
#include "Rigs/RigHierarchyCache.h"

class URigHierarchy;

namespace QVFaceControlChannel
{
// Resolves the channel ChannelName of the control ControlName into OutChannel; true on success. The channel is the
// first child of the control that is an animation channel whose display name (its name when it has none) equals the
// channel name's element part (the whole name unless it is a rig-module path); failing that, the control named
// "<ControlName>.<ChannelName>". A None channel name resolves nothing. Allocates nothing unless the channel name is
// a module path.
bool Resolve(
	const URigHierarchy& Hierarchy, const FName& ControlName, const FName& ChannelName, FCachedRigElement& OutChannel);
} // namespace QVFaceControlChannel
