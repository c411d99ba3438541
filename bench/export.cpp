// Exporting two seconds of animation (60 frames at 30 fps) of a character-sized rig: the whole export command (load,
// evaluate, build the glTF file and the reference table, write both) and the glTF building alone; and the whole
// export of the demo character's two seconds.
#include "CoreMinimal.h"
#include "QVRig/ExportCommand.h"
#include "QVRig/GltfExport.h"
#include "QVRig/RigFileLoader.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace
{
constexpr int32 NumChains = 5;
constexpr int32 BonesPerChain = 30;
constexpr int32 NumNulls = 50;

// 150 bones in five chains from a root, and 50 nulls in a chain under a control that turns and grows over the two
// seconds, so every null moves every frame.
std::string MakeCharacterRig()
{
	std::string Text = R"({ "format": "quorvel-rig", "version": 1, "elements": [
		{ "type": "bone", "name": "root", "transform": { "translation": [0, 0, 100] } })";
	for (int32 Chain = 0; Chain < NumChains; ++Chain)
	{
		for (int32 Bone = 0; Bone < BonesPerChain; ++Bone)
		{
			const std::string Name = "b" + std::to_string(Chain) + "_" + std::to_string(Bone);
			const std::string Parent =
				Bone == 0 ? "root" : "b" + std::to_string(Chain) + "_" + std::to_string(Bone - 1);
			Text += ",\n{ \"type\": \"bone\", \"name\": \"" + Name + "\", \"parent\": \"" + Parent +
				"\", \"transform\": { \"translation\": [3, " + std::to_string(Chain - 2) +
				", 1], \"rotation\": { \"yaw\": 5 } } }";
		}
	}
	Text += R"(,
		{ "type": "control", "name": "swing", "controlType": "EulerTransform" })";
	for (int32 Null = 0; Null < NumNulls; ++Null)
	{
		Text += ",\n{ \"type\": \"null\", \"name\": \"n" + std::to_string(Null) + "\", \"parent\": " +
			(Null == 0 ? std::string("{ \"type\": \"control\", \"name\": \"swing\" }")
					   : "\"n" + std::to_string(Null - 1) + "\"") +
			", \"transform\": { \"translation\": [2, 0, 0], \"rotation\": { \"pitch\": 3 } } }";
	}
	Text += R"(],
	"animation": { "frameRate": 30, "frameCount": 60, "tracks": [ { "control": "swing", "keys": [
		[0, { "rotation": { "yaw": 0 } }], [59, { "rotation": { "yaw": 180, "roll": 45 }, "scale": [1.5, 1.5, 1.5] }] ] } ] } })";
	return Text;
}

// The rig in a folder of its own for the benchmark's run.
struct FBenchFiles
{
	std::filesystem::path Folder = std::filesystem::temp_directory_path() / "qv_bench_export";
	std::string Rig;

	FBenchFiles()
	{
		std::filesystem::create_directories(Folder);
		Rig = (Folder / "character.rig.json").string();
		std::ofstream(Rig) << MakeCharacterRig();
	}
	~FBenchFiles() { std::filesystem::remove_all(Folder); }
};
} // namespace

// Runs the export command with InOptions once per iteration.
static void RunExport(benchmark::State& State, const FQVExportOptions& InOptions)
{
	for (auto _ : State)
	{
		std::ostringstream Out;
		std::ostringstream Err;
		if (FQVExportCommand::Run(InOptions, Out, Err) != 0)
		{
			State.SkipWithError(Err.str().c_str());
			break;
		}
	}
}

static void BM_ExportTwoSeconds(benchmark::State& State)
{
	const FBenchFiles Files;
	FQVExportOptions Options;
	Options.RigPath = FString(Files.Rig.c_str());
	Options.GltfPath = FString((Files.Folder / "character.glb").string().c_str());
	Options.ReferencePath = FString((Files.Folder / "character.reference.json").string().c_str());
	Options.bForce = true;
	RunExport(State, Options);
}
BENCHMARK(BM_ExportTwoSeconds)->Unit(benchmark::kMillisecond);

// `qvrig export --gltf` of the demo character's two seconds (49 frames at 24 fps, every unit at work): load with the
// face asset, evaluate, build and write the file.
static void BM_ExportCharacterTwoSeconds(benchmark::State& State)
{
	const FBenchFiles Files;
	FQVExportOptions Options;
	Options.RigPath = TEXT(QV_SOURCE_DIR "/examples/character.rig.json");
	Options.GltfPath = FString((Files.Folder / "demo_character.glb").string().c_str());
	Options.bForce = true;
	RunExport(State, Options);
}
BENCHMARK(BM_ExportCharacterTwoSeconds)->Unit(benchmark::kMillisecond);

static void BM_BuildGlbTwoSeconds(benchmark::State& State)
{
	const FBenchFiles Files;
	FString Error;
	const TUniquePtr<FQVRig> Rig = FQVRigFileLoader::LoadFile(FString(Files.Rig.c_str()), Error);
	if (!Rig)
	{
		State.SkipWithError(*Error);
		return;
	}
	const TArray<FRigElementKey> Elements = Rig->GetHierarchy().GetAllKeys(false,
		static_cast<ERigElementType>(
			static_cast<uint8>(ERigElementType::Bone) | static_cast<uint8>(ERigElementType::Null)));
	const FQVPoseRecording Recording = FQVPoseRecording::Record(*Rig, Elements, EQVFrameStart::CarryOver);
	for (auto _ : State)
	{
		benchmark::DoNotOptimize(FQVGltfExport::WriteGlb(Recording));
	}
}
BENCHMARK(BM_BuildGlbTwoSeconds)->Unit(benchmark::kMillisecond);
