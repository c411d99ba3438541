// One unit node of a loaded rig: an instance of the unit's struct (its pins) and the RigVM function that runs it.
#pragma once

#include "CoreMinimal.h"
#include "RigVMCore/RigVMFunction.h"

class UScriptStruct;

class FQVRigNode
{
public:
	// A default instance of InStruct, whose pins InFunction reads through one memory handle per argument.
	FQVRigNode(const UScriptStruct& InStruct, const FRigVMFunction& InFunction, FString InLabel);
	~FQVRigNode();
	FQVRigNode(const FQVRigNode&) = delete;
	FQVRigNode& operator=(const FQVRigNode&) = delete;

	const UScriptStruct* GetStruct() const { return Struct; }
	// The struct instance; pins are its fields.
	uint8* GetMemory() { return Memory; }
	const uint8* GetMemory() const { return Memory; }
	const FRigVMFunction& GetFunction() const { return *Function; }
	const FName& GetFunctionName() const { return FunctionName; }
	const FString& GetLabel() const { return Label; }

	// "graph[2] RigUnit_QVBendySolver 'arm_l deform'" for node InIndex of unit InUnit; without a label, no quotes.
	static FString Describe(int32 InIndex, const FString& InUnit, const FString& InLabel);
	// This node as Describe names it, at position InIndex of its graph.
	FString Describe(int32 InIndex) const;

	// Runs the unit's RigVM function on the pins. The handles were built once, with the node.
	void Execute(FRigVMExtendedExecuteContext& InContext);

private:
	const UScriptStruct* Struct;
	const FRigVMFunction* Function;
	FName FunctionName;
	FString Label;
	uint8* Memory = nullptr;
	TArray<FRigVMMemoryHandle> Handles;
};
