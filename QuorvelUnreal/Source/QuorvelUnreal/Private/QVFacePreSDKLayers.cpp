// Face layers before the set-driven-key rows: board proxies, eye carriers, the aim-eye follow blend and the eye aim
// bindings. Elements that do not resolve skip their record silently; nothing here reports.
#include "QVFacePreSDKLayers.h"

#include "QVFaceAim.h"
#include "QVFaceControlChannel.h"
#include "QVFaceProxy.h"
#include "QVFaceSDKChannels.h"

namespace
{
// Sets a control's value to the transform as an Euler transform (location, rotator, scale), and its preferred angles
// to that rotation, so the value reads back with it.
void SetEulerValue(URigHierarchy& Hierarchy, FRigControlElement* Control, const FTransform& Transform)
{
	Hierarchy.SetControlValue(Control, FRigControlValue::Make<FEulerTransform>(FEulerTransform(Transform)),
		ERigControlValueType::Current, false);
	Hierarchy.SetControlPreferredEulerAngles(Control, Transform, false);
}

// The control's current value as a float: that of a float or scale-float control, else 0.
float ReadFloat(const URigHierarchy& Hierarchy, FRigControlElement& Control)
{
	const FRigControlValue Value =
		Hierarchy.GetControlValue(&Control, ERigControlValueType::Current, Hierarchy.UsesPreferredEulerAngles());
	return QVFaceSDKChannels::GetControlValueChannel(
		Value, Control.Settings.ControlType, EQVFaceSDKChannel::ValueFloat);
}
} // namespace

void QVFacePreSDKLayers::SynchronizeProxies(
	const FQVFaceEvaluation& Evaluation, TArray<FTransform>& CachedProxyValues, TArray<FName>& CachedProxyNames)
{
	URigHierarchy& Hierarchy = Evaluation.Hierarchy;
	const TArray<FQVFaceSDKProxyControl>& Proxies = Evaluation.Asset.ProxyControls;
	CachedProxyValues.SetNum(Proxies.Num());
	CachedProxyNames.SetNum(Proxies.Num());

	for (int32 Slot = 0; Slot < Proxies.Num(); ++Slot)
	{
		const FQVFaceSDKProxyControl& Record = Proxies[Slot];
		FRigControlElement* Proxy = Evaluation.Find<FRigControlElement>(Record.ProxyName, ERigElementType::Control);
		FRigControlElement* Control = Evaluation.Find<FRigControlElement>(Record.ControlName, ERigElementType::Control);
		if (Proxy == nullptr || Control == nullptr)
		{
			continue;
		}
		const FTransform ProxyLocal = Hierarchy.GetTransform(Proxy, ERigTransformType::CurrentLocal);
		// A slot that now names another proxy starts from that proxy's setup value, so an untouched proxy does not
		// overwrite its control.
		if (CachedProxyNames[Slot] != Record.ProxyName)
		{
			CachedProxyNames[Slot] = Record.ProxyName;
			CachedProxyValues[Slot] = Hierarchy.GetTransform(Proxy, ERigTransformType::InitialLocal);
		}

		// The proxy's parent cancels the proxy's value, so the proxy stays on its board spot.
		FRigTransformElement* ProxyParent = Cast<FRigTransformElement>(Hierarchy.GetFirstParent(Proxy));
		const FTransform ProxyParentSetup = Hierarchy.GetTransform(ProxyParent, ERigTransformType::InitialLocal);
		const FTransform ProxyParentRest =
			ProxyParentSetup * Hierarchy.GetParentTransform(ProxyParent, ERigTransformType::CurrentGlobal);
		const FVector Ratio = QVFaceProxy::ScaleRatio(ProxyParentRest.GetScale3D(),
			Hierarchy.GetParentTransform(Control, ERigTransformType::CurrentGlobal).GetScale3D());

		if (QVFaceProxy::IsEdited(ProxyLocal, CachedProxyValues[Slot]))
		{
			SetEulerValue(Hierarchy, Control, QVFaceProxy::ToControl(ProxyLocal, Ratio));
		}

		const FTransform Mirrored =
			QVFaceProxy::ToProxy(Hierarchy.GetTransform(Control, ERigTransformType::CurrentLocal), Ratio);
		Evaluation.Write(ProxyParent, Mirrored.Inverse() * ProxyParentSetup, ERigTransformType::CurrentLocal);
		SetEulerValue(Hierarchy, Proxy, Mirrored);
		CachedProxyValues[Slot] = Hierarchy.GetTransform(Proxy, ERigTransformType::CurrentLocal);

		Hierarchy.SetControlShapeTransform(Proxy,
			Hierarchy.GetControlShapeTransform(Proxy, ERigTransformType::InitialLocal), ERigTransformType::CurrentLocal,
			false);
		Hierarchy.SetControlVisibility(Proxy, true);
	}
}

FRigNullElement* QVFacePreSDKLayers::FindEyeCarrier(const URigHierarchy& Hierarchy, const FRigBaseElement& SDKNull)
{
	return Cast<FRigNullElement>(Hierarchy.GetFirstParent(Hierarchy.GetFirstParent(&SDKNull)));
}

void QVFacePreSDKLayers::CarryEyeLayers(const FQVFaceEvaluation& Evaluation)
{
	URigHierarchy& Hierarchy = Evaluation.Hierarchy;
	const FTransform FaceJointInitial = Evaluation.GetFaceJointInitial();
	const FTransform FaceJointCurrent = Evaluation.GetFaceJointCurrent();
	for (const FQVFaceSDKEyeChain& Chain : Evaluation.Asset.EyeChains)
	{
		const FRigNullElement* SDKNull = Evaluation.Find<FRigNullElement>(Chain.SDKNullName, ERigElementType::Null);
		if (SDKNull == nullptr)
		{
			continue;
		}
		FRigNullElement* Carrier = FindEyeCarrier(Hierarchy, *SDKNull);
		if (Carrier == nullptr)
		{
			continue;
		}
		Evaluation.Write(Carrier,
			Hierarchy.GetTransform(Carrier, ERigTransformType::InitialGlobal).GetRelativeTransform(FaceJointInitial) *
				FaceJointCurrent,
			ERigTransformType::CurrentGlobal);
	}
}

void QVFacePreSDKLayers::BlendAimEyeFollow(const FQVFaceEvaluation& Evaluation)
{
	static const FName FollowName(TEXT("QV_AimEyeFollow_M"));
	static const FName StaticName(TEXT("QV_AimEyeFollowStatic"));
	static const FName HeadName(TEXT("QV_AimEyeFollowHead"));
	static const FName AimControlName(TEXT("AimEye_M"));
	static const FName FollowChannelName(TEXT("follow"));
	static const FName FollowControlName(TEXT("AimEye_M_follow"));
	// Without a follow value the aim space follows the head.
	constexpr float DefaultFollow = 10.f;

	URigHierarchy& Hierarchy = Evaluation.Hierarchy;
	FRigTransformElement* Follow = Evaluation.Find<FRigNullElement>(FollowName, ERigElementType::Null);
	FRigTransformElement* Static = Evaluation.Find<FRigNullElement>(StaticName, ERigElementType::Null);
	FRigTransformElement* Head = Evaluation.Find<FRigNullElement>(HeadName, ERigElementType::Null);
	if (Follow == nullptr || Static == nullptr || Head == nullptr)
	{
		return;
	}

	float FollowValue = DefaultFollow;
	FCachedRigElement Channel;
	if (QVFaceControlChannel::Resolve(Hierarchy, AimControlName, FollowChannelName, Channel))
	{
		FRigControlElement* ChannelControl = Hierarchy.Get<FRigControlElement>(Channel.GetIndex());
		FollowValue = ChannelControl != nullptr ? ReadFloat(Hierarchy, *ChannelControl) : 0.f;
	}
	else if (FRigControlElement* FollowControl =
				 Evaluation.Find<FRigControlElement>(FollowControlName, ERigElementType::Control))
	{
		FollowValue = ReadFloat(Hierarchy, *FollowControl);
	}

	// Follow 0 keeps the aim space static, 10 makes it follow the head.
	FTransform Blended;
	Blended.Blend(Hierarchy.GetTransform(Static, ERigTransformType::CurrentGlobal),
		Hierarchy.GetTransform(Head, ERigTransformType::CurrentGlobal), FMath::Clamp(FollowValue * 0.1f, 0.f, 1.f));
	Evaluation.Write(Follow, Blended, ERigTransformType::CurrentGlobal);
}

void QVFacePreSDKLayers::ApplyAimBindings(const FQVFaceEvaluation& Evaluation)
{
	URigHierarchy& Hierarchy = Evaluation.Hierarchy;
	for (const FQVFaceSDKAimBinding& Binding : Evaluation.Asset.AimBindings)
	{
		FRigNullElement* Null = Evaluation.Find<FRigNullElement>(Binding.EyeAimNullName, ERigElementType::Null);
		FRigControlElement* Target =
			Evaluation.Find<FRigControlElement>(Binding.TargetControlName, ERigElementType::Control);
		if (Null == nullptr || Target == nullptr)
		{
			continue;
		}
		// The null's rest pose under its parent as the parent is now.
		const FTransform Rest = Hierarchy.GetTransform(Null, ERigTransformType::InitialLocal) *
			Hierarchy.GetParentTransform(Null, ERigTransformType::CurrentGlobal);
		const FQuat Rotation = QVFaceAim::ComputeBindingRotation(Binding.AimAxis, Binding.UpAxis, Rest,
			Hierarchy.GetTransform(Null, ERigTransformType::InitialGlobal),
			Hierarchy.GetTransform(Target, ERigTransformType::InitialGlobal).GetTranslation(),
			Hierarchy.GetTransform(Target, ERigTransformType::CurrentGlobal).GetTranslation());
		Evaluation.Write(
			Null, FTransform(Rotation, Rest.GetTranslation(), Rest.GetScale3D()), ERigTransformType::CurrentGlobal);
	}
}
