// Set-driven-key curve evaluation.
#include "QVFaceSDKEvaluator.h"

namespace
{
// Two driver values closer than this are one key position.
constexpr float KeyDistanceThreshold = 1e-8f;
} // namespace

float FQVFaceSDKEvaluator::EvaluateSDKCurve(float DriverValue, const TArray<FQVSDKKey>& Keys)
{
	if (Keys.Num() == 0)
	{
		return 0.f;
	}
	if (Keys.Num() == 1)
	{
		return Keys[0].Y;
	}

	// One pass over unsorted keys; on ties the earlier key stays. A key at the driver value is both lower and upper.
	const FQVSDKKey* Min = nullptr;
	const FQVSDKKey* Max = nullptr;
	const FQVSDKKey* Lower = nullptr;
	const FQVSDKKey* Upper = nullptr;
	for (const FQVSDKKey& Key : Keys)
	{
		if (Min == nullptr || Key.X < Min->X)
		{
			Min = &Key;
		}
		if (Max == nullptr || Key.X > Max->X)
		{
			Max = &Key;
		}
		if (Key.X <= DriverValue && (Lower == nullptr || Key.X > Lower->X))
		{
			Lower = &Key;
		}
		if (Key.X >= DriverValue && (Upper == nullptr || Key.X < Upper->X))
		{
			Upper = &Key;
		}
	}

	if (DriverValue <= Min->X)
	{
		// Continue the first segment: the key right after the first position.
		const FQVSDKKey* Next = nullptr;
		for (const FQVSDKKey& Key : Keys)
		{
			if (Key.X > Min->X && (Next == nullptr || Key.X < Next->X))
			{
				Next = &Key;
			}
		}
		if (Next != nullptr && FMath::Abs(Next->X - Min->X) > KeyDistanceThreshold)
		{
			return ((Next->Y - Min->Y) * (DriverValue - Min->X)) / (Next->X - Min->X) + Min->Y;
		}
		return Min->Y;
	}

	if (DriverValue >= Max->X)
	{
		// Continue the last segment: the key right before the last position.
		const FQVSDKKey* Prev = nullptr;
		for (const FQVSDKKey& Key : Keys)
		{
			if (Key.X < Max->X && (Prev == nullptr || Key.X > Prev->X))
			{
				Prev = &Key;
			}
		}
		if (Prev != nullptr && FMath::Abs(Max->X - Prev->X) > KeyDistanceThreshold)
		{
			return ((Max->Y - Prev->Y) * (DriverValue - Max->X)) / (Max->X - Prev->X) + Max->Y;
		}
		return Max->Y;
	}

	if (Lower == nullptr || Upper == nullptr)
	{
		return 0.f;
	}
	const float Span = Upper->X - Lower->X;
	if (FMath::Abs(Span) > KeyDistanceThreshold)
	{
		return ((DriverValue - Lower->X) / Span) * (Upper->Y - Lower->Y) + Lower->Y;
	}
	return Upper->Y;
}

FQuat QVEvaluateSDKQuaternionCurve(float DriverValue, const TArray<FQVSDKQuaternionKey>& Keys)
{
	// Every key is read normalised and every path normalises its result once more, so a key the first
	// normalisation cannot make unit (a squared length that overflows, an infinite component) still yields a unit
	// rotation: the identity.
	FQuat Result = FQuat::Identity;
	if (Keys.Num() == 1)
	{
		Result = Keys[0].Value.GetNormalized();
	}
	else if (Keys.Num() > 1)
	{
		// The first key at or beyond the driver value closes the segment; outside the keys the end segments are used.
		int32 Closing = 1;
		while (Closing < Keys.Num() - 1 && DriverValue > Keys[Closing].X)
		{
			++Closing;
		}
		const FQVSDKQuaternionKey& A = Keys[Closing - 1];
		const FQVSDKQuaternionKey& B = Keys[Closing];

		Result = B.Value.GetNormalized();
		if (FMath::Abs(B.X - A.X) > KeyDistanceThreshold)
		{
			const float Alpha = (DriverValue - A.X) / (B.X - A.X);
			Result = FQuat::Slerp_NotNormalized(A.Value.GetNormalized(), Result, Alpha).GetNormalized();
		}
	}
	return Result.GetNormalized();
}
