// Collecting and summarising node times.
#include "QVRig/NodeProfile.h"

#include "QVRig/Rig.h"
#include "QVRig/RigNode.h"

#include <algorithm>

namespace
{
double ToSeconds(FQVNodeProfile::FClock::duration InTime)
{
	return std::chrono::duration<double>(InTime).count();
}

FString FormatRow(const FString& InName, const FQVNodeProfile::FSummary& InSummary)
{
	return FString::Printf(TEXT("%-48s %10.3f %10.3f %10.3f\n"), *InName, InSummary.Mean * 1e6, InSummary.Median * 1e6,
		InSummary.Worst * 1e6);
}
} // namespace

FQVNodeProfile::FQVNodeProfile(int32 InNumNodes)
{
	NodeTimes.SetNum(InNumNodes);
}

void FQVNodeProfile::AddNodeTime(int32 InNode, FClock::duration InTime)
{
	NodeTimes[InNode].Add(ToSeconds(InTime));
}

void FQVNodeProfile::AddFrameTime(FClock::duration InTime)
{
	FrameTimes.Add(ToSeconds(InTime));
}

FQVNodeProfile::FSummary FQVNodeProfile::SummarizeNode(int32 InNode) const
{
	return Summarize(NodeTimes[InNode]);
}

FQVNodeProfile::FSummary FQVNodeProfile::SummarizeFrames() const
{
	return Summarize(FrameTimes);
}

FQVNodeProfile::FSummary FQVNodeProfile::Summarize(TArray<double> InSeconds)
{
	FSummary Summary;
	if (InSeconds.IsEmpty())
	{
		return Summary;
	}
	std::sort(InSeconds.begin(), InSeconds.end());
	double Total = 0.0;
	for (const double Seconds : InSeconds)
	{
		Total += Seconds;
	}
	const int32 Count = InSeconds.Num();
	Summary.Mean = Total / Count;
	Summary.Median = Count % 2 == 1 ? InSeconds[Count / 2] : 0.5 * (InSeconds[Count / 2 - 1] + InSeconds[Count / 2]);
	Summary.Worst = InSeconds.Last();
	return Summary;
}

void FQVNodeProfile::Write(const FQVRig& InRig, std::ostream& OutStream) const
{
	OutStream << *FString::Printf(TEXT("profile: time per frame in microseconds over %d frame%s\n"), GetNumFrames(),
		GetNumFrames() == 1 ? TEXT("") : TEXT("s"));
	OutStream << *FString::Printf(
		TEXT("%-48s %10s %10s %10s\n"), TEXT("node"), TEXT("mean"), TEXT("median"), TEXT("worst"));
	const TArray<TUniquePtr<FQVRigNode>>& Nodes = InRig.GetNodes();
	for (int32 Node = 0; Node < NodeTimes.Num(); ++Node)
	{
		OutStream << *FormatRow(Nodes[Node]->Describe(Node), SummarizeNode(Node));
	}
	OutStream << *FormatRow(TEXT("whole frame (frame start, tracks, every node)"), SummarizeFrames());
}
