// The value of a control: a small block of floats read and written as the type the control holds.
#pragma once

#include "CoreMinimal.h"
#include "EulerTransform.h"
#include "Rigs/RigHierarchyDefines.h"

#include <cstring>
#include <type_traits>

struct FRigControlValue
{
	// Float layouts of the transform-like control types.
	struct FTransform_Float
	{
		float RotationX = 0.f, RotationY = 0.f, RotationZ = 0.f, RotationW = 1.f;
		float TranslationX = 0.f, TranslationY = 0.f, TranslationZ = 0.f;
		float ScaleX = 1.f, ScaleY = 1.f, ScaleZ = 1.f;

		FTransform_Float() = default;
		FTransform_Float(const FTransform& InTransform);
		FTransform ToTransform() const;
	};

	struct FTransformNoScale_Float
	{
		float RotationX = 0.f, RotationY = 0.f, RotationZ = 0.f, RotationW = 1.f;
		float TranslationX = 0.f, TranslationY = 0.f, TranslationZ = 0.f;

		FTransformNoScale_Float() = default;
		FTransformNoScale_Float(const FTransform& InTransform);
		FTransform ToTransform() const;
	};

	// Rotation as (pitch, yaw, roll) degrees, so an animator's winding survives.
	struct FEulerTransform_Float
	{
		float RotationPitch = 0.f, RotationYaw = 0.f, RotationRoll = 0.f;
		float TranslationX = 0.f, TranslationY = 0.f, TranslationZ = 0.f;
		float ScaleX = 1.f, ScaleY = 1.f, ScaleZ = 1.f;

		FEulerTransform_Float() = default;
		FEulerTransform_Float(const FEulerTransform& InTransform);
		FEulerTransform ToTransform() const;
	};

	static constexpr int32 NumFloats = 16;

	FRigControlValue() { std::memset(FloatStorage, 0, sizeof(FloatStorage)); }

	// Stores InValue in the leading bytes: bool, int32, float, FVector2f, FVector3f and the *_Float layouts above.
	// Double-precision vectors are narrowed to their float forms, as the engine stores them.
	template <typename T> static FRigControlValue Make(const T& InValue)
	{
		FRigControlValue Value;
		Value.Set<T>(InValue);
		return Value;
	}

	template <typename T> void Set(const T& InValue)
	{
		if constexpr (std::is_same_v<T, FVector>)
		{
			Set<FVector3f>(FVector3f(InValue));
		}
		else if constexpr (std::is_same_v<T, FVector2D>)
		{
			Set<FVector3f>(FVector3f(float(InValue.X), float(InValue.Y), 0.f));
		}
		else if constexpr (std::is_same_v<T, FRotator>)
		{
			// Rotators are stored as Euler angles: X roll, Y pitch, Z yaw.
			Set<FVector3f>(FVector3f(InValue.Euler()));
		}
		else if constexpr (std::is_same_v<T, FTransform>)
		{
			Set<FTransform_Float>(FTransform_Float(InValue));
		}
		else if constexpr (std::is_same_v<T, FEulerTransform>)
		{
			Set<FEulerTransform_Float>(FEulerTransform_Float(InValue));
		}
		else
		{
			static_assert(std::is_trivially_copyable_v<T> && sizeof(T) <= sizeof(float) * NumFloats,
				"FRigControlValue stores plain float layouts only");
			std::memcpy(FloatStorage, &InValue, sizeof(T));
		}
	}

	template <typename T> T Get() const
	{
		if constexpr (std::is_same_v<T, FVector>)
		{
			return FVector(Get<FVector3f>());
		}
		else if constexpr (std::is_same_v<T, FVector2D>)
		{
			const FVector3f Value = Get<FVector3f>();
			return FVector2D(Value.X, Value.Y);
		}
		else if constexpr (std::is_same_v<T, FRotator>)
		{
			return FRotator::MakeFromEuler(FVector(Get<FVector3f>()));
		}
		else if constexpr (std::is_same_v<T, FTransform>)
		{
			return Get<FTransform_Float>().ToTransform();
		}
		else if constexpr (std::is_same_v<T, FEulerTransform>)
		{
			return Get<FEulerTransform_Float>().ToTransform();
		}
		else
		{
			static_assert(std::is_trivially_copyable_v<T> && sizeof(T) <= sizeof(float) * NumFloats,
				"FRigControlValue stores plain float layouts only");
			T Result;
			std::memcpy(&Result, FloatStorage, sizeof(T));
			return Result;
		}
	}

	// The value as a transform, as a control of the given type presents it: a float moves along the primary axis,
	// a 2D vector moves in the plane across it, a scale float scales uniformly, a bool or integer is the identity
	// (integers move along the primary axis, as floats do).
	FTransform GetAsTransform(ERigControlType InControlType, ERigControlAxis InPrimaryAxis) const;

	// Keeps what a control of the given type can hold of the transform. Rotators take the transform's rotator.
	void SetFromTransform(const FTransform& InTransform, ERigControlType InControlType, ERigControlAxis InPrimaryAxis);

	bool operator==(const FRigControlValue& Other) const
	{
		return std::memcmp(FloatStorage, Other.FloatStorage, sizeof(FloatStorage)) == 0;
	}
	bool operator!=(const FRigControlValue& Other) const { return !(*this == Other); }

	// A readable form for diagnostics and the runner's tables.
	FString ToString(ERigControlType InControlType) const;

private:
	float FloatStorage[NumFloats];
};
