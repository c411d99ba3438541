// Region bone poses and their write order.
#include "QVFaceRegion.h"

FTransform QVFaceRegion::MoveWithPivot(
	const FTransform& BoneGlobal, const FTransform& PivotRest, const FTransform& PivotNow)
{
	return BoneGlobal.GetRelativeTransform(PivotRest) * PivotNow;
}

void QVFaceRegion::SortShallowestFirst(TArrayView<FQVFaceRegionBone> Bones)
{
	for (int32 Sorted = 1; Sorted < Bones.Num(); ++Sorted)
	{
		FQVFaceRegionBone Bone = Bones[Sorted];
		int32 Slot = Sorted;
		for (; Slot > 0 && Bones[Slot - 1].Depth > Bone.Depth; --Slot)
		{
			Bones[Slot] = Bones[Slot - 1];
		}
		Bones[Slot] = MoveTemp(Bone);
	}
}
