// `qvrig check` on the command line.
#include "CommandLineParts.h"

#include "QVRig/CheckCommand.h"

void QVAddCheckCommand(CLI::App& InApp, const FQVCommandContext& InContext)
{
	const std::shared_ptr<std::string> RigPath = std::make_shared<std::string>();
	CLI::App* Check = InApp.add_subcommand("check",
		"Check a rig file without evaluating it: every element its unit nodes and their assets name that does not "
		"exist or has the wrong type, every record a unit would skip, and why, one line per finding with the JSON "
		"path of its source. Exit code 0 when there are no problems (notes allowed), 1 when there are, 2 when the "
		"file cannot be read.");
	Check->add_option("rig", *RigPath, "The rig file (.rig.json).")->required();
	Check->callback(
		[RigPath, InContext]()
		{
			FQVCheckOptions Options;
			Options.RigPath = FString(RigPath->c_str());
			InContext.ExitCode = FQVCheckCommand::Run(Options, InContext.OutStream, InContext.ErrorStream);
		});
}
