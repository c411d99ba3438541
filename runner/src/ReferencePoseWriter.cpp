// Writing reference pose tables in a default Maya scene's space: one element per line, one frame per line.
#include "QVJson/JsonShapes.h"
#include "QVRig/JsonText.h"
#include "QVRig/MayaRotation.h"
#include "QVRig/ReferencePoses.h"
#include "QVRig/RunOutput.h"

#include <cmath>

namespace
{
// Ten significant digits: far finer than any comparison tolerance, and short enough to read.
std::string Number(double InValue)
{
	// Rounding noise is written as the zero it stands for.
	return std::string(*FString::Printf(TEXT("%.10g"), std::fabs(InValue) < 1e-12 ? 0.0 : InValue));
}

std::string Vector(const FVector& InValue)
{
	return "[" + Number(InValue.X) + ", " + Number(InValue.Y) + ", " + Number(InValue.Z) + "]";
}
} // namespace

std::string FQVReferencePoses::Write(const FQVPoseRecording& InRecording)
{
	const FQVAxisConversion Axes; // Y up, centimetres.
	std::string Text = "{\n\t\"format\": \"quorvel-reference-poses\",\n\t\"version\": 1,\n\t\"source\": " +
		QVJsonQuote(TEXT("qvrig export ") + InRecording.RigPath) +
		",\n\t\"upAxis\": \"y\",\n\t\"linearUnit\": \"cm\",\n\t\"frameRate\": " +
		std::string(*QVFormatExactNumber(InRecording.FrameRate)) + ",\n\t\"elements\": [";
	for (int32 Element = 0; Element < InRecording.Elements.Num(); ++Element)
	{
		const FRigElementKey& Key = InRecording.Elements[Element];
		Text += std::string(Element > 0 ? "," : "") + "\n\t\t{\"name\": " + QVJsonQuote(Key.Name.ToString()) +
			", \"type\": " + QVJsonQuote(FQVJsonShapes::ElementTypeWord(Key.Type)) + ", \"rotateOrder\": \"xyz\"}";
	}
	Text += "\n\t],\n\t\"frames\": [";
	for (int32 Frame = 0; Frame < InRecording.FrameCount; ++Frame)
	{
		Text += std::string(Frame > 0 ? "," : "") + "\n\t\t{\"frame\": " + std::to_string(Frame) + ", \"poses\": [";
		for (int32 Element = 0; Element < InRecording.Elements.Num(); ++Element)
		{
			const FTransform Pose = Axes.ToOther(InRecording.GetTransform(Frame, Element));
			Text += std::string(Element > 0 ? ", " : "") + "{\"translate\": " + Vector(Pose.GetTranslation()) +
				", \"rotate\": " + Vector(FQVMayaRotation::ToEulerXYZ(Pose.GetRotation())) +
				", \"scale\": " + Vector(Pose.GetScale3D()) + "}";
		}
		Text += "]}";
	}
	Text += "\n\t]\n}\n";
	return Text;
}
