// The pose table.
#include "QVRig/PoseTable.h"

#include <cmath>

namespace
{
constexpr int32 FrameWidth = 6;
constexpr int32 ValueWidth = 9;
const TCHAR* const GroupSeparator = TEXT(" |");

FString PadLeft(const FString& InText, int32 InWidth)
{
	return InText.Len() >= InWidth ? InText : FString::ChrN(InWidth - InText.Len(), TEXT(' ')) + InText;
}

// Names wider than their group are cut from the left, where prefixes shared by the rig's elements are.
FString FitRight(const FString& InText, int32 InWidth)
{
	return InText.Len() <= InWidth ? PadLeft(InText, InWidth) : TEXT("~") + InText.Right(InWidth - 1);
}

FString FormatValue(double InValue)
{
	// Rounding noise must not print as -0.000.
	const double Shown = std::fabs(InValue) < 0.0005 ? 0.0 : InValue;
	return FString::Printf(TEXT("%*.3f"), ValueWidth, Shown);
}

bool Shows(EQVPoseParts InParts, EQVPoseParts InPart)
{
	return InParts == EQVPoseParts::All || InParts == InPart;
}
} // namespace

FQVPoseTable::FQVPoseTable(const URigHierarchy& InHierarchy, TArray<FRigElementKey> InElements, EQVPoseSpace InSpace,
	EQVPoseParts InParts, std::ostream& OutStream)
	: FQVRunOutput(InHierarchy, MoveTemp(InElements), InSpace, OutStream), Parts(InParts)
{
}

void FQVPoseTable::WriteStart(const FQVRunSummary& InSummary)
{
	Stream << *FString::Printf(TEXT("%s, %s space%s\n"), *InSummary.DescribeRun(),
		InSummary.Space == EQVPoseSpace::Global ? TEXT("global") : TEXT("local"),
		InSummary.bResetPose ? TEXT(", pose reset every frame") : TEXT(""));
	Stream << *FormatHeader();
}

void FQVPoseTable::WriteFrame(int32 InFrame)
{
	Stream << *FormatRow(InFrame) << *FormatPinRows();
}

void FQVPoseTable::WriteEnd(TConstArrayView<FQVRunReport> InReports)
{
	for (const FQVRunReport& Report : InReports)
	{
		Stream << *Report.Describe() << "\n";
	}
}

int32 FQVPoseTable::NumColumnsPerElement() const
{
	return Parts == EQVPoseParts::All ? 9 : 3;
}

FString FQVPoseTable::FormatHeader() const
{
	const int32 GroupWidth = NumColumnsPerElement() * ValueWidth;
	FString Names = FString::ChrN(FrameWidth, TEXT(' '));
	FString Columns = PadLeft(TEXT("frame"), FrameWidth);
	for (const FRigElementKey& Element : Elements)
	{
		Names += GroupSeparator + FitRight(Element.Name.ToString(), GroupWidth);
		Columns += GroupSeparator;
		if (Shows(Parts, EQVPoseParts::Rotation))
		{
			Columns += PadLeft(TEXT("pitch"), ValueWidth) + PadLeft(TEXT("yaw"), ValueWidth) +
				PadLeft(TEXT("roll"), ValueWidth);
		}
		const TCHAR* const Axes[] = {TEXT("x"), TEXT("y"), TEXT("z")};
		for (const EQVPoseParts Part : {EQVPoseParts::Translation, EQVPoseParts::Scale})
		{
			if (Shows(Parts, Part))
			{
				for (const TCHAR* Axis : Axes)
				{
					// With every part shown, "tx" and "sx" tell translation from scale.
					const FString Prefix = Parts == EQVPoseParts::All
						? FString(Part == EQVPoseParts::Translation ? TEXT("t") : TEXT("s"))
						: FString();
					Columns += PadLeft(Prefix + Axis, ValueWidth);
				}
			}
		}
	}
	return Names + TEXT("\n") + Columns + TEXT("\n");
}

FString FQVPoseTable::FormatTransform(const FTransform& InTransform) const
{
	FString Values;
	if (Shows(Parts, EQVPoseParts::Rotation))
	{
		const FRotator Rotator = InTransform.Rotator();
		Values += FormatValue(Rotator.Pitch) + FormatValue(Rotator.Yaw) + FormatValue(Rotator.Roll);
	}
	if (Shows(Parts, EQVPoseParts::Translation))
	{
		const FVector Translation = InTransform.GetTranslation();
		Values += FormatValue(Translation.X) + FormatValue(Translation.Y) + FormatValue(Translation.Z);
	}
	if (Shows(Parts, EQVPoseParts::Scale))
	{
		const FVector Scale = InTransform.GetScale3D();
		Values += FormatValue(Scale.X) + FormatValue(Scale.Y) + FormatValue(Scale.Z);
	}
	return Values;
}

FString FQVPoseTable::FormatRow(int32 InFrame) const
{
	FString Row = PadLeft(FString::FromInt(InFrame), FrameWidth);
	for (int32 Index = 0; Index < Elements.Num(); ++Index)
	{
		Row += GroupSeparator + FormatTransform(GetTransform(Index));
	}
	return Row + TEXT("\n");
}

FString FQVPoseTable::FormatPinRows() const
{
	TArray<TPair<FString, FTransform>> Lines;
	int32 NameWidth = 0;
	for (const FQVOutputPin& Pin : OutputPins)
	{
		const TArray<FTransform> Transforms = Pin.Read();
		for (int32 Index = 0; Index < Transforms.Num(); ++Index)
		{
			const FString Name = FString::Printf(TEXT("graph[%d].%s"), Pin.NodeIndex, *NamePinTransform(Pin, Index));
			NameWidth = FMath::Max(NameWidth, Name.Len());
			Lines.Emplace(Name, Transforms[Index]);
		}
	}
	FString Rows;
	for (const TPair<FString, FTransform>& Line : Lines)
	{
		const FString Name = Line.Key + FString::ChrN(NameWidth - Line.Key.Len(), TEXT(' '));
		Rows += FString::ChrN(FrameWidth, TEXT(' ')) + GroupSeparator + TEXT(" ") + Name + FormatTransform(Line.Value) +
			TEXT("\n");
	}
	return Rows;
}
