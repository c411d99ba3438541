// Unit instances and their memory handles.
#include "QVRig/RigNode.h"

#include "UObject/Class.h"
#include "UObject/UnrealType.h"

#include <new>

FQVRigNode::FQVRigNode(const UScriptStruct& InStruct, const FRigVMFunction& InFunction, FString InLabel)
	: Struct(&InStruct), Function(&InFunction), FunctionName(*InFunction.GetName()), Label(MoveTemp(InLabel))
{
	Memory = static_cast<uint8*>(::operator new(static_cast<size_t>(Struct->GetStructureSize()),
		std::align_val_t(static_cast<size_t>(Struct->GetMinAlignment()))));
	Struct->InitializeStruct(Memory);

	// The function reads one handle per argument, in argument order; each points at the field of that name.
	for (const FRigVMFunctionArgument& Argument : Function->Arguments)
	{
		const FProperty* Pin = Struct->FindPropertyByName(FName(Argument.Name));
		checkf(Pin != nullptr, TEXT("%s has no field for its RigVM argument '%s'"), *Struct->GetName(), *Argument.Name);
		Handles.Emplace(Pin->ContainerPtrToValuePtr<uint8>(Memory), Pin);
	}
}

FQVRigNode::~FQVRigNode()
{
	Struct->DestroyStruct(Memory);
	::operator delete(Memory, std::align_val_t(static_cast<size_t>(Struct->GetMinAlignment())));
}

void FQVRigNode::Execute(FRigVMExtendedExecuteContext& InContext)
{
	Function->FunctionPtr(InContext, FRigVMMemoryHandleArray(Handles), FRigVMPredicateBranchArray());
}

FString FQVRigNode::Describe(int32 InIndex, const FString& InUnit, const FString& InLabel)
{
	return InLabel.IsEmpty() ? FString::Printf(TEXT("graph[%d] %s"), InIndex, *InUnit)
							 : FString::Printf(TEXT("graph[%d] %s '%s'"), InIndex, *InUnit, *InLabel);
}

FString FQVRigNode::Describe(int32 InIndex) const
{
	return Describe(InIndex, Struct->GetName(), Label);
}
