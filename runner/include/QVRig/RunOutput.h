// Where `qvrig run` writes its results: a summary, the chosen elements' transforms frame by frame, then what the
// units reported. One subclass per output format.
#pragma once

#include "CoreMinimal.h"
#include "Logging/TokenizedMessage.h"
#include "QVRig/OutputPins.h"
#include "Rigs/RigHierarchy.h"

#include <ostream>

enum class EQVPoseSpace : uint8
{
	Local,
	Global
};

enum class EQVRunFormat : uint8
{
	// A readable table of rounded numbers.
	Table,
	// One JSON document, every number exact.
	Json,
	// RFC 4180 comma-separated values with a header row, every number exact.
	Csv,
};

// What was run, as the output's header tells it.
struct FQVRunSummary
{
	FString RigPath;
	int32 FrameCount = 1;
	double FrameRate = 30.0;
	int32 NumUnits = 0;
	EQVPoseSpace Space = EQVPoseSpace::Local;
	bool bResetPose = false;

	// "rig.json: 49 frames at 24 fps, 3 units"
	FString DescribeRun() const;
};

// One report of a unit, kept once, with the frame it first appeared in.
struct FQVRunReport
{
	EMessageSeverity::Type Severity = EMessageSeverity::Info;
	int32 Frame = 0;
	// The node's position in the graph, or INDEX_NONE when the report came from no node of the graph.
	int32 NodeIndex = INDEX_NONE;
	// The node's unit (its struct name), or the name of the function that reported.
	FString Unit;
	FString Label;
	FString Message;

	// "error", "warning" or "info".
	const TCHAR* GetSeverityWord() const;
	// "warning (frame 0, graph[1] RigUnit_QVFaceSDKSolver 'face'): message", on one line.
	FString Describe() const;
};

class FQVRunOutput
{
public:
	FQVRunOutput(const URigHierarchy& InHierarchy, TArray<FRigElementKey> InElements, EQVPoseSpace InSpace,
		std::ostream& OutStream);
	virtual ~FQVRunOutput() = default;
	FQVRunOutput(const FQVRunOutput&) = delete;
	FQVRunOutput& operator=(const FQVRunOutput&) = delete;

	virtual void WriteStart(const FQVRunSummary& InSummary) = 0;
	// The elements' current transforms, labelled as frame InFrame.
	virtual void WriteFrame(int32 InFrame) = 0;
	virtual void WriteEnd(TConstArrayView<FQVRunReport> InReports) = 0;

	const TArray<FRigElementKey>& GetElements() const { return Elements; }

	// Unit output pins to write with each frame, after the elements' transforms (none by default).
	void SetOutputPins(TArray<FQVOutputPin> InPins) { OutputPins = MoveTemp(InPins); }

protected:
	// The current transform of Elements[InIndex], in the output's space.
	FTransform GetTransform(int32 InIndex) const;

	// "PathFrames[3]" for an element of an array pin, "Pose" for a transform pin.
	static FString NamePinTransform(const FQVOutputPin& InPin, int32 InIndex);

	const URigHierarchy& Hierarchy;
	TArray<FRigElementKey> Elements;
	EQVPoseSpace Space;
	TArray<FQVOutputPin> OutputPins;
	std::ostream& Stream;
};

// Numbers written so they read back as exactly the same double: "%.17g", and "NaN", "Infinity" and "-Infinity" for
// the values that have no digits.
FString QVFormatExactNumber(double InValue);
