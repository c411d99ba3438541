// Reading the asset table of a rig file: any data asset class, field by field through reflection.
#include "QVRig/AssetReader.h"

#include "Engine/DataAsset.h"
#include "QVJson/ObjectJson.h"
#include "QVJson/JsonDocument.h"
#include "QVRig/ScriptTypeNames.h"
#include "UObject/Package.h"

#include <filesystem>

namespace
{
const UClass& ReadAssetClass(const FQVJsonValue& InClass)
{
	// Registers the base class, so a path naming it finds it as the engine would.
	const UClass* DataAssetClass = UDataAsset::StaticClass();
	const FString Name = InClass.AsString();
	const UClass* Class = FQVScriptTypeNames::Find<UClass>(Name);
	if (Class == nullptr)
	{
		InClass.Fail(FString::Printf(TEXT("unknown asset class '%s': no class of that name is registered in %s"), *Name,
			*FQVScriptTypeNames::GetPackage(Name)));
	}
	if (!Class->IsChildOf(DataAssetClass))
	{
		InClass.Fail(FString::Printf(TEXT("'%s' is not a data asset class an asset can be made of"), *Name));
	}
	if (Class->HasAnyClassFlags(CLASS_Abstract))
	{
		InClass.Fail(FString::Printf(TEXT("'%s' is an abstract class: no asset can be made of it"), *Name));
	}
	return *Class;
}

// The asset, and in OutFile the asset file its data came from (left empty for inline data).
UObject* ReadAsset(const FQVJsonValue& InEntry, const FString& InBaseDirectory, FString& OutFile)
{
	InEntry.ExpectObject({TEXT("class"), TEXT("file"), TEXT("data")});
	const UClass& Class = ReadAssetClass(InEntry.Get(TEXT("class")));

	const TOptional<FQVJsonValue> File = InEntry.Find(TEXT("file"));
	const TOptional<FQVJsonValue> Data = InEntry.Find(TEXT("data"));
	if (File.IsSet() == Data.IsSet())
	{
		InEntry.Fail(TEXT("an asset takes exactly one of 'file' and 'data'"));
	}
	UObject* Asset = NewObject<UObject>(GetTransientPackage(), &Class);
	if (Data.IsSet())
	{
		FQVObjectJson::ReadFields(*Asset, *Data);
		return Asset;
	}

	const std::filesystem::path Relative(*File->AsString());
	const FString FilePath((std::filesystem::path(*InBaseDirectory) / Relative).lexically_normal().string().c_str());
	if (const TOptional<FString> Problem = FQVJsonDocument::CheckFile(FilePath, TEXT("an asset file")))
	{
		File->Fail(FString::Printf(TEXT("the asset file '%s' %s"), *FilePath, **Problem));
	}
	if (TOptional<FQVJsonError> Error = FQVObjectJson::LoadFile(*Asset, FilePath))
	{
		throw *Error;
	}
	OutFile = FilePath;
	return Asset;
}
} // namespace

FQVRigAssets FQVAssetReader::Read(const FQVJsonValue& InAssets, const FString& InBaseDirectory)
{
	FQVRigAssets Assets;
	for (const TPair<FString, FQVJsonValue>& Member : InAssets.GetNameKeyedMembers())
	{
		// Ids are names: "None" is the engine's empty name, under which no pin could find the asset.
		if (FName(Member.Key).IsNone())
		{
			Member.Value.Fail(TEXT("an asset id must be a name: neither empty nor None, the engine's empty name"));
		}
		FString File;
		UObject* Asset = ReadAsset(Member.Value, InBaseDirectory, File);
		Assets.Add(FName(Member.Key), Asset, MoveTemp(File));
	}
	return Assets;
}
