// The rig hierarchy's element storage, lazy transform propagation and control state.
#include "Rigs/RigHierarchy.h"

#include "QVHost/ControlValueText.h"
#include "Rigs/RigHierarchyController.h"

#include <atomic>

DEFINE_LOG_CATEGORY_STATIC(LogRigHierarchy, Log, All);

namespace
{
// Topology versions are unique across all hierarchies, so a cached index never survives a rebuild elsewhere.
std::atomic<uint32> GTopologyVersionCounter{0};

// Controls whose values hold Euler angles, and which report their preferred angles as their value's rotation.
bool IsRotatorControl(ERigControlType InType)
{
	return InType == ERigControlType::Rotator || InType == ERigControlType::EulerTransform;
}

FORCEINLINE bool IsBitwiseEqual(const FTransform& A, const FTransform& B)
{
	return A.GetRotation().X == B.GetRotation().X && A.GetRotation().Y == B.GetRotation().Y &&
		A.GetRotation().Z == B.GetRotation().Z && A.GetRotation().W == B.GetRotation().W &&
		A.GetTranslation() == B.GetTranslation() && A.GetScale3D() == B.GetScale3D();
}
} // namespace

URigHierarchy::URigHierarchy() : TopologyVersion(++GTopologyVersionCounter) {}

URigHierarchy::~URigHierarchy() = default;

// The rotation of a rotator or Euler-transform control's value.
bool URigHierarchy::HasPreferredEulerAngles(ERigControlType InControlType)
{
	switch (InControlType)
	{
		case ERigControlType::Rotator:
		case ERigControlType::EulerTransform:
		case ERigControlType::Transform:
		case ERigControlType::TransformNoScale:
			return true;
		default:
			return false;
	}
}

FRotator URigHierarchy::GetValueRotation(const FRigControlValue& InValue, ERigControlType InControlType)
{
	switch (InControlType)
	{
		case ERigControlType::Rotator:
			return FRotator::MakeFromEuler(FVector(InValue.Get<FVector3f>()));
		case ERigControlType::EulerTransform:
			return InValue.Get<FRigControlValue::FEulerTransform_Float>().GetRotator();
		default:
			return InValue.GetAsTransform(InControlType, ERigControlAxis::X).Rotator();
	}
}

// Replaces the rotation of a rotator or Euler-transform control's value, keeping the rest.
void URigHierarchy::SetValueRotation(
	FRigControlValue& InOutValue, ERigControlType InControlType, const FRotator& InRotator)
{
	if (InControlType == ERigControlType::Rotator)
	{
		InOutValue.Set<FVector3f>(FVector3f(InRotator.Euler()));
		return;
	}
	FRigControlValue::FEulerTransform_Float& Euler = InOutValue.GetRef<FRigControlValue::FEulerTransform_Float>();
	Euler.RotationPitch = float(InRotator.Pitch);
	Euler.RotationYaw = float(InRotator.Yaw);
	Euler.RotationRoll = float(InRotator.Roll);
}

// ---- Elements ----

ERigElementType URigHierarchy::FlatIndexToRigElementType(int32 InIndex)
{
	static constexpr ERigElementType Types[NumElementTypes] = {ERigElementType::Bone, ERigElementType::Null,
		ERigElementType::Control, ERigElementType::Curve, ERigElementType::Reference, ERigElementType::Connector,
		ERigElementType::Socket};
	return InIndex >= 0 && InIndex < NumElementTypes ? Types[InIndex] : ERigElementType::None;
}

int32 URigHierarchy::RigElementTypeToFlatIndex(ERigElementType InElementType)
{
	switch (InElementType)
	{
		case ERigElementType::Bone:
			return 0;
		case ERigElementType::Null:
			return 1;
		case ERigElementType::Control:
			return 2;
		case ERigElementType::Curve:
			return 3;
		case ERigElementType::Reference:
			return 4;
		case ERigElementType::Connector:
			return 5;
		case ERigElementType::Socket:
			return 6;
		default:
			break;
	}
	return INDEX_NONE;
}

int32 URigHierarchy::Num(ERigElementType InElementType) const
{
	const int32 FlatIndex = RigElementTypeToFlatIndex(InElementType);
	if (FlatIndex != INDEX_NONE)
	{
		return NumPerType[FlatIndex];
	}
	// All, or a mask of several types: the elements of each type in it.
	int32 Count = 0;
	for (int32 Flat = 0; Flat < NumElementTypes; ++Flat)
	{
		if (FRigElementKey(FlatIndexToRigElementType(Flat)).IsTypeOf(InElementType))
		{
			Count += NumPerType[Flat];
		}
	}
	return Count;
}

TArray<FRigElementKey> URigHierarchy::GetAllKeys(bool bTraverse, ERigElementType InElementType) const
{
	TArray<FRigElementKey> Keys;
	Keys.Reserve(Elements.Num());
	if (!bTraverse)
	{
		for (const FRigBaseElement* Element : Elements)
		{
			if (Element->IsTypeOf(InElementType))
			{
				Keys.Add(Element->GetKey());
			}
		}
		return Keys;
	}

	// Depth first from each root in element order; a stack of pending elements, children pushed in reverse.
	TArray<const FRigBaseElement*> Pending;
	for (int32 RootIndex = Elements.Num() - 1; RootIndex >= 0; --RootIndex)
	{
		if (ParentIndices[RootIndex] == INDEX_NONE)
		{
			Pending.Add(Elements[RootIndex]);
		}
	}
	while (!Pending.IsEmpty())
	{
		const FRigBaseElement* Element = Pending.Pop();
		if (Element->IsTypeOf(InElementType))
		{
			Keys.Add(Element->GetKey());
		}
		const TConstArrayView<FRigBaseElement*> Children = GetChildren(Element);
		for (int32 ChildIndex = Children.Num() - 1; ChildIndex >= 0; --ChildIndex)
		{
			Pending.Add(Children[ChildIndex]);
		}
	}
	return Keys;
}

// ---- Parents and children ----

FRigElementKey URigHierarchy::GetFirstParent(FRigElementKey InKey) const
{
	return GetKey(GetFirstParent(GetIndex(InKey)));
}

FRigBaseElement* URigHierarchy::GetFirstParent(const FRigBaseElement* InElement) const
{
	if (InElement == nullptr)
	{
		return nullptr;
	}
	const int32 ParentIndex = GetFirstParent(InElement->GetIndex());
	return ParentIndex == INDEX_NONE ? nullptr : Elements[ParentIndex];
}

TConstArrayView<FRigBaseElement*> URigHierarchy::GetChildren(const FRigBaseElement* InElement) const
{
	if (const FRigTransformElement* TransformElement = Cast<FRigTransformElement>(InElement))
	{
		return TConstArrayView<FRigBaseElement*>(TransformElement->ChildElements);
	}
	return TConstArrayView<FRigBaseElement*>();
}

TArray<FRigElementKey> URigHierarchy::GetChildren(FRigElementKey InKey, bool bRecursive) const
{
	TArray<const FRigBaseElement*> Children;
	for (FRigBaseElement* Child : GetChildren(Find(InKey)))
	{
		Children.Add(Child);
	}
	// Level by level: the children's children are appended as the list is walked.
	for (int32 Visited = 0; bRecursive && Visited < Children.Num(); ++Visited)
	{
		for (FRigBaseElement* Child : GetChildren(Children[Visited]))
		{
			Children.Add(Child);
		}
	}
	TArray<FRigElementKey> Keys;
	Keys.Reserve(Children.Num());
	for (const FRigBaseElement* Child : Children)
	{
		Keys.Add(Child->GetKey());
	}
	return Keys;
}

// ---- Lazy evaluation ----
//
// Bones and nulls: Global = Local * ParentGlobal. Controls: OffsetGlobal = OffsetLocal * ParentGlobal and
// Global = Local * OffsetGlobal, where Local is the control's value as a transform and never dirty.
//
// Two rules keep the lazy state exact:
// - A dirty local is recomputed from the global and the frame as they are when it is read. Every change to a frame
//   therefore resolves the dirty locals that depend on it first (PropagateToChildren).
// - A clean global (or offset global) only ever depends on clean globals. So a dirty global means its whole subtree
//   is dirty with clean locals, and propagation stops there. Writes that leave children with clean globals
//   (affect children off) therefore recompute the written element's global at once, and global writes resolve the
//   frame they are written against.

const FTransform& URigHierarchy::ParentGlobal(int32 InIndex, int32 InPose) const
{
	const int32 ParentIndex = ParentIndices[InIndex];
	return ParentIndex == INDEX_NONE ? FTransform::Identity : GlobalOf(ParentIndex, InPose);
}

const FTransform& URigHierarchy::ParentFrame(int32 InIndex, int32 InPose) const
{
	const FRigBaseElement* Element = Elements[InIndex];
	if (Element->GetType() == ERigElementType::Control)
	{
		return OffsetGlobalOf(Element->GetSubIndex(), InPose);
	}
	return ParentGlobal(InIndex, InPose);
}

const FTransform& URigHierarchy::LocalOf(int32 InIndex, int32 InPose) const
{
	FLocalAndGlobal& Pair = Poses[InPose][InIndex];
	if (Pair.bLocalDirty)
	{
		Pair.Local = Pair.Global.GetRelativeTransform(ParentFrame(InIndex, InPose));
		Pair.bLocalDirty = false;
	}
	return Pair.Local;
}

const FTransform& URigHierarchy::GlobalOf(int32 InIndex, int32 InPose) const
{
	FLocalAndGlobal& Pair = Poses[InPose][InIndex];
	if (Pair.bGlobalDirty)
	{
		FTransform::Multiply(&Pair.Global, &Pair.Local, &ParentFrame(InIndex, InPose));
		Pair.bGlobalDirty = false;
	}
	return Pair.Global;
}

const FTransform& URigHierarchy::OffsetLocalOf(int32 InControlIndex, int32 InPose) const
{
	FLocalAndGlobal& Offset = Controls[InControlIndex].Offset[InPose];
	if (Offset.bLocalDirty)
	{
		const int32 ElementIndex = ControlElementIndices[InControlIndex];
		Offset.Local = Offset.Global.GetRelativeTransform(ParentGlobal(ElementIndex, InPose));
		Offset.bLocalDirty = false;
	}
	return Offset.Local;
}

const FTransform& URigHierarchy::OffsetGlobalOf(int32 InControlIndex, int32 InPose) const
{
	FLocalAndGlobal& Offset = Controls[InControlIndex].Offset[InPose];
	if (Offset.bGlobalDirty)
	{
		const int32 ElementIndex = ControlElementIndices[InControlIndex];
		FTransform::Multiply(&Offset.Global, &Offset.Local, &ParentGlobal(ElementIndex, InPose));
		Offset.bGlobalDirty = false;
	}
	return Offset.Global;
}

void URigHierarchy::PropagateToChildren(int32 InIndex, int32 InPose, bool bAffectChildren)
{
	const FRigTransformElement* Element = static_cast<const FRigTransformElement*>(Elements[InIndex]);
	for (FRigBaseElement* Child : Element->ChildElements)
	{
		const int32 ChildIndex = Child->GetIndex();
		FLocalAndGlobal& Pair = Poses[InPose][ChildIndex];
		FLocalAndGlobal* Offset =
			Child->GetType() == ERigElementType::Control ? &Controls[Child->GetSubIndex()].Offset[InPose] : nullptr;
		if (bAffectChildren)
		{
			// The child keeps its local transform (a control: its local offset). An already dirty frame means the
			// whole subtree is dirty with clean locals: nothing to do there.
			FLocalAndGlobal& Frame = Offset ? *Offset : Pair;
			if (Frame.bGlobalDirty)
			{
				continue;
			}
			// Resolve the local against the old frame, let the grandchildren do the same against this child's old
			// global, then invalidate.
			if (Offset)
			{
				OffsetLocalOf(Child->GetSubIndex(), InPose);
				Offset->bGlobalDirty = true;
			}
			else
			{
				LocalOf(ChildIndex, InPose);
			}
			if (!Pair.bGlobalDirty)
			{
				PropagateToChildren(ChildIndex, InPose, true);
				Pair.bGlobalDirty = true;
			}
		}
		else
		{
			// The child keeps its global transform; its local transform (a control: its local offset, so the value
			// stays) is recomputed against the new frame when next read.
			GlobalOf(ChildIndex, InPose);
			if (Offset)
			{
				Offset->bLocalDirty = true;
			}
			else
			{
				Pair.bLocalDirty = true;
			}
		}
	}
}

// ---- Transforms ----

void URigHierarchy::WriteLocal(
	FRigTransformElement* InElement, int32 InPose, const FTransform& InTransform, bool bFixEulerFlips)
{
	const int32 Index = InElement->GetIndex();
	FLocalAndGlobal& Pair = Poses[InPose][Index];
	if (FRigControlElement* Control = Cast<FRigControlElement>(InElement))
	{
		// A control keeps what its type can hold; its transform is then that value's transform.
		const FRigControlSettings& Settings = Control->Settings;
		FRigControlValue Value = Controls[Control->GetSubIndex()].Value[InPose];
		Value.SetFromTransform(InTransform, Settings.ControlType, Settings.PrimaryAxis);
		if (HasPreferredEulerAngles(Settings.ControlType) && bUsePreferredEulerAngles)
		{
			const FRotator Rotator =
				Control->PreferredEulerAngles.SetRotator(InTransform.Rotator(), InPose == InitialPose, bFixEulerFlips);
			if (IsRotatorControl(Settings.ControlType))
			{
				SetValueRotation(Value, Settings.ControlType, Rotator);
			}
		}
		Controls[Control->GetSubIndex()].Value[InPose] = Value;
		Pair.Local = Value.GetAsTransform(Settings.ControlType, Settings.PrimaryAxis);
	}
	else
	{
		Pair.Local = InTransform;
	}
	Pair.bLocalDirty = false;
	Pair.bGlobalDirty = true;
}

void URigHierarchy::SetTransform(FRigTransformElement* InTransformElement, const FTransform& InTransform,
	const ERigTransformType::Type InTransformType, bool bAffectChildren, bool bSetupUndo, bool bForce,
	bool bPrintPythonCommands)
{
	if (InTransformElement == nullptr)
	{
		return;
	}
	const int32 Index = InTransformElement->GetIndex();
	const int32 Pose = PoseOf(InTransformType);
	const bool bLocal = ERigTransformType::IsLocal(InTransformType);
	FLocalAndGlobal& Pair = Poses[Pose][Index];

	if (!bForce && !(bLocal ? Pair.bLocalDirty : Pair.bGlobalDirty) &&
		IsBitwiseEqual(bLocal ? Pair.Local : Pair.Global, InTransform))
	{
		return;
	}

	PropagateToChildren(Index, Pose, bAffectChildren);

	// As in the engine, a transform written to a control winds its preferred Euler angles towards the previous ones.
	constexpr bool bFixEulerFlips = true;
	if (bLocal)
	{
		WriteLocal(InTransformElement, Pose, InTransform, bFixEulerFlips);
	}
	else if (InTransformElement->GetType() == ERigElementType::Control)
	{
		WriteLocal(
			InTransformElement, Pose, InTransform.GetRelativeTransform(ParentFrame(Index, Pose)), bFixEulerFlips);
	}
	else
	{
		// The local transform is resolved against the parent frame when read.
		ParentFrame(Index, Pose);
		Pair.Global = InTransform;
		Pair.bGlobalDirty = false;
		Pair.bLocalDirty = true;
	}
	if (!bAffectChildren)
	{
		// The children kept clean globals, so this element's global must be clean too.
		GlobalOf(Index, Pose);
	}

	if (bPrintPythonCommands)
	{
		LogCommand(
			bLocal ? TEXT("set_local_transform") : TEXT("set_global_transform"), InTransformElement, InTransform);
	}
}

FTransform URigHierarchy::GetLocalTransformByIndex(int32 InElementIndex, bool bInitial) const
{
	if (const FRigTransformElement* Element = Get<FRigTransformElement>(InElementIndex))
	{
		return LocalOf(Element->GetIndex(), bInitial ? InitialPose : CurrentPose);
	}
	return FTransform::Identity;
}

FTransform URigHierarchy::GetGlobalTransformByIndex(int32 InElementIndex, bool bInitial) const
{
	if (const FRigTransformElement* Element = Get<FRigTransformElement>(InElementIndex))
	{
		return GlobalOf(Element->GetIndex(), bInitial ? InitialPose : CurrentPose);
	}
	return FTransform::Identity;
}

void URigHierarchy::SetLocalTransformByIndex(int32 InElementIndex, FTransform InTransform, bool bInitial,
	bool bAffectChildren, bool bSetupUndo, bool bPrintPythonCommands)
{
	SetTransform(Get<FRigTransformElement>(InElementIndex), InTransform,
		bInitial ? ERigTransformType::InitialLocal : ERigTransformType::CurrentLocal, bAffectChildren, bSetupUndo,
		false, bPrintPythonCommands);
}

void URigHierarchy::SetGlobalTransformByIndex(int32 InElementIndex, FTransform InTransform, bool bInitial,
	bool bAffectChildren, bool bSetupUndo, bool bPrintPythonCommand)
{
	SetTransform(Get<FRigTransformElement>(InElementIndex), InTransform,
		bInitial ? ERigTransformType::InitialGlobal : ERigTransformType::CurrentGlobal, bAffectChildren, bSetupUndo,
		false, bPrintPythonCommand);
}

void URigHierarchy::ResetPoseToInitial(ERigElementType InTypeFilter)
{
	for (FRigBaseElement* Element : Elements)
	{
		if (!Element->IsTypeOf(InTypeFilter))
		{
			continue;
		}
		// Resolve this element's initial pair fully, so the copy is valid under any current parent state, then
		// let the current global be recomputed from the copied local.
		const int32 Index = Element->GetIndex();
		FLocalAndGlobal& Current = Poses[CurrentPose][Index];
		PropagateToChildren(Index, CurrentPose, true);
		Current.Local = LocalOf(Index, InitialPose);
		Current.bLocalDirty = false;
		Current.bGlobalDirty = true;
		if (FRigControlElement* Control = Cast<FRigControlElement>(Element))
		{
			FControlState& State = Controls[Control->GetSubIndex()];
			State.Offset[CurrentPose].Local = OffsetLocalOf(Control->GetSubIndex(), InitialPose);
			State.Offset[CurrentPose].bLocalDirty = false;
			State.Offset[CurrentPose].bGlobalDirty = true;
			State.Shape[CurrentPose] = State.Shape[InitialPose];
			State.Value[CurrentPose] = State.Value[InitialPose];
			Control->PreferredEulerAngles.Current = Control->PreferredEulerAngles.Initial;
		}
	}
}

// ---- Controls ----

FRigControlValue URigHierarchy::GetControlValue(
	FRigControlElement* InControlElement, ERigControlValueType InValueType, bool bUsePreferredAngles) const
{
	// One named result and one return, so the value is built in the caller's storage rather than copied twice.
	static const FRigControlValue NoValue;
	const FRigControlValue* Source = &NoValue;
	const bool bInitial = InValueType == ERigControlValueType::Initial;
	if (InControlElement != nullptr)
	{
		const FRigControlSettings& Settings = InControlElement->Settings;
		Source = InValueType == ERigControlValueType::Minimum ? &Settings.MinimumValue
			: InValueType == ERigControlValueType::Maximum
			? &Settings.MaximumValue
			: &Controls[InControlElement->GetSubIndex()].Value[bInitial ? InitialPose : CurrentPose];
	}
	FRigControlValue Value = *Source;
	if (Source != &NoValue && bUsePreferredAngles && IsRotatorControl(InControlElement->Settings.ControlType) &&
		(bInitial || InValueType == ERigControlValueType::Current))
	{
		SetValueRotation(
			Value, InControlElement->Settings.ControlType, InControlElement->PreferredEulerAngles.GetRotator(bInitial));
	}
	return Value;
}

FRigControlValue URigHierarchy::GetControlValueByIndex(int32 InElementIndex, ERigControlValueType InValueType) const
{
	FRigControlElement* Control = const_cast<URigHierarchy*>(this)->Get<FRigControlElement>(InElementIndex);
	return Control ? GetControlValue(Control, InValueType, bUsePreferredEulerAngles) : FRigControlValue();
}

void URigHierarchy::SetControlValueInternal(
	FRigControlElement* InControl, int32 InPose, const FRigControlValue& InValue)
{
	const int32 Index = InControl->GetIndex();
	const FRigControlSettings& Settings = InControl->Settings;
	PropagateToChildren(Index, InPose, true);
	Controls[InControl->GetSubIndex()].Value[InPose] = InValue;
	FLocalAndGlobal& Pair = Poses[InPose][Index];
	Pair.Local = InValue.GetAsTransform(Settings.ControlType, Settings.PrimaryAxis);
	Pair.bLocalDirty = false;
	Pair.bGlobalDirty = true;
}

void URigHierarchy::SetControlValue(FRigControlElement* InControlElement, const FRigControlValue& InValue,
	ERigControlValueType InValueType, bool bSetupUndo, bool bForce, bool bPrintPythonCommands, bool bFixEulerFlips)
{
	if (InControlElement == nullptr)
	{
		return;
	}
	FRigControlSettings& Settings = InControlElement->Settings;
	switch (InValueType)
	{
		case ERigControlValueType::Minimum:
			Settings.MinimumValue = InValue;
			return;
		case ERigControlValueType::Maximum:
			Settings.MaximumValue = InValue;
			return;
		default:
			break;
	}
	const bool bInitial = InValueType == ERigControlValueType::Initial;
	SetControlValueInternal(InControlElement, bInitial ? InitialPose : CurrentPose, InValue);
	// As in the engine, the preferred angles follow a value write only when it fixes flips: they are then wound
	// towards the previous ones from a rotator value's own angles, or from the rotator of any other value's rotation.
	// Otherwise they keep what they held, and rotator and Euler-transform values read back with those angles until
	// the caller sets them (the engine's animation sets them with every keyed value).
	if (bFixEulerFlips && HasPreferredEulerAngles(Settings.ControlType))
	{
		const FRotator Rotator = Settings.ControlType == ERigControlType::Rotator
			? GetValueRotation(InValue, Settings.ControlType)
			: InValue.GetAsTransform(Settings.ControlType, Settings.PrimaryAxis).Rotator();
		InControlElement->PreferredEulerAngles.SetRotator(Rotator, bInitial, true);
	}
	if (bPrintPythonCommands)
	{
		UE_LOG(LogRigHierarchy, Display, TEXT("hierarchy.set_control_value('%s', '%s')"), *InControlElement->GetName(),
			*QVHost::ControlValueToString(InValue, Settings.ControlType));
	}
}

void URigHierarchy::SetControlValueByIndex(int32 InElementIndex, FRigControlValue InValue,
	ERigControlValueType InValueType, bool bSetupUndo, bool bPrintPythonCommands)
{
	SetControlValue(
		Get<FRigControlElement>(InElementIndex), InValue, InValueType, bSetupUndo, false, bPrintPythonCommands);
}

void URigHierarchy::SetControlVisibility(FRigControlElement* InControlElement, bool bVisibility)
{
	if (InControlElement != nullptr)
	{
		InControlElement->Settings.SetVisible(bVisibility);
	}
}

FTransform URigHierarchy::GetControlOffsetTransform(
	FRigControlElement* InControlElement, const ERigTransformType::Type InTransformType) const
{
	if (InControlElement == nullptr)
	{
		return FTransform::Identity;
	}
	const int32 Pose = PoseOf(InTransformType);
	return ERigTransformType::IsLocal(InTransformType) ? OffsetLocalOf(InControlElement->GetSubIndex(), Pose)
													   : OffsetGlobalOf(InControlElement->GetSubIndex(), Pose);
}

void URigHierarchy::SetControlOffsetTransform(FRigControlElement* InControlElement, const FTransform& InTransform,
	const ERigTransformType::Type InTransformType, bool bAffectChildren, bool bSetupUndo, bool bForce,
	bool bPrintPythonCommands)
{
	if (InControlElement == nullptr)
	{
		return;
	}
	const FLocalAndGlobal& Offset = Controls[InControlElement->GetSubIndex()].Offset[PoseOf(InTransformType)];
	const bool bLocal = ERigTransformType::IsLocal(InTransformType);
	if (!bForce && !(bLocal ? Offset.bLocalDirty : Offset.bGlobalDirty) &&
		IsBitwiseEqual(bLocal ? Offset.Local : Offset.Global, InTransform))
	{
		return;
	}

	SetControlOffsetInternal(InControlElement, InTransform, InTransformType, bAffectChildren);
	if (ERigTransformType::IsInitial(InTransformType))
	{
		// As in the engine, the current offset follows the initial one.
		SetControlOffsetInternal(
			InControlElement, InTransform, ERigTransformType::MakeCurrent(InTransformType), bAffectChildren);
	}

	if (bPrintPythonCommands)
	{
		LogCommand(TEXT("set_control_offset_transform"), InControlElement, InTransform);
	}
}

void URigHierarchy::SetControlOffsetInternal(FRigControlElement* InControlElement, const FTransform& InTransform,
	const ERigTransformType::Type InTransformType, bool bAffectChildren)
{
	const int32 Index = InControlElement->GetIndex();
	const int32 Pose = PoseOf(InTransformType);
	PropagateToChildren(Index, Pose, bAffectChildren);

	FLocalAndGlobal& Offset = Controls[InControlElement->GetSubIndex()].Offset[Pose];
	if (ERigTransformType::IsLocal(InTransformType))
	{
		Offset.Local = InTransform;
		Offset.bLocalDirty = false;
		Offset.bGlobalDirty = true;
	}
	else
	{
		ParentGlobal(Index, Pose);
		Offset.Global = InTransform;
		Offset.bGlobalDirty = false;
		Offset.bLocalDirty = true;
	}
	// The value stays, so the control moves with its offset.
	Poses[Pose][Index].bGlobalDirty = true;
	if (!bAffectChildren)
	{
		GlobalOf(Index, Pose);
	}
}

FTransform URigHierarchy::GetControlShapeTransform(
	FRigControlElement* InControlElement, const ERigTransformType::Type InTransformType) const
{
	if (InControlElement == nullptr)
	{
		return FTransform::Identity;
	}
	const int32 Pose = PoseOf(InTransformType);
	const FTransform& Local = Controls[InControlElement->GetSubIndex()].Shape[Pose];
	return ERigTransformType::IsLocal(InTransformType) ? Local : Local * GlobalOf(InControlElement->GetIndex(), Pose);
}

void URigHierarchy::SetControlShapeTransform(FRigControlElement* InControlElement, const FTransform& InTransform,
	const ERigTransformType::Type InTransformType, bool bSetupUndo, bool bForce, bool bPrintPythonCommands)
{
	if (InControlElement == nullptr)
	{
		return;
	}
	const int32 Pose = PoseOf(InTransformType);
	FTransform& Shape = Controls[InControlElement->GetSubIndex()].Shape[Pose];
	const FTransform NewShape = ERigTransformType::IsLocal(InTransformType)
		? InTransform
		: InTransform.GetRelativeTransform(GlobalOf(InControlElement->GetIndex(), Pose));
	if (!bForce && IsBitwiseEqual(Shape, NewShape))
	{
		return;
	}
	Shape = NewShape;
	if (ERigTransformType::IsInitial(InTransformType))
	{
		// As in the engine, the current shape follows the initial one.
		SetControlShapeTransform(
			InControlElement, InTransform, ERigTransformType::MakeCurrent(InTransformType), false, bForce);
	}
	if (bPrintPythonCommands)
	{
		LogCommand(TEXT("set_control_shape_transform"), InControlElement, InTransform);
	}
}

void URigHierarchy::SetControlPreferredEulerAngles(
	FRigControlElement* InControlElement, const FTransform& InTransform, bool bIsInitial)
{
	if (InControlElement == nullptr)
	{
		return;
	}
	switch (InControlElement->Settings.ControlType)
	{
		case ERigControlType::Transform:
		case ERigControlType::Rotator:
		case ERigControlType::TransformNoScale:
		case ERigControlType::EulerTransform:
			SetControlPreferredRotator(InControlElement, FEulerTransform(InTransform).Rotation, bIsInitial, false);
			break;
		default:
			break;
	}
}

void URigHierarchy::SetControlSettings(FRigControlElement* InControlElement, FRigControlSettings InSettings,
	bool bSetupUndo, bool bForce, bool bPrintPythonCommands)
{
	if (InControlElement == nullptr)
	{
		return;
	}
	InControlElement->Settings = InSettings;
	// The control's transform follows from its value as the new settings read it.
	for (int32 Pose : {InitialPose, CurrentPose})
	{
		SetControlValueInternal(InControlElement, Pose, Controls[InControlElement->GetSubIndex()].Value[Pose]);
	}
}

// ---- Construction ----

URigHierarchyController* URigHierarchy::GetController(bool bCreateIfNeeded)
{
	if (!Controller && bCreateIfNeeded)
	{
		Controller = MakeUnique<URigHierarchyController>(this);
	}
	return Controller.Get();
}

FName URigHierarchy::GetSafeNewName(const FName& InPotentialNewName, ERigElementType InElementType) const
{
	if (!Contains(FRigElementKey(InPotentialNewName, InElementType)))
	{
		return InPotentialNewName;
	}
	const FString Base = InPotentialNewName.ToString();
	for (int32 Suffix = 1;; ++Suffix)
	{
		const FName Candidate(FString::Printf(TEXT("%s_%d"), *Base, Suffix));
		if (!Contains(FRigElementKey(Candidate, InElementType)))
		{
			return Candidate;
		}
	}
}

int32 URigHierarchy::AddElement(FRigBaseElement* InElement, const FRigElementKey& InParent)
{
	const int32 Index = Elements.Num();
	InElement->Index = Index;
	const int32 FlatIndex = RigElementTypeToFlatIndex(InElement->GetType());
	check(FlatIndex != INDEX_NONE);
	InElement->SubIndex = NumPerType[FlatIndex]++;
	ElementStorage.Emplace(InElement);
	Elements.Add(InElement);
	IndexLookup.Add(InElement->GetKey(), Index);

	const int32 ParentIndex = GetIndex(InParent);
	ParentIndices.Add(ParentIndex);
	if (FRigTransformElement* Parent = Get<FRigTransformElement>(ParentIndex))
	{
		CastChecked<FRigTransformElement>(InElement)->ParentElement = Parent;
		Parent->ChildElements.Add(InElement);
	}
	else if (InParent.IsValid())
	{
		UE_LOG(LogRigHierarchy, Warning, TEXT("Parent %s of %s was not found; the element is added at the root."),
			*InParent.ToString(), *InElement->GetKey().ToString());
	}

	for (TArray<FLocalAndGlobal>& Pose : Poses)
	{
		Pose.AddDefaulted();
	}
	if (InElement->GetType() == ERigElementType::Control)
	{
		Controls.AddDefaulted();
		ControlElementIndices.Add(Index);
	}
	TopologyVersion = ++GTopologyVersionCounter;
	return Index;
}

void URigHierarchy::LogCommand(
	const TCHAR* InCommand, const FRigBaseElement* InElement, const FTransform& InTransform) const
{
	const FVector T = InTransform.GetTranslation();
	const FQuat R = InTransform.GetRotation();
	const FVector S = InTransform.GetScale3D();
	UE_LOG(LogRigHierarchy, Display,
		TEXT("hierarchy.%s(%s, translation=(%g, %g, %g), rotation=(%g, %g, %g, %g), scale=(%g, %g, %g))"), InCommand,
		*InElement->GetKey().ToString(), T.X, T.Y, T.Z, R.X, R.Y, R.Z, R.W, S.X, S.Y, S.Z);
}
