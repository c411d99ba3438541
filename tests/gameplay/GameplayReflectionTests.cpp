// The gameplay classes as reflection presents them to the editor and Blueprint: names, class chain, metadata,
// the two Blueprint functions (called through reflection too) and the HUD's inherited editor settings.
#include "GameplayTestWorld.h"
#include "MetaDataTestUtils.h"

#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UnrealType.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

using ::testing::Pair;
using ::testing::UnorderedElementsAre;

namespace
{
UClass* FindPluginClass(const TCHAR* Name)
{
	return FindObject<UClass>(FindPackage(nullptr, TEXT("/Script/QuorvelUnreal")), Name);
}
} // namespace

TEST(GameplayReflection, TheStrafeComponentIsASpawnableComponentWithoutReflectedState)
{
	UClass* Class = FindPluginClass(TEXT("QVGameplayStrafeComponent"));
	ASSERT_NE(Class, nullptr);
	EXPECT_EQ(Class, UQVGameplayStrafeComponent::StaticClass());
	EXPECT_EQ(Class->GetPathName(), TEXT("/Script/QuorvelUnreal.QVGameplayStrafeComponent"));
	EXPECT_STREQ(Class->GetPrefixCPP(), TEXT("U"));
	EXPECT_FALSE(Class->HasAnyClassFlags(CLASS_Abstract));
	EXPECT_EQ(Class->GetSuperClass()->GetPathName(), TEXT("/Script/Engine.ActorComponent"));
	EXPECT_THAT(MetaDataOf(*Class),
		UnorderedElementsAre(Pair("BlueprintSpawnableComponent", ""), Pair("ClassGroupNames", "Quorvel"),
			Pair("ToolTip",
				"Optional facing control for generated demo characters; existing movement input stays intact."),
			Pair("IncludePath", "QVGameplayStrafeComponent.h"),
			Pair("ModuleRelativePath", "Public/QVGameplayStrafeComponent.h")));
	EXPECT_EQ(Class->GetOwnProperties().Num(), 0);
	EXPECT_EQ(Class->FindPropertyByName(FName(TEXT("bStrafing"))), nullptr);
}

TEST(GameplayReflection, ToggleStrafeAndIsStrafingAreBlueprintFunctionsThatReachTheComponent)
{
	UClass* Class = UQVGameplayStrafeComponent::StaticClass();
	UFunction* Toggle = Class->FindFunctionByName(FName(TEXT("ToggleStrafe")));
	UFunction* IsStrafing = Class->FindFunctionByName(FName(TEXT("IsStrafing")));
	ASSERT_NE(Toggle, nullptr);
	ASSERT_NE(IsStrafing, nullptr);

	EXPECT_TRUE(Toggle->HasAllFunctionFlags(FUNC_Native | FUNC_Public | FUNC_BlueprintCallable));
	EXPECT_FALSE(Toggle->HasAnyFunctionFlags(FUNC_BlueprintPure | FUNC_Const | FUNC_HasOutParms));
	EXPECT_EQ(Toggle->NumParms(), 0);
	// The notes above the declarations in the header are not tooltips; only the given one is.
	EXPECT_THAT(MetaDataOf(*Toggle),
		UnorderedElementsAre(Pair("Category", "Quorvel|Gameplay"),
			Pair("ToolTip", "Also available to Blueprint input bindings for a gamepad or a custom toggle."),
			Pair("ModuleRelativePath", "Public/QVGameplayStrafeComponent.h")));

	EXPECT_TRUE(IsStrafing->HasAllFunctionFlags(
		FUNC_Native | FUNC_Public | FUNC_BlueprintCallable | FUNC_BlueprintPure | FUNC_Const));
	EXPECT_EQ(IsStrafing->GetMetaData(TEXT("Category")), TEXT("Quorvel|Gameplay"));
	EXPECT_FALSE(IsStrafing->HasMetaData(TEXT("ToolTip")));
	EXPECT_FALSE(IsStrafing->GetReturnProperty()->HasMetaData(TEXT("ToolTip")));
	ASSERT_EQ(IsStrafing->NumParms(), 1);
	const FProperty* Return = IsStrafing->GetReturnProperty();
	ASSERT_NE(Return, nullptr);
	EXPECT_EQ(Return->GetName(), TEXT("ReturnValue"));
	EXPECT_NE(CastField<FBoolProperty>(Return), nullptr);
	EXPECT_TRUE(Return->HasAllPropertyFlags(CPF_Parm | CPF_OutParm | CPF_ReturnParm));

	// Called the way a Blueprint calls them: the toggle latches, and after a tick the query reports strafing.
	FStrafeTestWorld Test;
	Test.Frame();
	Test.Strafe->ProcessEvent(Toggle, nullptr);
	Test.Frame();
	bool Parms = false;
	Test.Strafe->ProcessEvent(IsStrafing, &Parms);
	EXPECT_TRUE(Parms);
}

TEST(GameplayReflection, TheHUDKeepsTheEngineHUDsEditorSettings)
{
	UClass* Class = FindPluginClass(TEXT("QVGameplayHUD"));
	ASSERT_NE(Class, nullptr);
	EXPECT_EQ(Class, AQVGameplayHUD::StaticClass());
	EXPECT_STREQ(Class->GetPrefixCPP(), TEXT("A"));
	UClass* EngineHUD = Class->GetSuperClass();
	EXPECT_EQ(EngineHUD, AHUD::StaticClass());
	EXPECT_EQ(EngineHUD->GetPathName(), TEXT("/Script/Engine.HUD"));
	EXPECT_EQ(EngineHUD->GetSuperClass(), AActor::StaticClass());

	EXPECT_EQ(Class->GetConfigName(), FName(TEXT("Game")));
	EXPECT_EQ(Class->GetMetaData(TEXT("HideCategories")), TEXT("Rendering Actor Input Replication"));
	EXPECT_EQ(Class->GetMetaData(TEXT("ShowCategories")), TEXT("Input|MouseInput Input|TouchInput"));
	// The HUD has no tooltip of its own (the engine HUD's does not pass to subclasses).
	EXPECT_FALSE(Class->HasMetaData(TEXT("ToolTip")));
	EXPECT_EQ(Class->FindFunctionByName(FName(TEXT("DrawHUD"))), nullptr);
}
