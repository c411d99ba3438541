// What the face solver's layers around the set-driven-key rows skip: regions, proxies, layered eyes, aim bindings,
// follow controls and visibility groups whose elements do not resolve as the record's field names them (each layer
// skips such a record without a word), and visibility switches that are not switches.
#include "FaceAssetCheck.h"
#include "QVFaceSolverPins.h"

namespace
{
void CheckRegions(FQVFaceAssetCheck& FaceCheck)
{
	FQVUnitCheck& Check = FaceCheck.Check;
	const TArray<FQVFaceSDKRegionControl>& Regions = FaceCheck.Asset.RegionControls;
	for (int32 Index = 0; Index < Regions.Num(); ++Index)
	{
		const FQVFaceSDKRegionControl& Region = Regions[Index];
		const FQVCheckSource Source = FaceCheck.Record(TEXT("RegionControls"), Index);
		Check.Require(Source.Member(TEXT("ControlName")), FQVUnitCheck::ControlKey(Region.ControlName),
			TEXT("the region moves none of its bones"));
		for (int32 Bone = 0; Bone < Region.BoneNames.Num(); ++Bone)
		{
			Check.Require(Source.Member(TEXT("BoneNames")).Item(Bone), FQVUnitCheck::BoneKey(Region.BoneNames[Bone]),
				TEXT("the region does not move it"));
		}
	}
}

void CheckProxies(FQVFaceAssetCheck& FaceCheck)
{
	const TCHAR* const Skipped = TEXT("the proxy and its control are not kept in step");
	QVCheckFaceElementFields<FQVFaceSDKProxyControl>(FaceCheck, TEXT("ProxyControls"), FaceCheck.Asset.ProxyControls,
		{
			{TEXT("ProxyName"), &FQVFaceSDKProxyControl::ProxyName, ERigElementType::Control, Skipped},
			{TEXT("ControlName"), &FQVFaceSDKProxyControl::ControlName, ERigElementType::Control, Skipped},
		});
}

void CheckEyeChains(FQVFaceAssetCheck& FaceCheck)
{
	const TCHAR* const NotPosed = TEXT("the eye joint does not take the final eye control's pose");
	QVCheckFaceElementFields<FQVFaceSDKEyeChain>(FaceCheck, TEXT("EyeChains"), FaceCheck.Asset.EyeChains,
		{
			{TEXT("SDKNullName"), &FQVFaceSDKEyeChain::SDKNullName, ERigElementType::Null,
				TEXT("the eye chain is skipped: its carrier does not follow the face and its eye joint is not posed")},
			{TEXT("FinalControlName"), &FQVFaceSDKEyeChain::FinalControlName, ERigElementType::Control, NotPosed},
			{TEXT("EyeJointName"), &FQVFaceSDKEyeChain::EyeJointName, ERigElementType::Bone, NotPosed},
		});
}

void CheckAimBindings(FQVFaceAssetCheck& FaceCheck)
{
	const TCHAR* const Skipped = TEXT("the binding is skipped and the eye does not aim");
	QVCheckFaceElementFields<FQVFaceSDKAimBinding>(FaceCheck, TEXT("AimBindings"), FaceCheck.Asset.AimBindings,
		{
			{TEXT("EyeAimNullName"), &FQVFaceSDKAimBinding::EyeAimNullName, ERigElementType::Null, Skipped},
			{TEXT("TargetControlName"), &FQVFaceSDKAimBinding::TargetControlName, ERigElementType::Control, Skipped},
		});
}

void CheckFollowControls(FQVFaceAssetCheck& FaceCheck)
{
	const TCHAR* const Skipped =
		TEXT("the helper does not follow the bone and the control's own motion is not cancelled");
	QVCheckFaceElementFields<FQVFaceSDKFollowControl>(FaceCheck, TEXT("FollowControls"), FaceCheck.Asset.FollowControls,
		{
			{TEXT("ControlName"), &FQVFaceSDKFollowControl::ControlName, ERigElementType::Control, Skipped},
			{TEXT("BoneName"), &FQVFaceSDKFollowControl::BoneName, ERigElementType::Bone, Skipped},
			{TEXT("FollowNullName"), &FQVFaceSDKFollowControl::FollowNullName, ERigElementType::Null, Skipped},
		});
}

void CheckVisibilityGroups(FQVFaceAssetCheck& FaceCheck)
{
	FQVUnitCheck& Check = FaceCheck.Check;
	const TArray<FQVFaceSDKVisibilityGroup>& Groups = FaceCheck.Asset.VisibilityGroups;
	for (int32 Index = 0; Index < Groups.Num(); ++Index)
	{
		const FQVFaceSDKVisibilityGroup& Group = Groups[Index];
		const FQVCheckSource Source = FaceCheck.Record(TEXT("VisibilityGroups"), Index);
		const FString Default = FString::Printf(TEXT("the members stay %s, as bDefaultVisible says"),
			Group.bDefaultVisible ? TEXT("shown") : TEXT("hidden"));
		const FQVCheckSource SwitchSource = Source.Member(TEXT("SwitchControlName"));
		if (Check.RequireIfSet(SwitchSource, FQVUnitCheck::ControlKey(Group.SwitchControlName), Default))
		{
			const ERigControlType Type = Check.FindControl(Group.SwitchControlName)->Settings.ControlType;
			if (!QVFaceSolverPins::IsVisibilitySwitch(Type))
			{
				Check.Problem(SwitchSource,
					FString::Printf(TEXT("'%s' is a %s control, and only a Bool control switches a group: %s"),
						*Group.SwitchControlName.ToString(), LexToString(Type), *Default));
			}
		}
		for (int32 Member = 0; Member < Group.Members.Num(); ++Member)
		{
			Check.Require(Source.Member(TEXT("Members")).Item(Member), FQVUnitCheck::ControlKey(Group.Members[Member]),
				TEXT("it is not shown or hidden"));
		}
	}
}
} // namespace

void QVCheckFaceLayers(FQVFaceAssetCheck& FaceCheck)
{
	CheckRegions(FaceCheck);
	CheckProxies(FaceCheck);
	CheckEyeChains(FaceCheck);
	CheckAimBindings(FaceCheck);
	CheckFollowControls(FaceCheck);
	CheckVisibilityGroups(FaceCheck);
}
