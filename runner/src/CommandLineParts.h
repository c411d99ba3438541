// The qvrig subcommands beyond run, each added to the command line by a file of its own, and the options they share.
// CLI11 comes first: the engine's check() assertion macro would otherwise rewrite its Option::check.
#pragma once

#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "CoreMinimal.h"
#include "QVRig/RigEvaluator.h"

// Nothing here asserts, and CLI11's Option::check is called by the subcommands.
#undef check

// Where a subcommand's callback writes, and its exit code.
struct FQVCommandContext
{
	int32& ExitCode;
	std::ostream& OutStream;
	std::ostream& ErrorStream;
};

void QVAddExportCommand(CLI::App& InApp, const FQVCommandContext& InContext);
void QVAddViewCommand(CLI::App& InApp, const FQVCommandContext& InContext);
void QVAddCompareCommand(CLI::App& InApp, const FQVCommandContext& InContext);
void QVAddCheckCommand(CLI::App& InApp, const FQVCommandContext& InContext);

// --elements, as `qvrig run` takes it; InWhat says what the elements are chosen for.
void QVAddElementsOption(CLI::App& InCommand, std::vector<std::string>& OutElements, const std::string& InWhat);
// --reset-pose, as `qvrig run` takes it.
void QVAddResetPoseFlag(CLI::App& InCommand, bool& bOutResetPose);
// --force: replace output files that exist.
void QVAddForceFlag(CLI::App& InCommand, bool& bOutForce);

TArray<FString> QVToStrings(const std::vector<std::string>& InTexts);
EQVFrameStart QVToFrameStart(bool bInResetPose);
