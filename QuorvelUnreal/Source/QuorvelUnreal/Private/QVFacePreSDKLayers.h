// The face layers that run before the set-driven-key rows, whatever the weight: board proxies, the carriers of the
// layered eyes, the aim-eye follow blend and the eye aim bindings, in that order.
#pragma once

#include "CoreMinimal.h"
#include "QVFaceEvaluation.h"

namespace QVFacePreSDKLayers
{
// Keeps each board proxy and the animator control it stands for in step. CachedProxyValues and CachedProxyNames
// hold, per proxy slot, the value last written back and the proxy name last seen.
void SynchronizeProxies(
	const FQVFaceEvaluation& Evaluation, TArray<FTransform>& CachedProxyValues, TArray<FName>& CachedProxyNames);

// The carrier of a layered eye: the null two levels above its set-driven-key null, or null when that element is
// missing or is not a null.
FRigNullElement* FindEyeCarrier(const URigHierarchy& Hierarchy, const FRigBaseElement& SDKNull);

// Carries the nulls above the layered eyes' set-driven-key nulls with the face joint.
void CarryEyeLayers(const FQVFaceEvaluation& Evaluation);

// Blends the aim-eye space between static and following the head.
void BlendAimEyeFollow(const FQVFaceEvaluation& Evaluation);

// Aims each eye-aim null at its target control, keeping the offset it has at rest.
void ApplyAimBindings(const FQVFaceEvaluation& Evaluation);
} // namespace QVFacePreSDKLayers
