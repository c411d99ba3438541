// The run command: load, evaluate every frame, print the table and the units' reports.
#include "QVRig/RunCommand.h"

#include "QVRig/ElementNames.h"
#include "QVRig/RigEvaluator.h"
#include "QVRig/RigFileLoader.h"
#include "QVRig/RigNode.h"

namespace
{
const TCHAR* SeverityName(EMessageSeverity::Type InSeverity)
{
	switch (InSeverity)
	{
		case EMessageSeverity::CriticalError:
		case EMessageSeverity::Error:
			return TEXT("error");
		case EMessageSeverity::PerformanceWarning:
		case EMessageSeverity::Warning:
			return TEXT("warning");
		default:
			return TEXT("info");
	}
}

bool ChooseElements(const FQVRunOptions& InOptions, const URigHierarchy& InHierarchy,
	TArray<FRigElementKey>& OutElements, std::ostream& ErrorStream)
{
	if (InOptions.Elements.IsEmpty())
	{
		OutElements = InHierarchy.GetAllKeys(false,
			static_cast<ERigElementType>(
				static_cast<uint8>(ERigElementType::Bone) | static_cast<uint8>(ERigElementType::Null)));
		return true;
	}
	for (const FString& Text : InOptions.Elements)
	{
		FRigElementKey Key;
		FString Error;
		if (!FQVElementNames::Resolve(InHierarchy, Text, Key, Error))
		{
			ErrorStream << "qvrig: --elements: " << *Error << " (write type:name to pick one type)\n";
			return false;
		}
		OutElements.Add(Key);
	}
	return true;
}
} // namespace

int32 FQVRunCommand::Run(const FQVRunOptions& InOptions, std::ostream& OutStream, std::ostream& ErrorStream)
{
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
	OutStream << *FString::Printf(TEXT("%s: %d frame%s at %g fps, %d unit%s, %s space\n"), *InOptions.RigPath,
		Animation.FrameCount, Animation.FrameCount == 1 ? TEXT("") : TEXT("s"), Animation.FrameRate,
		Rig->GetNodes().Num(), Rig->GetNodes().Num() == 1 ? TEXT("") : TEXT("s"),
		InOptions.Space == EQVPoseSpace::Global ? TEXT("global") : TEXT("local"));

	const FQVPoseTable Table(Rig->GetHierarchy(), MoveTemp(Elements), InOptions.Space, InOptions.Parts);
	OutStream << *Table.FormatHeader();
	FQVRigEvaluator Evaluator(*Rig);
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
			OutStream << *Table.FormatRow(Frame);
		}
	}

	const TArray<FRigVMLog::FLogEntry>& Entries = Evaluator.GetLog().Entries;
	for (int32 Index = 0; Index < Entries.Num(); ++Index)
	{
		const FRigVMLog::FLogEntry& Entry = Entries[Index];
		const TArray<TUniquePtr<FQVRigNode>>& Nodes = Rig->GetNodes();
		const FString Node = Nodes.IsValidIndex(Entry.InstructionIndex)
			? FString::Printf(
				  TEXT("graph[%d] %s"), Entry.InstructionIndex, *Nodes[Entry.InstructionIndex]->GetDisplayName())
			: Entry.FunctionName.ToString();
		OutStream << *FString::Printf(
			TEXT("%s (frame %d, %s): %s\n"), SeverityName(Entry.Severity), EntryFrames[Index], *Node, *Entry.Message);
	}
	return 0;
}
