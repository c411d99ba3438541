// First requests of types registered at start-up: several threads at once, and a construction that looks itself and
// other types up by name on its own thread.
#include "Race/RigUnit_QVRacedUnit.h"

#include "RigVMCore/RigVMRegistry.h"
#include "UObject/UECodeGen.h"
#include "UObject/UObjectGlobals.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace
{
// Hand-written structs recorded in their script package, the first of which looks itself and the second up by name
// while it is being made.
struct FQVSelfFindingStruct
{
	static UScriptStruct* StaticStruct();
	int32 Value = 0;
};

struct FQVSelfFoundStruct
{
	static UScriptStruct* StaticStruct();
	int32 Value = 0;
};

UScriptStruct* GSelfSeenWhileMade = nullptr;
UScriptStruct* GOtherSeenWhileMade = nullptr;
} // namespace

IMPLEMENT_STATIC_STRUCT(FQVSelfFoundStruct, nullptr, "/Script/QVSelfFindingTests", "QVSelfFound",
	REFLECT_STRUCT_MEMBER(FQVSelfFoundStruct, Value))

IMPLEMENT_STATIC_STRUCT(
	FQVSelfFindingStruct, nullptr, "/Script/QVSelfFindingTests", "QVSelfFinding",
	GSelfSeenWhileMade = FindObject<UScriptStruct>(nullptr, TEXT("/Script/QVSelfFindingTests.QVSelfFinding"));
	GOtherSeenWhileMade = FindObject<UScriptStruct>(nullptr, TEXT("/Script/QVSelfFindingTests.QVSelfFound"));
	REFLECT_STRUCT_MEMBER(FQVSelfFindingStruct, Value))

TEST(TypeRegistration, ConcurrentFirstRequestsAllGetTheFullyBuiltType)
{
	const TCHAR* const FunctionName = TEXT("FRigUnit_QVRacedUnit::Execute");
	const TCHAR* const UnitPath = TEXT("/Script/QVRaceTests.RigUnit_QVRacedUnit");
	FRigVMRegistry_RWLock& RigVMRegistry = FRigVMRegistry_RWLock::Get();
	ASSERT_EQ(RigVMRegistry.FindFunction(FunctionName), nullptr) << "the unit must not be made before this test";

	// While this thread holds the RigVM registry's read lock, the unit's construction stops half way: the struct
	// and its fields exist, its RigVM function is not registered yet. Every request made meanwhile, by path, by
	// name in the package or through StaticStruct, must wait for the end of the construction.
	constexpr int32 NumRequesters = 9;
	struct FRequest
	{
		UScriptStruct* Unit = nullptr;
		bool bFunctionRegistered = false;
		UScriptStruct* Payload = nullptr;
	};
	std::vector<FRequest> Requests(NumRequesters);
	std::mutex Mutex;
	std::condition_variable Changed;
	int32 NumStarted = 0;
	int32 NumDone = 0;

	RigVMRegistry.GetLock().ReadLock();
	std::vector<std::thread> Requesters;
	for (int32 Index = 0; Index < NumRequesters; ++Index)
	{
		Requesters.emplace_back(
			[&, Index]()
			{
				{
					// Start together, so the requests overlap.
					std::unique_lock<std::mutex> Guard(Mutex);
					++NumStarted;
					Changed.notify_all();
					Changed.wait(Guard, [&]() { return NumStarted == NumRequesters; });
				}
				FRequest& Request = Requests[Index];
				if (Index % 3 == 0)
				{
					Request.Unit = FindObject<UScriptStruct>(nullptr, UnitPath);
				}
				else if (Index % 3 == 1)
				{
					Request.Unit = FindObject<UScriptStruct>(
						FindPackage(nullptr, TEXT("/Script/QVRaceTests")), FName(TEXT("RigUnit_QVRacedUnit")));
				}
				else
				{
					Request.Unit = FRigUnit_QVRacedUnit::StaticStruct();
				}
				// Nothing writes the RigVM registry now: either the construction is over or it is still stopped.
				Request.bFunctionRegistered = RigVMRegistry.FindFunction_NoLock(FunctionName) != nullptr;
				Request.Payload = FindObject<UScriptStruct>(nullptr, TEXT("/Script/QVRaceTests.QVRacedPayload"));

				std::lock_guard<std::mutex> Guard(Mutex);
				++NumDone;
				Changed.notify_all();
			});
	}
	{
		// Requests that do not wait return at once; give the others time to get stuck if they would.
		std::unique_lock<std::mutex> Guard(Mutex);
		Changed.wait_for(Guard, std::chrono::milliseconds(200), [&]() { return NumDone == NumRequesters - 1; });
	}
	RigVMRegistry.GetLock().ReadUnlock();
	for (std::thread& Requester : Requesters)
	{
		Requester.join();
	}

	UScriptStruct* const Unit = FRigUnit_QVRacedUnit::StaticStruct();
	UScriptStruct* const Payload = FQVRacedPayload::StaticStruct();
	for (int32 Index = 0; Index < NumRequesters; ++Index)
	{
		EXPECT_EQ(Requests[Index].Unit, Unit) << "requester " << Index;
		EXPECT_TRUE(Requests[Index].bFunctionRegistered) << "requester " << Index << " got a half-built unit";
		EXPECT_EQ(Requests[Index].Payload, Payload) << "requester " << Index;
	}
	EXPECT_NE(Unit->FindPropertyByName(TEXT("Payload")), nullptr);
	EXPECT_NE(Payload->FindPropertyByName(TEXT("Amount")), nullptr);
	int32 NumRegistered = 0;
	for (const FRigVMFunction* Function : RigVMRegistry.GetFunctions())
	{
		NumRegistered += Function->GetName() == FunctionName ? 1 : 0;
	}
	EXPECT_EQ(NumRegistered, 1);
	EXPECT_EQ(FindObject<UScriptStruct>(nullptr, UnitPath), Unit);
}

TEST(TypeRegistration, AConstructionLooksItselfAndOtherTypesUpOnItsOwnThread)
{
	// The first request is by path: the struct is made on this thread, and while it is made it finds itself (as it
	// stands) and makes the other struct, rather than waiting for itself.
	UScriptStruct* const Found = FindObject<UScriptStruct>(nullptr, TEXT("/Script/QVSelfFindingTests.QVSelfFinding"));
	ASSERT_NE(Found, nullptr);
	EXPECT_EQ(Found, FQVSelfFindingStruct::StaticStruct());
	EXPECT_EQ(GSelfSeenWhileMade, Found);
	EXPECT_EQ(GOtherSeenWhileMade, FQVSelfFoundStruct::StaticStruct());
	EXPECT_NE(Found->FindPropertyByName(TEXT("Value")), nullptr);
	EXPECT_NE(FQVSelfFoundStruct::StaticStruct()->FindPropertyByName(TEXT("Value")), nullptr);
}
