// Comments as the engine's header tool reads them: which comments document a declaration, and the tooltip text made
// of them.
#include "HeaderParser.h"
#include "ToolTipText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace
{
const std::string Prologue = "#pragma once\n#include \"CoreMinimal.h\"\n#include \"Test.generated.h\"\n";

FParsedHeader Parse(const std::string& Body)
{
	return ParseHeader(Prologue + Body, "Public/Test.h");
}

// "ToolTip | Comment" of a metadata map under Prefix; "-" for an absent key.
std::string Documentation(const FMetaData& MetaData, const std::string& Prefix = std::string())
{
	const auto Find = [&](const std::string& Key)
	{
		const auto Found = MetaData.find(Prefix + Key);
		return Found == MetaData.end() ? std::string("-") : Found->second;
	};
	return Find("ToolTip") + " | " + Find("Comment");
}
} // namespace

TEST(HeaderToolToolTips, TextIsMadeAsTheEngineMakesIt)
{
	struct FCase
	{
		std::string Comments;
		std::string ToolTip;
	};
	const FCase Cases[] = {
		// The gutter goes with one space after it; deeper indentation stays.
		{"/**\n\t * First line.\n\t *   Indented second line.\n\t */", "First line.\n  Indented second line."},
		{"/** One line. */", "One line."},
		// Consecutive // lines join; the first line's indentation is removed from the others.
		{"// One\n//   Two\n// Three\n", "One\n  Two\nThree"},
		{"/// Triple slashes.\n", "Triple slashes."},
		// //~ lines and /*~ */ blocks are for readers of the code only.
		{"//~ Note.\n// Shown.\n//~ Another note.\n", "Shown."},
		{"/*~ Note. */", ""},
		{"//~ Only notes.\n", ""},
		// Leading separators are skipped, trailing ones dropped, "===" lines emptied.
		{"/**\n * ----\n * Title\n * ====\n * Body\n * ----\n */", "Title\n\nBody"},
		// Tabs become spaces to the next multiple of eight.
		{"// A\tB\n", "A      B"},
		// Without a letter or digit there is no tooltip.
		{"// ---\n", ""},
		// A line comment after a block comment keeps its marker: the engine strips // only from text starting so.
		{"/** Doc, */// then a line.\n", "Doc, // then a line."},
		{"// With a carriage return\r\n// and another.\r\n", "With a carriage return\nand another."},
	};
	for (const FCase& Case : Cases)
	{
		EXPECT_EQ(FormatCommentForToolTip(Case.Comments), Case.ToolTip) << Case.Comments;
	}
}

TEST(HeaderToolToolTips, TheCommentsSinceTheLastStatementDocumentTheNextDeclaration)
{
	const FParsedHeader Header = Parse(R"(
USTRUCT()
struct FQVDoc
{
	GENERATED_BODY()

	/**
	 * First line.
	 */
	UPROPERTY()
	int32 A = 0;

	/** Not the tooltip: one is given. */
	UPROPERTY(meta = (ToolTip = "Explicit"))
	int32 B = 0;

	// Plain comments document too,
	// line by line.
	UPROPERTY()
	int32 C = 0;

	// Dropped: a blank line separates this group from the next.

	// Only this group counts.
	UPROPERTY()
	int32 D = 0;

	// A blank line between comment and declaration does not separate them.

	UPROPERTY()
	int32 E = 0;

	// Code between comment and declaration separates them.
	int32 Plain = 0;
	UPROPERTY()
	int32 F = 0;

	//~ Notes for readers of the code only.
	UPROPERTY()
	int32 G = 0;
	int32 H = 0; // A trailing comment documents the next declaration, as in the engine.
	UPROPERTY()
	int32 I = 0;
};
)");
	std::vector<std::string> Documented;
	for (const FParsedProperty& Property : Header.Structs.at(0).Properties)
	{
		Documented.push_back(Property.Name + ": " + Documentation(Property.MetaData));
	}
	EXPECT_THAT(Documented,
		::testing::ElementsAre("A: First line. | /**\n\t * First line.\n\t */", "B: Explicit | -",
			"C: Plain comments document too,\nline by line. | // Plain comments document too,\n// line by line.\n",
			"D: Only this group counts. | // Only this group counts.\n",
			"E: A blank line between comment and declaration does not separate them. | // A blank line between "
			"comment and declaration does not separate them.\n",
			"F: - | -", "G: - | //~ Notes for readers of the code only.\n",
			"I: A trailing comment documents the next declaration, as in the engine. | // A trailing comment "
			"documents the next declaration, as in the engine.\n"));
	EXPECT_EQ(Documentation(Header.Structs.at(0).MetaData), "- | -");
}

TEST(HeaderToolToolTips, EachKindOfDeclarationReadsItsCommentsWhereTheEngineDoes)
{
	const FParsedHeader Header = Parse(R"(
// Enum comment, not the tooltip: one is given.
UENUM(meta = (ToolTip = "Explicit"))
enum class EQVDoc : uint8
{
	// As in the engine, the enum's unused comment falls to its first enumerator.
	First,
	/** Second's comment. */
	Second UMETA(DisplayName = "Two"),
	//~ A note, kept for the next enumerator since it made no tooltip.
	Third,
	Fourth
};

// Before the macro,
USTRUCT()
// and up to the struct's opening brace.
struct FQVDocStruct
{
	GENERATED_BODY()
};

// Up to the end of UCLASS(...) only.
UCLASS()
// Not the class's.
class UQVDocObject : public UObject
{
	GENERATED_BODY()
public:
	// Function doc,
	UFUNCTION()
	void F() const // up to the parameters and const,
	; // and no further.
	UFUNCTION()
	void G();
};
)");
	const FParsedEnum& Enum = Header.Enums.at(0);
	EXPECT_EQ(Documentation(Enum.MetaData), "Explicit | -");
	EXPECT_EQ(Documentation(Enum.MetaData, "First."),
		"Enum comment, not the tooltip: one is given.\nAs in the engine, the enum's unused comment falls to its first "
		"enumerator. | // Enum comment, not the tooltip: one is given.\n// As in the engine, the enum's unused "
		"comment falls to its first enumerator.\n");
	EXPECT_EQ(Documentation(Enum.MetaData, "Second."), "Second's comment. | /** Second's comment. */");
	EXPECT_EQ(Enum.MetaData.at("Second.DisplayName"), "Two");
	EXPECT_EQ(Documentation(Enum.MetaData, "Third."),
		"- | //~ A note, kept for the next enumerator since it made no tooltip.\n");
	EXPECT_EQ(Documentation(Enum.MetaData, "Fourth."),
		"- | //~ A note, kept for the next enumerator since it made no tooltip.\n");

	EXPECT_EQ(Header.Structs.at(0).MetaData.at("ToolTip"), "Before the macro,\nand up to the struct's opening brace.");
	const FParsedStruct& Class = Header.Structs.at(1);
	EXPECT_EQ(Class.MetaData.at("ToolTip"), "Up to the end of UCLASS(...) only.");
	EXPECT_EQ(Class.Functions.at(0).MetaData.at("ToolTip"), "Function doc,\nup to the parameters and const,");
	EXPECT_EQ(Class.Functions.at(1).MetaData.at("ToolTip"), "and no further.");
}

TEST(HeaderToolToolTips, DirectivesEndCommentsExceptAroundSkippedBlocks)
{
	const FParsedHeader Header = Parse(R"(
// Dropped by the directive below.
#define QV_SOMETHING 1
UENUM()
enum class EQVA : uint8 { A };

// Kept across a skipped block.
#if 0
// Skipped with its block.
#endif
UENUM()
enum class EQVB : uint8 { B };

USTRUCT()
struct FQVEditorData
{
	GENERATED_BODY()

	// Dropped by the WITH_EDITORONLY_DATA block.
#if WITH_EDITORONLY_DATA
	UPROPERTY()
	int32 Hidden = 0;
#endif
};
)");
	EXPECT_EQ(Header.Enums.at(0).MetaData.count("ToolTip"), 0u);
	EXPECT_EQ(Header.Enums.at(1).MetaData.at("ToolTip"), "Kept across a skipped block.");
	EXPECT_EQ(Documentation(Header.Structs.at(0).Properties.at(0).MetaData), "- | -");
}
