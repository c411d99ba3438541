// Pin tracks: keyed bool, int32, float and double input pins of graph nodes, set before the units run each frame,
// and the mistakes a pin track can hold.
#include "Public/RunnerTestTypes.h"
#include "QVRig/RigEvaluator.h"
#include "QVRig/RigNode.h"
#include "RunnerTestUtils.h"
#include "UObject/UnrealType.h"

#include <gmock/gmock.h>
#include <vector>

namespace
{
// A foot roll (graph[0], float pins) and the test unit labelled "probe" (graph[1]), which places the null
// "target" at (result, count, runs), with the given tracks.
std::string MakePinTrackRig(const std::string& InTracks, const std::string& InSecondLabel = "probe")
{
	return MakeRigText(R"({ "type": "null", "name": "target" })",
		R"(, "graph": [ { "unit": "RigUnit_QVReverseFootRoll", "label": "foot" },
			{ "unit": "/Script/QVRunnerTests.RigUnit_QVRunnerTest", "label": ")" +
			InSecondLabel + R"(", "pins": { "Target": { "type": "null", "name": "target" } } } ],
		"animation": { "frameCount": 10, "tracks": [ )" +
			InTracks + " ] }");
}

template <typename T> const T& PinValue(const FQVRigNode& InNode, const TCHAR* InPin)
{
	const FProperty* Property = InNode.GetStruct()->FindPropertyByName(InPin);
	check(Property != nullptr);
	return *Property->ContainerPtrToValuePtr<T>(InNode.GetMemory());
}
} // namespace

TEST(PinTracks, KeyedPinsAreSetBeforeTheUnitsRunAndBlendAsControlTracksDo)
{
	FString Error;
	const TUniquePtr<FQVRig> Rig = LoadRigText(MakePinTrackRig(R"(
		{ "node": 0, "pin": "RollStartAngle", "keys": [[0, 10], [4, 30]] },
		{ "node": "probe", "pin": "count", "keys": [[0, 0], [4, 3]] },
		{ "node": "probe", "pin": "Precise", "keys": [[2, 0.5], [6, -1.5]] },
		{ "node": 1, "pin": "bReport", "keys": [[0, false], [3, true], [5, false]] })"),
		Error);
	ASSERT_TRUE(Rig) << *Error;
	ASSERT_EQ(Rig->GetAnimation().PinTracks.Num(), 4);
	const FQVRigNode& Foot = *Rig->GetNodes()[0];
	const FQVRigNode& Probe = *Rig->GetNodes()[1];
	FQVRigEvaluator Evaluator(*Rig);

	struct FExpected
	{
		int32 Frame;
		float RollStart;
		int32 Count;
		double Precise;
		bool bReport;
	};
	// Floats and doubles linearly, whole numbers rounded to the nearest, bools stepping at each key, ends held.
	const FExpected Frames[] = {
		{0, 10.f, 0, 0.5, false},
		{1, 15.f, 1, 0.5, false},
		{2, 20.f, 2, 0.5, false},
		{3, 25.f, 2, 0.0, true},
		{4, 30.f, 3, -0.5, true},
		{5, 30.f, 3, -1.0, false},
		{9, 30.f, 3, -1.5, false},
	};
	for (const FExpected& Expected : Frames)
	{
		Evaluator.EvaluateFrame(Expected.Frame);
		SCOPED_TRACE(testing::Message() << "frame " << Expected.Frame);
		EXPECT_FLOAT_EQ(PinValue<float>(Foot, TEXT("RollStartAngle")), Expected.RollStart);
		EXPECT_EQ(PinValue<int32>(Probe, TEXT("Count")), Expected.Count);
		EXPECT_DOUBLE_EQ(PinValue<double>(Probe, TEXT("Precise")), Expected.Precise);
		EXPECT_EQ(PinValue<bool>(Probe, TEXT("bReport")), Expected.bReport);
		// The unit saw the keyed count this frame: it places its target at (result, count, runs).
		EXPECT_DOUBLE_EQ(Rig->GetHierarchy()
							 .GetGlobalTransform(FRigElementKey(TEXT("target"), ERigElementType::Null))
							 .GetTranslation()
							 .Y,
			double(Expected.Count));
	}
	// Pins without a track keep what the file gave them.
	EXPECT_FLOAT_EQ(PinValue<float>(Foot, TEXT("RollEndAngle")), 60.f);
}

TEST(PinTracks, EachMistakeGivesOneClearMessage)
{
	struct FCase
	{
		const char* What;
		std::string Json;
		const char* Path;
		const char* Message;
	};
	const std::vector<FCase> Cases = {
		{"an unknown label", MakePinTrackRig(R"({ "node": "prob", "pin": "Count", "keys": [[0, 1]] })"),
			"animation.tracks[0].node", "no node of the graph is labelled 'prob'"},
		{"a label on two nodes", MakePinTrackRig(R"({ "node": "foot", "pin": "Count", "keys": [[0, 1]] })", "foot"),
			"animation.tracks[0].node",
			"2 nodes are labelled 'foot' (graph[0], graph[1]); name the node by its position instead"},
		{"a position past the graph", MakePinTrackRig(R"({ "node": 2, "pin": "Count", "keys": [[0, 1]] })"),
			"animation.tracks[0].node", "there is no node graph[2]: the graph has 2 nodes"},
		{"a node that is neither", MakePinTrackRig(R"({ "node": 0.5, "pin": "Count", "keys": [[0, 1]] })"),
			"animation.tracks[0].node", "expected a whole number"},
		{"an unknown pin", MakePinTrackRig(R"({ "node": "probe", "pin": "Cont", "keys": [[0, 1]] })"),
			"animation.tracks[0].pin", "unknown pin 'Cont' on RigUnit_QVRunnerTest (its input pins: bReport, Count"},
		{"an output pin", MakePinTrackRig(R"({ "node": "probe", "pin": "Result", "keys": [[0, 1]] })"),
			"animation.tracks[0].pin",
			"'Result' is an output pin of RigUnit_QVRunnerTest; only input pins can be animated"},
		{"a hidden pin", MakePinTrackRig(R"({ "node": "probe", "pin": "CachedRuns", "keys": [[0, 1]] })"),
			"animation.tracks[0].pin", "'CachedRuns' is a hidden pin of RigUnit_QVRunnerTest"},
		{"a pin of another type", MakePinTrackRig(R"({ "node": "probe", "pin": "Small", "keys": [[0, 1]] })"),
			"animation.tracks[0].pin",
			"pin tracks animate bool, int32, float and double pins, and 'Small' of RigUnit_QVRunnerTest is a uint8"},
		{"a value of the wrong shape",
			MakePinTrackRig(R"({ "node": "probe", "pin": "bReport", "keys": [[0, true], [1, 1]] })"),
			"animation.tracks[0].keys[1][1]", "expected true or false, found the number 1"},
		{"a float beyond a float's range",
			MakePinTrackRig(R"({ "node": "foot", "pin": "RollEndAngle", "keys": [[0, 1e39]] })"),
			"animation.tracks[0].keys[0][1]", "expected a number within the range of a float"},
		{"a fraction for a whole number", MakePinTrackRig(R"({ "node": "probe", "pin": "Count", "keys": [[0, 1.5]] })"),
			"animation.tracks[0].keys[0][1]", "expected a whole number"},
		{"keys out of order", MakePinTrackRig(R"({ "node": "probe", "pin": "Count", "keys": [[3, 1], [3, 2]] })"),
			"animation.tracks[0].keys[1][0]", "keys must be in increasing frame order, and frame 3 follows frame 3"},
		{"two tracks on one pin", MakePinTrackRig(R"({ "node": 1, "pin": "Count", "keys": [[0, 1]] },
				{ "node": "probe", "pin": "COUNT", "keys": [[0, 2]] })"),
			"animation.tracks[1].pin", "pin 'Count' of graph[1] already has a track at animation.tracks[0]"},
		{"a control and a pin in one track",
			MakePinTrackRig(R"({ "control": "c", "node": 1, "pin": "Count", "keys": [[0, 1]] })"),
			"animation.tracks[0]", "a track animates a control or a node's pin, not both"},
		{"a pin without its node", MakePinTrackRig(R"({ "pin": "Count", "keys": [[0, 1]] })"), "animation.tracks[0]",
			"missing required key 'node'"},
		{"neither a control nor a pin", MakePinTrackRig(R"({ "keys": [[0, 1]] })"), "animation.tracks[0]",
			"missing required key 'control' (or 'node' and 'pin' for a pin track)"},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.What);
		FString Error;
		EXPECT_FALSE(LoadRigText(Case.Json, Error));
		EXPECT_THAT(std::string(*Error), ::testing::StartsWith(std::string("test.rig.json: ") + Case.Path + ": "));
		EXPECT_THAT(std::string(*Error), ::testing::HasSubstr(Case.Message));
	}
}
