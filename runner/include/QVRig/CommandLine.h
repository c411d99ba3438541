// The qvrig command line: its subcommands and options, parsed and run.
#pragma once

#include "CoreMinimal.h"

#include <ostream>

struct FQVCommandLine
{
	// Parses InArgV (InArgV[0] is the program's name) and runs the subcommand it names; help and usage errors go to
	// the streams as well. Returns the process exit code.
	static int32 Run(int32 InArgC, const char* const* InArgV, std::ostream& OutStream, std::ostream& ErrorStream);
};
