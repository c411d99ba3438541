// qvheadertool: generates reflection glue for the plug-in's headers.
#include "HeaderTool.h"

#include <iostream>

int main(int ArgumentCount, char** ArgumentValues)
{
	return RunHeaderTool(std::vector<std::string>(ArgumentValues + 1, ArgumentValues + ArgumentCount), std::cerr);
}
