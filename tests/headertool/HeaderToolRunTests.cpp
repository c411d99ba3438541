// The header tool as the build runs it: a module's headers in, their generated files out. Module-wide rules (unique
// header and type names), the module name, and safe output (no half-written pair, no writing through links, no
// rewriting of unchanged files).
#include "HeaderTool.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using ::testing::HasSubstr;

namespace
{
const std::string Reflected = "#pragma once\n#include \"CoreMinimal.h\"\n#include \"%s.generated.h\"\n"
							  "USTRUCT()\nstruct F%s\n{\n\tGENERATED_BODY()\n};\n";

class FHeaderToolRun : public ::testing::Test
{
protected:
	void SetUp() override
	{
		Root = fs::temp_directory_path() /
			("qvheadertool-" + std::to_string(::getpid()) + "-" +
				::testing::UnitTest::GetInstance()->current_test_info()->name());
		fs::remove_all(Root);
		fs::create_directories(Output());
	}

	void TearDown() override { fs::remove_all(Root); }

	fs::path Output() const { return Root / "out"; }

	// A header declaring the struct F<TypeName>, at Root/<Folder>/<FileBase>.h.
	fs::path WriteHeader(const std::string& Folder, const std::string& FileBase, const std::string& TypeName)
	{
		std::string Text = Reflected;
		Text.replace(Text.find("%s"), 2, FileBase);
		Text.replace(Text.find("%s"), 2, TypeName);
		const fs::path Path = Root / Folder / (FileBase + ".h");
		fs::create_directories(Path.parent_path());
		std::ofstream(Path) << Text;
		return Path;
	}

	int Run(const std::vector<fs::path>& Headers, const std::string& Module = "QVRunTest")
	{
		std::vector<std::string> Arguments = {
			"--module", Module, "--module-root", Root.string(), "--output", Output().string()};
		for (const fs::path& Header : Headers)
		{
			Arguments.push_back(Header.string());
		}
		Errors.str("");
		return RunHeaderTool(Arguments, Errors);
	}

	static std::string Read(const fs::path& Path)
	{
		std::ifstream In(Path);
		std::ostringstream Text;
		Text << In.rdbuf();
		return Text.str();
	}

	std::vector<std::string> OutputNames() const
	{
		std::vector<std::string> Names;
		for (const fs::directory_entry& Entry : fs::directory_iterator(Output()))
		{
			Names.push_back(Entry.path().filename().string());
		}
		std::sort(Names.begin(), Names.end());
		return Names;
	}

	fs::path Root;
	std::ostringstream Errors;
};
} // namespace

TEST_F(FHeaderToolRun, HeadersOfOneModuleMustHaveDistinctNamesAndTypes)
{
	const fs::path First = WriteHeader("Public", "Same", "QVFirst");
	const fs::path Second = WriteHeader("Private", "Same", "QVSecond");
	EXPECT_EQ(Run({First, Second}), 1);
	EXPECT_EQ(Errors.str(),
		Second.string() + ":1: error: two headers of module QVRunTest would both generate " + "'Same.generated.h' (" +
			First.string() + " and " + Second.string() + "); header names must be unique within a module\n");
	EXPECT_TRUE(OutputNames().empty());
	// Names that differ only in their extension would generate the same files too.
	const fs::path Hpp = Root / "Private" / "Same.hpp";
	fs::rename(Second, Hpp);
	EXPECT_EQ(Run({First, Hpp}), 1);
	EXPECT_THAT(Errors.str(), HasSubstr("would both generate 'Same.generated.h'"));
	fs::rename(Hpp, Second);

	// One script package per module: a registered name may be declared in one header only.
	const fs::path Other = WriteHeader("Public", "Other", "QVFirst");
	EXPECT_EQ(Run({First, Other}), 1);
	EXPECT_EQ(Errors.str(),
		Other.string() + ":4: error: 'FQVFirst' has the same name as the type declared at " + First.string() +
			":4 (both are registered as 'QVFirst' in /Script/QVRunTest)\n");
	EXPECT_TRUE(OutputNames().empty());

	EXPECT_EQ(Run({First, WriteHeader("Private", "Distinct", "QVSecond")}), 0) << Errors.str();
	EXPECT_THAT(OutputNames(),
		::testing::ElementsAre("Distinct.gen.cpp", "Distinct.generated.h", "Same.gen.cpp", "Same.generated.h"));
}

TEST_F(FHeaderToolRun, TheModuleNameMustBeAnIdentifier)
{
	const fs::path Header = WriteHeader("Public", "Thing", "QVThing");
	for (const std::string Module : {"Bad-Name", "9Lives", "Quorvel Unreal", "Name\"); int X(\""})
	{
		EXPECT_EQ(Run({Header}, Module), 1) << Module;
		EXPECT_EQ(Errors.str(),
			"qvheadertool: error: invalid module name '" + Module +
				"': use letters, digits and underscores, not starting with a digit\n");
	}
	EXPECT_TRUE(OutputNames().empty());
	EXPECT_EQ(Run({Header}, "_Quorvel2"), 0) << Errors.str();
}

TEST_F(FHeaderToolRun, AFailedWriteChangesNoneOfTheHeadersFilesAndSaysWhy)
{
	const fs::path Header = WriteHeader("Public", "Thing", "QVThing");
	std::ofstream(Output() / "Thing.generated.h") << "earlier output";
	// Nothing can be written where a directory stands.
	fs::create_directory(Output() / "Thing.gen.cpp");
	EXPECT_EQ(Run({Header}), 1);
	EXPECT_EQ(Errors.str(), "cannot write " + (Output() / "Thing.gen.cpp").string() + ": Is a directory\n");
	EXPECT_EQ(Read(Output() / "Thing.generated.h"), "earlier output");
	// No temporary files are left behind.
	EXPECT_THAT(OutputNames(), ::testing::ElementsAre("Thing.gen.cpp", "Thing.generated.h"));

	fs::remove(Output() / "Thing.gen.cpp");
	EXPECT_EQ(Run({Header}), 0) << Errors.str();
	EXPECT_THAT(
		Read(Output() / "Thing.generated.h"), HasSubstr("#define FID_QVRunTest_Public_Thing_h_7_GENERATED_BODY"));
	EXPECT_THAT(Read(Output() / "Thing.gen.cpp"), HasSubstr("TEXT(\"QVThing\")"));
}

TEST_F(FHeaderToolRun, LinksInTheOutputFolderAreReplacedNotWrittenThrough)
{
	const fs::path Header = WriteHeader("Public", "Thing", "QVThing");
	const fs::path Outside = Root / "outside.txt";
	std::ofstream(Outside) << "not the tool's";
	fs::create_symlink(Outside, Output() / "Thing.generated.h");
	fs::create_symlink(Root / "missing.txt", Output() / "Thing.gen.cpp");
	EXPECT_EQ(Run({Header}), 0) << Errors.str();
	EXPECT_EQ(Read(Outside), "not the tool's");
	EXPECT_FALSE(fs::exists(Root / "missing.txt"));
	for (const char* Name : {"Thing.generated.h", "Thing.gen.cpp"})
	{
		EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(Output() / Name))) << Name;
		EXPECT_THAT(Read(Output() / Name), HasSubstr("written by the header tool")) << Name;
	}
}

TEST_F(FHeaderToolRun, UnchangedOutputIsLeftAlone)
{
	const fs::path Header = WriteHeader("Public", "Thing", "QVThing");
	ASSERT_EQ(Run({Header}), 0) << Errors.str();
	struct stat Before;
	ASSERT_EQ(::stat((Output() / "Thing.gen.cpp").c_str(), &Before), 0);
	ASSERT_EQ(Run({Header}), 0) << Errors.str();
	struct stat After;
	ASSERT_EQ(::stat((Output() / "Thing.gen.cpp").c_str(), &After), 0);
	// The same file, not a replacement with equal text (which would rebuild everything that includes it).
	EXPECT_EQ(Before.st_ino, After.st_ino);
}
