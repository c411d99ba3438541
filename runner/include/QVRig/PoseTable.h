// The runner's readable pose table: a summary line, one row per frame with the chosen elements' current transforms
// side by side, rounded to three decimals, then the units' reports one per line.
#pragma once

#include "CoreMinimal.h"
#include "QVRig/RunOutput.h"

// Which parts of each transform the table shows.
enum class EQVPoseParts : uint8
{
	Rotation,
	Translation,
	Scale,
	All
};

class FQVPoseTable : public FQVRunOutput
{
public:
	FQVPoseTable(const URigHierarchy& InHierarchy, TArray<FRigElementKey> InElements, EQVPoseSpace InSpace,
		EQVPoseParts InParts, std::ostream& OutStream);

	virtual void WriteStart(const FQVRunSummary& InSummary) override;
	virtual void WriteFrame(int32 InFrame) override;
	virtual void WriteEnd(TConstArrayView<FQVRunReport> InReports) override;

	// Two lines: element names over their column groups, then the column names. Rotations are pitch, yaw and
	// roll in degrees; translations and scales x, y and z.
	FString FormatHeader() const;
	// The current pose of the elements, labelled with InFrame.
	FString FormatRow(int32 InFrame) const;

private:
	int32 NumColumnsPerElement() const;

	EQVPoseParts Parts;
};
