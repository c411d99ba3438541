// Sampling control and pin tracks.
#include "QVRig/RigAnimation.h"

#include "QVRig/ControlValueBlend.h"
#include "UObject/UnrealType.h"

#include <algorithm>

namespace
{
// Where a frame falls among keys: the key at or before it, the key after it and the fraction of the way between them.
// Before the first key and after the last, both are the end key.
struct FKeySpan
{
	int32 Previous = 0;
	int32 Next = 0;
	double Alpha = 0.0;
};

template <typename KeyType> FKeySpan FindKeySpan(const TArray<KeyType>& InKeys, double InFrame)
{
	check(!InKeys.IsEmpty());
	if (InFrame <= InKeys[0].Frame)
	{
		return FKeySpan{0, 0, 0.0};
	}
	if (InFrame >= InKeys.Last().Frame)
	{
		return FKeySpan{InKeys.Num() - 1, InKeys.Num() - 1, 0.0};
	}
	// The first key after InFrame; the one before it exists because InFrame is past the first key.
	const KeyType* Next = std::upper_bound(
		InKeys.begin(), InKeys.end(), InFrame, [](double Frame, const KeyType& Key) { return Frame < Key.Frame; });
	const KeyType* Previous = Next - 1;
	return FKeySpan{static_cast<int32>(Previous - InKeys.begin()), static_cast<int32>(Next - InKeys.begin()),
		(InFrame - Previous->Frame) / (Next->Frame - Previous->Frame)};
}
} // namespace

FRigControlValue FQVControlTrack::Evaluate(double InFrame) const
{
	const FKeySpan Span = FindKeySpan(Keys, InFrame);
	if (Span.Previous == Span.Next)
	{
		return Keys[Span.Previous].Value;
	}
	return FQVControlValueBlend::Blend(ControlType, Keys[Span.Previous].Value, Keys[Span.Next].Value, Span.Alpha);
}

double FQVPinTrack::Evaluate(double InFrame) const
{
	const FKeySpan Span = FindKeySpan(Keys, InFrame);
	const double From = Keys[Span.Previous].Value;
	const double To = Keys[Span.Next].Value;
	switch (Type)
	{
		case EQVPinTrackType::Bool:
			return From;
		case EQVPinTrackType::Int32:
			return double(FMath::RoundToInt(FMath::Lerp(From, To, Span.Alpha)));
		default:
			return FMath::Lerp(From, To, Span.Alpha);
	}
}

void FQVPinTrack::Apply(uint8* InNodeMemory, double InFrame) const
{
	const double Value = Evaluate(InFrame);
	void* PinValue = Pin->ContainerPtrToValuePtr<void>(InNodeMemory);
	switch (Type)
	{
		case EQVPinTrackType::Bool:
			*static_cast<bool*>(PinValue) = Value != 0.0;
			break;
		case EQVPinTrackType::Int32:
			*static_cast<int32*>(PinValue) = static_cast<int32>(Value);
			break;
		case EQVPinTrackType::Float:
			*static_cast<float*>(PinValue) = static_cast<float>(Value);
			break;
		case EQVPinTrackType::Double:
			*static_cast<double*>(PinValue) = Value;
			break;
	}
}
