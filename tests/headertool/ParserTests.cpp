// The header tool's parser: specifiers and metadata, types, defaults, enums, functions and their parameters, units,
// and the errors of malformed headers and of declarations the generated code could not serve.
#include "CodeGenerator.h"
#include "HeaderParser.h"
#include "HeaderToolError.h"
#include "HeaderToolTestUtils.h"

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
	EXPECT_EQ(Enum.MetaData.at("Comment"), "/** Which channel. */");
	EXPECT_EQ(Enum.MetaData.at("TranslationX.DisplayName"), "Translate X");
	EXPECT_EQ(Enum.MetaData.at("TranslationX.ToolTip"), "Along X.");
	EXPECT_EQ(Enum.MetaData.at("TranslationY.Name"), "EQVChannel::TranslationY");
	EXPECT_EQ(Enum.MetaData.at("Last.Hidden"), "");
	EXPECT_EQ(Enum.MetaData.count("TranslationY.ToolTip"), 0u);
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

TEST(HeaderToolParser, ParametersAndTheirDefaultsAreReadAsTheEngineReadsThem)
{
	const FParsedHeader Header = Parse(R"(
UCLASS()
class UQVParameters : public UObject
{
	GENERATED_BODY()
public:
	UFUNCTION()
	UPARAM(DisplayName = "Found") bool Find(UPARAM(ref) TMap<FName, int32>& Table, FString Arrow = TEXT("->"),
		bool bAll = true, int32 Count = -0x10, float Scale = 1.5f, double Wide = 2, FName Key = NAME_None,
		FName Other = FName(TEXT("Other")), EQVShade Shade = EQVShade::Dark, UObject* Outer = nullptr,
		TObjectPtr<UObject> Held = nullptr);
};
)");
	const FParsedFunction& Find = Header.Structs.at(0).Functions.at(0);
	EXPECT_EQ(Find.ReturnType, "bool");
	std::vector<std::string> Parameters;
	for (const FParsedParameter& Parameter : Find.Parameters)
	{
		Parameters.push_back(Parameter.Type + " " + Parameter.Name + " = " + Parameter.RecordedDefault);
	}
	// A default with '>' in it no longer swallows the parameters after it.
	EXPECT_THAT(Parameters,
		ElementsAre("TMap<FName, int32> Table = ", "FString Arrow = ->", "bool bAll = true", "int32 Count = -16",
			"float Scale = 1.500000", "double Wide = 2.000000", "FName Key = None", "FName Other = Other",
			"EQVShade Shade = Dark", "UObject* Outer = None", "TObjectPtr<UObject> Held = None"));
	EXPECT_EQ(Find.Parameters[1].Default, "TEXT(\"->\")");
	EXPECT_EQ(Find.MetaData.at("CPP_Default_Scale"), "1.500000");
	EXPECT_EQ(Find.MetaData.count("CPP_Default_Table"), 0u);
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
	const std::string Include = "#include \"Test.generated.h\"\n";
	ExpectParseErrors({
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
	});
}

TEST(HeaderToolParser, DeclarationsTheGeneratedCodeCouldNotServeAreErrors)
{
	const std::string Class =
		"#include \"Test.generated.h\"\nUCLASS()\nclass UX : public UObject\n{\n\tGENERATED_BODY()\n";
	const std::string Struct = "#include \"Test.generated.h\"\nUSTRUCT()\nstruct FX\n{\n\tGENERATED_BODY()\n";
	ExpectParseErrors({
		// A function declaration without ';' before the class ends (this once never returned).
		{Class + "\tUFUNCTION()\n\tvoid F()\n};\n", 6, "expected ';' after the declaration of UFUNCTION 'F'"},
		{Class + "\tUFUNCTION()\n\tvoid F()\n\tUFUNCTION()\n\tvoid G();\n};\n", 6,
			"expected ';' after the declaration of UFUNCTION 'F'"},
		// UPARAM without its parentheses once produced a parameter without a type.
		{Class + "\tUFUNCTION()\n\tvoid F(UPARAM int32 Value);\n};\n", 7, "expected '(' after UPARAM"},
		{Class + "\tUFUNCTION()\n\tUPARAM bool F();\n};\n", 7, "expected '(' after UPARAM"},
		// A default with '>' once dropped the parameter; the engine cannot record this one.
		{Class + "\tUFUNCTION()\n\tvoid F(bool bB = 1 > 0, int32 C = 2);\n};\n", 7,
			"the default value of parameter 'bB' is not one the engine's header tool can record: '1>0'"},
		{Class + "\tUFUNCTION()\n\tvoid F(FVector V = FVector(1, 2, 3));\n};\n", 7,
			"the default value of parameter 'V' is not one the engine's header tool can record: 'FVector(1, 2, 3)'"},
		{Class + "\tUFUNCTION()\n\tvoid F(int32 A, float A);\n};\n", 6, "UFUNCTION 'F' has two parameters named 'A'"},
		// Duplicates: types (by their registered names), members, enumerators.
		{Struct + "};\nUCLASS()\nclass UX : public UObject\n{\n\tGENERATED_BODY()\n};\n", 7,
			"'UX' has the same name as the type declared at line 2 (both are registered as 'X')"},
		{Struct + "};\nUSTRUCT()\nstruct FX\n{\n\tGENERATED_BODY()\n};\n", 7,
			"'FX' has the same name as the type declared at line 2 (both are registered as 'X')"},
		{Struct + "\tUPROPERTY()\n\tint32 A;\n\tUPROPERTY()\n\tfloat A;\n};\n", 8,
			"'FX' already has a reflected member 'A' (line 6)"},
		{Class + "\tUPROPERTY()\n\tint32 Level;\n\tUFUNCTION()\n\tvoid Level();\n};\n", 8,
			"'UX' already has a reflected member 'Level' (line 6)"},
		{"#include \"Test.generated.h\"\nUENUM()\nenum class EX : uint8\n{\n\tA,\n\tB,\n\tA\n};\n", 7,
			"enumerator 'A' is already declared at line 5"},
		// Member types the reflection could not build.
		{Struct + "\tUPROPERTY()\n\tstd::vector<int32> Values;\n};\n", 6,
			"member 'Values': standard library types cannot be reflected; use TArray, TMap, TSet or FString"},
		{Struct + "\tUPROPERTY()\n\tTArray<std::string> Names;\n};\n", 6,
			"member 'Names': standard library types cannot be reflected; use TArray, TMap, TSet or FString"},
		{Struct + "\tUPROPERTY()\n\tint32* Count;\n};\n", 6,
			"member 'Count': raw pointers cannot be reflected except to objects; use TObjectPtr<UClass>, or hold "
			"the value"},
		{Struct + "\tUPROPERTY()\n\tUObject** Objects;\n};\n", 6,
			"member 'Objects': raw pointers cannot be reflected except to objects; use TObjectPtr<UClass>, or hold "
			"the value"},
		{Struct + "\tUPROPERTY()\n\tint32& Count;\n};\n", 6, "reference members cannot be reflected"},
		{Class + "\tUFUNCTION()\n\tvoid F(FVector* Where);\n};\n", 7,
			"parameter 'Where': raw pointers cannot be reflected except to objects; use TObjectPtr<UClass>, or hold "
			"the value"},
		{Class + "\tUFUNCTION()\n\tstd::string F();\n};\n", 6,
			"the return value of 'F': standard library types cannot be reflected; use TArray, TMap, TSet or FString"},
		// Markup the header tool would otherwise lose.
		{"#include \"Test.generated.h\"\nnamespace QV\n{\nUSTRUCT()\nstruct FX\n{\n\tGENERATED_BODY()\n};\n}\n", 4,
			"'USTRUCT' inside a block the header tool does not read: reflected declarations cannot be nested in "
			"namespaces, functions or non-reflected types"},
	});

	// Object pointers are reflected, as in the engine.
	const FParsedHeader Header = ParseHeader(Struct +
			"\tUPROPERTY()\n\tconst UObject* Object;\n\tUPROPERTY()\n"
			"\tTArray<AActor*> Actors;\n};\n",
		"Public/Test.h");
	EXPECT_EQ(Header.Structs.at(0).Properties.size(), 2u);
}
