// RigVM functions.
#include "RigVMCore/RigVMFunction.h"

FName FRigVMFunction::GetMethodName() const
{
	const int32 Separator = Name.Find(TEXT("::"), ESearchCase::CaseSensitive, ESearchDir::FromEnd);
	return FName(*(Separator == INDEX_NONE ? Name : Name.RightChop(Separator + 2)));
}
