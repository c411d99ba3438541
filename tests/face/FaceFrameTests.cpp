// The face frame: the face scale, its floor where phases divide, the control box carried by the face joint, and
// translation outputs in parent units.
#include "FaceSolverTestRig.h"
#include "QVFaceFrame.h"

#include <limits>

TEST(FaceFrame, FaceScaleComesFromTheScalerOrTheFaceJointsSetupScale)
{
	const FTransform Unscaled = FTransform::Identity;
	const FTransform Doubled(FQuat::Identity, FVector(4, 5, 6), FVector(2, 2, 2));
	// A scaler of 1 defers to the face joint: the mean absolute scale, so a mirrored axis counts as positive.
	EXPECT_DOUBLE_EQ(QVFaceFrame::ComputeFaceScale(1.f, Doubled), 2.0);
	EXPECT_DOUBLE_EQ(
		QVFaceFrame::ComputeFaceScale(1.f, FTransform(FQuat::Identity, FVector::ZeroVector, FVector(-1, 2, 3))), 2.0);
	EXPECT_DOUBLE_EQ(QVFaceFrame::ComputeFaceScale(1.f, Unscaled), 1.0);
	// Any other scaler wins whatever the joint's scale; below zero it is 0, and so is NaN.
	EXPECT_DOUBLE_EQ(QVFaceFrame::ComputeFaceScale(3.f, Doubled), 3.0);
	EXPECT_DOUBLE_EQ(QVFaceFrame::ComputeFaceScale(0.5f, Unscaled), 0.5);
	EXPECT_DOUBLE_EQ(QVFaceFrame::ComputeFaceScale(-1.f, Doubled), 0.0);
	EXPECT_DOUBLE_EQ(QVFaceFrame::ComputeFaceScale(std::numeric_limits<float>::quiet_NaN(), Doubled), 0.0);
	// A joint whose scale is NaN leaves the scale at 1 rather than passing NaN on.
	const double NaN = std::numeric_limits<double>::quiet_NaN();
	EXPECT_DOUBLE_EQ(
		QVFaceFrame::ComputeFaceScale(1.f, FTransform(FQuat::Identity, FVector::ZeroVector, FVector(NaN, 1, 1))), 1.0);

	// Phases that divide raise it to the single-precision 1e-8.
	EXPECT_EQ(QVFaceFrame::FaceScaleDivisor(0.0), double(1e-8f));
	EXPECT_EQ(QVFaceFrame::FaceScaleDivisor(2.0), 2.0);
}

TEST(FaceFrame, ControlBoxKeepsItsSetupOffsetToTheFaceJointAndScalesWithTheFace)
{
	const FTransform BoxInitial(FQuat::Identity, FVector(0, 0, 10), FVector(1, 1, 1));
	const FTransform JointInitial(FQuat::Identity, FVector(0, 0, 5), FVector(1, 1, 1));
	// The joint has turned 90 degrees about Z, moved and doubled in size.
	const FQuat Turn = AxisAngle(FVector(0, 0, 1), 90.0);
	const FTransform JointCurrent(Turn, FVector(1, 2, 3), FVector(2, 2, 2));

	const FTransform Box = QVFaceFrame::CarryControlBox(BoxInitial, JointInitial, JointCurrent, 1.5);
	// The offset (0, 0, 5) in the joint's frame, doubled by the joint's scale, lies along the turned Z axis.
	EXPECT_TRUE(VectorsNear(Box.GetTranslation(), FVector(1, 2, 13)));
	EXPECT_TRUE(QuatsNear(Box.GetRotation(), Turn));
	// Setup scale 1 * face scale 1.5 * joint current 2 / joint setup 1.
	EXPECT_TRUE(VectorsNear(Box.GetScale3D(), FVector(3, 3, 3)));

	// An axis on which the joint's setup scale is zero gives the box no scale there.
	const FTransform FlatJoint(FQuat::Identity, FVector(0, 0, 5), FVector(1, 1, 0));
	const FTransform Flat = QVFaceFrame::CarryControlBox(BoxInitial, FlatJoint, FlatJoint, 1.0);
	EXPECT_TRUE(VectorsNear(Flat.GetScale3D(), FVector(1, 1, 0)));
}

TEST(FaceFrame, TranslationOutputsGrowWithTheFaceAndShrinkWithTheParentsScale)
{
	const auto Parent = [](const FVector& Scale) { return FTransform(FQuat::Identity, FVector(1, 2, 3), Scale); };
	EXPECT_DOUBLE_EQ(QVFaceFrame::ScaleTranslationOutput(0.5, 1.0, Parent(FVector(1, 1, 1))), 0.5);
	EXPECT_DOUBLE_EQ(QVFaceFrame::ScaleTranslationOutput(0.5, 2.0, Parent(FVector(2, -2, 2))), 0.5);
	EXPECT_DOUBLE_EQ(QVFaceFrame::ScaleTranslationOutput(0.5, 3.0, Parent(FVector(1, 1, 1))), 1.5);
	// A parent without scale divides by 1e-8, not by zero.
	EXPECT_DOUBLE_EQ(QVFaceFrame::ScaleTranslationOutput(1.0, 1.0, Parent(FVector::ZeroVector)), 1.0 / double(1e-8f));
}
