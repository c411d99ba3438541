// Sampling control tracks.
#include "QVRig/RigAnimation.h"

#include "QVRig/ControlValueBlend.h"

#include <algorithm>

FRigControlValue FQVControlTrack::Evaluate(double InFrame) const
{
	check(!Keys.IsEmpty());
	if (InFrame <= Keys[0].Frame)
	{
		return Keys[0].Value;
	}
	if (InFrame >= Keys.Last().Frame)
	{
		return Keys.Last().Value;
	}
	// The first key after InFrame; the one before it exists because InFrame is past the first key.
	const FQVControlTrackKey* Next = std::upper_bound(Keys.begin(), Keys.end(), InFrame,
		[](double Frame, const FQVControlTrackKey& Key) { return Frame < Key.Frame; });
	const FQVControlTrackKey* Previous = Next - 1;
	const double Alpha = (InFrame - Previous->Frame) / (Next->Frame - Previous->Frame);
	return FQVControlValueBlend::Blend(ControlType, Previous->Value, Next->Value, Alpha);
}
