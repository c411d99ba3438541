// Board proxies: a proxy control on the board stands for an animator control elsewhere in the rig. Each evaluation
// an edit of the proxy is pushed to the control, and the control's value is pulled back onto the proxy, with
// translations converted between the two places by the ratio of their parents' scales.
#pragma once

#include "CoreMinimal.h"

namespace QVFaceProxy
{
// Whether the proxy's local transform moved away from the value last written back to it: a translation or scale
// component differs by more than 1e-5, or the rotation differs (a quaternion equals the stored one when every
// component is within 1e-5 of it or of its negation).
bool IsEdited(const FTransform& Current, const FTransform& Stored);

// Per axis, the scale of the proxy parent's rest pose over the scale of the control's parent; 1 on an axis whose
// control-parent scale is within 1e-8 of zero.
FVector ScaleRatio(const FVector& ProxyParentRestScale, const FVector& ControlParentScale);

// The proxy's local transform as the control's: translation multiplied by the ratio, per axis.
FTransform ToControl(const FTransform& ProxyLocal, const FVector& Ratio);

// The control's local transform as the proxy's: translation divided by the ratio, per axis; an axis whose ratio is
// within 1e-8 of zero is left as it is.
FTransform ToProxy(const FTransform& ControlLocal, const FVector& Ratio);
} // namespace QVFaceProxy
