// Element keys, element and control types, and transform types of the rig hierarchy.
#pragma once

#include "CoreMinimal.h"
#include "Rigs/RigHierarchyModulePath.h"

enum class ERigElementType : uint8
{
	None = 0x000,
	Bone = 0x001,
	Null = 0x002,
	Space = Null,
	Control = 0x004,
	Curve = 0x008,
	Reference = 0x020,
	Connector = 0x040,
	Socket = 0x080,
	All = Bone | Null | Control | Curve | Reference | Connector | Socket,
};

FORCEINLINE ERigElementType operator|(ERigElementType A, ERigElementType B)
{
	return static_cast<ERigElementType>(static_cast<uint8>(A) | static_cast<uint8>(B));
}

FORCEINLINE bool HasAnyRigElementType(ERigElementType InMask, ERigElementType InType)
{
	return (static_cast<uint8>(InMask) & static_cast<uint8>(InType)) != 0;
}

// "Bone", "Null", "Control", ... as the engine spells the enumerators.
CONTROLRIG_API const TCHAR* LexToString(ERigElementType InType);

enum class ERigBoneType : uint8
{
	Imported,
	User
};

enum class ERigControlType : uint8
{
	Bool,
	Float,
	Integer,
	Vector2D,
	Position,
	Scale,
	Rotator,
	Transform,
	TransformNoScale,
	EulerTransform,
	ScaleFloat,
};

CONTROLRIG_API const TCHAR* LexToString(ERigControlType InType);

enum class ERigControlAnimationType : uint8
{
	AnimationControl,
	AnimationChannel,
	ProxyControl,
	VisualCue,
};

CONTROLRIG_API const TCHAR* LexToString(ERigControlAnimationType InType);

enum class ERigControlValueType : uint8
{
	Initial,
	Current,
	Minimum,
	Maximum
};

enum class ERigControlAxis : uint8
{
	X,
	Y,
	Z
};

namespace ERigTransformType
{
enum Type : uint8
{
	InitialLocal = 0,
	CurrentLocal = 1,
	InitialGlobal = 2,
	CurrentGlobal = 3,
	NumTransformTypes = 4
};

FORCEINLINE bool IsLocal(Type InType)
{
	return InType == InitialLocal || InType == CurrentLocal;
}
FORCEINLINE bool IsGlobal(Type InType)
{
	return !IsLocal(InType);
}
FORCEINLINE bool IsInitial(Type InType)
{
	return InType == InitialLocal || InType == InitialGlobal;
}
FORCEINLINE bool IsCurrent(Type InType)
{
	return !IsInitial(InType);
}
FORCEINLINE Type MakeLocal(Type InType)
{
	return IsInitial(InType) ? InitialLocal : CurrentLocal;
}
FORCEINLINE Type MakeGlobal(Type InType)
{
	return IsInitial(InType) ? InitialGlobal : CurrentGlobal;
}
FORCEINLINE Type MakeInitial(Type InType)
{
	return IsLocal(InType) ? InitialLocal : InitialGlobal;
}
FORCEINLINE Type MakeCurrent(Type InType)
{
	return IsLocal(InType) ? CurrentLocal : CurrentGlobal;
}
FORCEINLINE Type SwapLocalAndGlobal(Type InType)
{
	return IsLocal(InType) ? MakeGlobal(InType) : MakeLocal(InType);
}
} // namespace ERigTransformType

// Identifies an element by type and name. Names compare without regard to case.
struct FRigElementKey
{
	ERigElementType Type = ERigElementType::None;
	FName Name;

	FRigElementKey() = default;
	FRigElementKey(const FName& InName, ERigElementType InType) : Type(InType), Name(InName) {}

	bool IsValid() const { return Type != ERigElementType::None && !Name.IsNone(); }
	explicit operator bool() const { return IsValid(); }
	void Reset()
	{
		Type = ERigElementType::None;
		Name = NAME_None;
	}

	bool operator==(const FRigElementKey& Other) const { return Type == Other.Type && Name == Other.Name; }
	bool operator!=(const FRigElementKey& Other) const { return !(*this == Other); }

	// "Bone(foot_l)"
	CONTROLRIG_API FString ToString() const;

	friend uint32 GetTypeHash(const FRigElementKey& Key)
	{
		return HashCombine(GetTypeHash(Key.Name), static_cast<uint32>(Key.Type));
	}
};
