// The scalars that set-driven-key channels name: read from and written to transforms, read from control values.
#pragma once

#include "CoreMinimal.h"
#include "QVFaceSDKTypes.h"
#include "Rigs/RigHierarchyDefines.h"

namespace QVFaceSDKChannels
{
// Channel kinds are tested for every driven channel of every evaluation, so they are inline range tests over the
// enumerators' stored values.
inline bool IsTranslation(EQVFaceSDKChannel Channel)
{
	return Channel >= EQVFaceSDKChannel::TranslationX && Channel <= EQVFaceSDKChannel::TranslationZ;
}
// RotationX, RotationY or RotationZ: one angle of the rotator. Rotation itself names no scalar.
inline bool IsRotationAngle(EQVFaceSDKChannel Channel)
{
	return Channel >= EQVFaceSDKChannel::RotationX && Channel <= EQVFaceSDKChannel::RotationZ;
}
inline bool IsScale(EQVFaceSDKChannel Channel)
{
	return Channel >= EQVFaceSDKChannel::ScaleX && Channel <= EQVFaceSDKChannel::ScaleZ;
}
// ValueX, ValueY, ValueZ or ValueFloat: read from a control's value rather than a transform.
inline bool IsControlValue(EQVFaceSDKChannel Channel)
{
	return Channel >= EQVFaceSDKChannel::ValueX && Channel <= EQVFaceSDKChannel::ValueFloat;
}

// Translation and scale components; RotationX, RotationY and RotationZ are the roll, pitch and yaw of the rotation's
// rotator, in degrees. Rotation and the control-value channels read 0.
double GetTransformChannel(const FTransform& Transform, EQVFaceSDKChannel Channel);

// Replaces the channel's scalar. An angle is replaced in the rotation's rotator, which is then converted back.
// Rotation and the control-value channels change nothing.
void SetTransformChannel(FTransform& Transform, EQVFaceSDKChannel Channel, double Value);

// Adds to a translation or scale component; any other channel changes nothing.
void AddToTransformChannel(FTransform& Transform, EQVFaceSDKChannel Channel, double Delta);

// Whether a control of the type holds the control-value channel: ValueFloat a float or scale-float control; ValueX,
// ValueY and ValueZ a 2D-vector, position or scale control. False for every other pair, which reads 0.
bool HoldsControlValueChannel(ERigControlType ControlType, EQVFaceSDKChannel Channel);

// ValueFloat: the value of a float or scale-float control. ValueX, ValueY, ValueZ: the first, second or third float
// of a 2D-vector, position or scale control. Any other channel or control type reads 0.
float GetControlValueChannel(const FRigControlValue& Value, ERigControlType ControlType, EQVFaceSDKChannel Channel);

// The value of a transform or Euler-transform control as a transform (Euler angles through the rotator's
// quaternion). False, with Out untouched, for any other control type.
bool GetControlValueTransform(const FRigControlValue& Value, ERigControlType ControlType, FTransform& Out);
} // namespace QVFaceSDKChannels
