// The face solver's key pins and their defaults.
#include "QVFaceSolverPins.h"

namespace
{
FRigElementKey KeyOrDefault(const FRigElementKey& Key, const TCHAR* DefaultName, ERigElementType DefaultType)
{
	return Key.Type == ERigElementType::None || Key.Name.IsNone() ? FRigElementKey(DefaultName, DefaultType) : Key;
}
} // namespace

FRigElementKey QVFaceSolverPins::FaceJointKey(const FRigElementKey& FaceJoint)
{
	return KeyOrDefault(FaceJoint, TEXT("FaceJoint_M"), ERigElementType::Bone);
}

FRigElementKey QVFaceSolverPins::CtrlBoxAttachKey(const FRigElementKey& CtrlBoxAttach)
{
	return KeyOrDefault(CtrlBoxAttach, TEXT("ctrlBoxAttach"), ERigElementType::Null);
}
