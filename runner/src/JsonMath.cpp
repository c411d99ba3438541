// Readers of the math values of rig files.
#include "QVRig/JsonMath.h"

namespace
{
const TCHAR* const RotationShape = TEXT("a quaternion [x, y, z, w] or a rotator { \"pitch\", \"yaw\", \"roll\" }");

double Component(const FQVJsonValue& InArray, int32 InIndex)
{
	return InArray.At(InIndex).AsNumber();
}

FRotator ReadRotatorObject(const FQVJsonValue& InValue)
{
	InValue.ExpectObject({TEXT("pitch"), TEXT("yaw"), TEXT("roll")});
	const auto Angle = [&InValue](const TCHAR* InKey)
	{
		const TOptional<FQVJsonValue> Member = InValue.Find(InKey);
		return Member.IsSet() ? Member->AsNumber() : 0.0;
	};
	return FRotator(Angle(TEXT("pitch")), Angle(TEXT("yaw")), Angle(TEXT("roll")));
}
} // namespace

FVector FQVJsonMath::ReadVector(const FQVJsonValue& InValue)
{
	InValue.ExpectArray(TEXT("[x, y, z]"), 3, 3);
	return FVector(Component(InValue, 0), Component(InValue, 1), Component(InValue, 2));
}

FVector2D FQVJsonMath::ReadVector2D(const FQVJsonValue& InValue)
{
	InValue.ExpectArray(TEXT("[x, y]"), 2, 2);
	return FVector2D(Component(InValue, 0), Component(InValue, 1));
}

FRotator FQVJsonMath::ReadRotator(const FQVJsonValue& InValue)
{
	if (InValue.IsObject())
	{
		return ReadRotatorObject(InValue);
	}
	InValue.ExpectArray(TEXT("[pitch, yaw, roll] or { \"pitch\", \"yaw\", \"roll\" }"), 3, 3);
	return FRotator(Component(InValue, 0), Component(InValue, 1), Component(InValue, 2));
}

FQuat FQVJsonMath::ReadRotation(const FQVJsonValue& InValue)
{
	if (InValue.IsObject())
	{
		return ReadRotatorObject(InValue).Quaternion();
	}
	InValue.ExpectArray(RotationShape, 4, 4);
	FQuat Rotation(Component(InValue, 0), Component(InValue, 1), Component(InValue, 2), Component(InValue, 3));
	// Rounded values written by exporters are fine; a quaternion that is far from unit length is a mistake.
	if (!Rotation.IsNormalized())
	{
		InValue.Fail(FString::Printf(TEXT("expected a unit quaternion, found one of length %g"), Rotation.Size()));
	}
	Rotation.Normalize();
	return Rotation;
}

FTransform FQVJsonMath::ReadTransform(const FQVJsonValue& InValue, bool bInAllowScale)
{
	if (bInAllowScale)
	{
		InValue.ExpectObject({TEXT("translation"), TEXT("rotation"), TEXT("scale")});
	}
	else
	{
		InValue.ExpectObject({TEXT("translation"), TEXT("rotation")});
	}
	FTransform Transform = FTransform::Identity;
	if (const TOptional<FQVJsonValue> Translation = InValue.Find(TEXT("translation")))
	{
		Transform.SetTranslation(ReadVector(*Translation));
	}
	if (const TOptional<FQVJsonValue> Rotation = InValue.Find(TEXT("rotation")))
	{
		Transform.SetRotation(ReadRotation(*Rotation));
	}
	if (const TOptional<FQVJsonValue> Scale = InValue.Find(TEXT("scale")))
	{
		Transform.SetScale3D(ReadVector(*Scale));
	}
	return Transform;
}

FEulerTransform FQVJsonMath::ReadEulerTransform(const FQVJsonValue& InValue)
{
	const FTransform Transform = ReadTransform(InValue);
	FEulerTransform Result(Transform);
	const TOptional<FQVJsonValue> Rotation = InValue.Find(TEXT("rotation"));
	if (Rotation.IsSet() && Rotation->IsObject())
	{
		Result.Rotation = ReadRotatorObject(*Rotation);
	}
	return Result;
}
