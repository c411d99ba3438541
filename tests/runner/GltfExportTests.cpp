// `qvrig export --gltf`: the file read back by tinygltf (and the Khronos validator where it is installed) holds the
// rig's joints, hierarchy, frames and evaluated transforms in glTF's axes and units.
// tinygltf comes first: it must see none of the engine's macros.
#include <tiny_gltf.h>

#include "QVRig/ElementNames.h"
#include "QVRig/RigEvaluator.h"
#include "RunnerTestUtils.h"

#include <cstring>
#include <fstream>
#include <gmock/gmock.h>
#include <iterator>
#include <map>
#include <set>

namespace
{
const char* const ExportRig = QV_SOURCE_DIR "/tests/runner/data/export.rig.json";
const char* const FootRollRig = QV_SOURCE_DIR "/examples/foot_roll.rig.json";
// The export rig's elements in file order: the default choice, every bone and null.
const char* const ExportElements[] = {"hips", "spine", "head", "arm", "hand", "probe"};
constexpr double MetreTolerance = 1e-5;

tinygltf::Model LoadGlb(const std::string& InPath)
{
	tinygltf::Model Model;
	tinygltf::TinyGLTF Loader;
	std::string Error;
	std::string Warning;
	EXPECT_TRUE(Loader.LoadBinaryFromFile(&Model, &Error, &Warning, InPath)) << Error;
	EXPECT_EQ(Warning, "");
	return Model;
}

std::vector<float> ReadFloats(const tinygltf::Model& InModel, int InAccessor)
{
	const tinygltf::Accessor& Accessor = InModel.accessors.at(static_cast<size_t>(InAccessor));
	EXPECT_EQ(Accessor.componentType, TINYGLTF_COMPONENT_TYPE_FLOAT);
	const tinygltf::BufferView& View = InModel.bufferViews.at(static_cast<size_t>(Accessor.bufferView));
	const unsigned char* Data =
		InModel.buffers.at(static_cast<size_t>(View.buffer)).data.data() + View.byteOffset + Accessor.byteOffset;
	const size_t Count = Accessor.count * static_cast<size_t>(tinygltf::GetNumComponentsInType(Accessor.type));
	std::vector<float> Values(Count);
	std::memcpy(Values.data(), Data, Count * sizeof(float));
	return Values;
}

int FindNode(const tinygltf::Model& InModel, const std::string& InName)
{
	for (size_t Index = 0; Index < InModel.nodes.size(); ++Index)
	{
		if (InModel.nodes[Index].name == InName)
		{
			return static_cast<int>(Index);
		}
	}
	ADD_FAILURE() << "no node " << InName;
	return -1;
}

// Each node's parent node, -1 for the scene's roots.
std::vector<int> ParentsOf(const tinygltf::Model& InModel)
{
	std::vector<int> Parents(InModel.nodes.size(), -1);
	for (size_t Index = 0; Index < InModel.nodes.size(); ++Index)
	{
		for (const int Child : InModel.nodes[Index].children)
		{
			Parents.at(static_cast<size_t>(Child)) = static_cast<int>(Index);
		}
	}
	return Parents;
}

// The node's local transform at InFrame as a glTF reader plays it: the animated parts from their samplers, the rest
// from the node.
FTransform NodeLocal(const tinygltf::Model& InModel, int InNode, int InFrame)
{
	const tinygltf::Node& Node = InModel.nodes.at(static_cast<size_t>(InNode));
	std::map<std::string, std::vector<double>> Parts = {
		{"translation", Node.translation}, {"rotation", Node.rotation}, {"scale", Node.scale}};
	for (const tinygltf::Animation& Animation : InModel.animations)
	{
		for (const tinygltf::AnimationChannel& Channel : Animation.channels)
		{
			if (Channel.target_node != InNode)
			{
				continue;
			}
			const std::vector<float> Values =
				ReadFloats(InModel, Animation.samplers.at(static_cast<size_t>(Channel.sampler)).output);
			const size_t Width = Channel.target_path == "rotation" ? 4 : 3;
			Parts[Channel.target_path].assign(Values.begin() + static_cast<std::ptrdiff_t>(InFrame * Width),
				Values.begin() + static_cast<std::ptrdiff_t>((InFrame + 1) * Width));
		}
	}
	// Parts a node leaves out are the identity's.
	const std::vector<double> T = Parts["translation"].empty() ? std::vector<double>{0, 0, 0} : Parts["translation"];
	const std::vector<double> R = Parts["rotation"].empty() ? std::vector<double>{0, 0, 0, 1} : Parts["rotation"];
	const std::vector<double> S = Parts["scale"].empty() ? std::vector<double>{1, 1, 1} : Parts["scale"];
	return FTransform(FQuat(R.at(0), R.at(1), R.at(2), R.at(3)), FVector(T.at(0), T.at(1), T.at(2)),
		FVector(S.at(0), S.at(1), S.at(2)));
}

// The node's world transform in glTF's space: its local transform, then its parent's, up to the root.
FTransform NodeWorld(const tinygltf::Model& InModel, int InNode, int InFrame)
{
	const std::vector<int> Parents = ParentsOf(InModel);
	FTransform World = NodeLocal(InModel, InNode, InFrame);
	for (int Parent = Parents.at(static_cast<size_t>(InNode)); Parent != -1;
		 Parent = Parents.at(static_cast<size_t>(Parent)))
	{
		World = World * NodeLocal(InModel, Parent, InFrame);
	}
	return World;
}

// glTF's axes as the engine's exporter maps them, written out here rather than taken from the code under test:
// engine X, Y, Z are glTF X, Z, Y, and centimetres become metres.
FVector EngineToGltfPosition(const FVector& InPosition)
{
	return FVector(InPosition.X, InPosition.Z, InPosition.Y) / 100.0;
}

FVector SwapAxes(const FVector& InDirection)
{
	return FVector(InDirection.X, InDirection.Z, InDirection.Y);
}

// The runner's rig-space transforms of InElements after each frame, evaluated here.
std::vector<std::vector<FTransform>> EvaluateGlobals(const char* InRigPath, const std::vector<std::string>& InElements)
{
	FString Error;
	const TUniquePtr<FQVRig> Rig = FQVRigFileLoader::LoadFile(InRigPath, Error);
	EXPECT_TRUE(Rig) << *Error;
	FQVRigEvaluator Evaluator(*Rig);
	std::vector<std::vector<FTransform>> Frames;
	for (int32 Frame = 0; Frame < Rig->GetAnimation().FrameCount; ++Frame)
	{
		Evaluator.EvaluateFrame(Frame);
		std::vector<FTransform>& Globals = Frames.emplace_back();
		for (const std::string& Name : InElements)
		{
			const TArray<FRigElementKey> Keys = FQVElementNames::FindByName(Rig->GetHierarchy(), FName(Name.c_str()));
			Globals.push_back(Rig->GetHierarchy().GetGlobalTransform(Keys[0]));
		}
	}
	return Frames;
}

std::string ExportGltf(const FScratchFolder& InFolder, std::vector<const char*> InArguments = {})
{
	const std::string Path = InFolder / "rig.glb";
	std::vector<const char*> Arguments = {"export", ExportRig, "--gltf", Path.c_str()};
	Arguments.insert(Arguments.end(), InArguments.begin(), InArguments.end());
	const FCommandResult Result = RunCommandLine(Arguments);
	EXPECT_EQ(Result.ExitCode, 0) << Result.Err;
	return Path;
}
} // namespace

TEST(GltfExport, HoldsTheRigsHierarchyFramesAndEvaluatedTransformsInGltfAxesAndMetres)
{
	const FScratchFolder Folder;
	const tinygltf::Model Model = LoadGlb(ExportGltf(Folder));

	// One node per bone and null, named after it, one for the rig that holds them, and one for the skinned shapes.
	ASSERT_EQ(Model.nodes.size(), std::size(ExportElements) + 2);
	const std::vector<int> Parents = ParentsOf(Model);
	const auto ParentName = [&](const char* InName)
	{
		const int Parent = Parents.at(static_cast<size_t>(FindNode(Model, InName)));
		return Parent == -1 ? std::string("(root)") : Model.nodes.at(static_cast<size_t>(Parent)).name;
	};
	EXPECT_EQ(ParentName("export"), "(root)");
	EXPECT_EQ(ParentName("hips"), "export");
	EXPECT_EQ(ParentName("spine"), "hips");
	EXPECT_EQ(ParentName("head"), "spine");
	// The arm's parent is a control, which is not exported: the arm hangs from the nearest exported ancestor, none.
	EXPECT_EQ(ParentName("arm"), "export");
	EXPECT_EQ(ParentName("hand"), "arm");
	EXPECT_EQ(ParentName("probe"), "export");

	// One animation, sampled at every frame of the rig: 5 frames at 2 fps.
	ASSERT_EQ(Model.animations.size(), 1u);
	const tinygltf::Animation& Animation = Model.animations[0];
	EXPECT_EQ(Animation.name, "export");
	std::set<std::pair<std::string, std::string>> Channels;
	for (const tinygltf::AnimationChannel& Channel : Animation.channels)
	{
		Channels.emplace(Model.nodes.at(static_cast<size_t>(Channel.target_node)).name, Channel.target_path);
		const tinygltf::AnimationSampler& Sampler = Animation.samplers.at(static_cast<size_t>(Channel.sampler));
		EXPECT_EQ(Sampler.interpolation, "LINEAR");
		EXPECT_THAT(ReadFloats(Model, Sampler.input), ::testing::ElementsAre(0.0f, 0.5f, 1.0f, 1.5f, 2.0f));
	}
	// Only what moves: the arm follows the spinning, growing control; the probe rises; the hand keeps its place on
	// the arm, and the bones take the same pose every frame (the spine turned by the unit each time from its
	// initial pose).
	const std::set<std::pair<std::string, std::string>> Moving = {
		{"arm", "translation"}, {"arm", "rotation"}, {"arm", "scale"}, {"probe", "translation"}};
	EXPECT_EQ(Channels, Moving);

	// Every joint at every frame where the runner put it, in glTF's axes and metres.
	const std::vector<std::string> Names(std::begin(ExportElements), std::end(ExportElements));
	const std::vector<std::vector<FTransform>> Globals = EvaluateGlobals(ExportRig, Names);
	for (int Frame = 0; Frame < 5; ++Frame)
	{
		for (size_t Element = 0; Element < Names.size(); ++Element)
		{
			SCOPED_TRACE(Names[Element] + " at frame " + std::to_string(Frame));
			const FTransform World = NodeWorld(Model, FindNode(Model, Names[Element].c_str()), Frame);
			const FTransform& Engine = Globals[static_cast<size_t>(Frame)][Element];
			EXPECT_TRUE(
				VectorsNear(World.GetTranslation(), EngineToGltfPosition(Engine.GetTranslation()), MetreTolerance));
			for (const FVector& Axis : {FVector(1, 0, 0), FVector(0, 1, 0), FVector(0, 0, 1)})
			{
				EXPECT_TRUE(
					VectorsNear(World.TransformVector(SwapAxes(Axis)), SwapAxes(Engine.TransformVector(Axis)), 1e-5));
			}
		}
	}

	// Known places: the hips 1 m up; at the last frame the arm, 100 cm forward of a control turned 90 degrees to
	// the right and scaled by 2, is 2 m to the right, where engine X turns to engine Y: glTF's Z.
	EXPECT_TRUE(
		VectorsNear(NodeWorld(Model, FindNode(Model, "hips"), 0).GetTranslation(), FVector(0, 1, 0), MetreTolerance));
	const FTransform Arm = NodeWorld(Model, FindNode(Model, "arm"), 4);
	EXPECT_TRUE(VectorsNear(Arm.GetTranslation(), FVector(0, 0, 2), MetreTolerance));
	EXPECT_TRUE(VectorsNear(Arm.GetRotation().RotateVector(FVector(1, 0, 0)), FVector(0, 0, 1), 1e-6));
	EXPECT_TRUE(VectorsNear(Arm.GetScale3D(), FVector(2, 2, 2), 1e-6));

	// The scene says how to play the frames.
	const tinygltf::Value& Extras = Model.scenes.at(0).extras;
	EXPECT_EQ(Extras.Get("frameRate").GetNumberAsDouble(), 2.0);
	EXPECT_EQ(Extras.Get("frameCount").GetNumberAsInt(), 5);
}

TEST(GltfExport, BindsBoneShapesToEveryJointAtTheInitialPose)
{
	const FScratchFolder Folder;
	const tinygltf::Model Model = LoadGlb(ExportGltf(Folder));
	ASSERT_EQ(Model.skins.size(), 1u);
	ASSERT_EQ(Model.meshes.size(), 1u);
	const tinygltf::Skin& Skin = Model.skins[0];
	ASSERT_EQ(Skin.joints.size(), std::size(ExportElements));

	// Each inverse bind matrix undoes its joint's initial world transform: the hips at 1 m up, the spine 20 cm
	// above (its initial pose, not the pose the unit turns it to), the arm 1 m forward of the unturned control.
	const std::vector<float> InverseBinds = ReadFloats(Model, Skin.inverseBindMatrices);
	const std::map<std::string, FVector> InitialPositions = {
		{"hips", FVector(0, 1, 0)}, {"spine", FVector(0, 1.2, 0)}, {"arm", FVector(1, 0, 0)}};
	for (const auto& [Name, Position] : InitialPositions)
	{
		const size_t Joint = static_cast<size_t>(
			std::find(Skin.joints.begin(), Skin.joints.end(), FindNode(Model, Name)) - Skin.joints.begin());
		ASSERT_LT(Joint, Skin.joints.size());
		// Column-major: the translation is in elements 12 to 14.
		const float* Matrix = InverseBinds.data() + Joint * 16;
		EXPECT_TRUE(VectorsNear(FVector(Matrix[12], Matrix[13], Matrix[14]), -Position, 1e-6)) << Name;
	}

	// Every joint has a shape, and every vertex follows one joint fully.
	const tinygltf::Primitive& Primitive = Model.meshes[0].primitives.at(0);
	for (const char* Attribute : {"POSITION", "NORMAL", "COLOR_0", "JOINTS_0", "WEIGHTS_0"})
	{
		EXPECT_TRUE(Primitive.attributes.count(Attribute)) << Attribute;
	}
	const tinygltf::Accessor& Joints = Model.accessors.at(static_cast<size_t>(Primitive.attributes.at("JOINTS_0")));
	ASSERT_EQ(Joints.componentType, TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT);
	const tinygltf::BufferView& View = Model.bufferViews.at(static_cast<size_t>(Joints.bufferView));
	const uint16* JointData = reinterpret_cast<const uint16*>(Model.buffers[0].data.data() + View.byteOffset);
	std::set<uint16> Followed;
	for (size_t Vertex = 0; Vertex < Joints.count; ++Vertex)
	{
		Followed.insert(JointData[Vertex * 4]);
	}
	EXPECT_EQ(Followed.size(), std::size(ExportElements));
	EXPECT_LT(*Followed.rbegin(), std::size(ExportElements));
	const std::vector<float> Weights = ReadFloats(Model, Primitive.attributes.at("WEIGHTS_0"));
	for (size_t Vertex = 0; Vertex < Joints.count; ++Vertex)
	{
		ASSERT_EQ(Weights[Vertex * 4], 1.0f);
	}
	// The mesh's bounds, which the format requires, hold every vertex.
	const tinygltf::Accessor& Positions = Model.accessors.at(static_cast<size_t>(Primitive.attributes.at("POSITION")));
	ASSERT_EQ(Positions.minValues.size(), 3u);
	const std::vector<float> PositionData = ReadFloats(Model, Primitive.attributes.at("POSITION"));
	for (size_t Index = 0; Index < PositionData.size(); ++Index)
	{
		ASSERT_GE(PositionData[Index], Positions.minValues[Index % 3]);
		ASSERT_LE(PositionData[Index], Positions.maxValues[Index % 3]);
	}
}

TEST(GltfExport, ExportsTheChosenElementsAndNoAnimationWhenNothingMoves)
{
	// The foot roll moves only its pivots; its bones take their initial pose every frame.
	const FScratchFolder Folder;
	const std::string Path = Folder / "bones.glb";
	const FCommandResult Result = RunCommandLine({"export", FootRollRig, "--gltf", Path.c_str(), "--elements",
		"pelvis,thigh_l,calf_l,foot_l,ball_l,toe_l,calf_l"});
	ASSERT_EQ(Result.ExitCode, 0) << Result.Err;
	EXPECT_EQ(Result.Out, "wrote " + Path + ": 6 joints, 49 frames at 24 fps (2.04 s)\n");
	const tinygltf::Model Model = LoadGlb(Path);
	// An element named twice is exported once.
	EXPECT_EQ(Model.nodes.size(), 8u);
	EXPECT_TRUE(Model.animations.empty());
	EXPECT_EQ(Model.scenes.at(0).extras.Get("frameCount").GetNumberAsInt(), 49);
}

TEST(GltfExport, TheKhronosValidatorFindsNoIssue)
{
	const std::string Validator = QV_SOURCE_DIR "/viewer/validate-gltf.mjs";
	if (!std::filesystem::exists(QV_SOURCE_DIR "/viewer/node_modules/gltf-validator/package.json"))
	{
		GTEST_SKIP() << "the glTF validator is not installed (viewer/node_modules; tools/install-deps installs it)";
	}
	if (std::system("node --version > /dev/null 2>&1") != 0)
	{
		GTEST_SKIP() << "Node.js is not installed (tools/install-deps installs it)";
	}
	const FScratchFolder Folder;
	// Every example, whatever units move it.
	for (const char* Rig :
		{ExportRig, FootRollRig, QV_SOURCE_DIR "/examples/arm.rig.json", QV_SOURCE_DIR "/examples/spine.rig.json",
			QV_SOURCE_DIR "/examples/face.rig.json", QV_SOURCE_DIR "/examples/character.rig.json"})
	{
		const std::string Path = Folder / "checked.glb";
		const FCommandResult Result = RunCommandLine({"export", Rig, "--gltf", Path.c_str(), "--force"});
		ASSERT_EQ(Result.ExitCode, 0) << Result.Err;
		const std::string Report = Folder / "report.txt";
		const int Status = std::system(("node " + Validator + " " + Path + " > " + Report + " 2>&1").c_str());
		std::ifstream Stream(Report);
		const std::string Text((std::istreambuf_iterator<char>(Stream)), std::istreambuf_iterator<char>());
		EXPECT_EQ(Status, 0) << Rig << ":\n" << Text;
		EXPECT_THAT(Text, ::testing::EndsWith("0 errors, 0 warnings\n"));
	}
}
