// Preprocessor blocks as the engine's header tool honours them: what is skipped, what is read and marked editor-only,
// nesting with #else and #elif, and the errors of misplaced markup and malformed blocks.
#include "CodeGenerator.h"
#include "HeaderParser.h"
#include "HeaderToolError.h"
#include "HeaderToolTestUtils.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace
{
const std::string Prologue = "#pragma once\n#include \"CoreMinimal.h\"\n#include \"Test.generated.h\"\n";

FGeneratedFiles Generate(const FParsedHeader& Header)
{
	FGeneratorOptions Options;
	Options.FileName = "Public/Test.h";
	Options.ModuleName = "QuorvelUnreal";
	Options.ModuleRelativePath = "Public/Test.h";
	Options.HeaderIncludePath = "/abs/Test.h";
	return GenerateReflectionCode(Header, Options);
}
} // namespace

TEST(HeaderToolConditionalBlocks, SkippedBlocksYieldNothingAndEditorBlocksAreMarked)
{
	const FParsedHeader Header = ParseHeader(Prologue + R"(
#if 0
USTRUCT()
struct FQVGone
{
	GENERATED_BODY()
};
#endif
#if CPP
enum class EQVCpp : uint8 { A };
#else
UENUM()
enum class EQVNotCpp : uint8 { A };
#endif
#ifdef QV_ANYTHING
int32 SkippedDeclaration = 0;
#endif
#if 1
#if 0
Not C++ declarations, though still tokens.
#else
UENUM()
enum class EQVNested : uint8 { A };
#endif
#endif
#if UE_VERSION_OLDER_THAN(5, 0, 0)
UENUM()
enum class EQVOld : uint8 { A };
#elif 1
UENUM()
enum class EQVNew : uint8 { A };
#endif

UCLASS()
class UQVEditorBits : public UObject
{
	GENERATED_BODY()
public:
	UPROPERTY()
	int32 Always = 0;
#if WITH_EDITORONLY_DATA
	UPROPERTY()
	int32 EditorData = 0;
#endif
#if WITH_EDITOR
	UFUNCTION()
	void EditorFunction();
#endif
};
)",
		"Public/Test.h");
	std::vector<std::string> Enums;
	for (const FParsedEnum& Enum : Header.Enums)
	{
		Enums.push_back(Enum.Name);
	}
	EXPECT_THAT(Enums, ElementsAre("EQVNotCpp", "EQVNested", "EQVNew"));
	ASSERT_EQ(Header.Structs.size(), 1u);
	const FParsedStruct& Class = Header.Structs[0];
	EXPECT_EQ(Class.Properties[0].Guard, "");
	EXPECT_EQ(Class.Properties[1].Guard, "WITH_EDITORONLY_DATA");
	EXPECT_THAT(Class.Properties[1].Flags, ::testing::Contains("CPF_EditorOnly"));
	EXPECT_EQ(Class.Functions[0].Guard, "WITH_EDITOR");
	EXPECT_THAT(Class.Functions[0].Flags, ::testing::Contains("FUNC_EditorOnly"));

	// The generated code of editor-only members is compiled in editor builds only.
	const std::string Source = Generate(Header).GeneratedSource;
	EXPECT_THAT(Source,
		HasSubstr("#if WITH_EDITORONLY_DATA\n\t\tUECodeGen_Private::AddProperty<decltype(UQVEditorBits::EditorData)>"));
	EXPECT_THAT(Source, HasSubstr("#if WITH_EDITOR\n\tstatic void execEditorFunction("));
	EXPECT_THAT(Source,
		HasSubstr("#if WITH_EDITOR\n\t\t{\n\t\t\tUECodeGen_Private::ConstructFunction(Class, "
				  "TEXT(\"EditorFunction\")"));
	EXPECT_THAT(Source,
		::testing::Not(HasSubstr("#if WITH_EDITORONLY_DATA\n\t\tUECodeGen_Private::AddProperty<"
								 "decltype(UQVEditorBits::Always)>")));
}

TEST(HeaderToolConditionalBlocks, ATypeInAnEditorOnlyDataBlockIsGeneratedForEditorBuildsOnly)
{
	const FParsedHeader Header = ParseHeader(Prologue + R"(
#if WITH_EDITORONLY_DATA
USTRUCT()
struct FQVEditorOnly
{
	GENERATED_BODY()
};
#endif
)",
		"Public/Test.h");
	ASSERT_EQ(Header.Structs.size(), 1u);
	EXPECT_EQ(Header.Structs[0].Guard, "WITH_EDITORONLY_DATA");
	const std::string Source = Generate(Header).GeneratedSource;
	EXPECT_THAT(Source, HasSubstr("#if WITH_EDITORONLY_DATA\nstruct Z_Construct_UScriptStruct_FQVEditorOnly_Statics"));
	EXPECT_THAT(Source,
		HasSubstr("#if WITH_EDITORONLY_DATA\n\t\t{TEXT(\"QVEditorOnly\"), []() -> UObject* { return "
				  "FQVEditorOnly::StaticStruct(); }},\n#endif // WITH_EDITORONLY_DATA\n"));
}

TEST(HeaderToolConditionalBlocks, MisplacedMarkupAndMalformedBlocksStopWithTheLine)
{
	// The prologue takes lines 1 to 3.
	const std::string Struct = "USTRUCT()\nstruct FX\n{\n\tGENERATED_BODY()\n";
	const std::string Skipped = "' must not be inside a preprocessor block the header tool skips (only #if 0 and #if "
								"WITH_EDITORONLY_DATA blocks may hold markup)";
	const std::string P = Prologue;
	ExpectParseErrors({
		{P + "#ifdef QV_FEATURE\n" + Struct + "};\n#endif\n", 5, "'USTRUCT" + Skipped},
		{P + "#if !WITH_EDITOR\n" + Struct + "};\n#endif\n", 5, "'USTRUCT" + Skipped},
		{P + Struct + "#if CPP\n\tUPROPERTY()\n\tint32 A;\n#endif\n};\n", 9, "'UPROPERTY" + Skipped},
		{P + Struct + "#if WITH_EDITOR\n\tUPROPERTY()\n\tint32 A;\n#endif\n};\n", 9,
			"UPROPERTY inside #if WITH_EDITOR: use WITH_EDITORONLY_DATA for editor-only members"},
		{P + "#if WITH_EDITOR\n" + Struct + "};\n#endif\n", 5,
			"reflected types inside #if WITH_EDITOR blocks would be missing from other builds; use "
			"WITH_EDITORONLY_DATA"},
		{P + "#if WITH_ENGINE\n" + Struct + "};\n#endif\n", 5,
			"'USTRUCT' must not be inside preprocessor blocks other than WITH_EDITOR and WITH_EDITORONLY_DATA"},
		{P + "#if 0\n", 4, "missing #endif for this #if (end of header at line 5)"},
		{P + "#endif\n", 4, "'#endif' without a matching #if"},
		{P + "#else\n", 4, "'#else' without a matching #if"},
		{P + "#if\n#endif\n", 4, "#if with no expression"},
		{P + "#if WITH_EDITOR\n#elif 0\n#endif\n", 5,
			"#elif cannot mix WITH_EDITOR with 0 in one block; use #else or a separate #if"},
		{P + "#warning Quorvel\n", 4, "unrecognised directive '#warning'"},
		{P + "#error Not this build\n", 4, "#error directive in the header: #error Not this build"},
		{P + "#if 0\n\"unterminated\n#endif\n", 5, "unterminated string literal"},
	});
	// #error and unknown directives in skipped blocks are not read.
	EXPECT_NO_THROW(ParseHeader(Prologue + "#if 0\n#error Not this build\n#warning X\n#endif\n", "Public/Test.h"));
}
