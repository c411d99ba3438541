// Reading and writing engine values in their rig and asset file shapes.
#include "QVJson/JsonShapes.h"

#include <cmath>
#include <limits>

namespace
{
const TCHAR* const RotationShape = TEXT("a quaternion [x, y, z, w] or a rotator { \"pitch\", \"yaw\", \"roll\" }");

const ERigElementType FileElementTypes[] = {ERigElementType::Bone, ERigElementType::Null, ERigElementType::Control};

double Component(const FQVJsonValue& InArray, int32 InIndex)
{
	return FQVJsonShapes::ReadNumber(InArray.At(InIndex));
}

FRotator ReadRotatorObject(const FQVJsonValue& InValue)
{
	InValue.ExpectObject({TEXT("pitch"), TEXT("yaw"), TEXT("roll")});
	const auto Angle = [&InValue](const TCHAR* InKey)
	{
		const TOptional<FQVJsonValue> Member = InValue.Find(InKey);
		return Member.IsSet() ? FQVJsonShapes::ReadNumber(*Member) : 0.0;
	};
	return FRotator(Angle(TEXT("pitch")), Angle(TEXT("yaw")), Angle(TEXT("roll")));
}
} // namespace

FVector FQVJsonShapes::ReadVector(const FQVJsonValue& InValue)
{
	InValue.ExpectArray(TEXT("[x, y, z]"), 3, 3);
	return FVector(Component(InValue, 0), Component(InValue, 1), Component(InValue, 2));
}

FVector2D FQVJsonShapes::ReadVector2D(const FQVJsonValue& InValue)
{
	InValue.ExpectArray(TEXT("[x, y]"), 2, 2);
	return FVector2D(Component(InValue, 0), Component(InValue, 1));
}

FRotator FQVJsonShapes::ReadRotator(const FQVJsonValue& InValue)
{
	if (InValue.IsObject())
	{
		return ReadRotatorObject(InValue);
	}
	InValue.ExpectArray(TEXT("[pitch, yaw, roll] or { \"pitch\", \"yaw\", \"roll\" }"), 3, 3);
	return FRotator(Component(InValue, 0), Component(InValue, 1), Component(InValue, 2));
}

FQuat FQVJsonShapes::ReadRotation(const FQVJsonValue& InValue)
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

FQuat FQVJsonShapes::ReadQuat(const FQVJsonValue& InValue)
{
	if (InValue.IsObject())
	{
		return ReadRotatorObject(InValue).Quaternion();
	}
	InValue.ExpectArray(RotationShape, 4, 4);
	return FQuat(Component(InValue, 0), Component(InValue, 1), Component(InValue, 2), Component(InValue, 3));
}

FTransform FQVJsonShapes::ReadTransform(const FQVJsonValue& InValue, bool bInAllowScale, bool bInExactRotation)
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
		Transform.SetRotation(bInExactRotation ? ReadQuat(*Rotation) : ReadRotation(*Rotation));
	}
	if (const TOptional<FQVJsonValue> Scale = InValue.Find(TEXT("scale")))
	{
		Transform.SetScale3D(ReadVector(*Scale));
	}
	return Transform;
}

FEulerTransform FQVJsonShapes::ReadEulerTransform(const FQVJsonValue& InValue)
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

FLinearColor FQVJsonShapes::ReadLinearColor(const FQVJsonValue& InValue)
{
	InValue.ExpectArray(TEXT("[r, g, b, a]"), 4, 4);
	const auto Channel = [&InValue](int32 InIndex) { return static_cast<float>(Component(InValue, InIndex)); };
	return FLinearColor(Channel(0), Channel(1), Channel(2), Channel(3));
}

ERigElementType FQVJsonShapes::ReadElementType(const FQVJsonValue& InValue)
{
	return FileElementTypes[InValue.AsChoice(GetElementTypeWords())];
}

FRigElementKey FQVJsonShapes::ReadElementKey(const FQVJsonValue& InValue)
{
	InValue.ExpectObject({TEXT("type"), TEXT("name")});
	const ERigElementType Type = ReadElementType(InValue.Get(TEXT("type")));
	return FRigElementKey(InValue.Get(TEXT("name")).AsName(), Type);
}

double FQVJsonShapes::ReadNumber(const FQVJsonValue& InValue)
{
	if (InValue.IsString())
	{
		const FString Text = InValue.AsString();
		if (Text == TEXT("NaN"))
		{
			return std::numeric_limits<double>::quiet_NaN();
		}
		if (Text == TEXT("Infinity") || Text == TEXT("-Infinity"))
		{
			return Text.StartsWith(TEXT("-")) ? -std::numeric_limits<double>::infinity()
											  : std::numeric_limits<double>::infinity();
		}
	}
	return InValue.AsNumber();
}

FQVJson FQVJsonShapes::WriteNumber(double InValue)
{
	if (std::isnan(InValue))
	{
		return FQVJson("NaN");
	}
	if (std::isinf(InValue))
	{
		return FQVJson(InValue > 0 ? "Infinity" : "-Infinity");
	}
	return FQVJson(InValue);
}

FQVJson FQVJsonShapes::WriteVector(const FVector& InValue)
{
	return FQVJson::array({WriteNumber(InValue.X), WriteNumber(InValue.Y), WriteNumber(InValue.Z)});
}

FQVJson FQVJsonShapes::WriteVector2D(const FVector2D& InValue)
{
	return FQVJson::array({WriteNumber(InValue.X), WriteNumber(InValue.Y)});
}

FQVJson FQVJsonShapes::WriteRotator(const FRotator& InValue)
{
	return FQVJson::array({WriteNumber(InValue.Pitch), WriteNumber(InValue.Yaw), WriteNumber(InValue.Roll)});
}

FQVJson FQVJsonShapes::WriteQuat(const FQuat& InValue)
{
	return FQVJson::array(
		{WriteNumber(InValue.X), WriteNumber(InValue.Y), WriteNumber(InValue.Z), WriteNumber(InValue.W)});
}

FQVJson FQVJsonShapes::WriteTransform(const FTransform& InValue)
{
	FQVJson Result = FQVJson::object();
	Result["translation"] = WriteVector(InValue.GetTranslation());
	Result["rotation"] = WriteQuat(InValue.GetRotation());
	Result["scale"] = WriteVector(InValue.GetScale3D());
	return Result;
}

FQVJson FQVJsonShapes::WriteEulerTransform(const FEulerTransform& InValue)
{
	FQVJson Result = FQVJson::object();
	Result["translation"] = WriteVector(InValue.Location);
	Result["rotation"] = {
		{"pitch", WriteNumber(InValue.Rotation.Pitch)},
		{"yaw", WriteNumber(InValue.Rotation.Yaw)},
		{"roll", WriteNumber(InValue.Rotation.Roll)},
	};
	Result["scale"] = WriteVector(InValue.Scale);
	return Result;
}

FQVJson FQVJsonShapes::WriteLinearColor(const FLinearColor& InValue)
{
	return FQVJson::array(
		{WriteNumber(InValue.R), WriteNumber(InValue.G), WriteNumber(InValue.B), WriteNumber(InValue.A)});
}

FQVJson FQVJsonShapes::WriteElementKey(const FRigElementKey& InValue)
{
	FQVJson Result = FQVJson::object();
	Result["type"] = std::string(*ElementTypeWord(InValue.Type));
	Result["name"] = std::string(*InValue.Name.ToString());
	return Result;
}

const TArray<FString>& FQVJsonShapes::GetElementTypeWords()
{
	static const TArray<FString> Words = {TEXT("bone"), TEXT("null"), TEXT("control")};
	return Words;
}

ERigElementType FQVJsonShapes::ParseElementType(const FString& InWord)
{
	for (int32 Index = 0; Index < GetElementTypeWords().Num(); ++Index)
	{
		if (InWord.Equals(GetElementTypeWords()[Index], ESearchCase::IgnoreCase))
		{
			return FileElementTypes[Index];
		}
	}
	return ERigElementType::None;
}

FString FQVJsonShapes::ElementTypeWord(ERigElementType InType)
{
	return FString(LexToString(InType)).ToLower();
}
