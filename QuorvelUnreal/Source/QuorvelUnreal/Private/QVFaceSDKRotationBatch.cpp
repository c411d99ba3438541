// Quaternion curves evaluated ahead of their rows.
#include "QVFaceSDKRotationBatch.h"

#include "QVFaceSDKEvaluator.h"

void FQVFaceSDKRotationBatch::AddRows(const TArray<FQVDrivenSDKChannel>& Channels, float DriverValue)
{
	for (const FQVDrivenSDKChannel& Driven : Channels)
	{
		if (Driven.bQuaternionRotation && NumRotations < Capacity)
		{
			Rotations[NumRotations++] = QVEvaluateSDKQuaternionCurve(DriverValue, Driven.QuaternionKeys);
		}
	}
}
