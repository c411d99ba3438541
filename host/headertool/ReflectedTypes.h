// What the header tool reads from one header: its reflected enums, structs and classes, with the flags and
// metadata their specifiers and documenting comments give, as the engine's header tool derives them.
#pragma once

#include <map>
#include <string>
#include <vector>

// Metadata keys to values. Keys are kept sorted so the generated code is stable.
using FMetaData = std::map<std::string, std::string>;

enum class EAccess
{
	Public,
	Protected,
	Private,
};

struct FParsedProperty
{
	std::string Name;
	// The member's C++ type as written, e.g. "TArray<FName>", "TObjectPtr<UQVFaceRigDataAsset>".
	std::string Type;
	// The default member initialiser as written ("= 1.f" gives "1.f", "{ 1, 2 }" gives "{1, 2}"); empty if none.
	std::string Default;
	int Line = 0;
	EAccess Access = EAccess::Public;
	// "CPF_Edit", "CPF_BlueprintVisible", ...
	std::vector<std::string> Flags;
	FMetaData MetaData;
	// The condition its generated code stands under ("WITH_EDITORONLY_DATA"); empty when always built.
	std::string Guard;
};

struct FParsedParameter
{
	std::string Name;
	// Without const and reference, e.g. "FVector" for "const FVector&"; pointers keep their '*'.
	std::string Type;
	bool bConst = false;
	bool bReference = false;
	// The default argument as written, and as the engine records it in "CPP_Default_<Name>"; empty if none.
	std::string Default;
	std::string RecordedDefault;
};

struct FParsedFunction
{
	std::string Name;
	// Empty for void; without const and reference.
	std::string ReturnType;
	std::vector<FParsedParameter> Parameters;
	bool bConst = false;
	bool bStatic = false;
	bool bVirtual = false;
	int Line = 0;
	EAccess Access = EAccess::Public;
	// "FUNC_Native", "FUNC_BlueprintCallable", ...
	std::vector<std::string> Flags;
	FMetaData MetaData;
	// "WITH_EDITOR" or "WITH_EDITORONLY_DATA" for an editor-only function; empty when always built.
	std::string Guard;
};

struct FParsedEnumerator
{
	std::string Name;
	// The explicit value as written, empty when implicit.
	std::string Value;
};

struct FParsedEnum
{
	std::string Name;
	// Empty when the enum has no fixed underlying type (allowed only for enum classes).
	std::string UnderlyingType;
	bool bEnumClass = false;
	int Line = 0;
	std::vector<FParsedEnumerator> Enumerators;
	// Also holds the enumerators' metadata as "<Enumerator>.<Key>".
	FMetaData MetaData;
	// "WITH_EDITORONLY_DATA" for a type declared in such a block; empty when always built.
	std::string Guard;
};

struct FParsedStruct
{
	// A UCLASS (else a USTRUCT).
	bool bIsClass = false;
	std::string Name;
	// The first base, e.g. "FRigUnitMutable", "UDataAsset"; empty when none.
	std::string BaseName;
	int Line = 0;
	// The line of GENERATED_BODY(), which names the macro the generated header defines.
	int GeneratedBodyLine = 0;
	// Declares RIGVM_METHOD() virtual void Execute() override.
	bool bHasRigVMMethod = false;
	std::vector<FParsedProperty> Properties;
	std::vector<FParsedFunction> Functions;
	// "CLASS_Abstract", ... (classes only)
	std::vector<std::string> ClassFlags;
	std::string ConfigName;
	FMetaData MetaData;
	// "WITH_EDITORONLY_DATA" for a type declared in such a block; empty when always built.
	std::string Guard;
};

struct FParsedHeader
{
	std::vector<FParsedEnum> Enums;
	std::vector<FParsedStruct> Structs;
	// The #include directives in order, as the quoted or bracketed file names.
	std::vector<std::string> Includes;

	bool HasReflectedTypes() const { return !Enums.empty() || !Structs.empty(); }
};
