// One segment of the bend solver: positions from the bend curve, swing towards the next bone, twist and Y/Z scale
// from the handles' tents, stretch along X.
#include "QVBendSegmentDeformer.h"

#include "QVBendCurve.h"
#include "QVBendHandleFrames.h"
#include "QVBendSegmentShape.h"

namespace QVBendSegmentDeformer
{
namespace
{
FQVBendSpread SpreadOf(const FTransform& Offset)
{
	FQuat Swing;
	FQuat Twist;
	Offset.GetRotation().ToSwingTwist(FVector::XAxisVector, Swing, Twist);
	return {2.0 * FMath::Atan2(Twist.X, Twist.W), Offset.GetScale3D().Y - 1.0, Offset.GetScale3D().Z - 1.0};
}

// What the handles near one bone give it: the twist angle in radians and the Y and Z scale factors.
struct FTwistAndScale
{
	double Twist = 0.0;
	double ScaleY = 1.0;
	double ScaleZ = 1.0;

	void Accumulate(const FQVBendSpread& Spread, double Weight)
	{
		Twist += Spread.Twist * Weight;
		ScaleY += Spread.ScaleY * Weight;
		ScaleZ += Spread.ScaleZ * Weight;
	}
};

// A tent of weight 1 at Peak falling to 0 at HalfWidth either side; the weights of a bone do not sum to 1.
double TentWeight(double At, double Peak, double HalfWidth)
{
	return FMath::Max(0.0, 1.0 - FMath::Abs(At - Peak) / HalfWidth);
}

// The bone's solved global transform: aimed from its base direction at the next bone's new position, then twisted
// about its own X axis, stretched along X by the change of distance to the next bone, and scaled in Y and Z.
FTransform SolveBone(const FTransform& Base, const FTransform& NextBase, const FVector& Position,
	const FVector& NextPosition, const FTwistAndScale& Total)
{
	const FVector RestDirection = (NextBase.GetTranslation() - Base.GetTranslation()).GetSafeNormal();
	const FVector NewDirection = (NextPosition - Position).GetSafeNormal();
	const FQuat Swing = FQuat::FindBetweenNormals(RestDirection, NewDirection);
	const double HalfTwist = Total.Twist * 0.5;
	const FQuat TwistAboutX(FMath::Sin(HalfTwist), 0.0, 0.0, FMath::Cos(HalfTwist));
	FQuat Rotation = (Swing * Base.GetRotation()) * TwistAboutX;
	Rotation.Normalize();

	const double BaseDistance = (NextBase.GetTranslation() - Base.GetTranslation()).Size();
	const double Stretch =
		BaseDistance > UE_SMALL_NUMBER ? (NextPosition - Position).Size() * (1.0 / BaseDistance) : 1.0;
	const FVector BaseScale = Base.GetScale3D();
	const FVector Scale(BaseScale.X * Stretch, BaseScale.Y * Total.ScaleY, BaseScale.Z * Total.ScaleZ);
	return FTransform(Rotation, Position, Scale);
}
} // namespace

void DeformSegment(FQVBendEvaluation& Evaluation, const FQVBendSegment& Segment)
{
	if (QVBendSegmentShape::Check(Segment) != EQVBendSegmentShape::Deformable)
	{
		return;
	}
	const int32 NumBones = Segment.Bones.Num();
	// Every bone needs a base pose to be aimed and measured from. A segment with a bone that has none (not listed
	// among the snapshot bones, or not in the hierarchy) is skipped whole, before it writes anything.
	TArray<FTransform>& Bases = Evaluation.BoneBasePoses;
	Bases.Reset();
	for (const FName& Bone : Segment.Bones)
	{
		const FTransform* Base = Evaluation.BasePoses.Find(Bone);
		if (Base == nullptr)
		{
			return;
		}
		Bases.Add(*Base);
	}
	FQVBendSegmentEnds Ends;
	QVBendHandleFrames::GatherSegmentEnds(Evaluation, Segment, Ends);

	QVBendHandleFrames::RunHandlePass(Evaluation, Segment, Ends);
	const bool bHasMaster = !Segment.Master.IsNone();
	const FTransform MasterLocal =
		bHasMaster ? QVBendRigAccess::ReadControlLocal(Evaluation.Hierarchy, Segment.Master) : FTransform::Identity;
	if (bHasMaster)
	{
		QVBendHandleFrames::RunMasterPass(Evaluation, Segment, Ends, MasterLocal);
	}

	SolveBones({Ends.Start.GetTranslation(), Ends.End.GetTranslation(), Evaluation.Handles, Segment.Parameters, Bases,
				   bHasMaster ? &MasterLocal : nullptr, Segment.MasterParameter},
		Evaluation.Scratch);
	const TArray<FTransform>& Solved = Evaluation.Scratch.Poses;
	for (int32 Bone = 0; Bone + 1 < NumBones; ++Bone)
	{
		Evaluation.SolvedPoses.Add(Segment.Bones[Bone], Solved[Bone]);
	}
	// The last bone only moves, unless another segment solved it as its first or an interior bone.
	const FName& LastBone = Segment.Bones.Last();
	if (!Evaluation.SolvedPoses.Contains(LastBone))
	{
		Evaluation.SolvedPoses.Add(LastBone, Solved.Last());
	}
}

void SolveBones(const FQVBendSegmentInput& Input, FQVBendSolveScratch& Scratch)
{
	const FQVBendHandleFrames& Frames = Input.Handles;
	const int32 NumBones = Input.Bases.Num();
	const int32 NumHandles = Frames.Parameters.Num();
	const FVector& Start = Input.Start;
	const FVector& End = Input.End;
	QVBendCurve::BuildBendControlPoints(Start, End, Frames.Rest, Frames.Animated, Scratch.ControlPoints);
	QVBendCurve::SampleBendCurve(Scratch.ControlPoints, Input.Parameters, Scratch.CurvePoints);

	// Each bone keeps its own offset from the straight line and adds the curve's deviation from it.
	TArray<FVector>& Positions = Scratch.Positions;
	Positions.SetNumUninitialized(NumBones);
	for (int32 Bone = 0; Bone < NumBones; ++Bone)
	{
		Positions[Bone] = Input.Bases[Bone].GetTranslation() + Scratch.CurvePoints[Bone] -
			QVBendCurve::PointOnLine(Start, End, double(Input.Parameters[Bone]));
	}

	TArray<FQVBendSpread>& Spreads = Scratch.Spreads;
	Spreads.SetNumUninitialized(NumHandles);
	for (int32 Handle = 0; Handle < NumHandles; ++Handle)
	{
		Spreads[Handle] = SpreadOf(Frames.Offsets[Handle]);
	}
	const FQVBendSpread MasterSpread = Input.MasterLocal ? SpreadOf(*Input.MasterLocal) : FQVBendSpread();
	const double InteriorHalfWidth = 1.0 / double(NumHandles - 1);

	TArray<FTransform>& OutPoses = Scratch.Poses;
	OutPoses.SetNumUninitialized(NumBones);
	for (int32 Bone = 0; Bone + 1 < NumBones; ++Bone)
	{
		const double At = Input.Parameters[Bone];
		FTwistAndScale Total;
		for (int32 Handle = 0; Handle < NumHandles; ++Handle)
		{
			const bool bEndpoint = Handle == 0 || Handle == NumHandles - 1;
			const double Weight =
				TentWeight(At, double(Frames.Parameters[Handle]), bEndpoint ? 1.0 : InteriorHalfWidth);
			Total.Accumulate(Spreads[Handle], Weight);
		}
		if (Input.MasterLocal)
		{
			Total.Accumulate(MasterSpread, TentWeight(At, double(Input.MasterParameter), 0.5));
		}
		OutPoses[Bone] = SolveBone(
			Input.Bases[Bone], Input.Bases[Bone + 1], Positions[Bone], Positions[Bone + 1], Total);
	}
	FTransform& Last = OutPoses.Last();
	Last = Input.Bases.Last();
	Last.SetTranslation(Positions.Last());
}
} // namespace QVBendSegmentDeformer
