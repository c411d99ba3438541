// Shared helpers of the runner tests: loading rig text and comparing rotations.
#pragma once

#include "CoreMinimal.h"
#include "QVRig/RigFileLoader.h"

#include <gtest/gtest.h>
#include <string>

// The name every in-memory test rig is loaded under, as error messages show it.
inline const TCHAR* const TestRigName = TEXT("test.rig.json");

inline TUniquePtr<FQVRig> LoadRigText(const std::string& InJson, FString& OutError)
{
	return FQVRigFileLoader::LoadText(FString(InJson.c_str()), TestRigName, QV_SOURCE_DIR "/tests/runner", OutError);
}

// A rig file with the given elements array contents and further top-level members (each starting with a comma).
inline std::string MakeRigText(const std::string& InElements, const std::string& InRest = std::string())
{
	return R"({ "format": "quorvel-rig", "version": 1, "elements": [ )" + InElements + " ]" + InRest + " }";
}

// Quaternions equal up to sign, component by component.
inline ::testing::AssertionResult QuatsNear(const FQuat& InA, const FQuat& InB, double InTolerance = 1e-6)
{
	if (InA.Equals(InB, InTolerance))
	{
		return ::testing::AssertionSuccess();
	}
	return ::testing::AssertionFailure() << *FString::Printf(
			   TEXT("(%.9g, %.9g, %.9g, %.9g) vs (%.9g, %.9g, %.9g, %.9g)"), InA.X, InA.Y, InA.Z, InA.W, InB.X, InB.Y,
			   InB.Z, InB.W);
}

inline ::testing::AssertionResult VectorsNear(const FVector& InA, const FVector& InB, double InTolerance = 1e-6)
{
	if (InA.Equals(InB, InTolerance))
	{
		return ::testing::AssertionSuccess();
	}
	return ::testing::AssertionFailure() << *FString::Printf(
			   TEXT("(%.9g, %.9g, %.9g) vs (%.9g, %.9g, %.9g)"), InA.X, InA.Y, InA.Z, InB.X, InB.Y, InB.Z);
}
