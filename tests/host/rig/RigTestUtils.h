// Shared helpers of the hierarchy tests: transform comparison and small rigs.
#pragma once

#include "CoreMinimal.h"
#include "Misc/OutputDeviceRedirector.h"
#include "Rigs/RigHierarchy.h"
#include "Rigs/RigHierarchyController.h"

#include <gtest/gtest.h>

inline ::testing::AssertionResult TransformsNear(const FTransform& A, const FTransform& B, double Tolerance = 1e-9)
{
	const bool bNear = A.GetTranslation().Equals(B.GetTranslation(), Tolerance) &&
		A.GetScale3D().Equals(B.GetScale3D(), Tolerance) && A.GetRotation().Equals(B.GetRotation(), Tolerance);
	if (bNear)
	{
		return ::testing::AssertionSuccess();
	}
	auto Describe = [](const FTransform& T)
	{
		const FVector L = T.GetTranslation();
		const FQuat R = T.GetRotation();
		const FVector S = T.GetScale3D();
		return FString::Printf(TEXT("T(%.9g, %.9g, %.9g) R(%.9g, %.9g, %.9g, %.9g) S(%.9g, %.9g, %.9g)"), L.X, L.Y, L.Z,
			R.X, R.Y, R.Z, R.W, S.X, S.Y, S.Z);
	};
	return ::testing::AssertionFailure() << *Describe(A) << " vs " << *Describe(B);
}

inline FTransform MakeTransform(
	double Pitch, double Yaw, double Roll, const FVector& Translation, const FVector& Scale = FVector::OneVector)
{
	return FTransform(FRotator(Pitch, Yaw, Roll), Translation, Scale);
}

inline FRigControlSettings MakeControlSettings(
	ERigControlType InType, ERigControlAnimationType InAnimationType = ERigControlAnimationType::AnimationControl)
{
	FRigControlSettings Settings;
	Settings.ControlType = InType;
	Settings.AnimationType = InAnimationType;
	return Settings;
}

struct FCapturedLine
{
	FString Text;
	ELogVerbosity::Type Verbosity;
	FName Category;
};

// Captures what reaches the global log while alive.
class FLogCapture : public FOutputDevice
{
public:
	FLogCapture() { GLog->AddOutputDevice(this); }
	~FLogCapture() override { GLog->RemoveOutputDevice(this); }
	void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override
	{
		Lines.Add({FString(V), Verbosity, Category});
	}
	TArray<FCapturedLine> Lines;
};
