// The export command: check the outputs, record the animation, build each file in memory, then write each whole.
#include "QVRig/ExportCommand.h"

#include "QVRig/GltfExport.h"
#include "QVRig/OutputFile.h"
#include "QVRig/RecordingSource.h"
#include "QVRig/ReferencePoses.h"

#include <filesystem>
#include <limits>
#include <string>

namespace
{
bool NameSameFile(const FString& InA, const FString& InB)
{
	std::error_code Error;
	return std::filesystem::weakly_canonical(*InA, Error) == std::filesystem::weakly_canonical(*InB, Error);
}

struct FOutput
{
	FString Path;
	std::string Bytes;
	FString Summary;
};
} // namespace

int32 FQVExportCommand::Run(const FQVExportOptions& InOptions, std::ostream& OutStream, std::ostream& ErrorStream)
{
	// The command line asks for at least one output.
	checkf(!InOptions.GltfPath.IsEmpty() || !InOptions.ReferencePath.IsEmpty(), TEXT("nothing to export"));
	if (!InOptions.GltfPath.IsEmpty() && !InOptions.ReferencePath.IsEmpty() &&
		NameSameFile(InOptions.GltfPath, InOptions.ReferencePath))
	{
		ErrorStream << "qvrig: --gltf and --reference name the same file " << *InOptions.GltfPath << "\n";
		return 1;
	}
	// Outputs that cannot be written fail before the evaluation, which may take a while.
	for (const FString& Path : {InOptions.GltfPath, InOptions.ReferencePath})
	{
		if (const TOptional<FString> Problem = Path.IsEmpty()
				? TOptional<FString>()
				: FQVOutputFile::Check(Path, InOptions.bForce, {InOptions.RigPath}))
		{
			ErrorStream << "qvrig: " << *Path << ": " << **Problem << "\n";
			return 1;
		}
	}

	const TOptional<FQVPoseRecording> Recording =
		FQVRecordingSource::Record(InOptions.RigPath, InOptions.Elements, InOptions.FrameStart,
			InOptions.GltfPath.IsEmpty() ? std::numeric_limits<int32>::max() : FQVGltfExport::MaxJoints, ErrorStream);
	if (!Recording)
	{
		return 1;
	}
	if (const TOptional<FString> Problem = FQVRecordingSource::CheckWritable(*Recording, !InOptions.GltfPath.IsEmpty()))
	{
		ErrorStream << "qvrig: " << *InOptions.RigPath << ": " << **Problem << "\n";
		return 1;
	}

	const double Seconds = Recording->FrameCount / Recording->FrameRate;
	TArray<FOutput> Outputs;
	if (!InOptions.GltfPath.IsEmpty())
	{
		Outputs.Add({InOptions.GltfPath, FQVGltfExport::WriteGlb(*Recording),
			FString::Printf(TEXT("%d joints, %d frames at %g fps (%.2f s)"), Recording->Elements.Num(),
				Recording->FrameCount, Recording->FrameRate, Seconds)});
	}
	if (!InOptions.ReferencePath.IsEmpty())
	{
		Outputs.Add({InOptions.ReferencePath, FQVReferencePoses::Write(*Recording),
			FString::Printf(
				TEXT("reference poses of %d elements, %d frames"), Recording->Elements.Num(), Recording->FrameCount)});
	}
	for (const FOutput& Output : Outputs)
	{
		if (const TOptional<FString> Problem = FQVOutputFile::Write(Output.Path, Output.Bytes, InOptions.bForce))
		{
			ErrorStream << "qvrig: " << *Output.Path << ": " << **Problem << "\n";
			return 1;
		}
		OutStream << "wrote " << *Output.Path << ": " << *Output.Summary << "\n";
	}
	const FString Reports = FQVRecordingSource::DescribeReports(*Recording);
	if (!Reports.IsEmpty())
	{
		OutStream << *Reports << "\n";
	}
	return 0;
}
