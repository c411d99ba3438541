// Predicate branches of a RigVM instruction. Passed to every RigVM entry; the units do not use them.
#pragma once

#include "CoreMinimal.h"

struct FRigVMPredicateBranch
{
	FName Name;
	int32 InstructionIndex = INDEX_NONE;
};

typedef TArrayView<FRigVMPredicateBranch> FRigVMPredicateBranchArray;
