// Options the export, view and compare subcommands share.
#include "CommandLineParts.h"

void QVAddElementsOption(CLI::App& InCommand, std::vector<std::string>& OutElements, const std::string& InWhat)
{
	InCommand
		.add_option("--elements", OutElements,
			InWhat +
				", comma separated: a bare name, or type:name (bone, null, control). Default: every null and bone.")
		->delimiter(',');
}

void QVAddResetPoseFlag(CLI::App& InCommand, bool& bOutResetPose)
{
	InCommand.add_flag("--reset-pose", bOutResetPose,
		"Reset the whole pose to the initial pose before each frame, as qvrig run --reset-pose does. By default the "
		"pose carries over from frame to frame, as in the engine.");
}

void QVAddForceFlag(CLI::App& InCommand, bool& bOutForce)
{
	InCommand.add_flag("--force", bOutForce, "Replace output files that exist (never the input files).");
}

TArray<FString> QVToStrings(const std::vector<std::string>& InTexts)
{
	TArray<FString> Strings;
	for (const std::string& Text : InTexts)
	{
		Strings.Add(FString(Text.c_str()));
	}
	return Strings;
}

EQVFrameStart QVToFrameStart(bool bInResetPose)
{
	return bInResetPose ? EQVFrameStart::ResetPose : EQVFrameStart::CarryOver;
}
