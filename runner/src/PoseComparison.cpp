// Worst errors per element between a reference table and a recorded evaluation.
#include "QVRig/PoseComparison.h"

#include <cmath>
#include <limits>

void FQVWorstError::Add(double InValue, int32 InFrame)
{
	const double Error = std::isnan(InValue) ? std::numeric_limits<double>::infinity() : InValue;
	if (Frame == INDEX_NONE || Error > Value)
	{
		Value = Error;
		Frame = InFrame;
	}
}

bool FQVElementComparison::Holds(const FQVComparisonTolerances& InTolerances) const
{
	return Translation.Holds(InTolerances.Translation) && Rotation.Holds(InTolerances.Rotation) &&
		Scale.Holds(InTolerances.Scale);
}

double FQVPoseComparison::AngleBetween(const FQuat& InA, const FQuat& InB)
{
	// Normalising would turn a NaN rotation into the identity.
	if (InA.ContainsNaN() || InB.ContainsNaN())
	{
		return std::numeric_limits<double>::quiet_NaN();
	}
	// From the relative rotation's parts: exact for small angles, where an arc cosine is not.
	const FQuat Delta = InA.GetNormalized().Inverse() * InB.GetNormalized();
	const double Sine = std::sqrt(Delta.X * Delta.X + Delta.Y * Delta.Y + Delta.Z * Delta.Z);
	return 2.0 * std::atan2(Sine, std::fabs(Delta.W)) * (180.0 / UE_DOUBLE_PI);
}

TArray<FQVElementComparison> FQVPoseComparison::Compare(
	const FQVReferencePoses& InTable, const FQVPoseRecording& InRecording)
{
	TArray<FQVElementComparison> Comparisons;
	for (int32 Element = 0; Element < InTable.Elements.Num(); ++Element)
	{
		FQVElementComparison& Comparison = Comparisons.AddDefaulted_GetRef();
		Comparison.Element = InTable.Elements[Element];
		for (int32 FrameIndex = 0; FrameIndex < InTable.Frames.Num(); ++FrameIndex)
		{
			const int32 Frame = InTable.Frames[FrameIndex];
			const FQVReferencePose& Reference = InTable.GetPose(FrameIndex, Element);
			const FTransform& Evaluated = InRecording.GetTransform(Frame, Element);
			Comparison.Translation.Add(
				FVector::Dist(Reference.Transform.GetTranslation(), Evaluated.GetTranslation()), Frame);
			Comparison.Rotation.Add(AngleBetween(Reference.Transform.GetRotation(), Evaluated.GetRotation()), Frame);
			if (Reference.bHasScale)
			{
				const FVector Difference = (Reference.Transform.GetScale3D() - Evaluated.GetScale3D()).GetAbs();
				Comparison.Scale.Add(
					Difference.ContainsNaN() ? std::numeric_limits<double>::quiet_NaN() : Difference.GetMax(), Frame);
			}
		}
	}
	return Comparisons;
}
