// Reading headers and writing their generated files.
#include "HeaderTool.h"

#include "CodeGenerator.h"
#include "HeaderParser.h"
#include "HeaderToolError.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace
{
struct FToolOptions
{
	std::string ModuleName;
	std::filesystem::path ModuleRoot;
	std::filesystem::path OutputDir;
	std::vector<std::filesystem::path> Headers;
};

bool ParseArguments(const std::vector<std::string>& Arguments, FToolOptions& Options, std::ostream& Errors)
{
	for (size_t Index = 0; Index < Arguments.size(); ++Index)
	{
		const std::string& Argument = Arguments[Index];
		const bool bHasValue = Index + 1 < Arguments.size();
		if (Argument == "--module" && bHasValue)
		{
			Options.ModuleName = Arguments[++Index];
		}
		else if (Argument == "--module-root" && bHasValue)
		{
			Options.ModuleRoot = Arguments[++Index];
		}
		else if (Argument == "--output" && bHasValue)
		{
			Options.OutputDir = Arguments[++Index];
		}
		else if (!Argument.empty() && Argument[0] == '-')
		{
			Errors << "qvheadertool: error: unknown option '" << Argument << "'\n";
			return false;
		}
		else
		{
			Options.Headers.push_back(Argument);
		}
	}
	if (Options.ModuleName.empty() || Options.ModuleRoot.empty() || Options.OutputDir.empty() ||
		Options.Headers.empty())
	{
		Errors << "usage: qvheadertool --module Name --module-root Dir --output Dir Header...\n";
		return false;
	}
	return true;
}

// Leaves the file alone when it already holds the text, so unchanged headers rebuild nothing.
void WriteIfChanged(const std::filesystem::path& Path, const std::string& Text)
{
	std::ifstream Existing(Path, std::ios::binary);
	if (Existing)
	{
		std::ostringstream Current;
		Current << Existing.rdbuf();
		if (Current.str() == Text)
		{
			return;
		}
	}
	std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
	Out << Text;
	if (!Out)
	{
		throw std::runtime_error("cannot write " + Path.string());
	}
}

void ProcessHeader(const FToolOptions& Options, const std::filesystem::path& HeaderPath)
{
	std::ifstream In(HeaderPath, std::ios::binary);
	if (!In)
	{
		throw FHeaderToolError(HeaderPath.string(), 1, "cannot read the header");
	}
	std::ostringstream Source;
	Source << In.rdbuf();

	const std::filesystem::path Absolute = std::filesystem::absolute(HeaderPath).lexically_normal();
	FGeneratorOptions GeneratorOptions;
	GeneratorOptions.FileName = HeaderPath.string();
	GeneratorOptions.ModuleName = Options.ModuleName;
	GeneratorOptions.ModuleRelativePath =
		Absolute.lexically_relative(std::filesystem::absolute(Options.ModuleRoot).lexically_normal()).generic_string();
	GeneratorOptions.HeaderIncludePath = Absolute.generic_string();

	const FParsedHeader Parsed = ParseHeader(Source.str(), GeneratorOptions.FileName);
	const FGeneratedFiles Files = GenerateReflectionCode(Parsed, GeneratorOptions);
	const std::string Base = HeaderPath.stem().string();
	std::filesystem::create_directories(Options.OutputDir);
	WriteIfChanged(Options.OutputDir / (Base + ".generated.h"), Files.GeneratedHeader);
	WriteIfChanged(Options.OutputDir / (Base + ".gen.cpp"), Files.GeneratedSource);
}
} // namespace

int RunHeaderTool(const std::vector<std::string>& Arguments, std::ostream& Errors)
{
	FToolOptions Options;
	if (!ParseArguments(Arguments, Options, Errors))
	{
		return 1;
	}
	try
	{
		for (const std::filesystem::path& Header : Options.Headers)
		{
			ProcessHeader(Options, Header);
		}
	}
	catch (const std::exception& Error)
	{
		Errors << Error.what() << "\n";
		return 1;
	}
	return 0;
}
