// The runner's readable pose table: a summary line, one row per frame with the chosen elements' current transforms
// side by side, rounded to three decimals (followed, with output pins to show, by one line per pin transform), then
// the units' reports one per line.
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
	// One line per transform of the output pins, "graph[i].Pin[k]" then its values in the elements' columns.
	FString FormatPinRows() const;

private:
	// The shown parts of one transform, in the table's columns.
	FString FormatTransform(const FTransform& InTransform) const;
	int32 NumColumnsPerElement() const;

	EQVPoseParts Parts;
};
