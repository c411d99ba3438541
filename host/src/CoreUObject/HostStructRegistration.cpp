// Reflection of the engine's math and colour structs, registered by hand under their engine names.
#include "UObject/UECodeGen.h"

#include "EulerTransform.h"

namespace
{
// FTransform keeps its members protected; a derived view names them for offsetof.
struct FTransformMembers : FTransform
{
	static void Reflect(UScriptStruct* Struct)
	{
		REFLECT_STRUCT_MEMBER(FTransformMembers, Rotation);
		REFLECT_STRUCT_MEMBER(FTransformMembers, Translation);
		REFLECT_STRUCT_MEMBER(FTransformMembers, Scale3D);
	}
};
static_assert(sizeof(FTransformMembers) == sizeof(FTransform));
} // namespace

IMPLEMENT_BASE_STRUCTURE(FVector, nullptr, "/Script/CoreUObject", "Vector", REFLECT_STRUCT_MEMBER(FVector, X);
						 REFLECT_STRUCT_MEMBER(FVector, Y); REFLECT_STRUCT_MEMBER(FVector, Z))

IMPLEMENT_BASE_STRUCTURE(FVector2D, nullptr, "/Script/CoreUObject", "Vector2D", REFLECT_STRUCT_MEMBER(FVector2D, X);
						 REFLECT_STRUCT_MEMBER(FVector2D, Y))

IMPLEMENT_BASE_STRUCTURE(FVector4, nullptr, "/Script/CoreUObject", "Vector4", REFLECT_STRUCT_MEMBER(FVector4, X);
						 REFLECT_STRUCT_MEMBER(FVector4, Y); REFLECT_STRUCT_MEMBER(FVector4, Z);
						 REFLECT_STRUCT_MEMBER(FVector4, W))

IMPLEMENT_BASE_STRUCTURE(FQuat, nullptr, "/Script/CoreUObject", "Quat", REFLECT_STRUCT_MEMBER(FQuat, X);
						 REFLECT_STRUCT_MEMBER(FQuat, Y); REFLECT_STRUCT_MEMBER(FQuat, Z);
						 REFLECT_STRUCT_MEMBER(FQuat, W))

IMPLEMENT_BASE_STRUCTURE(FRotator, nullptr, "/Script/CoreUObject", "Rotator", REFLECT_STRUCT_MEMBER(FRotator, Pitch);
						 REFLECT_STRUCT_MEMBER(FRotator, Yaw); REFLECT_STRUCT_MEMBER(FRotator, Roll))

IMPLEMENT_BASE_STRUCTURE(FTransform, nullptr, "/Script/CoreUObject", "Transform", FTransformMembers::Reflect(Struct))

IMPLEMENT_BASE_STRUCTURE(
	FLinearColor, nullptr, "/Script/CoreUObject", "LinearColor", REFLECT_STRUCT_MEMBER(FLinearColor, R);
	REFLECT_STRUCT_MEMBER(FLinearColor, G); REFLECT_STRUCT_MEMBER(FLinearColor, B);
	REFLECT_STRUCT_MEMBER(FLinearColor, A))

IMPLEMENT_BASE_STRUCTURE(FEulerTransform, nullptr, "/Script/AnimationCore", "EulerTransform",
						 REFLECT_STRUCT_MEMBER(FEulerTransform, Location);
						 REFLECT_STRUCT_MEMBER(FEulerTransform, Rotation);
						 REFLECT_STRUCT_MEMBER(FEulerTransform, Scale))
