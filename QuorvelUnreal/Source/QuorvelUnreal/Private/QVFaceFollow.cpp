// Follow helper placement.
#include "QVFaceFollow.h"

#include "QVFaceFrame.h"

FTransform QVFaceFollow::WithUnitScale(const FTransform& Transform)
{
	FTransform Result = Transform;
	Result.SetScale3D(FVector::OneVector);
	return Result;
}

FTransform QVFaceFollow::PlaceInFaceFrame(const FTransform& NullInitial, double TranslationScale,
	const FTransform& BoneInitial, const FTransform& BoneNow, const FTransform& FaceJointInitial,
	const FTransform& FaceJointNow, bool bFollowRotation)
{
	FTransform NullBound = NullInitial;
	NullBound.SetTranslation(NullInitial.GetTranslation() * TranslationScale);
	const FTransform BoneAtSetup = WithUnitScale(WithUnitScale(BoneInitial).GetRelativeTransform(FaceJointInitial));
	FTransform BoneNowInFace = WithUnitScale(WithUnitScale(BoneNow).GetRelativeTransform(FaceJointNow));
	if (!bFollowRotation)
	{
		BoneNowInFace.SetRotation(BoneAtSetup.GetRotation());
	}
	const FTransform Offset = NullBound.GetRelativeTransform(FaceJointInitial).GetRelativeTransform(BoneAtSetup);
	FTransform Result = Offset * BoneNowInFace * FaceJointNow;

	const FVector NullScale = NullInitial.GetScale3D();
	const FVector SetupScale = FaceJointInitial.GetScale3D();
	const FVector CurrentScale = FaceJointNow.GetScale3D();
	FVector Scale;
	for (int32 Axis = 0; Axis < 3; ++Axis)
	{
		Scale[Axis] = FMath::Abs(SetupScale[Axis]) > QVFaceFrame::SmallNumber
			? NullScale[Axis] * CurrentScale[Axis] / SetupScale[Axis]
			: 0.0;
	}
	Result.SetScale3D(Scale);
	return Result;
}

FTransform QVFaceFollow::PlaceWithoutFaceJoint(
	const FTransform& NullRest, const FTransform& BoneInitial, const FTransform& BoneNow)
{
	FTransform Result = NullRest.GetRelativeTransform(WithUnitScale(BoneInitial)) * WithUnitScale(BoneNow);
	Result.SetScale3D(NullRest.GetScale3D());
	return Result;
}

FTransform QVFaceFollow::CancelValue(const FTransform& Value)
{
	return FTransform(Value.GetRotation(), -Value.GetTranslation(), Value.GetScale3D());
}
