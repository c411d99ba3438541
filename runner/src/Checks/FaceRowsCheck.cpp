// What the face solver's set-driven-key rows and direct controls skip: drivers whose control or custom channel does not
// resolve (a warning at run time), driver channels that read nothing from their control, driven channels whose target
// is neither a bone nor a null (a warning at run time) or that name no transform channel, and direct controls or
// follow helpers that do not resolve.
#include "FaceAssetCheck.h"
#include "QVFaceControlChannel.h"
#include "QVFaceSDKChannels.h"
#include "QVFaceSDKRows.h"

namespace
{
using namespace QVFaceSDKChannels;

const TCHAR* const DriverSkipped = TEXT("the solver warns and skips the driver, so none of its rows run");

FString ChannelName(EQVFaceSDKChannel InChannel)
{
	return StaticEnum<EQVFaceSDKChannel>()->GetNameStringByValue(int64(InChannel));
}

// The custom channel resolves as the solver resolves it, and holds one float.
void CheckCustomChannel(FQVUnitCheck& Check, const FQVCheckSource& InDriverSource, const FQVFaceSDKDriver& InDriver)
{
	const FQVCheckSource Source = InDriverSource.Member(TEXT("CustomChannelName"));
	FCachedRigElement Resolved;
	if (!QVFaceControlChannel::Resolve(
			Check.GetHierarchy(), InDriver.ControlName, InDriver.CustomChannelName, Resolved))
	{
		const FString Control = InDriver.ControlName.ToString();
		const FString Channel = InDriver.CustomChannelName.ToString();
		const FString Where = Check.FindControl(InDriver.ControlName) != nullptr
			? FString::Printf(TEXT("control '%s' has no animation channel '%s'"), *Control, *Channel)
			: FString::Printf(TEXT("there is no control '%s' to hold a channel '%s'"), *Control, *Channel);
		Check.Problem(Source,
			FString::Printf(
				TEXT("%s, and there is no control '%s.%s' either: %s"), *Where, *Control, *Channel, DriverSkipped));
		return;
	}
	const FRigControlElement* Channel = Check.FindControl(Resolved.GetKey().Name);
	if (Channel != nullptr && !HoldsControlValueChannel(Channel->Settings.ControlType, EQVFaceSDKChannel::ValueFloat))
	{
		Check.Problem(Source,
			FString::Printf(
				TEXT("resolves to '%s', a %s control: the driver reads a custom channel as one float, so it "
					 "reads 0"),
				*Resolved.GetKey().Name.ToString(), LexToString(Channel->Settings.ControlType)));
	}
}

// The driver's control resolves, and its channel reads something from it.
void CheckDriverControl(FQVUnitCheck& Check, const FQVCheckSource& InDriverSource, const FQVFaceSDKDriver& InDriver)
{
	if (!Check.Require(
			InDriverSource.Member(TEXT("ControlName")), FQVUnitCheck::ControlKey(InDriver.ControlName), DriverSkipped))
	{
		return;
	}
	const FQVCheckSource ChannelSource = InDriverSource.Member(TEXT("Channel"));
	const ERigControlType ControlType = Check.FindControl(InDriver.ControlName)->Settings.ControlType;
	if (IsControlValue(InDriver.Channel) && !HoldsControlValueChannel(ControlType, InDriver.Channel))
	{
		Check.Problem(ChannelSource,
			FString::Printf(TEXT("%s reads nothing from '%s', a %s control: the driver reads 0"),
				*ChannelName(InDriver.Channel), *InDriver.ControlName.ToString(), LexToString(ControlType)));
	}
	else if (InDriver.Channel == EQVFaceSDKChannel::Rotation)
	{
		Check.Problem(ChannelSource, TEXT("Rotation names no single number to read: the driver reads 0"));
	}
}

void CheckDrivenChannel(FQVUnitCheck& Check, const FQVCheckSource& InSource, const FQVDrivenSDKChannel& InDriven)
{
	FCachedRigElement Target;
	if (!QVFaceSDKRows::ResolveDrivenTarget(Check.GetHierarchy(), InDriven.BoneName, Target))
	{
		Check.Problem(InSource.Member(TEXT("BoneName")),
			FString::Printf(TEXT("%s: the solver warns and skips the row"),
				*Check.DescribeMissing(InDriven.BoneName, {ERigElementType::Bone, ERigElementType::Null})));
	}
	const EQVFaceSDKChannel Channel = InDriven.Channel;
	if (!InDriven.bQuaternionRotation && !IsTranslation(Channel) && !IsRotationAngle(Channel) && !IsScale(Channel))
	{
		Check.Problem(InSource.Member(TEXT("Channel")),
			FString::Printf(TEXT("%s is not a transform channel a row can drive: the row adds nothing to its target"),
				*ChannelName(Channel)));
	}
}

void CheckDrivers(FQVFaceAssetCheck& FaceCheck)
{
	const TArray<FQVFaceSDKDriver>& Drivers = FaceCheck.Asset.Drivers;
	for (int32 Index = 0; Index < Drivers.Num(); ++Index)
	{
		const FQVFaceSDKDriver& Driver = Drivers[Index];
		const FQVCheckSource Source = FaceCheck.Record(TEXT("Drivers"), Index);
		if (Driver.CustomChannelName.IsNone())
		{
			CheckDriverControl(FaceCheck.Check, Source, Driver);
		}
		else
		{
			CheckCustomChannel(FaceCheck.Check, Source, Driver);
		}
		for (int32 Driven = 0; Driven < Driver.Driven.Num(); ++Driven)
		{
			CheckDrivenChannel(FaceCheck.Check, Source.Member(TEXT("Driven")).Item(Driven), Driver.Driven[Driven]);
		}
	}
}

void CheckDirectControls(FQVFaceAssetCheck& FaceCheck)
{
	const TCHAR* const Skipped = TEXT("the direct control is skipped");
	QVCheckFaceElementFields<FQVFaceSDKDirectControl>(FaceCheck, TEXT("DirectControls"), FaceCheck.Asset.DirectControls,
		{
			{TEXT("ControlName"), &FQVFaceSDKDirectControl::ControlName, ERigElementType::Control, Skipped},
			{TEXT("BoneName"), &FQVFaceSDKDirectControl::BoneName, ERigElementType::Bone, Skipped},
			{TEXT("FollowNullName"), &FQVFaceSDKDirectControl::FollowNullName, ERigElementType::Null,
				TEXT("the follow helper is not placed"), true},
		});
}
} // namespace

void QVCheckFaceRows(FQVFaceAssetCheck& FaceCheck)
{
	CheckDrivers(FaceCheck);
	CheckDirectControls(FaceCheck);
}
