// Reflection of RigVM's own structs: the execution pin, the execute context and the base of RigVM structs.
#include "RigVMCore/RigVMStruct.h"
#include "UObject/UECodeGen.h"

IMPLEMENT_STATIC_STRUCT(FRigVMExecutePin, nullptr, "/Script/RigVM", "RigVMExecutePin",
	UECodeGen_Private::ApplyMetaData(*Struct, {{TEXT("BlueprintType"), TEXT("true")}}))
// As in the engine, the context is reflected as a kind of execution pin.
IMPLEMENT_STATIC_STRUCT(
	FRigVMExecuteContext, FRigVMExecutePin::StaticStruct(), "/Script/RigVM", "RigVMExecuteContext", {})
IMPLEMENT_STATIC_STRUCT(FRigVMStruct, nullptr, "/Script/RigVM", "RigVMStruct", {})
