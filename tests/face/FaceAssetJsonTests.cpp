// The face asset stored as JSON by its reflected fields: loading the example, exact round trips, bad input.
#include "QVFaceRigDataAsset.h"
#include "QVJson/ObjectJson.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UnrealType.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <random>

namespace
{
const FString ExampleFile = FString(QV_SOURCE_DIR) + TEXT("/examples/face_rig.json");

UQVFaceRigDataAsset* LoadText(const FString& InText, TOptional<FQVJsonError>& OutError)
{
	UQVFaceRigDataAsset* Asset = NewObject<UQVFaceRigDataAsset>();
	OutError = FQVObjectJson::Load(*Asset, InText);
	return Asset;
}

// Fills any reflected value at random: numbers across their whole range (with signed zeros and denormals),
// every enumerator, names, nested structs and arrays of 0 to 3 items.
class FRandomFiller
{
public:
	explicit FRandomFiller(uint32 InSeed) : Random(InSeed) {}

	void Fill(const FProperty& Property, void* Value)
	{
		if (CastField<FBoolProperty>(&Property))
		{
			FBoolProperty::SetPropertyValue(Value, Random() % 2 == 0);
		}
		else if (const FFloatProperty* Float = CastField<FFloatProperty>(&Property))
		{
			Float->SetPropertyValue(Value, static_cast<float>(Number()));
		}
		else if (const FDoubleProperty* Double = CastField<FDoubleProperty>(&Property))
		{
			Double->SetPropertyValue(Value, Number());
		}
		else if (const FIntProperty* Int = CastField<FIntProperty>(&Property))
		{
			Int->SetPropertyValue(Value, static_cast<int32>(Random()));
		}
		else if (const FEnumProperty* Enum = CastField<FEnumProperty>(&Property))
		{
			// The last entry is the engine's _MAX, not an enumerator.
			const int32 Index = static_cast<int32>(Random() % (Enum->GetEnum()->NumEnums() - 1));
			Enum->GetUnderlyingProperty()->SetIntPropertyValue(Value, Enum->GetEnum()->GetValueByIndex(Index));
		}
		else if (CastField<FNameProperty>(&Property))
		{
			*static_cast<FName*>(Value) =
				Random() % 4 == 0 ? FName() : FName(FString::Printf(TEXT("Face_%u_M"), uint32(Random() % 1000)));
		}
		else if (const FStructProperty* Struct = CastField<FStructProperty>(&Property))
		{
			FillFields(*Struct->Struct, Value);
		}
		else if (const FArrayProperty* Array = CastField<FArrayProperty>(&Property))
		{
			FScriptArrayHelper Helper(Array, Value);
			Helper.Resize(static_cast<int32>(Random() % 4));
			for (int32 Index = 0; Index < Helper.Num(); ++Index)
			{
				Fill(*Array->Inner, Helper.GetRawPtr(Index));
			}
		}
		else
		{
			ADD_FAILURE() << "no filler for " << *Property.GetCPPType();
		}
	}

	void FillFields(const UStruct& Struct, void* Data)
	{
		for (TFieldIterator<FProperty> It(&Struct); It; ++It)
		{
			Fill(**It, It->ContainerPtrToValuePtr<void>(Data));
		}
	}

private:
	double Number()
	{
		switch (Random() % 6)
		{
			case 0:
				return -0.0;
			case 1:
				return std::numeric_limits<float>::denorm_min() * double(Random() % 100);
			case 2:
				return std::ldexp(double(Random()) / 4294967296.0 - 0.5, int(Random() % 200) - 100);
			default:
				return std::uniform_real_distribution<double>(-1000.0, 1000.0)(Random);
		}
	}

	std::mt19937 Random;
};
} // namespace

TEST(FaceAssetJson, LoadsTheExampleAsset)
{
	UQVFaceRigDataAsset* Asset = NewObject<UQVFaceRigDataAsset>();
	const TOptional<FQVJsonError> Error = FQVObjectJson::LoadFile(*Asset, ExampleFile);
	ASSERT_FALSE(Error.IsSet()) << *Error->Format();

	ASSERT_EQ(Asset->Drivers.Num(), 8);
	const FQVFaceSDKDriver& Mouth = Asset->Drivers[0];
	EXPECT_EQ(Mouth.ControlName, FName(TEXT("ctrlMouth_M")));
	EXPECT_EQ(Mouth.Channel, EQVFaceSDKChannel::TranslationY);
	ASSERT_EQ(Mouth.Driven.Num(), 2);
	EXPECT_EQ(Mouth.Driven[0].Keys.Num(), 3);
	EXPECT_EQ(Mouth.Driven[0].Keys[1].Y, -28.f);
	// Fields a record leaves out keep their defaults.
	EXPECT_EQ(Mouth.Driven[0].Multiplier, 1.f);
	EXPECT_EQ(Mouth.Driven[0].ApplyMode, EQVFaceSDKApplyMode::Additive);
	EXPECT_EQ(Mouth.Driven[1].ApplyMode, EQVFaceSDKApplyMode::Absolute);
	EXPECT_EQ(Asset->Drivers[1].Driven[0].TransformSpace, EQVFaceSDKTransformSpace::World);
	EXPECT_EQ(Asset->Drivers[1].Driven[0].Multiplier, 0.8f);

	const FQVDrivenSDKChannel& Brow = Asset->Drivers[2].Driven[0];
	EXPECT_TRUE(Brow.bQuaternionRotation);
	ASSERT_EQ(Brow.QuaternionKeys.Num(), 3);
	EXPECT_EQ(Brow.QuaternionKeys[0].Value.Z, -0.1305262);
	EXPECT_EQ(Asset->Drivers[3].CustomChannelName, FName(TEXT("blink")));
	EXPECT_EQ(Asset->Drivers[4].Channel, EQVFaceSDKChannel::ValueFloat);
	EXPECT_EQ(Asset->Drivers[4].Driven[1].Channel, EQVFaceSDKChannel::ScaleY);

	ASSERT_EQ(Asset->AimBindings.Num(), 2);
	EXPECT_TRUE(Asset->AimBindings[0].AimAxis.Equals(FVector(0, 1, 0), 0.0));
	ASSERT_EQ(Asset->FollowControls.Num(), 2);
	EXPECT_FALSE(Asset->FollowControls[0].bFollowRotation);
	EXPECT_FALSE(Asset->FollowControls[0].bBindInMeshSpace);
	EXPECT_TRUE(Asset->FollowControls[1].bFollowRotation);
	EXPECT_TRUE(Asset->FollowControls[1].bBindInMeshSpace);
	ASSERT_EQ(Asset->RegionControls.Num(), 1);
	EXPECT_EQ(Asset->RegionControls[0].BoneNames.Num(), 3);
	ASSERT_EQ(Asset->DirectControls.Num(), 2);
	EXPECT_TRUE(Asset->DirectControls[1].FollowNullName.IsNone());
	EXPECT_EQ(Asset->ProxyControls.Num(), 2);
	EXPECT_EQ(Asset->EyeChains.Num(), 2);
	EXPECT_EQ(Asset->VisibilityGroups[0].Members.Num(), 2);
}

TEST(FaceAssetJson, SaveThenLoadGivesBackTheSameAssetBitForBit)
{
	UQVFaceRigDataAsset* Example = NewObject<UQVFaceRigDataAsset>();
	ASSERT_FALSE(FQVObjectJson::LoadFile(*Example, ExampleFile).IsSet());
	TArray<UQVFaceRigDataAsset*> Sources = {Example};
	for (uint32 Seed = 1; Seed <= 5; ++Seed)
	{
		UQVFaceRigDataAsset* Random = NewObject<UQVFaceRigDataAsset>();
		FRandomFiller(Seed).FillFields(*UQVFaceRigDataAsset::StaticClass(), Random);
		Sources.Add(Random);
	}

	for (UQVFaceRigDataAsset* Source : Sources)
	{
		const FString Saved = FQVObjectJson::Save(*Source);
		TOptional<FQVJsonError> Error;
		UQVFaceRigDataAsset* Loaded = LoadText(Saved, Error);
		ASSERT_FALSE(Error.IsSet()) << *Error->Format();
		// Every field compares equal, and the text is identical: distinct floats never print alike.
		for (TFieldIterator<FProperty> It(UQVFaceRigDataAsset::StaticClass()); It; ++It)
		{
			EXPECT_TRUE(It->Identical_InContainer(Source, Loaded)) << *It->GetName();
		}
		EXPECT_TRUE(FQVObjectJson::Save(*Loaded).Equals(Saved));
	}

	// Signed zeros and denormals survive exactly.
	UQVFaceRigDataAsset* Edge = NewObject<UQVFaceRigDataAsset>();
	FQVSDKKey& Key = Edge->Drivers.AddDefaulted_GetRef().Driven.AddDefaulted_GetRef().Keys.AddDefaulted_GetRef();
	Key.X = -0.f;
	Key.Y = std::numeric_limits<float>::denorm_min();
	TOptional<FQVJsonError> Error;
	const UQVFaceRigDataAsset* Back = LoadText(FQVObjectJson::Save(*Edge), Error);
	ASSERT_FALSE(Error.IsSet());
	const FQVSDKKey& BackKey = Back->Drivers[0].Driven[0].Keys[0];
	EXPECT_EQ(std::memcmp(&BackKey.X, &Key.X, sizeof(float)), 0);
	EXPECT_EQ(std::memcmp(&BackKey.Y, &Key.Y, sizeof(float)), 0);
}

TEST(FaceAssetJson, FieldsLeftOutTakeTheirDefaults)
{
	UQVFaceRigDataAsset* Asset = NewObject<UQVFaceRigDataAsset>();
	ASSERT_FALSE(FQVObjectJson::LoadFile(*Asset, ExampleFile).IsSet());
	ASSERT_FALSE(FQVObjectJson::Load(*Asset, TEXT(R"({ "Drivers": [ { "Driven": [ {} ] } ] })")).IsSet());
	EXPECT_EQ(Asset->Version, 1);
	ASSERT_EQ(Asset->Drivers.Num(), 1);
	EXPECT_EQ(Asset->Drivers[0].Driven[0].Channel, EQVFaceSDKChannel::RotationZ);
	EXPECT_TRUE(Asset->AimBindings.IsEmpty());
}

TEST(FaceAssetJson, BadInputNamesItsPlaceAndChangesNothing)
{
	struct FBadInput
	{
		const char* Text;
		const char* Message;
	};
	const FBadInput Cases[] = {
		{R"({ "Drivers": [ {}, {}, {}, { "Driven": [ { "Channel": "RotZ" } ] } ] })",
			"Drivers[3].Driven[0].Channel: unknown value \"RotZ\" (expected 'TranslationX', "},
		{R"({ "Drivers": [ { "Driven": [ { "Multiplier": "big" } ] } ] })",
			"Drivers[0].Driven[0].Multiplier: expected a number, found the string \"big\""},
		{R"({ "Version": 1.5 })", "Version: expected a whole number"},
		{R"({ "AimBindings": [ { "AimAxis": [ 0, 1 ] } ] })", "AimBindings[0].AimAxis: expected [x, y, z]"},
		{R"({ "Drivers": [ { "Driven": [ { "Bone": "Jaw" } ] } ] })",
			"Drivers[0].Driven[0].Bone: unknown field 'Bone' of QVDrivenSDKChannel"},
		{R"({ "Drivers": [ { "ControlName": "Jaw" } ], "Colour": 1 })", "unknown field 'Colour' of QVFaceRigDataAsset"},
		{"{ \"Version\": 2,\n  \"Drivers\": [ { \"ControlName\": \"Jaw\" ]\n}", "malformed JSON at line 2, column"},
		{R"([ 1, 2 ])", "expected an object with the fields of QVFaceRigDataAsset"},
	};
	for (const FBadInput& Case : Cases)
	{
		UQVFaceRigDataAsset* Asset = NewObject<UQVFaceRigDataAsset>();
		ASSERT_FALSE(FQVObjectJson::LoadFile(*Asset, ExampleFile).IsSet());
		const FString Before = FQVObjectJson::Save(*Asset);

		const TOptional<FQVJsonError> Error = FQVObjectJson::Load(*Asset, Case.Text);
		ASSERT_TRUE(Error.IsSet()) << Case.Text;
		EXPECT_TRUE(Error->Format().Contains(Case.Message)) << *Error->Format();
		EXPECT_TRUE(FQVObjectJson::Save(*Asset).Equals(Before)) << Case.Text;
	}

	// A file that does not exist, or fails, names the file.
	UQVFaceRigDataAsset* Asset = NewObject<UQVFaceRigDataAsset>();
	const TOptional<FQVJsonError> Missing = FQVObjectJson::LoadFile(*Asset, TEXT("/nonexistent/face.json"));
	ASSERT_TRUE(Missing.IsSet());
	EXPECT_TRUE(Missing->Format().StartsWith(TEXT("/nonexistent/face.json: ")));
}
