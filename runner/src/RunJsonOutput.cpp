// Writing a run as one JSON document. Written as it goes, frame by frame, so long runs need no memory for it.
#include "QVRig/RunJsonOutput.h"

#include "QVJson/JsonShapes.h"
#include "QVJson/JsonValue.h"
#include "QVRig/JsonText.h"
#include "UObject/UnrealType.h"

#include <cmath>
#include <string>

namespace
{
std::string Quote(const FString& InText)
{
	return QVJsonQuote(InText);
}

// Non-finite numbers are the strings the rig format reads them from.
std::string Number(double InValue)
{
	const FString Text = QVFormatExactNumber(InValue);
	return std::isfinite(InValue) ? std::string(*Text) : Quote(Text);
}

std::string Vector(const FVector& InValue)
{
	return "[" + Number(InValue.X) + ", " + Number(InValue.Y) + ", " + Number(InValue.Z) + "]";
}

// A transform in the shape of a rig file's transform object.
std::string Transform(const FTransform& InTransform)
{
	const FQuat Rotation = InTransform.GetRotation();
	return "{\"translation\": " + Vector(InTransform.GetTranslation()) + ", \"rotation\": [" + Number(Rotation.X) +
		", " + Number(Rotation.Y) + ", " + Number(Rotation.Z) + ", " + Number(Rotation.W) +
		"], \"scale\": " + Vector(InTransform.GetScale3D()) + "}";
}

std::string Transforms(const TArray<FTransform>& InTransforms)
{
	std::string Text = "[";
	for (int32 Index = 0; Index < InTransforms.Num(); ++Index)
	{
		Text += (Index > 0 ? ", " : "") + Transform(InTransforms[Index]);
	}
	return Text + "]";
}
} // namespace

void FQVRunJsonOutput::WriteStart(const FQVRunSummary& InSummary)
{
	Stream << "{\n\t\"rig\": " << Quote(InSummary.RigPath) << ",\n\t\"frameRate\": " << Number(InSummary.FrameRate)
		   << ",\n\t\"frameCount\": " << InSummary.FrameCount << ",\n\t\"unitCount\": " << InSummary.NumUnits
		   << ",\n\t\"space\": " << (InSummary.Space == EQVPoseSpace::Global ? "\"global\"" : "\"local\"")
		   << ",\n\t\"resetPose\": " << (InSummary.bResetPose ? "true" : "false") << ",\n\t\"elements\": [";
	for (int32 Index = 0; Index < Elements.Num(); ++Index)
	{
		Stream << (Index > 0 ? ", " : "")
			   << "{\"type\": " << Quote(FQVJsonShapes::ElementTypeWord(Elements[Index].Type))
			   << ", \"name\": " << Quote(Elements[Index].Name.ToString()) << "}";
	}
	Stream << "],\n\t\"frames\": [";
}

void FQVRunJsonOutput::WriteFrame(int32 InFrame)
{
	Stream << (bFirstFrame ? "\n\t\t" : ",\n\t\t") << "{\"frame\": " << InFrame << ", \"transforms\": [";
	bFirstFrame = false;
	for (int32 Index = 0; Index < Elements.Num(); ++Index)
	{
		Stream << (Index > 0 ? ", " : "") << Transform(GetTransform(Index));
	}
	Stream << "]";
	if (!OutputPins.IsEmpty())
	{
		Stream << ", \"pins\": [";
		for (int32 Index = 0; Index < OutputPins.Num(); ++Index)
		{
			const FQVOutputPin& Pin = OutputPins[Index];
			const TArray<FTransform> Values = Pin.Read();
			Stream << (Index > 0 ? ", " : "") << "{\"node\": " << Pin.NodeIndex
				   << ", \"pin\": " << Quote(Pin.Pin->GetName()) << ", \""
				   << (Pin.bArray ? "transforms\": " + Transforms(Values) : "transform\": " + Transform(Values[0]))
				   << "}";
		}
		Stream << "]";
	}
	Stream << "}";
}

void FQVRunJsonOutput::WriteEnd(TConstArrayView<FQVRunReport> InReports)
{
	Stream << "\n\t],\n\t\"reports\": [";
	for (int32 Index = 0; Index < InReports.Num(); ++Index)
	{
		const FQVRunReport& Report = InReports[Index];
		Stream << (Index > 0 ? "," : "") << "\n\t\t{\"severity\": " << Quote(Report.GetSeverityWord())
			   << ", \"frame\": " << Report.Frame << ", \"node\": "
			   << (Report.NodeIndex == INDEX_NONE ? std::string("null") : std::to_string(Report.NodeIndex))
			   << ", \"unit\": " << Quote(Report.Unit) << ", \"label\": " << Quote(Report.Label)
			   << ", \"message\": " << Quote(Report.Message) << "}";
	}
	Stream << (InReports.IsEmpty() ? "]\n}\n" : "\n\t]\n}\n");
}
