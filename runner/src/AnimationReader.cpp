// Reading animation tracks.
#include "QVRig/AnimationReader.h"

#include "QVJson/JsonShapes.h"

#include "QVRig/ControlValueJson.h"
#include "QVRig/ElementNames.h"

namespace
{
FRigElementKey ReadTrackControl(const FQVJsonValue& InValue, const URigHierarchy& InHierarchy)
{
	const FRigElementKey Key(InValue.AsName(), ERigElementType::Control);
	if (InHierarchy.Contains(Key))
	{
		return InHierarchy.GetKey(InHierarchy.GetIndex(Key));
	}
	const TArray<FRigElementKey> Others = FQVElementNames::FindByName(InHierarchy, Key.Name);
	InValue.Fail(Others.IsEmpty() ? FString::Printf(TEXT("there is no control named '%s'"), *Key.Name.ToString())
								  : FString::Printf(TEXT("tracks animate controls, and '%s' is a %s"),
										*Key.Name.ToString(), *FQVJsonShapes::ElementTypeWord(Others[0].Type)));
}

FQVControlTrack ReadTrack(const FQVJsonValue& InTrack, const URigHierarchy& InHierarchy)
{
	InTrack.ExpectObject({TEXT("control"), TEXT("keys")});
	FQVControlTrack Track;
	Track.Control = ReadTrackControl(InTrack.Get(TEXT("control")), InHierarchy);
	Track.ControlType = InHierarchy.Find<FRigControlElement>(Track.Control)->Settings.ControlType;

	const FQVJsonValue Keys = InTrack.Get(TEXT("keys"));
	const int32 NumKeys = Keys.ExpectArray(TEXT("an array of [frame, value] keys"), 1);
	for (int32 Index = 0; Index < NumKeys; ++Index)
	{
		const FQVJsonValue Key = Keys.At(Index);
		Key.ExpectArray(TEXT("a key [frame, value]"), 2, 2);
		const FQVJsonValue FrameValue = Key.At(0);
		const double Frame = FrameValue.AsNumber();
		if (Index > 0 && Frame <= Track.Keys.Last().Frame)
		{
			FrameValue.Fail(FString::Printf(TEXT("keys must be in increasing frame order, and frame %g follows "
												 "frame %g"),
				Frame, Track.Keys.Last().Frame));
		}
		Track.Keys.Add(FQVControlTrackKey{Frame, FQVControlValueJson::Read(Key.At(1), Track.ControlType)});
	}
	return Track;
}
} // namespace

FQVRigAnimation FQVAnimationReader::Read(const FQVJsonValue& InAnimation, const URigHierarchy& InHierarchy)
{
	InAnimation.ExpectObject({TEXT("frameRate"), TEXT("frameCount"), TEXT("tracks")});
	FQVRigAnimation Animation;
	if (const TOptional<FQVJsonValue> FrameRate = InAnimation.Find(TEXT("frameRate")))
	{
		Animation.FrameRate = FrameRate->AsNumber();
		if (Animation.FrameRate <= 0.0)
		{
			FrameRate->FailExpected(TEXT("a frame rate above 0"));
		}
	}
	const FQVJsonValue FrameCount = InAnimation.Get(TEXT("frameCount"));
	const FQVJson& Count = FrameCount.GetJson();
	const bool bInRange = Count.is_number_unsigned()
		? Count.get<uint64>() >= 1 && Count.get<uint64>() <= uint64(FQVRigAnimation::MaxFrameCount)
		: Count.is_number_integer() && Count.get<int64>() >= 1 && Count.get<int64>() <= FQVRigAnimation::MaxFrameCount;
	if (!bInRange)
	{
		FrameCount.FailExpected(FString::Printf(TEXT("a frame count from 1 to %d"), FQVRigAnimation::MaxFrameCount));
	}
	Animation.FrameCount = FrameCount.AsInt32();

	const TOptional<FQVJsonValue> Tracks = InAnimation.Find(TEXT("tracks"));
	const int32 NumTracks = Tracks.IsSet() ? Tracks->ExpectArray(TEXT("an array of tracks")) : 0;
	TMap<FRigElementKey, int32> TrackIndices;
	for (int32 Index = 0; Index < NumTracks; ++Index)
	{
		const FQVJsonValue TrackValue = Tracks->At(Index);
		FQVControlTrack Track = ReadTrack(TrackValue, InHierarchy);
		if (const int32* Previous = TrackIndices.Find(Track.Control))
		{
			TrackValue.Get(TEXT("control"))
				.Fail(FString::Printf(TEXT("control '%s' already has a track at animation.tracks[%d]"),
					*Track.Control.Name.ToString(), *Previous));
		}
		TrackIndices.Add(Track.Control, Index);
		Animation.Tracks.Add(MoveTemp(Track));
	}
	return Animation;
}
