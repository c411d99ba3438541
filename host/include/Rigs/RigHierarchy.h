// The rig hierarchy: bones, nulls and controls with their initial and current poses.
//
// Elements live in flat arrays indexed by element index; keys resolve through a hash map. Every transform element
// keeps a local and a global transform per pose (initial and current), each possibly dirty, never both: a read
// recomputes only the dirty transforms on its way up to the root. A control's local transform is its value, taken
// relative to its offset transform, which sits between the control and its parent.
//
// The engine's URigHierarchy is a UObject with many more functions; this one has the subset the plug-in, the
// standalone runner and the tests use, each declared as the engine declares it.
#pragma once

#include "CoreMinimal.h"
#include "Rigs/RigHierarchyCache.h"
#include "Rigs/RigHierarchyDefines.h"
#include "Rigs/RigHierarchyElements.h"

class URigHierarchyController;

namespace QVHost
{
class FRigHierarchyAccess;
}

class URigHierarchy
{
public:
	CONTROLRIG_API URigHierarchy();
	CONTROLRIG_API ~URigHierarchy();
	URigHierarchy(const URigHierarchy&) = delete;
	URigHierarchy& operator=(const URigHierarchy&) = delete;

	// ---- Elements ----

	int32 Num() const { return Elements.Num(); }
	// The number of elements of one type; ERigElementType::All counts every element, and a mask of several types
	// counts the elements of each.
	CONTROLRIG_API int32 Num(ERigElementType InElementType) const;

	bool IsValidIndex(int32 InElementIndex) const { return Elements.IsValidIndex(InElementIndex); }
	bool Contains(const FRigElementKey& InKey) const { return GetIndex(InKey) != INDEX_NONE; }
	template <typename T> bool Contains(const FRigElementKey& InKey) const { return Find<T>(InKey) != nullptr; }

	// The element's index, or INDEX_NONE. There are no key redirectors here, so the flag changes nothing.
	int32 GetIndex(const FRigElementKey& InKey, bool bFollowRedirector = true) const
	{
		if (!InKey.IsValid())
		{
			return INDEX_NONE;
		}
		const int32* Found = IndexLookup.Find(InKey);
		return Found ? *Found : INDEX_NONE;
	}

	FRigElementKey GetKey(int32 InElementIndex) const
	{
		if (Elements.IsValidIndex(InElementIndex))
		{
			return Elements[InElementIndex]->Key;
		}
		return FRigElementKey();
	}

	// Null outside 0..Num()-1, or (for the templates) when the element is of another class.
	const FRigBaseElement* Get(int32 InIndex) const
	{
		return Elements.IsValidIndex(InIndex) ? Elements[InIndex] : nullptr;
	}
	FRigBaseElement* Get(int32 InIndex) { return Elements.IsValidIndex(InIndex) ? Elements[InIndex] : nullptr; }
	template <typename T> const T* Get(int32 InIndex) const { return Cast<T>(Get(InIndex)); }
	template <typename T> T* Get(int32 InIndex) { return Cast<T>(Get(InIndex)); }

	const FRigBaseElement* Find(const FRigElementKey& InKey) const { return Get(GetIndex(InKey)); }
	FRigBaseElement* Find(const FRigElementKey& InKey) { return Get(GetIndex(InKey)); }
	template <typename T> const T* Find(const FRigElementKey& InKey, bool bFollowRedirector = true) const
	{
		return Get<T>(GetIndex(InKey, bFollowRedirector));
	}
	template <typename T> T* Find(const FRigElementKey& InKey) { return Get<T>(GetIndex(InKey)); }

	// Keys of the elements of the given type(s): in element order, or with bTraverse depth first from each root in
	// element order, children in the order they were added.
	CONTROLRIG_API TArray<FRigElementKey> GetAllKeys(
		bool bTraverse = false, ERigElementType InElementType = ERigElementType::All) const;

	// Changes whenever elements are added; cached element indices check it.
	uint32 GetTopologyVersion() const { return TopologyVersion; }

	// ---- Parents and children ----

	CONTROLRIG_API FRigElementKey GetFirstParent(FRigElementKey InKey) const;
	int32 GetFirstParent(int32 InIndex) const { return IsValidIndex(InIndex) ? ParentIndices[InIndex] : INDEX_NONE; }
	CONTROLRIG_API FRigBaseElement* GetFirstParent(const FRigBaseElement* InElement) const;

	// The direct children, or with bRecursive every descendant: the children first, then theirs, level by level.
	CONTROLRIG_API TArray<FRigElementKey> GetChildren(FRigElementKey InKey, bool bRecursive = false) const;
	CONTROLRIG_API TConstArrayView<FRigBaseElement*> GetChildren(const FRigBaseElement* InElement) const;

	// ---- Transforms ----

	// By key or index: identity when the element is missing.
	FTransform GetLocalTransform(FRigElementKey InKey, bool bInitial = false) const
	{
		return GetLocalTransformByIndex(GetIndex(InKey), bInitial);
	}
	CONTROLRIG_API FTransform GetLocalTransformByIndex(int32 InElementIndex, bool bInitial = false) const;
	FTransform GetLocalTransform(int32 InElementIndex) const { return GetLocalTransformByIndex(InElementIndex, false); }
	FTransform GetInitialLocalTransform(int32 InElementIndex) const
	{
		return GetLocalTransformByIndex(InElementIndex, true);
	}
	FTransform GetInitialLocalTransform(const FRigElementKey& InKey) const { return GetLocalTransform(InKey, true); }

	FTransform GetGlobalTransform(FRigElementKey InKey, bool bInitial = false) const
	{
		return GetGlobalTransformByIndex(GetIndex(InKey), bInitial);
	}
	CONTROLRIG_API FTransform GetGlobalTransformByIndex(int32 InElementIndex, bool bInitial = false) const;
	FTransform GetGlobalTransform(int32 InElementIndex) const
	{
		return GetGlobalTransformByIndex(InElementIndex, false);
	}
	FTransform GetInitialGlobalTransform(int32 InElementIndex) const
	{
		return GetGlobalTransformByIndex(InElementIndex, true);
	}
	FTransform GetInitialGlobalTransform(const FRigElementKey& InKey) const { return GetGlobalTransform(InKey, true); }

	// Writes to a missing element do nothing. With bAffectChildren the children keep their local transforms and
	// move along; without, they keep their global transforms.
	void SetLocalTransform(FRigElementKey InKey, FTransform InTransform, bool bInitial = false,
		bool bAffectChildren = true, bool bSetupUndo = false, bool bPrintPythonCommands = false)
	{
		SetLocalTransformByIndex(
			GetIndex(InKey), InTransform, bInitial, bAffectChildren, bSetupUndo, bPrintPythonCommands);
	}
	CONTROLRIG_API void SetLocalTransformByIndex(int32 InElementIndex, FTransform InTransform, bool bInitial = false,
		bool bAffectChildren = true, bool bSetupUndo = false, bool bPrintPythonCommands = false);

	void SetGlobalTransform(FRigElementKey InKey, FTransform InTransform, bool bInitial = false,
		bool bAffectChildren = true, bool bSetupUndo = false, bool bPrintPythonCommand = false)
	{
		SetGlobalTransformByIndex(
			GetIndex(InKey), InTransform, bInitial, bAffectChildren, bSetupUndo, bPrintPythonCommand);
	}
	CONTROLRIG_API void SetGlobalTransformByIndex(int32 InElementIndex, FTransform InTransform, bool bInitial = false,
		bool bAffectChildren = true, bool bSetupUndo = false, bool bPrintPythonCommand = false);

	FTransform GetTransform(
		FRigTransformElement* InTransformElement, const ERigTransformType::Type InTransformType) const;

	// There is no undo system: bSetupUndo is accepted and ignored. bPrintPythonCommands logs the write. Writing an
	// identical clean transform is skipped unless bForce. A control keeps what its type can hold of the transform;
	// rotator, Euler-transform and transform controls update their preferred Euler angles with flip fixing.
	CONTROLRIG_API void SetTransform(FRigTransformElement* InTransformElement, const FTransform& InTransform,
		const ERigTransformType::Type InTransformType, bool bAffectChildren, bool bSetupUndo = false,
		bool bForce = false, bool bPrintPythonCommands = false);

	// The parent element's transform of that type (for a control, without its offset); identity for a root.
	FTransform GetParentTransform(FRigBaseElement* InElement, const ERigTransformType::Type InTransformType) const;

	// Copies the initial pose (transforms, control values, offsets and shapes) of the given types onto the current
	// pose.
	CONTROLRIG_API void ResetPoseToInitial(ERigElementType InTypeFilter);
	void ResetPoseToInitial() { ResetPoseToInitial(ERigElementType::All); }

	// ---- Controls ----

	// Zero when the element is missing or not a control. Rotator and Euler-transform values report the preferred
	// Euler angles unless the hierarchy does not use them.
	FRigControlValue GetControlValue(
		FRigElementKey InKey, ERigControlValueType InValueType = ERigControlValueType::Current) const
	{
		return GetControlValueByIndex(GetIndex(InKey), InValueType);
	}
	CONTROLRIG_API FRigControlValue GetControlValueByIndex(
		int32 InElementIndex, ERigControlValueType InValueType = ERigControlValueType::Current) const;
	FRigControlValue GetControlValue(
		int32 InElementIndex, ERigControlValueType InValueType = ERigControlValueType::Current) const
	{
		return GetControlValueByIndex(InElementIndex, InValueType);
	}
	// Rotator and Euler-transform values report the preferred Euler angles when bUsePreferredAngles.
	CONTROLRIG_API FRigControlValue GetControlValue(
		FRigControlElement* InControlElement, ERigControlValueType InValueType, bool bUsePreferredAngles = true) const;

	void SetControlValue(FRigElementKey InKey, FRigControlValue InValue,
		ERigControlValueType InValueType = ERigControlValueType::Current, bool bSetupUndo = false,
		bool bPrintPythonCommands = false)
	{
		SetControlValueByIndex(GetIndex(InKey), InValue, InValueType, bSetupUndo, bPrintPythonCommands);
	}
	CONTROLRIG_API void SetControlValueByIndex(int32 InElementIndex, FRigControlValue InValue,
		ERigControlValueType InValueType = ERigControlValueType::Current, bool bSetupUndo = false,
		bool bPrintPythonCommands = false);
	// Children of the control follow it. The preferred Euler angles of controls with a rotation are left as they are
	// unless bFixEulerFlips, which winds them towards the previous ones from the value's rotation.
	CONTROLRIG_API void SetControlValue(FRigControlElement* InControlElement, const FRigControlValue& InValue,
		ERigControlValueType InValueType, bool bSetupUndo = false, bool bForce = false,
		bool bPrintPythonCommands = false, bool bFixEulerFlips = false);

	bool UsesPreferredEulerAngles() const { return bUsePreferredEulerAngles; }

	void SetControlVisibility(FRigElementKey InKey, bool bVisibility)
	{
		SetControlVisibility(Find<FRigControlElement>(InKey), bVisibility);
	}
	CONTROLRIG_API void SetControlVisibility(FRigControlElement* InControlElement, bool bVisibility);

	// Local offsets are relative to the control's parent. Moving the offset moves the control, not its value.
	CONTROLRIG_API FTransform GetControlOffsetTransform(
		FRigControlElement* InControlElement, const ERigTransformType::Type InTransformType) const;
	// Writing an identical clean offset is skipped unless bForce. Writing the initial offset also writes the
	// current one.
	CONTROLRIG_API void SetControlOffsetTransform(FRigControlElement* InControlElement, const FTransform& InTransform,
		const ERigTransformType::Type InTransformType, bool bAffectChildren, bool bSetupUndo = false,
		bool bForce = false, bool bPrintPythonCommands = false);

	// Local shapes are relative to the control itself.
	CONTROLRIG_API FTransform GetControlShapeTransform(
		FRigControlElement* InControlElement, const ERigTransformType::Type InTransformType) const;
	// Writing an identical shape is skipped unless bForce. Writing the initial shape also writes the current one.
	CONTROLRIG_API void SetControlShapeTransform(FRigControlElement* InControlElement, const FTransform& InTransform,
		const ERigTransformType::Type InTransformType, bool bSetupUndo = false, bool bForce = false,
		bool bPrintPythonCommands = false);

	// The preferred rotator; when the hierarchy does not use preferred angles, the current value's rotation.
	FRotator GetControlPreferredRotator(const FRigControlElement* InControlElement, bool bInitial = false) const
	{
		if (InControlElement)
		{
			if (bUsePreferredEulerAngles)
			{
				return InControlElement->PreferredEulerAngles.GetRotator(bInitial);
			}
			return GetControlValue(InControlElement->GetKey())
				.GetAsTransform(InControlElement->Settings.ControlType, InControlElement->Settings.PrimaryAxis)
				.Rotator();
		}
		return FRotator::ZeroRotator;
	}
	void SetControlPreferredRotator(FRigControlElement* InControlElement, const FRotator& InRotator,
		bool bInitial = false, bool bFixEulerFlips = false)
	{
		if (InControlElement)
		{
			InControlElement->PreferredEulerAngles.SetRotator(InRotator, bInitial, bFixEulerFlips);
		}
	}
	// Sets the preferred angles of a rotation-carrying control to the transform's rotation as is (no flip fixing);
	// other controls are left alone.
	CONTROLRIG_API void SetControlPreferredEulerAngles(
		FRigControlElement* InControlElement, const FTransform& InTransform, bool bIsInitial = false);

	// The preferred angles as (roll, pitch, yaw) in degrees. There are no per-control rotation orders here, so these
	// are the preferred rotator's angles.
	FVector GetControlSpecifiedEulerAngle(const FRigControlElement* InControlElement, bool bIsInitial = false) const
	{
		if (InControlElement)
		{
			const FRotator Rotator = GetControlPreferredRotator(InControlElement, bIsInitial);
			return FVector(Rotator.Roll, Rotator.Pitch, Rotator.Yaw);
		}
		return FVector::ZeroVector;
	}
	// Sets the preferred angles from (roll, pitch, yaw) in degrees, as they are (no flip fixing).
	void SetControlSpecifiedEulerAngle(
		FRigControlElement* InControlElement, const FVector& InEulerAngle, bool bIsInitial = false)
	{
		if (InControlElement)
		{
			const FRotator Rotator(InEulerAngle[1], InEulerAngle[2], InEulerAngle[0]);
			SetControlPreferredRotator(InControlElement, Rotator, bIsInitial, false);
		}
	}

	// The control's transforms follow from its values as the new settings read them.
	CONTROLRIG_API void SetControlSettings(FRigControlElement* InControlElement, FRigControlSettings InSettings,
		bool bSetupUndo = false, bool bForce = false, bool bPrintPythonCommands = false);

	// ---- Control values to and from their double-precision types ----

	static FRigControlValue MakeControlValueFromBool(bool InValue) { return FRigControlValue::Make<bool>(InValue); }
	static FRigControlValue MakeControlValueFromFloat(float InValue) { return FRigControlValue::Make<float>(InValue); }
	static float GetFloatFromControlValue(FRigControlValue InValue) { return InValue.Get<float>(); }
	static FRigControlValue MakeControlValueFromInt(int32 InValue) { return FRigControlValue::Make<int32>(InValue); }
	static int32 GetIntFromControlValue(FRigControlValue InValue) { return InValue.Get<int32>(); }
	static FRigControlValue MakeControlValueFromVector2D(FVector2D InValue)
	{
		return FRigControlValue::Make<FVector3f>(FVector3f(float(InValue.X), float(InValue.Y), 0.f));
	}
	static FVector2D GetVector2DFromControlValue(FRigControlValue InValue)
	{
		const FVector3f Vector = InValue.Get<FVector3f>();
		return FVector2D(Vector.X, Vector.Y);
	}
	static FRigControlValue MakeControlValueFromVector(FVector InValue)
	{
		return FRigControlValue::Make<FVector>(InValue);
	}
	static FVector GetVectorFromControlValue(FRigControlValue InValue) { return FVector(InValue.Get<FVector3f>()); }
	static FRigControlValue MakeControlValueFromRotator(FRotator InValue)
	{
		return FRigControlValue::Make<FVector>(InValue.Euler());
	}
	static FRotator GetRotatorFromControlValue(FRigControlValue InValue)
	{
		return FRotator::MakeFromEuler(FVector(InValue.Get<FVector3f>()));
	}
	static FRigControlValue MakeControlValueFromTransform(FTransform InValue)
	{
		return FRigControlValue::Make<FRigControlValue::FTransform_Float>(InValue);
	}
	static FTransform GetTransformFromControlValue(FRigControlValue InValue)
	{
		return InValue.Get<FRigControlValue::FTransform_Float>().ToTransform();
	}
	static FRigControlValue MakeControlValueFromEulerTransform(FEulerTransform InValue)
	{
		return FRigControlValue::Make<FRigControlValue::FEulerTransform_Float>(InValue);
	}
	static FEulerTransform GetEulerTransformFromControlValue(FRigControlValue InValue)
	{
		return InValue.Get<FRigControlValue::FEulerTransform_Float>().ToTransform();
	}
	static FRigControlValue MakeControlValueFromTransformNoScale(FTransformNoScale InValue)
	{
		return FRigControlValue::Make<FRigControlValue::FTransformNoScale_Float>(InValue);
	}
	static FTransformNoScale GetTransformNoScaleFromControlValue(FRigControlValue InValue)
	{
		return InValue.Get<FRigControlValue::FTransformNoScale_Float>().ToTransform();
	}

	// ---- Construction ----

	CONTROLRIG_API URigHierarchyController* GetController(bool bCreateIfNeeded = true);

private:
	// One transform pair of one pose; at most one of the two is dirty.
	struct FLocalAndGlobal
	{
		FTransform Local = FTransform::Identity;
		FTransform Global = FTransform::Identity;
		bool bLocalDirty = false;
		bool bGlobalDirty = false;
	};

	static constexpr int32 InitialPose = 0;
	static constexpr int32 CurrentPose = 1;
	static int32 PoseOf(ERigTransformType::Type InType) { return ERigTransformType::IsInitial(InType) ? 0 : 1; }

	// Control-only state, indexed by the control's sub index.
	struct FControlState
	{
		FLocalAndGlobal Offset[2];
		FTransform Shape[2];
		FRigControlValue Value[2];
	};

	// Bone, Null, Control, Curve, Reference, Connector, Socket: the single element types, by flat index.
	static constexpr int32 NumElementTypes = 7;
	static int32 RigElementTypeToFlatIndex(ERigElementType InElementType);
	static ERigElementType FlatIndexToRigElementType(int32 InIndex);

	// Rotator, Euler-transform, transform and no-scale-transform controls keep preferred Euler angles.
	static bool HasPreferredEulerAngles(ERigControlType InControlType);
	// The rotation of a control's value, and (for rotator and Euler-transform controls, whose values hold Euler
	// angles) the value with its rotation replaced.
	static FRotator GetValueRotation(const FRigControlValue& InValue, ERigControlType InControlType);
	static void SetValueRotation(
		FRigControlValue& InOutValue, ERigControlType InControlType, const FRotator& InRotator);

	// InName when no element of that type has it, else InName_1, InName_2, ...
	FName GetSafeNewName(const FName& InPotentialNewName, ERigElementType InElementType) const;

	int32 AddElement(FRigBaseElement* InElement, const FRigElementKey& InParent);
	void SetControlValueInternal(FRigControlElement* InControl, int32 InPose, const FRigControlValue& InValue);
	void SetControlOffsetInternal(FRigControlElement* InControlElement, const FTransform& InTransform,
		const ERigTransformType::Type InTransformType, bool bAffectChildren);

	const FTransform& ParentFrame(int32 InIndex, int32 InPose) const;
	const FTransform& ParentGlobal(int32 InIndex, int32 InPose) const;
	const FTransform& LocalOf(int32 InIndex, int32 InPose) const;
	const FTransform& GlobalOf(int32 InIndex, int32 InPose) const;
	// LocalOf or GlobalOf; a clean transform is read in place, without a call.
	const FTransform& TransformOf(int32 InIndex, int32 InPose, bool bLocal) const;
	const FTransform& OffsetLocalOf(int32 InControlIndex, int32 InPose) const;
	const FTransform& OffsetGlobalOf(int32 InControlIndex, int32 InPose) const;

	// Brings the children of InIndex into the state its coming change needs and marks what the change will
	// invalidate. Must run before the element's own transforms change.
	void PropagateToChildren(int32 InIndex, int32 InPose, bool bAffectChildren);
	// Writes an element's local transform; a control with preferred Euler angles also updates them, fixing flips
	// against the previous ones when bFixEulerFlips.
	void WriteLocal(FRigTransformElement* InElement, int32 InPose, const FTransform& InTransform, bool bFixEulerFlips);

	void LogCommand(const TCHAR* InCommand, const FRigBaseElement* InElement, const FTransform& InTransform) const;

	TArray<TUniquePtr<FRigBaseElement>> ElementStorage;
	TArray<FRigBaseElement*> Elements;
	TMap<FRigElementKey, int32> IndexLookup;
	TArray<int32> ParentIndices;
	// Flat pose storage indexed by element index, one array per pose.
	mutable TArray<FLocalAndGlobal> Poses[2];
	mutable TArray<FControlState> Controls;
	// Element index of each control, by the control's sub index.
	TArray<int32> ControlElementIndices;
	int32 NumPerType[NumElementTypes] = {};
	uint32 TopologyVersion = 0;
	bool bUsePreferredEulerAngles = true;
	TUniquePtr<URigHierarchyController> Controller;

	friend class URigHierarchyController;
	friend class QVHost::FRigHierarchyAccess;
};

// Reading transforms is the hot path of every unit, so it is inline; only dirty transforms call out.
inline const FTransform& URigHierarchy::TransformOf(int32 InIndex, int32 InPose, bool bLocal) const
{
	const FLocalAndGlobal& Pair = Poses[InPose][InIndex];
	if (bLocal)
	{
		return Pair.bLocalDirty ? LocalOf(InIndex, InPose) : Pair.Local;
	}
	return Pair.bGlobalDirty ? GlobalOf(InIndex, InPose) : Pair.Global;
}

inline FTransform URigHierarchy::GetTransform(
	FRigTransformElement* InTransformElement, const ERigTransformType::Type InTransformType) const
{
	if (InTransformElement == nullptr)
	{
		return FTransform::Identity;
	}
	return TransformOf(
		InTransformElement->GetIndex(), PoseOf(InTransformType), ERigTransformType::IsLocal(InTransformType));
}

inline FTransform URigHierarchy::GetParentTransform(
	FRigBaseElement* InElement, const ERigTransformType::Type InTransformType) const
{
	const int32 ParentIndex = InElement != nullptr ? GetFirstParent(InElement->GetIndex()) : INDEX_NONE;
	if (ParentIndex == INDEX_NONE)
	{
		return FTransform::Identity;
	}
	return TransformOf(ParentIndex, PoseOf(InTransformType), ERigTransformType::IsLocal(InTransformType));
}

inline bool FCachedRigElement::IsIdentical(const FRigElementKey& InKey, const URigHierarchy* InHierarchy) const
{
	return Key == InKey && Hierarchy == InHierarchy && InHierarchy != nullptr &&
		TopologyVersion == InHierarchy->GetTopologyVersion();
}

inline bool FCachedRigElement::UpdateCache(const FRigElementKey& InKey, const URigHierarchy* InHierarchy)
{
	return (IsValid() && IsIdentical(InKey, InHierarchy)) || Resolve(InKey, InHierarchy);
}
