// Set-driven-key curve evaluation per call, by key count, and loading the example face asset.
#include "QVFaceRigDataAsset.h"
#include "QVFaceSDKEvaluator.h"
#include "QVJson/ObjectJson.h"
#include "UObject/UObjectGlobals.h"

#include <benchmark/benchmark.h>

static void BM_EvaluateSDKCurve(benchmark::State& State)
{
	// Unsorted keys, as exporters may write them; driver values sweep the range and beyond.
	TArray<FQVSDKKey> Keys;
	for (int32 Index = 0; Index < State.range(0); ++Index)
	{
		FQVSDKKey& Key = Keys.AddDefaulted_GetRef();
		Key.X = float((Index * 7) % State.range(0));
		Key.Y = float(Index * Index);
	}
	float Driver = -1.f;
	for (auto _ : State)
	{
		benchmark::DoNotOptimize(FQVFaceSDKEvaluator::EvaluateSDKCurve(Driver, Keys));
		Driver = Driver > float(State.range(0)) ? -1.f : Driver + 0.37f;
	}
}
BENCHMARK(BM_EvaluateSDKCurve)->Arg(2)->Arg(5)->Arg(12);

static void BM_LoadExampleFaceAsset(benchmark::State& State)
{
	const FString File = FString(QV_SOURCE_DIR) + TEXT("/examples/face_rig.json");
	UQVFaceRigDataAsset* Asset = NewObject<UQVFaceRigDataAsset>();
	for (auto _ : State)
	{
		benchmark::DoNotOptimize(FQVObjectJson::LoadFile(*Asset, File));
	}
}
BENCHMARK(BM_LoadExampleFaceAsset);
