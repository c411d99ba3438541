// The engine's space against right-handed Y-up and Z-up spaces, and Maya's Euler rotate orders, checked against
// rotations worked out by hand.
#include "QVRig/AxisConversion.h"
#include "QVRig/MayaRotation.h"
#include "RunnerTestUtils.h"

#include <random>

namespace
{
FQuat RandomRotation(std::mt19937& InRandom)
{
	std::normal_distribution<double> Normal;
	return FQuat(Normal(InRandom), Normal(InRandom), Normal(InRandom), Normal(InRandom)).GetNormalized();
}

FVector RandomVector(std::mt19937& InRandom)
{
	std::uniform_real_distribution<double> Uniform(-100.0, 100.0);
	return FVector(Uniform(InRandom), Uniform(InRandom), Uniform(InRandom));
}
} // namespace

TEST(AxisConversion, MapsEngineTransformsToYUpAndZUpSpacesAndBack)
{
	FQVAxisConversion Gltf;
	Gltf.UnitInCentimetres = 100.0;
	// Engine forward, right, up (X, Y, Z) are glTF X, Z, Y; centimetres become metres.
	EXPECT_TRUE(VectorsNear(Gltf.ToOther(FTransform(FVector(100, 200, 300))).GetTranslation(), FVector(1, 3, 2)));
	// Turning 90 degrees to the right (about engine Z, forward to right) is, in glTF, turning forward (X) to glTF Z:
	// a turn of -90 degrees about glTF's Y.
	const FQuat Right(FVector(0, 0, 1), UE_DOUBLE_HALF_PI);
	const FQuat GltfRight = Gltf.ToOther(FTransform(Right)).GetRotation();
	EXPECT_TRUE(QuatsNear(GltfRight, FQuat(FVector(0, 1, 0), -UE_DOUBLE_HALF_PI)));
	EXPECT_TRUE(VectorsNear(GltfRight.RotateVector(FVector(1, 0, 0)), FVector(0, 0, 1)));
	// Scales follow the axes they scale.
	EXPECT_TRUE(
		VectorsNear(Gltf.ToOther(FTransform(FQuat::Identity, FVector::ZeroVector, FVector(1, 2, 3))).GetScale3D(),
			FVector(1, 3, 2)));

	FQVAxisConversion MayaZUp;
	MayaZUp.UpAxis = EQVUpAxis::Z;
	// Z up on both sides; the engine's Y (right) is the right-handed space's -Y.
	EXPECT_TRUE(VectorsNear(MayaZUp.ToOther(FTransform(FVector(1, 2, 3))).GetTranslation(), FVector(1, -2, 3)));
	EXPECT_TRUE(VectorsNear(
		MayaZUp.ToOther(FTransform(Right)).GetRotation().RotateVector(FVector(1, 0, 0)), FVector(0, -1, 0)));

	// The mapping is a change of basis: it carries composition, points and round trips over, for any rotation.
	std::mt19937 Random(7);
	for (const FQVAxisConversion& Axes : {Gltf, MayaZUp})
	{
		for (int32 Trial = 0; Trial < 50; ++Trial)
		{
			const FTransform A(RandomRotation(Random), RandomVector(Random), FVector(1.5));
			const FTransform B(RandomRotation(Random), RandomVector(Random), FVector(0.5));
			const FVector Point = RandomVector(Random);
			const FTransform Composed = Axes.ToOther(A * B);
			const FTransform Apart = Axes.ToOther(A) * Axes.ToOther(B);
			EXPECT_TRUE(VectorsNear(Composed.GetTranslation(), Apart.GetTranslation(), 1e-9));
			EXPECT_TRUE(QuatsNear(Composed.GetRotation(), Apart.GetRotation(), 1e-9));
			EXPECT_TRUE(VectorsNear(Axes.ToOther(A).TransformPosition(Axes.SwapAxes(Point) / Axes.UnitInCentimetres),
				Axes.SwapAxes(A.TransformPosition(Point)) / Axes.UnitInCentimetres, 1e-9));
			const FTransform Back = Axes.ToEngine(Axes.ToOther(A));
			EXPECT_TRUE(VectorsNear(Back.GetTranslation(), A.GetTranslation(), 1e-9));
			EXPECT_TRUE(QuatsNear(Back.GetRotation(), A.GetRotation(), 1e-12));
		}
	}
}

TEST(MayaRotation, AppliesTheAnglesInTheRotateOrderAboutFixedAxes)
{
	// Maya's positive angles turn counter-clockwise seen from the axis' tip: X turns Y to Z.
	EXPECT_TRUE(
		VectorsNear(FQVMayaRotation::ToQuat(FVector(90, 0, 0), EQVRotateOrder::XYZ).RotateVector(FVector(0, 1, 0)),
			FVector(0, 0, 1)));
	EXPECT_TRUE(
		VectorsNear(FQVMayaRotation::ToQuat(FVector(0, 90, 0), EQVRotateOrder::XYZ).RotateVector(FVector(0, 0, 1)),
			FVector(1, 0, 0)));
	// xyz turns about X first: Y goes to Z, which the turn about Y then takes to X. yxz turns about Y first, which
	// leaves Y where it is, and X then takes it to Z.
	EXPECT_TRUE(
		VectorsNear(FQVMayaRotation::ToQuat(FVector(90, 90, 0), EQVRotateOrder::XYZ).RotateVector(FVector(0, 1, 0)),
			FVector(1, 0, 0)));
	EXPECT_TRUE(
		VectorsNear(FQVMayaRotation::ToQuat(FVector(90, 90, 0), EQVRotateOrder::YXZ).RotateVector(FVector(0, 1, 0)),
			FVector(0, 0, 1)));
	// zyx: Z first (X to Y), then Y (Y stays), then X (Y to Z).
	EXPECT_TRUE(
		VectorsNear(FQVMayaRotation::ToQuat(FVector(90, 90, 90), EQVRotateOrder::ZYX).RotateVector(FVector(1, 0, 0)),
			FVector(0, 0, 1)));
	EXPECT_EQ(FQVMayaRotation::GetOrderNames()[static_cast<int32>(EQVRotateOrder::ZXY)], TEXT("zxy"));

	// Angles in the order xyz that give back the same rotation, gimbal lock included.
	std::mt19937 Random(11);
	TArray<FQuat> Rotations = {FQuat::Identity, FQVMayaRotation::ToQuat(FVector(30, 90, -20), EQVRotateOrder::XYZ),
		FQVMayaRotation::ToQuat(FVector(-45, -90, 10), EQVRotateOrder::XYZ)};
	for (int32 Trial = 0; Trial < 50; ++Trial)
	{
		Rotations.Add(RandomRotation(Random));
	}
	for (const FQuat& Rotation : Rotations)
	{
		const FVector Angles = FQVMayaRotation::ToEulerXYZ(Rotation);
		EXPECT_LE(FMath::Abs(Angles.Y), 90.0);
		EXPECT_TRUE(QuatsNear(FQVMayaRotation::ToQuat(Angles, EQVRotateOrder::XYZ), Rotation, 1e-9));
	}
	EXPECT_TRUE(
		VectorsNear(FQVMayaRotation::ToEulerXYZ(FQVMayaRotation::ToQuat(FVector(10, 20, 30), EQVRotateOrder::XYZ)),
			FVector(10, 20, 30), 1e-9));
}
