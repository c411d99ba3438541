// Blending control values by control type.
#include "QVRig/ControlValueBlend.h"

namespace
{
FVector3f LerpVector(const FVector3f& InA, const FVector3f& InB, double InAlpha)
{
	return FVector3f(FVector(InA) + (FVector(InB) - FVector(InA)) * InAlpha);
}

FTransform BlendTransform(const FTransform& InA, const FTransform& InB, double InAlpha)
{
	return FTransform(FQuat::Slerp(InA.GetRotation(), InB.GetRotation(), InAlpha),
		FMath::Lerp(InA.GetTranslation(), InB.GetTranslation(), InAlpha),
		FMath::Lerp(InA.GetScale3D(), InB.GetScale3D(), InAlpha));
}
} // namespace

FRigControlValue FQVControlValueBlend::Blend(
	ERigControlType InControlType, const FRigControlValue& InA, const FRigControlValue& InB, double InAlpha)
{
	switch (InControlType)
	{
		case ERigControlType::Bool:
			return InAlpha < 1.0 ? InA : InB;
		case ERigControlType::Float:
		case ERigControlType::ScaleFloat:
			return FRigControlValue::Make<float>(
				static_cast<float>(FMath::Lerp<double>(InA.Get<float>(), InB.Get<float>(), InAlpha)));
		case ERigControlType::Integer:
			return FRigControlValue::Make<int32>(static_cast<int32>(
				FMath::RoundToInt(FMath::Lerp<double>(InA.Get<int32>(), InB.Get<int32>(), InAlpha))));
		case ERigControlType::Vector2D:
		case ERigControlType::Position:
		case ERigControlType::Scale:
		case ERigControlType::Rotator:
			// Rotators are stored as their three angles, so a per-component blend is a per-angle blend.
			return FRigControlValue::Make<FVector3f>(LerpVector(InA.Get<FVector3f>(), InB.Get<FVector3f>(), InAlpha));
		case ERigControlType::Transform:
		{
			using FFloats = FRigControlValue::FTransform_Float;
			return FRigControlValue::Make<FTransform>(
				BlendTransform(InA.Get<FFloats>().ToTransform(), InB.Get<FFloats>().ToTransform(), InAlpha));
		}
		case ERigControlType::TransformNoScale:
		{
			using FNoScale = FRigControlValue::FTransformNoScale_Float;
			return FRigControlValue::Make<FNoScale>(FNoScale(
				BlendTransform(InA.Get<FNoScale>().ToTransform(), InB.Get<FNoScale>().ToTransform(), InAlpha)));
		}
		case ERigControlType::EulerTransform:
		{
			const FEulerTransform A = InA.Get<FRigControlValue::FEulerTransform_Float>().ToTransform();
			const FEulerTransform B = InB.Get<FRigControlValue::FEulerTransform_Float>().ToTransform();
			const FRotator Rotation = A.Rotation + (B.Rotation - A.Rotation) * InAlpha;
			return FRigControlValue::Make<FEulerTransform>(FEulerTransform(
				FMath::Lerp(A.Location, B.Location, InAlpha), Rotation, FMath::Lerp(A.Scale, B.Scale, InAlpha)));
		}
	}
	return InA;
}
