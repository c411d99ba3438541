// The face records and asset: defaults, and their reflection in the script package (the stored format).
#include "QVFaceRigDataAsset.h"
#include "QVFaceSDKEvaluator.h"
#include "QVFaceSDKTypes.h"
#include "Templates/Casts.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UnrealType.h"

#include <gtest/gtest.h>

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

TEST(FaceRecords, TooltipsOfRecordsAndFields)
{
	UPackage* Package = ScriptPackage();
	const auto StructTip = [Package](const TCHAR* Name)
	{ return FindObject<UScriptStruct>(Package, Name)->GetMetaData(TEXT("ToolTip")); };
	const auto FieldTip = [Package](const TCHAR* Struct, const TCHAR* Field)
	{ return FindObject<UScriptStruct>(Package, Struct)->FindPropertyByName(Field)->GetMetaData(TEXT("ToolTip")); };

	EXPECT_TRUE(
		StructTip(TEXT("QVFaceSDKDirectControl"))
			.Equals(TEXT("An animator control whose local delta is added to a face bone after SDK evaluation.")));
	EXPECT_TRUE(StructTip(TEXT("QVFaceSDKEyeChain"))
					.Equals(TEXT("A layered eye: SDK drives the null, the animator controls the final control, and the "
								 "skeleton bone keeps its imported parent.")));
	EXPECT_TRUE(StructTip(TEXT("QVFaceSDKVisibilityGroup"))
					.Equals(TEXT("JSON visibility switch and the controller shapes it affects.")));
	EXPECT_TRUE(StructTip(TEXT("QVFaceSDKDriver")).IsEmpty());
	EXPECT_TRUE(FieldTip(TEXT("QVFaceSDKFollowControl"), TEXT("ControlName"))
					.Equals(TEXT("Animator control below FollowNullName. Its visual input is cancelled after SDK "
								 "evaluation.")));
	EXPECT_TRUE(FieldTip(TEXT("QVFaceSDKAimBinding"), TEXT("AimAxis"))
					.Equals(TEXT("Authored in the eye's local frame, not converted as a world vector.")));
	EXPECT_TRUE(FieldTip(TEXT("QVFaceSDKDirectControl"), TEXT("FollowNullName"))
					.Equals(TEXT("Optional controller-hierarchy helper that follows BoneName.")));
	EXPECT_TRUE(FieldTip(TEXT("QVDrivenSDKChannel"), TEXT("Keys")).IsEmpty());
}
