// Building the glTF document with tinygltf: buffers, accessors, nodes, the skin, the mesh and the animation.
// tinygltf comes first: it must see none of the engine's macros.
#include <tiny_gltf.h>

#include "QVRig/GltfExport.h"

#include "QVRig/FileNames.h"
#include "QVRig/SkeletonShapes.h"

#include <cmath>
#include <cstring>
#include <sstream>

namespace
{
constexpr int32 ArrayBufferTarget = 34962;

// All binary data of the file goes to one buffer, each accessor in a view of its own.
class FGltfBuilder
{
public:
	explicit FGltfBuilder(tinygltf::Model& OutModel) : Model(OutModel) { Model.buffers.emplace_back(); }

	// An accessor of InCount items of InType (TINYGLTF_TYPE_VEC3, ...) over InData; min and max given when
	// the format asks for them.
	template <typename ComponentType>
	int32 AddAccessor(const TArray<ComponentType>& InData, int32 InComponentType, int32 InType,
		int32 InComponentsPerItem, bool bInVertexData, std::vector<double> InMin = {}, std::vector<double> InMax = {})
	{
		std::vector<unsigned char>& Bytes = Model.buffers[0].data;
		// Every view starts on a four-byte boundary, as vertex attributes must.
		Bytes.resize((Bytes.size() + 3) & ~size_t(3));
		tinygltf::BufferView& View = Model.bufferViews.emplace_back();
		View.buffer = 0;
		View.byteOffset = Bytes.size();
		View.byteLength = sizeof(ComponentType) * static_cast<size_t>(InData.Num());
		View.target = bInVertexData ? ArrayBufferTarget : 0;
		Bytes.resize(Bytes.size() + View.byteLength);
		if (View.byteLength > 0)
		{
			std::memcpy(Bytes.data() + View.byteOffset, InData.GetData(), View.byteLength);
		}

		tinygltf::Accessor& Accessor = Model.accessors.emplace_back();
		Accessor.bufferView = static_cast<int32>(Model.bufferViews.size()) - 1;
		Accessor.byteOffset = 0;
		Accessor.componentType = InComponentType;
		Accessor.type = InType;
		Accessor.count = static_cast<size_t>(InData.Num() / InComponentsPerItem);
		Accessor.minValues = MoveTemp(InMin);
		Accessor.maxValues = MoveTemp(InMax);
		return static_cast<int32>(Model.accessors.size()) - 1;
	}

	int32 AddFloats(const TArray<float>& InData, int32 InType, int32 InComponentsPerItem, bool bInVertexData = false)
	{
		return AddAccessor(InData, TINYGLTF_COMPONENT_TYPE_FLOAT, InType, InComponentsPerItem, bInVertexData);
	}

private:
	tinygltf::Model& Model;
};

void AppendVector(TArray<float>& OutData, const FVector3f& InVector)
{
	OutData.Append({InVector.X, InVector.Y, InVector.Z});
}

void AppendVector(TArray<float>& OutData, const FVector& InVector)
{
	AppendVector(OutData, FVector3f(InVector));
}

std::vector<double> ToStd(const FVector& InVector)
{
	return {InVector.X, InVector.Y, InVector.Z};
}

// A unit quaternion, each component within [-1, 1] as the format requires (rounding can leave 1 + 2e-16).
std::vector<double> ToStd(const FQuat& InRotation)
{
	const FQuat Unit = InRotation.GetNormalized();
	return {FMath::Clamp(Unit.X, -1.0, 1.0), FMath::Clamp(Unit.Y, -1.0, 1.0), FMath::Clamp(Unit.Z, -1.0, 1.0),
		FMath::Clamp(Unit.W, -1.0, 1.0)};
}

std::string ToUtf8(const FString& InText)
{
	return std::string(*InText, static_cast<size_t>(InText.Len()));
}

const char* TypeWord(ERigElementType InType)
{
	switch (InType)
	{
		case ERigElementType::Bone:
			return "bone";
		case ERigElementType::Null:
			return "null";
		default:
			return "control";
	}
}

// The recording's local transforms in glTF's space, frame-major, and the initial pose's rig-space ones.
struct FGltfPoses
{
	TArray<FTransform> Locals;
	TArray<FTransform> InitialGlobals;
};

FGltfPoses ConvertPoses(const FQVPoseRecording& InRecording)
{
	const FQVAxisConversion Axes = FQVGltfExport::GetAxes();
	FGltfPoses Poses;
	const int32 NumElements = InRecording.Elements.Num();
	Poses.Locals.Reserve(InRecording.FrameCount * NumElements);
	for (int32 Frame = 0; Frame < InRecording.FrameCount; ++Frame)
	{
		for (int32 Element = 0; Element < NumElements; ++Element)
		{
			FTransform Local = Axes.ToOther(InRecording.GetLocalTransform(Frame, Element));
			// Each rotation on the side of the one before, so linear interpolation takes the short way.
			if (Frame > 0)
			{
				FQuat Rotation = Local.GetRotation();
				Rotation.EnforceShortestArcWith(Poses.Locals[(Frame - 1) * NumElements + Element].GetRotation());
				Local.SetRotation(Rotation);
			}
			Poses.Locals.Add(Local);
		}
	}
	for (int32 Element = 0; Element < NumElements; ++Element)
	{
		Poses.InitialGlobals.Add(Axes.ToOther(InRecording.InitialTransforms[Element]));
	}
	return Poses;
}

void AddNodes(const FQVPoseRecording& InRecording, const FGltfPoses& InPoses, tinygltf::Model& OutModel)
{
	tinygltf::Scene& Scene = OutModel.scenes.emplace_back();
	for (int32 Element = 0; Element < InRecording.Elements.Num(); ++Element)
	{
		tinygltf::Node& Node = OutModel.nodes.emplace_back();
		Node.name = ToUtf8(InRecording.Elements[Element].Name.ToString());
		const FTransform& Local = InPoses.Locals[Element];
		Node.translation = ToStd(Local.GetTranslation());
		Node.rotation = ToStd(Local.GetRotation());
		Node.scale = ToStd(Local.GetScale3D());
		tinygltf::Value::Object Extras;
		Extras["type"] = tinygltf::Value(std::string(TypeWord(InRecording.Elements[Element].Type)));
		Node.extras = tinygltf::Value(Extras);
	}
	// The joints of a skin need one common root: a node for the rig, at the origin, holds the elements without a
	// recorded parent.
	tinygltf::Node& Root = OutModel.nodes.emplace_back();
	Root.name = ToUtf8(QVFileStem(InRecording.RigPath));
	const int32 RootIndex = static_cast<int32>(OutModel.nodes.size()) - 1;
	Scene.nodes.push_back(RootIndex);
	for (int32 Element = 0; Element < InRecording.Elements.Num(); ++Element)
	{
		const int32 Parent = InRecording.Parents[Element];
		OutModel.nodes[Parent == INDEX_NONE ? RootIndex : Parent].children.push_back(Element);
	}
}

void AddSkinnedMesh(
	const FQVPoseRecording& InRecording, const FGltfPoses& InPoses, FGltfBuilder& InBuilder, tinygltf::Model& OutModel)
{
	const int32 NumJoints = InRecording.Elements.Num();
	TArray<FVector> Positions;
	TArray<ERigElementType> Types;
	TArray<float> InverseBindMatrices;
	for (int32 Joint = 0; Joint < NumJoints; ++Joint)
	{
		Positions.Add(InPoses.InitialGlobals[Joint].GetTranslation());
		Types.Add(InRecording.Elements[Joint].Type);
		// glTF's column-major layout of a column-vector matrix is the engine's row-major layout of its row-vector
		// matrix: the same sixteen numbers in the same order.
		const FMatrix Inverse = InPoses.InitialGlobals[Joint].ToMatrixWithScale().Inverse();
		for (int32 Row = 0; Row < 4; ++Row)
		{
			for (int32 Column = 0; Column < 4; ++Column)
			{
				InverseBindMatrices.Add(static_cast<float>(Inverse.M[Row][Column]));
			}
		}
	}
	const FQVSkeletonMesh Shapes = FQVSkeletonShapes::Build(Positions, InRecording.Parents, Types);

	TArray<float> PositionData;
	TArray<float> NormalData;
	TArray<float> ColorData;
	TArray<uint16> JointData;
	TArray<float> WeightData;
	FVector3f Min(UE_BIG_NUMBER);
	FVector3f Max(-UE_BIG_NUMBER);
	for (int32 Vertex = 0; Vertex < Shapes.Positions.Num(); ++Vertex)
	{
		AppendVector(PositionData, Shapes.Positions[Vertex]);
		AppendVector(NormalData, Shapes.Normals[Vertex]);
		AppendVector(ColorData, Shapes.Colors[Vertex]);
		JointData.Append({Shapes.Joints[Vertex], 0, 0, 0});
		WeightData.Append({1.0f, 0.0f, 0.0f, 0.0f});
		Min = Min.ComponentMin(Shapes.Positions[Vertex]);
		Max = Max.ComponentMax(Shapes.Positions[Vertex]);
	}

	tinygltf::Primitive Primitive;
	Primitive.mode = TINYGLTF_MODE_TRIANGLES;
	Primitive.material = 0;
	Primitive.attributes["POSITION"] = InBuilder.AddAccessor(PositionData, TINYGLTF_COMPONENT_TYPE_FLOAT,
		TINYGLTF_TYPE_VEC3, 3, true, ToStd(FVector(Min)), ToStd(FVector(Max)));
	Primitive.attributes["NORMAL"] = InBuilder.AddFloats(NormalData, TINYGLTF_TYPE_VEC3, 3, true);
	Primitive.attributes["COLOR_0"] = InBuilder.AddFloats(ColorData, TINYGLTF_TYPE_VEC3, 3, true);
	Primitive.attributes["JOINTS_0"] =
		InBuilder.AddAccessor(JointData, TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT, TINYGLTF_TYPE_VEC4, 4, true);
	Primitive.attributes["WEIGHTS_0"] = InBuilder.AddFloats(WeightData, TINYGLTF_TYPE_VEC4, 4, true);

	tinygltf::Material& Material = OutModel.materials.emplace_back();
	Material.name = "skeleton";
	Material.pbrMetallicRoughness.baseColorFactor = {1.0, 1.0, 1.0, 1.0};
	Material.pbrMetallicRoughness.metallicFactor = 0.0;
	Material.pbrMetallicRoughness.roughnessFactor = 0.6;

	tinygltf::Mesh& Mesh = OutModel.meshes.emplace_back();
	Mesh.name = "skeleton shapes";
	Mesh.primitives.push_back(Primitive);

	tinygltf::Skin& Skin = OutModel.skins.emplace_back();
	Skin.name = "skeleton";
	// The rig's node, after the joints.
	Skin.skeleton = NumJoints;
	Skin.inverseBindMatrices = InBuilder.AddFloats(InverseBindMatrices, TINYGLTF_TYPE_MAT4, 16);
	for (int32 Joint = 0; Joint < NumJoints; ++Joint)
	{
		Skin.joints.push_back(Joint);
	}

	// A skinned mesh's node transform is ignored: it sits at the scene's root.
	tinygltf::Node& MeshNode = OutModel.nodes.emplace_back();
	MeshNode.name = "skeleton shapes";
	MeshNode.mesh = 0;
	MeshNode.skin = 0;
	OutModel.scenes[0].nodes.push_back(static_cast<int32>(OutModel.nodes.size()) - 1);
}

// Changes smaller than this (in metres, quaternion components or scale factors) are rounding, not motion: a child
// that keeps its place on a turning parent has locals that differ in their last bits from frame to frame.
constexpr float MotionThreshold = 1e-6f;

// One path of one element's animation: its values per frame and whether they change.
struct FPathTrack
{
	const char* Path;
	int32 Type;
	int32 NumComponents;
	TArray<float> Values;

	bool Moves() const
	{
		for (int32 Index = NumComponents; Index < Values.Num(); ++Index)
		{
			if (!(FMath::Abs(Values[Index] - Values[Index % NumComponents]) <= MotionThreshold))
			{
				return true;
			}
		}
		return false;
	}
};

void AddAnimation(
	const FQVPoseRecording& InRecording, const FGltfPoses& InPoses, FGltfBuilder& InBuilder, tinygltf::Model& OutModel)
{
	tinygltf::Animation Animation;
	Animation.name = ToUtf8(QVFileStem(InRecording.RigPath));
	int32 TimeAccessor = INDEX_NONE;
	const int32 NumElements = InRecording.Elements.Num();
	for (int32 Element = 0; Element < NumElements; ++Element)
	{
		FPathTrack Tracks[] = {{"translation", TINYGLTF_TYPE_VEC3, 3, {}}, {"rotation", TINYGLTF_TYPE_VEC4, 4, {}},
			{"scale", TINYGLTF_TYPE_VEC3, 3, {}}};
		for (int32 Frame = 0; Frame < InRecording.FrameCount; ++Frame)
		{
			const FTransform& Local = InPoses.Locals[Frame * NumElements + Element];
			AppendVector(Tracks[0].Values, Local.GetTranslation());
			for (const double Component : ToStd(Local.GetRotation()))
			{
				Tracks[1].Values.Add(static_cast<float>(Component));
			}
			AppendVector(Tracks[2].Values, Local.GetScale3D());
		}
		for (const FPathTrack& Track : Tracks)
		{
			if (!Track.Moves())
			{
				continue;
			}
			if (TimeAccessor == INDEX_NONE)
			{
				const TArray<float> Times = FQVGltfExport::GetFrameTimes(InRecording.FrameRate, InRecording.FrameCount);
				TimeAccessor = InBuilder.AddAccessor(
					Times, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_SCALAR, 1, false, {Times[0]}, {Times.Last()});
			}
			tinygltf::AnimationSampler& Sampler = Animation.samplers.emplace_back();
			Sampler.input = TimeAccessor;
			Sampler.output = InBuilder.AddFloats(Track.Values, Track.Type, Track.NumComponents);
			Sampler.interpolation = "LINEAR";
			tinygltf::AnimationChannel& Channel = Animation.channels.emplace_back();
			Channel.sampler = static_cast<int32>(Animation.samplers.size()) - 1;
			Channel.target_node = Element;
			Channel.target_path = Track.Path;
		}
	}
	if (!Animation.channels.empty())
	{
		OutModel.animations.push_back(MoveTemp(Animation));
	}
}
} // namespace

FQVAxisConversion FQVGltfExport::GetAxes()
{
	FQVAxisConversion Axes;
	Axes.UpAxis = EQVUpAxis::Y;
	Axes.UnitInCentimetres = 100.0;
	return Axes;
}

TArray<float> FQVGltfExport::GetFrameTimes(double InFrameRate, int32 InFrameCount)
{
	TArray<float> Times;
	for (int32 Frame = 0; Frame < InFrameCount; ++Frame)
	{
		Times.Add(static_cast<float>(Frame / InFrameRate));
	}
	return Times;
}

TOptional<FString> FQVGltfExport::CheckFrameTimes(double InFrameRate, int32 InFrameCount)
{
	const TArray<float> Times = GetFrameTimes(InFrameRate, InFrameCount);
	for (int32 Frame = 1; Frame < Times.Num(); ++Frame)
	{
		if (!std::isfinite(Times[Frame]) || !(Times[Frame] > Times[Frame - 1]))
		{
			return FString::Printf(TEXT("at %g fps, frames %d and %d are not at distinct times in seconds a glTF file "
										"can hold; a glTF animation needs a frame rate that keeps them apart"),
				InFrameRate, Frame - 1, Frame);
		}
	}
	return TOptional<FString>();
}

std::string FQVGltfExport::WriteGlb(const FQVPoseRecording& InRecording)
{
	tinygltf::Model Model;
	Model.asset.version = "2.0";
	Model.asset.generator = "qvrig (QuorvelUnreal standalone runner)";
	FGltfBuilder Builder(Model);
	const FGltfPoses Poses = ConvertPoses(InRecording);
	AddNodes(InRecording, Poses, Model);
	if (!InRecording.Elements.IsEmpty())
	{
		AddSkinnedMesh(InRecording, Poses, Builder, Model);
	}
	AddAnimation(InRecording, Poses, Builder, Model);
	Model.defaultScene = 0;

	tinygltf::Value::Object Extras;
	Extras["frameRate"] = tinygltf::Value(InRecording.FrameRate);
	Extras["frameCount"] = tinygltf::Value(static_cast<int>(InRecording.FrameCount));
	Extras["rig"] = tinygltf::Value(ToUtf8(InRecording.RigPath));
	Model.scenes[0].extras = tinygltf::Value(Extras);
	Model.scenes[0].name = ToUtf8(QVFileStem(InRecording.RigPath));

	std::ostringstream Stream;
	tinygltf::TinyGLTF Writer;
	Writer.WriteGltfSceneToStream(&Model, Stream, false, true);
	return Stream.str();
}
