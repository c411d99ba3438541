// Control values: the float layouts and the conversions between values and transforms.
#include "Rigs/RigHierarchyDefines.h"

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
	FTransform Transform;
	Transform.SetRotation(FQuat(RotationX, RotationY, RotationZ, RotationW));
	Transform.SetTranslation(FVector(TranslationX, TranslationY, TranslationZ));
	Transform.SetScale3D(FVector(ScaleX, ScaleY, ScaleZ));
	return Transform;
}

FRigControlValue::FTransformNoScale_Float::FTransformNoScale_Float(const FTransformNoScale& InTransform)
{
	RotationX = float(InTransform.Rotation.X);
	RotationY = float(InTransform.Rotation.Y);
	RotationZ = float(InTransform.Rotation.Z);
	RotationW = float(InTransform.Rotation.W);
	TranslationX = float(InTransform.Location.X);
	TranslationY = float(InTransform.Location.Y);
	TranslationZ = float(InTransform.Location.Z);
}

FTransformNoScale FRigControlValue::FTransformNoScale_Float::ToTransform() const
{
	FTransformNoScale Transform;
	Transform.Rotation = FQuat(RotationX, RotationY, RotationZ, RotationW);
	Transform.Location = FVector(TranslationX, TranslationY, TranslationZ);
	return Transform;
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
	FEulerTransform Transform;
	Transform.Rotation = FRotator(RotationPitch, RotationYaw, RotationRoll);
	Transform.Location = FVector(TranslationX, TranslationY, TranslationZ);
	Transform.Scale = FVector(ScaleX, ScaleY, ScaleZ);
	return Transform;
}

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

// The stored rotator moved by the normalised difference to the new rotation, so it can wind past +-180 degrees.
FRotator WindTowards(const FRotator& InStored, const FRotator& InNew)
{
	FRotator Winding, Remainder;
	InStored.GetWindingAndRemainder(Winding, Remainder);
	FRotator Delta = InNew - Remainder;
	Delta.Normalize();
	return InStored + Delta;
}
} // namespace

FTransform FRigControlValue::GetAsTransform(ERigControlType InControlType, ERigControlAxis InPrimaryAxis) const
{
	FTransform Transform = FTransform::Identity;
	switch (InControlType)
	{
		case ERigControlType::Bool:
			Transform.SetLocation(FVector(Get<bool>() ? 1.0 : 0.0, 0.0, 0.0));
			break;
		case ERigControlType::Float:
			Transform.SetLocation(AlongAxis(Get<float>(), InPrimaryAxis));
			break;
		case ERigControlType::ScaleFloat:
		{
			const double Value = Get<float>();
			Transform.SetScale3D(FVector(Value, Value, Value));
			break;
		}
		case ERigControlType::Integer:
			Transform.SetLocation(AlongAxis(double(float(Get<int32>())), InPrimaryAxis));
			break;
		case ERigControlType::Vector2D:
		{
			// A 2D control moves in the plane across its primary axis.
			const FVector3f Value = Get<FVector3f>();
			switch (InPrimaryAxis)
			{
				case ERigControlAxis::X:
					Transform.SetLocation(FVector(0.0, Value.X, Value.Y));
					break;
				case ERigControlAxis::Y:
					Transform.SetLocation(FVector(Value.X, 0.0, Value.Y));
					break;
				case ERigControlAxis::Z:
					Transform.SetLocation(FVector(Value.X, Value.Y, 0.0));
					break;
			}
			break;
		}
		case ERigControlType::Position:
			Transform.SetLocation(FVector(Get<FVector3f>()));
			break;
		case ERigControlType::Scale:
			Transform.SetScale3D(FVector(Get<FVector3f>()));
			break;
		case ERigControlType::Rotator:
			Transform.SetRotation(FQuat(FRotator::MakeFromEuler(FVector(Get<FVector3f>()))));
			break;
		case ERigControlType::Transform:
			Transform = Get<FTransform_Float>().ToTransform();
			Transform.NormalizeRotation();
			break;
		case ERigControlType::TransformNoScale:
			Transform = Get<FTransformNoScale_Float>().ToTransform();
			Transform.NormalizeRotation();
			break;
		case ERigControlType::EulerTransform:
			Transform = Get<FEulerTransform_Float>().ToTransform().ToFTransform();
			Transform.NormalizeRotation();
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
			Set<bool>(InTransform.GetLocation().X > UE_SMALL_NUMBER);
			break;
		case ERigControlType::Float:
			Set<float>(float(AxisComponent(InTransform.GetLocation(), InPrimaryAxis)));
			break;
		case ERigControlType::ScaleFloat:
			Set<float>(float(InTransform.GetScale3D().X));
			break;
		case ERigControlType::Integer:
			// Truncated towards zero, as the engine converts.
			Set<int32>(int32(AxisComponent(InTransform.GetLocation(), InPrimaryAxis)));
			break;
		case ERigControlType::Vector2D:
		{
			const FVector Location = InTransform.GetLocation();
			switch (InPrimaryAxis)
			{
				case ERigControlAxis::X:
					Set<FVector3f>(FVector3f(float(Location.Y), float(Location.Z), 0.f));
					break;
				case ERigControlAxis::Y:
					Set<FVector3f>(FVector3f(float(Location.X), float(Location.Z), 0.f));
					break;
				case ERigControlAxis::Z:
					Set<FVector3f>(FVector3f(float(Location.X), float(Location.Y), 0.f));
					break;
			}
			break;
		}
		case ERigControlType::Position:
			Set<FVector3f>(FVector3f(InTransform.GetLocation()));
			break;
		case ERigControlType::Scale:
			Set<FVector3f>(FVector3f(InTransform.GetScale3D()));
			break;
		case ERigControlType::Rotator:
		{
			const FRotator Stored = FRotator::MakeFromEuler(FVector(Get<FVector3f>()));
			Set<FVector3f>(FVector3f(WindTowards(Stored, FRotator(InTransform.GetRotation())).Euler()));
			break;
		}
		case ERigControlType::Transform:
			Set<FTransform_Float>(InTransform);
			break;
		case ERigControlType::TransformNoScale:
			Set<FTransformNoScale_Float>(FTransformNoScale(InTransform));
			break;
		case ERigControlType::EulerTransform:
		{
			FEulerTransform NewTransform(InTransform);
			const FEulerTransform Stored = Get<FEulerTransform_Float>().ToTransform();
			NewTransform.Rotation = WindTowards(Stored.Rotation, InTransform.GetRotation().Rotator());
			Set<FEulerTransform_Float>(NewTransform);
			break;
		}
	}
}
