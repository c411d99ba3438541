// UPlayerInput: the key state of one player, seen frame by frame: which keys are down, and which went down or up
// since the previous frame.
#pragma once

#include "CoreMinimal.h"
#include "InputCoreTypes.h"
#include "UObject/Object.h"

class UPlayerInput : public UObject
{
	DECLARE_CLASS_INTRINSIC(UPlayerInput, UObject, CLASS_Transient, TEXT("/Script/Engine"))

	// The key is down now.
	bool IsPressed(FKey InKey) const { return KeysDown.Contains(InKey); }
	// The key went down (or up) between the previous frame and this one.
	bool WasJustPressed(FKey InKey) const { return FramePresses.Contains(InKey); }
	bool WasJustReleased(FKey InKey) const { return FrameReleases.Contains(InKey); }

	// Host: key events from the device. A press of a key that is already down repeats and is not a new press.
	void PressKey(FKey Key);
	void ReleaseKey(FKey Key);
	// Host: called by the world at the start of each frame; the events since the previous frame become this frame's
	// presses and releases.
	void BeginFrame();

private:
	TSet<FKey> KeysDown;
	TSet<FKey> PendingPresses;
	TSet<FKey> PendingReleases;
	TSet<FKey> FramePresses;
	TSet<FKey> FrameReleases;
};
