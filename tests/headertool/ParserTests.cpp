// The header tool's parser: specifiers and metadata, types, defaults, enums, doc comments, functions, units, and
// the errors of malformed headers.
#include "CodeGenerator.h"
#include "HeaderParser.h"
#include "HeaderToolError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::Pair;
using ::testing::UnorderedElementsAre;

namespace
{
const std::string Prologue = "#pragma once\n#include \"CoreMinimal.h\"\n#include \"Test.generated.h\"\n";

FParsedHeader Parse(const std::string& Body)
{
	return ParseHeader(Prologue + Body, "Public/Test.h");
}

FHeaderToolError ParseError(const std::string& Source)
{
	try
	{
		ParseHeader(Source, "Public/Test.h");
	}
	catch (const FHeaderToolError& Error)
	{
		return Error;
	}
	ADD_FAILURE() << "no error for:\n" << Source;
	return FHeaderToolError("", 0, "");
}
} // namespace

TEST(HeaderToolParser, SpecifiersAndMetadataWithAndWithoutValues)
{
	const FParsedHeader Header = Parse(R"(
USTRUCT(BlueprintType, meta = (DisplayName = "Quoted \"Name\"\n", Varying, UIMin = -1.5, Category = Quorvel|Body,
	Keywords = "A,B", Nested = (X, Y)))
struct QUORVELUNREAL_API FQVThing : public FQVBase
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Pins", meta = (Input, ClampMax = "1.0"))
	float Weight = 1.f;

	UPROPERTY(VisibleAnywhere, Transient)
	TArray<TMap<FName, int32>> Table;
};
)");
	ASSERT_EQ(Header.Structs.size(), 1u);
	const FParsedStruct& Struct = Header.Structs[0];
	EXPECT_EQ(Struct.Name, "FQVThing");
	EXPECT_EQ(Struct.BaseName, "FQVBase");
	EXPECT_EQ(Struct.GeneratedBodyLine, 9);
	EXPECT_THAT(Struct.MetaData,
		UnorderedElementsAre(Pair("BlueprintType", "true"), Pair("DisplayName", "Quoted \"Name\"\n"),
			Pair("Varying", ""), Pair("UIMin", "-1.5"), Pair("Category", "Quorvel|Body"), Pair("Keywords", "A,B"),
			Pair("Nested", "X Y")));

	ASSERT_EQ(Struct.Properties.size(), 2u);
	const FParsedProperty& Weight = Struct.Properties[0];
	EXPECT_EQ(Weight.Type, "float");
	EXPECT_EQ(Weight.Default, "1.f");
	EXPECT_EQ(Weight.Line, 11);
	EXPECT_THAT(Weight.Flags,
		UnorderedElementsAre(
			"CPF_Edit", "CPF_BlueprintVisible", "CPF_BlueprintReadOnly", "CPF_NativeAccessSpecifierPublic"));
	EXPECT_THAT(
		Weight.MetaData, UnorderedElementsAre(Pair("Category", "Pins"), Pair("Input", ""), Pair("ClampMax", "1.0")));
	EXPECT_EQ(Struct.Properties[1].Type, "TArray<TMap<FName, int32>>");
	EXPECT_THAT(Struct.Properties[1].Flags,
		UnorderedElementsAre("CPF_Edit", "CPF_EditConst", "CPF_Transient", "CPF_NativeAccessSpecifierPublic"));
}

TEST(HeaderToolParser, TypesAndDefaultsAsWritten)
{
	const FParsedHeader Header = Parse(R"(
UCLASS(ClassGroup = (Quorvel), Config = Game, Abstract)
class AQVActor : public AActor
{
	GENERATED_BODY()
	UPROPERTY()
	TObjectPtr<UQVFaceRigDataAsset> Asset;
public:
	UPROPERTY(EditAnywhere)
	FName Axis = TEXT("Z");
	UPROPERTY()
	FVector Aim{0.0, 0.0, 1.0};
	UPROPERTY()
	const UObject* Pointer = nullptr;
	UPROPERTY()
	FString Text = "a\"b";
protected:
	UPROPERTY()
	EQVFaceSDKChannel Channel = EQVFaceSDKChannel::RotationZ;
};
)");
	const FParsedStruct& Class = Header.Structs.at(0);
	EXPECT_TRUE(Class.bIsClass);
	EXPECT_EQ(Class.BaseName, "AActor");
	EXPECT_EQ(Class.ConfigName, "Game");
	EXPECT_THAT(Class.ClassFlags, UnorderedElementsAre("CLASS_Config", "CLASS_Abstract"));
	EXPECT_EQ(Class.MetaData.at("ClassGroupNames"), "Quorvel");

	std::vector<std::string> Declarations;
	for (const FParsedProperty& Property : Class.Properties)
	{
		Declarations.push_back(Property.Type + " " + Property.Name + " = " + Property.Default);
	}
	EXPECT_THAT(Declarations,
		ElementsAre("TObjectPtr<UQVFaceRigDataAsset> Asset = ", "FName Axis = TEXT(\"Z\")",
			"FVector Aim = {0.0, 0.0, 1.0}", "const UObject* Pointer = nullptr", "FString Text = \"a\\\"b\"",
			"EQVFaceSDKChannel Channel = EQVFaceSDKChannel::RotationZ"));
	// A class's members are private until told otherwise.
	EXPECT_EQ(Class.Properties[0].Access, EAccess::Private);
	EXPECT_EQ(Class.Properties[1].Access, EAccess::Public);
	EXPECT_EQ(Class.Properties[5].Access, EAccess::Protected);
}

TEST(HeaderToolParser, EnumsWithExplicitValuesAndEnumeratorMetadata)
{
	const FParsedHeader Header = Parse(R"(
/** Which channel. */
UENUM(BlueprintType)
enum class EQVChannel : uint8
{
	/** Along X. */
	TranslationX = 0 UMETA(DisplayName = "Translate X"),
	TranslationY,
	Rotation = 0x10,
	Last = (Rotation + 1) UMETA(Hidden)
};
)");
	ASSERT_EQ(Header.Enums.size(), 1u);
	const FParsedEnum& Enum = Header.Enums[0];
	EXPECT_TRUE(Enum.bEnumClass);
	EXPECT_EQ(Enum.UnderlyingType, "uint8");
	std::vector<std::string> Enumerators;
	for (const FParsedEnumerator& Enumerator : Enum.Enumerators)
	{
		Enumerators.push_back(Enumerator.Name + "=" + Enumerator.Value);
	}
	EXPECT_THAT(Enumerators, ElementsAre("TranslationX=0", "TranslationY=", "Rotation=0x10", "Last=(Rotation+1)"));
	EXPECT_EQ(Enum.MetaData.at("BlueprintType"), "true");
	EXPECT_EQ(Enum.MetaData.at("ToolTip"), "Which channel.");
	EXPECT_EQ(Enum.MetaData.at("TranslationX.DisplayName"), "Translate X");
	EXPECT_EQ(Enum.MetaData.at("TranslationX.ToolTip"), "Along X.");
	EXPECT_EQ(Enum.MetaData.at("TranslationY.Name"), "EQVChannel::TranslationY");
	EXPECT_EQ(Enum.MetaData.at("Last.Hidden"), "");
	EXPECT_EQ(Enum.MetaData.count("TranslationY.ToolTip"), 0u);
}

TEST(HeaderToolParser, DocCommentsBecomeToolTipsUnlessOneIsGiven)
{
	const FParsedHeader Header = Parse(R"(
USTRUCT()
struct FQVDoc
{
	GENERATED_BODY()

	/**
	 * First line.
	 *   Indented second line.
	 */
	UPROPERTY()
	int32 A = 0;

	/** Ignored for the tooltip. */
	UPROPERTY(meta = (ToolTip = "Explicit"))
	int32 B = 0;

	// Not a doc comment.
	UPROPERTY()
	int32 C = 0;

	/** Separated by a plain comment. */
	// Plain.
	UPROPERTY()
	int32 D = 0;
};
)");
	const std::vector<FParsedProperty>& Properties = Header.Structs.at(0).Properties;
	EXPECT_EQ(Properties[0].MetaData.at("ToolTip"), "First line.\nIndented second line.");
	EXPECT_EQ(Properties[0].MetaData.at("Comment"), "/**\n\t * First line.\n\t *   Indented second line.\n\t */");
	EXPECT_EQ(Properties[1].MetaData.at("ToolTip"), "Explicit");
	EXPECT_EQ(Properties[1].MetaData.at("Comment"), "/** Ignored for the tooltip. */");
	EXPECT_EQ(Properties[2].MetaData.count("ToolTip"), 0u);
	EXPECT_EQ(Properties[3].MetaData.count("ToolTip"), 0u);
}

TEST(HeaderToolParser, FunctionsAndRigUnits)
{
	const FParsedHeader Header = Parse(R"(
UCLASS()
class UQVComponent : public UActorComponent
{
	GENERATED_BODY()
public:
	UFUNCTION(BlueprintCallable, Category = "Quorvel|Gameplay")
	void ToggleStrafe();

	UFUNCTION(BlueprintPure, Category = "Quorvel|Gameplay")
	bool IsStrafing() const { return bStrafing; }

	UFUNCTION(BlueprintCallable)
	static const FVector& Move(const TArray<FName>& Names, FTransform& OutPose, int32 Count = 2);

private:
	bool bStrafing = false;
};

USTRUCT()
struct FRigUnit_QVUnit : public FRigUnitMutable
{
	GENERATED_BODY()

	RIGVM_METHOD()
	virtual void Execute() override;
};
)");
	const FParsedStruct& Class = Header.Structs.at(0);
	ASSERT_EQ(Class.Functions.size(), 3u);
	EXPECT_TRUE(Class.Properties.empty());
	const FParsedFunction& Toggle = Class.Functions[0];
	EXPECT_EQ(Toggle.ReturnType, "");
	EXPECT_THAT(
		Toggle.Flags, UnorderedElementsAre("FUNC_Native", "FUNC_Final", "FUNC_BlueprintCallable", "FUNC_Public"));
	const FParsedFunction& IsStrafing = Class.Functions[1];
	EXPECT_EQ(IsStrafing.ReturnType, "bool");
	EXPECT_THAT(IsStrafing.Flags,
		UnorderedElementsAre("FUNC_Native", "FUNC_Final", "FUNC_BlueprintCallable", "FUNC_BlueprintPure", "FUNC_Public",
			"FUNC_Const", "FUNC_HasOutParms"));
	const FParsedFunction& Move = Class.Functions[2];
	EXPECT_EQ(Move.ReturnType, "FVector");
	EXPECT_TRUE(Move.bStatic);
	ASSERT_EQ(Move.Parameters.size(), 3u);
	EXPECT_EQ(Move.Parameters[0].Type, "TArray<FName>");
	EXPECT_TRUE(Move.Parameters[0].bConst && Move.Parameters[0].bReference);
	EXPECT_EQ(Move.Parameters[1].Type, "FTransform");
	EXPECT_TRUE(Move.Parameters[1].bReference && !Move.Parameters[1].bConst);
	EXPECT_EQ(Move.Parameters[2].Default, "2");
	EXPECT_EQ(Move.MetaData.at("CPP_Default_Count"), "2");
	EXPECT_THAT(Move.Flags, ::testing::IsSupersetOf({"FUNC_Static", "FUNC_HasOutParms", "FUNC_HasDefaults"}));

	EXPECT_FALSE(Class.bHasRigVMMethod);
	EXPECT_TRUE(Header.Structs.at(1).bHasRigVMMethod);
}

TEST(HeaderToolParser, PinsPassAsTheEngineDoes)
{
	EXPECT_EQ(GetPinParameterType("float", true), "const float");
	EXPECT_EQ(GetPinParameterType("bool", true), "const bool");
	EXPECT_EQ(GetPinParameterType("int32", true), "const int32");
	EXPECT_EQ(GetPinParameterType("EQVFaceSDKChannel", true), "const EQVFaceSDKChannel");
	EXPECT_EQ(GetPinParameterType("TEnumAsByte<ERigElementType>", true), "const TEnumAsByte<ERigElementType>");
	EXPECT_EQ(GetPinParameterType("FName", true), "const FName&");
	EXPECT_EQ(GetPinParameterType("FEulerTransform", true), "const FEulerTransform&");
	EXPECT_EQ(GetPinParameterType("TObjectPtr<UQVFaceRigDataAsset>", true), "const TObjectPtr<UQVFaceRigDataAsset>&");
	EXPECT_EQ(GetPinParameterType("TArray<FRigElementKey>", true), "const TArrayView<const FRigElementKey>&");
	EXPECT_EQ(GetPinParameterType("TArray<FTransform>", false), "TArray<FTransform>&");
	EXPECT_EQ(GetPinParameterType("float", false), "float&");
	EXPECT_EQ(GetPinParameterType("FControlRigSpline", false), "FControlRigSpline&");
}

TEST(HeaderToolParser, TheGeneratedBodyMacroIsNamedForItsLine)
{
	const FParsedHeader Header = Parse("USTRUCT()\nstruct FQVA\n{\n\tGENERATED_BODY()\n};\n");
	FGeneratorOptions Options;
	Options.FileName = "Public/Test.h";
	Options.ModuleName = "QuorvelUnreal";
	Options.ModuleRelativePath = "Public/Sub Dir/Test.h";
	Options.HeaderIncludePath = "/abs/Test.h";
	const FGeneratedFiles Files = GenerateReflectionCode(Header, Options);
	// GENERATED_BODY() stands on line 7 (after the three prologue lines).
	EXPECT_NE(Files.GeneratedHeader.find("#define FID_QuorvelUnreal_Public_Sub_Dir_Test_h_7_GENERATED_BODY"),
		std::string::npos);
	EXPECT_NE(Files.GeneratedHeader.find("#define CURRENT_FILE_ID FID_QuorvelUnreal_Public_Sub_Dir_Test_h\n"),
		std::string::npos);
	EXPECT_NE(Files.GeneratedSource.find("TEXT(\"/Script/QuorvelUnreal\"), TEXT(\"QVA\")"), std::string::npos);
}

TEST(HeaderToolParser, MalformedHeadersStopWithTheFileLineAndAPlainMessage)
{
	struct FCase
	{
		std::string Source;
		int Line;
		std::string Message;
	};
	const std::string Include = "#include \"Test.generated.h\"\n";
	const FCase Cases[] = {
		{Include + "USTRUCT(meta = (A = (B)\nstruct FX\n{\n\tGENERATED_BODY()\n};\n", 2,
			"unbalanced '(' (no matching ')')"},
		{Include + "USTRUCT()\nstruct FX\n{\n\tGENERATED_BODY()\n\tint32 A = (1));\n};\n", 6,
			"unbalanced ')' (the '{' of line 4 is still open)"},
		{Include + "USTRUCT()\nstruct FX\n{\n\tGENERATED_BODY()\n\n\tUPROPERTY(meta = (Input))\n};\n", 7,
			"UPROPERTY must be followed by a member declaration"},
		{Include + "USTRUCT()\nstruct FX\n{\n\tGENERATED_BODY()\n\tUPROPERTY()\n\tUPROPERTY()\n\tint32 A;\n};\n", 6,
			"UPROPERTY must be followed by a member declaration"},
		{Include + "USTRUCT()\nstruct FX\n{\n\tGENERATED_BODY()\n\tUPROPERTY()\n\tvoid F();\n};\n", 6,
			"UPROPERTY must be followed by a member variable, not a function"},
		{Include + "USTRUCT(meta = (ToolTip = \"never closed))\nstruct FX\n{\n};\n", 2, "unterminated string literal"},
		{Include + "\nUSTRUCT()\nstruct FX\n{\n\tUPROPERTY()\n\tint32 A;\n};\n", 3, "'FX' has no GENERATED_BODY()"},
		{Include + "USTRUCT(meta = (ToolTip = \"a\\\"))\nstruct FX\n{\n\tGENERATED_BODY()\n};\n", 2,
			"unterminated string literal"},
		{Include + "USTRUCT(Blueprintable)\nstruct FX\n{\n\tGENERATED_BODY()\n};\n", 2,
			"unknown struct specifier 'Blueprintable'"},
		{Include + "UENUM()\nenum EX\n{\n\tA\n};\n", 2,
			"enum 'EX' needs an underlying type (enum class, or enum EX : uint8)"},
		{"#include \"CoreMinimal.h\"\n\nUSTRUCT()\nstruct FX\n{\n\tGENERATED_BODY()\n};\n", 3,
			"missing '#include \"Test.generated.h\"' after the other includes"},
		{Include + "#include \"Other.h\"\nUSTRUCT()\nstruct FX\n{\n\tGENERATED_BODY()\n};\n", 1,
			"'#include \"Test.generated.h\"' must be the last include"},
		{Include + "UPROPERTY()\nint32 Loose;\n", 2, "UPROPERTY outside a reflected struct or class"},
		{Include + "USTRUCT()\nstruct FX\n{\n\tGENERATED_BODY()\n\tUPROPERTY()\n\tuint8 bA : 1;\n};\n", 6,
			"bitfield members cannot be reflected; use bool"},
	};
	for (const FCase& Case : Cases)
	{
		const FHeaderToolError Error = ParseError(Case.Source);
		EXPECT_EQ(Error.File, "Public/Test.h") << Case.Source;
		EXPECT_EQ(Error.Line, Case.Line) << Case.Source;
		EXPECT_EQ(Error.Message, Case.Message) << Case.Source;
	}
}
