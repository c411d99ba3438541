// The check command: load the rig, check every node, print the findings and a count.
#include "QVRig/CheckCommand.h"

#include "QVRig/RigFileLoader.h"

namespace
{
// "2 problems", "1 note"
FString Count(int32 InCount, const TCHAR* InWhat)
{
	return FString::Printf(TEXT("%d %s%s"), InCount, InWhat, InCount == 1 ? TEXT("") : TEXT("s"));
}
} // namespace

FString FQVCheckCommand::FormatFinding(const FString& InRigFile, const FQVCheckFinding& InFinding)
{
	return FString::Printf(TEXT("%s: %s: %s: %s"),
		InFinding.Source.File.IsEmpty() ? *InRigFile : *InFinding.Source.File, *InFinding.Source.Path,
		InFinding.Severity == EQVCheckSeverity::Problem ? TEXT("problem") : TEXT("note"), *InFinding.Message);
}

int32 FQVCheckCommand::Run(const FQVCheckOptions& InOptions, std::ostream& OutStream, std::ostream& ErrorStream)
{
	FString Error;
	const TUniquePtr<FQVRig> Rig = FQVRigFileLoader::LoadFile(InOptions.RigPath, Error);
	if (!Rig)
	{
		ErrorStream << *Error << "\n";
		return static_cast<int32>(EQVCheckResult::Failed);
	}

	const TArray<FQVCheckFinding> Findings = FQVRigCheck::Check(*Rig);
	int32 NumProblems = 0;
	for (const FQVCheckFinding& Finding : Findings)
	{
		OutStream << *FormatFinding(InOptions.RigPath, Finding) << "\n";
		NumProblems += Finding.Severity == EQVCheckSeverity::Problem ? 1 : 0;
	}
	const int32 NumNotes = Findings.Num() - NumProblems;
	const FString Nodes = Count(Rig->GetNodes().Num(), TEXT("node"));
	const FString Notes = NumNotes > 0 ? FString::Printf(TEXT(" (%s)"), *Count(NumNotes, TEXT("note"))) : FString();
	if (NumProblems == 0)
	{
		OutStream << *FString::Printf(TEXT("%s: clean: no problems in %s%s\n"), *InOptions.RigPath, *Nodes, *Notes);
		return static_cast<int32>(EQVCheckResult::Clean);
	}
	OutStream << *FString::Printf(
		TEXT("%s: %s in %s%s\n"), *InOptions.RigPath, *Count(NumProblems, TEXT("problem")), *Nodes, *Notes);
	return static_cast<int32>(EQVCheckResult::Problems);
}
