// The bend solver as the module presents it: the records and the unit in the script package with their fields,
// pins, defaults and metadata, and its RigVM function reading the five pins in declaration order.
#include "BendTestRig.h"
#include "MetaDataTestUtils.h"

#include "RigVMCore/RigVMRegistry.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UnrealType.h"

#include <gmock/gmock.h>

#include <map>

using ::testing::ElementsAre;
using ::testing::Pair;
using ::testing::UnorderedElementsAre;

namespace
{
std::vector<std::string> OwnFieldNames(const UStruct* Struct)
{
	std::vector<std::string> Names;
	for (TFieldIterator<FProperty> It(Struct, EFieldIteratorFlags::ExcludeSuper); It; ++It)
	{
		Names.push_back(*It->GetName());
	}
	return Names;
}

std::string ToolTipOf(const FProperty& Field)
{
	return Field.HasMetaData(TEXT("ToolTip")) ? std::string(*Field.GetMetaData(TEXT("ToolTip"))) : std::string("-");
}

UScriptStruct* FindInPackage(const TCHAR* Name)
{
	UPackage* Package = FindPackage(nullptr, TEXT("/Script/QuorvelUnreal"));
	return Package != nullptr ? FindObject<UScriptStruct>(Package, Name) : nullptr;
}
} // namespace

TEST(BendRegistration, TheRecordsAreBlueprintTypesWithTheirFieldsInOrder)
{
	UScriptStruct* Handle = FindInPackage(TEXT("QVBendHandle"));
	ASSERT_NE(Handle, nullptr);
	EXPECT_EQ(Handle, FQVBendHandle::StaticStruct());
	EXPECT_EQ(
		MetaDataOf(*Handle).at("ToolTip"), "An authored handle, in a clean controller hierarchy (never under a bone).");
	EXPECT_EQ(MetaDataOf(*Handle).at("BlueprintType"), "true");
	EXPECT_THAT(OwnFieldNames(Handle), ElementsAre("Control", "Space", "ParentControl", "Parameter"));

	UScriptStruct* Segment = FindInPackage(TEXT("QVBendSegment"));
	ASSERT_NE(Segment, nullptr);
	EXPECT_EQ(Segment, FQVBendSegment::StaticStruct());
	EXPECT_EQ(MetaDataOf(*Segment).count("ToolTip"), 0u);
	EXPECT_EQ(MetaDataOf(*Segment).at("BlueprintType"), "true");
	EXPECT_THAT(OwnFieldNames(Segment),
		ElementsAre("Bones", "Parameters", "Handles", "Master", "MasterSpace", "MasterParameter"));

	// Only the handle list documents itself; the other fields carry code notes, not tooltips.
	for (const UScriptStruct* Record : {Handle, Segment})
	{
		for (TFieldIterator<FProperty> It(Record, EFieldIteratorFlags::ExcludeSuper); It; ++It)
		{
			const std::string Expected = It->GetName() == TEXT("Handles")
				? "Ordered start, interior handles, end. NAME_None denotes an unanimated endpoint."
				: "-";
			EXPECT_EQ(ToolTipOf(**It), Expected) << *It->GetName();
			EXPECT_FALSE(It->HasMetaData(TEXT("Category"))) << *It->GetName();
		}
	}
	const FArrayProperty* Handles = CastField<FArrayProperty>(Segment->FindPropertyByName(TEXT("Handles")));
	ASSERT_NE(Handles, nullptr);
	EXPECT_EQ(CastFieldChecked<FStructProperty>(Handles->Inner)->Struct, Handle);

	const FQVBendHandle DefaultHandle;
	EXPECT_TRUE(DefaultHandle.Control.IsNone() && DefaultHandle.Space.IsNone() && DefaultHandle.ParentControl.IsNone());
	EXPECT_EQ(DefaultHandle.Parameter, 0.5f);
	const FQVBendSegment DefaultSegment;
	EXPECT_TRUE(
		DefaultSegment.Bones.IsEmpty() && DefaultSegment.Parameters.IsEmpty() && DefaultSegment.Handles.IsEmpty());
	EXPECT_TRUE(DefaultSegment.Master.IsNone() && DefaultSegment.MasterSpace.IsNone());
	EXPECT_EQ(DefaultSegment.MasterParameter, 0.5f);
}

TEST(BendRegistration, TheUnitHasItsNodeMetadataPinsAndDefaults)
{
	UScriptStruct* Struct = FindInPackage(TEXT("RigUnit_QVBendySolver"));
	ASSERT_NE(Struct, nullptr);
	EXPECT_EQ(Struct, FRigUnit_QVBendySolver::StaticStruct());
	EXPECT_EQ(Struct->GetSuperStruct(), FRigUnitMutable::StaticStruct());
	EXPECT_EQ(FRigUnit_QVBendySolver().GetExecuteContextStruct(), FControlRigExecuteContext::StaticStruct());
	EXPECT_THAT(MetaDataOf(*Struct),
		UnorderedElementsAre(Pair("DisplayName", "QV Bend Solver"), Pair("Category", "Quorvel|Body"),
			Pair("ToolTip", "Restore, pre-twist capture and post-twist deformation share hierarchy pose records."),
			Pair("Varying", ""), Pair("ModuleRelativePath", "Public/RigUnit_QVBendySolver.h")));

	EXPECT_THAT(
		OwnFieldNames(Struct), ElementsAre("bRestore", "bCaptureBase", "bCaptureOnly", "Segments", "SnapshotBones"));
	const std::map<std::string, std::string> ToolTips = {
		{"bCaptureBase", "Keep defaults compatible with previously generated solver nodes."},
		{"SnapshotBones", "Parent-first order, matching the corresponding QVBendBase_<bone> nulls."},
	};
	for (TFieldIterator<FProperty> It(Struct, EFieldIteratorFlags::ExcludeSuper); It; ++It)
	{
		std::map<std::string, std::string> Expected = {
			{"Input", ""}, {"Category", "Pins"}, {"ModuleRelativePath", "Public/RigUnit_QVBendySolver.h"}};
		if (const auto ToolTip = ToolTips.find(*It->GetName()); ToolTip != ToolTips.end())
		{
			Expected["ToolTip"] = ToolTip->second;
		}
		EXPECT_EQ(MetaDataOf(**It), Expected) << *It->GetName();
	}

	const FRigUnit_QVBendySolver Unit;
	EXPECT_FALSE(Unit.bRestore);
	EXPECT_TRUE(Unit.bCaptureBase);
	EXPECT_FALSE(Unit.bCaptureOnly);
	EXPECT_TRUE(Unit.Segments.IsEmpty() && Unit.SnapshotBones.IsEmpty());
}

// Every behaviour test with an entry parameter also runs through this function and its memory handles.
TEST(BendRegistration, TheRigVMFunctionTakesTheFivePinsInOrder)
{
	FRigUnit_QVBendySolver::StaticStruct();
	const FRigVMFunction* Function = FRigVMRegistry_RWLock::Get().FindFunction(TEXT("FRigUnit_QVBendySolver::Execute"));
	ASSERT_NE(Function, nullptr);
	EXPECT_EQ(Function->FunctionPtr, &FRigUnit_QVBendySolver::RigVMExecute);
	ASSERT_EQ(Function->Arguments.Num(), 5);
	EXPECT_EQ(Function->Arguments[3].Name, TEXT("Segments"));
	EXPECT_EQ(Function->Arguments[4].Name, TEXT("SnapshotBones"));
}
