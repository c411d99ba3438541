// FTransformNoScale: a location and a rotation, the transform of controls that carry no scale.
#pragma once

#include "CoreMinimal.h"

struct FTransformNoScale
{
	// Zero location, identity rotation.
	static const FTransformNoScale Identity;

	// Zero location and an all-zero (not identity) rotation, as the engine's default.
	FORCEINLINE FTransformNoScale() : Location(ForceInitToZero), Rotation(ForceInitToZero) {}
	FORCEINLINE FTransformNoScale(const FVector& InLocation, const FQuat& InRotation)
		: Location(InLocation), Rotation(InRotation)
	{
	}
	FORCEINLINE FTransformNoScale(const FTransform& InTransform)
		: Location(InTransform.GetLocation()), Rotation(InTransform.GetRotation())
	{
	}

	FORCEINLINE FTransformNoScale& operator=(const FTransform& InTransform)
	{
		FromFTransform(InTransform);
		return *this;
	}
	FORCEINLINE operator FTransform() const { return ToFTransform(); }

	FVector Location;
	FQuat Rotation;

	FORCEINLINE FTransform ToFTransform() const { return FTransform(Rotation, Location, FVector::OneVector); }
	FORCEINLINE void FromFTransform(const FTransform& InTransform)
	{
		Location = InTransform.GetLocation();
		Rotation = InTransform.GetRotation();
	}
};

inline const FTransformNoScale FTransformNoScale::Identity(FVector::ZeroVector, FQuat::Identity);
