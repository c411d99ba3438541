// Set-driven-key rows, direct controls and the write of the accumulated targets.
#include "QVFaceSDKRows.h"

#include "QVFaceBoardNames.h"
#include "QVFaceControlChannel.h"
#include "QVFaceFrame.h"
#include "QVFaceSDKChannels.h"
#include "QVFaceSDKEvaluator.h"
#include "QVFaceSDKRow.h"
#include "QVFaceSDKRotationBatch.h"

namespace
{
using namespace QVFaceSDKChannels;

void ReportMissingControl(const FControlRigExecuteContext& ExecuteContext, const FName& ControlName)
{
	UE_CONTROLRIG_RIGUNIT_REPORT_WARNING(
		TEXT("QV Face SDK Solver: Control '%s' was not found."), *ControlName.ToString());
}

void ReportMissingChannel(
	const FControlRigExecuteContext& ExecuteContext, const FName& ControlName, const FName& ChannelName)
{
	UE_CONTROLRIG_RIGUNIT_REPORT_WARNING(TEXT("QV Face SDK Solver: Control channel '%s.%s' was not found."),
		*ControlName.ToString(), *ChannelName.ToString());
}

void ReportMissingTarget(const FControlRigExecuteContext& ExecuteContext, const FName& TargetName)
{
	UE_CONTROLRIG_RIGUNIT_REPORT_WARNING(
		TEXT("QV Face SDK Solver: Driven transform '%s' was not found."), *TargetName.ToString());
}

void ReportDriverValue(const FControlRigExecuteContext& ExecuteContext, const FQVFaceSDKDriver& Driver,
	const FName& ResolvedChannel, double Value)
{
	if (Driver.CustomChannelName.IsNone())
	{
		UE_CONTROLRIG_RIGUNIT_LOG_MESSAGE(
			TEXT("QV Face SDK Solver: %s evaluated at %.3f."), *Driver.ControlName.ToString(), Value);
	}
	else
	{
		UE_CONTROLRIG_RIGUNIT_LOG_MESSAGE(TEXT("QV Face SDK Solver: %s.%s resolved as %s and evaluated at %.3f."),
			*Driver.ControlName.ToString(), *Driver.CustomChannelName.ToString(), *ResolvedChannel.ToString(), Value);
	}
}

// A 2D control that moves in face units rather than board units (see QVFaceBoardNames).
bool IsOnFace2DControl(const URigHierarchy& Hierarchy, const FRigControlElement& Control)
{
	if (Control.Settings.ControlType != ERigControlType::Vector2D)
	{
		return false;
	}
	// Nothing above the control box or the on-face group changes the answer, so the walk ends at either.
	FName Ancestors[QVFaceBoardNames::MaxAncestorLevels];
	int32 NumAncestors = 0;
	for (int32 Parent = Hierarchy.GetFirstParent(Control.GetIndex());
		 Parent != INDEX_NONE && NumAncestors < QVFaceBoardNames::MaxAncestorLevels;
		 Parent = Hierarchy.GetFirstParent(Parent))
	{
		Ancestors[NumAncestors++] = Hierarchy.GetKey(Parent).Name;
		if (QVFaceBoardNames::SettlesAncestorWalk(Ancestors[NumAncestors - 1]))
		{
			break;
		}
	}
	return QVFaceBoardNames::IsOnFaceControl(Control.GetFName(), MakeArrayView(Ancestors, NumAncestors));
}

// The driver's value as the channel reads it from the control. Control-value channels read the value; transform
// channels read a transform or Euler-transform control's value as a transform, and any other control's current local
// transform.
double ReadControlChannel(URigHierarchy& Hierarchy, FRigControlElement& Control, EQVFaceSDKChannel Channel)
{
	const FRigControlValue Value =
		Hierarchy.GetControlValue(&Control, ERigControlValueType::Current, Hierarchy.UsesPreferredEulerAngles());
	const ERigControlType ControlType = Control.Settings.ControlType;
	if (IsControlValue(Channel))
	{
		return double(GetControlValueChannel(Value, ControlType, Channel));
	}
	FTransform Transform;
	if (!GetControlValueTransform(Value, ControlType, Transform))
	{
		Transform = Hierarchy.GetTransform(&Control, ERigTransformType::CurrentLocal);
	}
	return GetTransformChannel(Transform, Channel);
}

// How reading a driver went. Drivers are read ahead of their rows, so what a reading reports waits for the rows.
enum class EDriverReading : uint8
{
	Read,
	MissingControl,
	MissingChannel,
	// The driving element resolved but is no control: skipped without a word.
	Unreadable,
};

struct FDriverReading
{
	EDriverReading Status = EDriverReading::Unreadable;
	// Normalised by the face scale where the channel is in face units.
	double Value = 0.0;
	// The element a custom channel resolved to.
	FName ResolvedChannel;
};

// Resolves the driver's control (or custom channel) and reads its value, normalised by the face scale where the
// channel is in face units. Reads only: the hierarchy is left as it is and nothing is reported (see ReportReading).
FDriverReading ReadDriver(
	const FQVFaceEvaluation& Evaluation, const FQVFaceSDKDriver& Driver, FCachedRigElement& CachedControl)
{
	URigHierarchy& Hierarchy = Evaluation.Hierarchy;
	FDriverReading Reading;
	FCachedRigElement CustomChannel;
	const FCachedRigElement* Driving = &CachedControl;
	if (!Driver.CustomChannelName.IsNone())
	{
		if (!QVFaceControlChannel::Resolve(Hierarchy, Driver.ControlName, Driver.CustomChannelName, CustomChannel))
		{
			Reading.Status = EDriverReading::MissingChannel;
			return Reading;
		}
		Driving = &CustomChannel;
		Reading.ResolvedChannel = CustomChannel.GetKey().Name;
	}
	else if (!CachedControl.UpdateCache(FRigElementKey(Driver.ControlName, ERigElementType::Control), &Hierarchy))
	{
		Reading.Status = EDriverReading::MissingControl;
		return Reading;
	}

	FRigControlElement* Control = Hierarchy.Get<FRigControlElement>(Driving->GetIndex());
	if (Control == nullptr)
	{
		return Reading;
	}
	if (Driving == &CustomChannel)
	{
		// A custom channel is read as one float; Channel still decides the normalisation below.
		const FRigControlValue Value =
			Hierarchy.GetControlValue(Control, ERigControlValueType::Current, Hierarchy.UsesPreferredEulerAngles());
		Reading.Value =
			double(GetControlValueChannel(Value, Control->Settings.ControlType, EQVFaceSDKChannel::ValueFloat));
	}
	else
	{
		Reading.Value = ReadControlChannel(Hierarchy, *Control, Driver.Channel);
	}

	if (IsTranslation(Driver.Channel) || (IsControlValue(Driver.Channel) && IsOnFace2DControl(Hierarchy, *Control)))
	{
		Reading.Value /= Evaluation.FaceScaleDivisor;
	}
	Reading.Status = EDriverReading::Read;
	return Reading;
}

// What reading the driver has to say, in driver order: a warning when its element is missing, its value with bDebug.
void ReportReading(const FQVFaceEvaluation& Evaluation, const FQVFaceSDKDriver& Driver, const FDriverReading& Reading)
{
	switch (Reading.Status)
	{
		case EDriverReading::MissingControl:
			ReportMissingControl(Evaluation.ExecuteContext, Driver.ControlName);
			break;
		case EDriverReading::MissingChannel:
			ReportMissingChannel(Evaluation.ExecuteContext, Driver.ControlName, Driver.CustomChannelName);
			break;
		case EDriverReading::Read:
			if (Evaluation.bDebug)
			{
				ReportDriverValue(Evaluation.ExecuteContext, Driver, Reading.ResolvedChannel, Reading.Value);
			}
			break;
		case EDriverReading::Unreadable:
			break;
	}
}

// The target's index in the accumulation, adding it at its setup local transform when it is new. Element is the
// transform element at ElementIndex, whose key is Key.
int32 AddTarget(URigHierarchy& Hierarchy, FQVFaceSDKAccumulation& Accumulation, const FRigElementKey& Key,
	FRigTransformElement* Element, int32 ElementIndex)
{
	const int32 Target = Accumulation.Find(Key);
	return Target != INDEX_NONE
		? Target
		: Accumulation.Add(Key, Hierarchy.GetTransform(Element, ERigTransformType::InitialLocal), ElementIndex);
}

void SeedRegionBones(URigHierarchy& Hierarchy, const UQVFaceRigDataAsset& Asset, FQVFaceSDKAccumulation& Accumulation)
{
	for (const FQVFaceSDKRegionControl& Region : Asset.RegionControls)
	{
		for (const FName& BoneName : Region.BoneNames)
		{
			const FRigElementKey Key(BoneName, ERigElementType::Bone);
			const int32 Index = Hierarchy.GetIndex(Key);
			if (FRigTransformElement* Bone = Hierarchy.Get<FRigTransformElement>(Index))
			{
				AddTarget(Hierarchy, Accumulation, Key, Bone, Index);
			}
		}
	}
}

// CurveRotation: the row's quaternion curve at DriverValue when it was evaluated ahead, else null.
void EvaluateDrivenChannel(const FQVFaceEvaluation& Evaluation, const FQVDrivenSDKChannel& Driven,
	FCachedRigElement& CachedTarget, float DriverValue, const FQuat* CurveRotation,
	FQVFaceSDKAccumulation& Accumulation)
{
	URigHierarchy& Hierarchy = Evaluation.Hierarchy;
	if (!QVFaceSDKRows::ResolveDrivenTarget(Hierarchy, Driven.BoneName, CachedTarget))
	{
		ReportMissingTarget(Evaluation.ExecuteContext, Driven.BoneName);
		return;
	}
	// A resolved target is a bone or a null, so a transform element. The element itself is read only by the rows
	// that need its transforms: most rows find their target already in the accumulation and never touch it.
	const int32 Index = CachedTarget.GetIndex();
	FRigTransformElement* Element = static_cast<FRigTransformElement*>(Hierarchy.Get(Index));
	const int32 Target = AddTarget(Hierarchy, Accumulation, CachedTarget.GetKey(), Element, Index);
	QVFaceSDKRow::Apply(Accumulation, Target, Driven, DriverValue, CurveRotation, Evaluation.Weight,
		Evaluation.FaceScaleDivisor,
		[&Hierarchy, Element] { return Hierarchy.GetTransform(Element, ERigTransformType::InitialLocal); },
		[&Hierarchy, Element] { return Hierarchy.GetParentTransform(Element, ERigTransformType::InitialGlobal); });
}
} // namespace

bool QVFaceSDKRows::ResolveDrivenTarget(
	const URigHierarchy& Hierarchy, const FName& TargetName, FCachedRigElement& CachedTarget)
{
	if (TargetName.IsNone())
	{
		return false;
	}
	// A target the cache holds as a null under the current topology got there because no bone has its name, which
	// still holds: keep it without asking for the bone again.
	const FRigElementKey NullKey(TargetName, ERigElementType::Null);
	if (CachedTarget.IsValid() && CachedTarget.IsIdentical(NullKey, &Hierarchy))
	{
		return true;
	}
	return CachedTarget.UpdateCache(FRigElementKey(TargetName, ERigElementType::Bone), &Hierarchy) ||
		CachedTarget.UpdateCache(NullKey, &Hierarchy);
}

void QVFaceSDKRows::EvaluateDrivers(const FQVFaceEvaluation& Evaluation, TArray<FCachedRigElement>& CachedControls,
	TArray<FCachedRigElement>& CachedDrivenBones, FQVFaceSDKAccumulation& Accumulation)
{
	const TArray<FQVFaceSDKDriver>& Drivers = Evaluation.Asset.Drivers;
	int32 NumChannels = 0;
	for (const FQVFaceSDKDriver& Driver : Drivers)
	{
		NumChannels += Driver.Driven.Num();
	}
	CachedControls.SetNum(Drivers.Num());
	CachedDrivenBones.SetNum(NumChannels);

	SeedRegionBones(Evaluation.Hierarchy, Evaluation.Asset, Accumulation);

	// Drivers go a batch at a time: first every driver of the batch is read and its rows' quaternion curves are
	// evaluated, then the rows are applied, each driver's report first. Nothing here writes to the hierarchy, so
	// reading ahead reads what reading in turn would. Channels are counted across all drivers, past the channels of
	// skipped drivers too, so each entry of CachedDrivenBones always caches the same channel.
	constexpr int32 DriversPerBatch = FQVFaceSDKRotationBatch::DriversPerBatch;
	FDriverReading Readings[DriversPerBatch];
	FQVFaceSDKRotationBatch Rotations;
	int32 FirstChannel = 0;
	for (int32 BatchStart = 0; BatchStart < Drivers.Num(); BatchStart += DriversPerBatch)
	{
		const int32 BatchSize = FMath::Min(DriversPerBatch, Drivers.Num() - BatchStart);
		Rotations.Reset();
		for (int32 InBatch = 0; InBatch < BatchSize; ++InBatch)
		{
			const FQVFaceSDKDriver& Driver = Drivers[BatchStart + InBatch];
			Readings[InBatch] = ReadDriver(Evaluation, Driver, CachedControls[BatchStart + InBatch]);
			if (Readings[InBatch].Status == EDriverReading::Read)
			{
				Rotations.AddRows(Driver.Driven, float(Readings[InBatch].Value));
			}
		}

		for (int32 InBatch = 0; InBatch < BatchSize; ++InBatch)
		{
			const FQVFaceSDKDriver& Driver = Drivers[BatchStart + InBatch];
			const int32 DriverChannels = FirstChannel;
			FirstChannel += Driver.Driven.Num();
			const FDriverReading& Reading = Readings[InBatch];
			ReportReading(Evaluation, Driver, Reading);
			if (Reading.Status != EDriverReading::Read)
			{
				continue;
			}
			for (int32 Offset = 0; Offset < Driver.Driven.Num(); ++Offset)
			{
				const FQVDrivenSDKChannel& Driven = Driver.Driven[Offset];
				const FQuat* CurveRotation = Driven.bQuaternionRotation ? Rotations.TakeNext() : nullptr;
				EvaluateDrivenChannel(Evaluation, Driven, CachedDrivenBones[DriverChannels + Offset],
					float(Reading.Value), CurveRotation, Accumulation);
			}
		}
	}
}

void QVFaceSDKRows::AddDirectControls(const FQVFaceEvaluation& Evaluation,
	TArray<FCachedRigElement>& CachedDirectControls, FQVFaceSDKAccumulation& Accumulation,
	FQVFaceFollowRecord& FollowRecord)
{
	URigHierarchy& Hierarchy = Evaluation.Hierarchy;
	const TArray<FQVFaceSDKDirectControl>& DirectControls = Evaluation.Asset.DirectControls;
	CachedDirectControls.SetNum(DirectControls.Num());
	int32 NumFollowed = 0;
	for (const FQVFaceSDKDirectControl& Direct : DirectControls)
	{
		NumFollowed += Direct.FollowNullName.IsNone() ? 0 : 1;
	}
	FollowRecord.Reset(NumFollowed);

	for (int32 Index = 0; Index < DirectControls.Num(); ++Index)
	{
		const FQVFaceSDKDirectControl& Direct = DirectControls[Index];
		FCachedRigElement& CachedControl = CachedDirectControls[Index];
		FCachedRigElement CachedBone;
		const bool bControl =
			CachedControl.UpdateCache(FRigElementKey(Direct.ControlName, ERigElementType::Control), &Hierarchy);
		const bool bBone = CachedBone.UpdateCache(FRigElementKey(Direct.BoneName, ERigElementType::Bone), &Hierarchy);
		FRigTransformElement* Control =
			bControl ? Hierarchy.Get<FRigTransformElement>(CachedControl.GetIndex()) : nullptr;
		FRigTransformElement* Bone = bBone ? Hierarchy.Get<FRigTransformElement>(CachedBone.GetIndex()) : nullptr;
		if (Control == nullptr || Bone == nullptr)
		{
			continue;
		}

		const int32 Target = AddTarget(Hierarchy, Accumulation, CachedBone.GetKey(), Bone, CachedBone.GetIndex());
		if (!Direct.FollowNullName.IsNone())
		{
			FollowRecord.Record(Direct.BoneName, Accumulation.GetTransform(Target));
		}
		QVFaceDirectControl::AddDelta(Accumulation.GetTransform(Target),
			Hierarchy.GetTransform(Control, ERigTransformType::InitialLocal),
			Hierarchy.GetTransform(Control, ERigTransformType::CurrentLocal),
			Hierarchy.GetTransform(Control, ERigTransformType::InitialGlobal),
			Hierarchy.GetParentTransform(Bone, ERigTransformType::CurrentGlobal), Evaluation.FaceScaleDivisor);
	}
}

void QVFaceSDKRows::WriteTargets(const FQVFaceEvaluation& Evaluation, const FQVFaceSDKAccumulation& Accumulation)
{
	URigHierarchy& Hierarchy = Evaluation.Hierarchy;
	for (int32 Target = 0; Target < Accumulation.Num(); ++Target)
	{
		// Nothing adds or removes elements during an evaluation, so the index a target resolved to when it was added
		// still holds; only targets without one are resolved again by key.
		int32 Index = Accumulation.GetElementIndex(Target);
		if (Index == INDEX_NONE)
		{
			FCachedRigElement CachedTarget;
			Index = CachedTarget.UpdateCache(Accumulation.GetKey(Target), &Hierarchy) ? CachedTarget.GetIndex()
																					  : INDEX_NONE;
		}
		FRigTransformElement* Element = Hierarchy.Get<FRigTransformElement>(Index);
		if (Element == nullptr)
		{
			continue;
		}
		const FQuat ParentInitialRotation = Accumulation.HasWorldTranslationDelta(Target)
			? Hierarchy.GetParentTransform(Element, ERigTransformType::InitialGlobal).GetRotation()
			: FQuat::Identity;
		Hierarchy.SetTransform(Element, Accumulation.Resolve(Target, ParentInitialRotation),
			ERigTransformType::CurrentLocal, true, false, false, false);
	}
}
