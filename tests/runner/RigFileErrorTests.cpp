// Each kind of bad rig file fails with one message naming the file, the JSON path, the expectation and the finding,
// and no rig.
#include "RunnerTestUtils.h"

#include <gmock/gmock.h>
#include <vector>

namespace
{
struct FBadRigCase
{
	const char* What;
	std::string Json;
	// The message starts with "test.rig.json: " + Path + ": " and contains Message.
	const char* Path;
	const char* Message;
};

const char* const Leg = R"(
		{ "type": "bone", "name": "thigh" },
		{ "type": "null", "name": "heel", "parent": "thigh" },
		{ "type": "control", "name": "leg", "controlType": "EulerTransform" },
		{ "type": "control", "name": "leg_roll", "parent": "leg", "controlType": "Float", "animationType": "AnimationChannel" })";

std::string WithGraph(const std::string& InPins, const char* InUnit = "RigUnit_QVReverseFootRoll")
{
	return MakeRigText(Leg, std::string(R"(, "graph": [ { "unit": ")") + InUnit + R"(", "pins": )" + InPins + " } ]");
}

std::string WithTracks(const std::string& InTracks)
{
	return MakeRigText(Leg, R"(, "animation": { "frameCount": 10, "tracks": [ )" + InTracks + " ] }");
}

std::vector<FBadRigCase> BadRigs()
{
	return {
		{"malformed JSON", "{\n  \"format\": \"quorvel-rig\",\n  \"version\": 1,,\n}", "",
			"malformed JSON at line 3, column 16"},
		{"a key given twice", MakeRigText(R"({ "type": "null", "name": "a", "name": "b" })"), "elements[0].name",
			"appears twice"},
		{"an unknown top-level key", MakeRigText(Leg, R"(, "animaton": {})"), "animaton", "unknown key 'animaton'"},
		{"an unknown element key", MakeRigText(R"({ "type": "null", "name": "a", "trasnform": {} })"),
			"elements[0].trasnform", "unknown key 'trasnform'"},
		{"an unknown transform key",
			MakeRigText(R"({ "type": "null", "name": "a", "transform": { "rotate": [0, 0, 0, 1] } })"),
			"elements[0].transform.rotate", "unknown key 'rotate'"},
		{"a wrong format", R"({ "format": "rig", "version": 1, "elements": [] })", "format",
			"expected the string \"quorvel-rig\", found the string \"rig\""},
		{"an unknown element type", MakeRigText(R"({ "type": "joint", "name": "a" })"), "elements[0].type",
			"expected 'bone', 'null' or 'control', found the string \"joint\""},
		{"a missing parent", MakeRigText(R"({ "type": "null", "name": "a", "parent": "nowhere" })"),
			"elements[0].parent", "no element named 'nowhere' is defined"},
		{"a parent listed after its child",
			MakeRigText(R"({ "type": "null", "name": "a", "parent": "b" }, { "type": "null", "name": "b" })"),
			"elements[0].parent", "it is at elements[1]"},
		{"a missing parent key",
			MakeRigText(R"({ "type": "null", "name": "a", "parent": { "type": "bone", "name": "heel" } })"),
			"elements[0].parent", "the parent bone 'heel' is not defined"},
		{"an ambiguous parent", MakeRigText(std::string(Leg) + R"(, { "type": "null", "name": "Thigh" },
				{ "type": "null", "name": "knee", "parent": "thigh" })"),
			"elements[5].parent", "the parent name 'thigh' is ambiguous: it names bone 'thigh' and null '"},
		{"a duplicate name (names ignore case)",
			MakeRigText(std::string(Leg) + R"(, { "type": "null", "name": "HEEL" })"), "elements[4].name",
			"duplicate name: a null named 'heel' is already defined at elements[1]"},
		{"a wrong value shape for a control type",
			MakeRigText(R"({ "type": "control", "name": "p", "controlType": "Position", "value": 3 })"),
			"elements[0].value", "expected [x, y, z], found the number 3"},
		{"a scale on a transform without scale",
			MakeRigText(
				R"({ "type": "control", "name": "p", "controlType": "TransformNoScale", "value": { "scale": [1, 1, 1] } })"),
			"elements[0].value.scale", "unknown key 'scale'"},
		{"a quaternion far from unit length",
			MakeRigText(R"({ "type": "null", "name": "a", "transform": { "rotation": [0, 0, 0, 2] } })"),
			"elements[0].transform.rotation", "expected a unit quaternion, found one of length 2"},
		{"a channel below a null",
			MakeRigText(std::string(Leg) +
				R"(, { "type": "control", "name": "c", "parent": "heel", "controlType": "Float", "animationType": "AnimationChannel" })"),
			"elements[4].parent", "an animation channel must sit below a control, not below a null 'heel'"},
		{"an offset on a channel",
			MakeRigText(std::string(Leg) +
				R"(, { "type": "control", "name": "c", "parent": "leg", "controlType": "Float", "animationType": "AnimationChannel", "offset": {} })"),
			"elements[4].offset", "unknown key 'offset'"},
		{"an unknown asset class", MakeRigText(Leg, R"(, "assets": { "Face": { "class": "QVNothing", "data": {} } })"),
			"assets.Face.class", "unknown asset class 'QVNothing'"},
		{"an unknown unit", WithGraph("{}", "RigUnit_QVNothing"), "graph[0].unit", "unknown unit 'RigUnit_QVNothing'"},
		{"a unit named with its F", WithGraph("{}", "FRigUnit_QVReverseFootRoll"), "graph[0].unit",
			"without the leading F"},
		{"an unknown pin", WithGraph(R"({ "RollChanel": "leg_roll" })"), "graph[0].pins.RollChanel",
			"unknown pin 'RollChanel' on RigUnit_QVReverseFootRoll"},
		{"a wrong pin shape", WithGraph(R"({ "RollStartAngle": "thirty" })"), "graph[0].pins.RollStartAngle",
			"expected a number, found the string \"thirty\""},
		{"a name pin given a number", WithGraph(R"({ "HeelRoller": 3 })"), "graph[0].pins.HeelRoller",
			"expected a string, found the number 3"},
		{"a track on a missing control", WithTracks(R"({ "control": "leg_rock", "keys": [[0, 1]] })"),
			"animation.tracks[0].control", "there is no control named 'leg_rock'"},
		{"a track on a null", WithTracks(R"({ "control": "heel", "keys": [[0, 1]] })"), "animation.tracks[0].control",
			"tracks animate controls, and 'heel' is a null"},
		{"a wrong key value shape", WithTracks(R"({ "control": "leg_roll", "keys": [[0, 1], [4, [1, 2]]] })"),
			"animation.tracks[0].keys[1][1]", "expected a number, found an array of 2 items"},
		{"keys out of order", WithTracks(R"({ "control": "leg_roll", "keys": [[5, 1], [4, 2]] })"),
			"animation.tracks[0].keys[1][0]", "increasing frame order"},
		{"two tracks on one control",
			WithTracks(R"({ "control": "leg_roll", "keys": [[0, 1]] }, { "control": "LEG_ROLL", "keys": [[0, 1]] })"),
			"animation.tracks[1].control", "already has a track at animation.tracks[0]"},
		{"a string cut by U+0000", R"({ "format": "quorvel-rig\u0000junk", "version": 1, "elements": [] })", "format",
			"the string \"quorvel-rig\\u0000junk\" holds the character U+0000"},
		// Pins resolve without regard to case, so these would silently keep the later value.
		{"a pin given twice in different case", WithGraph(R"({ "HeelRoller": "heel", "heelroller": "thigh" })"),
			"graph[0].pins.heelroller",
			"the key 'heelroller' names the same as the key 'HeelRoller' before it (these names compare without "
			"regard to case)"},
		// None is the engine's empty name: such an element could never be found again.
		{"an element named None", MakeRigText(R"({ "type": "bone", "name": "None" })"), "elements[0].name",
			"expected a name (a non-empty string other than None, which is the engine's empty name), found the string "
			"\"None\""},
		{"an element named none", MakeRigText(R"({ "type": "null", "name": "none" })"), "elements[0].name",
			"found the string \"none\""},
		{"a parent named None", MakeRigText(R"({ "type": "null", "name": "a", "parent": "NONE" })"),
			"elements[0].parent", "expected a name"},
		// Control values are stored as floats; the narrowing was undefined and the value silently became another.
		{"a float control value beyond a float's range",
			MakeRigText(R"({ "type": "control", "name": "c", "controlType": "Float", "value": 1e39 })"),
			"elements[0].value", "expected a number within the range of a float, found the number 1e+39"},
		{"a position beyond a float's range",
			MakeRigText(R"({ "type": "control", "name": "c", "controlType": "Position", "value": [0, -4e38, 0] })"),
			"elements[0].value[1]", "expected a number within the range of a float"},
		{"a transform value beyond a float's range",
			MakeRigText(
				R"({ "type": "control", "name": "c", "controlType": "Transform", "value": { "rotation": { "yaw": 1e300 } } })"),
			"elements[0].value.rotation.yaw", "expected a number within the range of a float"},
		{"a key beyond a float's range", WithTracks(R"({ "control": "leg_roll", "keys": [[0, 1], [4, 3.5e38]] })"),
			"animation.tracks[0].keys[1][1]", "expected a number within the range of a float"},
		{"a frame count beyond the bound", MakeRigText(Leg, R"(, "animation": { "frameCount": 2147483647 })"),
			"animation.frameCount", "expected a frame count from 1 to 100000, found the number 2147483647"},
		{"a frame count of 0", MakeRigText(Leg, R"(, "animation": { "frameCount": 0 })"), "animation.frameCount",
			"expected a frame count from 1 to 100000, found the number 0"},
		{"a frame count beyond 64 bits", MakeRigText(Leg, R"(, "animation": { "frameCount": 1e30 })"),
			"animation.frameCount", "expected a frame count from 1 to 100000"},
		// A full path names its own package; the message names that one, not the plug-in's.
		{"an asset class of another package",
			MakeRigText(Leg, R"(, "assets": { "A": { "class": "/Script/Engine.NoSuchAsset", "data": {} } })"),
			"assets.A.class",
			"unknown asset class '/Script/Engine.NoSuchAsset': no class of that name is registered in /Script/Engine"},
		{"the abstract data asset class",
			MakeRigText(Leg, R"(, "assets": { "A": { "class": "/Script/Engine.DataAsset", "data": {} } })"),
			"assets.A.class", "'/Script/Engine.DataAsset' is an abstract class: no asset can be made of it"},
		{"a class that is not a data asset",
			MakeRigText(Leg, R"(, "assets": { "A": { "class": "QVGameplayStrafeComponent", "data": {} } })"),
			"assets.A.class", "'QVGameplayStrafeComponent' is not a data asset class"},
		{"a unit of another package", WithGraph("{}", "/Script/Engine.RigUnit_Nothing"), "graph[0].unit",
			"unknown unit '/Script/Engine.RigUnit_Nothing': no struct of that name is registered in /Script/Engine"},
	};
}
} // namespace

TEST(RigFileErrors, EachBadInputGivesOneClearMessageAndNoRig)
{
	for (const FBadRigCase& Case : BadRigs())
	{
		SCOPED_TRACE(Case.What);
		FString Error;
		const TUniquePtr<FQVRig> Rig = LoadRigText(Case.Json, Error);
		EXPECT_FALSE(Rig);
		const std::string Prefix = std::string("test.rig.json: ") + Case.Path + (Case.Path[0] != '\0' ? ": " : "");
		EXPECT_THAT(std::string(*Error), ::testing::StartsWith(Prefix));
		EXPECT_THAT(std::string(*Error), ::testing::HasSubstr(Case.Message));
	}
}

TEST(RigFileErrors, AMissingFileNamesTheFile)
{
	FString Error;
	EXPECT_FALSE(FQVRigFileLoader::LoadFile(QV_SOURCE_DIR "/tests/runner/no_such.rig.json", Error));
	EXPECT_THAT(std::string(*Error), ::testing::EndsWith("no_such.rig.json: does not exist"));
}
