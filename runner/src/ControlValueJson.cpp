// Reading control types and values.
#include "QVRig/ControlValueJson.h"

#include "QVJson/JsonShapes.h"

namespace
{
// Every enumerator's name in enumerator order, so a word's index is its value.
template <typename EnumType> TArray<FString> EnumeratorNames(EnumType InLast)
{
	TArray<FString> Names;
	for (int32 Value = 0; Value <= static_cast<int32>(InLast); ++Value)
	{
		Names.Add(LexToString(static_cast<EnumType>(Value)));
	}
	return Names;
}

// Control values are stored as floats: every number in one must fit a float, as narrowing one that does not is
// undefined (and in practice silently gives a value nobody wrote).
void ExpectFloats(const FQVJsonValue& InValue)
{
	if (InValue.GetJson().is_number())
	{
		InValue.AsFloat();
	}
	else if (InValue.IsArray())
	{
		for (int32 Index = 0; Index < InValue.Num(); ++Index)
		{
			ExpectFloats(InValue.At(Index));
		}
	}
	else if (InValue.IsObject())
	{
		for (const TPair<FString, FQVJsonValue>& Member : InValue.GetMembers())
		{
			ExpectFloats(Member.Value);
		}
	}
}
} // namespace

ERigControlType FQVControlValueJson::ReadControlType(const FQVJsonValue& InValue)
{
	static const TArray<FString> Names = EnumeratorNames(ERigControlType::ScaleFloat);
	return static_cast<ERigControlType>(InValue.AsChoice(Names));
}

ERigControlAnimationType FQVControlValueJson::ReadAnimationType(const FQVJsonValue& InValue)
{
	static const TArray<FString> Names = EnumeratorNames(ERigControlAnimationType::VisualCue);
	return static_cast<ERigControlAnimationType>(InValue.AsChoice(Names));
}

ERigControlAxis FQVControlValueJson::ReadAxis(const FQVJsonValue& InValue)
{
	static const TArray<FString> Names = {TEXT("X"), TEXT("Y"), TEXT("Z")};
	return static_cast<ERigControlAxis>(InValue.AsChoice(Names));
}

FRigControlValue FQVControlValueJson::Read(const FQVJsonValue& InValue, ERigControlType InControlType)
{
	if (InControlType != ERigControlType::Bool && InControlType != ERigControlType::Integer)
	{
		ExpectFloats(InValue);
	}
	switch (InControlType)
	{
		case ERigControlType::Bool:
			return FRigControlValue::Make<bool>(InValue.AsBool());
		case ERigControlType::Float:
		case ERigControlType::ScaleFloat:
			return FRigControlValue::Make<float>(InValue.AsFloat());
		case ERigControlType::Integer:
			return FRigControlValue::Make<int32>(InValue.AsInt32());
		case ERigControlType::Vector2D:
			return FRigControlValue::Make<FVector2D>(FQVJsonShapes::ReadVector2D(InValue));
		case ERigControlType::Position:
		case ERigControlType::Scale:
			return FRigControlValue::Make<FVector>(FQVJsonShapes::ReadVector(InValue));
		case ERigControlType::Rotator:
			return FRigControlValue::Make<FRotator>(FQVJsonShapes::ReadRotator(InValue));
		case ERigControlType::Transform:
			return FRigControlValue::Make<FTransform>(FQVJsonShapes::ReadTransform(InValue));
		case ERigControlType::TransformNoScale:
			return FRigControlValue::Make<FRigControlValue::FTransformNoScale_Float>(
				FRigControlValue::FTransformNoScale_Float(FQVJsonShapes::ReadTransform(InValue, false)));
		case ERigControlType::EulerTransform:
			return FRigControlValue::Make<FEulerTransform>(FQVJsonShapes::ReadEulerTransform(InValue));
	}
	InValue.Fail(TEXT("unsupported control type"));
}

FRigControlValue FQVControlValueJson::MakeDefault(ERigControlType InControlType)
{
	switch (InControlType)
	{
		case ERigControlType::ScaleFloat:
			return FRigControlValue::Make<float>(1.f);
		case ERigControlType::Scale:
			return FRigControlValue::Make<FVector>(FVector::OneVector);
		case ERigControlType::Transform:
			return FRigControlValue::Make<FTransform>(FTransform::Identity);
		case ERigControlType::TransformNoScale:
			return FRigControlValue::Make<FRigControlValue::FTransformNoScale_Float>(
				FRigControlValue::FTransformNoScale_Float(FTransform::Identity));
		case ERigControlType::EulerTransform:
			return FRigControlValue::Make<FEulerTransform>(FEulerTransform::Identity);
		default:
			// Zero is false, 0, and the zero vector and rotator.
			return FRigControlValue();
	}
}
