// The face layers' pure helpers: the aim rotation and the aim binding built on it, the proxy edit test and its
// translation conversions, the region pivot move and write order, and the follow helper placement.
#include "FaceSolverTestRig.h"
#include "QVFaceAim.h"
#include "QVFaceFollow.h"
#include "QVFaceProxy.h"
#include "QVFaceRegion.h"

#include <cmath>

namespace
{
const FVector X(1, 0, 0), Y(0, 1, 0), Z(0, 0, 1);

bool HasNaN(const FQuat& Q)
{
	return std::isnan(Q.X) || std::isnan(Q.Y) || std::isnan(Q.Z) || std::isnan(Q.W);
}
} // namespace

TEST(FaceAimRotation, TheFrameKeepsItsXAxisAndFallsBackForParallelOrMissingAxes)
{
	// X exactly along the first vector, the plane vector on the +Y side of the XY plane.
	const FVector First(1, 2, 0.5), Plane(-1, 0.3, 2);
	const FQuat Frame = QVFaceAim::MakeRotationFromXAndPlane(First, Plane);
	EXPECT_TRUE(VectorsNear(Frame.RotateVector(X), First.GetSafeNormal(), 1e-12));
	EXPECT_NEAR(Frame.RotateVector(Z) | Plane, 0.0, 1e-12);
	EXPECT_GT(Frame.RotateVector(Y) | Plane, 0.0);

	// A plane vector along X (either way) is replaced by +Z; with X vertical, by +X.
	EXPECT_TRUE(VectorsNear(QVFaceAim::MakeRotationFromXAndPlane(X, X * -2).RotateVector(Y), Z, 1e-12));
	EXPECT_TRUE(VectorsNear(QVFaceAim::MakeRotationFromXAndPlane(Z * 3, Z).RotateVector(Y), X, 1e-12));
	// A zero X axis gives the identity, not NaN.
	EXPECT_TRUE(QuatsNear(QVFaceAim::MakeRotationFromXAndPlane(FVector::ZeroVector, Y), FQuat::Identity, 0.0));

	// The up axis loses its part along the aim axis; an axis shorter than 1e-4 comes out zero.
	FVector Aim, Up;
	QVFaceAim::NormalizeAxes(FVector(0, 0, 2), FVector(0, 1, 1), Aim, Up);
	EXPECT_TRUE(VectorsNear(Aim, Z, 0.0));
	EXPECT_TRUE(VectorsNear(Up, Y, 1e-15));
	QVFaceAim::NormalizeAxes(FVector(0, 0, 2), FVector(0, 0, -1), Aim, Up);
	EXPECT_TRUE(Up.IsZero());
	QVFaceAim::NormalizeAxes(FVector(0, 0, 9e-5), Y, Aim, Up);
	EXPECT_TRUE(Aim.IsZero());
}

TEST(FaceAimRotation, TurnsTheAimAxisOntoTheDirectionWithUpFallbacks)
{
	// Aim X, up Z towards +Y: a quarter turn about Z.
	FQuat Rotation;
	ASSERT_TRUE(QVFaceAim::ComputeAimRotation(Y, X, Z, FQuat::Identity, Rotation));
	EXPECT_TRUE(QuatsNear(Rotation, AxisAngle(Z, 90.0), 1e-12));

	// Straight up, world up has nothing left: the up axis turned by the reference rotation is used instead.
	ASSERT_TRUE(QVFaceAim::ComputeAimRotation(Z, X, Y, AxisAngle(Z, 90.0), Rotation));
	EXPECT_TRUE(VectorsNear(Rotation.RotateVector(X), Z, 1e-12));
	EXPECT_TRUE(VectorsNear(Rotation.RotateVector(Y), -X, 1e-12));
	// And when that lies along the direction too, +X.
	ASSERT_TRUE(QVFaceAim::ComputeAimRotation(Z, X, Y, AxisAngle(X, 90.0), Rotation));
	EXPECT_TRUE(VectorsNear(Rotation.RotateVector(X), Z, 1e-12));
	EXPECT_TRUE(VectorsNear(Rotation.RotateVector(Y), X, 1e-12));

	// A direction, aim or up axis with every component within 1e-4 of zero fails and leaves the output alone.
	const FQuat Untouched = AxisAngle(Y, 33.0);
	const FVector Tiny(9e-5, -9e-5, 0);
	Rotation = Untouched;
	EXPECT_FALSE(QVFaceAim::ComputeAimRotation(Tiny, X, Z, FQuat::Identity, Rotation));
	EXPECT_FALSE(QVFaceAim::ComputeAimRotation(Y, FVector::ZeroVector, Z, FQuat::Identity, Rotation));
	EXPECT_FALSE(QVFaceAim::ComputeAimRotation(Y, X, Tiny, FQuat::Identity, Rotation));
	EXPECT_TRUE(QuatsNear(Rotation, Untouched, 0.0));
	// The bound is 1e-4 in single precision: 1e-4 itself, just above it, is long enough.
	EXPECT_TRUE(QVFaceAim::ComputeAimRotation(Y, X, FVector(1e-4, 0, 0), FQuat::Identity, Rotation));
}

TEST(FaceAimRotation, TheBindingKeepsTheRestOffsetToTheAim)
{
	const FTransform NullInitial(AxisAngle(X, 30.0), FVector(0, 0, 10));
	const FVector TargetInitial(10, 0, 10);

	// The target where it was at setup: the null keeps its setup rotation.
	EXPECT_TRUE(
		QuatsNear(QVFaceAim::ComputeBindingRotation(X, Z, NullInitial, NullInitial, TargetInitial, TargetInitial),
			NullInitial.GetRotation(), 1e-12));
	// Moved a quarter turn round the null: the null turns with it, keeping its roll of 30 degrees.
	EXPECT_TRUE(
		QuatsNear(QVFaceAim::ComputeBindingRotation(X, Z, NullInitial, NullInitial, TargetInitial, FVector(0, 10, 10)),
			AxisAngle(Z, 90.0) * NullInitial.GetRotation(), 1e-12));
	// The rest pose is where the null is aimed from.
	const FTransform Rest(AxisAngle(Y, 5.0), FVector(0, -10, 10));
	EXPECT_TRUE(
		QuatsNear(QVFaceAim::ComputeBindingRotation(X, Z, Rest, NullInitial, TargetInitial, FVector(10, -10, 10)),
			NullInitial.GetRotation(), 1e-12));

	// A target on the null at setup, or a degenerate axis, gives the rest rotation.
	EXPECT_TRUE(QuatsNear(
		QVFaceAim::ComputeBindingRotation(X, Z, Rest, NullInitial, NullInitial.GetTranslation(), FVector(0, 10, 10)),
		Rest.GetRotation(), 0.0));
	EXPECT_TRUE(QuatsNear(
		QVFaceAim::ComputeBindingRotation(FVector::ZeroVector, Z, Rest, NullInitial, TargetInitial, FVector(0, 10, 10)),
		Rest.GetRotation(), 0.0));
	EXPECT_TRUE(QuatsNear(QVFaceAim::ComputeBindingRotation(X, X, Rest, NullInitial, TargetInitial, FVector(0, 10, 10)),
		Rest.GetRotation(), 0.0));
	// A target straight above falls back on the rest rotation's up axis, and stays finite.
	EXPECT_FALSE(
		HasNaN(QVFaceAim::ComputeBindingRotation(X, Z, NullInitial, NullInitial, TargetInitial, FVector(0, 0, 30))));
}

TEST(FaceProxyHelpers, EditsBeyondTheToleranceCountAndRoundTripsDoNot)
{
	const FTransform Stored(AxisAngle(Z, 20.0), FVector(1, 2, 3), FVector(1, 1, 2));
	EXPECT_FALSE(QVFaceProxy::IsEdited(Stored, Stored));
	const auto Moved = [&Stored](const FVector& Translation, const FQuat& Rotation, const FVector& Scale)
	{ return FTransform(Rotation, Stored.GetTranslation() + Translation, Stored.GetScale3D() + Scale); };
	const FQuat R = Stored.GetRotation();
	EXPECT_FALSE(QVFaceProxy::IsEdited(Moved(FVector(9e-6, -9e-6, 0), R, FVector(0, 0, 9e-6)), Stored));
	EXPECT_TRUE(QVFaceProxy::IsEdited(Moved(FVector(0, 0, 1.1e-5), R, FVector::ZeroVector), Stored));
	EXPECT_TRUE(QVFaceProxy::IsEdited(Moved(FVector::ZeroVector, R, FVector(-1.1e-5, 0, 0)), Stored));
	// The same rotation with the other sign is no edit; a component off by more than 1e-5 is.
	EXPECT_FALSE(
		QVFaceProxy::IsEdited(Moved(FVector::ZeroVector, FQuat(-R.X, -R.Y, -R.Z, -R.W), FVector::ZeroVector), Stored));
	EXPECT_TRUE(QVFaceProxy::IsEdited(
		Moved(FVector::ZeroVector, FQuat(R.X, R.Y, R.Z + 2e-5, R.W), FVector::ZeroVector), Stored));

	// Scale ratio per axis; 1 where the control's parent has no scale.
	const FVector Ratio = QVFaceProxy::ScaleRatio(FVector(2, 2, 2), FVector(1, 4, 0));
	EXPECT_TRUE(VectorsNear(Ratio, FVector(2, 0.5, 1), 0.0));
	const FTransform Proxy(AxisAngle(X, 10.0), FVector(1, 2, 3), FVector(1, 2, 3));
	const FTransform Control = QVFaceProxy::ToControl(Proxy, Ratio);
	EXPECT_TRUE(VectorsNear(Control.GetTranslation(), FVector(2, 1, 3), 0.0));
	EXPECT_TRUE(QuatsNear(Control.GetRotation(), Proxy.GetRotation(), 0.0));
	EXPECT_TRUE(VectorsNear(Control.GetScale3D(), Proxy.GetScale3D(), 0.0));
	EXPECT_TRUE(VectorsNear(QVFaceProxy::ToProxy(Control, Ratio).GetTranslation(), Proxy.GetTranslation(), 1e-15));
	// An axis whose ratio is zero is not divided.
	EXPECT_TRUE(VectorsNear(
		QVFaceProxy::ToProxy(Control, FVector(0, 1, 1e-9)).GetTranslation(), Control.GetTranslation(), 0.0));
}

TEST(FaceRegionHelpers, BonesKeepTheirOffsetToThePivotAndParentsComeFirst)
{
	const FTransform PivotRest(FVector(1, 0, 0));
	const FTransform PivotNow(AxisAngle(Z, 90.0), FVector(1, 0, 0));
	const FTransform Bone(AxisAngle(X, 10.0), FVector(3, 0, 0));
	const FTransform Moved = QVFaceRegion::MoveWithPivot(Bone, PivotRest, PivotNow);
	EXPECT_TRUE(VectorsNear(Moved.GetTranslation(), FVector(1, 2, 0), 1e-12));
	EXPECT_TRUE(QuatsNear(Moved.GetRotation(), AxisAngle(Z, 90.0) * AxisAngle(X, 10.0), 1e-12));

	// Shallowest first; equal depths keep their order.
	const FTransform Any = FTransform::Identity;
	FQVFaceRegionBone Bones[] = {{10, 3, Any}, {11, 1, Any}, {12, 2, Any}, {13, 1, Any}, {14, 0, Any}, {15, 3, Any}};
	QVFaceRegion::SortShallowestFirst(Bones);
	const int32 Expected[] = {14, 11, 13, 12, 10, 15};
	for (int32 Index = 0; Index < 6; ++Index)
	{
		EXPECT_EQ(Bones[Index].Index, Expected[Index]) << Index;
	}
	QVFaceRegion::SortShallowestFirst(TArrayView<FQVFaceRegionBone>());
}

TEST(FaceFollowHelpers, HelpersKeepTheirSetupOffsetToTheBone)
{
	const FTransform FaceInitial(FQuat::Identity, FVector(0, 10, 110), FVector(2, 2, 2));
	const FTransform NullInitial(AxisAngle(Y, 15.0), FVector(3, 12, 108), FVector(1, 1, 1.5));
	const FTransform BoneInitial(AxisAngle(Z, 30.0), FVector(3, 11, 108), FVector(4, 4, 4));

	// At rest the helper is at its setup pose, its translation scaled as asked.
	FTransform Placed =
		QVFaceFollow::PlaceInFaceFrame(NullInitial, 1.0, BoneInitial, BoneInitial, FaceInitial, FaceInitial, true);
	EXPECT_TRUE(VectorsNear(Placed.GetTranslation(), NullInitial.GetTranslation(), 1e-9));
	EXPECT_TRUE(QuatsNear(Placed.GetRotation(), NullInitial.GetRotation(), 1e-12));
	EXPECT_TRUE(VectorsNear(Placed.GetScale3D(), NullInitial.GetScale3D(), 0.0));
	Placed = QVFaceFollow::PlaceInFaceFrame(NullInitial, 2.0, BoneInitial, BoneInitial, FaceInitial, FaceInitial, true);
	EXPECT_TRUE(VectorsNear(Placed.GetTranslation(), NullInitial.GetTranslation() * 2.0, 1e-9));

	// The bone turned and moved in the face's frame, the face moved and scaled: the helper turns about the bone.
	const FTransform FaceNow(AxisAngle(Z, 90.0), FVector(5, 0, 0), FVector(4, 4, 4));
	const FTransform BoneNow = FTransform(AxisAngle(X, 20.0), FVector(0, 1, 0)) * BoneInitial;
	const FTransform BoneInFace = QVFaceFollow::WithUnitScale(BoneNow).GetRelativeTransform(FaceInitial) * FaceNow;
	Placed = QVFaceFollow::PlaceInFaceFrame(NullInitial, 1.0, BoneInitial, BoneInFace, FaceInitial, FaceNow, true);
	const FTransform Offset = NullInitial.GetRelativeTransform(QVFaceFollow::WithUnitScale(BoneInitial));
	const FTransform Expected = Offset * QVFaceFollow::WithUnitScale(BoneNow);
	const FTransform ExpectedInFace = QVFaceFollow::WithUnitScale(Expected).GetRelativeTransform(FaceInitial) * FaceNow;
	EXPECT_TRUE(QuatsNear(Placed.GetRotation(), ExpectedInFace.GetRotation(), 1e-12));
	EXPECT_TRUE(VectorsNear(Placed.GetScale3D(), FVector(2, 2, 3), 1e-15));
	// Without rotation following, only the bone's translation (in the face's frame) is followed.
	Placed = QVFaceFollow::PlaceInFaceFrame(NullInitial, 1.0, BoneInitial,
		FTransform(AxisAngle(X, 40.0), BoneInitial.GetTranslation() + FVector(0, 0, 1)), FaceInitial, FaceInitial,
		false);
	EXPECT_TRUE(QuatsNear(Placed.GetRotation(), NullInitial.GetRotation(), 1e-12));
	EXPECT_TRUE(VectorsNear(Placed.GetTranslation(), NullInitial.GetTranslation() + FVector(0, 0, 1), 1e-9));

	// A face joint with a zero setup scale axis gives that axis a zero scale, not NaN or infinity.
	const FTransform Flat(FQuat::Identity, FVector::ZeroVector, FVector(1, 0, 1));
	Placed = QVFaceFollow::PlaceInFaceFrame(NullInitial, 1.0, BoneInitial, BoneInitial, Flat, Flat, true);
	EXPECT_EQ(Placed.GetScale3D().Y, 0.0);
	EXPECT_FALSE(Placed.ContainsNaN());

	// Without a face joint, the rest pose relative to the bone is carried by the bone, with the rest scale.
	const FTransform Rest(AxisAngle(Y, 15.0), FVector(3, 12, 108), FVector(1, 1, 1.5));
	Placed = QVFaceFollow::PlaceWithoutFaceJoint(Rest, BoneInitial, BoneNow);
	EXPECT_TRUE(VectorsNear(Placed.GetTranslation(),
		(Rest.GetRelativeTransform(QVFaceFollow::WithUnitScale(BoneInitial)) * QVFaceFollow::WithUnitScale(BoneNow))
			.GetTranslation(),
		0.0));
	EXPECT_TRUE(VectorsNear(Placed.GetScale3D(), Rest.GetScale3D(), 0.0));

	// The cancelling offset keeps the value's rotation and scale and negates its translation.
	const FTransform Cancel = QVFaceFollow::CancelValue(FTransform(AxisAngle(Z, 10.0), FVector(1, -2, 3), FVector(2)));
	EXPECT_TRUE(VectorsNear(Cancel.GetTranslation(), FVector(-1, 2, -3), 0.0));
	EXPECT_TRUE(QuatsNear(Cancel.GetRotation(), AxisAngle(Z, 10.0), 0.0));
	EXPECT_TRUE(VectorsNear(Cancel.GetScale3D(), FVector(2), 0.0));
}
