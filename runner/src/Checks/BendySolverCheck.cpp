// What the bend solver skips: snapshot bones and their pose-record nulls that do not resolve, segments that fail
// their checks (counts, bones without a base pose), and handle, space and master elements that read as the identity
// or are never placed. Which of these matter follows the node's mode: restore, capture, deform.
#include "QVBendRigAccess.h"
#include "QVBendSegmentShape.h"
#include "QVRig/UnitCheck.h"
#include "QVRig/UnitCheckers.h"
#include "RigUnit_QVBendySolver.h"

namespace
{
const TCHAR* const SegmentSkipped = TEXT("the segment is skipped");

// What the node may do over the animation: a keyed flag may take either value.
struct FBendModes
{
	bool bRestores = false;
	bool bWritesRecords = false;
	bool bDeforms = false;

	explicit FBendModes(const FQVUnitCheck& Check, const FRigUnit_QVBendySolver& Unit)
	{
		const bool bRestoreKeyed = Check.IsPinAnimated(TEXT("bRestore"));
		const bool bCaptures = !Unit.bRestore || bRestoreKeyed;
		bRestores = Unit.bRestore || bRestoreKeyed;
		bWritesRecords = bCaptures && (Unit.bCaptureBase || Check.IsPinAnimated(TEXT("bCaptureBase")));
		bDeforms = bCaptures && (!Unit.bCaptureOnly || Check.IsPinAnimated(TEXT("bCaptureOnly")));
	}
};

class FBendySolverCheck
{
public:
	FBendySolverCheck(FQVUnitCheck& InCheck)
		: Check(InCheck), Unit(InCheck.GetUnit<FRigUnit_QVBendySolver>()), Modes(InCheck, Unit)
	{
	}

	void Run()
	{
		CheckSnapshotBones();
		if (!Modes.bDeforms)
		{
			return;
		}
		CheckParentFirstOrder();
		const FQVCheckSource SegmentsPath = Check.PinSource(TEXT("Segments"));
		for (int32 Index = 0; Index < Unit.Segments.Num(); ++Index)
		{
			CheckSegment(SegmentsPath.Item(Index), Unit.Segments[Index]);
		}
	}

private:
	FQVCheckSource SnapshotPath(int32 InIndex) const { return Check.PinSource(TEXT("SnapshotBones")).Item(InIndex); }

	// Each snapshot bone must exist; its pose record matters when the node restores from it or writes it.
	void CheckSnapshotBones()
	{
		if (Unit.SnapshotBones.IsEmpty())
		{
			Check.Problem(Check.PinSource(TEXT("SnapshotBones")),
				Modes.bDeforms ? TEXT("is empty: no bone has a base pose, so every segment is skipped and nothing is "
									  "written back")
							   : TEXT("is empty: the node restores and captures nothing"));
			return;
		}
		for (int32 Index = 0; Index < Unit.SnapshotBones.Num(); ++Index)
		{
			const FName& BoneName = Unit.SnapshotBones[Index];
			if (!Check.Require(SnapshotPath(Index), FQVUnitCheck::BoneKey(BoneName),
					TEXT("nothing restores, captures or writes back this entry, and segments holding it are skipped")))
			{
				continue;
			}
			BaseBones.Add(BoneName);
			if (!Modes.bRestores && !Modes.bWritesRecords)
			{
				continue;
			}
			const FName Record = SupportNames.PoseRecord(BoneName);
			if (Check.Find(FQVUnitCheck::NullKey(Record)) == nullptr)
			{
				Check.Problem(SnapshotPath(Index),
					FString::Printf(TEXT("%s, the pose record of bone '%s': %s"),
						*Check.DescribeMissing(Record, {ERigElementType::Null}), *BoneName.ToString(),
						Modes.bRestores ? TEXT("the restore leaves the bone as it is")
										: TEXT("its pose is not recorded, so no restore can bring it back")));
			}
		}
	}

	// Written back with children carried along, a bone listed before one of its ancestors is moved off its solved pose
	// when the ancestor is written.
	void CheckParentFirstOrder()
	{
		const URigHierarchy& Hierarchy = Check.GetHierarchy();
		for (int32 Index = 0; Index < Unit.SnapshotBones.Num(); ++Index)
		{
			const FRigElementKey Key = FQVUnitCheck::BoneKey(Unit.SnapshotBones[Index]);
			if (Check.Find(Key) == nullptr)
			{
				continue;
			}
			for (FRigElementKey Ancestor = Hierarchy.GetFirstParent(Key); Ancestor.IsValid();
				 Ancestor = Hierarchy.GetFirstParent(Ancestor))
			{
				const int32 Later = Unit.SnapshotBones.IndexOfByPredicate(
					[&Ancestor](const FName& InName) { return InName == Ancestor.Name; });
				if (Ancestor.Type == ERigElementType::Bone && Later > Index)
				{
					Check.Problem(SnapshotPath(Index),
						FString::Printf(TEXT("bone '%s' is listed before its ancestor '%s' (SnapshotBones[%d]): "
											 "written back after it, the ancestor carries it off its solved pose"),
							*Key.Name.ToString(), *Ancestor.Name.ToString(), Later));
					break;
				}
			}
		}
	}

	void CheckSegment(const FQVCheckSource& InPath, const FQVBendSegment& InSegment)
	{
		const int32 NumBones = InSegment.Bones.Num();
		switch (QVBendSegmentShape::Check(InSegment))
		{
			case EQVBendSegmentShape::TooFewBones:
				Check.Problem(InPath.Member(TEXT("Bones")),
					FString::Printf(TEXT("holds %d bone%s, and a segment needs at least %d: %s"), NumBones,
						NumBones == 1 ? TEXT("") : TEXT("s"), QVBendSegmentShape::MinBones, SegmentSkipped));
				break;
			case EQVBendSegmentShape::ParameterCountMismatch:
				Check.Problem(InPath.Member(TEXT("Parameters")),
					FString::Printf(TEXT("holds %d parameters for %d bones, and a segment needs one per bone: %s"),
						InSegment.Parameters.Num(), NumBones, SegmentSkipped));
				break;
			case EQVBendSegmentShape::TooFewHandles:
				Check.Problem(InPath.Member(TEXT("Handles")),
					FString::Printf(
						TEXT("holds %d handles, and a segment needs at least %d (start, interior, end): %s"),
						InSegment.Handles.Num(), QVBendSegmentShape::MinHandles, SegmentSkipped));
				break;
			case EQVBendSegmentShape::Deformable:
				break;
		}

		const FQVCheckSource BonesPath = InPath.Member(TEXT("Bones"));
		for (int32 Index = 0; Index < NumBones; ++Index)
		{
			const FName& BoneName = InSegment.Bones[Index];
			const FQVCheckSource BonePath = BonesPath.Item(Index);
			if (!Check.Require(BonePath, FQVUnitCheck::BoneKey(BoneName), SegmentSkipped))
			{
				continue;
			}
			if (!BaseBones.Contains(BoneName))
			{
				Check.Problem(BonePath,
					FString::Printf(TEXT("bone '%s' is not among the SnapshotBones, so it has no base pose: %s"),
						*BoneName.ToString(), SegmentSkipped));
			}
		}

		const FQVCheckSource HandlesPath = InPath.Member(TEXT("Handles"));
		for (int32 Index = 0; Index < InSegment.Handles.Num(); ++Index)
		{
			CheckHandle(HandlesPath.Item(Index), InSegment.Handles[Index]);
		}
		if (!InSegment.Master.IsNone())
		{
			CheckControlAndSpace(InPath, TEXT("Master"), InSegment.Master, TEXT("MasterSpace"), InSegment.MasterSpace,
				TEXT("the master"));
		}
	}

	void CheckHandle(const FQVCheckSource& InPath, const FQVBendHandle& InHandle)
	{
		// A handle without a control is an endpoint that follows the limb: its space is never read.
		if (!InHandle.Control.IsNone())
		{
			CheckControlAndSpace(
				InPath, TEXT("Control"), InHandle.Control, TEXT("Space"), InHandle.Space, TEXT("the handle"));
		}
		if (InHandle.ParentControl.IsNone())
		{
			return;
		}
		const FQVCheckSource ParentPath = InPath.Member(TEXT("ParentControl"));
		Check.Require(ParentPath, FQVUnitCheck::ControlKey(InHandle.ParentControl),
			TEXT("its offset reads as the identity, so it moves nothing"));
		const FName ParentSpace = SupportNames.ParentControlSpace(InHandle.ParentControl);
		if (Check.Find(FQVUnitCheck::NullKey(ParentSpace)) == nullptr)
		{
			Check.Problem(ParentPath,
				FString::Printf(TEXT("%s, the space null of parent control '%s': nothing carries the parent control "
									 "along the limb"),
					*Check.DescribeMissing(ParentSpace, {ERigElementType::Null}), *InHandle.ParentControl.ToString()));
		}
	}

	// A control read as its local transform, and the null whose setup pose sets where it rests and which the solver
	// places on the limb.
	void CheckControlAndSpace(const FQVCheckSource& InPath, const TCHAR* InControlField, const FName& InControl,
		const TCHAR* InSpaceField, const FName& InSpace, const TCHAR* InWhat)
	{
		Check.Require(InPath.Member(InControlField), FQVUnitCheck::ControlKey(InControl),
			FString::Printf(
				TEXT("%s reads as unmoved (the identity), so it neither bends nor twists the segment"), InWhat));
		const FQVCheckSource SpacePath = InPath.Member(InSpaceField);
		if (Check.Find(FQVUnitCheck::NullKey(InSpace)) == nullptr)
		{
			Check.Problem(SpacePath,
				FString::Printf(TEXT("%s: %s rests as if its space null were at the rig's origin, and nothing carries "
									 "its control along the limb"),
					*Check.DescribeMissing(InSpace, {ERigElementType::Null}), InWhat));
		}
	}

	FQVUnitCheck& Check;
	const FRigUnit_QVBendySolver& Unit;
	const FBendModes Modes;
	FQVBendSupportNames SupportNames;
	// The snapshot bones that exist: the bones that get base poses.
	TSet<FName> BaseBones;
};

void CheckBendySolver(FQVUnitCheck& Check)
{
	FBendySolverCheck(Check).Run();
}

const FQVUnitCheckerRegistration Registration(&FRigUnit_QVBendySolver::StaticStruct, &CheckBendySolver);
} // namespace
