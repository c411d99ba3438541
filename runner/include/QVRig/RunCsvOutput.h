// `qvrig run --format csv`: the run as RFC 4180 comma-separated values, every number exact.
#pragma once

#include "CoreMinimal.h"
#include "QVRig/RunOutput.h"

// A header row, then one record per printed frame and element (and output pin transform), then one per report, all
// with the same fields:
//   record,frame,type,name,tx,ty,tz,qx,qy,qz,qw,sx,sy,sz,severity,node,unit,label,message
// "record" is "pose", "pin" or "report"; a pose record leaves the report fields empty and a report record the pose
// fields. A pin record names the pin transform ("PathFrames[3]") and fills the pose fields, node, unit and label.
// Records end with CRLF; fields holding a comma, a quote or a line break are quoted, quotes doubled.
class FQVRunCsvOutput : public FQVRunOutput
{
public:
	using FQVRunOutput::FQVRunOutput;

	virtual void WriteStart(const FQVRunSummary& InSummary) override;
	virtual void WriteFrame(int32 InFrame) override;
	virtual void WriteEnd(TConstArrayView<FQVRunReport> InReports) override;
};
