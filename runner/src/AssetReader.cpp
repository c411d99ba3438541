// Reading the asset table of a rig file: any data asset class, field by field through reflection.
#include "QVRig/AssetReader.h"

#include "Engine/DataAsset.h"
#include "QVJson/ObjectJson.h"
#include "QVRig/GraphReader.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"

#include <filesystem>

namespace
{
// A bare class name is looked up in the plug-in's script package; "/Script/Module.Class" names any other.
const UClass* FindAssetClass(const FString& InName)
{
	if (InName.Contains(TEXT(".")))
	{
		return FindObject<UClass>(nullptr, *InName);
	}
	UPackage* Package = FindPackage(nullptr, FQVGraphReader::UnitPackageName);
	return Package != nullptr ? FindObject<UClass>(Package, *InName) : nullptr;
}

const UClass& ReadAssetClass(const FQVJsonValue& InClass)
{
	const FString Name = InClass.AsString();
	const UClass* Class = FindAssetClass(Name);
	if (Class == nullptr)
	{
		InClass.Fail(FString::Printf(TEXT("unknown asset class '%s': no class of that name is registered in %s"), *Name,
			FQVGraphReader::UnitPackageName));
	}
	if (!Class->IsChildOf(UDataAsset::StaticClass()) || Class->HasAnyClassFlags(CLASS_Abstract))
	{
		InClass.Fail(FString::Printf(TEXT("'%s' is not a data asset class an asset can be made of"), *Name));
	}
	return *Class;
}

UObject* ReadAsset(const FQVJsonValue& InEntry, const FString& InBaseDirectory)
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
	if (!std::filesystem::is_regular_file(*FilePath))
	{
		File->Fail(FString::Printf(TEXT("the asset file '%s' does not exist"), *FilePath));
	}
	if (TOptional<FQVJsonError> Error = FQVObjectJson::LoadFile(*Asset, FilePath))
	{
		throw *Error;
	}
	return Asset;
}
} // namespace

FQVRigAssets FQVAssetReader::Read(const FQVJsonValue& InAssets, const FString& InBaseDirectory)
{
	FQVRigAssets Assets;
	for (const TPair<FString, FQVJsonValue>& Member : InAssets.GetMembers())
	{
		if (Member.Key.IsEmpty())
		{
			Member.Value.Fail(TEXT("an asset id must not be empty"));
		}
		Assets.Add(FName(Member.Key), ReadAsset(Member.Value, InBaseDirectory));
	}
	return Assets;
}
