// Accumulating set-driven-key rows and direct-control deltas per target.
#include "QVFaceSDKAccumulation.h"

#include "QVFaceSDKChannels.h"

namespace
{
// Deltas whose components all stay within this are negligible.
constexpr double NegligibleDelta = double(UE_KINDA_SMALL_NUMBER);

bool AnyComponentAbove(const FVector& Vector, double Threshold)
{
	return FMath::Abs(Vector.X) > Threshold || FMath::Abs(Vector.Y) > Threshold || FMath::Abs(Vector.Z) > Threshold;
}

int32 FirstSlot(const FRigElementKey& Key, int32 NumSlots)
{
	return int32(GetTypeHash(Key) & uint32(NumSlots - 1));
}
} // namespace

FQVFaceSDKAccumulation::FQVFaceSDKAccumulation(TArray<FRigElementKey>& InKeys, TArray<FTransform>& InTransforms,
	TArray<FVector>& InRotationDeltas, TArray<FVector>& InWorldTranslationDeltas)
	: Keys(InKeys), Transforms(InTransforms), RotationDeltas(InRotationDeltas),
	  WorldTranslationDeltas(InWorldTranslationDeltas)
{
	Reset();
}

void FQVFaceSDKAccumulation::Reset()
{
	Keys.Reset();
	Transforms.Reset();
	RotationDeltas.Reset();
	WorldTranslationDeltas.Reset();
	for (int32& Slot : Slots)
	{
		Slot = 0;
	}
}

int32 FQVFaceSDKAccumulation::Find(const FRigElementKey& Key) const
{
	for (int32 Slot = FirstSlot(Key, IndexSlots); Slots[Slot] != 0; Slot = (Slot + 1) & (IndexSlots - 1))
	{
		if (Keys[Slots[Slot] - 1] == Key)
		{
			return Slots[Slot] - 1;
		}
	}
	for (int32 Target = MaxIndexedTargets; Target < Keys.Num(); ++Target)
	{
		if (Keys[Target] == Key)
		{
			return Target;
		}
	}
	return INDEX_NONE;
}

int32 FQVFaceSDKAccumulation::Add(const FRigElementKey& Key, const FTransform& InitialLocal, int32 ElementIndex)
{
	const int32 Target = Keys.Add(Key);
	Transforms.Add(InitialLocal);
	RotationDeltas.Add(FVector::ZeroVector);
	WorldTranslationDeltas.Add(FVector::ZeroVector);
	if (Target < MaxIndexedTargets)
	{
		int32 Slot = FirstSlot(Key, IndexSlots);
		while (Slots[Slot] != 0)
		{
			Slot = (Slot + 1) & (IndexSlots - 1);
		}
		Slots[Slot] = Target + 1;
		ElementIndices[Target] = ElementIndex;
	}
	return Target;
}

void FQVFaceSDKAccumulation::ApplyQuaternionRow(
	int32 Target, const FQuat& CurveRotation, float Weight, float Multiplier)
{
	const float Blend = FMath::Clamp(Weight * Multiplier, 0.f, 1.f);
	// The usual full blend needs no slerp: it ends on the curve's rotation, taken on the identity's side of the
	// sphere as the slerp takes it. The slerp itself would scale that rotation by sin(angle) * (1 / sin(angle)),
	// which rounds to 1 or to the number just below 1, so the two can differ in the last bit of a component.
	const FQuat Delta = Blend == 1.f
		? (CurveRotation.W >= 0.0 ? CurveRotation
								  : FQuat(-CurveRotation.X, -CurveRotation.Y, -CurveRotation.Z, -CurveRotation.W))
			  .GetNormalized()
		: FQuat::Slerp_NotNormalized(FQuat::Identity, CurveRotation, double(Blend)).GetNormalized();
	FTransform& Transform = Transforms[Target];
	Transform.SetRotation((Transform.GetRotation() * Delta).GetNormalized());
}

void FQVFaceSDKAccumulation::ApplyAbsoluteRow(
	int32 Target, EQVFaceSDKChannel Channel, const FTransform& InitialLocal, double Output, float Weight)
{
	const double Base = QVFaceSDKChannels::GetTransformChannel(InitialLocal, Channel);
	const double Blend = double(FMath::Clamp(Weight, 0.f, 1.f));
	QVFaceSDKChannels::SetTransformChannel(Transforms[Target], Channel, Base + (Output - Base) * Blend);
}

void FQVFaceSDKAccumulation::ApplyAdditiveRow(
	int32 Target, EQVFaceSDKChannel Channel, EQVFaceSDKTransformSpace Space, double Output, float Weight)
{
	const double Delta = Output * double(AdditiveWeight(Weight));
	if (Space == EQVFaceSDKTransformSpace::World && QVFaceSDKChannels::IsTranslation(Channel))
	{
		WorldTranslationDeltas[Target][int32(Channel) - int32(EQVFaceSDKChannel::TranslationX)] += Delta;
	}
	else if (QVFaceSDKChannels::IsRotationAngle(Channel))
	{
		RotationDeltas[Target][int32(Channel) - int32(EQVFaceSDKChannel::RotationX)] += Delta;
	}
	else
	{
		QVFaceSDKChannels::AddToTransformChannel(Transforms[Target], Channel, Delta);
	}
}

FTransform FQVFaceSDKAccumulation::Resolve(int32 Target, const FQuat& ParentInitialRotation) const
{
	FTransform Result = Transforms[Target];
	if (HasWorldTranslationDelta(Target))
	{
		const FVector LocalDelta = ParentInitialRotation.UnrotateVector(WorldTranslationDeltas[Target]);
		if (AnyComponentAbove(LocalDelta, NegligibleDelta))
		{
			Result.AddToTranslation(LocalDelta);
		}
	}
	const FVector& Angles = RotationDeltas[Target];
	if (AnyComponentAbove(Angles, NegligibleDelta))
	{
		const FQuat Turn = FRotator(Angles.Y, Angles.Z, Angles.X).Quaternion();
		Result.SetRotation((Result.GetRotation() * Turn).GetNormalized());
	}
	return Result;
}

bool FQVFaceSDKAccumulation::HasWorldTranslationDelta(int32 Target) const
{
	return AnyComponentAbove(WorldTranslationDeltas[Target], NegligibleDelta);
}

float FQVFaceSDKAccumulation::AdditiveWeight(float Weight)
{
	return FMath::IsFinite(Weight) ? Weight : FMath::Clamp(Weight, 0.f, 1.f);
}
