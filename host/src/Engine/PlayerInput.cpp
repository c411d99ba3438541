// Player input: key events gathered between frames and presented frame by frame.
#include "GameFramework/PlayerInput.h"

#include "UObject/UECodeGen.h"

IMPLEMENT_INTRINSIC_CLASS(UPlayerInput, ENGINE_API, UObject, COREUOBJECT_API, "/Script/Engine", {})

void UPlayerInput::PressKey(FKey Key)
{
	if (!KeysDown.Contains(Key))
	{
		KeysDown.Add(Key);
		PendingPresses.Add(Key);
	}
}

void UPlayerInput::ReleaseKey(FKey Key)
{
	if (KeysDown.Contains(Key))
	{
		KeysDown.Remove(Key);
		PendingReleases.Add(Key);
	}
}

void UPlayerInput::BeginFrame()
{
	FramePresses = MoveTemp(PendingPresses);
	FrameReleases = MoveTemp(PendingReleases);
	PendingPresses.Reset();
	PendingReleases.Reset();
}
