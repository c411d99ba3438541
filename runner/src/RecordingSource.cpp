// Loading, choosing elements and recording, with the runner's messages.
#include "QVRig/RecordingSource.h"

#include "QVRig/ElementNames.h"
#include "QVRig/GltfExport.h"
#include "QVRig/RigFileLoader.h"

TOptional<FQVPoseRecording> FQVRecordingSource::Record(const FString& InRigPath, TConstArrayView<FString> InElements,
	EQVFrameStart InFrameStart, int32 InMaxElements, std::ostream& ErrorStream)
{
	FString Error;
	const TUniquePtr<FQVRig> Rig = FQVRigFileLoader::LoadFile(InRigPath, Error);
	if (!Rig)
	{
		ErrorStream << *Error << "\n";
		return TOptional<FQVPoseRecording>();
	}
	TArray<FRigElementKey> Listed;
	if (!FQVElementNames::ResolveList(Rig->GetHierarchy(), InElements, Listed, Error))
	{
		ErrorStream << "qvrig: --elements: " << *Error << " (write type:name to pick one type)\n";
		return TOptional<FQVPoseRecording>();
	}
	TArray<FRigElementKey> Elements;
	TSet<FRigElementKey> Seen;
	for (const FRigElementKey& Key : Listed)
	{
		bool bSeen = false;
		Seen.Add(Key, &bSeen);
		if (!bSeen)
		{
			Elements.Add(Key);
		}
	}
	if (Elements.Num() > InMaxElements)
	{
		ErrorStream << "qvrig: " << *InRigPath << ": " << Elements.Num()
					<< " elements are chosen, and the file holds at most " << InMaxElements
					<< "; choose fewer with --elements\n";
		return TOptional<FQVPoseRecording>();
	}
	if (const TOptional<FString> Problem = FQVPoseRecording::CheckSize(Elements.Num(), Rig->GetAnimation().FrameCount))
	{
		ErrorStream << "qvrig: " << *InRigPath << ": " << **Problem << "\n";
		return TOptional<FQVPoseRecording>();
	}
	return FQVPoseRecording::Record(*Rig, Elements, InFrameStart);
}

TOptional<FString> FQVRecordingSource::CheckWritable(const FQVPoseRecording& InRecording, bool bInGltf)
{
	for (int32 Frame = 0; Frame < InRecording.FrameCount; ++Frame)
	{
		for (int32 Element = 0; Element < InRecording.Elements.Num(); ++Element)
		{
			if (InRecording.GetTransform(Frame, Element).ContainsNaN())
			{
				return FString::Printf(TEXT("frame %d: %s has a transform that is not finite (NaN or infinite), "
											"which no exported file can hold"),
					Frame, *FQVElementNames::Describe(InRecording.Elements[Element]));
			}
		}
	}
	return bInGltf ? FQVGltfExport::CheckFrameTimes(InRecording.FrameRate, InRecording.FrameCount)
				   : TOptional<FString>();
}

FString FQVRecordingSource::DescribeReports(const FQVPoseRecording& InRecording)
{
	if (InRecording.NumReports == 0)
	{
		return FString();
	}
	return FString::Printf(TEXT("the units reported %d message%s; qvrig run prints them"), InRecording.NumReports,
		InRecording.NumReports == 1 ? TEXT("") : TEXT("s"));
}
