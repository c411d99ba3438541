// `qvrig run --format json`: the run as one JSON document, every number exact.
#pragma once

#include "CoreMinimal.h"
#include "QVRig/RunOutput.h"

// {
//   "rig": "path", "frameRate": 24, "frameCount": 49, "unitCount": 1, "space": "local", "resetPose": false,
//   "elements": [ { "type": "null", "name": "heel" }, ... ],
//   "frames": [
//     { "frame": 0, "transforms": [ { "translation": [x, y, z], "rotation": [x, y, z, w], "scale": [x, y, z] }, ... ],
//       "pins": [ { "node": 2, "pin": "PathFrames", "transforms": [ ... ] }, { "node": 2, "pin": "Pose",
//                 "transform": { ... } } ] },
//     ...
//   ],
//   "reports": [ { "severity": "warning", "frame": 0, "node": 1, "unit": "RigUnit_X", "label": "", "message": "..." } ]
// }
// Transforms follow the order of "elements"; one frame per line. A report's node is null when it came from no node.
// "pins" is there only when output pins are written: one entry per pin, an array pin's transforms in order.
class FQVRunJsonOutput : public FQVRunOutput
{
public:
	using FQVRunOutput::FQVRunOutput;

	virtual void WriteStart(const FQVRunSummary& InSummary) override;
	virtual void WriteFrame(int32 InFrame) override;
	virtual void WriteEnd(TConstArrayView<FQVRunReport> InReports) override;

private:
	bool bFirstFrame = true;
};
