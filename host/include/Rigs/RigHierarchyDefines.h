// Element and control types, control values, module paths and element keys of the rig hierarchy.
#pragma once

#include "CoreMinimal.h"
#include "EulerTransform.h"
#include "TransformNoScale.h"

#include <type_traits>

class URigHierarchy;
struct FRigBaseElement;

// The element types; the values are bits, so a value may also be a mask of several types.
enum class ERigElementType : uint8
{
	None = 0,
	Bone = 0x001,
	Null = 0x002,
	Space = Null,
	Control = 0x004,
	Curve = 0x008,
	Physics = 0x010,
	Reference = 0x020,
	Connector = 0x040,
	Socket = 0x080,

	// Every type a hierarchy iterates; Physics is not among them.
	All = Bone | Null | Control | Curve | Reference | Connector | Socket,

	First = Bone,
	Last = Socket,
	ToResetAfterConstructionEvent = Bone | Control | Curve | Socket,
	TransformTypes = Bone | Null | Control | Reference | Socket,
};

// "Bone", "Null", "Control", ... as the enumerators are spelled. Used by the standalone build's file readers.
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
	// A visible, animatable control.
	AnimationControl,
	// An animation channel without a 3D shape.
	AnimationChannel,
	// A control that drives other controls; not animatable.
	ProxyControl,
	// Visual feedback only: neither animatable nor selectable.
	VisualCue
};

CONTROLRIG_API const TCHAR* LexToString(ERigControlAnimationType InType);

enum class ERigControlValueType : uint8
{
	Initial,
	Current,
	Minimum,
	Maximum
};

enum class ERigControlVisibility : uint8
{
	// Visibility controlled by the graph.
	UserDefined,
	// Visibility controlled by the selection of driven controls.
	BasedOnSelection
};

enum class ERigControlAxis : uint8
{
	X,
	Y,
	Z
};

// The value of a control: a block of single-precision floats read and written as the layout its control type uses
// (bool, int32, float, FVector3f, and the *_Float layouts below). Double-precision types are not stored directly:
// Make converts them, and Get, GetRef and Set of them do not compile.
struct FRigControlValue
{
public:
	FRigControlValue() = default;

	// True once a value has been written.
	bool IsValid() const { return bValid; }

	template <class T> T Get() const { return GetRef<T>(); }

	template <class T> T& GetRef()
	{
		static_assert(sizeof(T) <= sizeof(FloatStorage), "FRigControlValue holds at most 16 floats");
		bValid = true;
		return *reinterpret_cast<T*>(FloatStorage);
	}

	template <class T> const T& GetRef() const
	{
		static_assert(sizeof(T) <= sizeof(FloatStorage), "FRigControlValue holds at most 16 floats");
		return *reinterpret_cast<const T*>(FloatStorage);
	}

	template <class T> void Set(T InValue) { GetRef<T>() = InValue; }

	template <class T> static FRigControlValue Make(T InValue)
	{
		FRigControlValue Value;
		Value.Set<T>(InValue);
		return Value;
	}

	// The value as a transform, as a control of the given type presents it.
	CONTROLRIG_API FTransform GetAsTransform(ERigControlType InControlType, ERigControlAxis InPrimaryAxis) const;

	// Keeps what a control of the given type can hold of the transform. Rotators and Euler transforms add the
	// normalised difference to the stored angles, so a value can wind past +-180 degrees.
	CONTROLRIG_API void SetFromTransform(
		const FTransform& InTransform, ERigControlType InControlType, ERigControlAxis InPrimaryAxis);

	struct FTransform_Float
	{
		float RotationX;
		float RotationY;
		float RotationZ;
		float RotationW;
		float TranslationX;
		float TranslationY;
		float TranslationZ;
		float ScaleX;
		float ScaleY;
		float ScaleZ;

		FTransform_Float() { *this = FTransform_Float(FTransform::Identity); }
		CONTROLRIG_API FTransform_Float(const FTransform& InTransform);

		CONTROLRIG_API FTransform ToTransform() const;

		FVector3f GetTranslation() const { return FVector3f(TranslationX, TranslationY, TranslationZ); }
		FQuat GetRotation() const { return FQuat(RotationX, RotationY, RotationZ, RotationW); }
		FVector3f GetScale3D() const { return FVector3f(ScaleX, ScaleY, ScaleZ); }
	};

	struct FTransformNoScale_Float
	{
		float RotationX;
		float RotationY;
		float RotationZ;
		float RotationW;
		float TranslationX;
		float TranslationY;
		float TranslationZ;

		FTransformNoScale_Float() { *this = FTransformNoScale_Float(FTransformNoScale::Identity); }
		CONTROLRIG_API FTransformNoScale_Float(const FTransformNoScale& InTransform);

		CONTROLRIG_API FTransformNoScale ToTransform() const;

		FVector3f GetTranslation() const { return FVector3f(TranslationX, TranslationY, TranslationZ); }
		FQuat GetRotation() const { return FQuat(RotationX, RotationY, RotationZ, RotationW); }
	};

	struct FEulerTransform_Float
	{
		float RotationPitch;
		float RotationYaw;
		float RotationRoll;
		float TranslationX;
		float TranslationY;
		float TranslationZ;
		float ScaleX;
		float ScaleY;
		float ScaleZ;

		FEulerTransform_Float() { *this = FEulerTransform_Float(FEulerTransform::Identity); }
		CONTROLRIG_API FEulerTransform_Float(const FEulerTransform& InTransform);

		CONTROLRIG_API FEulerTransform ToTransform() const;

		FVector3f GetTranslation() const { return FVector3f(TranslationX, TranslationY, TranslationZ); }
		FRotator GetRotator() const { return FRotator(RotationPitch, RotationYaw, RotationRoll); }
		FVector3f GetScale3D() const { return FVector3f(ScaleX, ScaleY, ScaleZ); }
	};

private:
	// Raw bytes, so any of the float layouts may live here; zero until written.
	alignas(16) uint8 FloatStorage[16 * sizeof(float)] = {};
	bool bValid = false;
};

template <> inline FRigControlValue FRigControlValue::Make(FVector2D InValue)
{
	return Make<FVector3f>(FVector3f(float(InValue.X), float(InValue.Y), 0.f));
}

template <> inline FRigControlValue FRigControlValue::Make(FVector InValue)
{
	return Make<FVector3f>(FVector3f(InValue));
}

template <> inline FRigControlValue FRigControlValue::Make(FRotator InValue)
{
	return Make<FVector3f>(FVector3f(InValue.Euler()));
}

template <> inline FRigControlValue FRigControlValue::Make(FTransform InValue)
{
	return Make<FTransform_Float>(InValue);
}

template <> inline FRigControlValue FRigControlValue::Make(FTransformNoScale InValue)
{
	return Make<FTransformNoScale_Float>(InValue);
}

template <> inline FRigControlValue FRigControlValue::Make(FEulerTransform InValue)
{
	return Make<FEulerTransform_Float>(InValue);
}

// Values are stored as floats only; reading or writing the double-precision types directly does not compile.
#define UE_CONTROLRIG_VALUE_DELETE_TEMPLATE(T)                                                                         \
	template <> T FRigControlValue::Get<T>() const = delete;                                                           \
	template <> const T& FRigControlValue::GetRef<T>() const = delete;                                                 \
	template <> T& FRigControlValue::GetRef<T>() = delete;                                                             \
	template <> void FRigControlValue::Set<T>(T InValue) = delete;

UE_CONTROLRIG_VALUE_DELETE_TEMPLATE(FVector2D)
UE_CONTROLRIG_VALUE_DELETE_TEMPLATE(FVector)
UE_CONTROLRIG_VALUE_DELETE_TEMPLATE(FVector4)
UE_CONTROLRIG_VALUE_DELETE_TEMPLATE(FRotator)
UE_CONTROLRIG_VALUE_DELETE_TEMPLATE(FQuat)
UE_CONTROLRIG_VALUE_DELETE_TEMPLATE(FTransform)
UE_CONTROLRIG_VALUE_DELETE_TEMPLATE(FTransformNoScale)
UE_CONTROLRIG_VALUE_DELETE_TEMPLATE(FEulerTransform)

// The name of an element in a rig module: "Module/Element". The former "Module:Element" form is still read.
struct FRigHierarchyModulePath
{
public:
	FRigHierarchyModulePath() = default;
	FRigHierarchyModulePath(const FString& InModulePath) : ModulePath(InModulePath) {}
	explicit FRigHierarchyModulePath(const FName& InModulePathFName)
		: ModulePath(InModulePathFName.IsNone() ? FString() : InModulePathFName.ToString())
	{
	}
	FRigHierarchyModulePath(const TCHAR* InModulePath) : ModulePath(InModulePath) {}

	// The module and element names joined with the separator; empty when either is empty.
	template <typename StringTypeA = FString, typename StringTypeB = FString>
	FRigHierarchyModulePath(const StringTypeA& InModuleName, const StringTypeB& InElementName)
	{
		*this = Join(InModuleName, InElementName);
	}

	bool IsEmpty() const { return ModulePath.IsEmpty(); }

	// True when a separator splits the path into non-empty module and element parts.
	CONTROLRIG_API bool IsValid() const;
	CONTROLRIG_API bool UsesNameSpaceFormat() const;
	CONTROLRIG_API bool UsesModuleNameFormat() const;

	operator const FString&() const { return ModulePath; }
	const FString& GetPath() const { return ModulePath; }

	// The part before the last separator ('/' first, else ':'); empty without one. Views into this path.
	CONTROLRIG_API FStringView GetModuleName() const;
	CONTROLRIG_API const FString& GetModuleNameString() const;
	// The part after the last separator ('/' first, else ':'); empty without one. Views into this path.
	CONTROLRIG_API FStringView GetElementName() const;
	CONTROLRIG_API const FString& GetElementNameString() const;

	friend uint32 GetTypeHash(const FRigHierarchyModulePath& InModulePath)
	{
		return GetTypeHash(InModulePath.ModulePath.ToLower());
	}

	bool operator==(const FRigHierarchyModulePath& InOther) const
	{
		return ModulePath.ToLower() == InOther.ModulePath.ToLower();
	}
	bool operator==(const FString& InOther) const { return ModulePath.ToLower() == InOther.ToLower(); }

	// Splits at the last '/', or failing that at the last ':'. Paths shorter than three characters do not split.
	// Either output may be null; the views point into this path.
	CONTROLRIG_API bool Split(FStringView* OutModuleName, FStringView* OutElementName) const;
	CONTROLRIG_API bool Split(FString* OutModuleName, FString* OutElementName) const;

	static inline const TCHAR* NamespaceSeparator_Deprecated = TEXT(":");
	static inline constexpr TCHAR NamespaceSeparatorChar_Deprecated = TEXT(':');
	static inline const TCHAR* ModuleNameSuffix = TEXT("/");
	static inline constexpr TCHAR ModuleNameSuffixChar = TEXT('/');

private:
	static CONTROLRIG_API FRigHierarchyModulePath Join(const FString& InModuleName, const FString& InElementName);
	static CONTROLRIG_API FRigHierarchyModulePath Join(const FName& InModuleFName, const FName& InElementFName);

	FString ModulePath;

	mutable TOptional<FString> CachedModuleNameString;
	mutable TOptional<FString> CachedElementNameString;
};

// Identifies an element by type and name. Names compare without regard to case.
struct FRigElementKey
{
public:
	ERigElementType Type;
	FName Name;

	FRigElementKey(const ERigElementType InType = ERigElementType::None) : Type(InType), Name(NAME_None) {}
	FRigElementKey(const FName& InName, const ERigElementType InType) : Type(InType), Name(InName) {}

	bool IsValid() const { return Name != NAME_None && Type != ERigElementType::None; }
	explicit operator bool() const { return IsValid(); }

	// As the engine does, a reset key is a curve key without a name.
	void Reset()
	{
		Type = ERigElementType::Curve;
		Name = NAME_None;
	}

	// True when the key's type is among the types of InElementType (a single type or a mask).
	bool IsTypeOf(ERigElementType InElementType) const
	{
		return (static_cast<uint8>(InElementType) & static_cast<uint8>(Type)) == static_cast<uint8>(Type);
	}

	friend uint32 GetTypeHash(const FRigElementKey& Key) { return GetTypeHash(Key.Name) * 10 + (uint32)Key.Type; }

	bool operator==(const FRigElementKey& Other) const { return Name == Other.Name && Type == Other.Type; }
	bool operator!=(const FRigElementKey& Other) const { return Name != Other.Name || Type != Other.Type; }

	bool operator<(const FRigElementKey& Other) const
	{
		if (Type < Other.Type)
		{
			return true;
		}
		return Name.LexicalLess(Other.Name);
	}
	bool operator>(const FRigElementKey& Other) const
	{
		if (Type > Other.Type)
		{
			return true;
		}
		return Other.Name.LexicalLess(Name);
	}

	// "Bone(foot_l)"; empty for None and masks.
	FString ToString() const
	{
		switch (Type)
		{
			case ERigElementType::Bone:
				return FString::Printf(TEXT("Bone(%s)"), *Name.ToString());
			case ERigElementType::Null:
				return FString::Printf(TEXT("Null(%s)"), *Name.ToString());
			case ERigElementType::Control:
				return FString::Printf(TEXT("Control(%s)"), *Name.ToString());
			case ERigElementType::Curve:
				return FString::Printf(TEXT("Curve(%s)"), *Name.ToString());
			case ERigElementType::Reference:
				return FString::Printf(TEXT("Reference(%s)"), *Name.ToString());
			case ERigElementType::Connector:
				return FString::Printf(TEXT("Connector(%s)"), *Name.ToString());
			case ERigElementType::Socket:
				return FString::Printf(TEXT("Socket(%s)"), *Name.ToString());
			default:
				break;
		}
		return FString();
	}
};
