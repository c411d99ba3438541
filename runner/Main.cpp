// qvrig: the standalone runner. Evaluates rig files outside the engine; each task is a subcommand.
#include "QVRig/CommandLine.h"

#include <iostream>

int main(int ArgC, char** ArgV)
{
	return FQVCommandLine::Run(ArgC, ArgV, std::cout, std::cerr);
}
