// Loading rig files: JSON parsing alone, whole rigs of many nulls, and the hierarchy those rigs build made directly,
// at growing sizes to show the cost is linear and where it goes.
#include "CoreMinimal.h"
#include "QVJson/JsonDocument.h"
#include "QVRig/RigFileLoader.h"
#include "Rigs/RigHierarchyController.h"

#include <benchmark/benchmark.h>
#include <string>

namespace
{
// A rig of InCount root nulls.
FString MakeNullRig(int64 InCount)
{
	std::string Text = R"({ "format": "quorvel-rig", "version": 1, "elements": [)";
	for (int64 Index = 0; Index < InCount; ++Index)
	{
		Text += (Index > 0 ? ",\n" : "\n") + std::string(R"({ "type": "null", "name": "null_)") +
			std::to_string(Index) + R"(" })";
	}
	Text += "\n] }";
	return FString(static_cast<int32>(Text.size()), Text.data());
}

// An array of InCount empty objects.
FString MakeObjectArray(int64 InCount)
{
	std::string Text = "[";
	for (int64 Index = 0; Index < InCount; ++Index)
	{
		Text += Index > 0 ? ",{}" : "{}";
	}
	Text += "]";
	return FString(static_cast<int32>(Text.size()), Text.data());
}
} // namespace

static void BM_ParseObjectArray(benchmark::State& State)
{
	const FString Text = MakeObjectArray(State.range(0));
	for (auto _ : State)
	{
		benchmark::DoNotOptimize(FQVJsonDocument::Parse(Text));
	}
	State.SetComplexityN(State.range(0));
}
BENCHMARK(BM_ParseObjectArray)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();

static void BM_LoadNullRig(benchmark::State& State)
{
	const FString Text = MakeNullRig(State.range(0));
	for (auto _ : State)
	{
		FString Error;
		TUniquePtr<FQVRig> Rig = FQVRigFileLoader::LoadText(Text, TEXT("bench.rig.json"), TEXT("."), Error);
		if (!Rig)
		{
			State.SkipWithError(*Error);
		}
		benchmark::DoNotOptimize(Rig);
	}
	State.SetComplexityN(State.range(0));
}
BENCHMARK(BM_LoadNullRig)
	->Arg(3000)
	->Arg(30000)
	->Arg(100000)
	->Arg(300000)
	->Unit(benchmark::kMillisecond)
	->Iterations(2)
	->Complexity();

// The floor under BM_LoadNullRig: the same nulls added straight through the controller.
static void BM_BuildNullHierarchy(benchmark::State& State)
{
	TArray<FName> Names;
	for (int64 Index = 0; Index < State.range(0); ++Index)
	{
		Names.Add(FName(FString::Printf(TEXT("null_%lld"), static_cast<long long>(Index))));
	}
	for (auto _ : State)
	{
		URigHierarchy Hierarchy;
		URigHierarchyController* Controller = Hierarchy.GetController();
		for (const FName& Name : Names)
		{
			Controller->AddNull(Name, FRigElementKey(), FTransform::Identity, false);
		}
		benchmark::DoNotOptimize(Hierarchy.Num());
	}
	State.SetComplexityN(State.range(0));
}
BENCHMARK(BM_BuildNullHierarchy)
	->Arg(3000)
	->Arg(30000)
	->Arg(100000)
	->Arg(300000)
	->Unit(benchmark::kMillisecond)
	->Iterations(2)
	->Complexity();
