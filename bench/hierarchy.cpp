// Rig hierarchy costs: key look-up, and reading a leaf after writing the root of a 200-element rig.
#include "CoreMinimal.h"
#include "Rigs/RigHierarchy.h"
#include "Rigs/RigHierarchyController.h"

#include <benchmark/benchmark.h>

namespace
{
// A character-sized rig: a 20-bone spine with a 9-bone limb hanging off each spine bone (200 elements).
// Returns the deepest leaf.
FRigElementKey BuildRig(URigHierarchy& Hierarchy, TArray<FRigElementKey>& OutKeys)
{
	URigHierarchyController* Controller = Hierarchy.GetController();
	FRigElementKey Spine;
	FRigElementKey Leaf;
	for (int32 SpineIndex = 0; SpineIndex < 20; ++SpineIndex)
	{
		Spine = Controller->AddBone(FName(FString::Printf(TEXT("spine_%02d"), SpineIndex)), Spine,
			FTransform(FRotator(0, 3, 1), FVector(0, 0, 10)), false);
		OutKeys.Add(Spine);
		FRigElementKey Limb = Spine;
		for (int32 LimbIndex = 0; LimbIndex < 9; ++LimbIndex)
		{
			Limb = Controller->AddBone(FName(FString::Printf(TEXT("limb_%02d_%d"), SpineIndex, LimbIndex)), Limb,
				FTransform(FRotator(5, 0, 2), FVector(8, 0, 0)), false);
			OutKeys.Add(Limb);
		}
		Leaf = Limb;
	}
	return Leaf;
}
} // namespace

static void BM_GetIndex(benchmark::State& State)
{
	URigHierarchy Hierarchy;
	TArray<FRigElementKey> Keys;
	BuildRig(Hierarchy, Keys);
	int32 Next = 0;
	for (auto _ : State)
	{
		benchmark::DoNotOptimize(Hierarchy.GetIndex(Keys[Next], true));
		Next = (Next + 37) % Keys.Num();
	}
}
BENCHMARK(BM_GetIndex);

static void BM_WriteRootReadLeaf(benchmark::State& State)
{
	URigHierarchy Hierarchy;
	TArray<FRigElementKey> Keys;
	const FRigElementKey LeafKey = BuildRig(Hierarchy, Keys);
	FRigTransformElement* Root = Hierarchy.Find<FRigTransformElement>(Keys[0]);
	FRigTransformElement* Leaf = Hierarchy.Find<FRigTransformElement>(LeafKey);
	const FTransform Poses[2] = {
		FTransform(FRotator(0, 10, 0), FVector(1, 2, 3)), FTransform(FRotator(0, -10, 0), FVector(3, 2, 1))};
	int32 Frame = 0;
	for (auto _ : State)
	{
		Hierarchy.SetTransform(Root, Poses[Frame++ & 1], ERigTransformType::CurrentGlobal, true);
		benchmark::DoNotOptimize(Hierarchy.GetTransform(Leaf, ERigTransformType::CurrentGlobal));
	}
}
BENCHMARK(BM_WriteRootReadLeaf);
