// Severities of messages reported by rig units and tools.
#pragma once

namespace EMessageSeverity
{
enum Type : int
{
	CriticalError = 0,
	Error = 1,
	PerformanceWarning = 2,
	Warning = 3,
	Info = 4,
};
}
