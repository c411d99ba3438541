// Skeleton shapes: octahedral bones, link sticks and joint diamonds, as flat-shaded triangles.
#include "QVRig/SkeletonShapes.h"

#include <algorithm>

namespace
{
// Where the widest part of a bone sits along it, and how wide it is, as fractions of its length.
constexpr double BoneWaist = 0.12;
constexpr double BoneWidth = 0.08;
// A stick between elements that are not both bones.
constexpr double StickWidth = 0.03;
// A diamond's radius, as a fraction of the typical link length.
constexpr double DiamondSize = 0.1;
// The typical link length when there are no links: a fiftieth of the rig's extent, or this when it has none.
constexpr double DefaultLinkLength = 0.1;

class FMeshBuilder
{
public:
	explicit FMeshBuilder(FQVSkeletonMesh& OutMesh) : Mesh(OutMesh) {}

	// A triangle of a convex shape around InCentre, wound and lit to face away from it.
	void AddTriangle(
		FVector InA, FVector InB, FVector InC, const FVector& InCentre, int32 InJoint, ERigElementType InType)
	{
		// Normalised by hand: shapes in metres are small enough for GetSafeNormal's threshold to zero them.
		const FVector Cross = FVector::CrossProduct(InB - InA, InC - InA);
		FVector Normal = Cross / Cross.Size();
		if (FVector::DotProduct(Normal, (InA + InB + InC) / 3.0 - InCentre) < 0.0)
		{
			Swap(InB, InC);
			Normal = -Normal;
		}
		for (const FVector& Vertex : {InA, InB, InC})
		{
			Mesh.Positions.Add(FVector3f(Vertex));
			Mesh.Normals.Add(FVector3f(Normal));
			Mesh.Colors.Add(FQVSkeletonShapes::GetColor(InType));
			Mesh.Joints.Add(static_cast<uint16>(InJoint));
		}
	}

	// Two pyramids on a square waist: from InFrom to InTo, InWidth of its length wide.
	void AddOctahedron(
		const FVector& InFrom, const FVector& InTo, double InWidth, int32 InJoint, ERigElementType InType)
	{
		const FVector Along = InTo - InFrom;
		const double Length = Along.Size();
		const FVector Direction = Along / Length;
		// A side direction: across the axis the direction is least aligned with.
		const FVector Absolute = Direction.GetAbs();
		const FVector Reference = Absolute.X <= Absolute.Y && Absolute.X <= Absolute.Z ? FVector(1, 0, 0)
			: Absolute.Y <= Absolute.Z                                                 ? FVector(0, 1, 0)
																					   : FVector(0, 0, 1);
		const FVector Across = FVector::CrossProduct(Direction, Reference);
		const FVector Side = Across * (InWidth * Length / Across.Size());
		const FVector Up = FVector::CrossProduct(Direction, Side);
		const FVector Waist = InFrom + Along * BoneWaist;
		const FVector Ring[4] = {Waist + Side, Waist + Up, Waist - Side, Waist - Up};
		const FVector Centre = Waist;
		for (int32 Corner = 0; Corner < 4; ++Corner)
		{
			const FVector& Next = Ring[(Corner + 1) % 4];
			AddTriangle(InFrom, Ring[Corner], Next, Centre, InJoint, InType);
			AddTriangle(InTo, Ring[Corner], Next, Centre, InJoint, InType);
		}
	}

	// A diamond of radius InRadius around InCentre: an octahedron with its corners on the axes.
	void AddDiamond(const FVector& InCentre, double InRadius, int32 InJoint, ERigElementType InType)
	{
		const FVector Corners[6] = {InCentre + FVector(InRadius, 0, 0), InCentre + FVector(0, InRadius, 0),
			InCentre - FVector(InRadius, 0, 0), InCentre - FVector(0, InRadius, 0), InCentre + FVector(0, 0, InRadius),
			InCentre - FVector(0, 0, InRadius)};
		for (int32 Corner = 0; Corner < 4; ++Corner)
		{
			const FVector& Next = Corners[(Corner + 1) % 4];
			AddTriangle(Corners[4], Corners[Corner], Next, InCentre, InJoint, InType);
			AddTriangle(Corners[5], Corners[Corner], Next, InCentre, InJoint, InType);
		}
	}

private:
	FQVSkeletonMesh& Mesh;
};

// Links shorter than this (in the mesh's units) draw nothing: the joints coincide.
constexpr double MinLinkLength = 1e-6;

double TypicalLinkLength(TConstArrayView<FVector> InPositions, TConstArrayView<int32> InParents)
{
	TArray<double> Lengths;
	FVector Min(UE_BIG_NUMBER);
	FVector Max(-UE_BIG_NUMBER);
	for (int32 Joint = 0; Joint < InPositions.Num(); ++Joint)
	{
		Min = Min.ComponentMin(InPositions[Joint]);
		Max = Max.ComponentMax(InPositions[Joint]);
		if (InParents[Joint] != INDEX_NONE)
		{
			const double Length = FVector::Dist(InPositions[Joint], InPositions[InParents[Joint]]);
			if (Length > MinLinkLength)
			{
				Lengths.Add(Length);
			}
		}
	}
	if (!Lengths.IsEmpty())
	{
		std::nth_element(Lengths.begin(), Lengths.begin() + Lengths.Num() / 2, Lengths.end());
		return Lengths[Lengths.Num() / 2];
	}
	const double Extent = InPositions.IsEmpty() ? 0.0 : (Max - Min).Size();
	return Extent > MinLinkLength ? Extent / 50.0 : DefaultLinkLength;
}
} // namespace

FVector3f FQVSkeletonShapes::GetColor(ERigElementType InType)
{
	switch (InType)
	{
		case ERigElementType::Bone:
			return FVector3f(0.30f, 0.50f, 0.95f);
		case ERigElementType::Null:
			return FVector3f(0.95f, 0.55f, 0.12f);
		default:
			return FVector3f(0.25f, 0.80f, 0.35f);
	}
}

FQVSkeletonMesh FQVSkeletonShapes::Build(
	TConstArrayView<FVector> InPositions, TConstArrayView<int32> InParents, TConstArrayView<ERigElementType> InTypes)
{
	checkf(InPositions.Num() <= MaxJoints, TEXT("%d joints"), InPositions.Num());
	FQVSkeletonMesh Mesh;
	FMeshBuilder Builder(Mesh);
	const double DiamondRadius = DiamondSize * TypicalLinkLength(InPositions, InParents);

	TArray<bool> bPointsAtBone;
	bPointsAtBone.Init(false, InPositions.Num());
	for (int32 Joint = 0; Joint < InPositions.Num(); ++Joint)
	{
		const int32 Parent = InParents[Joint];
		if (Parent == INDEX_NONE || FVector::Dist(InPositions[Joint], InPositions[Parent]) <= MinLinkLength)
		{
			continue;
		}
		// The shape of a link belongs to the parent: it moves as the parent turns.
		const bool bBoneLink = InTypes[Parent] == ERigElementType::Bone && InTypes[Joint] == ERigElementType::Bone;
		Builder.AddOctahedron(
			InPositions[Parent], InPositions[Joint], bBoneLink ? BoneWidth : StickWidth, Parent, InTypes[Parent]);
		bPointsAtBone[Parent] = bPointsAtBone[Parent] || bBoneLink;
	}
	for (int32 Joint = 0; Joint < InPositions.Num(); ++Joint)
	{
		if (!bPointsAtBone[Joint])
		{
			Builder.AddDiamond(InPositions[Joint], DiamondRadius, Joint, InTypes[Joint]);
		}
	}
	return Mesh;
}
