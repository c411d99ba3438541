// The reverse foot roll as the module presents it: its script-package entry, node and pin metadata, pin defaults,
// its RigVM function (registered once and runnable through memory handles) and the module itself.
#include "RigUnit_QVReverseFootRoll.h"
#include "MetaDataTestUtils.h"

#include "Modules/ModuleManager.h"
#include "RigVMCore/RigVMRegistry.h"
#include "Rigs/RigHierarchy.h"
#include "Rigs/RigHierarchyController.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UnrealType.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <new>

using ::testing::ElementsAre;
using ::testing::Pair;
using ::testing::UnorderedElementsAre;

namespace
{
const TCHAR* const FunctionName = TEXT("FRigUnit_QVReverseFootRoll::Execute");

std::vector<std::string> OwnPinNames(const UStruct* Struct)
{
	std::vector<std::string> Names;
	for (TFieldIterator<FProperty> It(Struct, EFieldIteratorFlags::ExcludeSuper); It; ++It)
	{
		Names.push_back(*It->GetName());
	}
	return Names;
}
} // namespace

TEST(FootRollRegistration, TheScriptPackageHoldsTheUnitWithItsNodeMetadata)
{
	UPackage* Package = FindPackage(nullptr, TEXT("/Script/QuorvelUnreal"));
	ASSERT_NE(Package, nullptr);
	UScriptStruct* Struct = FindObject<UScriptStruct>(Package, TEXT("RigUnit_QVReverseFootRoll"));
	ASSERT_NE(Struct, nullptr);
	EXPECT_EQ(Struct, FRigUnit_QVReverseFootRoll::StaticStruct());
	EXPECT_EQ(Struct->GetSuperStruct(), FRigUnitMutable::StaticStruct());
	EXPECT_EQ(FRigUnit_QVReverseFootRoll().GetExecuteContextStruct(), FControlRigExecuteContext::StaticStruct());

	EXPECT_THAT(MetaDataOf(*Struct),
		UnorderedElementsAre(Pair("DisplayName", "QV Reverse Foot Roll"), Pair("Category", "Quorvel|Body"),
			Pair("ToolTip", "Maya-compatible heel / ball / toe roll, driven by one IK animation channel."),
			Pair("Varying", ""), Pair("ModuleRelativePath", "Public/RigUnit_QVReverseFootRoll.h")));
}

TEST(FootRollRegistration, PinsInOrderWithTheirMetadataAndDefaults)
{
	const UScriptStruct* Struct = FRigUnit_QVReverseFootRoll::StaticStruct();
	EXPECT_THAT(OwnPinNames(Struct),
		ElementsAre("IKControl", "RollChannel", "HeelRoller", "ToesEndRoller", "ToesRoller", "RockChannel",
			"InnerRockPivot", "OuterRockPivot", "InnerRockAxis", "OuterRockAxis", "InnerRockMin", "InnerRockMax",
			"OuterRockMin", "OuterRockMax", "InnerRockMultiplier", "OuterRockMultiplier", "RollStartAngle",
			"RollEndAngle"));

	// Exactly these tooltips and nothing else: the comments in the header are notes, not pin documentation.
	const std::map<std::string, std::string> ToolTips = {
		{"IKControl", "The visible IKLeg control, retained for readable graph data."},
		{"RollChannel", "The generated child animation-channel control, for example IKLeg_R_roll."},
		{"RockChannel", "Optional Maya-style foot-rock animation channel."},
		{"InnerRockAxis", "Explicit JSON local axes; never inferred from the control side/name."},
	};
	for (TFieldIterator<FProperty> It(Struct, EFieldIteratorFlags::ExcludeSuper); It; ++It)
	{
		const std::string Name = *It->GetName();
		std::map<std::string, std::string> Expected = {
			{"Input", ""}, {"Category", "Pins"}, {"ModuleRelativePath", "Public/RigUnit_QVReverseFootRoll.h"}};
		if (const auto ToolTip = ToolTips.find(Name); ToolTip != ToolTips.end())
		{
			Expected["ToolTip"] = ToolTip->second;
		}
		EXPECT_EQ(MetaDataOf(**It), Expected) << Name;
	}

	// The execution pins come from the mutable base, as in the engine: an FRigVMExecutePin, not a context.
	const FStructProperty* ExecutePin =
		CastField<FStructProperty>(Struct->FindPropertyByName(FName(TEXT("ExecutePin"))));
	ASSERT_NE(ExecutePin, nullptr);
	EXPECT_EQ(ExecutePin->Struct, FRigVMExecutePin::StaticStruct());
	EXPECT_TRUE(ExecutePin->HasMetaData(TEXT("Input")) && ExecutePin->HasMetaData(TEXT("Output")));
	EXPECT_EQ(Struct->FindPropertyByName(FName(TEXT("ExecuteContext"))), nullptr);

	// Defaults, read from an instance made only through the struct's operations.
	uint8* Memory = static_cast<uint8*>(::operator new(
		std::size_t(Struct->GetStructureSize()), std::align_val_t(std::size_t(Struct->GetMinAlignment()))));
	Struct->InitializeStruct(Memory);
	const auto Name = [&](const TCHAR* Pin)
	{
		return CastFieldChecked<FNameProperty>(Struct->FindPropertyByName(FName(Pin)))
			->GetPropertyValue_InContainer(Memory);
	};
	const auto Float = [&](const TCHAR* Pin)
	{
		return CastFieldChecked<FFloatProperty>(Struct->FindPropertyByName(FName(Pin)))
			->GetPropertyValue_InContainer(Memory);
	};
	for (const TCHAR* Pin : {TEXT("IKControl"), TEXT("RollChannel"), TEXT("HeelRoller"), TEXT("ToesEndRoller"),
			 TEXT("ToesRoller"), TEXT("RockChannel"), TEXT("InnerRockPivot"), TEXT("OuterRockPivot")})
	{
		EXPECT_TRUE(Name(Pin).IsNone()) << Pin;
	}
	EXPECT_EQ(Name(TEXT("InnerRockAxis")).ToString(), TEXT("Z"));
	EXPECT_EQ(Name(TEXT("OuterRockAxis")).ToString(), TEXT("Z"));
	EXPECT_EQ(Float(TEXT("InnerRockMin")), -200.f);
	EXPECT_EQ(Float(TEXT("InnerRockMax")), 0.f);
	EXPECT_EQ(Float(TEXT("OuterRockMin")), 0.f);
	EXPECT_EQ(Float(TEXT("OuterRockMax")), 200.f);
	EXPECT_EQ(Float(TEXT("InnerRockMultiplier")), 1.f);
	EXPECT_EQ(Float(TEXT("OuterRockMultiplier")), 1.f);
	EXPECT_EQ(Float(TEXT("RollStartAngle")), 30.f);
	EXPECT_EQ(Float(TEXT("RollEndAngle")), 60.f);
	Struct->DestroyStruct(Memory);
	::operator delete(Memory, std::align_val_t(std::size_t(Struct->GetMinAlignment())));
}

TEST(FootRollRegistration, TheRigVMFunctionIsRegisteredOnceAndRunsThroughHandles)
{
	FRigUnit_QVReverseFootRoll::StaticStruct();
	FRigUnit_QVReverseFootRoll::StaticStruct();
	int32 Registrations = 0;
	for (const FRigVMFunction* Function : FRigVMRegistry_RWLock::Get().GetFunctions())
	{
		Registrations += Function->GetName() == FunctionName ? 1 : 0;
	}
	EXPECT_EQ(Registrations, 1);
	const FRigVMFunction* Function = FRigVMRegistry_RWLock::Get().FindFunction(FunctionName);
	ASSERT_NE(Function, nullptr);
	EXPECT_EQ(Function->Struct, FRigUnit_QVReverseFootRoll::StaticStruct());
	EXPECT_EQ(Function->FunctionPtr, &FRigUnit_QVReverseFootRoll::RigVMExecute);
	ASSERT_EQ(Function->Arguments.Num(), 18);
	EXPECT_EQ(Function->Arguments[1].Name, TEXT("RollChannel"));
	EXPECT_EQ(Function->Arguments[1].Type, TEXT("FName"));
	EXPECT_EQ(Function->Arguments[17].Type, TEXT("float"));
	for (const FRigVMFunctionArgument& Argument : Function->Arguments)
	{
		EXPECT_EQ(Argument.Direction, ERigVMPinDirection::Input) << *Argument.Name;
	}

	// A roll of 15 degrees turns the ball pivot by -7.5 degrees (v * v / S) about its X axis. Pins reach the unit
	// only if every handle is read in declaration order.
	URigHierarchy Hierarchy;
	FRigControlSettings Settings;
	Settings.ControlType = ERigControlType::Float;
	Hierarchy.GetController()->AddControl(
		TEXT("roll"), FRigElementKey(), Settings, FRigControlValue::Make<float>(15.f));
	const FRigElementKey Ball =
		Hierarchy.GetController()->AddNull(TEXT("ball"), FRigElementKey(), FTransform::Identity);
	FRigUnit_QVReverseFootRoll Unit;
	Unit.RollChannel = TEXT("roll");
	Unit.ToesRoller = TEXT("ball");
	TArray<FRigVMMemoryHandle> Handles;
	for (TFieldIterator<FProperty> It(FRigUnit_QVReverseFootRoll::StaticStruct(), EFieldIteratorFlags::ExcludeSuper);
		 It; ++It)
	{
		Handles.Add(FRigVMMemoryHandle(It->ContainerPtrToValuePtr<uint8>(&Unit)));
	}
	FRigVMExtendedExecuteContext Context(FControlRigExecuteContext::StaticStruct());
	Context.GetPublicData<FControlRigExecuteContext>().Hierarchy = &Hierarchy;
	Function->FunctionPtr(Context, FRigVMMemoryHandleArray(Handles), FRigVMPredicateBranchArray());

	const double Half = -7.5 * 3.14159265358979323846 / 360.0;
	const FQuat Rotation = Hierarchy.GetLocalTransform(Ball).GetRotation();
	EXPECT_NEAR(Rotation.X, std::sin(Half), 1e-6);
	EXPECT_NEAR(Rotation.Y, 0.0, 1e-9);
	EXPECT_NEAR(Rotation.Z, 0.0, 1e-9);
	EXPECT_NEAR(Rotation.W, std::cos(Half), 1e-6);
}

TEST(FootRollRegistration, TheModuleLoadsThroughTheModuleManagerWithAnEmptyStartUp)
{
	const int32 FunctionsBefore = FRigVMRegistry_RWLock::Get().GetFunctions().Num();
	FModuleManager& Manager = FModuleManager::Get();
	EXPECT_TRUE(Manager.ModuleExists(TEXT("QuorvelUnreal")));
	IModuleInterface* Module = Manager.LoadModule(FName(TEXT("QuorvelUnreal")));
	ASSERT_NE(Module, nullptr);
	EXPECT_TRUE(Manager.IsModuleLoaded(FName(TEXT("QuorvelUnreal"))));
	EXPECT_EQ(Manager.LoadModule(FName(TEXT("QuorvelUnreal"))), Module);
	EXPECT_EQ(FRigVMRegistry_RWLock::Get().GetFunctions().Num(), FunctionsBefore);
	// The engine's defaults for everything but start-up and shut-down.
	EXPECT_TRUE(Module->SupportsDynamicReloading());
	EXPECT_TRUE(Module->SupportsAutomaticShutdown());
	EXPECT_FALSE(Module->IsGameModule());
	EXPECT_TRUE(Manager.UnloadModule(FName(TEXT("QuorvelUnreal"))));
	EXPECT_FALSE(Manager.IsModuleLoaded(FName(TEXT("QuorvelUnreal"))));
}
