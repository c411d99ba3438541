// `qvrig view` on the command line.
#include "CommandLineParts.h"

#include "QVRig/ViewCommand.h"

namespace
{
struct FViewArguments
{
	std::string InputPath;
	std::string HtmlPath;
	std::vector<std::string> Elements;
	bool bResetPose = false;
	bool bForce = false;
};
} // namespace

void QVAddViewCommand(CLI::App& InApp, const FQVCommandContext& InContext)
{
	const std::shared_ptr<FViewArguments> Arguments = std::make_shared<FViewArguments>();
	CLI::App* View = InApp.add_subcommand("view",
		"Write a self-contained HTML page that plays a rig's animation in a browser: from a rig file (evaluated as "
		"qvrig export does) or from a .glb file qvrig export wrote.");
	View->add_option("input", Arguments->InputPath, "A rig file (.rig.json) or a binary glTF file (.glb).")->required();
	View->add_option("--html", Arguments->HtmlPath, "The page to write (.html).")->required();
	QVAddElementsOption(*View, Arguments->Elements, "Elements of a rig file to show");
	QVAddResetPoseFlag(*View, Arguments->bResetPose);
	QVAddForceFlag(*View, Arguments->bForce);
	View->callback(
		[Arguments, InContext]()
		{
			FQVViewOptions Options;
			Options.InputPath = FString(Arguments->InputPath.c_str());
			Options.HtmlPath = FString(Arguments->HtmlPath.c_str());
			Options.Elements = QVToStrings(Arguments->Elements);
			Options.FrameStart = QVToFrameStart(Arguments->bResetPose);
			Options.bForce = Arguments->bForce;
			InContext.ExitCode = FQVViewCommand::Run(Options, InContext.OutStream, InContext.ErrorStream);
		});
}
