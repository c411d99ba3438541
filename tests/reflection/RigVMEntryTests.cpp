// Rig units through RigVM: the registry, memory handles and property paths, the RigVM entry, Execute with and
// without a context, the execute-context check, and registration on first request under the write lock.
#include "Public/ReflectionTestTypes.h"
#include "ReflectionTestRecorder.h"
#include "ReflectionTestUtils.h"
#include "Lazy/RigUnit_QVLazyUnit.h"

#include "RigVMCore/RigVMRegistry.h"
#include "Rigs/RigHierarchy.h"
#include "UObject/UObjectGlobals.h"

#include <gmock/gmock.h>

#include <atomic>
#include <chrono>
#include <thread>

using ::testing::ElementsAre;

namespace
{
int32 CountFunctions(const TCHAR* Name)
{
	int32 Count = 0;
	for (const FRigVMFunction* Function : FRigVMRegistry_RWLock::Get().GetFunctions())
	{
		Count += Function->GetName() == Name ? 1 : 0;
	}
	return Count;
}

void NoOpEntry(FRigVMExtendedExecuteContext&, FRigVMMemoryHandleArray, FRigVMPredicateBranchArray) {}
void OtherEntry(FRigVMExtendedExecuteContext&, FRigVMMemoryHandleArray, FRigVMPredicateBranchArray) {}
} // namespace

TEST(RigVMRegistry, ASecondRegistrationOfANameKeepsTheFirst)
{
	FRigVMRegistry_NoLock Registry;
	const FRigVMFunction* First = Registry.RegisterCompiledInStruct_NoLock(FQVTestInner::StaticStruct(),
		TEXT("FRigUnit_A::Execute"), &NoOpEntry, {{TEXT("Value"), TEXT("float"), ERigVMPinDirection::Input}});
	const FRigVMFunction* Second = Registry.RegisterCompiledInStruct_NoLock(
		FQVTestAllKinds::StaticStruct(), TEXT("frigunit_a::execute"), &OtherEntry, {});
	Registry.RegisterCompiledInStruct_NoLock(
		FQVTestAllKinds::StaticStruct(), TEXT("FRigUnit_B::Execute"), &OtherEntry, {});

	EXPECT_EQ(Second, First);
	EXPECT_EQ(First->Struct, FQVTestInner::StaticStruct());
	EXPECT_EQ(First->FunctionPtr, &NoOpEntry);
	EXPECT_EQ(First->Arguments.Num(), 1);
	EXPECT_EQ(First->GetMethodName(), TEXT("Execute"));
	EXPECT_EQ(Registry.GetFunctions_NoLock().Num(), 2);
	EXPECT_EQ(Registry.FindFunction_NoLock(TEXT("FRigUnit_B::Execute"))->Index, 1);
	EXPECT_EQ(Registry.FindFunction_NoLock(TEXT("FRigUnit_C::Execute")), nullptr);
}

TEST(RigVMRegistry, AUnitRegistersItsEntryWithItsPinsInOrder)
{
	UScriptStruct* Struct = FRigUnit_QVTestUnit::StaticStruct();
	const FRigVMFunction* Function = FRigVMRegistry_RWLock::Get().FindFunction(TEXT("FRigUnit_QVTestUnit::Execute"));
	ASSERT_NE(Function, nullptr);
	EXPECT_EQ(Function->Struct, Struct);
	EXPECT_EQ(Function->FunctionPtr, &FRigUnit_QVTestUnit::RigVMExecute);
	std::vector<std::string> Arguments;
	for (const FRigVMFunctionArgument& Argument : Function->Arguments)
	{
		Arguments.push_back(
			*(Argument.Name + TEXT(":") + Argument.Type + TEXT(":") + FString::FromInt(int32(Argument.Direction))));
	}
	EXPECT_THAT(Arguments,
		ElementsAre("Scale:float:0", "Shade:EQVTestShade:0", "Label:FName:0", "Values:TArray<float>:0", "Sum:float:1",
			"CallCount:int32:4"));

	// The unit's struct chain and its own pins first, then the execution pins of the mutable base.
	EXPECT_EQ(Struct->GetSuperStruct(), FRigUnitMutable::StaticStruct());
	EXPECT_TRUE(Struct->IsChildOf(FRigVMStruct::StaticStruct()));
	EXPECT_THAT(
		PropertyNames(Struct), ElementsAre("Scale", "Shade", "Label", "Values", "Sum", "CallCount", "ExecutePin"));
	EXPECT_EQ(Struct->FindPropertyByName(FName(TEXT("Values")))->GetOffset_ForInternal(),
		int32(offsetof(FRigUnit_QVTestUnit, Values)));
	const FStructProperty* ExecutePin =
		CastField<FStructProperty>(Struct->FindPropertyByName(FName(TEXT("ExecutePin"))));
	ASSERT_NE(ExecutePin, nullptr);
	EXPECT_EQ(ExecutePin->GetOffset_ForInternal(), int32(offsetof(FRigUnitMutable, ExecutePin)));
	EXPECT_EQ(ExecutePin->Struct, FRigVMExecutePin::StaticStruct());
	const FRigUnit_QVTestUnit Unit;
	EXPECT_EQ(Unit.GetExecuteContextStruct(), FControlRigExecuteContext::StaticStruct());
	// As in the engine, the bases name no context of their own; each unit's generated body does.
	EXPECT_EQ(FRigUnitMutable().GetExecuteContextStruct(), FRigVMExecuteContext::StaticStruct());
	EXPECT_TRUE(FRigVMExecuteContext::StaticStruct()->IsChildOf(FRigVMExecutePin::StaticStruct()));
	EXPECT_EQ(Struct->GetMetaData(TEXT("DisplayName")), TEXT("QV Test Unit"));
}

TEST(RigVMRegistry, PropertyPathsLeadThroughMembersAndArrayElements)
{
	FQVTestAllKinds Value;
	Value.Inners.AddDefaulted(2);
	Value.Inners[1].Count = 42;
	const FProperty* Inners = FQVTestAllKinds::StaticStruct()->FindPropertyByName(FName(TEXT("Inners")));
	uint8* InnersMemory = reinterpret_cast<uint8*>(&Value.Inners);

	const FRigVMPropertyPath Path(Inners, TEXT("1.Count"));
	ASSERT_TRUE(Path.IsValid());
	EXPECT_EQ(Path.GetData<int32>(InnersMemory), &Value.Inners[1].Count);
	const FRigVMMemoryHandle Handle(InnersMemory, Inners, &Path);
	EXPECT_EQ(*reinterpret_cast<int32*>(Handle.GetData()), 42);

	// An element past the end leads nowhere; a member that does not exist gives no path.
	EXPECT_EQ(FRigVMPropertyPath(Inners, TEXT("2.Count")).GetData<int32>(InnersMemory), nullptr);
	EXPECT_FALSE(FRigVMPropertyPath(Inners, TEXT("1.Missing")).IsValid());
	EXPECT_EQ(FRigVMMemoryHandle(InnersMemory).GetData(), InnersMemory);
}

TEST(RigVMRegistry, TheEntryReadsEveryPinFromItsHandleAndCallsStaticExecute)
{
	URigHierarchy Hierarchy;
	FRigVMExtendedExecuteContext Context(FControlRigExecuteContext::StaticStruct());
	Context.GetPublicData<FControlRigExecuteContext>().Hierarchy = &Hierarchy;

	// Scale comes from inside another struct, through a property path.
	FQVTestAllKinds Container;
	Container.Single = 0.5f;
	const FRigVMPropertyPath ScalePath(
		TArray<FRigVMPropertyPathSegment>{{ERigVMPropertyPathSegmentType::StructMember, FName(TEXT("Single")),
			INDEX_NONE, FQVTestAllKinds::StaticStruct()->FindPropertyByName(FName(TEXT("Single")))}});
	EQVTestShade Shade = EQVTestShade::Dark;
	FName Label(TEXT("left"));
	TArray<float> Values = {1.f, 2.f, 4.f};
	float Sum = -1.f;
	int32 CallCount = 5;
	FRigVMMemoryHandle Handles[] = {
		FRigVMMemoryHandle(reinterpret_cast<uint8*>(&Container), nullptr, &ScalePath),
		FRigVMMemoryHandle(reinterpret_cast<uint8*>(&Shade)),
		FRigVMMemoryHandle(reinterpret_cast<uint8*>(&Label)),
		FRigVMMemoryHandle(reinterpret_cast<uint8*>(&Values)),
		FRigVMMemoryHandle(reinterpret_cast<uint8*>(&Sum)),
		FRigVMMemoryHandle(reinterpret_cast<uint8*>(&CallCount)),
	};

	GQVTestUnitCall = FQVTestUnitCall();
	// The function is registered when its struct is first requested.
	FRigUnit_QVTestUnit::StaticStruct();
	const FRigVMFunction* Function = FRigVMRegistry_RWLock::Get().FindFunction(TEXT("FRigUnit_QVTestUnit::Execute"));
	ASSERT_NE(Function, nullptr);
	Function->FunctionPtr(Context, FRigVMMemoryHandleArray(Handles), FRigVMPredicateBranchArray());

	EXPECT_EQ(GQVTestUnitCall.Calls, 1);
	EXPECT_EQ(GQVTestUnitCall.Scale, 0.5f);
	EXPECT_EQ(GQVTestUnitCall.Shade, EQVTestShade::Dark);
	EXPECT_EQ(GQVTestUnitCall.Label, FName(TEXT("left")));
	EXPECT_THAT(ToVector(GQVTestUnitCall.Values), ElementsAre(1.f, 2.f, 4.f));
	// The array reaches the unit as a view of the pin's memory, not a copy.
	EXPECT_EQ(GQVTestUnitCall.ValuesData, Values.GetData());
	// The output and the hidden pin are written back through their handles.
	EXPECT_EQ(Sum, 3.5f);
	EXPECT_EQ(CallCount, 6);
}

TEST(RigVMRegistry, ExecuteForwardsTheUnitsOwnPinsAndWithoutAContextTouchesNothing)
{
	GQVTestUnitCall = FQVTestUnitCall();
	FRigUnit_QVTestUnit Unit;
	Unit.Values = {1.f, 1.f};
	Unit.Execute();
	EXPECT_EQ(GQVTestUnitCall.CallsWithoutHierarchy, 1);
	EXPECT_EQ(GQVTestUnitCall.Calls, 0);
	EXPECT_EQ(Unit.Sum, 0.f);
	EXPECT_EQ(Unit.CallCount, 0);

	URigHierarchy Hierarchy;
	FControlRigExecuteContext Context;
	Context.Hierarchy = &Hierarchy;
	Unit.Label = TEXT("own");
	Unit.Execute(Context);
	EXPECT_EQ(GQVTestUnitCall.Calls, 1);
	EXPECT_EQ(GQVTestUnitCall.Scale, 2.f);
	EXPECT_EQ(GQVTestUnitCall.Shade, EQVTestShade::Light);
	EXPECT_EQ(GQVTestUnitCall.Label, FName(TEXT("own")));
	EXPECT_EQ(GQVTestUnitCall.ValuesData, Unit.Values.GetData());
	EXPECT_EQ(Unit.Sum, 4.f);
	EXPECT_EQ(Unit.CallCount, 1);
}

TEST(RigVMRegistry, ThePublicContextMustBeTheExpectedStructOrDerivedFromIt)
{
	FRigVMExtendedExecuteContext RigVMContext;
	EXPECT_EQ(RigVMContext.GetContextPublicDataStruct(), FRigVMExecuteContext::StaticStruct());
	FRigVMExtendedExecuteContext ControlRigContext(FControlRigExecuteContext::StaticStruct());
	ControlRigContext.GetPublicData<FControlRigExecuteContext>().InstructionIndex = 3;
	// A control rig context is also a RigVM context.
	EXPECT_EQ(ControlRigContext.GetPublicDataSafe<FRigVMExecuteContext>().GetInstructionIndex(), 3);
	const FRigVMExtendedExecuteContext Copy = ControlRigContext;
	EXPECT_EQ(Copy.GetPublicData<FControlRigExecuteContext>().GetInstructionIndex(), 3);
	EXPECT_DEATH(RigVMContext.GetPublicDataSafe<FControlRigExecuteContext>(), "is not a 'ControlRigExecuteContext'");
	EXPECT_DEATH(
		FRigUnit_QVTestUnit::RigVMExecute(RigVMContext, FRigVMMemoryHandleArray(), FRigVMPredicateBranchArray()),
		"is not a 'ControlRigExecuteContext'");
}

TEST(RigVMRegistry, AUnitRegistersOnItsFirstRequestOnceAndUnderTheWriteLock)
{
	const TCHAR* Name = TEXT("FRigUnit_QVLazyUnit::Execute");
	ASSERT_EQ(FRigVMRegistry_RWLock::Get().FindFunction(Name), nullptr);

	// The first request, a look-up by name in the package, waits for the registry's write lock.
	std::atomic<bool> bFound = false;
	UScriptStruct* Found = nullptr;
	FRWLock& Lock = FRigVMRegistry_RWLock::Get().GetLock();
	Lock.ReadLock();
	std::thread Requester(
		[&]
		{
			Found = FindObject<UScriptStruct>(nullptr, TEXT("/Script/QVLazyTests.RigUnit_QVLazyUnit"));
			bFound = true;
		});
	std::this_thread::sleep_for(std::chrono::milliseconds(100));
	EXPECT_FALSE(bFound);
	EXPECT_EQ(FRigVMRegistry_RWLock::Get().FindFunction_NoLock(Name), nullptr);
	Lock.ReadUnlock();
	Requester.join();
	ASSERT_TRUE(bFound);
	ASSERT_EQ(Found, FRigUnit_QVLazyUnit::StaticStruct());
	const FRigVMFunction* Function = FRigVMRegistry_RWLock::Get().FindFunction(Name);
	ASSERT_NE(Function, nullptr);
	EXPECT_EQ(Function->Struct, Found);

	const int32 NumFunctions = FRigVMRegistry_RWLock::Get().GetFunctions().Num();
	FRigUnit_QVLazyUnit::StaticStruct();
	EXPECT_EQ(FindObject<UScriptStruct>(nullptr, TEXT("/Script/QVLazyTests.RigUnit_QVLazyUnit")), Found);
	EXPECT_EQ(FRigVMRegistry_RWLock::Get().GetFunctions().Num(), NumFunctions);
	EXPECT_EQ(CountFunctions(Name), 1);
}
