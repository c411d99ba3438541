// The demo character (examples/character.rig.json) with every unit: spine IK with its restore, both bendy arms with
// restore, capture and deformation, both foot rolls and the face. One frame of its walk per iteration, as the runner
// and the engine evaluate it (the export of its two seconds is timed in bench/export.cpp).
#include "CoreMinimal.h"
#include "QVRig/RigEvaluator.h"
#include "QVRig/RigFileLoader.h"

#include <benchmark/benchmark.h>

namespace
{
const TCHAR* const CharacterRig = TEXT(QV_SOURCE_DIR "/examples/character.rig.json");
} // namespace

// Frames in order, over and over: the pose carries over from one frame to the next as in the engine, so each
// iteration is one frame of the clip (bones reset, 35 tracks set, 11 unit nodes run).
static void BM_Character(benchmark::State& State)
{
	FString Error;
	const TUniquePtr<FQVRig> Rig = FQVRigFileLoader::LoadFile(CharacterRig, Error);
	if (!Rig)
	{
		State.SkipWithError(*Error);
		return;
	}
	FQVRigEvaluator Evaluator(*Rig);
	const int32 FrameCount = Rig->GetAnimation().FrameCount;
	int32 Frame = 0;
	for (auto _ : State)
	{
		Evaluator.EvaluateFrame(Frame);
		Frame = (Frame + 1) % FrameCount;
	}
	if (!Evaluator.GetLog().Entries.IsEmpty())
	{
		State.SkipWithError("the character's units reported messages");
	}
}
BENCHMARK(BM_Character)->Unit(benchmark::kMicrosecond);
