// The run command: load, evaluate every frame, write the chosen elements' transforms and the units' reports.
#include "QVRig/RunCommand.h"

#include "QVRig/ElementNames.h"
#include "QVRig/NodeActivity.h"
#include "QVRig/NodeProfile.h"
#include "QVRig/NodeSummaryOutput.h"
#include "QVRig/RigFileLoader.h"
#include "QVRig/RigNode.h"
#include "QVRig/RunCsvOutput.h"
#include "QVRig/RunJsonOutput.h"

namespace
{
bool ChooseElements(const FQVRunOptions& InOptions, const URigHierarchy& InHierarchy,
	TArray<FRigElementKey>& OutElements, std::ostream& ErrorStream)
{
	FString Error;
	if (!FQVElementNames::ResolveList(InHierarchy, InOptions.Elements, OutElements, Error))
	{
		ErrorStream << "qvrig: --elements: " << *Error << " (write type:name to pick one type)\n";
		return false;
	}
	return true;
}

TUniquePtr<FQVRunOutput> MakeOutput(const FQVRunOptions& InOptions, const URigHierarchy& InHierarchy,
	TArray<FRigElementKey> InElements, std::ostream& OutStream)
{
	switch (InOptions.Format)
	{
		case EQVRunFormat::Json:
			return MakeUnique<FQVRunJsonOutput>(InHierarchy, MoveTemp(InElements), InOptions.Space, OutStream);
		case EQVRunFormat::Csv:
			return MakeUnique<FQVRunCsvOutput>(InHierarchy, MoveTemp(InElements), InOptions.Space, OutStream);
		default:
			return MakeUnique<FQVPoseTable>(
				InHierarchy, MoveTemp(InElements), InOptions.Space, InOptions.Parts, OutStream);
	}
}

// The log keeps each message once, in the order they first appeared; InEntryFrames holds the frame of each.
TArray<FQVRunReport> CollectReports(const FRigVMLog& InLog, const TArray<int32>& InEntryFrames, const FQVRig& InRig)
{
	TArray<FQVRunReport> Reports;
	const TArray<FRigVMLog::FLogEntry>& Entries = InLog.Entries;
	const TArray<TUniquePtr<FQVRigNode>>& Nodes = InRig.GetNodes();
	for (int32 Index = 0; Index < Entries.Num(); ++Index)
	{
		const FRigVMLog::FLogEntry& Entry = Entries[Index];
		FQVRunReport& Report = Reports.AddDefaulted_GetRef();
		Report.Severity = Entry.Severity;
		Report.Frame = InEntryFrames[Index];
		Report.Message = Entry.Message;
		if (Nodes.IsValidIndex(Entry.InstructionIndex))
		{
			Report.NodeIndex = Entry.InstructionIndex;
			Report.Unit = Nodes[Entry.InstructionIndex]->GetStruct()->GetName();
			Report.Label = Nodes[Entry.InstructionIndex]->GetLabel();
		}
		else
		{
			Report.Unit = Entry.FunctionName.ToString();
		}
	}
	return Reports;
}
} // namespace

int32 FQVRunCommand::Run(const FQVRunOptions& InOptions, std::ostream& OutStream, std::ostream& ErrorStream)
{
	// The command line accepts whole numbers of at least 1 only.
	checkf(InOptions.Every >= 1, TEXT("every %d frames"), InOptions.Every);
	FString Error;
	TUniquePtr<FQVRig> Rig = FQVRigFileLoader::LoadFile(InOptions.RigPath, Error);
	if (!Rig)
	{
		ErrorStream << *Error << "\n";
		return 1;
	}
	TArray<FRigElementKey> Elements;
	if (!ChooseElements(InOptions, Rig->GetHierarchy(), Elements, ErrorStream))
	{
		return 1;
	}

	const FQVRigAnimation& Animation = Rig->GetAnimation();
	FQVRunSummary Summary;
	Summary.RigPath = InOptions.RigPath;
	Summary.FrameCount = Animation.FrameCount;
	Summary.FrameRate = Animation.FrameRate;
	Summary.NumUnits = Rig->GetNodes().Num();
	Summary.Space = InOptions.Space;
	Summary.bResetPose = InOptions.FrameStart == EQVFrameStart::ResetPose;

	FQVRigEvaluator Evaluator(*Rig, InOptions.FrameStart);
	FQVNodeProfile Profile(Rig->GetNodes().Num());
	Evaluator.SetProfile(InOptions.bProfile || InOptions.bSummary ? &Profile : nullptr);
	FQVNodeActivity Activity(Rig->GetHierarchy(), Rig->GetNodes().Num());
	Evaluator.SetActivity(InOptions.bSummary ? &Activity : nullptr);
	const TUniquePtr<FQVRunOutput> Output = InOptions.bSummary
		? MakeUnique<FQVNodeSummaryOutput>(*Rig, Activity, Profile, OutStream)
		: MakeOutput(InOptions, Rig->GetHierarchy(), MoveTemp(Elements), OutStream);
	if (InOptions.bPins)
	{
		Output->SetOutputPins(FQVOutputPin::FindAll(*Rig));
	}
	Output->WriteStart(Summary);
	// The frame each report first appeared in, by the log's entry order.
	TArray<int32> EntryFrames;
	for (int32 Frame = 0; Frame < Animation.FrameCount; ++Frame)
	{
		Evaluator.EvaluateFrame(Frame);
		while (EntryFrames.Num() < Evaluator.GetLog().Entries.Num())
		{
			EntryFrames.Add(Frame);
		}
		if (Frame % InOptions.Every == 0)
		{
			Output->WriteFrame(Frame);
		}
	}
	Output->WriteEnd(CollectReports(Evaluator.GetLog(), EntryFrames, *Rig));
	if (InOptions.bProfile)
	{
		Profile.Write(*Rig, ErrorStream);
	}
	return 0;
}
