// The header tool's driver: reads headers, writes X.generated.h and X.gen.cpp next to each other in the output
// folder (only when their content changes), and reports errors as "file:line: error: message".
#pragma once

#include <ostream>
#include <string>
#include <vector>

// qvheadertool --module Name --module-root Dir --output Dir Header...
// Returns the process exit code: 0, or 1 after printing the first error to Errors.
int RunHeaderTool(const std::vector<std::string>& Arguments, std::ostream& Errors);
