// One set-driven-key row's arithmetic: the row's curve at the driver value, scaled where the channel is a
// translation, applied to its target in the accumulation. The target's setup transforms are asked for only by the
// rows that need them, so callers pass them as functions: the unit reads them from the hierarchy, the benchmark's
// floor from gathered arrays.
#pragma once

#include "CoreMinimal.h"
#include "QVFaceFrame.h"
#include "QVFaceSDKAccumulation.h"
#include "QVFaceSDKChannels.h"
#include "QVFaceSDKEvaluator.h"

namespace QVFaceSDKRow
{
// GetInitialLocal() gives the target's setup local transform (absolute rows), GetParentInitial() its parent's setup
// global transform (translation rows). A quaternion row uses CurveRotation, its curve at DriverValue, when the caller
// evaluated that ahead (see QVFaceSDKRotationBatch), and evaluates the curve itself when it is null.
template <typename InitialLocalFunction, typename ParentInitialFunction>
void Apply(FQVFaceSDKAccumulation& Accumulation, int32 Target, const FQVDrivenSDKChannel& Driven, float DriverValue,
	const FQuat* CurveRotation, float Weight, double FaceScaleDivisor, InitialLocalFunction&& GetInitialLocal,
	ParentInitialFunction&& GetParentInitial)
{
	if (Driven.bQuaternionRotation)
	{
		Accumulation.ApplyQuaternionRow(Target,
			CurveRotation != nullptr ? *CurveRotation : QVEvaluateSDKQuaternionCurve(DriverValue, Driven.QuaternionKeys),
			Weight, Driven.Multiplier);
		return;
	}

	double Output = double(FQVFaceSDKEvaluator::EvaluateSDKCurve(DriverValue, Driven.Keys) * Driven.Multiplier);
	if (QVFaceSDKChannels::IsTranslation(Driven.Channel))
	{
		Output = QVFaceFrame::ScaleTranslationOutput(Output, FaceScaleDivisor, GetParentInitial());
	}
	if (Driven.ApplyMode == EQVFaceSDKApplyMode::Absolute)
	{
		Accumulation.ApplyAbsoluteRow(Target, Driven.Channel, GetInitialLocal(), Output, Weight);
	}
	else
	{
		Accumulation.ApplyAdditiveRow(Target, Driven.Channel, Driven.TransformSpace, Output, Weight);
	}
}
} // namespace QVFaceSDKRow
