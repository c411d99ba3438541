// Shared helpers of the runner tests: loading rig text, running the command line, scratch folders and comparing
// rotations.
#pragma once

#include "CoreMinimal.h"
#include "QVRig/CommandLine.h"
#include "QVRig/RigFileLoader.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

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

struct FCommandResult
{
	int32 ExitCode = 0;
	std::string Out;
	std::string Err;
};

// Runs the qvrig command line in this process with the arguments after the program's name.
inline FCommandResult RunCommandLine(std::vector<const char*> InArguments)
{
	InArguments.insert(InArguments.begin(), "qvrig");
	std::ostringstream Out;
	std::ostringstream Err;
	FCommandResult Result;
	Result.ExitCode = FQVCommandLine::Run(static_cast<int32>(InArguments.size()), InArguments.data(), Out, Err);
	Result.Out = Out.str();
	Result.Err = Err.str();
	return Result;
}

// A folder of its own under the system's temporary folder, removed with everything in it at the end.
class FScratchFolder
{
public:
	FScratchFolder()
		: Path(std::filesystem::temp_directory_path() /
			  ("qv_json_" + std::to_string(::getpid()) + "_" +
				  ::testing::UnitTest::GetInstance()->current_test_info()->name()))
	{
		std::filesystem::create_directories(Path);
	}
	~FScratchFolder() { std::filesystem::remove_all(Path); }

	FString Write(const char* InName, const std::string& InBytes) const
	{
		std::ofstream(Path / InName, std::ios::binary) << InBytes;
		return File(InName);
	}
	FString File(const char* InName) const { return FString((Path / InName).string().c_str()); }
	// InName in the folder, for command lines.
	std::string operator/(const std::string& InName) const { return (Path / InName).string(); }

	const std::filesystem::path Path;
};

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
