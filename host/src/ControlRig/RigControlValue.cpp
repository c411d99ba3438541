// Conversions between control values and transforms.
#include "Rigs/RigControlValue.h"

namespace
{
FVector AlongAxis(double InValue, ERigControlAxis InAxis)
{
	switch (InAxis)
	{
		case ERigControlAxis::Y:
			return FVector(0.0, InValue, 0.0);
		case ERigControlAxis::Z:
			return FVector(0.0, 0.0, InValue);
		default:
			return FVector(InValue, 0.0, 0.0);
	}
}

double AxisComponent(const FVector& InVector, ERigControlAxis InAxis)
{
	switch (InAxis)
	{
		case ERigControlAxis::Y:
			return InVector.Y;
		case ERigControlAxis::Z:
			return InVector.Z;
		default:
			return InVector.X;
	}
}

// A 2D control moves in the plane across its primary axis.
FVector PlaneToVector(const FVector3f& InValue, ERigControlAxis InAxis)
{
	switch (InAxis)
	{
		case ERigControlAxis::Y:
			return FVector(InValue.X, 0.0, InValue.Y);
		case ERigControlAxis::Z:
			return FVector(InValue.X, InValue.Y, 0.0);
		default:
			return FVector(0.0, InValue.X, InValue.Y);
	}
}

FVector3f VectorToPlane(const FVector& InVector, ERigControlAxis InAxis)
{
	switch (InAxis)
	{
		case ERigControlAxis::Y:
			return FVector3f(float(InVector.X), float(InVector.Z), 0.f);
		case ERigControlAxis::Z:
			return FVector3f(float(InVector.X), float(InVector.Y), 0.f);
		default:
			return FVector3f(float(InVector.Y), float(InVector.Z), 0.f);
	}
}
} // namespace

FRigControlValue::FTransform_Float::FTransform_Float(const FTransform& InTransform)
{
	const FQuat Rotation = InTransform.GetRotation();
	const FVector Translation = InTransform.GetTranslation();
	const FVector Scale = InTransform.GetScale3D();
	RotationX = float(Rotation.X);
	RotationY = float(Rotation.Y);
	RotationZ = float(Rotation.Z);
	RotationW = float(Rotation.W);
	TranslationX = float(Translation.X);
	TranslationY = float(Translation.Y);
	TranslationZ = float(Translation.Z);
	ScaleX = float(Scale.X);
	ScaleY = float(Scale.Y);
	ScaleZ = float(Scale.Z);
}

FTransform FRigControlValue::FTransform_Float::ToTransform() const
{
	return FTransform(FQuat(RotationX, RotationY, RotationZ, RotationW),
		FVector(TranslationX, TranslationY, TranslationZ), FVector(ScaleX, ScaleY, ScaleZ));
}

FRigControlValue::FTransformNoScale_Float::FTransformNoScale_Float(const FTransform& InTransform)
{
	const FTransform_Float Full(InTransform);
	RotationX = Full.RotationX;
	RotationY = Full.RotationY;
	RotationZ = Full.RotationZ;
	RotationW = Full.RotationW;
	TranslationX = Full.TranslationX;
	TranslationY = Full.TranslationY;
	TranslationZ = Full.TranslationZ;
}

FTransform FRigControlValue::FTransformNoScale_Float::ToTransform() const
{
	return FTransform(
		FQuat(RotationX, RotationY, RotationZ, RotationW), FVector(TranslationX, TranslationY, TranslationZ));
}

FRigControlValue::FEulerTransform_Float::FEulerTransform_Float(const FEulerTransform& InTransform)
{
	RotationPitch = float(InTransform.Rotation.Pitch);
	RotationYaw = float(InTransform.Rotation.Yaw);
	RotationRoll = float(InTransform.Rotation.Roll);
	TranslationX = float(InTransform.Location.X);
	TranslationY = float(InTransform.Location.Y);
	TranslationZ = float(InTransform.Location.Z);
	ScaleX = float(InTransform.Scale.X);
	ScaleY = float(InTransform.Scale.Y);
	ScaleZ = float(InTransform.Scale.Z);
}

FEulerTransform FRigControlValue::FEulerTransform_Float::ToTransform() const
{
	return FEulerTransform(FVector(TranslationX, TranslationY, TranslationZ),
		FRotator(RotationPitch, RotationYaw, RotationRoll), FVector(ScaleX, ScaleY, ScaleZ));
}

FTransform FRigControlValue::GetAsTransform(ERigControlType InControlType, ERigControlAxis InPrimaryAxis) const
{
	FTransform Transform = FTransform::Identity;
	switch (InControlType)
	{
		case ERigControlType::Bool:
			break;
		case ERigControlType::Float:
			Transform.SetTranslation(AlongAxis(Get<float>(), InPrimaryAxis));
			break;
		case ERigControlType::Integer:
			Transform.SetTranslation(AlongAxis(double(Get<int32>()), InPrimaryAxis));
			break;
		case ERigControlType::ScaleFloat:
			Transform.SetScale3D(FVector(Get<float>()));
			break;
		case ERigControlType::Vector2D:
			Transform.SetTranslation(PlaneToVector(Get<FVector3f>(), InPrimaryAxis));
			break;
		case ERigControlType::Position:
			Transform.SetTranslation(Get<FVector>());
			break;
		case ERigControlType::Scale:
			Transform.SetScale3D(Get<FVector>());
			break;
		case ERigControlType::Rotator:
			Transform.SetRotation(Get<FRotator>().Quaternion());
			break;
		case ERigControlType::Transform:
			Transform = Get<FTransform_Float>().ToTransform();
			break;
		case ERigControlType::TransformNoScale:
			Transform = Get<FTransformNoScale_Float>().ToTransform();
			break;
		case ERigControlType::EulerTransform:
			Transform = Get<FEulerTransform>().ToFTransform();
			break;
	}
	return Transform;
}

void FRigControlValue::SetFromTransform(
	const FTransform& InTransform, ERigControlType InControlType, ERigControlAxis InPrimaryAxis)
{
	switch (InControlType)
	{
		case ERigControlType::Bool:
			break;
		case ERigControlType::Float:
			Set<float>(float(AxisComponent(InTransform.GetTranslation(), InPrimaryAxis)));
			break;
		case ERigControlType::Integer:
			Set<int32>(FMath::RoundToInt(AxisComponent(InTransform.GetTranslation(), InPrimaryAxis)));
			break;
		case ERigControlType::ScaleFloat:
			Set<float>(float(AxisComponent(InTransform.GetScale3D(), InPrimaryAxis)));
			break;
		case ERigControlType::Vector2D:
			Set<FVector3f>(VectorToPlane(InTransform.GetTranslation(), InPrimaryAxis));
			break;
		case ERigControlType::Position:
			Set<FVector>(InTransform.GetTranslation());
			break;
		case ERigControlType::Scale:
			Set<FVector>(InTransform.GetScale3D());
			break;
		case ERigControlType::Rotator:
			Set<FRotator>(InTransform.Rotator());
			break;
		case ERigControlType::Transform:
			Set<FTransform>(InTransform);
			break;
		case ERigControlType::TransformNoScale:
			Set<FTransformNoScale_Float>(FTransformNoScale_Float(InTransform));
			break;
		case ERigControlType::EulerTransform:
			Set<FEulerTransform>(FEulerTransform(InTransform));
			break;
	}
}

FString FRigControlValue::ToString(ERigControlType InControlType) const
{
	switch (InControlType)
	{
		case ERigControlType::Bool:
			return Get<bool>() ? TEXT("true") : TEXT("false");
		case ERigControlType::Float:
		case ERigControlType::ScaleFloat:
			return FString::SanitizeFloat(Get<float>());
		case ERigControlType::Integer:
			return FString::FromInt(Get<int32>());
		case ERigControlType::Vector2D:
		{
			const FVector3f Value = Get<FVector3f>();
			return FString::Printf(TEXT("(%g, %g)"), Value.X, Value.Y);
		}
		case ERigControlType::Position:
		case ERigControlType::Scale:
		case ERigControlType::Rotator:
		{
			const FVector3f Value = Get<FVector3f>();
			return FString::Printf(TEXT("(%g, %g, %g)"), Value.X, Value.Y, Value.Z);
		}
		default:
		{
			const FTransform Transform = GetAsTransform(InControlType, ERigControlAxis::X);
			const FVector T = Transform.GetTranslation();
			const FRotator R = Transform.Rotator();
			const FVector S = Transform.GetScale3D();
			return FString::Printf(TEXT("T(%g, %g, %g) R(%g, %g, %g) S(%g, %g, %g)"), T.X, T.Y, T.Z, R.Pitch, R.Yaw,
				R.Roll, S.X, S.Y, S.Z);
		}
	}
}
