// The compare command: load the rig and the table, record the table's elements over every frame, print the worst
// errors per element.
#include "QVRig/CompareCommand.h"

#include "QVRig/ElementNames.h"
#include "QVRig/RecordingSource.h"
#include "QVRig/RigFileLoader.h"

#include <cmath>

namespace
{
constexpr int32 NameWidth = 32;

// "   0.0123 @ 12" (or "-" with nothing compared); non-finite errors as "NaN".
FString FormatError(const FQVWorstError& InError, double InTolerance)
{
	if (InError.Frame == INDEX_NONE)
	{
		return FString::Printf(TEXT("%17s"), TEXT("-"));
	}
	const FString Value =
		std::isfinite(InError.Value) ? FString::Printf(TEXT("%.4f"), InError.Value) : FString(TEXT("NaN"));
	return FString::Printf(
		TEXT("%9s @ %-5d%s"), *Value, InError.Frame, InError.Holds(InTolerance) ? TEXT(" ") : TEXT("!"));
}

void WriteComparisons(const FQVCompareOptions& InOptions, const FQVReferencePoses& InTable,
	TConstArrayView<FQVElementComparison> InComparisons, std::ostream& OutStream)
{
	const FQVComparisonTolerances& Tolerances = InOptions.Tolerances;
	OutStream << *FString::Printf(TEXT("%s against %s: %d element%s, %d frame%s\n"), *InOptions.RigPath,
		*InOptions.ReferencePath, InTable.Elements.Num(), InTable.Elements.Num() == 1 ? TEXT("") : TEXT("s"),
		InTable.Frames.Num(), InTable.Frames.Num() == 1 ? TEXT("") : TEXT("s"));
	OutStream << *FString::Printf(TEXT("tolerances: translation %g cm, rotation %g degrees, scale %g\n"),
		Tolerances.Translation, Tolerances.Rotation, Tolerances.Scale);
	OutStream << *FString::Printf(TEXT("%-*s %17s %17s %17s\n"), NameWidth, TEXT("element (worst error @ frame)"),
		TEXT("translation cm"), TEXT("rotation deg"), TEXT("scale"));

	TArray<FString> Failed;
	for (const FQVElementComparison& Comparison : InComparisons)
	{
		const FString Name = FQVElementNames::Describe(Comparison.Element);
		const FString Row = FString::Printf(TEXT("%-*s %s %s %s"), NameWidth, *Name,
			*FormatError(Comparison.Translation, Tolerances.Translation),
			*FormatError(Comparison.Rotation, Tolerances.Rotation), *FormatError(Comparison.Scale, Tolerances.Scale));
		OutStream << *Row.TrimEnd() << "\n";
		if (!Comparison.Holds(Tolerances))
		{
			Failed.Add(Name);
		}
	}
	if (Failed.IsEmpty())
	{
		OutStream << "every element is within the tolerances\n";
	}
	else
	{
		OutStream << *FString::Printf(TEXT("%d of %d elements exceed the tolerances (marked !): %s\n"), Failed.Num(),
			InComparisons.Num(), *FString::Join(Failed, TEXT(", ")));
	}
}
} // namespace

int32 FQVCompareCommand::Run(const FQVCompareOptions& InOptions, std::ostream& OutStream, std::ostream& ErrorStream)
{
	FString Error;
	const TUniquePtr<FQVRig> Rig = FQVRigFileLoader::LoadFile(InOptions.RigPath, Error);
	if (!Rig)
	{
		ErrorStream << *Error << "\n";
		return static_cast<int32>(EQVCompareResult::Failed);
	}
	const TOptional<FQVReferencePoses> Table = FQVReferencePoses::LoadFile(InOptions.ReferencePath, *Rig, Error);
	if (!Table)
	{
		ErrorStream << *Error << "\n";
		return static_cast<int32>(EQVCompareResult::Failed);
	}
	if (const TOptional<FString> Problem =
			FQVPoseRecording::CheckSize(Table->Elements.Num(), Rig->GetAnimation().FrameCount))
	{
		ErrorStream << *InOptions.ReferencePath << ": " << **Problem << "\n";
		return static_cast<int32>(EQVCompareResult::Failed);
	}
	const FQVPoseRecording Recording = FQVPoseRecording::Record(*Rig, Table->Elements, InOptions.FrameStart);
	const TArray<FQVElementComparison> Comparisons = FQVPoseComparison::Compare(*Table, Recording);
	WriteComparisons(InOptions, *Table, Comparisons, OutStream);
	const FString Reports = FQVRecordingSource::DescribeReports(Recording);
	if (!Reports.IsEmpty())
	{
		OutStream << *Reports << "\n";
	}
	for (const FQVElementComparison& Comparison : Comparisons)
	{
		if (!Comparison.Holds(InOptions.Tolerances))
		{
			return static_cast<int32>(EQVCompareResult::Exceeded);
		}
	}
	return static_cast<int32>(EQVCompareResult::Held);
}
