// Reflection of Control Rig's own types: element keys, the execute context and the unit bases.
#include "Rigs/RigHierarchyCache.h"
#include "Rigs/RigHierarchyDefines.h"
#include "UObject/UECodeGen.h"
#include "Units/RigUnit.h"

// Unit bases are polymorphic; their members' offsets are still fixed.
#pragma GCC diagnostic ignored "-Winvalid-offsetof"

template <> UEnum* StaticEnum<ERigElementType>()
{
	static UEnum* const Enum = UECodeGen_Private::ConstructEnum(TEXT("/Script/ControlRig"), TEXT("ERigElementType"),
		UEnum::ECppForm::EnumClass,
		{
			{TEXT("ERigElementType::None"), int64(ERigElementType::None)},
			{TEXT("ERigElementType::Bone"), int64(ERigElementType::Bone)},
			{TEXT("ERigElementType::Null"), int64(ERigElementType::Null)},
			{TEXT("ERigElementType::Control"), int64(ERigElementType::Control)},
			{TEXT("ERigElementType::Curve"), int64(ERigElementType::Curve)},
			{TEXT("ERigElementType::Reference"), int64(ERigElementType::Reference)},
			{TEXT("ERigElementType::Connector"), int64(ERigElementType::Connector)},
			{TEXT("ERigElementType::Socket"), int64(ERigElementType::Socket)},
			{TEXT("ERigElementType::All"), int64(ERigElementType::All)},
		},
		{{TEXT("All.Hidden"), TEXT("")}});
	return Enum;
}

IMPLEMENT_BASE_STRUCTURE(
	FRigElementKey, nullptr, "/Script/ControlRig", "RigElementKey", REFLECT_STRUCT_MEMBER(FRigElementKey, Type);
	REFLECT_STRUCT_MEMBER(FRigElementKey, Name))

// Its key and index are private; it is copied and compared as a whole.
IMPLEMENT_BASE_STRUCTURE(FCachedRigElement, nullptr, "/Script/ControlRig", "CachedRigElement", {})

IMPLEMENT_STATIC_STRUCT(FControlRigExecuteContext, FRigVMExecuteContext::StaticStruct(), "/Script/ControlRig",
	"ControlRigExecuteContext", {})

IMPLEMENT_STATIC_STRUCT(FRigUnit, FRigVMStruct::StaticStruct(), "/Script/ControlRig", "RigUnit",
	UECodeGen_Private::ApplyMetaData(*Struct,
		{{TEXT("Abstract"), TEXT("")}, {TEXT("BlueprintType"), TEXT("true")},
			{TEXT("ExecuteContext"), TEXT("FControlRigExecuteContext")}, {TEXT("NodeColor"), TEXT("0.1 0.1 0.1")},
			{TEXT("ToolTip"), TEXT("Base class for all rig units")}}))

IMPLEMENT_STATIC_STRUCT(
	FRigUnitMutable, FRigUnit::StaticStruct(), "/Script/ControlRig", "RigUnitMutable",
	UECodeGen_Private::ApplyMetaData(*Struct,
		{{TEXT("Abstract"), TEXT("")}, {TEXT("BlueprintType"), TEXT("true")},
			{TEXT("ToolTip"), TEXT("Base class for all rig units that can change data")}});
	UECodeGen_Private::AddProperty<FRigVMExecutePin>(Struct, TEXT("ExecutePin"),
		STRUCT_OFFSET(FRigUnitMutable, ExecutePin), CPF_Transient,
		{{TEXT("DisplayName"), TEXT("Execute")}, {TEXT("Input"), TEXT("")}, {TEXT("Output"), TEXT("")},
			{TEXT("ToolTip"), TEXT("This property is used to chain multiple mutable units together")}}))
