// The view command: a binary glTF file from the input (checked with tinygltf when given one), wrapped in the page.
// tinygltf comes first: it must see none of the engine's macros.
#include <tiny_gltf.h>

#include "QVRig/ViewCommand.h"

#include "QVJson/JsonDocument.h"
#include "QVRig/FileNames.h"
#include "QVRig/GltfExport.h"
#include "QVRig/OutputFile.h"
#include "QVRig/RecordingSource.h"
#include "QVRig/ViewerPage.h"

#include <fstream>
#include <sstream>

namespace
{
const char GlbMagic[] = {'g', 'l', 'T', 'F'};

TOptional<std::string> ReadWholeFile(const FString& InPath)
{
	std::ifstream Stream(*InPath, std::ios::binary);
	std::ostringstream Contents;
	if (!Stream || !(Contents << Stream.rdbuf()))
	{
		return TOptional<std::string>();
	}
	return Contents.str();
}

bool IsGlb(const std::string& InBytes)
{
	return InBytes.size() >= sizeof(GlbMagic) && std::equal(GlbMagic, GlbMagic + sizeof(GlbMagic), InBytes.begin());
}

// Why InBytes is not a binary glTF file a viewer can load, or unset when it is one.
TOptional<FString> CheckGlb(const std::string& InBytes)
{
	tinygltf::Model Model;
	tinygltf::TinyGLTF Loader;
	std::string Error;
	std::string Warning;
	if (InBytes.size() > std::numeric_limits<unsigned int>::max() ||
		!Loader.LoadBinaryFromMemory(&Model, &Error, &Warning, reinterpret_cast<const unsigned char*>(InBytes.data()),
			static_cast<unsigned int>(InBytes.size())))
	{
		while (!Error.empty() && (Error.back() == '\n' || Error.back() == ' '))
		{
			Error.pop_back();
		}
		return FString::Printf(TEXT("is not a valid binary glTF file: %s"), Error.c_str());
	}
	return TOptional<FString>();
}

// The binary glTF file to show: InOptions' input as it is, or the rig evaluated and exported.
TOptional<std::string> MakeGlb(const FQVViewOptions& InOptions, std::ostream& ErrorStream)
{
	if (const TOptional<FString> Problem = FQVJsonDocument::CheckFile(InOptions.InputPath, TEXT("a rig or glTF file")))
	{
		ErrorStream << *InOptions.InputPath << ": " << **Problem << "\n";
		return TOptional<std::string>();
	}
	std::ifstream Header(*InOptions.InputPath, std::ios::binary);
	char Magic[sizeof(GlbMagic)] = {};
	Header.read(Magic, sizeof(Magic));
	if (!IsGlb(std::string(Magic, static_cast<size_t>(Header.gcount()))))
	{
		const TOptional<FQVPoseRecording> Recording = FQVRecordingSource::Record(
			InOptions.InputPath, InOptions.Elements, InOptions.FrameStart, FQVGltfExport::MaxJoints, ErrorStream);
		if (!Recording)
		{
			return TOptional<std::string>();
		}
		if (const TOptional<FString> Problem = FQVRecordingSource::CheckWritable(*Recording, true))
		{
			ErrorStream << "qvrig: " << *InOptions.InputPath << ": " << **Problem << "\n";
			return TOptional<std::string>();
		}
		return FQVGltfExport::WriteGlb(*Recording);
	}

	if (!InOptions.Elements.IsEmpty())
	{
		ErrorStream << "qvrig: --elements chooses the elements of a rig file, and " << *InOptions.InputPath
					<< " is a glTF file\n";
		return TOptional<std::string>();
	}
	TOptional<std::string> Glb = ReadWholeFile(InOptions.InputPath);
	const TOptional<FString> Problem = Glb ? CheckGlb(*Glb) : FString(TEXT("cannot be read"));
	if (Problem)
	{
		ErrorStream << *InOptions.InputPath << ": " << **Problem << "\n";
		return TOptional<std::string>();
	}
	return Glb;
}
} // namespace

int32 FQVViewCommand::Run(const FQVViewOptions& InOptions, std::ostream& OutStream, std::ostream& ErrorStream)
{
	if (const TOptional<FString> Problem =
			FQVOutputFile::Check(InOptions.HtmlPath, InOptions.bForce, {InOptions.InputPath}))
	{
		ErrorStream << "qvrig: " << *InOptions.HtmlPath << ": " << **Problem << "\n";
		return 1;
	}
	const FString ScriptPath = FQVViewerPage::GetScriptPath();
	const TOptional<std::string> Script = ReadWholeFile(ScriptPath);
	if (!Script)
	{
		ErrorStream << "qvrig: the viewer's script " << *ScriptPath
					<< " is missing: the build makes it from viewer/ when the npm packages are installed "
					   "(tools/install-deps installs them)\n";
		return 1;
	}
	const TOptional<std::string> Glb = MakeGlb(InOptions, ErrorStream);
	if (!Glb)
	{
		return 1;
	}
	const std::string Page = FQVViewerPage::Build(*Glb, QVFileStem(InOptions.InputPath), *Script);
	if (const TOptional<FString> Problem = FQVOutputFile::Write(InOptions.HtmlPath, Page, InOptions.bForce))
	{
		ErrorStream << "qvrig: " << *InOptions.HtmlPath << ": " << **Problem << "\n";
		return 1;
	}
	OutStream << "wrote " << *InOptions.HtmlPath
			  << ": open it in a browser to play the animation (it needs no server)\n";
	return 0;
}
