// FRigVMMemoryHandle: a pin's memory as a RigVM entry receives it (a pointer, optionally through a property path).
#pragma once

#include "CoreMinimal.h"
#include "RigVMCore/RigVMPropertyPath.h"

class FProperty;

struct FRigVMMemoryHandle
{
	FRigVMMemoryHandle() = default;
	explicit FRigVMMemoryHandle(
		uint8* InPtr, const FProperty* InProperty = nullptr, const FRigVMPropertyPath* InPropertyPath = nullptr)
		: Ptr(InPtr), Property(InProperty), PropertyPath(InPropertyPath)
	{
	}

	// The pin's memory: the handle's pointer, followed through the property path when there is one.
	uint8* GetData() const
	{
		return PropertyPath != nullptr && PropertyPath->IsValid() ? PropertyPath->GetData<uint8>(Ptr) : Ptr;
	}

	bool IsValid() const { return Ptr != nullptr; }
	// The property that describes the memory at the handle's pointer, when known.
	const FProperty* GetProperty() const { return Property; }
	const FRigVMPropertyPath* GetPropertyPath() const { return PropertyPath; }

private:
	uint8* Ptr = nullptr;
	const FProperty* Property = nullptr;
	const FRigVMPropertyPath* PropertyPath = nullptr;
};

typedef TArrayView<FRigVMMemoryHandle> FRigVMMemoryHandleArray;
