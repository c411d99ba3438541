// Reflection of the ControlRigSpline plug-in's types, registered by hand under the engine's names: the enum
// "ESplineType" and the struct "ControlRigSpline", whose shared curve data is not a reflected property.
#include "ControlRigSplineTypes.h"
#include "UObject/UECodeGen.h"

template <> UEnum* StaticEnum<ESplineType>()
{
	static UEnum* const Enum = UECodeGen_Private::ConstructEnum(TEXT("/Script/ControlRigSpline"), TEXT("ESplineType"),
		UEnum::ECppForm::EnumClass,
		{
			{TEXT("ESplineType::BSpline"), int64(ESplineType::BSpline)},
			{TEXT("ESplineType::Hermite"), int64(ESplineType::Hermite)},
			{TEXT("ESplineType::Max"), int64(ESplineType::Max)},
		},
		{{TEXT("Max.Hidden"), TEXT("")}});
	return Enum;
}
QV_RECORD_HAND_WRITTEN_TYPE(
	ESplineType, TEXT("/Script/ControlRigSpline"), TEXT("ESplineType"), StaticEnum<ESplineType>())

IMPLEMENT_STATIC_STRUCT(FControlRigSpline, nullptr, "/Script/ControlRigSpline", "ControlRigSpline",
	UECodeGen_Private::ApplyMetaData(*Struct, {{TEXT("BlueprintType"), TEXT("true")}}))
