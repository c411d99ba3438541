// Face layers over the finished set-driven-key pose. Not built yet: each leaves the hierarchy as it finds it, and the
// solver already calls them in their place in the phase order.
#include "QVFacePostSDKLayers.h"

void QVFacePostSDKLayers::CopyEyeJoints(const FQVFaceEvaluation& Evaluation) {}

void QVFacePostSDKLayers::MoveRegions(const FQVFaceEvaluation& Evaluation) {}

void QVFacePostSDKLayers::PlaceFollowControls(const FQVFaceEvaluation& Evaluation) {}

void QVFacePostSDKLayers::PlaceDirectControlFollowers(
	const FQVFaceEvaluation& Evaluation, const FQVFaceFollowRecord& FollowRecord)
{
}
