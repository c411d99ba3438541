// Reading the asset table of a rig file through the asset registry.
#include "QVRig/AssetReader.h"

#include "QVRig/JsonDocument.h"
#include "QVRig/RigAssetRegistry.h"

#include <filesystem>

namespace
{
UObject* ReadAsset(const FQVJsonValue& InEntry, const FString& InBaseDirectory)
{
	InEntry.ExpectObject({TEXT("class"), TEXT("file"), TEXT("data")});
	const FQVJsonValue ClassValue = InEntry.Get(TEXT("class"));
	const FName ClassName = ClassValue.AsName();
	const FQVRigAssetReadFunction* Read = FQVRigAssetRegistry::Get().Find(ClassName);
	if (Read == nullptr)
	{
		const TArray<FName> Known = FQVRigAssetRegistry::Get().GetClassNames();
		ClassValue.Fail(FString::Printf(TEXT("unknown asset class '%s' (%s)"), *ClassName.ToString(),
			Known.IsEmpty()
				? TEXT("this runner knows no asset classes yet")
				: *(TEXT("known classes: ") +
					  FString::JoinBy(Known, TEXT(", "), [](const FName& Name) { return Name.ToString(); }))));
	}

	const TOptional<FQVJsonValue> File = InEntry.Find(TEXT("file"));
	const TOptional<FQVJsonValue> Data = InEntry.Find(TEXT("data"));
	if (File.IsSet() == Data.IsSet())
	{
		InEntry.Fail(TEXT("an asset takes exactly one of 'file' and 'data'"));
	}
	if (Data.IsSet())
	{
		return (*Read)(*Data);
	}

	const std::filesystem::path Relative(*File->AsString());
	const FString FilePath((std::filesystem::path(*InBaseDirectory) / Relative).lexically_normal().string().c_str());
	if (!std::filesystem::is_regular_file(*FilePath))
	{
		File->Fail(FString::Printf(TEXT("the asset file '%s' does not exist"), *FilePath));
	}
	const FQVJson Document = FQVJsonDocument::LoadFile(FilePath);
	try
	{
		return (*Read)(FQVJsonValue(Document, FString()));
	}
	catch (FQVRigFileError& Error)
	{
		Error.SetFileIfUnset(FilePath);
		throw;
	}
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
		UObject* Asset = ReadAsset(Member.Value, InBaseDirectory);
		if (Asset == nullptr)
		{
			Member.Value.Fail(TEXT("the asset could not be built"));
		}
		Assets.Add(FName(Member.Key), Asset);
	}
	return Assets;
}
