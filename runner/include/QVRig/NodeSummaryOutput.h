// `qvrig run --summary`: instead of the frames, what each unit node did over the run, for a person to read: the
// elements it changed, the largest move and turn it gave them, its warnings and its time per frame; then the nodes
// that changed nothing, every report, and the time of a whole frame.
#pragma once

#include "CoreMinimal.h"
#include "QVRig/NodeActivity.h"
#include "QVRig/NodeProfile.h"
#include "QVRig/RunOutput.h"

class FQVRig;

class FQVNodeSummaryOutput : public FQVRunOutput
{
public:
	// InActivity and InProfile are filled while the rig is evaluated and read by WriteEnd.
	FQVNodeSummaryOutput(const FQVRig& InRig, const FQVNodeActivity& InActivity, const FQVNodeProfile& InProfile,
		std::ostream& OutStream);

	virtual void WriteStart(const FQVRunSummary& InSummary) override;
	// Frames are not written.
	virtual void WriteFrame(int32 InFrame) override {}
	virtual void WriteEnd(TConstArrayView<FQVRunReport> InReports) override;

	// "12 bones, 3 nulls", or "nothing".
	FString DescribeChanged(int32 InNode) const;
	// "10.250 cm, bone 'head' @ 30", or "-" when the node moved nothing.
	FString DescribeLargest(const FQVNodeActivity::FLargest& InLargest, const TCHAR* InUnit) const;

private:
	// The node's place and its label, or its unit when it has none.
	FString NameNode(int32 InNode) const;

	const FQVRig& Rig;
	const FQVNodeActivity& Activity;
	const FQVNodeProfile& Profile;
};
