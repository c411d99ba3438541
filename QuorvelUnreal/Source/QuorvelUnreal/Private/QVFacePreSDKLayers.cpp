// Face layers before the set-driven-key rows. Not built yet: each leaves the hierarchy as it finds it, and the
// solver already calls them in their place in the phase order.
#include "QVFacePreSDKLayers.h"

void QVFacePreSDKLayers::SynchronizeProxies(
	const FQVFaceEvaluation& Evaluation, TArray<FTransform>& CachedProxyValues, TArray<FName>& CachedProxyNames)
{
}

void QVFacePreSDKLayers::CarryEyeLayers(const FQVFaceEvaluation& Evaluation) {}

void QVFacePreSDKLayers::BlendAimEyeFollow(const FQVFaceEvaluation& Evaluation) {}

void QVFacePreSDKLayers::ApplyAimBindings(const FQVFaceEvaluation& Evaluation) {}
