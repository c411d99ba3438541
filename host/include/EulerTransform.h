// FEulerTransform: a transform stored as location, rotator and scale, as animation controls edit it.
#pragma once

#include "CoreTypes.h"
#include "Math/UnrealMath.h"

struct FEulerTransform
{
	FVector Location;
	FRotator Rotation;
	FVector Scale;

	static const FEulerTransform Identity;

	constexpr FORCEINLINE FEulerTransform() : Location(0, 0, 0), Rotation(0, 0, 0), Scale(1, 1, 1) {}
	constexpr FORCEINLINE FEulerTransform(const FVector& InLocation, const FRotator& InRotation, const FVector& InScale)
		: Location(InLocation), Rotation(InRotation), Scale(InScale)
	{
	}
	constexpr FORCEINLINE FEulerTransform(const FRotator& InRotation, const FVector& InLocation, const FVector& InScale)
		: Location(InLocation), Rotation(InRotation), Scale(InScale)
	{
	}
	explicit FORCEINLINE FEulerTransform(const FTransform& InTransform)
		: Location(InTransform.GetLocation()), Rotation(InTransform.GetRotation().Rotator()),
		  Scale(InTransform.GetScale3D())
	{
	}

	FORCEINLINE FTransform ToFTransform() const { return FTransform(Rotation.Quaternion(), Location, Scale); }
	FORCEINLINE void FromFTransform(const FTransform& InTransform)
	{
		Location = InTransform.GetLocation();
		Rotation = InTransform.GetRotation().Rotator();
		Scale = InTransform.GetScale3D();
	}

	FORCEINLINE const FVector& GetLocation() const { return Location; }
	FORCEINLINE FQuat GetRotation() const { return Rotation.Quaternion(); }
	FORCEINLINE const FRotator& Rotator() const { return Rotation; }
	FORCEINLINE const FVector& GetScale3D() const { return Scale; }
	FORCEINLINE void SetLocation(const FVector& InValue) { Location = InValue; }
	FORCEINLINE void SetRotation(const FQuat& InValue) { Rotation = InValue.Rotator(); }
	FORCEINLINE void SetRotator(const FRotator& InValue) { Rotation = InValue; }
	FORCEINLINE void SetScale3D(const FVector& InValue) { Scale = InValue; }
	FORCEINLINE void NormalizeRotation() {}

	FORCEINLINE bool operator==(const FEulerTransform& Other) const
	{
		return Location == Other.Location && Rotation == Other.Rotation && Scale == Other.Scale;
	}
	FORCEINLINE bool operator!=(const FEulerTransform& Other) const { return !(*this == Other); }
};

inline constinit const FEulerTransform FEulerTransform::Identity(FVector(0, 0, 0), FRotator(0, 0, 0), FVector(1, 1, 1));
