// The element classes of the rig hierarchy (bones, nulls and controls), control settings, preferred Euler angles and
// the transform types of a pose.
#pragma once

#include "CoreMinimal.h"
#include "Rigs/RigHierarchyDefines.h"

class URigHierarchy;
class URigHierarchyController;

namespace ERigTransformType
{
enum Type : int
{
	InitialLocal,
	CurrentLocal,
	InitialGlobal,
	CurrentGlobal,
	NumTransformTypes
};

inline bool IsLocal(const Type InTransformType)
{
	return InTransformType == CurrentLocal || InTransformType == InitialLocal;
}
inline bool IsGlobal(const Type InTransformType)
{
	return InTransformType == CurrentGlobal || InTransformType == InitialGlobal;
}
inline bool IsInitial(const Type InTransformType)
{
	return InTransformType == InitialLocal || InTransformType == InitialGlobal;
}
inline bool IsCurrent(const Type InTransformType)
{
	return InTransformType == CurrentLocal || InTransformType == CurrentGlobal;
}
inline Type SwapCurrentAndInitial(const Type InTransformType)
{
	switch (InTransformType)
	{
		case CurrentLocal:
			return InitialLocal;
		case CurrentGlobal:
			return InitialGlobal;
		case InitialLocal:
			return CurrentLocal;
		default:
			break;
	}
	return CurrentGlobal;
}
inline Type SwapLocalAndGlobal(const Type InTransformType)
{
	switch (InTransformType)
	{
		case CurrentLocal:
			return CurrentGlobal;
		case CurrentGlobal:
			return CurrentLocal;
		case InitialLocal:
			return InitialGlobal;
		default:
			break;
	}
	return InitialLocal;
}
inline Type MakeLocal(const Type InTransformType)
{
	return IsCurrent(InTransformType) ? CurrentLocal : InitialLocal;
}
inline Type MakeGlobal(const Type InTransformType)
{
	return IsCurrent(InTransformType) ? CurrentGlobal : InitialGlobal;
}
inline Type MakeInitial(const Type InTransformType)
{
	return IsLocal(InTransformType) ? InitialLocal : InitialGlobal;
}
inline Type MakeCurrent(const Type InTransformType)
{
	return IsLocal(InTransformType) ? CurrentLocal : CurrentGlobal;
}
} // namespace ERigTransformType

// Euler angles an animator last set on a control (X roll, Y pitch, Z yaw), so rotations keep their winding.
struct FRigPreferredEulerAngles
{
	FVector& Get(bool bInitial = false) { return bInitial ? Initial : Current; }
	const FVector& Get(bool bInitial = false) const { return bInitial ? Initial : Current; }

	CONTROLRIG_API void Reset();
	FRotator GetRotator(bool bInitial = false) const { return FRotator::MakeFromEuler(Get(bInitial)); }
	// With bFixEulerFlips the stored angles are the equivalent of InValue closest to the previous ones.
	CONTROLRIG_API FRotator SetRotator(const FRotator& InValue, bool bInitial = false, bool bFixEulerFlips = false);

	FVector Current = FVector::ZeroVector;
	FVector Initial = FVector::ZeroVector;
};

// What a control is, and how animators see it.
struct FRigControlSettings
{
	ERigControlAnimationType AnimationType = ERigControlAnimationType::AnimationControl;
	ERigControlType ControlType = ERigControlType::EulerTransform;
	FName DisplayName;
	// The axis a float, integer or 2D control moves along (or across).
	ERigControlAxis PrimaryAxis = ERigControlAxis::X;
	FRigControlValue MinimumValue;
	FRigControlValue MaximumValue;
	bool bShapeVisible = true;
	ERigControlVisibility ShapeVisibility = ERigControlVisibility::UserDefined;
	FName ShapeName = TEXT("Default");
	FLinearColor ShapeColor = FLinearColor::Red;

	bool IsAnimatable() const
	{
		return (AnimationType == ERigControlAnimationType::AnimationControl) ||
			(AnimationType == ERigControlAnimationType::AnimationChannel);
	}

	// Animation channels and bool controls have no shape.
	bool SupportsShape() const
	{
		return (AnimationType != ERigControlAnimationType::AnimationChannel) && (ControlType != ERigControlType::Bool);
	}

	bool IsVisible() const { return SupportsShape() && bShapeVisible; }

	// True when the visibility changed. Proxy controls shown by selection keep theirs unless forced.
	bool SetVisible(bool bVisible, bool bForce = false)
	{
		if (!bForce && AnimationType == ERigControlAnimationType::ProxyControl &&
			ShapeVisibility == ERigControlVisibility::BasedOnSelection)
		{
			return false;
		}
		if (SupportsShape())
		{
			if (bShapeVisible == bVisible)
			{
				return false;
			}
			bShapeVisible = bVisible;
		}
		return SupportsShape();
	}

	// The value a control of these settings has at the identity transform.
	FRigControlValue GetIdentityValue() const
	{
		FRigControlValue Value;
		Value.SetFromTransform(FTransform::Identity, ControlType, PrimaryAxis);
		return Value;
	}
};

struct FRigBaseElement
{
public:
	virtual ~FRigBaseElement() = default;

	const FName& GetFName() const { return Key.Name; }
	const FString& GetName() const
	{
		if (CachedNameString.IsEmpty() && !Key.Name.IsNone())
		{
			CachedNameString = Key.Name.ToString();
		}
		return CachedNameString;
	}
	virtual const FName& GetDisplayName() const { return GetFName(); }
	ERigElementType GetType() const { return Key.Type; }
	const FRigElementKey& GetKey() const { return Key; }
	int32 GetIndex() const { return Index; }
	// Index among the elements of the same type.
	int32 GetSubIndex() const { return SubIndex; }

	template <typename T> bool IsA() const { return T::IsClassOf(this); }
	bool IsTypeOf(ERigElementType InElementType) const { return Key.IsTypeOf(InElementType); }

	// The element as T, or null when it is missing or of another class.
	template <typename T> friend const T* Cast(const FRigBaseElement* InElement)
	{
		if (InElement && InElement->IsA<T>())
		{
			return static_cast<const T*>(InElement);
		}
		return nullptr;
	}
	template <typename T> friend T* Cast(FRigBaseElement* InElement)
	{
		if (InElement && InElement->IsA<T>())
		{
			return static_cast<T*>(InElement);
		}
		return nullptr;
	}
	template <typename T> friend const T* CastChecked(const FRigBaseElement* InElement)
	{
		const T* Element = Cast<T>(InElement);
		check(Element);
		return Element;
	}
	template <typename T> friend T* CastChecked(FRigBaseElement* InElement)
	{
		T* Element = Cast<T>(InElement);
		check(Element);
		return Element;
	}

protected:
	explicit FRigBaseElement(ERigElementType InElementType) : Key(InElementType) {}

	static bool IsClassOf(const FRigBaseElement* InElement) { return true; }

	FRigElementKey Key;
	int32 Index = INDEX_NONE;
	int32 SubIndex = INDEX_NONE;
	mutable FString CachedNameString;

	friend class URigHierarchy;
	friend class URigHierarchyController;
};

// An element with a pose. Its transforms live in the hierarchy's flat pose storage, at the element's index.
struct FRigTransformElement : public FRigBaseElement
{
	static bool IsClassOf(const FRigBaseElement* InElement)
	{
		return InElement->IsTypeOf(static_cast<ERigElementType>(static_cast<uint8>(ERigElementType::Bone) |
			static_cast<uint8>(ERigElementType::Null) | static_cast<uint8>(ERigElementType::Control)));
	}

protected:
	using FRigBaseElement::FRigBaseElement;

	// The hierarchy's parent-child links (each element has at most one parent here).
	FRigTransformElement* ParentElement = nullptr;
	TArray<FRigBaseElement*> ChildElements;

	friend class URigHierarchy;
	friend class URigHierarchyController;
};

struct FRigBoneElement : public FRigTransformElement
{
	FRigBoneElement() : FRigTransformElement(ERigElementType::Bone) {}
	static bool IsClassOf(const FRigBaseElement* InElement) { return InElement->GetType() == ERigElementType::Bone; }

	ERigBoneType BoneType = ERigBoneType::User;
};

struct FRigNullElement final : public FRigTransformElement
{
	FRigNullElement() : FRigTransformElement(ERigElementType::Null) {}
	static bool IsClassOf(const FRigBaseElement* InElement) { return InElement->GetType() == ERigElementType::Null; }
};

struct FRigControlElement final : public FRigTransformElement
{
	FRigControlElement() : FRigTransformElement(ERigElementType::Control) {}
	static bool IsClassOf(const FRigBaseElement* InElement) { return InElement->GetType() == ERigElementType::Control; }

	FRigControlSettings Settings;
	FRigPreferredEulerAngles PreferredEulerAngles;

	virtual const FName& GetDisplayName() const override
	{
		if (!Settings.DisplayName.IsNone())
		{
			return Settings.DisplayName;
		}
		return FRigTransformElement::GetDisplayName();
	}

	bool IsAnimationChannel() const { return Settings.AnimationType == ERigControlAnimationType::AnimationChannel; }
};
