// Reading animation tracks: control tracks and pin tracks, keys in increasing frame order.
#include "QVRig/AnimationReader.h"

#include "QVJson/JsonShapes.h"
#include "QVJson/ReflectedJsonReader.h"

#include "QVRig/ControlValueJson.h"
#include "QVRig/ElementNames.h"
#include "QVRig/RigNode.h"
#include "QVRig/UnitPins.h"
#include "UObject/Class.h"
#include "UObject/UnrealType.h"

namespace
{
// Reads the track's "keys", [frame, value] pairs in increasing frame order, handing each frame and value on.
void ReadKeys(const FQVJsonValue& InTrack, TFunctionRef<void(double, const FQVJsonValue&)> InReadKey)
{
	const FQVJsonValue Keys = InTrack.Get(TEXT("keys"));
	const int32 NumKeys = Keys.ExpectArray(TEXT("an array of [frame, value] keys"), 1);
	double LastFrame = 0.0;
	for (int32 Index = 0; Index < NumKeys; ++Index)
	{
		const FQVJsonValue Key = Keys.At(Index);
		Key.ExpectArray(TEXT("a key [frame, value]"), 2, 2);
		const FQVJsonValue FrameValue = Key.At(0);
		const double Frame = FrameValue.AsNumber();
		if (Index > 0 && Frame <= LastFrame)
		{
			FrameValue.Fail(FString::Printf(
				TEXT("keys must be in increasing frame order, and frame %g follows frame %g"), Frame, LastFrame));
		}
		LastFrame = Frame;
		InReadKey(Frame, Key.At(1));
	}
}

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

FQVControlTrack ReadControlTrack(const FQVJsonValue& InTrack, const URigHierarchy& InHierarchy)
{
	FQVControlTrack Track;
	Track.Control = ReadTrackControl(InTrack.Get(TEXT("control")), InHierarchy);
	Track.ControlType = InHierarchy.Find<FRigControlElement>(Track.Control)->Settings.ControlType;
	ReadKeys(InTrack,
		[&Track](double InFrame, const FQVJsonValue& InValue) {
			Track.Keys.Add(FQVControlTrackKey{InFrame, FQVControlValueJson::Read(InValue, Track.ControlType)});
		});
	return Track;
}

// A node by its position in the graph (a whole number) or by its label (a string that labels exactly one node).
int32 ReadTrackNode(const FQVJsonValue& InValue, const TArray<TUniquePtr<FQVRigNode>>& InNodes)
{
	if (!InValue.IsString())
	{
		const int32 Index = InValue.AsInt32();
		if (!InNodes.IsValidIndex(Index))
		{
			InValue.Fail(FString::Printf(TEXT("there is no node graph[%d]: the graph has %d node%s"), Index,
				InNodes.Num(), InNodes.Num() == 1 ? TEXT("") : TEXT("s")));
		}
		return Index;
	}
	const FString Label = InValue.AsString();
	TArray<FString> Matches;
	int32 Found = INDEX_NONE;
	for (int32 Index = 0; Index < InNodes.Num(); ++Index)
	{
		if (InNodes[Index]->GetLabel() == Label)
		{
			Found = Index;
			Matches.Add(FString::Printf(TEXT("graph[%d]"), Index));
		}
	}
	if (Matches.IsEmpty())
	{
		InValue.Fail(FString::Printf(TEXT("no node of the graph is labelled '%s'"), *Label));
	}
	if (Matches.Num() > 1)
	{
		InValue.Fail(FString::Printf(TEXT("%d nodes are labelled '%s' (%s); name the node by its position instead"),
			Matches.Num(), *Label, *FString::Join(Matches, TEXT(", "))));
	}
	return Found;
}

// The input pin a pin track keys, and what its values are.
const FProperty& ReadTrackPin(const FQVJsonValue& InValue, const FQVRigNode& InNode, EQVPinTrackType& OutType)
{
	const UScriptStruct& Struct = *InNode.GetStruct();
	const FProperty* Pin = Struct.FindPropertyByName(InValue.AsName());
	if (Pin == nullptr)
	{
		InValue.Fail(FString::Printf(TEXT("unknown pin '%s' on %s (%s)"), *InValue.AsString(), *Struct.GetName(),
			*FQVUnitPins::DescribeInputPins(Struct)));
	}
	const EQVPinKind Kind = FQVUnitPins::GetKind(*Pin);
	if (Kind != EQVPinKind::Input)
	{
		InValue.Fail(FString::Printf(TEXT("'%s' is %s of %s; only input pins can be animated"), *Pin->GetName(),
			FQVUnitPins::DescribeKind(Kind), *Struct.GetName()));
	}
	if (CastField<FBoolProperty>(Pin) != nullptr)
	{
		OutType = EQVPinTrackType::Bool;
	}
	else if (CastField<FIntProperty>(Pin) != nullptr)
	{
		OutType = EQVPinTrackType::Int32;
	}
	else if (CastField<FFloatProperty>(Pin) != nullptr)
	{
		OutType = EQVPinTrackType::Float;
	}
	else if (CastField<FDoubleProperty>(Pin) != nullptr)
	{
		OutType = EQVPinTrackType::Double;
	}
	else
	{
		InValue.Fail(FString::Printf(TEXT("pin tracks animate bool, int32, float and double pins, and '%s' of %s is "
										  "a %s"),
			*Pin->GetName(), *Struct.GetName(), *Pin->GetCPPType()));
	}
	return *Pin;
}

// A key value read as the pin reads it from the graph, so the same shapes and ranges apply.
double ReadPinValue(const FQVJsonValue& InValue, const FProperty& InPin, EQVPinTrackType InType)
{
	union
	{
		bool Bool;
		int32 Int32;
		float Float;
		double Double;
	} Value;
	const FQVReflectedJsonReader Reader(nullptr);
	Reader.ReadValue(InPin, &Value, InValue);
	switch (InType)
	{
		case EQVPinTrackType::Bool:
			return Value.Bool ? 1.0 : 0.0;
		case EQVPinTrackType::Int32:
			return double(Value.Int32);
		case EQVPinTrackType::Float:
			return double(Value.Float);
		default:
			return Value.Double;
	}
}

FQVPinTrack ReadPinTrack(const FQVJsonValue& InTrack, const TArray<TUniquePtr<FQVRigNode>>& InNodes)
{
	FQVPinTrack Track;
	Track.NodeIndex = ReadTrackNode(InTrack.Get(TEXT("node")), InNodes);
	Track.Pin = &ReadTrackPin(InTrack.Get(TEXT("pin")), *InNodes[Track.NodeIndex], Track.Type);
	ReadKeys(InTrack,
		[&Track](double InFrame, const FQVJsonValue& InValue) {
			Track.Keys.Add(FQVPinTrackKey{InFrame, ReadPinValue(InValue, *Track.Pin, Track.Type)});
		});
	return Track;
}
} // namespace

FQVRigAnimation FQVAnimationReader::Read(
	const FQVJsonValue& InAnimation, const URigHierarchy& InHierarchy, const TArray<TUniquePtr<FQVRigNode>>& InNodes)
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
	TMap<FRigElementKey, int32> ControlTrackIndices;
	TMap<TPair<int32, const FProperty*>, int32> PinTrackIndices;
	for (int32 Index = 0; Index < NumTracks; ++Index)
	{
		const FQVJsonValue TrackValue = Tracks->At(Index);
		TrackValue.ExpectObject({TEXT("control"), TEXT("node"), TEXT("pin"), TEXT("keys")});
		const bool bControl = TrackValue.Find(TEXT("control")).IsSet();
		const bool bNode = TrackValue.Find(TEXT("node")).IsSet();
		const bool bPin = TrackValue.Find(TEXT("pin")).IsSet();
		if (bControl && (bNode || bPin))
		{
			TrackValue.Fail(TEXT("a track animates a control or a node's pin, not both: give 'control', or 'node' "
								 "and 'pin'"));
		}
		if (!bControl && !bNode && !bPin)
		{
			TrackValue.Fail(TEXT("missing required key 'control' (or 'node' and 'pin' for a pin track)"));
		}

		if (bControl)
		{
			FQVControlTrack Track = ReadControlTrack(TrackValue, InHierarchy);
			if (const int32* Previous = ControlTrackIndices.Find(Track.Control))
			{
				TrackValue.Get(TEXT("control"))
					.Fail(FString::Printf(TEXT("control '%s' already has a track at animation.tracks[%d]"),
						*Track.Control.Name.ToString(), *Previous));
			}
			ControlTrackIndices.Add(Track.Control, Index);
			Animation.Tracks.Add(MoveTemp(Track));
			continue;
		}
		FQVPinTrack Track = ReadPinTrack(TrackValue, InNodes);
		const TPair<int32, const FProperty*> PinKey(Track.NodeIndex, Track.Pin);
		if (const int32* Previous = PinTrackIndices.Find(PinKey))
		{
			TrackValue.Get(TEXT("pin"))
				.Fail(FString::Printf(TEXT("pin '%s' of graph[%d] already has a track at animation.tracks[%d]"),
					*Track.Pin->GetName(), Track.NodeIndex, *Previous));
		}
		PinTrackIndices.Add(PinKey, Index);
		Animation.PinTracks.Add(MoveTemp(Track));
	}
	return Animation;
}
