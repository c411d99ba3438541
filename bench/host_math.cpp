// Benchmarks of the host math operations that rig units lean on most: transform composition, relative
// transforms and rotator / quaternion conversion.
#include "Math/UnrealMath.h"

#include <benchmark/benchmark.h>

namespace
{
const FTransform ChildTransform(FRotator(10, 20, 30), FVector(1, 2, 3), FVector(1, 1.5, 1));
const FTransform ParentTransform(FRotator(-40, 75, 5), FVector(-4, 0, 2), FVector(2, 2, 2));
const FTransform MirroredTransform(FRotator(-40, 75, 5), FVector(-4, 0, 2), FVector(-1, 1, 1));

void BM_TransformMultiply(benchmark::State& State)
{
	FTransform A = ChildTransform;
	const FTransform B = ParentTransform;
	for (auto _ : State)
	{
		benchmark::DoNotOptimize(A);
		FTransform Out = A * B;
		benchmark::DoNotOptimize(Out);
	}
}
BENCHMARK(BM_TransformMultiply);

void BM_TransformMultiplyNegativeScale(benchmark::State& State)
{
	FTransform A = ChildTransform;
	const FTransform B = MirroredTransform;
	for (auto _ : State)
	{
		benchmark::DoNotOptimize(A);
		FTransform Out = A * B;
		benchmark::DoNotOptimize(Out);
	}
}
BENCHMARK(BM_TransformMultiplyNegativeScale);

void BM_GetRelativeTransform(benchmark::State& State)
{
	FTransform A = ChildTransform * ParentTransform;
	const FTransform B = ParentTransform;
	for (auto _ : State)
	{
		benchmark::DoNotOptimize(A);
		FTransform Out = A.GetRelativeTransform(B);
		benchmark::DoNotOptimize(Out);
	}
}
BENCHMARK(BM_GetRelativeTransform);

void BM_RotatorToQuaternion(benchmark::State& State)
{
	FRotator Rotator(12.5, -130, 47);
	for (auto _ : State)
	{
		benchmark::DoNotOptimize(Rotator);
		FQuat Out = Rotator.Quaternion();
		benchmark::DoNotOptimize(Out);
	}
}
BENCHMARK(BM_RotatorToQuaternion);

void BM_QuaternionToRotator(benchmark::State& State)
{
	FQuat Quat = FRotator(12.5, -130, 47).Quaternion();
	for (auto _ : State)
	{
		benchmark::DoNotOptimize(Quat);
		FRotator Out = Quat.Rotator();
		benchmark::DoNotOptimize(Out);
	}
}
BENCHMARK(BM_QuaternionToRotator);

void BM_TransformPosition(benchmark::State& State)
{
	const FTransform Transform = ChildTransform;
	FVector Point(0.5, -1, 2);
	for (auto _ : State)
	{
		benchmark::DoNotOptimize(Point);
		FVector Out = Transform.TransformPosition(Point);
		benchmark::DoNotOptimize(Out);
	}
}
BENCHMARK(BM_TransformPosition);
} // namespace
