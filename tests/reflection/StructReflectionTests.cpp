// Reflected structs and enums: names, property kinds and offsets, defaults, metadata, flags, enum look-ups,
// arrays through FScriptArrayHelper, comparison and the engine structs reflected by hand.
#include "Public/ReflectionTestTypes.h"
#include "ReflectionTestUtils.h"

#include "Rigs/RigHierarchyCache.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

TEST(StructReflection, NamesKindsAndOffsetsFollowTheDeclaration)
{
	UScriptStruct* Struct = FQVTestAllKinds::StaticStruct();
	EXPECT_EQ(Struct->GetName(), TEXT("QVTestAllKinds"));
	EXPECT_EQ(Struct->GetPathName(), TEXT("/Script/QVReflectionTests.QVTestAllKinds"));
	EXPECT_EQ(Struct, StaticStruct<FQVTestAllKinds>());
	EXPECT_EQ(Struct->GetStructureSize(), int32(sizeof(FQVTestAllKinds)));
	EXPECT_EQ(Struct->GetMinAlignment(), int32(alignof(FQVTestAllKinds)));
	EXPECT_EQ(Struct->GetSuperStruct(), nullptr);
	EXPECT_THAT(PropertyNames(Struct),
		ElementsAre("bFlag", "Small", "Byte", "Integer", "Wide", "Single", "Precise", "Shade", "Name", "Text",
			"Location", "Pose", "Inner", "Names", "Inners", "Object", "RawObject", "Key"));

	struct FExpected
	{
		const TCHAR* Name;
		size_t Offset;
		const FFieldClass* Kind;
		const TCHAR* CppType;
	};
	const FExpected Expected[] = {
		{TEXT("bFlag"), offsetof(FQVTestAllKinds, bFlag), FBoolProperty::StaticClass(), TEXT("bool")},
		{TEXT("Small"), offsetof(FQVTestAllKinds, Small), FInt8Property::StaticClass(), TEXT("int8")},
		{TEXT("Byte"), offsetof(FQVTestAllKinds, Byte), FByteProperty::StaticClass(), TEXT("uint8")},
		{TEXT("Integer"), offsetof(FQVTestAllKinds, Integer), FIntProperty::StaticClass(), TEXT("int32")},
		{TEXT("Wide"), offsetof(FQVTestAllKinds, Wide), FInt64Property::StaticClass(), TEXT("int64")},
		{TEXT("Single"), offsetof(FQVTestAllKinds, Single), FFloatProperty::StaticClass(), TEXT("float")},
		{TEXT("Precise"), offsetof(FQVTestAllKinds, Precise), FDoubleProperty::StaticClass(), TEXT("double")},
		{TEXT("Shade"), offsetof(FQVTestAllKinds, Shade), FEnumProperty::StaticClass(), TEXT("EQVTestShade")},
		{TEXT("Name"), offsetof(FQVTestAllKinds, Name), FNameProperty::StaticClass(), TEXT("FName")},
		{TEXT("Text"), offsetof(FQVTestAllKinds, Text), FStrProperty::StaticClass(), TEXT("FString")},
		{TEXT("Location"), offsetof(FQVTestAllKinds, Location), FStructProperty::StaticClass(), TEXT("FVector")},
		{TEXT("Pose"), offsetof(FQVTestAllKinds, Pose), FStructProperty::StaticClass(), TEXT("FTransform")},
		{TEXT("Inner"), offsetof(FQVTestAllKinds, Inner), FStructProperty::StaticClass(), TEXT("FQVTestInner")},
		{TEXT("Names"), offsetof(FQVTestAllKinds, Names), FArrayProperty::StaticClass(), TEXT("TArray")},
		{TEXT("Inners"), offsetof(FQVTestAllKinds, Inners), FArrayProperty::StaticClass(), TEXT("TArray")},
		{TEXT("Object"), offsetof(FQVTestAllKinds, Object), FObjectProperty::StaticClass(),
			TEXT("TObjectPtr<UQVTestObject>")},
		{TEXT("RawObject"), offsetof(FQVTestAllKinds, RawObject), FObjectProperty::StaticClass(),
			TEXT("UQVTestObject*")},
		{TEXT("Key"), offsetof(FQVTestAllKinds, Key), FStructProperty::StaticClass(), TEXT("FRigElementKey")},
	};
	for (const FExpected& Field : Expected)
	{
		const FProperty* Property = Struct->FindPropertyByName(FName(Field.Name));
		ASSERT_NE(Property, nullptr) << Field.Name;
		EXPECT_EQ(Property->GetOffset_ForInternal(), int32(Field.Offset)) << Field.Name;
		EXPECT_EQ(Property->GetClass(), Field.Kind) << Field.Name;
		EXPECT_EQ(Property->GetCPPType(), Field.CppType) << Field.Name;
		EXPECT_EQ(Property->GetOwnerStruct(), Struct) << Field.Name;
	}
	EXPECT_EQ(Struct->FindPropertyByName(FName(TEXT("Plain"))), nullptr);

	FString Extended;
	EXPECT_EQ(Struct->FindPropertyByName(FName(TEXT("Inners")))->GetCPPType(&Extended), TEXT("TArray"));
	EXPECT_EQ(Extended, TEXT("<FQVTestInner>"));

	// The enum property reads its value through a uint8 underlying property of the same offset.
	const FEnumProperty* Shade = CastField<FEnumProperty>(Struct->FindPropertyByName(FName(TEXT("Shade"))));
	ASSERT_NE(Shade, nullptr);
	EXPECT_EQ(Shade->GetEnum(), StaticEnum<EQVTestShade>());
	EXPECT_TRUE(Shade->GetUnderlyingProperty()->IsA<FByteProperty>());
	EXPECT_EQ(Shade->GetUnderlyingProperty()->GetOffset_ForInternal(), 0);
	EXPECT_EQ(CastField<FNumericProperty>(Shade), nullptr);
	EXPECT_EQ(CastField<FStructProperty>(Struct->FindPropertyByName(FName(TEXT("Inner"))))->Struct,
		FQVTestInner::StaticStruct());
	EXPECT_EQ(CastField<FObjectProperty>(Struct->FindPropertyByName(FName(TEXT("Object"))))->PropertyClass,
		UQVTestObject::StaticClass());
}

TEST(StructReflection, DefaultsAreWhatTheStructOperationsConstruct)
{
	const FStructInstance Instance(FQVTestAllKinds::StaticStruct());
	EXPECT_TRUE(Instance.Value<bool>(TEXT("bFlag")));
	EXPECT_EQ(Instance.Value<int8>(TEXT("Small")), -5);
	EXPECT_EQ(Instance.Value<uint8>(TEXT("Byte")), 200);
	EXPECT_EQ(Instance.Value<int32>(TEXT("Integer")), -123456);
	EXPECT_EQ(Instance.Value<int64>(TEXT("Wide")), 1099511627776ll);
	EXPECT_EQ(Instance.Value<float>(TEXT("Single")), 0.25f);
	EXPECT_DOUBLE_EQ(Instance.Value<double>(TEXT("Precise")), 0.3333333333333333);
	EXPECT_EQ(Instance.Value<FName>(TEXT("Name")), FName(TEXT("Default")));
	EXPECT_TRUE(Instance.Value<FString>(TEXT("Text")).Equals(TEXT("Say \"hi\"\n"), ESearchCase::CaseSensitive));
	EXPECT_EQ(Instance.Value<FVector>(TEXT("Location")), FVector(1.0, 2.0, 3.0));
	EXPECT_EQ(Instance.Value<UQVTestObject*>(TEXT("Object")), nullptr);
	EXPECT_EQ(Instance.Value<FRigElementKey>(TEXT("Key")), FRigElementKey());
	EXPECT_EQ(Instance.Value<FQVTestInner>(TEXT("Inner")).Count, 3);

	// Read generically, as a serialiser would: the enum through its underlying property, the nested struct's
	// fields through their own properties.
	const UScriptStruct* Struct = FQVTestAllKinds::StaticStruct();
	const FEnumProperty* Shade = CastField<FEnumProperty>(Struct->FindPropertyByName(FName(TEXT("Shade"))));
	const int64 ShadeValue =
		Shade->GetUnderlyingProperty()->GetSignedIntPropertyValue(Shade->ContainerPtrToValuePtr<void>(Instance.Get()));
	EXPECT_EQ(Shade->GetEnum()->GetNameStringByValue(ShadeValue), TEXT("Mid"));
	const FStructProperty* Inner = CastField<FStructProperty>(Struct->FindPropertyByName(FName(TEXT("Inner"))));
	const FNameProperty* Label = CastField<FNameProperty>(Inner->Struct->FindPropertyByName(FName(TEXT("Label"))));
	EXPECT_EQ(
		Label->GetPropertyValue_InContainer(Inner->ContainerPtrToValuePtr<void>(Instance.Get())), FName(TEXT("Inner")));
	const FNumericProperty* Single = CastField<FNumericProperty>(Struct->FindPropertyByName(FName(TEXT("Single"))));
	ASSERT_NE(Single, nullptr);
	EXPECT_TRUE(Single->IsFloatingPoint());
	Single->SetFloatingPointPropertyValue(Single->ContainerPtrToValuePtr<void>(Instance.Get()), 4.5);
	EXPECT_EQ(Instance.Value<float>(TEXT("Single")), 4.5f);
}

TEST(StructReflection, MetadataAndFlagsComeFromTheSpecifiers)
{
	const UScriptStruct* Struct = FQVTestAllKinds::StaticStruct();
	EXPECT_EQ(Struct->GetMetaData(TEXT("ModuleRelativePath")), TEXT("Public/ReflectionTestTypes.h"));
	EXPECT_FALSE(Struct->HasMetaData(TEXT("BlueprintType")));
	EXPECT_EQ(FQVTestInner::StaticStruct()->GetMetaData(TEXT("BlueprintType")), TEXT("true"));

	const FProperty* Flag = Struct->FindPropertyByName(FName(TEXT("bFlag")));
	EXPECT_TRUE(Flag->HasAllPropertyFlags(CPF_Edit | CPF_NativeAccessSpecifierPublic));
	EXPECT_FALSE(Flag->HasAnyPropertyFlags(CPF_BlueprintVisible | CPF_Transient));
	EXPECT_EQ(Flag->GetMetaData(TEXT("Category")), TEXT("Kinds"));
	EXPECT_EQ(Flag->GetMetaData(TEXT("ModuleRelativePath")), TEXT("Public/ReflectionTestTypes.h"));
	// No comment above it, no tooltip.
	EXPECT_FALSE(Struct->FindPropertyByName(FName(TEXT("Key")))->HasMetaData(TEXT("ToolTip")));
	// The standalone build is an editor build: editor-only members are reflected and flagged as such.
	EXPECT_THAT(
		PropertyNames(FQVTestInner::StaticStruct()), ::testing::ElementsAre("Count", "Label", "EditorOnlyCount"));
	EXPECT_TRUE(FQVTestInner::StaticStruct()
					->FindPropertyByName(FName(TEXT("EditorOnlyCount")))
					->HasAnyPropertyFlags(CPF_EditorOnly));
	EXPECT_FALSE(
		FQVTestInner::StaticStruct()->FindPropertyByName(FName(TEXT("Count")))->HasAnyPropertyFlags(CPF_EditorOnly));

	const FProperty* Key = Struct->FindPropertyByName(FName(TEXT("Key")));
	EXPECT_TRUE(Key->HasAllPropertyFlags(CPF_Edit | CPF_EditConst | CPF_BlueprintVisible));
	EXPECT_FALSE(Key->HasAnyPropertyFlags(CPF_BlueprintReadOnly));
	EXPECT_TRUE(Struct->FindPropertyByName(FName(TEXT("RawObject")))->HasAnyPropertyFlags(CPF_Transient));
	EXPECT_FALSE(Struct->FindPropertyByName(FName(TEXT("RawObject")))->HasAnyPropertyFlags(CPF_TObjectPtr));
	EXPECT_TRUE(Struct->FindPropertyByName(FName(TEXT("Object")))->HasAllPropertyFlags(CPF_TObjectPtrWrapper));

	const FProperty* Level = UQVTestObject::StaticClass()->FindPropertyByName(FName(TEXT("Level")));
	EXPECT_TRUE(Level->HasAllPropertyFlags(CPF_Edit | CPF_BlueprintVisible | CPF_BlueprintReadOnly));
	const FProperty* Hidden = UQVTestObject::StaticClass()->FindPropertyByName(FName(TEXT("Hidden")));
	EXPECT_TRUE(Hidden->HasAllPropertyFlags(CPF_NativeAccessSpecifierProtected | CPF_EditConst));
	EXPECT_EQ(Hidden->GetMetaData(TEXT("Missing")), TEXT(""));
	EXPECT_EQ(Hidden->FindMetaData(TEXT("Missing")), nullptr);
}

TEST(StructReflection, EnumNamesValuesAndEnumeratorMetadata)
{
	const UEnum* Enum = StaticEnum<EQVTestShade>();
	EXPECT_EQ(Enum->GetName(), TEXT("EQVTestShade"));
	EXPECT_EQ(Enum->GetPathName(), TEXT("/Script/QVReflectionTests.EQVTestShade"));
	EXPECT_EQ(Enum->GetCppForm(), UEnum::ECppForm::EnumClass);
	// Three enumerators and the MAX entry, one past the greatest value.
	ASSERT_EQ(Enum->NumEnums(), 4);
	EXPECT_EQ(Enum->GetNameByIndex(3), FName(TEXT("EQVTestShade::EQVTestShade_MAX")));
	EXPECT_EQ(Enum->GetValueByIndex(3), 7);

	EXPECT_EQ(Enum->GetNameByValue(6), FName(TEXT("EQVTestShade::Light")));
	EXPECT_EQ(Enum->GetNameStringByValue(2), TEXT("Dark"));
	EXPECT_EQ(Enum->GetNameStringByValue(3), TEXT(""));
	EXPECT_EQ(Enum->GetNameByValue(3), FName(NAME_None));
	EXPECT_EQ(Enum->GetValueByNameString(TEXT("Mid")), 5);
	EXPECT_EQ(Enum->GetValueByNameString(TEXT("EQVTestShade::Light")), 6);
	EXPECT_EQ(Enum->GetValueByName(FName(TEXT("dark"))), 2);
	EXPECT_EQ(Enum->GetValueByNameString(TEXT("Bright")), INDEX_NONE);
	EXPECT_EQ(Enum->GetValueByNameString(TEXT("EQVTestShade::")), INDEX_NONE);
	EXPECT_TRUE(Enum->IsValidEnumValue(5));
	EXPECT_FALSE(Enum->IsValidEnumValue(4));

	EXPECT_EQ(Enum->GetMetaData(TEXT("BlueprintType")), TEXT("true"));
	EXPECT_EQ(Enum->GetMetaData(TEXT("DisplayName"), 0), TEXT("Very Dark"));
	EXPECT_EQ(Enum->GetMetaData(TEXT("ToolTip"), 0), TEXT("The darkest shade."));
	EXPECT_EQ(Enum->GetMetaData(TEXT("Comment"), 0), TEXT("/** The darkest shade. */"));
	EXPECT_FALSE(Enum->HasMetaData(TEXT("DisplayName"), 1));
	EXPECT_EQ(Enum->GetMetaData(TEXT("Name"), 2), TEXT("EQVTestShade::Light"));
}

TEST(StructReflection, ArrayHelperEditsTheArrayInPlace)
{
	FQVTestAllKinds Value;
	const FArrayProperty* Names =
		CastField<FArrayProperty>(FQVTestAllKinds::StaticStruct()->FindPropertyByName(FName(TEXT("Names"))));
	ASSERT_NE(Names, nullptr);
	const FNameProperty* Inner = CastField<FNameProperty>(Names->Inner);
	ASSERT_NE(Inner, nullptr);

	FScriptArrayHelper_InContainer Helper(Names, &Value);
	EXPECT_EQ(Helper.Num(), 2);
	EXPECT_EQ(Inner->GetPropertyValue(Helper.GetRawPtr(1)), FName(TEXT("B")));
	EXPECT_EQ(Helper.GetRawPtr(2), nullptr);

	const int32 Added = Helper.AddValue();
	EXPECT_EQ(Added, 2);
	EXPECT_TRUE(Value.Names[2].IsNone());
	Inner->SetPropertyValue(Helper.GetRawPtr(Added), FName(TEXT("C")));
	Helper.RemoveValues(0);
	EXPECT_THAT(ToVector(Value.Names), ElementsAre(FName(TEXT("B")), FName(TEXT("C"))));
	Helper.InsertValues(1, 2);
	EXPECT_THAT(ToVector(Value.Names), ElementsAre(FName(TEXT("B")), FName(), FName(), FName(TEXT("C"))));
	Helper.Resize(1);
	EXPECT_THAT(ToVector(Value.Names), ElementsAre(FName(TEXT("B"))));
	Helper.EmptyValues();
	EXPECT_EQ(Value.Names.Num(), 0);

	// Structs in arrays are default-constructed, with their own defaults.
	const FArrayProperty* Inners =
		CastField<FArrayProperty>(FQVTestAllKinds::StaticStruct()->FindPropertyByName(FName(TEXT("Inners"))));
	FScriptArrayHelper_InContainer InnerHelper(Inners, &Value);
	InnerHelper.AddValues(2);
	ASSERT_EQ(Value.Inners.Num(), 2);
	EXPECT_EQ(Value.Inners[1].Count, 3);
	EXPECT_EQ(Value.Inners[1].Label, FName(TEXT("Inner")));
}

TEST(StructReflection, CopyAndCompareGoThroughTheProperties)
{
	const UScriptStruct* Struct = FQVTestAllKinds::StaticStruct();
	FQVTestAllKinds A;
	A.Names.Add(TEXT("C"));
	A.Inners.AddDefaulted(2);
	A.Inners[1].Count = 11;
	A.Pose.SetTranslation(FVector(4.0, 5.0, 6.0));
	FQVTestAllKinds B;
	EXPECT_FALSE(Struct->CompareScriptStruct(&A, &B));
	Struct->CopyScriptStruct(&B, &A);
	EXPECT_TRUE(Struct->CompareScriptStruct(&A, &B));
	EXPECT_EQ(B.Inners[1].Count, 11);

	// One element deep in an array, a transform member, a string's case: each breaks the identity.
	B.Inners[1].Count = 12;
	EXPECT_FALSE(Struct->CompareScriptStruct(&A, &B));
	B.Inners[1].Count = 11;
	B.Pose.SetTranslation(FVector(4.0, 5.0, 6.5));
	EXPECT_FALSE(Struct->CompareScriptStruct(&A, &B));
	B.Pose = A.Pose;
	B.Text = TEXT("SAY \"hi\"\n");
	EXPECT_FALSE(Struct->CompareScriptStruct(&A, &B));
	B.Text = A.Text;
	EXPECT_TRUE(Struct->CompareScriptStruct(&A, &B));

	const FProperty* Names = Struct->FindPropertyByName(FName(TEXT("Names")));
	const FQVTestAllKinds Fresh;
	Names->CopyCompleteValue_InContainer(&B, &Fresh);
	EXPECT_EQ(B.Names.Num(), 2);
	EXPECT_FALSE(Names->Identical_InContainer(&A, &B));
}

TEST(StructReflection, EngineStructsAreReflectedUnderTheirNames)
{
	struct FExpected
	{
		UScriptStruct* Struct;
		const TCHAR* Name;
		int32 Size;
		int32 NumProperties;
	};
	const FExpected Expected[] = {
		{TBaseStructure<FVector>::Get(), TEXT("Vector"), int32(sizeof(FVector)), 3},
		{TBaseStructure<FVector2D>::Get(), TEXT("Vector2D"), int32(sizeof(FVector2D)), 2},
		{TBaseStructure<FVector4>::Get(), TEXT("Vector4"), int32(sizeof(FVector4)), 4},
		{TBaseStructure<FQuat>::Get(), TEXT("Quat"), int32(sizeof(FQuat)), 4},
		{TBaseStructure<FRotator>::Get(), TEXT("Rotator"), int32(sizeof(FRotator)), 3},
		{TBaseStructure<FTransform>::Get(), TEXT("Transform"), int32(sizeof(FTransform)), 3},
		{TBaseStructure<FLinearColor>::Get(), TEXT("LinearColor"), int32(sizeof(FLinearColor)), 4},
		{TBaseStructure<FEulerTransform>::Get(), TEXT("EulerTransform"), int32(sizeof(FEulerTransform)), 3},
		{TBaseStructure<FRigElementKey>::Get(), TEXT("RigElementKey"), int32(sizeof(FRigElementKey)), 2},
		{TBaseStructure<FCachedRigElement>::Get(), TEXT("CachedRigElement"), int32(sizeof(FCachedRigElement)), 0},
		{FControlRigExecuteContext::StaticStruct(), TEXT("ControlRigExecuteContext"),
			int32(sizeof(FControlRigExecuteContext)), 0},
	};
	for (const FExpected& Entry : Expected)
	{
		EXPECT_EQ(Entry.Struct->GetName(), Entry.Name);
		EXPECT_EQ(Entry.Struct->GetStructureSize(), Entry.Size) << Entry.Name;
		EXPECT_EQ(int32(PropertyNames(Entry.Struct).size()), Entry.NumProperties) << Entry.Name;
	}
	EXPECT_EQ(FindObject<UScriptStruct>(nullptr, TEXT("/Script/CoreUObject.Vector")), TBaseStructure<FVector>::Get());
	EXPECT_TRUE(FControlRigExecuteContext::StaticStruct()->IsChildOf(FRigVMExecuteContext::StaticStruct()));
	EXPECT_FALSE(FRigVMExecuteContext::StaticStruct()->IsChildOf(FControlRigExecuteContext::StaticStruct()));

	// Writing through the properties of a transform reaches its (protected) members.
	FTransform Transform;
	const FStructProperty* Translation =
		CastField<FStructProperty>(TBaseStructure<FTransform>::Get()->FindPropertyByName(FName(TEXT("Translation"))));
	const FDoubleProperty* Y = CastField<FDoubleProperty>(Translation->Struct->FindPropertyByName(FName(TEXT("Y"))));
	Y->SetPropertyValue_InContainer(Translation->ContainerPtrToValuePtr<void>(&Transform), 7.5);
	EXPECT_EQ(Transform.GetTranslation(), FVector(0.0, 7.5, 0.0));

	// The element key's type is an enum property of the hand-registered ERigElementType.
	FRigElementKey Key(TEXT("hand_l"), ERigElementType::Control);
	const FEnumProperty* Type =
		CastField<FEnumProperty>(TBaseStructure<FRigElementKey>::Get()->FindPropertyByName(FName(TEXT("Type"))));
	ASSERT_NE(Type, nullptr);
	EXPECT_EQ(Type->GetEnum()->GetNameStringByValue(
				  Type->GetUnderlyingProperty()->GetSignedIntPropertyValue(Type->ContainerPtrToValuePtr<void>(&Key))),
		TEXT("Control"));
}
