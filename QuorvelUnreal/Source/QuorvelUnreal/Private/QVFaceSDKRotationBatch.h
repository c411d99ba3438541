// Quaternion curves of set-driven-key rows, evaluated ahead of their rows a batch at a time.
#pragma once

#include "CoreMinimal.h"
#include "QVFaceSDKTypes.h"

// A quaternion curve is a long chain of dependent square roots and trigonometry. Evaluated back to back, the curves of
// many rows overlap in the processor; evaluated one row at a time, between the rows' other work, they hardly do. So
// the rotations of a batch of rows are evaluated first, in row order, and taken in the same order as the rows are
// applied. The batch lives on the stack and holds at most Capacity rotations; rows past that evaluate their own.
class FQVFaceSDKRotationBatch
{
public:
	static constexpr int32 Capacity = 64;
	// How many drivers are read ahead together: their quaternion rows mostly fit in Capacity.
	static constexpr int32 DriversPerBatch = 32;

	// Forgets every rotation.
	void Reset()
	{
		NumRotations = 0;
		NumTaken = 0;
	}

	// Evaluates the curves of the quaternion rows among Channels at DriverValue, in order, while there is room.
	void AddRows(const TArray<FQVDrivenSDKChannel>& Channels, float DriverValue);

	// For the next quaternion row in the order AddRows met them: its rotation, or null when the batch ran out of room
	// before that row.
	const FQuat* TakeNext() { return NumTaken < NumRotations ? &Rotations[NumTaken++] : nullptr; }

private:
	FQuat Rotations[Capacity];
	int32 NumRotations = 0;
	int32 NumTaken = 0;
};
