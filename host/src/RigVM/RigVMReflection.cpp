// Reflection of RigVM's own structs: the execute context and the base of RigVM structs.
#include "RigVMCore/RigVMStruct.h"
#include "UObject/UECodeGen.h"

IMPLEMENT_STATIC_STRUCT(FRigVMExecuteContext, nullptr, "/Script/RigVM", "RigVMExecuteContext", {})
IMPLEMENT_STATIC_STRUCT(FRigVMStruct, nullptr, "/Script/RigVM", "RigVMStruct", {})
