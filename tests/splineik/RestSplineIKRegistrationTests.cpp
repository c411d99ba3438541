// The rest spline IK unit as the module presents it: its node metadata, its pins in order with their metadata,
// types and defaults, and its RigVM function.
#include "RigUnit_QVRestSplineIK.h"
#include "MetaDataTestUtils.h"

#include "RigVMCore/RigVMRegistry.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UnrealType.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::Pair;
using ::testing::UnorderedElementsAre;

TEST(RestSplineIKRegistration, TheScriptPackageHoldsTheUnitWithItsNodeMetadata)
{
	const UScriptStruct* Struct = FRigUnit_QVRestSplineIK::StaticStruct();
	UPackage* Package = FindPackage(nullptr, TEXT("/Script/QuorvelUnreal"));
	ASSERT_NE(Package, nullptr);
	EXPECT_EQ(FindObject<UScriptStruct>(Package, TEXT("RigUnit_QVRestSplineIK")), Struct);
	EXPECT_EQ(Struct->GetSuperStruct(), FRigUnitMutable::StaticStruct());
	EXPECT_EQ(FRigUnit_QVRestSplineIK().GetExecuteContextStruct(), FControlRigExecuteContext::StaticStruct());
	EXPECT_THAT(MetaDataOf(*Struct),
		UnorderedElementsAre(Pair("DisplayName", "QV Rest Spline IK"), Pair("Category", "Quorvel|Body"),
			Pair("Keywords", "Spline,IK,Rest,Offset"), Pair("NodeColor", "0.737911 0.099899 0.099899"),
			Pair("ToolTip", "Dense rest-curve deformation with joint offsets from evaluated path frames."),
			Pair("ModuleRelativePath", "Public/RigUnit_QVRestSplineIK.h")));
}

TEST(RestSplineIKRegistration, PinsInOrderWithTheirMetadataTypesAndDefaults)
{
	const UScriptStruct* Struct = FRigUnit_QVRestSplineIK::StaticStruct();
	std::vector<std::string> Names;
	for (TFieldIterator<FProperty> It(Struct, EFieldIteratorFlags::ExcludeSuper); It; ++It)
	{
		Names.push_back(*It->GetName());
	}
	EXPECT_THAT(Names,
		ElementsAre(
			"Items", "Controls", "FKPose", "Weight", "Stretch", "bRestoreFK", "Spline", "PathFrames", "JointOffsets"));

	// Exactly these tooltips; the other pins have none.
	const std::map<std::string, std::string> ToolTips = {
		{"Controls", "Ordered from the start of the chain to its tip; any count >= 2."},
		{"FKPose", "FK snapshots captured before any spline chain executes."},
		{"Stretch",
			"Maya's end-control stretchy channel, normalized from 0..10 to 0..1.\nDefault preserves "
			"existing rigs' fully stretchy deformation."},
		{"bRestoreFK",
			"Run before the forward FK loop to prevent last frame's IK translations\nand scales from "
			"leaking into the newly captured FK pose."},
		{"Spline", "Can be connected directly to Draw Spline for inspection."},
	};
	const std::map<std::string, std::string> Clamped = {{"ClampMin", "0.0"}, {"ClampMax", "1.0"}};
	for (TFieldIterator<FProperty> It(Struct, EFieldIteratorFlags::ExcludeSuper); It; ++It)
	{
		const std::string Name = *It->GetName();
		const bool bOutput = Name == "Spline" || Name == "PathFrames" || Name == "JointOffsets";
		std::map<std::string, std::string> Expected = {{bOutput ? "Output" : "Input", ""}, {"Category", "Pins"},
			{"ModuleRelativePath", "Public/RigUnit_QVRestSplineIK.h"}};
		if (const auto ToolTip = ToolTips.find(Name); ToolTip != ToolTips.end())
		{
			Expected["ToolTip"] = ToolTip->second;
		}
		if (Name == "Weight" || Name == "Stretch")
		{
			Expected.insert(Clamped.begin(), Clamped.end());
		}
		EXPECT_EQ(MetaDataOf(**It), Expected) << Name;
	}

	const FStructProperty* Spline = CastField<FStructProperty>(Struct->FindPropertyByName(FName(TEXT("Spline"))));
	ASSERT_NE(Spline, nullptr);
	EXPECT_EQ(Spline->Struct, FControlRigSpline::StaticStruct());
	EXPECT_EQ(Spline->Struct->GetPathName(), TEXT("/Script/ControlRigSpline.ControlRigSpline"));

	const FRigUnit_QVRestSplineIK Defaults;
	EXPECT_TRUE(Defaults.Items.IsEmpty() && Defaults.Controls.IsEmpty() && Defaults.FKPose.IsEmpty());
	EXPECT_EQ(Defaults.Weight, 1.f);
	EXPECT_EQ(Defaults.Stretch, 1.f);
	EXPECT_FALSE(Defaults.bRestoreFK);
	EXPECT_FALSE(Defaults.Spline.SplineData.IsValid());
	EXPECT_TRUE(Defaults.PathFrames.IsEmpty() && Defaults.JointOffsets.IsEmpty());
}

TEST(RestSplineIKRegistration, TheRigVMFunctionTakesThePinsInDeclarationOrder)
{
	FRigUnit_QVRestSplineIK::StaticStruct();
	const FRigVMFunction* Function =
		FRigVMRegistry_RWLock::Get().FindFunction(TEXT("FRigUnit_QVRestSplineIK::Execute"));
	ASSERT_NE(Function, nullptr);
	EXPECT_EQ(Function->Struct, FRigUnit_QVRestSplineIK::StaticStruct());
	EXPECT_EQ(Function->FunctionPtr, &FRigUnit_QVRestSplineIK::RigVMExecute);
	std::vector<std::pair<std::string, ERigVMPinDirection>> Arguments;
	for (const FRigVMFunctionArgument& Argument : Function->Arguments)
	{
		Arguments.emplace_back(*Argument.Name, Argument.Direction);
	}
	EXPECT_THAT(Arguments,
		ElementsAre(Pair("Items", ERigVMPinDirection::Input), Pair("Controls", ERigVMPinDirection::Input),
			Pair("FKPose", ERigVMPinDirection::Input), Pair("Weight", ERigVMPinDirection::Input),
			Pair("Stretch", ERigVMPinDirection::Input), Pair("bRestoreFK", ERigVMPinDirection::Input),
			Pair("Spline", ERigVMPinDirection::Output), Pair("PathFrames", ERigVMPinDirection::Output),
			Pair("JointOffsets", ERigVMPinDirection::Output)));
}
