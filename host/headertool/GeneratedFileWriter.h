// Writing a header's generated files into the output folder safely: all or none of them change, a file whose content
// is already right is left alone (so nothing rebuilds), and whatever stands at a file's path (a symbolic link, say)
// is replaced, never written through.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct FGeneratedFile
{
	std::filesystem::path Path;
	std::string Text;
};

// Writes each file's text to a fresh temporary file beside it, then renames the temporaries over the paths. Throws
// std::runtime_error naming the file and the system's reason (e.g. "cannot write X.gen.cpp: No space left on
// device") and removes the temporaries; no path is replaced when any write fails.
void WriteGeneratedFiles(const std::vector<FGeneratedFile>& Files);
