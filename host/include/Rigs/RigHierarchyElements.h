// The element classes of the rig hierarchy: bones, nulls and controls, with a class test.
#pragma once

#include "CoreMinimal.h"
#include "Rigs/RigControlValue.h"
#include "Rigs/RigHierarchyDefines.h"

class URigHierarchy;

// What a control is, and how the editor and animators see it.
struct FRigControlSettings
{
	ERigControlAnimationType AnimationType = ERigControlAnimationType::AnimationControl;
	ERigControlType ControlType = ERigControlType::EulerTransform;
	FName DisplayName;
	ERigControlAxis PrimaryAxis = ERigControlAxis::X;
	bool bShapeVisible = true;
	FName ShapeName = TEXT("Default");
	FLinearColor ShapeColor = FLinearColor::Red;
	FRigControlValue MinimumValue;
	FRigControlValue MaximumValue;

	bool IsAnimatable() const
	{
		return AnimationType == ERigControlAnimationType::AnimationControl ||
			AnimationType == ERigControlAnimationType::AnimationChannel;
	}
	bool IsVisible() const { return bShapeVisible; }
	void SetVisible(bool bVisible) { bShapeVisible = bVisible; }
};

// Euler angles an animator last set on a control, so rotations keep their winding (X roll, Y pitch, Z yaw).
struct FRigPreferredEulerAngles
{
	FVector Current = FVector::ZeroVector;
	FVector Initial = FVector::ZeroVector;

	FRotator GetRotator(bool bInitial = false) const { return FRotator::MakeFromEuler(bInitial ? Initial : Current); }
	// With bFixEulerFlips the stored angles are the equivalent of InRotator closest to the previous ones.
	FRotator SetRotator(const FRotator& InRotator, bool bInitial = false, bool bFixEulerFlips = false);
};

struct FRigBaseElement
{
	virtual ~FRigBaseElement() = default;

	const FRigElementKey& GetKey() const { return Key; }
	const FName& GetFName() const { return Key.Name; }
	FString GetName() const { return Key.Name.ToString(); }
	ERigElementType GetType() const { return Key.Type; }
	int32 GetIndex() const { return Index; }
	// Index among the elements of the same type.
	int32 GetSubIndex() const { return SubIndex; }
	virtual FName GetDisplayName() const { return Key.Name; }

	static bool IsClassOf(const FRigBaseElement* InElement) { return InElement != nullptr; }
	template <typename T> bool IsA() const { return T::IsClassOf(this); }

protected:
	explicit FRigBaseElement(ERigElementType InType) { Key.Type = InType; }

	FRigElementKey Key;
	int32 Index = INDEX_NONE;
	int32 SubIndex = INDEX_NONE;

	friend class URigHierarchy;
	friend class URigHierarchyController;
};

// An element with a pose: its transforms live in the hierarchy's flat pose storage, at the element's index.
struct FRigTransformElement : FRigBaseElement
{
	static bool IsClassOf(const FRigBaseElement* InElement)
	{
		return InElement != nullptr &&
			HasAnyRigElementType(
				ERigElementType::Bone | ERigElementType::Null | ERigElementType::Control, InElement->GetType());
	}

	FRigTransformElement* GetParentElement() const { return ParentElement; }

protected:
	using FRigBaseElement::FRigBaseElement;

	FRigTransformElement* ParentElement = nullptr;
	TArray<FRigBaseElement*> ChildElements;

	friend class URigHierarchy;
	friend class URigHierarchyController;
};

struct FRigBoneElement : FRigTransformElement
{
	FRigBoneElement() : FRigTransformElement(ERigElementType::Bone) {}
	static bool IsClassOf(const FRigBaseElement* InElement)
	{
		return InElement != nullptr && InElement->GetType() == ERigElementType::Bone;
	}

	ERigBoneType BoneType = ERigBoneType::User;
};

struct FRigNullElement : FRigTransformElement
{
	FRigNullElement() : FRigTransformElement(ERigElementType::Null) {}
	static bool IsClassOf(const FRigBaseElement* InElement)
	{
		return InElement != nullptr && InElement->GetType() == ERigElementType::Null;
	}
};

struct FRigControlElement : FRigTransformElement
{
	FRigControlElement() : FRigTransformElement(ERigElementType::Control) {}
	static bool IsClassOf(const FRigBaseElement* InElement)
	{
		return InElement != nullptr && InElement->GetType() == ERigElementType::Control;
	}

	bool IsAnimationChannel() const { return Settings.AnimationType == ERigControlAnimationType::AnimationChannel; }
	virtual FName GetDisplayName() const override
	{
		return Settings.DisplayName.IsNone() ? Key.Name : Settings.DisplayName;
	}

	FRigControlSettings Settings;
	FRigPreferredEulerAngles PreferredEulerAngles;
};

// The engine's element cast: null when the element is missing or of another class.
template <typename T> T* Cast(FRigBaseElement* InElement)
{
	return T::IsClassOf(InElement) ? static_cast<T*>(InElement) : nullptr;
}

template <typename T> const T* Cast(const FRigBaseElement* InElement)
{
	return T::IsClassOf(InElement) ? static_cast<const T*>(InElement) : nullptr;
}

template <typename T> T* CastChecked(FRigBaseElement* InElement)
{
	T* Result = Cast<T>(InElement);
	check(Result);
	return Result;
}
