// The per-node summary of a run.
#include "QVRig/NodeSummaryOutput.h"

#include "QVRig/ElementNames.h"
#include "QVRig/Rig.h"
#include "QVRig/RigNode.h"
#include "UObject/Class.h"

namespace
{
const TCHAR* Plural(int32 InCount)
{
	return InCount == 1 ? TEXT("") : TEXT("s");
}

FString PadRight(const FString& InText, int32 InWidth)
{
	return InText.Len() >= InWidth ? InText : InText + FString::ChrN(InWidth - InText.Len(), TEXT(' '));
}

bool IsWarningOrError(const FQVRunReport& InReport)
{
	return InReport.Severity != EMessageSeverity::Info;
}
} // namespace

FQVNodeSummaryOutput::FQVNodeSummaryOutput(
	const FQVRig& InRig, const FQVNodeActivity& InActivity, const FQVNodeProfile& InProfile, std::ostream& OutStream)
	: FQVRunOutput(InRig.GetHierarchy(), {}, EQVPoseSpace::Global, OutStream), Rig(InRig), Activity(InActivity),
	  Profile(InProfile)
{
}

void FQVNodeSummaryOutput::WriteStart(const FQVRunSummary& InSummary)
{
	Stream << *InSummary.DescribeRun() << (InSummary.bResetPose ? ", pose reset every frame" : "") << "\n";
}

FString FQVNodeSummaryOutput::NameNode(int32 InNode) const
{
	const FQVRigNode& Node = *Rig.GetNodes()[InNode];
	return FString::Printf(
		TEXT("graph[%d] %s"), InNode, Node.GetLabel().IsEmpty() ? *Node.GetStruct()->GetName() : *Node.GetLabel());
}

FString FQVNodeSummaryOutput::DescribeChanged(int32 InNode) const
{
	const ERigElementType Types[] = {ERigElementType::Bone, ERigElementType::Null, ERigElementType::Control};
	const TCHAR* const Words[] = {TEXT("bone"), TEXT("null"), TEXT("control")};
	FString Text;
	for (int32 TypeIndex = 0; TypeIndex < 3; ++TypeIndex)
	{
		int32 Count = 0;
		for (const int32 Element : Activity.GetNode(InNode).ChangedElements)
		{
			Count += Hierarchy.GetKey(Element).Type == Types[TypeIndex] ? 1 : 0;
		}
		if (Count > 0)
		{
			Text += FString::Printf(
				TEXT("%s%d %s%s"), Text.IsEmpty() ? TEXT("") : TEXT(", "), Count, Words[TypeIndex], Plural(Count));
		}
	}
	return Text.IsEmpty() ? FString(TEXT("nothing")) : Text;
}

FString FQVNodeSummaryOutput::DescribeLargest(const FQVNodeActivity::FLargest& InLargest, const TCHAR* InUnit) const
{
	if (InLargest.Element == INDEX_NONE)
	{
		return TEXT("-");
	}
	return FString::Printf(TEXT("%.3f %s, %s @ %d"), InLargest.Amount, InUnit,
		*FQVElementNames::Describe(Hierarchy.GetKey(InLargest.Element)), InLargest.Frame);
}

void FQVNodeSummaryOutput::WriteEnd(TConstArrayView<FQVRunReport> InReports)
{
	const int32 NumNodes = Activity.GetNumNodes();
	struct FRow
	{
		FString Cells[6];
	};
	TArray<FRow> Rows;
	Rows.Add({{TEXT("node"), TEXT("changed"), TEXT("largest move"), TEXT("largest turn"), TEXT("warnings"),
		TEXT("us/frame")}});
	TArray<FString> Idle;
	for (int32 Node = 0; Node < NumNodes; ++Node)
	{
		int32 NumWarnings = 0;
		for (const FQVRunReport& Report : InReports)
		{
			NumWarnings += Report.NodeIndex == Node && IsWarningOrError(Report) ? 1 : 0;
		}
		const FQVNodeActivity::FNodeRecord& Record = Activity.GetNode(Node);
		Rows.Add({{NameNode(Node), DescribeChanged(Node), DescribeLargest(Record.Translation, TEXT("cm")),
			DescribeLargest(Record.Rotation, TEXT("deg")), FString::Printf(TEXT("%d"), NumWarnings),
			FString::Printf(TEXT("%.2f"), Profile.SummarizeNode(Node).Mean * 1e6)}});
		if (Record.ChangedElements.IsEmpty())
		{
			Idle.Add(NameNode(Node));
		}
	}

	int32 Widths[6] = {};
	for (const FRow& Row : Rows)
	{
		for (int32 Column = 0; Column < 6; ++Column)
		{
			Widths[Column] = FMath::Max(Widths[Column], Row.Cells[Column].Len());
		}
	}
	for (const FRow& Row : Rows)
	{
		FString Line;
		for (int32 Column = 0; Column < 4; ++Column)
		{
			Line += PadRight(Row.Cells[Column], Widths[Column] + 2);
		}
		// Counts and times line up on the right.
		Line += FString::Printf(TEXT("%*s  %*s"), Widths[4], *Row.Cells[4], Widths[5], *Row.Cells[5]);
		Stream << *Line << "\n";
	}

	if (!Idle.IsEmpty())
	{
		Stream << *FString::Printf(TEXT("%d of %d node%s changed nothing in any frame: %s\n"), Idle.Num(), NumNodes,
			Plural(NumNodes), *FString::Join(Idle, TEXT(", ")));
	}
	int32 NumWarnings = 0;
	for (const FQVRunReport& Report : InReports)
	{
		NumWarnings += IsWarningOrError(Report) ? 1 : 0;
	}
	if (InReports.IsEmpty())
	{
		Stream << "reports: none\n";
	}
	else
	{
		Stream << *FString::Printf(TEXT("reports: %d (%d warning%s or error%s):\n"), InReports.Num(), NumWarnings,
			Plural(NumWarnings), Plural(NumWarnings));
	}
	for (const FQVRunReport& Report : InReports)
	{
		Stream << "  " << *Report.Describe() << "\n";
	}
	const FQVNodeProfile::FSummary Frames = Profile.SummarizeFrames();
	Stream << *FString::Printf(
		TEXT("time per frame (frame start, tracks and every node): mean %.1f us, median %.1f us, worst %.1f us\n"),
		Frames.Mean * 1e6, Frames.Median * 1e6, Frames.Worst * 1e6);
}
