// qvrig: the standalone runner. Evaluates rig files outside the engine; each task is a subcommand.
// CLI11 comes first: the engine's check() assertion macro would otherwise rewrite its Option::check.
#include <CLI/CLI.hpp>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "CoreMinimal.h"
#include "QVRig/RunCommand.h"

// Nothing here asserts, and CLI11's Option::check is called below.
#undef check

namespace
{
struct FRunArguments
{
	std::string RigPath;
	std::vector<std::string> Elements;
	// Transformed to the accepted word they match, whatever the case written.
	std::string Space = "local";
	std::string Parts = "rotation";
	int32 Every = 1;
};

void AddRunCommand(CLI::App& InApp, FRunArguments& OutArguments)
{
	CLI::App* Run = InApp.add_subcommand("run",
		"Evaluate every frame of a rig file's animation (frame 0 when it "
		"has none) and print the chosen elements' transforms per frame.");
	Run->add_option("rig", OutArguments.RigPath, "The rig file (.rig.json).")->required();
	Run->add_option("--elements", OutArguments.Elements,
		   "Elements to show, comma separated: a bare name, or type:name (bone, null, control). Default: every "
		   "null and bone.")
		->delimiter(',');
	Run->add_option("--space", OutArguments.Space, "local (relative to the parent) or global (rig space).")
		->transform(CLI::IsMember({"local", "global"}, CLI::ignore_case))
		->capture_default_str();
	Run->add_option("--show", OutArguments.Parts, "rotation (pitch, yaw, roll in degrees), translation, scale or all.")
		->transform(CLI::IsMember({"rotation", "translation", "scale", "all"}, CLI::ignore_case))
		->capture_default_str();
	Run->add_option("--every", OutArguments.Every, "Print every Nth frame (every frame is still evaluated).")
		->check(CLI::PositiveNumber)
		->capture_default_str();
	Run->callback(
		[&OutArguments]()
		{
			FQVRunOptions Options;
			Options.RigPath = FString(OutArguments.RigPath.c_str());
			for (const std::string& Element : OutArguments.Elements)
			{
				Options.Elements.Add(FString(Element.c_str()));
			}
			Options.Space = OutArguments.Space == "global" ? EQVPoseSpace::Global : EQVPoseSpace::Local;
			const std::map<std::string, EQVPoseParts> Parts = {{"rotation", EQVPoseParts::Rotation},
				{"translation", EQVPoseParts::Translation}, {"scale", EQVPoseParts::Scale}, {"all", EQVPoseParts::All}};
			Options.Parts = Parts.at(OutArguments.Parts);
			Options.Every = OutArguments.Every;
			const int32 ExitCode = FQVRunCommand::Run(Options, std::cout, std::cerr);
			if (ExitCode != 0)
			{
				throw CLI::RuntimeError(ExitCode);
			}
		});
}
} // namespace

int main(int ArgC, char** ArgV)
{
	CLI::App App("qvrig: evaluates rig files outside the engine.");
	App.require_subcommand(1);
	FRunArguments RunArguments;
	AddRunCommand(App, RunArguments);
	CLI11_PARSE(App, ArgC, ArgV);
	return 0;
}
