// Direct-control deltas and the follow record.
#include "QVFaceDirectControl.h"

#include "QVFaceFrame.h"

void QVFaceDirectControl::AddDelta(FTransform& InOutBone, const FTransform& ControlInitialLocal,
	const FTransform& ControlCurrentLocal, const FTransform& ControlInitialGlobal,
	const FTransform& BoneParentCurrentGlobal, double FaceScaleDivisor)
{
	const FQuat ControlFrame = ControlInitialGlobal.GetRotation();
	const FQuat ParentFrame = BoneParentCurrentGlobal.GetRotation();

	const FVector Moved =
		(ControlCurrentLocal.GetTranslation() - ControlInitialLocal.GetTranslation()) / FaceScaleDivisor;
	const FVector RigMoved = ControlFrame.RotateVector(ControlInitialGlobal.GetScale3D() * Moved);
	InOutBone.AddToTranslation(ParentFrame.Inverse().RotateVector(RigMoved));

	const FQuat Turned = ControlCurrentLocal.GetRotation() * ControlInitialLocal.GetRotation().Inverse();
	const FQuat RigTurned = ControlFrame * Turned * ControlFrame.Inverse();
	const FQuat ParentTurned = ParentFrame.Inverse() * RigTurned * ParentFrame;
	InOutBone.SetRotation((ParentTurned * InOutBone.GetRotation()).GetNormalized());

	const FVector SetupScale = ControlInitialLocal.GetScale3D();
	const FVector CurrentScale = ControlCurrentLocal.GetScale3D();
	FVector Scale = InOutBone.GetScale3D();
	for (int32 Axis = 0; Axis < 3; ++Axis)
	{
		if (FMath::Abs(SetupScale[Axis]) > QVFaceFrame::SmallNumber)
		{
			Scale[Axis] *= CurrentScale[Axis] / SetupScale[Axis];
		}
	}
	InOutBone.SetScale3D(Scale);
}

void FQVFaceFollowRecord::Record(const FName& BoneName, const FTransform& SDKLocal)
{
	if (Find(BoneName) == nullptr)
	{
		Entries.Add(FEntry{BoneName, SDKLocal});
	}
}

const FTransform* FQVFaceFollowRecord::Find(const FName& BoneName) const
{
	for (const FEntry& Entry : Entries)
	{
		if (Entry.BoneName == BoneName)
		{
			return &Entry.SDKLocal;
		}
	}
	return nullptr;
}
