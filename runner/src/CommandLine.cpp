// The qvrig command line. CLI11 comes first: the engine's check() assertion macro would otherwise rewrite its
// Option::check.
#include <CLI/CLI.hpp>
#include <map>
#include <string>
#include <vector>

#include "CommandLineParts.h"
#include "QVRig/CommandLine.h"
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
	std::string Format = "table";
	std::string Parts = "rotation";
	int32 Every = 1;
	bool bResetPose = false;
	bool bPins = false;
	bool bProfile = false;
	bool bSummary = false;
};

// A whole number from 1 to the largest int32, written in plain digits.
const CLI::Validator PositiveWholeNumber(
	[](std::string& InText) -> std::string
	{
		const bool bDigits =
			!InText.empty() && InText.size() <= 10 && InText.find_first_not_of("0123456789") == std::string::npos;
		const long long Value = bDigits ? std::stoll(InText) : 0;
		return Value >= 1 && Value <= std::numeric_limits<int32>::max()
			? std::string()
			: "expected a whole number of at least 1, found '" + InText + "'";
	},
	"N >= 1");

FQVRunOptions MakeRunOptions(const FRunArguments& InArguments)
{
	FQVRunOptions Options;
	Options.RigPath = FString(InArguments.RigPath.c_str());
	for (const std::string& Element : InArguments.Elements)
	{
		Options.Elements.Add(FString(Element.c_str()));
	}
	Options.Space = InArguments.Space == "global" ? EQVPoseSpace::Global : EQVPoseSpace::Local;
	const std::map<std::string, EQVRunFormat> Formats = {
		{"table", EQVRunFormat::Table}, {"json", EQVRunFormat::Json}, {"csv", EQVRunFormat::Csv}};
	Options.Format = Formats.at(InArguments.Format);
	const std::map<std::string, EQVPoseParts> Parts = {{"rotation", EQVPoseParts::Rotation},
		{"translation", EQVPoseParts::Translation}, {"scale", EQVPoseParts::Scale}, {"all", EQVPoseParts::All}};
	Options.Parts = Parts.at(InArguments.Parts);
	Options.Every = InArguments.Every;
	Options.FrameStart = InArguments.bResetPose ? EQVFrameStart::ResetPose : EQVFrameStart::CarryOver;
	Options.bPins = InArguments.bPins;
	Options.bProfile = InArguments.bProfile;
	Options.bSummary = InArguments.bSummary;
	return Options;
}

void AddRunCommand(CLI::App& InApp, FRunArguments& OutArguments, int32& OutExitCode, std::ostream& OutStream,
	std::ostream& ErrorStream)
{
	CLI::App* Run = InApp.add_subcommand("run",
		"Evaluate every frame of a rig file's animation (frame 0 when it has none) and print the chosen elements' "
		"transforms per frame, then what the units reported.");
	Run->add_option("rig", OutArguments.RigPath, "The rig file (.rig.json).")->required();
	CLI::Option* Elements =
		Run->add_option("--elements", OutArguments.Elements,
			   "Elements to show, comma separated: a bare name, or type:name (bone, null, control). Default: every "
			   "null and bone.")
			->delimiter(',');
	CLI::Option* Space =
		Run->add_option("--space", OutArguments.Space, "local (relative to the parent) or global (rig space).")
			->transform(CLI::IsMember({"local", "global"}, CLI::ignore_case))
			->capture_default_str();
	CLI::Option* Format =
		Run->add_option("--format", OutArguments.Format,
			   "table (readable, rounded), json (one document) or csv (RFC 4180); json and csv hold whole transforms "
			   "(translation, rotation as a quaternion x y z w, scale) with every number exact.")
			->transform(CLI::IsMember({"table", "json", "csv"}, CLI::ignore_case))
			->capture_default_str();
	CLI::Option* Show =
		Run->add_option("--show", OutArguments.Parts,
			   "The table's columns: rotation (pitch, yaw, roll in degrees), translation, scale or all.")
			->transform(CLI::IsMember({"rotation", "translation", "scale", "all"}, CLI::ignore_case))
			->capture_default_str();
	CLI::Option* Every =
		Run->add_option("--every", OutArguments.Every, "Print every Nth frame (every frame is still evaluated).")
			->check(PositiveWholeNumber)
			->capture_default_str();
	Run->add_flag("--reset-pose", OutArguments.bResetPose,
		"Reset the whole pose to the initial pose before each frame. By default the pose carries over from frame to "
		"frame, as in the engine, and only bones take their initial pose.");
	CLI::Option* Pins = Run->add_flag("--pins", OutArguments.bPins,
		"Also print the units' transform and transform-array output pins (PathFrames, JointOffsets, ...) with each "
		"printed frame, as the units left them, in the space the unit writes them in.");
	Run->add_flag("--profile", OutArguments.bProfile,
		"Time every unit node and print, to standard error after the output, each node's mean, median and worst time "
		"per frame.");
	Run->add_flag("--summary", OutArguments.bSummary,
		   "Print, instead of the frames, what each unit node changed over the run (the elements whose transforms it "
		   "changed, the largest move and turn it gave them), its warnings and its time per frame, then the nodes "
		   "that changed nothing, every report and the time of a whole frame.")
		->excludes(Elements)
		->excludes(Space)
		->excludes(Format)
		->excludes(Show)
		->excludes(Every)
		->excludes(Pins);
	Run->callback(
		[&OutArguments, &OutExitCode, &OutStream, &ErrorStream, Show]()
		{
			if (Show->count() > 0 && OutArguments.Format != "table")
			{
				throw CLI::ValidationError("--show",
					"chooses the table's columns; --format " + OutArguments.Format + " always holds whole transforms");
			}
			OutExitCode = FQVRunCommand::Run(MakeRunOptions(OutArguments), OutStream, ErrorStream);
		});
}
} // namespace

int32 FQVCommandLine::Run(int32 InArgC, const char* const* InArgV, std::ostream& OutStream, std::ostream& ErrorStream)
{
	CLI::App App("qvrig: evaluates rig files outside the engine.");
	App.require_subcommand(1);
	FRunArguments RunArguments;
	int32 ExitCode = 0;
	AddRunCommand(App, RunArguments, ExitCode, OutStream, ErrorStream);
	const FQVCommandContext Context{ExitCode, OutStream, ErrorStream};
	QVAddExportCommand(App, Context);
	QVAddViewCommand(App, Context);
	QVAddCompareCommand(App, Context);
	QVAddCheckCommand(App, Context);
	try
	{
		App.parse(InArgC, InArgV);
	}
	catch (const CLI::ParseError& Error)
	{
		return App.exit(Error, OutStream, ErrorStream);
	}
	return ExitCode;
}
