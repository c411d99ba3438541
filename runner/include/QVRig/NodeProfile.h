// Time per frame of each unit node, and of whole frames, measured while a rig is evaluated (`qvrig run --profile`).
#pragma once

#include "CoreMinimal.h"

#include <chrono>
#include <ostream>

class FQVRig;

class FQVNodeProfile
{
public:
	using FClock = std::chrono::steady_clock;

	// The mean, median and worst of a set of times, in seconds.
	struct FSummary
	{
		double Mean = 0.0;
		double Median = 0.0;
		double Worst = 0.0;
	};

	explicit FQVNodeProfile(int32 InNumNodes);

	void AddNodeTime(int32 InNode, FClock::duration InTime);
	// A whole frame: the pose brought to the frame's start, the tracks and every node.
	void AddFrameTime(FClock::duration InTime);

	int32 GetNumFrames() const { return FrameTimes.Num(); }
	FSummary SummarizeNode(int32 InNode) const;
	FSummary SummarizeFrames() const;

	// A table: one line per node of InRig (its place in the graph, unit and label) and one for whole frames, with
	// the mean, median and worst time per frame in microseconds.
	void Write(const FQVRig& InRig, std::ostream& OutStream) const;

	static FSummary Summarize(TArray<double> InSeconds);

private:
	TArray<TArray<double>> NodeTimes;
	TArray<double> FrameTimes;
};
