// Reflected classes and objects: NewObject, Cast, class defaults, functions called through reflection, finding
// objects and the listing of a script package.
#include "Public/ReflectionTestTypes.h"
#include "ReflectionTestUtils.h"

#include "Rigs/RigHierarchy.h"
#include "Rigs/RigHierarchyController.h"
#include "Templates/Casts.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UObjectHash.h"

#include <gmock/gmock.h>

using ::testing::UnorderedElementsAre;

TEST(ObjectReflection, NewObjectKnowsItsClassNameAndOuterAndCastsFollowTheClassChain)
{
	UQVTestObject* Base = NewObject<UQVTestObject>();
	UQVTestDerivedObject* Derived =
		NewObject<UQVTestDerivedObject>(Base, UQVTestDerivedObject::StaticClass(), FName(TEXT("Child")));
	ASSERT_NE(Base, nullptr);
	EXPECT_EQ(Base->GetClass(), UQVTestObject::StaticClass());
	EXPECT_EQ(Base->GetOuter(), GetTransientPackage());
	EXPECT_TRUE(Base->GetName().StartsWith(TEXT("QVTestObject_")));
	EXPECT_EQ(Base->Level, 7);
	EXPECT_EQ(Derived->GetPathName(), Base->GetPathName() + TEXT(":Child"));
	EXPECT_EQ(Derived->GetTypedOuter<UQVTestObject>(), Base);
	EXPECT_EQ(Derived->GetPackage(), GetTransientPackage());

	// The class chain: derived -> test object -> UObject.
	EXPECT_TRUE(Derived->IsA<UQVTestObject>());
	EXPECT_TRUE(Derived->IsA<UObject>());
	EXPECT_FALSE(Base->IsA<UQVTestDerivedObject>());
	EXPECT_FALSE(Base->IsA<UClass>());
	EXPECT_EQ(UQVTestDerivedObject::StaticClass()->GetSuperClass(), UQVTestObject::StaticClass());
	EXPECT_EQ(UQVTestObject::StaticClass()->GetSuperClass(), UObject::StaticClass());
	EXPECT_EQ(UObject::StaticClass()->GetSuperClass(), nullptr);

	UObject* AsObject = Derived;
	EXPECT_EQ(Cast<UQVTestObject>(AsObject), Derived);
	EXPECT_EQ(Cast<UQVTestDerivedObject>(static_cast<UObject*>(Base)), nullptr);
	EXPECT_EQ(Cast<UQVTestObject>(static_cast<UObject*>(nullptr)), nullptr);
	EXPECT_EQ(Cast<UQVTestObject>(TObjectPtr<UObject>(AsObject)), Derived);
	EXPECT_EQ(ExactCast<UQVTestObject>(AsObject), nullptr);
	EXPECT_EQ(CastChecked<UQVTestObject>(AsObject), Derived);
	// The rig element casts live beside the object casts.
	URigHierarchy Hierarchy;
	const FRigElementKey Bone =
		Hierarchy.GetController()->AddBone(TEXT("bone"), FRigElementKey(), FTransform::Identity, false);
	FRigBaseElement* Element = Hierarchy.Find(Bone);
	EXPECT_EQ(Cast<FRigBoneElement>(Element), Element);
	EXPECT_EQ(Cast<FRigNullElement>(Element), nullptr);

	// Types are objects too: a struct is a UScriptStruct, whose class is "ScriptStruct".
	UObject* StructObject = FQVTestInner::StaticStruct();
	EXPECT_EQ(StructObject->GetClass()->GetName(), TEXT("ScriptStruct"));
	EXPECT_EQ(Cast<UStruct>(StructObject), FQVTestInner::StaticStruct());
	EXPECT_EQ(Cast<UClass>(StructObject), nullptr);

	// Names are unique within an outer; found by name and class.
	EXPECT_EQ(FindObject<UQVTestObject>(Base, TEXT("Child")), Derived);
	EXPECT_EQ(FindObject<UQVTestDerivedObject>(Base, FName(TEXT("child"))), Derived);
	EXPECT_EQ(FindObject<UClass>(Base, TEXT("Child")), nullptr);
	EXPECT_EQ(FindObject<UQVTestObject>(Base, TEXT("Nobody")), nullptr);
	EXPECT_DEATH(NewObject<UQVTestObject>(Base, UQVTestObject::StaticClass(), FName(TEXT("Child"))), "already exists");
}

TEST(ObjectReflection, ClassDefaultsMetadataAndFlags)
{
	UClass* Class = UQVTestObject::StaticClass();
	EXPECT_EQ(Class->GetName(), TEXT("QVTestObject"));
	EXPECT_EQ(Class->GetPathName(), TEXT("/Script/QVReflectionTests.QVTestObject"));
	EXPECT_STREQ(Class->GetPrefixCPP(), TEXT("U"));
	EXPECT_TRUE(Class->HasAllClassFlags(CLASS_Native));
	EXPECT_FALSE(Class->HasAnyClassFlags(CLASS_Abstract));
	EXPECT_TRUE(UObject::StaticClass()->HasAnyClassFlags(CLASS_Abstract));
	EXPECT_EQ(Class->GetMetaData(TEXT("ClassGroupNames")), TEXT("Quorvel Tests"));
	EXPECT_EQ(Class->GetMetaData(TEXT("BlueprintType")), TEXT("true"));
	EXPECT_TRUE(Class->HasMetaData(TEXT("BlueprintSpawnableComponent")));
	EXPECT_EQ(Class->GetMetaData(TEXT("IncludePath")), TEXT("ReflectionTestTypes.h"));
	EXPECT_EQ(Class->GetMetaData(TEXT("ToolTip")), TEXT("An object with a level.\nUsed by the class tests."));

	UQVTestObject* Default = Class->GetDefaultObject<UQVTestObject>();
	ASSERT_NE(Default, nullptr);
	EXPECT_EQ(Default, GetDefault<UQVTestObject>());
	EXPECT_EQ(Default->GetName(), TEXT("Default__QVTestObject"));
	EXPECT_TRUE(Default->HasAnyFlags(RF_ClassDefaultObject));
	EXPECT_EQ(Default->Level, 7);
	// The abstract UObject still has a default object, made directly.
	EXPECT_DEATH(NewObject<UObject>(), "abstract");
}

TEST(ObjectReflection, AGeneratedClassBelowAHandWrittenOneInheritsItsConfigurationAndCategories)
{
	UClass* HandWritten = UQVTestHandWritten::StaticClass();
	EXPECT_EQ(HandWritten->GetPathName(), TEXT("/Script/QVHandWritten.QVTestHandWritten"));
	EXPECT_TRUE(HandWritten->HasAllClassFlags(CLASS_Intrinsic | CLASS_Native));
	UClass* Class = UQVTestHudLike::StaticClass();
	EXPECT_EQ(Class->GetSuperClass(), HandWritten);
	EXPECT_EQ(Class->ClassConfigName, FName(TEXT("Game")));
	// The parent's hidden categories less the ones this class shows, plus its own; and the other way round.
	EXPECT_EQ(Class->GetMetaData(TEXT("HideCategories")), TEXT("Rendering Input Replication Extra"));
	EXPECT_EQ(Class->GetMetaData(TEXT("ShowCategories")), TEXT("Input|MouseInput Input|TouchInput Actor"));

	UObject* Object = NewObject<UQVTestHudLike>();
	EXPECT_EQ(Cast<UQVTestHandWritten>(Object)->Value, 4);
	EXPECT_EQ(Cast<UQVTestObject>(Object), nullptr);
	// An object made without NewObject still knows its class.
	const UQVTestHandWritten Local;
	EXPECT_EQ(Local.GetClass(), HandWritten);
	EXPECT_TRUE(Local.GetFName().IsNone());
}

TEST(ObjectReflection, FunctionsAreFoundAndCalledThroughTheirParameterProperties)
{
	UClass* Class = UQVTestObject::StaticClass();
	UFunction* AddLevel = Class->FindFunctionByName(FName(TEXT("AddLevel")));
	UFunction* IsHigh = Class->FindFunctionByName(FName(TEXT("IsHigh")));
	ASSERT_NE(AddLevel, nullptr);
	ASSERT_NE(IsHigh, nullptr);
	EXPECT_EQ(UQVTestDerivedObject::StaticClass()->FindFunctionByName(FName(TEXT("AddLevel"))), AddLevel);
	EXPECT_EQ(UQVTestDerivedObject::StaticClass()->FindFunctionByName(
				  FName(TEXT("AddLevel")), EIncludeSuperFlag::ExcludeSuper),
		nullptr);
	// The standalone build is an editor build: editor-only functions are reflected and flagged as such.
	const UFunction* EditorOnlyAction = Class->FindFunctionByName(FName(TEXT("EditorOnlyAction")));
	ASSERT_NE(EditorOnlyAction, nullptr);
	EXPECT_TRUE(EditorOnlyAction->HasAllFunctionFlags(FUNC_EditorOnly));
	EXPECT_FALSE(AddLevel->HasAnyFunctionFlags(FUNC_EditorOnly));
	EXPECT_EQ(AddLevel->GetOuter(), Class);
	EXPECT_EQ(AddLevel->GetOwnerClass(), Class);

	EXPECT_TRUE(AddLevel->HasAllFunctionFlags(
		FUNC_Native | FUNC_Final | FUNC_Public | FUNC_BlueprintCallable | FUNC_HasOutParms));
	EXPECT_FALSE(AddLevel->HasAnyFunctionFlags(FUNC_BlueprintPure | FUNC_Const | FUNC_Static));
	EXPECT_TRUE(IsHigh->HasAllFunctionFlags(FUNC_BlueprintCallable | FUNC_BlueprintPure | FUNC_Const));
	EXPECT_EQ(AddLevel->GetMetaData(TEXT("Category")), TEXT("Quorvel|Test"));
	EXPECT_EQ(AddLevel->GetMetaData(TEXT("ToolTip")), TEXT("Adds to the level and returns the new level."));
	EXPECT_FALSE(IsHigh->HasMetaData(TEXT("ToolTip")));

	EXPECT_EQ(AddLevel->NumParms(), 4);
	EXPECT_THAT(PropertyNames(AddLevel), ::testing::ElementsAre("Amount", "Reason", "OutEcho", "ReturnValue"));
	const FProperty* Reason = AddLevel->FindPropertyByName(FName(TEXT("Reason")));
	const FProperty* Echo = AddLevel->FindPropertyByName(FName(TEXT("OutEcho")));
	const FProperty* Return = AddLevel->GetReturnProperty();
	ASSERT_NE(Return, nullptr);
	EXPECT_EQ(Return->GetFName(), FName(TEXT("ReturnValue")));
	EXPECT_TRUE(Return->HasAllPropertyFlags(CPF_Parm | CPF_OutParm | CPF_ReturnParm));
	EXPECT_TRUE(Reason->HasAllPropertyFlags(CPF_Parm | CPF_ConstParm));
	EXPECT_FALSE(Reason->HasAnyPropertyFlags(CPF_OutParm));
	EXPECT_TRUE(Echo->HasAllPropertyFlags(CPF_Parm | CPF_OutParm | CPF_ReferenceParm));
	EXPECT_TRUE(IsHigh->GetReturnProperty()->IsA<FBoolProperty>());

	// A parameter block laid out only from the properties, as a script call would.
	UQVTestObject* Object = NewObject<UQVTestObject>();
	TArray<uint8> Storage;
	Storage.SetNumZeroed(AddLevel->ParmsSize() + 16);
	uint8* Parms = Storage.GetData() + (16 - reinterpret_cast<std::uintptr_t>(Storage.GetData()) % 16) % 16;
	for (TFieldIterator<FProperty> It(AddLevel); It; ++It)
	{
		It->InitializeValue_InContainer(Parms);
	}
	*AddLevel->FindPropertyByName(FName(TEXT("Amount")))->ContainerPtrToValuePtr<int32>(Parms) = 5;
	*Reason->ContainerPtrToValuePtr<FString>(Parms) = TEXT("up");
	Object->ProcessEvent(AddLevel, Parms);
	EXPECT_EQ(*Return->ContainerPtrToValuePtr<int32>(Parms), 12);
	EXPECT_EQ(*Echo->ContainerPtrToValuePtr<FString>(Parms), TEXT("up!"));
	EXPECT_EQ(Object->Level, 12);
	for (TFieldIterator<FProperty> It(AddLevel); It; ++It)
	{
		It->DestroyValue_InContainer(Parms);
	}

	bool bHigh = false;
	Object->ProcessEvent(IsHigh, &bHigh);
	EXPECT_TRUE(bHigh);
}

TEST(ObjectReflection, TheScriptPackageListsItsTypesUnderTheirNames)
{
	UPackage* Package = FindPackage(nullptr, TEXT("/Script/QVReflectionTests"));
	ASSERT_NE(Package, nullptr);
	EXPECT_EQ(FindPackage(nullptr, TEXT("/Script/NoSuchModule")), nullptr);

	TArray<UObject*> Objects;
	GetObjectsWithOuter(Package, Objects, false);
	std::vector<std::string> Types;
	for (UObject* Object : Objects)
	{
		if (!Object->HasAnyFlags(RF_ClassDefaultObject))
		{
			Types.push_back(*(Object->GetClass()->GetName() + TEXT(" ") + Object->GetName()));
		}
	}
	EXPECT_THAT(Types,
		UnorderedElementsAre("Enum EQVTestShade", "ScriptStruct QVTestInner", "Class QVTestObject",
			"Class QVTestDerivedObject", "Class QVTestHudLike", "ScriptStruct QVTestAllKinds",
			"ScriptStruct RigUnit_QVTestUnit"));

	// Found by name, without the F, or by path.
	EXPECT_EQ(FindObject<UScriptStruct>(Package, TEXT("QVTestInner")), FQVTestInner::StaticStruct());
	EXPECT_EQ(FindObject<UScriptStruct>(Package, TEXT("FQVTestInner")), nullptr);
	EXPECT_EQ(FindObject<UEnum>(nullptr, TEXT("/Script/QVReflectionTests.EQVTestShade")), StaticEnum<EQVTestShade>());
	EXPECT_EQ(
		FindObject<UClass>(nullptr, TEXT("/Script/QVReflectionTests.QVTestObject")), UQVTestObject::StaticClass());
	EXPECT_EQ(FindObject<UClass>(nullptr, TEXT("/Script/QVReflectionTests.EQVTestShade")), nullptr);
}
