// The face records and asset: defaults, and their reflection in the script package (the stored format).
#include "QVFaceRigDataAsset.h"
#include "QVFaceSDKEvaluator.h"
#include "QVFaceSDKTypes.h"
#include "Templates/Casts.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UnrealType.h"

#include <gtest/gtest.h>

#include <map>

namespace
{
UPackage* ScriptPackage()
{
	return FindPackage(nullptr, TEXT("/Script/QuorvelUnreal"));
}
} // namespace

TEST(FaceRecords, DefaultsAreTheStoredDefaults)
{
	// A default driven channel is additive, local, RotationZ, multiplier 1, no keys: it adds nothing.
	const FQVDrivenSDKChannel Channel;
	EXPECT_TRUE(Channel.BoneName.IsNone());
	EXPECT_EQ(Channel.Channel, EQVFaceSDKChannel::RotationZ);
	EXPECT_EQ(Channel.Multiplier, 1.f);
	EXPECT_EQ(Channel.ApplyMode, EQVFaceSDKApplyMode::Additive);
	EXPECT_EQ(Channel.TransformSpace, EQVFaceSDKTransformSpace::Local);
	EXPECT_FALSE(Channel.bQuaternionRotation);
	EXPECT_EQ(FQVFaceSDKEvaluator::EvaluateSDKCurve(0.7f, Channel.Keys), 0.f);
	EXPECT_TRUE(QVEvaluateSDKQuaternionCurve(0.7f, Channel.QuaternionKeys).Equals(FQuat::Identity, 0.0));

	EXPECT_EQ(FQVFaceSDKDriver().Channel, EQVFaceSDKChannel::TranslationX);
	EXPECT_TRUE(FQVSDKQuaternionKey().Value.Equals(FQuat::Identity, 0.0));
	EXPECT_TRUE(FQVFaceSDKAimBinding().AimAxis.Equals(FVector(0, 0, 1), 0.0));
	EXPECT_TRUE(FQVFaceSDKAimBinding().UpAxis.Equals(FVector(0, 1, 0), 0.0));
	EXPECT_TRUE(FQVFaceSDKFollowControl().bFollowRotation);
	EXPECT_FALSE(FQVFaceSDKFollowControl().bBindInMeshSpace);
	EXPECT_TRUE(FQVFaceSDKVisibilityGroup().bDefaultVisible);

	// The stored enum values, Absolute not being 0.
	EXPECT_EQ(uint8(EQVFaceSDKApplyMode::Absolute), 1);
	EXPECT_EQ(uint8(EQVFaceSDKTransformSpace::World), 1);
	EXPECT_EQ(uint8(EQVFaceSDKChannel::Rotation), 6);
	EXPECT_EQ(uint8(EQVFaceSDKChannel::ValueFloat), 13);

	const UQVFaceRigDataAsset* Asset = NewObject<UQVFaceRigDataAsset>();
	EXPECT_EQ(Asset->Version, 1);
	EXPECT_TRUE(Asset->Drivers.IsEmpty());
	EXPECT_TRUE(Asset->VisibilityGroups.IsEmpty());

	// Records copy by value: arrays own their elements.
	FQVFaceSDKDriver Driver;
	Driver.Driven.AddDefaulted();
	FQVFaceSDKDriver Copy = Driver;
	Copy.Driven[0].Multiplier = 5.f;
	EXPECT_EQ(Driver.Driven[0].Multiplier, 1.f);
}

TEST(FaceRecords, ScriptPackageHoldsEveryTypeUnderItsName)
{
	UPackage* Package = ScriptPackage();
	ASSERT_NE(Package, nullptr);
	for (const TCHAR* Struct : {TEXT("QVSDKKey"), TEXT("QVSDKQuaternionKey"), TEXT("QVDrivenSDKChannel"),
			 TEXT("QVFaceSDKDriver"), TEXT("QVFaceSDKDirectControl"), TEXT("QVFaceSDKRegionControl"),
			 TEXT("QVFaceSDKProxyControl"), TEXT("QVFaceSDKEyeChain"), TEXT("QVFaceSDKAimBinding"),
			 TEXT("QVFaceSDKVisibilityGroup"), TEXT("QVFaceSDKFollowControl")})
	{
		const UScriptStruct* Found = FindObject<UScriptStruct>(Package, Struct);
		ASSERT_NE(Found, nullptr) << Struct;
		EXPECT_EQ(Found->GetMetaData(TEXT("BlueprintType")), FString(TEXT("true"))) << Struct;
		for (TFieldIterator<FProperty> It(Found); It; ++It)
		{
			EXPECT_TRUE(It->HasAnyPropertyFlags(CPF_Edit)) << Struct << "." << *It->GetName();
			EXPECT_TRUE(It->GetMetaData(TEXT("Category")).Equals(TEXT("Quorvel Face"))) << *It->GetName();
		}
	}
	for (const TCHAR* Enum : {TEXT("EQVFaceSDKChannel"), TEXT("EQVFaceSDKApplyMode"), TEXT("EQVFaceSDKTransformSpace")})
	{
		EXPECT_NE(FindObject<UEnum>(Package, Enum), nullptr) << Enum;
	}
	const UEnum* Channels = FindObject<UEnum>(Package, TEXT("EQVFaceSDKChannel"));
	EXPECT_EQ(Channels->GetValueByNameString(TEXT("ScaleY")), 8);
	EXPECT_TRUE(Channels->GetNameStringByValue(13).Equals(TEXT("ValueFloat")));

	const UClass* AssetClass = FindObject<UClass>(Package, TEXT("QVFaceRigDataAsset"));
	ASSERT_EQ(AssetClass, UQVFaceRigDataAsset::StaticClass());
	EXPECT_TRUE(AssetClass->IsChildOf(UDataAsset::StaticClass()));
	TArray<FString> Fields;
	for (TFieldIterator<FProperty> It(AssetClass); It; ++It)
	{
		Fields.Add(It->GetName());
		// Editable, and read-only to Blueprint.
		EXPECT_TRUE(It->HasAllPropertyFlags(CPF_Edit | CPF_BlueprintVisible | CPF_BlueprintReadOnly)) << *It->GetName();
	}
	const TArray<FString> Expected = {TEXT("Version"), TEXT("Drivers"), TEXT("DirectControls"), TEXT("RegionControls"),
		TEXT("ProxyControls"), TEXT("EyeChains"), TEXT("AimBindings"), TEXT("FollowControls"),
		TEXT("VisibilityGroups")};
	EXPECT_EQ(Fields, Expected);
}

TEST(FaceRecords, TooltipsOfRecordsFieldsEnumsAndTheAssetAreExactlyTheDocumentedOnes)
{
	UPackage* Package = ScriptPackage();
	// Every record with its tooltip (empty: none), and the fields that have one; the header's other comments are
	// notes for readers of the code and must not reach the editor.
	struct FRecord
	{
		const TCHAR* Name;
		const TCHAR* ToolTip;
		std::map<FString, FString> FieldToolTips;
	};
	const FRecord Records[] = {
		{TEXT("QVSDKKey"), TEXT(""), {}},
		{TEXT("QVSDKQuaternionKey"), TEXT(""), {}},
		{TEXT("QVDrivenSDKChannel"), TEXT(""), {}},
		{TEXT("QVFaceSDKDriver"), TEXT(""), {}},
		{TEXT("QVFaceSDKDirectControl"),
			TEXT("An animator control whose local delta is added to a face bone after SDK evaluation."),
			{{TEXT("FollowNullName"), TEXT("Optional controller-hierarchy helper that follows BoneName.")}}},
		{TEXT("QVFaceSDKRegionControl"),
			TEXT("A transform around one region pivot, layered over the completed SDK/direct pose."), {}},
		{TEXT("QVFaceSDKProxyControl"), TEXT("A non-animatable board shortcut for an existing animator control."), {}},
		{TEXT("QVFaceSDKEyeChain"),
			TEXT("A layered eye: SDK drives the null, the animator controls the final control, and the skeleton bone "
				 "keeps its imported parent."),
			{}},
		{TEXT("QVFaceSDKAimBinding"),
			TEXT("An AimEye target driving the established EyeAim layer with maintain offset."),
			{{TEXT("AimAxis"), TEXT("Authored in the eye's local frame, not converted as a world vector.")}}},
		{TEXT("QVFaceSDKFollowControl"),
			TEXT("A controller-hierarchy helper that follows a bone with calculated maintain-offset."),
			{{TEXT("ControlName"),
				 TEXT("Animator control below FollowNullName. Its visual input is cancelled after SDK evaluation.")},
				{TEXT("bFollowRotation"), TEXT("When false, this helper follows the bone's translation only.")},
				{TEXT("bBindInMeshSpace"), TEXT("Face direct controls bind to imported joint frames in mesh units.")}}},
		{TEXT("QVFaceSDKVisibilityGroup"), TEXT("JSON visibility switch and the controller shapes it affects."), {}},
	};
	for (const FRecord& Record : Records)
	{
		const UScriptStruct* Struct = FindObject<UScriptStruct>(Package, Record.Name);
		ASSERT_NE(Struct, nullptr) << Record.Name;
		EXPECT_EQ(std::string(*Struct->GetMetaData(TEXT("ToolTip"))), std::string(Record.ToolTip)) << Record.Name;
		EXPECT_EQ(Struct->HasMetaData(TEXT("ToolTip")), *Record.ToolTip != 0) << Record.Name;
		for (TFieldIterator<FProperty> It(Struct); It; ++It)
		{
			const auto Expected = Record.FieldToolTips.find(It->GetName());
			const FString ToolTip = Expected != Record.FieldToolTips.end() ? Expected->second : FString();
			EXPECT_EQ(std::string(*It->GetMetaData(TEXT("ToolTip"))), std::string(*ToolTip))
				<< Record.Name << "." << *It->GetName();
			EXPECT_EQ(It->HasMetaData(TEXT("ToolTip")), !ToolTip.IsEmpty()) << Record.Name << "." << *It->GetName();
		}
	}

	for (const TCHAR* Name : {TEXT("EQVFaceSDKChannel"), TEXT("EQVFaceSDKApplyMode"), TEXT("EQVFaceSDKTransformSpace")})
	{
		const UEnum* Enum = FindObject<UEnum>(Package, Name);
		ASSERT_NE(Enum, nullptr) << Name;
		EXPECT_FALSE(Enum->HasMetaData(TEXT("ToolTip"))) << Name;
		for (int32 Index = 0; Index < Enum->NumEnums(); ++Index)
		{
			EXPECT_FALSE(Enum->HasMetaData(TEXT("ToolTip"), Index)) << Name << " " << Index;
			EXPECT_FALSE(Enum->HasMetaData(TEXT("Comment"), Index)) << Name << " " << Index;
		}
	}

	const UClass* Asset = UQVFaceRigDataAsset::StaticClass();
	EXPECT_FALSE(Asset->HasMetaData(TEXT("ToolTip")));
	for (TFieldIterator<FProperty> It(Asset, EFieldIteratorFlags::ExcludeSuper); It; ++It)
	{
		EXPECT_FALSE(It->HasMetaData(TEXT("ToolTip"))) << *It->GetName();
	}
}
