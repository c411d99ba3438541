// The face scale and the control-box placement.
#include "QVFaceFrame.h"

double QVFaceFrame::ComputeFaceScale(float FaceScaler, const FTransform& Reference)
{
	double Scale = double(FaceScaler);
	if (FMath::Abs(Scale - 1.0) <= SmallNumber)
	{
		const double Mean = QVFaceFrame::MeanAbsoluteScale(Reference.GetScale3D());
		if (FMath::Abs(Mean - 1.0) > SmallNumber)
		{
			Scale = Mean;
		}
	}
	return Scale > 0.0 ? Scale : 0.0;
}

double QVFaceFrame::FaceScaleDivisor(double FaceScale)
{
	return FMath::Max(FaceScale, SmallNumber);
}

FTransform QVFaceFrame::CarryControlBox(const FTransform& BoxInitial, const FTransform& FaceJointInitial,
	const FTransform& FaceJointCurrent, double FaceScale)
{
	FTransform Result = BoxInitial.GetRelativeTransform(FaceJointInitial) * FaceJointCurrent;
	const FVector BoxScale = BoxInitial.GetScale3D();
	const FVector SetupScale = FaceJointInitial.GetScale3D();
	const FVector CurrentScale = FaceJointCurrent.GetScale3D();
	FVector Scale;
	for (int32 Axis = 0; Axis < 3; ++Axis)
	{
		const double Ratio = FMath::Abs(SetupScale[Axis]) > SmallNumber ? 1.0 / SetupScale[Axis] : 0.0;
		Scale[Axis] = BoxScale[Axis] * FaceScale * CurrentScale[Axis] * Ratio;
	}
	Result.SetScale3D(Scale);
	return Result;
}
