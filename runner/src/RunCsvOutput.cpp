// Writing a run as comma-separated values.
#include "QVRig/RunCsvOutput.h"

#include "QVJson/JsonShapes.h"
#include "QVRig/RigNode.h"
#include "UObject/Class.h"

namespace
{
const TCHAR* const Header[] = {TEXT("record"), TEXT("frame"), TEXT("type"), TEXT("name"), TEXT("tx"), TEXT("ty"),
	TEXT("tz"), TEXT("qx"), TEXT("qy"), TEXT("qz"), TEXT("qw"), TEXT("sx"), TEXT("sy"), TEXT("sz"), TEXT("severity"),
	TEXT("node"), TEXT("unit"), TEXT("label"), TEXT("message")};
constexpr int32 NumFields = static_cast<int32>(UE_ARRAY_COUNT(Header));
// Where the pose values and the report fields start.
constexpr int32 FirstPoseField = 4;
constexpr int32 FirstReportField = 14;

// A field as RFC 4180 writes it: quoted when it holds a comma, a quote or a line break, with quotes doubled.
FString Escape(const FString& InText)
{
	const bool bQuote = InText.Contains(TEXT(",")) || InText.Contains(TEXT("\"")) || InText.Contains(TEXT("\n")) ||
		InText.Contains(TEXT("\r"));
	return bQuote ? TEXT("\"") + InText.Replace(TEXT("\""), TEXT("\"\""), ESearchCase::CaseSensitive) + TEXT("\"")
				  : InText;
}

void WriteRecord(std::ostream& OutStream, const TArray<FString>& InFields)
{
	FString Record;
	for (int32 Index = 0; Index < InFields.Num(); ++Index)
	{
		Record += (Index > 0 ? TEXT(",") : TEXT("")) + Escape(InFields[Index]);
	}
	OutStream << *Record << "\r\n";
}

// The ten pose fields of a transform: translation, rotation quaternion (x, y, z, w), scale.
void FillPoseFields(TArray<FString>& InOutFields, const FTransform& InTransform)
{
	const FVector Translation = InTransform.GetTranslation();
	const FQuat Rotation = InTransform.GetRotation();
	const FVector Scale = InTransform.GetScale3D();
	int32 Field = FirstPoseField;
	for (const double Value : {Translation.X, Translation.Y, Translation.Z, Rotation.X, Rotation.Y, Rotation.Z,
			 Rotation.W, Scale.X, Scale.Y, Scale.Z})
	{
		InOutFields[Field++] = QVFormatExactNumber(Value);
	}
}

TArray<FString> MakeRecord(const TCHAR* InKind, int32 InFrame)
{
	TArray<FString> Fields;
	Fields.SetNum(NumFields);
	Fields[0] = InKind;
	Fields[1] = FString::FromInt(InFrame);
	return Fields;
}
} // namespace

void FQVRunCsvOutput::WriteStart(const FQVRunSummary& InSummary)
{
	TArray<FString> Fields;
	for (const TCHAR* Name : Header)
	{
		Fields.Add(Name);
	}
	WriteRecord(Stream, Fields);
}

void FQVRunCsvOutput::WriteFrame(int32 InFrame)
{
	for (int32 Index = 0; Index < Elements.Num(); ++Index)
	{
		TArray<FString> Fields = MakeRecord(TEXT("pose"), InFrame);
		Fields[2] = FQVJsonShapes::ElementTypeWord(Elements[Index].Type);
		Fields[3] = Elements[Index].Name.ToString();
		FillPoseFields(Fields, GetTransform(Index));
		WriteRecord(Stream, Fields);
	}
	for (const FQVOutputPin& Pin : OutputPins)
	{
		const TArray<FTransform> Transforms = Pin.Read();
		for (int32 Index = 0; Index < Transforms.Num(); ++Index)
		{
			TArray<FString> Fields = MakeRecord(TEXT("pin"), InFrame);
			Fields[3] = NamePinTransform(Pin, Index);
			FillPoseFields(Fields, Transforms[Index]);
			Fields[FirstReportField + 1] = FString::FromInt(Pin.NodeIndex);
			Fields[FirstReportField + 2] = Pin.Node->GetStruct()->GetName();
			Fields[FirstReportField + 3] = Pin.Node->GetLabel();
			WriteRecord(Stream, Fields);
		}
	}
}

void FQVRunCsvOutput::WriteEnd(TConstArrayView<FQVRunReport> InReports)
{
	for (const FQVRunReport& Report : InReports)
	{
		TArray<FString> Fields = MakeRecord(TEXT("report"), Report.Frame);
		Fields[FirstReportField] = Report.GetSeverityWord();
		Fields[FirstReportField + 1] = Report.NodeIndex == INDEX_NONE ? FString() : FString::FromInt(Report.NodeIndex);
		Fields[FirstReportField + 2] = Report.Unit;
		Fields[FirstReportField + 3] = Report.Label;
		Fields[FirstReportField + 4] = Report.Message;
		WriteRecord(Stream, Fields);
	}
}
