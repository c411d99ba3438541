// Control values as readable text.
#include "QVHost/ControlValueText.h"

namespace QVHost
{
FString ControlValueToString(const FRigControlValue& InValue, ERigControlType InControlType)
{
	switch (InControlType)
	{
		case ERigControlType::Bool:
			return InValue.Get<bool>() ? TEXT("true") : TEXT("false");
		case ERigControlType::Float:
		case ERigControlType::ScaleFloat:
			return FString::SanitizeFloat(InValue.Get<float>());
		case ERigControlType::Integer:
			return FString::FromInt(InValue.Get<int32>());
		case ERigControlType::Vector2D:
		{
			const FVector3f Value = InValue.Get<FVector3f>();
			return FString::Printf(TEXT("(%g, %g)"), Value.X, Value.Y);
		}
		case ERigControlType::Position:
		case ERigControlType::Scale:
		case ERigControlType::Rotator:
		{
			const FVector3f Value = InValue.Get<FVector3f>();
			return FString::Printf(TEXT("(%g, %g, %g)"), Value.X, Value.Y, Value.Z);
		}
		default:
		{
			const FTransform Transform = InValue.GetAsTransform(InControlType, ERigControlAxis::X);
			const FVector T = Transform.GetTranslation();
			const FRotator R = Transform.Rotator();
			const FVector S = Transform.GetScale3D();
			return FString::Printf(TEXT("T(%g, %g, %g) R(%g, %g, %g) S(%g, %g, %g)"), T.X, T.Y, T.Z, R.Pitch, R.Yaw,
				R.Roll, S.X, S.Y, S.Z);
		}
	}
}
} // namespace QVHost
