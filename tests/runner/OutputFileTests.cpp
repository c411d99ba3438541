// Files the export and view commands write: whole or not at all, never over an existing file without --force, never
// over an input, and nothing written when the input is bad.
#include "QVRig/OutputFile.h"
#include "RunnerTestUtils.h"

#include <gmock/gmock.h>
#include <sys/stat.h>

namespace
{
const char* const ExportRig = QV_SOURCE_DIR "/tests/runner/data/export.rig.json";

std::string ReadText(const std::filesystem::path& InPath)
{
	std::ifstream Stream(InPath, std::ios::binary);
	return std::string((std::istreambuf_iterator<char>(Stream)), std::istreambuf_iterator<char>());
}

// The names in InFolder, sorted.
std::vector<std::string> ListFolder(const std::filesystem::path& InFolder)
{
	std::vector<std::string> Names;
	for (const std::filesystem::directory_entry& Entry : std::filesystem::directory_iterator(InFolder))
	{
		Names.push_back(Entry.path().filename().string());
	}
	std::sort(Names.begin(), Names.end());
	return Names;
}
} // namespace

TEST(OutputFiles, ReplaceAFileOnlyWithForceAndNeverAnInput)
{
	const FScratchFolder Folder;
	const FString Existing = Folder.Write("kept.glb", "keep me");
	const std::string Path(*Existing);

	FCommandResult Result = RunCommandLine({"export", ExportRig, "--gltf", Path.c_str()});
	EXPECT_EQ(Result.ExitCode, 1);
	EXPECT_EQ(Result.Err, "qvrig: " + Path + ": already exists; pass --force to replace it\n");
	EXPECT_EQ(ReadText(Path), "keep me");

	Result = RunCommandLine({"export", ExportRig, "--gltf", Path.c_str(), "--force"});
	EXPECT_EQ(Result.ExitCode, 0) << Result.Err;
	EXPECT_EQ(ReadText(Path).substr(0, 4), "glTF");

	// The rig itself, by its name or through a link, is never replaced, --force or not.
	const std::string RigCopy(*Folder.Write("copy.rig.json", ReadText(ExportRig)));
	std::filesystem::create_symlink(RigCopy, Folder / "link.json");
	for (const std::string& Target : {RigCopy, Folder / "link.json"})
	{
		Result = RunCommandLine({"export", RigCopy.c_str(), "--reference", Target.c_str(), "--force"});
		EXPECT_EQ(Result.ExitCode, 1);
		EXPECT_EQ(Result.Err, "qvrig: " + Target + ": is the input " + RigCopy + ", which qvrig never overwrites\n");
	}
	EXPECT_EQ(ReadText(RigCopy), ReadText(ExportRig));
	// Nor do two outputs of one command share a file.
	Result = RunCommandLine({"export", ExportRig, "--gltf", Path.c_str(), "--reference",
		(Folder.Path / "." / "kept.glb").c_str(), "--force"});
	EXPECT_EQ(Result.ExitCode, 1);
	EXPECT_THAT(Result.Err, ::testing::StartsWith("qvrig: --gltf and --reference name the same file"));
}

TEST(OutputFiles, BadInputOrPlacesWriteNothing)
{
	const FScratchFolder Folder;
	const std::string Glb = Folder / "out.glb";
	const std::string Table = Folder / "out.json";
	const FString BadRig = Folder.Write("bad.rig.json", R"({ "format": "quorvel-rig", "version": 1, "elements": [
		{ "type": "bone", "name": "a", "parent": "missing" } ] })");
	FCommandResult Result = RunCommandLine({"export", *BadRig, "--gltf", Glb.c_str(), "--reference", Table.c_str()});
	EXPECT_EQ(Result.ExitCode, 1);
	EXPECT_THAT(Result.Err, ::testing::StartsWith(std::string(*BadRig) + ": elements[0].parent: "));
	EXPECT_EQ(Result.Out, "");

	Result = RunCommandLine({"export", ExportRig, "--gltf", (Folder / "no/such/folder.glb").c_str()});
	EXPECT_EQ(Result.ExitCode, 1);
	EXPECT_EQ(Result.Err,
		"qvrig: " + Folder / "no/such/folder.glb" + ": cannot be written: the folder " + Folder / "no/such" +
			" does not exist\n");
	Result = RunCommandLine({"export", ExportRig, "--reference", Folder.Path.c_str(), "--force"});
	EXPECT_EQ(Result.ExitCode, 1);
	EXPECT_EQ(Result.Err, "qvrig: " + Folder.Path.string() + ": is a folder\n");
	Result = RunCommandLine({"export", ExportRig});
	EXPECT_NE(Result.ExitCode, 0);
	EXPECT_THAT(Result.Err, ::testing::HasSubstr("say what to write: one of them or both"));

	// A rig whose unit writes NaN: no file can hold the pose.
	const FString NanRig = Folder.Write("nan.rig.json", R"({ "format": "quorvel-rig", "version": 1,
		"elements": [ { "type": "null", "name": "probe" } ],
		"graph": [ { "unit": "/Script/QVRunnerTests.RigUnit_QVRunnerTest",
			"pins": { "Segments": [ { "Weights": ["NaN"] } ], "Target": { "type": "null", "name": "probe" } } } ] })");
	Result = RunCommandLine({"export", *NanRig, "--gltf", Glb.c_str(), "--reference", Table.c_str()});
	EXPECT_EQ(Result.ExitCode, 1);
	EXPECT_EQ(Result.Err,
		"qvrig: " + std::string(*NanRig) +
			": frame 0: null 'probe' has a transform that is not finite (NaN or infinite), which no exported file "
			"can hold\n");

	// A frame rate so low that single-precision seconds overflow: the frames have no times a glTF file holds.
	const FString Slow = Folder.Write("slow.rig.json",
		MakeRigText(R"({ "type": "null", "name": "a" })", R"(, "animation": { "frameRate": 1e-39, "frameCount": 2 })"));
	Result = RunCommandLine({"export", *Slow, "--gltf", Glb.c_str()});
	EXPECT_EQ(Result.ExitCode, 1);
	EXPECT_EQ(Result.Err, "qvrig: " + std::string(*Slow) +
			": at 1e-39 fps, frames 0 and 1 are not at distinct times in seconds a glTF file can hold; a glTF "
			"animation needs a frame rate that keeps them apart\n");

	// Nothing was written, not even a temporary file.
	EXPECT_THAT(ListFolder(Folder.Path), ::testing::ElementsAre("bad.rig.json", "nan.rig.json", "slow.rig.json"));
}

TEST(OutputFiles, AreWholeAndDoNotReplaceAFileThatAppearedSinceTheCheck)
{
	const FScratchFolder Folder;
	const std::string Path = Folder / "late.json";
	EXPECT_FALSE(FQVOutputFile::Check(Path.c_str(), false, {}).IsSet());
	// Another program writes the file between the check and the write.
	std::ofstream(Path) << "theirs";
	const TOptional<FString> Problem = FQVOutputFile::Write(Path.c_str(), "ours", false);
	ASSERT_TRUE(Problem.IsSet());
	EXPECT_EQ(std::string(**Problem), "already exists; pass --force to replace it");
	EXPECT_EQ(ReadText(Path), "theirs");
	EXPECT_FALSE(FQVOutputFile::Write(Path.c_str(), "ours", true).IsSet());
	EXPECT_EQ(ReadText(Path), "ours");

	// A new file gets the permissions any new file gets here, not a temporary file's private ones.
	const std::string Written = Folder / "written.bin";
	const std::string Plain = Folder / "plain.bin";
	EXPECT_FALSE(FQVOutputFile::Write(Written.c_str(), std::string(100000, 'x'), false).IsSet());
	std::ofstream(Plain) << "x";
	EXPECT_EQ(std::filesystem::status(Written).permissions(), std::filesystem::status(Plain).permissions());
	EXPECT_EQ(std::filesystem::file_size(Written), 100000u);
	EXPECT_THAT(ListFolder(Folder.Path), ::testing::ElementsAre("late.json", "plain.bin", "written.bin"));
}

TEST(OutputFiles, ExportsTooLargeToHoldAreRefusedBeforeTheEvaluation)
{
	const FScratchFolder Folder;
	const std::string Glb = Folder / "big.glb";
	// More joints than a glTF file's 16-bit joint indices name; a reference table has no such limit.
	std::string Nulls;
	for (int32 Index = 0; Index < 65536; ++Index)
	{
		Nulls += (Index > 0 ? ",{\"type\":\"null\",\"name\":\"n" : "{\"type\":\"null\",\"name\":\"n") +
			std::to_string(Index) + "\"}";
	}
	const FString Wide = Folder.Write("wide.rig.json", MakeRigText(Nulls));
	FCommandResult Result = RunCommandLine({"export", *Wide, "--gltf", Glb.c_str()});
	EXPECT_EQ(Result.ExitCode, 1);
	EXPECT_EQ(Result.Err,
		"qvrig: " + std::string(*Wide) +
			": 65536 elements are chosen, and the file holds at most 65535; choose fewer with --elements\n");
	Result = RunCommandLine({"export", *Wide, "--gltf", Glb.c_str(), "--elements", "n0,n1"});
	EXPECT_EQ(Result.ExitCode, 0) << Result.Err;

	Result = RunCommandLine({"export", *Wide, "--reference", (Folder / "wide.json").c_str()});
	EXPECT_EQ(Result.ExitCode, 0) << Result.Err;

	// Frames times elements beyond what a recording holds: refused at once rather than filling the memory.
	const FString LongWide = Folder.Write("longwide.rig.json",
		MakeRigText(Nulls.substr(0, Nulls.find(",{\"type\":\"null\",\"name\":\"n200\"")),
			R"(, "animation": { "frameCount": 100000 })"));
	Result = RunCommandLine({"export", *LongWide, "--reference", (Folder / "longwide.json").c_str()});
	EXPECT_EQ(Result.ExitCode, 1);
	EXPECT_EQ(Result.Err,
		"qvrig: " + std::string(*LongWide) +
			": 200 elements over 100000 frames are 20000000 transforms, more than the runner records at once "
			"(10000000); choose fewer elements with --elements\n");
}
