// The header tool's driver: reads a module's headers, checks what must be unique across them (header names, the
// registered names of types), and writes X.generated.h and X.gen.cpp for each into the output folder (only when
// their content changes, and never half). Errors are reported as "file:line: error: message".
#pragma once

#include <ostream>
#include <string>
#include <vector>

// qvheadertool --module Name --module-root Dir --output Dir Header...
// Returns the process exit code: 0, or 1 after printing the first error to Errors.
int RunHeaderTool(const std::vector<std::string>& Arguments, std::ostream& Errors);
