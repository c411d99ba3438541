// The reverse foot roll's arithmetic.
#include "QVFootRoll.h"

FQVFootRollAngles QVFootRoll::ComputeRollAngles(float Roll, float RollStartAngle, float RollEndAngle)
{
	const float Start = FMath::Max(RollStartAngle, 0.001f);
	const float End = FMath::Max(Start + 0.001f, RollEndAngle);
	float ToeBlend = (Roll - Start) / (End - Start);
	ToeBlend = FMath::Min(ToeBlend, 1.f);
	ToeBlend = FMath::Max(ToeBlend, 0.f);
	float BallRamp = Roll / Start;
	BallRamp = FMath::Min(BallRamp, 1.f);
	BallRamp = FMath::Max(BallRamp, 0.f);

	FQVFootRollAngles Angles;
	Angles.Heel = -FMath::Min(Roll, 0.f);
	Angles.Ball = BallRamp * Roll * (ToeBlend - 1.f);
	Angles.ToeTip = -(ToeBlend * Roll);
	return Angles;
}

float QVFootRoll::ComputeRockAngle(float Rock, float Min, float Max, float Multiplier)
{
	return -(FMath::Max(FMath::Min(Rock, Max), Min) * Multiplier);
}

double QVFootRoll::RollHalfAngle(float AngleDegrees)
{
	return double(AngleDegrees * 0.008726646f);
}

double QVFootRoll::RockHalfAngle(float AngleDegrees)
{
	return double(AngleDegrees * 0.017453292f) * 0.5;
}

FTransform QVFootRoll::TurnAboutSetupAxis(const FTransform& Setup, const FVector& Axis, double HalfAngle)
{
	const double Sine = FMath::Sin(HalfAngle);
	const FQuat Delta(Axis.X * Sine, Axis.Y * Sine, Axis.Z * Sine, FMath::Cos(HalfAngle));
	FQuat Rotation = Setup.GetRotation() * Delta;
	Rotation.Normalize();
	return FTransform(Rotation, Setup.GetTranslation(), Setup.GetScale3D());
}
