// The header tool's output for one header: X.generated.h (the GENERATED_BODY() expansions by line, the rig units'
// StaticExecute declarations and FRigUnit_X_Execute() macros) and X.gen.cpp (type construction, the RigVM entries,
// the units' registration with the RigVM registry, and the start-up registration in the script package).
#pragma once

#include "ReflectedTypes.h"

#include <string>

struct FGeneratorOptions
{
	// The header as named in error messages.
	std::string FileName;
	// "QuorvelUnreal": the script package is "/Script/<ModuleName>", the export macro <MODULENAME>_API.
	std::string ModuleName;
	// "Public/RigUnit_QVReverseFootRoll.h": metadata "ModuleRelativePath", and the file id.
	std::string ModuleRelativePath;
	// How the .gen.cpp includes the header (an absolute path in the build).
	std::string HeaderIncludePath;
};

struct FGeneratedFiles
{
	std::string GeneratedHeader;
	std::string GeneratedSource;
};

// Stops with FHeaderToolError on a reflected type that cannot be generated (a rig unit without a unit base).
FGeneratedFiles GenerateReflectionCode(const FParsedHeader& Header, const FGeneratorOptions& Options);

// The C++ type a rig unit's StaticExecute takes a pin of type Type as: inputs of numbers, bools and enums by
// value ("const float"), arrays as read-only views ("const TArrayView<const FName>&"), other inputs by const
// reference; outputs and hidden pins by reference ("TArray<FName>&", "FTransform&").
std::string GetPinParameterType(const std::string& Type, bool bInput);
