// The face solver as the module presents it: node metadata, pins in order with their metadata and defaults, and its
// RigVM function, whose entry hands hidden state over by reference so that it lasts from one evaluation to the next.
#include "FaceSolverTestRig.h"
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
const TCHAR* const HeaderPath = TEXT("Public/RigUnit_QVFaceSDKSolver.h");

} // namespace

TEST(FaceSolverRegistration, TheNodeHasItsMetadataAndNoToolTip)
{
	UPackage* Package = FindPackage(nullptr, TEXT("/Script/QuorvelUnreal"));
	ASSERT_NE(Package, nullptr);
	UScriptStruct* Struct = FindObject<UScriptStruct>(Package, TEXT("RigUnit_QVFaceSDKSolver"));
	ASSERT_NE(Struct, nullptr);
	EXPECT_EQ(Struct, FRigUnit_QVFaceSDKSolver::StaticStruct());
	EXPECT_EQ(Struct->GetSuperStruct(), FRigUnitMutable::StaticStruct());
	EXPECT_EQ(FRigUnit_QVFaceSDKSolver().GetExecuteContextStruct(), FControlRigExecuteContext::StaticStruct());
	EXPECT_THAT(MetaDataOf(*Struct),
		UnorderedElementsAre(Pair("DisplayName", "QV Face SDK Solver"), Pair("Category", "Quorvel|Face"),
			Pair("Keywords", "Quorvel,Face,SDK,SetDrivenKey"), Pair("NodeColor", "0.12 0.42 0.72"), Pair("Varying", ""),
			Pair("ModuleRelativePath", "Public/RigUnit_QVFaceSDKSolver.h")));
}

TEST(FaceSolverRegistration, PinsInOrderWithExactlyTheirMetadataAndDefaults)
{
	const UScriptStruct* Struct = FRigUnit_QVFaceSDKSolver::StaticStruct();
	using FMeta = std::map<std::string, std::string>;
	const FMeta Path = {{"ModuleRelativePath", "Public/RigUnit_QVFaceSDKSolver.h"}};
	const auto With = [&Path](FMeta Extra)
	{
		Extra.insert(Path.begin(), Path.end());
		return Extra;
	};
	const FMeta Input = With({{"Input", ""}, {"Category", "Pins"}});
	const std::vector<std::pair<std::string, FMeta>> Expected = {
		{"FaceRigDataAsset", Input},
		{"Weight", With({{"Input", ""}, {"Category", "Pins"}, {"UIMin", "0.0"}, {"UIMax", "1.0"}})},
		{"FaceJoint", With({{"Input", ""}, {"Category", "Pins"}, {"ExpandByDefault", ""}})},
		{"CtrlBoxAttach", With({{"Input", ""}, {"Category", "Pins"}, {"ExpandByDefault", ""}})},
		{"FaceScaler", With({{"Input", ""}, {"Category", "Pins"}, {"UIMin", "0.0"}, {"UIMax", "100.0"}})},
		{"bDebug", Input},
		{"CachedControls", Path},
		{"CachedDrivenBones", Path},
		{"CachedDirectControls", Path},
		{"CachedProxyValues",
			With({{"ToolTip", "Last values written back by proxy synchronization, not animation state."}})},
		{"CachedProxyNames", Path},
		{"AccumulatedDrivenKeys",
			With({{"ToolTip",
				"Most SDK rows drive bones, but synthetic SDK layers such as the SDK eye are "
				"controller-hierarchy nulls, so each target keeps its element type."}})},
		{"AccumulatedTransforms", Path},
		{"AccumulatedRotationDeltas", Path},
		{"AccumulatedWorldTranslationDeltas", Path},
		{"CachedFaceJoint", Path},
		{"CachedCtrlBoxAttach", Path},
	};
	size_t Index = 0;
	for (TFieldIterator<FProperty> It(Struct, EFieldIteratorFlags::ExcludeSuper); It; ++It, ++Index)
	{
		ASSERT_LT(Index, Expected.size()) << *It->GetName();
		EXPECT_EQ(std::string(*It->GetName()), Expected[Index].first);
		EXPECT_EQ(MetaDataOf(**It), Expected[Index].second) << Expected[Index].first;
	}
	EXPECT_EQ(Index, Expected.size());

	// Defaults of a default instance, made through the struct's own operations.
	const FRigUnit_QVFaceSDKSolver Unit;
	EXPECT_EQ(Unit.FaceRigDataAsset.Get(), nullptr);
	EXPECT_EQ(Unit.Weight, 1.f);
	EXPECT_EQ(Unit.FaceJoint, FRigElementKey(TEXT("FaceJoint_M"), ERigElementType::Bone));
	EXPECT_STREQ(*Unit.FaceJoint.Name.ToString(), "FaceJoint_M");
	EXPECT_EQ(Unit.CtrlBoxAttach, FRigElementKey(TEXT("ctrlBoxAttach"), ERigElementType::Null));
	EXPECT_STREQ(*Unit.CtrlBoxAttach.Name.ToString(), "ctrlBoxAttach");
	EXPECT_EQ(Unit.FaceScaler, 1.f);
	EXPECT_FALSE(Unit.bDebug);
	EXPECT_TRUE(Unit.CachedControls.IsEmpty() && Unit.CachedProxyValues.IsEmpty() &&
		Unit.AccumulatedWorldTranslationDeltas.IsEmpty());
	EXPECT_FALSE(Unit.CachedFaceJoint.IsValid() || Unit.CachedCtrlBoxAttach.IsValid());
}

TEST(FaceSolverRegistration, TheRigVMFunctionTakesEveryPinWithHiddenStateByReference)
{
	FRigUnit_QVFaceSDKSolver::StaticStruct();
	const FRigVMFunction* Function =
		FRigVMRegistry_RWLock::Get().FindFunction(TEXT("FRigUnit_QVFaceSDKSolver::Execute"));
	ASSERT_NE(Function, nullptr);
	EXPECT_EQ(Function->Struct, FRigUnit_QVFaceSDKSolver::StaticStruct());
	EXPECT_EQ(Function->FunctionPtr, &FRigUnit_QVFaceSDKSolver::RigVMExecute);
	ASSERT_EQ(Function->Arguments.Num(), 17);
	for (int32 Index = 0; Index < Function->Arguments.Num(); ++Index)
	{
		const FRigVMFunctionArgument& Argument = Function->Arguments[Index];
		EXPECT_EQ(Argument.Direction, Index < 6 ? ERigVMPinDirection::Input : ERigVMPinDirection::Hidden)
			<< *Argument.Name;
	}
	EXPECT_EQ(Function->Arguments[0].Name, TEXT("FaceRigDataAsset"));
	EXPECT_EQ(Function->Arguments[7].Type, TEXT("TArray<FCachedRigElement>"));
	EXPECT_EQ(Function->Arguments[16].Name, TEXT("CachedCtrlBoxAttach"));

	// Through the entry, the hidden pins are the unit's own memory: what one evaluation caches, the next finds.
	FFaceSolverRig Rig;
	const FRigElementKey Slider =
		Rig.AddControl(TEXT("slider"), Rig.Box, ERigControlType::Float, FRigControlValue::Make<float>(0.5f));
	const FRigElementKey Jaw = Rig.AddBone(TEXT("jaw"), Rig.FaceJoint, FTransform(FVector(0, 10, 105)));
	Rig.AddDriven(Rig.AddDriver(TEXT("slider"), EQVFaceSDKChannel::ValueFloat), TEXT("jaw"),
		EQVFaceSDKChannel::RotationZ, {{0.f, 0.f}, {1.f, 40.f}});
	Rig.Evaluate(EFaceSolverEntry::RigVM);
	ASSERT_EQ(Rig.Unit.CachedControls.Num(), 1);
	EXPECT_EQ(Rig.Unit.CachedControls[0].GetKey(), Slider);
	EXPECT_EQ(Rig.Unit.CachedDrivenBones[0].GetKey(), Jaw);
	EXPECT_EQ(Rig.Unit.CachedFaceJoint.GetKey(), Rig.FaceJoint);
	EXPECT_EQ(Rig.Unit.CachedCtrlBoxAttach.GetKey(), Rig.BoxAttach);
	ASSERT_EQ(Rig.Unit.AccumulatedDrivenKeys.Num(), 1);
	EXPECT_TRUE(VectorsNear(Rig.Unit.AccumulatedRotationDeltas[0], FVector(0, 0, 20)));
	EXPECT_TRUE(QuatsNear(Rig.Local(Jaw).GetRotation(), AxisAngle(FVector(0, 0, 1), 20.0)));
}
