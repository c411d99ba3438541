// Simple shapes that show a skeleton in any glTF viewer: an octahedral bone from each bone to each of its child
// bones, a thin stick along every other link, and a small diamond on every element that has no bone to point at.
#pragma once

#include "CoreMinimal.h"
#include "Rigs/RigHierarchyDefines.h"

// Flat-shaded triangles, three vertices each, every vertex following one joint.
struct FQVSkeletonMesh
{
	TArray<FVector3f> Positions;
	TArray<FVector3f> Normals;
	// Linear RGB, by the element type of the joint a shape belongs to.
	TArray<FVector3f> Colors;
	// The joint (index into the joints the mesh was built for) each vertex follows.
	TArray<uint16> Joints;
};

struct FQVSkeletonShapes
{
	// The most joints a mesh can follow: joints are stored as 16-bit indices.
	static constexpr int32 MaxJoints = 65535;

	// Shapes for joints at InPositions (in the mesh's space) of the types InTypes, where InParents holds each
	// joint's parent joint or INDEX_NONE. Sizes follow the rig: a diamond is a tenth of the typical bone length.
	static FQVSkeletonMesh Build(TConstArrayView<FVector> InPositions, TConstArrayView<int32> InParents,
		TConstArrayView<ERigElementType> InTypes);

	static FVector3f GetColor(ERigElementType InType);
};
