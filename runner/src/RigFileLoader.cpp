// The rig file's top level: format and version, then elements, assets, graph and animation, in that order.
#include "QVRig/RigFileLoader.h"

#include "QVRig/AnimationReader.h"
#include "QVRig/AssetReader.h"
#include "QVRig/ElementReader.h"
#include "QVRig/GraphReader.h"
#include "QVJson/JsonDocument.h"
#include "QVRig/RigNode.h"

#include <filesystem>

namespace
{
const TCHAR* const FormatName = TEXT("quorvel-rig");
constexpr int32 FormatVersion = 1;

TUniquePtr<FQVRig> BuildRig(const FQVJson& InDocument, const FString& InSourceName, const FString& InBaseDirectory)
{
	const FQVJsonValue Root(InDocument, FString());
	Root.ExpectObject(
		{TEXT("format"), TEXT("version"), TEXT("elements"), TEXT("assets"), TEXT("graph"), TEXT("animation")});

	const FQVJsonValue Format = Root.Get(TEXT("format"));
	if (!Format.IsString() || Format.AsString() != FormatName)
	{
		Format.FailExpected(FString::Printf(TEXT("the string \"%s\""), FormatName));
	}
	const FQVJsonValue Version = Root.Get(TEXT("version"));
	if (Version.AsInt32() != FormatVersion)
	{
		Version.Fail(FString::Printf(
			TEXT("this runner reads version %d, and the file is version %d"), FormatVersion, Version.AsInt32()));
	}

	TUniquePtr<URigHierarchy> Hierarchy = MakeUnique<URigHierarchy>();
	FQVElementReader::Read(Root.Get(TEXT("elements")), *Hierarchy);

	const TOptional<FQVJsonValue> AssetsValue = Root.Find(TEXT("assets"));
	FQVRigAssets Assets = AssetsValue.IsSet() ? FQVAssetReader::Read(*AssetsValue, InBaseDirectory) : FQVRigAssets();

	const TOptional<FQVJsonValue> GraphValue = Root.Find(TEXT("graph"));
	TArray<TUniquePtr<FQVRigNode>> Nodes =
		GraphValue.IsSet() ? FQVGraphReader::Read(*GraphValue, Assets) : TArray<TUniquePtr<FQVRigNode>>();

	const TOptional<FQVJsonValue> AnimationValue = Root.Find(TEXT("animation"));
	FQVRigAnimation Animation =
		AnimationValue.IsSet() ? FQVAnimationReader::Read(*AnimationValue, *Hierarchy, Nodes) : FQVRigAnimation();

	return MakeUnique<FQVRig>(
		InSourceName, MoveTemp(Hierarchy), MoveTemp(Assets), MoveTemp(Nodes), MoveTemp(Animation));
}
} // namespace

TUniquePtr<FQVRig> FQVRigFileLoader::LoadFile(const FString& InFilePath, FString& OutError)
{
	try
	{
		const FQVJson Document = FQVJsonDocument::LoadFile(InFilePath, TEXT("a rig file"));
		const FString BaseDirectory(std::filesystem::path(*InFilePath).parent_path().string().c_str());
		return BuildRig(Document, InFilePath, BaseDirectory);
	}
	catch (FQVJsonError& Error)
	{
		Error.SetFileIfUnset(InFilePath);
		OutError = Error.Format();
		return nullptr;
	}
}

TUniquePtr<FQVRig> FQVRigFileLoader::LoadText(
	const FString& InText, const FString& InSourceName, const FString& InBaseDirectory, FString& OutError)
{
	try
	{
		return BuildRig(FQVJsonDocument::Parse(InText), InSourceName, InBaseDirectory);
	}
	catch (FQVJsonError& Error)
	{
		Error.SetFileIfUnset(InSourceName);
		OutError = Error.Format();
		return nullptr;
	}
}
