// Channel scalars of transforms and control values.
#include "QVFaceSDKChannels.h"

namespace
{
// The axis (0 to 2) of a channel within its group of three.
int32 TranslationAxis(EQVFaceSDKChannel Channel)
{
	return int32(Channel) - int32(EQVFaceSDKChannel::TranslationX);
}
int32 ScaleAxis(EQVFaceSDKChannel Channel)
{
	return int32(Channel) - int32(EQVFaceSDKChannel::ScaleX);
}
int32 ValueAxis(EQVFaceSDKChannel Channel)
{
	return int32(Channel) - int32(EQVFaceSDKChannel::ValueX);
}

// X turns about the roll axis, Y about pitch, Z about yaw.
double& RotatorAngle(FRotator& Rotator, EQVFaceSDKChannel Channel)
{
	switch (Channel)
	{
		case EQVFaceSDKChannel::RotationX:
			return Rotator.Roll;
		case EQVFaceSDKChannel::RotationY:
			return Rotator.Pitch;
		default:
			return Rotator.Yaw;
	}
}
} // namespace

double QVFaceSDKChannels::GetTransformChannel(const FTransform& Transform, EQVFaceSDKChannel Channel)
{
	if (IsTranslation(Channel))
	{
		return Transform.GetTranslation()[TranslationAxis(Channel)];
	}
	if (IsScale(Channel))
	{
		return Transform.GetScale3D()[ScaleAxis(Channel)];
	}
	if (IsRotationAngle(Channel))
	{
		FRotator Rotator = Transform.Rotator();
		return RotatorAngle(Rotator, Channel);
	}
	return 0.0;
}

void QVFaceSDKChannels::SetTransformChannel(FTransform& Transform, EQVFaceSDKChannel Channel, double Value)
{
	if (IsTranslation(Channel))
	{
		FVector Translation = Transform.GetTranslation();
		Translation[TranslationAxis(Channel)] = Value;
		Transform.SetTranslation(Translation);
	}
	else if (IsScale(Channel))
	{
		FVector Scale = Transform.GetScale3D();
		Scale[ScaleAxis(Channel)] = Value;
		Transform.SetScale3D(Scale);
	}
	else if (IsRotationAngle(Channel))
	{
		FRotator Rotator = Transform.Rotator();
		RotatorAngle(Rotator, Channel) = Value;
		Transform.SetRotation(Rotator.Quaternion());
	}
}

void QVFaceSDKChannels::AddToTransformChannel(FTransform& Transform, EQVFaceSDKChannel Channel, double Delta)
{
	if (IsTranslation(Channel))
	{
		FVector Translation = Transform.GetTranslation();
		Translation[TranslationAxis(Channel)] += Delta;
		Transform.SetTranslation(Translation);
	}
	else if (IsScale(Channel))
	{
		FVector Scale = Transform.GetScale3D();
		Scale[ScaleAxis(Channel)] += Delta;
		Transform.SetScale3D(Scale);
	}
}

bool QVFaceSDKChannels::HoldsControlValueChannel(ERigControlType ControlType, EQVFaceSDKChannel Channel)
{
	if (Channel == EQVFaceSDKChannel::ValueFloat)
	{
		return ControlType == ERigControlType::Float || ControlType == ERigControlType::ScaleFloat;
	}
	return IsControlValue(Channel) &&
		(ControlType == ERigControlType::Vector2D || ControlType == ERigControlType::Position ||
			ControlType == ERigControlType::Scale);
}

float QVFaceSDKChannels::GetControlValueChannel(
	const FRigControlValue& Value, ERigControlType ControlType, EQVFaceSDKChannel Channel)
{
	if (!HoldsControlValueChannel(ControlType, Channel))
	{
		return 0.f;
	}
	return Channel == EQVFaceSDKChannel::ValueFloat ? Value.Get<float>()
													: Value.GetRef<FVector3f>()[ValueAxis(Channel)];
}

bool QVFaceSDKChannels::GetControlValueTransform(
	const FRigControlValue& Value, ERigControlType ControlType, FTransform& Out)
{
	if (ControlType == ERigControlType::Transform)
	{
		Out = Value.Get<FRigControlValue::FTransform_Float>().ToTransform();
		return true;
	}
	if (ControlType == ERigControlType::EulerTransform)
	{
		Out = Value.Get<FRigControlValue::FEulerTransform_Float>().ToTransform().ToFTransform();
		return true;
	}
	return false;
}
