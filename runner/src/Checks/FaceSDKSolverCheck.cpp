// What the face solver skips, from its pins: no asset, a weight at which the rows never run, and a face joint or
// control box that does not resolve (the phases that use them then take their fallback forms). The asset's records are
// checked by FaceRowsCheck.cpp and FaceLayersCheck.cpp, once per asset.
#include "FaceAssetCheck.h"
#include "QVFaceSolverPins.h"
#include "QVRig/UnitCheckers.h"
#include "RigUnit_QVFaceSDKSolver.h"

namespace
{
// The element a key pin names must resolve. The default element (the pin left unset or at its default) is one a rig
// may lack on purpose, so its absence is a note; an element the rig names otherwise is a problem.
void CheckFrameElement(FQVUnitCheck& Check, const TCHAR* InPin, FRigElementKey (*InResolve)(const FRigElementKey&),
	const FRigElementKey& InPinKey, const FString& InConsequence)
{
	const FRigElementKey Key = InResolve(InPinKey);
	if (Check.Find(Key) != nullptr)
	{
		return;
	}
	const FString Message = Check.DescribeMissing(Key.Name, {Key.Type}) + TEXT(": ") + InConsequence;
	if (Key == InResolve(FRigElementKey()))
	{
		Check.Note(Check.PinSource(InPin), TEXT("names the default element, and ") + Message);
	}
	else
	{
		Check.Problem(Check.PinSource(InPin), Message);
	}
}

void CheckFaceFrame(FQVUnitCheck& Check, const FRigUnit_QVFaceSDKSolver& Unit)
{
	CheckFrameElement(Check, TEXT("FaceJoint"), &QVFaceSolverPins::FaceJointKey, Unit.FaceJoint,
		TEXT("the control box is not carried with the face, the face scale is not derived from a face joint, and the "
			 "face layers that use it take their fallback forms"));
	CheckFrameElement(Check, TEXT("CtrlBoxAttach"), &QVFaceSolverPins::CtrlBoxAttachKey, Unit.CtrlBoxAttach,
		TEXT("the control box is not carried with the face"));
}

void CheckFaceSDKSolver(FQVUnitCheck& Check)
{
	const FRigUnit_QVFaceSDKSolver& Unit = Check.GetUnit<FRigUnit_QVFaceSDKSolver>();
	CheckFaceFrame(Check, Unit);
	const UQVFaceRigDataAsset* Asset = Unit.FaceRigDataAsset.Get();
	if (Asset == nullptr)
	{
		Check.Problem(Check.PinSource(TEXT("FaceRigDataAsset")),
			TEXT("is not set (null): the solver only carries the control box; no row or layer runs"));
		return;
	}
	if (!QVFaceSolverPins::RowsRun(Unit.Weight) && !Check.IsPinAnimated(TEXT("Weight")))
	{
		Check.Problem(Check.PinSource(TEXT("Weight")),
			FString::Printf(TEXT("is %g, not above 1e-8: the set-driven-key rows and the layers over them never run"),
				double(Unit.Weight)));
	}
	if (!Check.ClaimAsset(*Asset))
	{
		return;
	}
	FQVFaceAssetCheck FaceCheck{Check, *Asset, Check.AssetSource(*Asset)};
	QVCheckFaceRows(FaceCheck);
	QVCheckFaceLayers(FaceCheck);
}

const FQVUnitCheckerRegistration Registration(&FRigUnit_QVFaceSDKSolver::StaticStruct, &CheckFaceSDKSolver);
} // namespace
