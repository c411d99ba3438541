// The rig hierarchy: bones, nulls and controls with their initial and current poses.
//
// Elements live in flat arrays indexed by element index; keys resolve through a hash map. Every transform element
// keeps a local and a global transform per pose (initial and current), each possibly dirty, never both: a read
// recomputes only the dirty transforms on its way up to the root. A control's local transform is its value, taken
// relative to its offset transform, which sits between the control and its parent.
#pragma once

#include "CoreMinimal.h"
#include "Rigs/RigHierarchyDefines.h"
#include "Rigs/RigHierarchyElements.h"

class URigHierarchyController;

class URigHierarchy
{
public:
	URigHierarchy();
	~URigHierarchy();
	URigHierarchy(const URigHierarchy&) = delete;
	URigHierarchy& operator=(const URigHierarchy&) = delete;

	// ---- Elements ----

	int32 Num() const { return Elements.Num(); }
	int32 Num(ERigElementType InElementType) const;
	bool IsValidIndex(int32 InIndex) const { return Elements.IsValidIndex(InIndex); }

	// The element's index, or INDEX_NONE. Redirectors do not exist in this hierarchy, so the flag changes nothing.
	int32 GetIndex(const FRigElementKey& InKey, bool bFollowRedirector = false) const;
	bool Contains(const FRigElementKey& InKey) const { return GetIndex(InKey) != INDEX_NONE; }
	FRigElementKey GetKey(int32 InIndex) const;

	// Null outside 0..Num()-1.
	FRigBaseElement* Get(int32 InIndex) { return IsValidIndex(InIndex) ? Elements[InIndex] : nullptr; }
	const FRigBaseElement* Get(int32 InIndex) const { return IsValidIndex(InIndex) ? Elements[InIndex] : nullptr; }

	// Null outside the range or when the element is of another class.
	template <typename T> T* Get(int32 InIndex) { return Cast<T>(Get(InIndex)); }
	template <typename T> const T* Get(int32 InIndex) const { return Cast<T>(Get(InIndex)); }

	FRigBaseElement* Find(const FRigElementKey& InKey) { return Get(GetIndex(InKey)); }
	const FRigBaseElement* Find(const FRigElementKey& InKey) const { return Get(GetIndex(InKey)); }
	template <typename T> T* Find(const FRigElementKey& InKey) { return Cast<T>(Find(InKey)); }
	template <typename T> const T* Find(const FRigElementKey& InKey) const { return Cast<T>(Find(InKey)); }

	// Keys in element order, optionally of one type only.
	TArray<FRigElementKey> GetAllKeys(ERigElementType InElementType = ERigElementType::All) const;

	// Changes whenever elements are added or reparented; cached element indices check it.
	uint32 GetTopologyVersion() const { return TopologyVersion; }

	// ---- Parents and children ----

	FRigElementKey GetFirstParent(const FRigElementKey& InKey) const;
	int32 GetFirstParent(int32 InIndex) const;
	FRigBaseElement* GetFirstParent(const FRigBaseElement* InElement) const;
	TConstArrayView<FRigBaseElement*> GetChildren(const FRigBaseElement* InElement) const;
	TArray<FRigElementKey> GetChildren(const FRigElementKey& InKey, bool bRecursive = false) const;
	// Number of parent steps up to a root element.
	int32 GetDepth(const FRigBaseElement* InElement) const;

	// ---- Transforms ----

	FTransform GetTransform(
		FRigTransformElement* InTransformElement, const ERigTransformType::Type InTransformType) const;

	// With bAffectChildren the children keep their local transforms and move along; without, they keep their
	// global transforms. There is no undo system: bSetupUndo is accepted and ignored. bPrintPythonCommands logs
	// the write. Writing an identical clean transform is skipped unless bForce.
	void SetTransform(FRigTransformElement* InTransformElement, const FTransform& InTransform,
		const ERigTransformType::Type InTransformType, bool bAffectChildren, bool bSetupUndo = false,
		bool bForce = false, bool bPrintPythonCommands = false);

	// The parent element's transform of that type (for a control, without its offset); identity for a root.
	FTransform GetParentTransform(FRigBaseElement* InElement, const ERigTransformType::Type InTransformType) const;

	// By key or index: identity when missing; writes to a missing element do nothing.
	FTransform GetLocalTransform(const FRigElementKey& InKey, bool bInitial = false) const;
	FTransform GetGlobalTransform(const FRigElementKey& InKey, bool bInitial = false) const;
	FTransform GetLocalTransform(int32 InIndex, bool bInitial = false) const;
	FTransform GetGlobalTransform(int32 InIndex, bool bInitial = false) const;
	void SetLocalTransform(const FRigElementKey& InKey, const FTransform& InTransform, bool bInitial = false,
		bool bAffectChildren = true, bool bSetupUndo = false, bool bPrintPythonCommands = false);
	void SetGlobalTransform(const FRigElementKey& InKey, const FTransform& InTransform, bool bInitial = false,
		bool bAffectChildren = true, bool bSetupUndo = false, bool bPrintPythonCommands = false);

	// Copies the initial pose (transforms, control values, offsets and shapes) onto the current pose.
	void ResetPoseToInitial(ERigElementType InTypeFilter = ERigElementType::All);

	// ---- Controls ----

	// Rotator and Euler-transform values report the preferred Euler angles when bUsePreferredAngles.
	FRigControlValue GetControlValue(
		FRigControlElement* InControlElement, ERigControlValueType InValueType, bool bUsePreferredAngles = true) const;
	// Zero when missing or not a control.
	FRigControlValue GetControlValue(
		const FRigElementKey& InKey, ERigControlValueType InValueType = ERigControlValueType::Current) const;
	// Children of the control follow it. bFixEulerFlips keeps preferred angles closest to the previous ones.
	void SetControlValue(FRigControlElement* InControlElement, const FRigControlValue& InValue,
		ERigControlValueType InValueType, bool bSetupUndo = false, bool bForce = false,
		bool bPrintPythonCommands = false, bool bFixEulerFlips = false);
	void SetControlValue(const FRigElementKey& InKey, const FRigControlValue& InValue,
		ERigControlValueType InValueType = ERigControlValueType::Current, bool bSetupUndo = false);

	bool UsesPreferredEulerAngles() const { return bUsePreferredEulerAngles; }
	void SetUsePreferredEulerAngles(bool bInUse) { bUsePreferredEulerAngles = bInUse; }

	void SetControlVisibility(FRigControlElement* InControlElement, bool bVisibility);
	void SetControlVisibility(const FRigElementKey& InKey, bool bVisibility);

	// Local offsets are relative to the control's parent. Moving the offset moves the control, not its value.
	FTransform GetControlOffsetTransform(
		FRigControlElement* InControlElement, const ERigTransformType::Type InTransformType) const;
	void SetControlOffsetTransform(FRigControlElement* InControlElement, const FTransform& InTransform,
		const ERigTransformType::Type InTransformType, bool bAffectChildren, bool bSetupUndo = false,
		bool bPrintPythonCommands = false);

	// Local shapes are relative to the control itself.
	FTransform GetControlShapeTransform(
		FRigControlElement* InControlElement, const ERigTransformType::Type InTransformType) const;
	void SetControlShapeTransform(FRigControlElement* InControlElement, const FTransform& InTransform,
		const ERigTransformType::Type InTransformType, bool bSetupUndo = false, bool bForce = false,
		bool bPrintPythonCommands = false);

	void SetControlPreferredEulerAngles(
		FRigControlElement* InControlElement, const FTransform& InTransform, bool bFixEulerFlips = false);
	void SetControlPreferredRotator(FRigControlElement* InControlElement, const FRotator& InRotator,
		bool bInitial = false, bool bFixEulerFlips = false);
	FRotator GetControlPreferredRotator(FRigControlElement* InControlElement, bool bInitial = false) const;

	void SetControlSettings(FRigControlElement* InControlElement, const FRigControlSettings& InSettings,
		bool bSetupUndo = false, bool bForce = false, bool bPrintPythonCommands = false);

	// ---- Construction ----

	URigHierarchyController* GetController(bool bCreateIfNeeded = true);

	// InName when no element of that type has it, else InName_1, InName_2, ...
	FName GetSafeNewName(const FName& InPotentialNewName, ERigElementType InElementType) const;

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

	int32 AddElement(FRigBaseElement* InElement, const FRigElementKey& InParent);
	void SetControlValueInternal(FRigControlElement* InControl, int32 InPose, const FRigControlValue& InValue);

	const FTransform& ParentFrame(int32 InIndex, int32 InPose) const;
	const FTransform& ParentGlobal(int32 InIndex, int32 InPose) const;
	const FTransform& LocalOf(int32 InIndex, int32 InPose) const;
	const FTransform& GlobalOf(int32 InIndex, int32 InPose) const;
	const FTransform& OffsetLocalOf(int32 InControlIndex, int32 InPose) const;
	const FTransform& OffsetGlobalOf(int32 InControlIndex, int32 InPose) const;

	// Brings the children of InIndex into the state its coming change needs and marks what the change will
	// invalidate. Must run before the element's own transforms change.
	void PropagateToChildren(int32 InIndex, int32 InPose, bool bAffectChildren);
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
	int32 NumPerType[8] = {0, 0, 0, 0, 0, 0, 0, 0};
	uint32 TopologyVersion = 0;
	bool bUsePreferredEulerAngles = true;
	TUniquePtr<URigHierarchyController> Controller;

	friend class URigHierarchyController;
};
