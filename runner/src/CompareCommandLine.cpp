// `qvrig compare` on the command line.
#include "CommandLineParts.h"

#include "QVRig/CompareCommand.h"

#include <cmath>

namespace
{
struct FCompareArguments
{
	std::string RigPath;
	std::string ReferencePath;
	FQVComparisonTolerances Tolerances;
	bool bResetPose = false;
};

// A finite number of at least 0 (CLI11's own check lets NaN through).
const CLI::Validator Tolerance(
	[](std::string& InText) -> std::string
	{
		char* End = nullptr;
		const double Value = std::strtod(InText.c_str(), &End);
		const bool bNumber = !InText.empty() && End == InText.c_str() + InText.size();
		return bNumber && std::isfinite(Value) && Value >= 0.0
			? std::string()
			: "expected a tolerance (a number of at least 0), found '" + InText + "'";
	},
	"TOLERANCE >= 0");
} // namespace

void QVAddCompareCommand(CLI::App& InApp, const FQVCommandContext& InContext)
{
	const std::shared_ptr<FCompareArguments> Arguments = std::make_shared<FCompareArguments>();
	CLI::App* Compare = InApp.add_subcommand("compare",
		"Evaluate every frame of a rig file's animation and compare its elements' world transforms with a reference "
		"pose table (docs/reference-poses.md): per element, the worst error and its frame. Exit code 0 when every "
		"element is within the tolerances, 1 when one is not, 2 when a file cannot be read.");
	Compare->add_option("rig", Arguments->RigPath, "The rig file (.rig.json).")->required();
	Compare->add_option("reference", Arguments->ReferencePath, "The reference pose table (.json).")->required();
	Compare
		->add_option("--translation-tolerance", Arguments->Tolerances.Translation,
			"The largest distance allowed between positions, in centimetres.")
		->check(Tolerance)
		->capture_default_str();
	Compare
		->add_option("--rotation-tolerance", Arguments->Tolerances.Rotation,
			"The largest angle allowed between orientations, in degrees.")
		->check(Tolerance)
		->capture_default_str();
	Compare
		->add_option(
			"--scale-tolerance", Arguments->Tolerances.Scale, "The largest difference allowed in a scale component.")
		->check(Tolerance)
		->capture_default_str();
	QVAddResetPoseFlag(*Compare, Arguments->bResetPose);
	Compare->callback(
		[Arguments, InContext]()
		{
			FQVCompareOptions Options;
			Options.RigPath = FString(Arguments->RigPath.c_str());
			Options.ReferencePath = FString(Arguments->ReferencePath.c_str());
			Options.Tolerances = Arguments->Tolerances;
			Options.FrameStart = QVToFrameStart(Arguments->bResetPose);
			InContext.ExitCode = FQVCompareCommand::Run(Options, InContext.OutStream, InContext.ErrorStream);
		});
}
