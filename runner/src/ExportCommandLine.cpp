// `qvrig export` on the command line.
#include "CommandLineParts.h"

#include "QVRig/ExportCommand.h"

namespace
{
struct FExportArguments
{
	std::string RigPath;
	std::string GltfPath;
	std::string ReferencePath;
	std::vector<std::string> Elements;
	bool bResetPose = false;
	bool bForce = false;
};
} // namespace

void QVAddExportCommand(CLI::App& InApp, const FQVCommandContext& InContext)
{
	const std::shared_ptr<FExportArguments> Arguments = std::make_shared<FExportArguments>();
	CLI::App* Export = InApp.add_subcommand("export",
		"Evaluate every frame of a rig file's animation and write it as a binary glTF file (Y up, metres) for viewers, "
		"as a reference pose table for qvrig compare, or both.");
	Export->add_option("rig", Arguments->RigPath, "The rig file (.rig.json).")->required();
	Export->add_option("--gltf", Arguments->GltfPath,
		"Write a binary glTF 2.0 file (.glb): the elements as joints with bone shapes, and the animation.");
	Export->add_option("--reference", Arguments->ReferencePath,
		"Write a reference pose table (.json, docs/reference-poses.md) of the elements' world transforms per frame.");
	QVAddElementsOption(*Export, Arguments->Elements, "Elements to export");
	QVAddResetPoseFlag(*Export, Arguments->bResetPose);
	QVAddForceFlag(*Export, Arguments->bForce);
	Export->callback(
		[Arguments, InContext]()
		{
			if (Arguments->GltfPath.empty() && Arguments->ReferencePath.empty())
			{
				throw CLI::ValidationError("--gltf, --reference", "say what to write: one of them or both");
			}
			FQVExportOptions Options;
			Options.RigPath = FString(Arguments->RigPath.c_str());
			Options.GltfPath = FString(Arguments->GltfPath.c_str());
			Options.ReferencePath = FString(Arguments->ReferencePath.c_str());
			Options.Elements = QVToStrings(Arguments->Elements);
			Options.FrameStart = QVToFrameStart(Arguments->bResetPose);
			Options.bForce = Arguments->bForce;
			InContext.ExitCode = FQVExportCommand::Run(Options, InContext.OutStream, InContext.ErrorStream);
		});
}
