// The JSON layer under rig and asset files: what parsing refuses, how long it takes, and the paths it will not read.
#include "QVJson/JsonDocument.h"
#include "QVJson/ObjectJson.h"
#include "Public/RunnerTestTypes.h"
#include "RunnerTestUtils.h"
#include "UObject/UObjectGlobals.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// The message of the error parsing InText ends with, or "" when it parses.
std::string ParseError(const std::string& InText)
{
	try
	{
		FQVJsonDocument::Parse(FString(static_cast<int32>(InText.size()), InText.data()));
	}
	catch (const FQVJsonError& Error)
	{
		return std::string(*Error.Format());
	}
	return std::string();
}

std::string Nested(int32 InDepth, const std::string& InInside = "0")
{
	return std::string(InDepth, '[') + InInside + std::string(InDepth, ']');
}

// Processor time this thread has spent in its own code. Other work on the machine does not count, and neither does
// the kernel's time for page faults, which on a busy virtual machine varies several-fold from run to run.
double ThreadSeconds()
{
	rusage Usage{};
	getrusage(RUSAGE_THREAD, &Usage);
	return double(Usage.ru_utime.tv_sec) + double(Usage.ru_utime.tv_usec) * 1e-6;
}
} // namespace

TEST(JsonDocument, RefusesNulBytesDeepNestingAndTheCharacterU0000)
{
	// The parser would stop at a NUL byte and take the text before it for the whole document.
	EXPECT_THAT(ParseError(std::string("{ \"a\": 1 }\n\0junk", 16)),
		::testing::EndsWith("malformed JSON at line 2, column 1: a NUL byte, which JSON text cannot hold"));
	// Strings would be cut at U+0000, so "quorvel-rig\u0000junk" would pass for "quorvel-rig".
	EXPECT_THAT(ParseError(R"({ "format": "quorvel-rig\u0000junk" })"),
		::testing::StartsWith("format: the string \"quorvel-rig\\u0000junk\" holds the character U+0000"));
	EXPECT_THAT(ParseError(R"({ "list": [1, "a\u0000"] })"), ::testing::StartsWith("list[1]: the string"));
	EXPECT_THAT(ParseError(R"({ "a": { "b\u0000": 1 } })"), ::testing::StartsWith("a: the key \"b\\u0000\" holds"));

	// Nesting is bounded; a value tens of thousands of levels deep followed by another key once overflowed the stack.
	EXPECT_EQ(ParseError(Nested(FQVJsonDocument::MaxDepth)), "");
	EXPECT_EQ(ParseError(Nested(FQVJsonDocument::MaxDepth + 1)),
		"malformed JSON at line 1, column 257: arrays and objects nest more than 256 levels deep");
	EXPECT_THAT(ParseError("{ \"a\": \"[[[\", \"deep\": " + Nested(50000) + ", \"then\": 1 }"),
		::testing::EndsWith("column 278: arrays and objects nest more than 256 levels deep"));
	std::string DeepObjects;
	for (int32 Index = 0; Index < 50000; ++Index)
	{
		DeepObjects += "{\"a\": ";
	}
	EXPECT_THAT(ParseError(DeepObjects + "0" + std::string(50000, '}')),
		::testing::EndsWith("column 1537: arrays and objects nest more than 256 levels deep"));

	// A key given twice is found however many keys the object has.
	std::string Wide = "{";
	for (int32 Index = 0; Index < 100; ++Index)
	{
		Wide += "\"k" + std::to_string(Index) + "\": 0, ";
	}
	EXPECT_EQ(ParseError(Wide + "\"k99\": 1 }"), "k99: the key 'k99' appears twice in one object");
	EXPECT_EQ(ParseError(Wide + "\"K99\": 1 }"), "");
}

TEST(JsonDocument, ParsesLargeArraysAndLoadsLargeRigsInLinearTime)
{
	// 100,000 empty objects once took seconds: each object's end rescanned its siblings.
	std::string Objects = "[{}";
	for (int32 Index = 1; Index < 100000; ++Index)
	{
		Objects += ",{}";
	}
	Objects += "]";
	double Start = ThreadSeconds();
	EXPECT_EQ(ParseError(Objects), "");
	EXPECT_LT(ThreadSeconds() - Start, 1.0);

	// A rig of 300,000 nulls loads in under 2 seconds (it once took 22). Unoptimised and sanitized builds run up to
	// thirty times slower, so they load a thirtieth of it against the same bound.
#if defined(NDEBUG) && !defined(__SANITIZE_ADDRESS__)
	constexpr int32 NumNulls = 300000;
#else
	constexpr int32 NumNulls = 10000;
#endif
	std::string Rig = R"({ "format": "quorvel-rig", "version": 1, "elements": [)";
	for (int32 Index = 0; Index < NumNulls; ++Index)
	{
		Rig += (Index > 0 ? ",\n" : "\n") + std::string(R"({ "type": "null", "name": "null_)") + std::to_string(Index) +
			R"(" })";
	}
	Rig += "\n] }";
	const FScratchFolder Folder;
	const FString File = Folder.Write("many.rig.json", Rig);
	Start = ThreadSeconds();
	FString Error;
	const TUniquePtr<FQVRig> Loaded = FQVRigFileLoader::LoadFile(File, Error);
	const double Seconds = ThreadSeconds() - Start;
	ASSERT_TRUE(Loaded) << *Error;
	EXPECT_EQ(Loaded->GetHierarchy().Num(), NumNulls);
	EXPECT_LT(Seconds, 2.0) << NumNulls << " nulls";
}

TEST(JsonDocument, OnlyRegularFilesOfSaneSizeInUtf8AreRead)
{
	const FScratchFolder Folder;
	const auto LoadError = [](const FString& InPath)
	{
		FString Error;
		EXPECT_FALSE(FQVRigFileLoader::LoadFile(InPath, Error));
		return std::string(*Error);
	};

	EXPECT_EQ(
		LoadError(Folder.File("absent.rig.json")), std::string(*Folder.File("absent.rig.json")) + ": does not exist");
	EXPECT_EQ(
		LoadError(FString(Folder.Path.string().c_str())), Folder.Path.string() + ": is a directory, not a rig file");
	// A device would be read without end.
	EXPECT_EQ(LoadError(TEXT("/dev/zero")), "/dev/zero: is a character device, not a rig file");
	ASSERT_EQ(::mkfifo((Folder.Path / "pipe").c_str(), 0600), 0);
	EXPECT_THAT(LoadError(Folder.File("pipe")), ::testing::EndsWith("pipe: is a named pipe, not a rig file"));
	// A sparse file: large, yet nothing is written.
	std::ofstream(Folder.Path / "huge.rig.json").close();
	std::filesystem::resize_file(Folder.Path / "huge.rig.json", std::uintmax_t(FQVJsonDocument::MaxFileSize) + 1);
	EXPECT_THAT(LoadError(Folder.File("huge.rig.json")),
		::testing::EndsWith("huge.rig.json: is 268435457 bytes, more than a rig file may have (256 MiB)"));

	// Text that is not UTF-8 says what it is rather than failing at its first byte.
	EXPECT_THAT(LoadError(Folder.Write("bom.rig.json", std::string("\xFF\xFE{\0}\0", 6))),
		::testing::EndsWith("bom.rig.json: is UTF-16 text (it starts with a UTF-16 byte order mark); a rig file is "
							"UTF-8 text"));
	EXPECT_THAT(LoadError(Folder.Write("wide.rig.json", std::string("{\0}\0", 4))),
		::testing::EndsWith("wide.rig.json: looks like UTF-16 text (NUL bytes between its first characters); a rig "
							"file is UTF-8 text"));
	EXPECT_THAT(LoadError(Folder.Write("zeros.rig.json", std::string(16, '\0'))),
		::testing::EndsWith("zeros.rig.json: starts with a NUL byte: it is binary data, not a rig file"));
	EXPECT_THAT(LoadError(Folder.Write("cut.rig.json", R"({ "format": "quorvel-rig" })" + std::string("\0junk", 5))),
		::testing::EndsWith("cut.rig.json: malformed JSON at line 1, column 28: a NUL byte, which JSON text cannot "
							"hold"));

	// Asset files are checked the same way, and their messages say so.
	UQVRunnerTestAsset* Asset = NewObject<UQVRunnerTestAsset>();
	const TOptional<FQVJsonError> AssetError = FQVObjectJson::LoadFile(*Asset, FString(Folder.Path.string().c_str()));
	ASSERT_TRUE(AssetError.IsSet());
	EXPECT_THAT(std::string(*AssetError->Format()), ::testing::EndsWith(": is a directory, not an asset file"));
}
