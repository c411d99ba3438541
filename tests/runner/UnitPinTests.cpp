// Every kind of pin set from a rig file through reflection, run through the unit's RigVM function, and assets read
// field by field through reflection.
#include "Public/RunnerTestTypes.h"
#include "QVJson/ReflectedJsonReader.h"
#include "QVRig/RigEvaluator.h"
#include "QVRig/RigNode.h"
#include "RunnerTestUtils.h"
#include "Templates/Casts.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UnrealType.h"

#include <gmock/gmock.h>
#include <vector>

namespace
{
const char* const TestUnit = "/Script/QVRunnerTests.RigUnit_QVRunnerTest";

std::string MakeUnitRig(const std::string& InPins, const std::string& InAssets = R"(
		"Tuning": { "class": "/Script/QVRunnerTests.QVRunnerTestAsset", "data": { "Scale": 2, "Names": ["a", "b"] } },
		"Other": { "class": "/Script/QVRunnerTests.QVRunnerOtherAsset", "data": {} })")
{
	return MakeRigText(R"({ "type": "null", "name": "target" })",
		R"(, "assets": {)" + InAssets + R"( }, "graph": [ { "unit": "RigUnit_QVReverseFootRoll" },
				{ "unit": ")" +
			TestUnit + R"(", "label": "probe", "pins": )" + InPins + " } ]");
}

template <typename T> const T& PinValue(const FQVRigNode& InNode, const TCHAR* InPin)
{
	const FProperty* Property = InNode.GetStruct()->FindPropertyByName(InPin);
	check(Property != nullptr);
	return *Property->ContainerPtrToValuePtr<T>(InNode.GetMemory());
}
} // namespace

TEST(UnitPins, EveryKindOfInputPinIsSetAndReachesTheUnitThroughItsHandles)
{
	FString Error;
	const TUniquePtr<FQVRig> Rig = LoadRigText(MakeUnitRig(R"({
		"bReport": true, "Count": -5, "Small": 255, "Precise": 0.125, "Mode": "Gentle", "Text": "probe says",
		"Target": { "type": "null", "name": "target" }, "Turn": { "yaw": 90 },
		"Pose": { "translation": [1, 2, 3] },
		"Segments": [ { "Bone": "thigh", "Weights": [1, 2] }, { "Weights": [0.5], "Offset": [1, 2, 3], "Count": 7 } ],
		"Names": ["x", "y", ""], "Asset": "tuning" })"),
		Error);
	ASSERT_TRUE(Rig) << *Error;
	ASSERT_EQ(Rig->GetNodes().Num(), 2);
	const FQVRigNode& Node = *Rig->GetNodes()[1];

	EXPECT_TRUE(PinValue<bool>(Node, TEXT("bReport")));
	EXPECT_EQ(PinValue<int32>(Node, TEXT("Count")), -5);
	EXPECT_EQ(PinValue<uint8>(Node, TEXT("Small")), 255);
	EXPECT_EQ(PinValue<double>(Node, TEXT("Precise")), 0.125);
	EXPECT_EQ(PinValue<EQVRunnerTestMode>(Node, TEXT("Mode")), EQVRunnerTestMode::Gentle);
	EXPECT_EQ(PinValue<FString>(Node, TEXT("Text")), FString(TEXT("probe says")));
	EXPECT_EQ(PinValue<FRigElementKey>(Node, TEXT("Target")), FRigElementKey(TEXT("target"), ERigElementType::Null));
	EXPECT_NEAR(PinValue<FRotator>(Node, TEXT("Turn")).Yaw, 90.0, 1e-12);
	EXPECT_TRUE(VectorsNear(PinValue<FTransform>(Node, TEXT("Pose")).GetTranslation(), FVector(1, 2, 3)));
	const TArray<FQVRunnerTestSegment>& Segments = PinValue<TArray<FQVRunnerTestSegment>>(Node, TEXT("Segments"));
	ASSERT_EQ(Segments.Num(), 2);
	EXPECT_EQ(Segments[0].Bone, FName(TEXT("thigh")));
	EXPECT_EQ(Segments[0].Weights, (TArray<float>{1.f, 2.f}));
	// Fields not named keep their defaults.
	EXPECT_EQ(Segments[0].Count, 2);
	EXPECT_EQ(Segments[1].Count, 7);
	EXPECT_EQ(Segments[1].Offset, FVector(1, 2, 3));
	const TArray<FName>& Names = PinValue<TArray<FName>>(Node, TEXT("Names"));
	ASSERT_EQ(Names.Num(), 3);
	EXPECT_TRUE(Names[2].IsNone());
	const UQVRunnerTestAsset* Asset = PinValue<TObjectPtr<UQVRunnerTestAsset>>(Node, TEXT("Asset")).Get();
	ASSERT_NE(Asset, nullptr);
	EXPECT_EQ(Asset, Rig->GetAssets().Find(TEXT("Tuning")));
	EXPECT_FLOAT_EQ(Asset->Scale, 2.f);
	EXPECT_EQ(Asset->Names, (TArray<FName>{TEXT("a"), TEXT("b")}));

	// The weights sum to 3.5 and the asset scales by 2; the hidden run count carries over between frames.
	FQVRigEvaluator Evaluator(*Rig);
	const FRigElementKey Target(TEXT("target"), ERigElementType::Null);
	Evaluator.EvaluateFrame(0);
	EXPECT_TRUE(VectorsNear(Rig->GetHierarchy().GetGlobalTransform(Target).GetTranslation(), FVector(7, -5, 1)));
	EXPECT_FLOAT_EQ(PinValue<float>(Node, TEXT("Result")), 7.f);
	Evaluator.EvaluateFrame(0);
	EXPECT_TRUE(VectorsNear(Rig->GetHierarchy().GetGlobalTransform(Target).GetTranslation(), FVector(7, -5, 2)));
	EXPECT_TRUE(
		QuatsNear(Rig->GetHierarchy().GetGlobalTransform(Target).GetRotation(), FRotator(0, 90, 0).Quaternion()));

	// The report reaches the attached log once, with the node's function name and position in the graph.
	const TArray<FRigVMLog::FLogEntry>& Entries = Evaluator.GetLog().Entries;
	ASSERT_EQ(Entries.Num(), 1);
	EXPECT_EQ(Entries[0].Severity, EMessageSeverity::Warning);
	EXPECT_EQ(Entries[0].FunctionName, FName(TEXT("FRigUnit_QVRunnerTest::Execute")));
	EXPECT_EQ(Entries[0].InstructionIndex, 1);
	EXPECT_EQ(Entries[0].Message, FString(TEXT("probe says: mode 3")));
}

TEST(UnitPins, TheExecutionPinCannotBeSet)
{
	// A mutable unit's execution pin is its base's ExecutePin, an FRigVMExecutePin as in the engine.
	FString Error;
	EXPECT_FALSE(LoadRigText(MakeUnitRig(R"({ "ExecutePin": {} })"), Error));
	EXPECT_THAT(
		std::string(*Error), ::testing::HasSubstr("graph[1].pins.ExecutePin: 'ExecutePin' is the execution pin"));
}

TEST(UnitPins, OnlyInputPinsOfTheRightShapeAreAccepted)
{
	struct FCase
	{
		std::string Pins;
		const char* Path;
		const char* Message;
	};
	const std::vector<FCase> Cases = {
		{R"({ "CachedRuns": 3 })", "graph[1].pins.CachedRuns",
			"'CachedRuns' is a hidden pin of RigUnit_QVRunnerTest; only input pins can be set"},
		{R"({ "Result": 1 })", "graph[1].pins.Result", "'Result' is an output pin of RigUnit_QVRunnerTest"},
		{R"({ "Cuont": 1 })", "graph[1].pins.Cuont",
			"unknown pin 'Cuont' on RigUnit_QVRunnerTest (its input pins: bReport, Count,"},
		{R"({ "Count": 2.5 })", "graph[1].pins.Count",
			"expected a whole number from -2147483648 to 2147483647, found the number 2.5"},
		{R"({ "Small": 256 })", "graph[1].pins.Small", "expected a whole number from 0 to 255, found the number 256"},
		{R"({ "Mode": "Loud" })", "graph[1].pins.Mode",
			"unknown value \"Loud\" (expected 'Off', 'Gentle' or 'Strong')"},
		{R"({ "Target": { "type": "bone" } })", "graph[1].pins.Target", "missing required key 'name'"},
		{R"({ "Segments": [ { "Weights": [1, "two"] } ] })", "graph[1].pins.Segments[0].Weights[1]",
			"expected a number, found the string \"two\""},
		{R"({ "Segments": [ { "Wieghts": [] } ] })", "graph[1].pins.Segments[0].Wieghts",
			"unknown field 'Wieghts' of QVRunnerTestSegment"},
		{R"({ "Segments": { "Bone": "a" } })", "graph[1].pins.Segments", "expected an array, found an object"},
		{R"({ "Asset": "Nowhere" })", "graph[1].pins.Asset", "there is no asset 'Nowhere'"},
		{R"({ "Asset": "Other" })", "graph[1].pins.Asset",
			"asset 'Other' is a QVRunnerOtherAsset, and this takes a QVRunnerTestAsset"},
		// Fields resolve without regard to case, as pins do.
		{R"({ "Segments": [ { "Count": 1, "COUNT": 2 } ] })", "graph[1].pins.Segments[0].COUNT",
			"the key 'COUNT' names the same as the key 'Count' before it"},
		{R"({ "Precise": 1e300, "Weights": [] })", "graph[1].pins.Weights", "unknown pin 'Weights'"},
		{R"({ "Segments": [ { "Weights": [1e39] } ] })", "graph[1].pins.Segments[0].Weights[0]",
			"expected a number within the range of a float, found the number 1e+39"},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Pins);
		FString Error;
		EXPECT_FALSE(LoadRigText(MakeUnitRig(Case.Pins), Error));
		EXPECT_THAT(std::string(*Error), ::testing::StartsWith(std::string("test.rig.json: ") + Case.Path + ": "));
		EXPECT_THAT(std::string(*Error), ::testing::HasSubstr(Case.Message));
	}

	// A reflected struct without a RigVM function is not a unit.
	FString Error;
	EXPECT_FALSE(LoadRigText(
		MakeRigText("", R"(, "graph": [ { "unit": "/Script/QVRunnerTests.QVRunnerTestSegment" } ])"), Error));
	EXPECT_THAT(std::string(*Error),
		::testing::HasSubstr("graph[0].unit: 'QVRunnerTestSegment' is not a rig unit: no RigVM "
							 "function 'FQVRunnerTestSegment::Execute' is registered"));
}

TEST(UnitPins, AssetsLoadFromFilesAndReportProblemsAgainstTheirOwnFile)
{
	FString Error;
	const TUniquePtr<FQVRig> Rig = LoadRigText(
		MakeUnitRig(R"({ "Asset": "FromFile" })",
			R"("FromFile": { "class": "/Script/QVRunnerTests.QVRunnerTestAsset", "file": "data/tuning_asset.json" })"),
		Error);
	ASSERT_TRUE(Rig) << *Error;
	const UQVRunnerTestAsset* Asset = Cast<UQVRunnerTestAsset>(Rig->GetAssets().Find(TEXT("fromfile")));
	ASSERT_NE(Asset, nullptr);
	EXPECT_FLOAT_EQ(Asset->Scale, 3.f);
	EXPECT_EQ(Asset->Names, (TArray<FName>{TEXT("from"), TEXT("file")}));

	EXPECT_FALSE(LoadRigText(
		MakeUnitRig("{}",
			R"("Bad": { "class": "/Script/QVRunnerTests.QVRunnerTestAsset", "file": "data/bad_tuning_asset.json" })"),
		Error));
	EXPECT_THAT(std::string(*Error),
		::testing::EndsWith("data/bad_tuning_asset.json: Scale: expected a number, found the string \"big\""));

	EXPECT_FALSE(
		LoadRigText(MakeUnitRig("{}",
						R"("Gone": { "class": "/Script/QVRunnerTests.QVRunnerTestAsset", "file": "data/none.json" })"),
			Error));
	EXPECT_THAT(std::string(*Error), ::testing::StartsWith("test.rig.json: assets.Gone.file: the asset file"));

	EXPECT_FALSE(LoadRigText(
		MakeUnitRig("{}",
			R"("Both": { "class": "/Script/QVRunnerTests.QVRunnerTestAsset", "file": "data/tuning_asset.json", "data": {} })"),
		Error));
	EXPECT_THAT(std::string(*Error), ::testing::StartsWith("test.rig.json: assets.Both: an asset takes exactly one"));

	EXPECT_FALSE(LoadRigText(
		MakeUnitRig("{}", R"("Inline": { "class": "/Script/QVRunnerTests.QVRunnerTestAsset", "data": { "Scal": 1 } })"),
		Error));
	EXPECT_THAT(
		std::string(*Error), ::testing::StartsWith("test.rig.json: assets.Inline.data.Scal: unknown field 'Scal'"));

	// "." is there, but it is a folder.
	EXPECT_FALSE(LoadRigText(
		MakeUnitRig("{}", R"("Here": { "class": "/Script/QVRunnerTests.QVRunnerTestAsset", "file": "." })"), Error));
	EXPECT_THAT(std::string(*Error), ::testing::StartsWith("test.rig.json: assets.Here.file: the asset file '"));
	EXPECT_THAT(std::string(*Error), ::testing::EndsWith("tests/runner/' is a directory, not an asset file"));
}

TEST(UnitPins, AssetIdsAndFieldsAreNamesThatMustBeUniqueWithoutRegardToCase)
{
	struct FCase
	{
		std::string Assets;
		const char* Message;
	};
	const std::vector<FCase> Cases = {
		{R"("Tuning": { "class": "/Script/QVRunnerTests.QVRunnerTestAsset", "data": {} },
			"TUNING": { "class": "/Script/QVRunnerTests.QVRunnerOtherAsset", "data": {} })",
			"test.rig.json: assets.TUNING: the key 'TUNING' names the same as the key 'Tuning' before it"},
		{R"("Tuning": { "class": "/Script/QVRunnerTests.QVRunnerTestAsset", "data": { "Scale": 2, "scale": 3 } })",
			"test.rig.json: assets.Tuning.data.scale: the key 'scale' names the same as the key 'Scale' before it"},
		// A pin naming the asset "None" would be read as no asset at all.
		{R"("none": { "class": "/Script/QVRunnerTests.QVRunnerTestAsset", "data": {} })",
			"test.rig.json: assets.none: an asset id must be a name: neither empty nor None, the engine's empty name"},
		{R"("": { "class": "/Script/QVRunnerTests.QVRunnerTestAsset", "data": {} })",
			"test.rig.json: assets.: an "
			"asset id must be a name"},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Assets);
		FString Error;
		EXPECT_FALSE(LoadRigText(MakeUnitRig("{}", Case.Assets), Error));
		EXPECT_THAT(std::string(*Error), ::testing::StartsWith(Case.Message));
	}
}
