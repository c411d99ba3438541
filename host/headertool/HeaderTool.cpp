// Reading a module's headers and writing their generated files.
#include "HeaderTool.h"

#include "CodeGenerator.h"
#include "GeneratedFileWriter.h"
#include "HeaderParser.h"
#include "HeaderToolError.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
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

// The module name becomes C++ identifiers (QUORVELUNREAL_API, FID_QuorvelUnreal_...) and the package
// "/Script/<Name>", so it must be an identifier itself.
bool IsValidModuleName(const std::string& Name)
{
	return !Name.empty() && !std::isdigit(static_cast<unsigned char>(Name[0])) &&
		std::all_of(
			Name.begin(), Name.end(), [](char C) { return std::isalnum(static_cast<unsigned char>(C)) || C == '_'; });
}

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
	if (!IsValidModuleName(Options.ModuleName))
	{
		Errors << "qvheadertool: error: invalid module name '" << Options.ModuleName
			   << "': use letters, digits and underscores, not starting with a digit\n";
		return false;
	}
	return true;
}

// The generated files are named after the header, so two headers of one module may not share a name (the engine's
// header tool has the same rule).
void CheckUniqueHeaderNames(const FToolOptions& Options)
{
	std::map<std::string, std::filesystem::path> Seen;
	for (const std::filesystem::path& Header : Options.Headers)
	{
		const std::string Generated = Header.stem().string() + ".generated.h";
		const auto [Earlier, bAdded] = Seen.emplace(Generated, Header);
		if (!bAdded)
		{
			throw FHeaderToolError(Header.string(), 1,
				"two headers of module " + Options.ModuleName + " would both generate '" + Generated + "' (" +
					Earlier->second.string() + " and " + Header.string() +
					"); header names must be unique within a module");
		}
	}
}

struct FProcessedHeader
{
	FParsedHeader Parsed;
	FGeneratedFiles Files;
};

FProcessedHeader ProcessHeader(const FToolOptions& Options, const std::filesystem::path& HeaderPath)
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

	FProcessedHeader Result;
	Result.Parsed = ParseHeader(Source.str(), GeneratorOptions.FileName);
	Result.Files = GenerateReflectionCode(Result.Parsed, GeneratorOptions);
	return Result;
}

// Types are registered in the module's one script package, so no two headers may declare types of the same
// registered name.
void CheckUniqueTypeNames(const FToolOptions& Options, const std::vector<FProcessedHeader>& Processed)
{
	std::map<std::string, std::string> Seen;
	for (size_t Index = 0; Index < Processed.size(); ++Index)
	{
		const std::string File = Options.Headers[Index].string();
		const auto Register = [&](const std::string& CppName, const std::string& RegisteredName, int Line)
		{
			const auto [Earlier, bAdded] = Seen.emplace(RegisteredName, File + ":" + std::to_string(Line));
			if (!bAdded)
			{
				throw FHeaderToolError(File, Line,
					"'" + CppName + "' has the same name as the type declared at " + Earlier->second +
						" (both are registered as '" + RegisteredName + "' in /Script/" + Options.ModuleName + ")");
			}
		};
		for (const FParsedEnum& Enum : Processed[Index].Parsed.Enums)
		{
			Register(Enum.Name, Enum.Name, Enum.Line);
		}
		for (const FParsedStruct& Struct : Processed[Index].Parsed.Structs)
		{
			Register(Struct.Name, Struct.Name.substr(1), Struct.Line);
		}
	}
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
		CheckUniqueHeaderNames(Options);
		std::vector<FProcessedHeader> Processed;
		for (const std::filesystem::path& Header : Options.Headers)
		{
			Processed.push_back(ProcessHeader(Options, Header));
		}
		CheckUniqueTypeNames(Options, Processed);
		std::filesystem::create_directories(Options.OutputDir);
		for (size_t Index = 0; Index < Processed.size(); ++Index)
		{
			const std::string Base = Options.Headers[Index].stem().string();
			WriteGeneratedFiles({{Options.OutputDir / (Base + ".generated.h"), Processed[Index].Files.GeneratedHeader},
				{Options.OutputDir / (Base + ".gen.cpp"), Processed[Index].Files.GeneratedSource}});
		}
	}
	catch (const std::exception& Error)
	{
		Errors << Error.what() << "\n";
		return 1;
	}
	return 0;
}
