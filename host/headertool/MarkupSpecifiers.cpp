// Specifiers to flags and metadata.
#include "MarkupSpecifiers.h"

#include "HeaderToolError.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <vector>

namespace
{
bool EqualsIgnoreCase(const std::string& A, const char* B)
{
	const std::string Other(B);
	return A.size() == Other.size() &&
		std::equal(A.begin(), A.end(), Other.begin(),
			[](char X, char Y)
			{ return std::tolower(static_cast<unsigned char>(X)) == std::tolower(static_cast<unsigned char>(Y)); });
}

void AddFlags(std::vector<std::string>& Flags, std::initializer_list<const char*> NewFlags)
{
	for (const char* Flag : NewFlags)
	{
		if (std::find(Flags.begin(), Flags.end(), Flag) == Flags.end())
		{
			Flags.push_back(Flag);
		}
	}
}

// The meta = (...) entries, under Prefix.
void ApplyMeta(FMetaData& Target, const FMarkup& Markup, const std::string& Prefix = std::string())
{
	for (const auto& [Key, Value] : Markup.MetaData)
	{
		Target[Prefix + Key] = Value;
	}
}

[[noreturn]] void Unknown(
	const char* What, const FSpecifier& Specifier, const FMarkup& Markup, const std::string& FileName)
{
	throw FHeaderToolError(
		FileName, Markup.Line, std::string("unknown ") + What + " specifier '" + Specifier.Key + "'");
}
} // namespace

void ApplyEnumMarkup(FParsedEnum& Enum, const FMarkup& Markup, const std::string& FileName)
{
	for (const FSpecifier& Specifier : Markup.Specifiers)
	{
		if (EqualsIgnoreCase(Specifier.Key, "BlueprintType"))
		{
			Enum.MetaData["BlueprintType"] = "true";
		}
		else if (EqualsIgnoreCase(Specifier.Key, "Flags"))
		{
			Enum.MetaData["Bitflags"] = "";
		}
		else
		{
			Unknown("enum", Specifier, Markup, FileName);
		}
	}
	ApplyMeta(Enum.MetaData, Markup);
}

void ApplyEnumeratorMarkup(FParsedEnum& Enum, const std::string& Enumerator, const FMarkup& Markup)
{
	ApplyMeta(Enum.MetaData, Markup, Enumerator + ".");
}

void ApplyStructMarkup(FParsedStruct& Struct, const FMarkup& Markup, const std::string& FileName)
{
	for (const FSpecifier& Specifier : Markup.Specifiers)
	{
		const std::string& Key = Specifier.Key;
		if (EqualsIgnoreCase(Key, "BlueprintType"))
		{
			Struct.MetaData["BlueprintType"] = "true";
		}
		else if (EqualsIgnoreCase(Key, "NotBlueprintType"))
		{
			Struct.MetaData["NotBlueprintType"] = "true";
		}
		else if (!Struct.bIsClass &&
			(EqualsIgnoreCase(Key, "Atomic") || EqualsIgnoreCase(Key, "Immutable") ||
				EqualsIgnoreCase(Key, "NoExport")))
		{
		}
		else if (!Struct.bIsClass)
		{
			Unknown("struct", Specifier, Markup, FileName);
		}
		else if (EqualsIgnoreCase(Key, "Blueprintable"))
		{
			Struct.MetaData["IsBlueprintBase"] = "true";
			Struct.MetaData["BlueprintType"] = "true";
		}
		else if (EqualsIgnoreCase(Key, "NotBlueprintable"))
		{
			Struct.MetaData["IsBlueprintBase"] = "false";
		}
		else if (EqualsIgnoreCase(Key, "Abstract"))
		{
			AddFlags(Struct.ClassFlags, {"CLASS_Abstract"});
		}
		else if (EqualsIgnoreCase(Key, "Transient"))
		{
			AddFlags(Struct.ClassFlags, {"CLASS_Transient"});
		}
		else if (EqualsIgnoreCase(Key, "NotPlaceable"))
		{
			AddFlags(Struct.ClassFlags, {"CLASS_NotPlaceable"});
		}
		else if (EqualsIgnoreCase(Key, "MinimalAPI"))
		{
			AddFlags(Struct.ClassFlags, {"CLASS_MinimalAPI"});
		}
		else if (EqualsIgnoreCase(Key, "EditInlineNew"))
		{
			AddFlags(Struct.ClassFlags, {"CLASS_EditInlineNew"});
		}
		else if (EqualsIgnoreCase(Key, "DefaultToInstanced"))
		{
			AddFlags(Struct.ClassFlags, {"CLASS_DefaultToInstanced"});
		}
		else if (EqualsIgnoreCase(Key, "Deprecated"))
		{
			AddFlags(Struct.ClassFlags, {"CLASS_Deprecated"});
		}
		else if (EqualsIgnoreCase(Key, "HideDropdown"))
		{
			AddFlags(Struct.ClassFlags, {"CLASS_HideDropDown"});
		}
		else if (EqualsIgnoreCase(Key, "Const"))
		{
			AddFlags(Struct.ClassFlags, {"CLASS_Const"});
		}
		else if (EqualsIgnoreCase(Key, "CollapseCategories"))
		{
			AddFlags(Struct.ClassFlags, {"CLASS_CollapseCategories"});
		}
		else if (EqualsIgnoreCase(Key, "Config"))
		{
			AddFlags(Struct.ClassFlags, {"CLASS_Config"});
			Struct.ConfigName = Specifier.Value;
		}
		else if (EqualsIgnoreCase(Key, "DefaultConfig"))
		{
			AddFlags(Struct.ClassFlags, {"CLASS_DefaultConfig"});
		}
		else if (EqualsIgnoreCase(Key, "PerObjectConfig"))
		{
			AddFlags(Struct.ClassFlags, {"CLASS_PerObjectConfig"});
		}
		else if (EqualsIgnoreCase(Key, "ClassGroup"))
		{
			Struct.MetaData["ClassGroupNames"] = Specifier.Value;
		}
		else if (EqualsIgnoreCase(Key, "HideCategories"))
		{
			Struct.MetaData["HideCategories"] = Specifier.Value;
		}
		else if (EqualsIgnoreCase(Key, "ShowCategories"))
		{
			Struct.MetaData["ShowCategories"] = Specifier.Value;
		}
		else if (EqualsIgnoreCase(Key, "AutoExpandCategories"))
		{
			Struct.MetaData["AutoExpandCategories"] = Specifier.Value;
		}
		else if (EqualsIgnoreCase(Key, "Placeable") || EqualsIgnoreCase(Key, "NotEditInlineNew") ||
			EqualsIgnoreCase(Key, "NonTransient") || EqualsIgnoreCase(Key, "Within"))
		{
		}
		else
		{
			Unknown("class", Specifier, Markup, FileName);
		}
	}
	ApplyMeta(Struct.MetaData, Markup);
}

void ApplyPropertyMarkup(FParsedProperty& Property, const FMarkup& Markup, const std::string& FileName)
{
	// Specifier, then the flags it sets.
	static const std::map<std::string, std::vector<const char*>> FlagSpecifiers = {
		{"editanywhere", {"CPF_Edit"}},
		{"editdefaultsonly", {"CPF_Edit", "CPF_DisableEditOnInstance"}},
		{"editinstanceonly", {"CPF_Edit", "CPF_DisableEditOnTemplate"}},
		{"visibleanywhere", {"CPF_Edit", "CPF_EditConst"}},
		{"visibledefaultsonly", {"CPF_Edit", "CPF_EditConst", "CPF_DisableEditOnInstance"}},
		{"visibleinstanceonly", {"CPF_Edit", "CPF_EditConst", "CPF_DisableEditOnTemplate"}},
		{"blueprintreadwrite", {"CPF_BlueprintVisible"}},
		{"blueprintreadonly", {"CPF_BlueprintVisible", "CPF_BlueprintReadOnly"}},
		{"transient", {"CPF_Transient"}},
		{"duplicatetransient", {"CPF_DuplicateTransient"}},
		{"nonpieduplicatetransient", {"CPF_NonPIEDuplicateTransient"}},
		{"textexporttransient", {"CPF_TextExportTransient"}},
		{"config", {"CPF_Config"}},
		{"globalconfig", {"CPF_GlobalConfig", "CPF_Config"}},
		{"savegame", {"CPF_SaveGame"}},
		{"advanceddisplay", {"CPF_AdvancedDisplay"}},
		{"simpledisplay", {"CPF_SimpleDisplay"}},
		{"interp", {"CPF_Edit", "CPF_BlueprintVisible", "CPF_Interp"}},
		{"noclear", {"CPF_NoClear"}},
		{"export", {"CPF_ExportObject"}},
		{"instanced", {"CPF_PersistentInstance", "CPF_ExportObject", "CPF_InstancedReference"}},
		{"editfixedsize", {"CPF_EditFixedSize"}},
		{"assetregistrysearchable", {"CPF_AssetRegistrySearchable"}},
		{"skipserialization", {"CPF_SkipSerialization"}},
	};
	for (const FSpecifier& Specifier : Markup.Specifiers)
	{
		std::string Key = Specifier.Key;
		std::transform(Key.begin(), Key.end(), Key.begin(),
			[](char C) { return char(std::tolower(static_cast<unsigned char>(C))); });
		if (const auto Found = FlagSpecifiers.find(Key); Found != FlagSpecifiers.end())
		{
			for (const char* Flag : Found->second)
			{
				AddFlags(Property.Flags, {Flag});
			}
		}
		else if (Key == "category")
		{
			Property.MetaData["Category"] = Specifier.Value;
		}
		else
		{
			Unknown("property", Specifier, Markup, FileName);
		}
	}
	if (std::find(Property.Flags.begin(), Property.Flags.end(), "CPF_PersistentInstance") != Property.Flags.end())
	{
		Property.MetaData["EditInline"] = "true";
	}
	switch (Property.Access)
	{
		case EAccess::Public:
			AddFlags(Property.Flags, {"CPF_NativeAccessSpecifierPublic"});
			break;
		case EAccess::Protected:
			AddFlags(Property.Flags, {"CPF_Protected", "CPF_NativeAccessSpecifierProtected"});
			break;
		case EAccess::Private:
			AddFlags(Property.Flags, {"CPF_NativeAccessSpecifierPrivate"});
			break;
	}
	ApplyMeta(Property.MetaData, Markup);
}

void ApplyFunctionMarkup(FParsedFunction& Function, const FMarkup& Markup, const std::string& FileName)
{
	AddFlags(Function.Flags, {"FUNC_Native"});
	if (!Function.bVirtual)
	{
		AddFlags(Function.Flags, {"FUNC_Final"});
	}
	for (const FSpecifier& Specifier : Markup.Specifiers)
	{
		const std::string& Key = Specifier.Key;
		if (EqualsIgnoreCase(Key, "BlueprintCallable"))
		{
			AddFlags(Function.Flags, {"FUNC_BlueprintCallable"});
		}
		else if (EqualsIgnoreCase(Key, "BlueprintPure"))
		{
			AddFlags(Function.Flags, {"FUNC_BlueprintCallable", "FUNC_BlueprintPure"});
		}
		else if (EqualsIgnoreCase(Key, "Category"))
		{
			Function.MetaData["Category"] = Specifier.Value;
		}
		else if (EqualsIgnoreCase(Key, "CallInEditor"))
		{
			Function.MetaData["CallInEditor"] = "true";
		}
		else if (EqualsIgnoreCase(Key, "Exec"))
		{
			AddFlags(Function.Flags, {"FUNC_Exec"});
		}
		else if (EqualsIgnoreCase(Key, "BlueprintAuthorityOnly"))
		{
			AddFlags(Function.Flags, {"FUNC_BlueprintAuthorityOnly"});
		}
		else if (EqualsIgnoreCase(Key, "BlueprintCosmetic"))
		{
			AddFlags(Function.Flags, {"FUNC_BlueprintCosmetic"});
		}
		else
		{
			Unknown("function", Specifier, Markup, FileName);
		}
	}
	switch (Function.Access)
	{
		case EAccess::Public:
			AddFlags(Function.Flags, {"FUNC_Public"});
			break;
		case EAccess::Protected:
			AddFlags(Function.Flags, {"FUNC_Protected"});
			break;
		case EAccess::Private:
			AddFlags(Function.Flags, {"FUNC_Private"});
			break;
	}
	if (Function.bConst)
	{
		AddFlags(Function.Flags, {"FUNC_Const"});
	}
	if (Function.bStatic)
	{
		AddFlags(Function.Flags, {"FUNC_Static"});
	}
	const bool bHasOutParameter = std::any_of(Function.Parameters.begin(), Function.Parameters.end(),
		[](const FParsedParameter& Parameter) { return Parameter.bReference && !Parameter.bConst; });
	if (!Function.ReturnType.empty() || bHasOutParameter)
	{
		AddFlags(Function.Flags, {"FUNC_HasOutParms"});
	}
	for (const FParsedParameter& Parameter : Function.Parameters)
	{
		if (!Parameter.Default.empty())
		{
			AddFlags(Function.Flags, {"FUNC_HasDefaults"});
			Function.MetaData["CPP_Default_" + Parameter.Name] = Parameter.RecordedDefault;
		}
	}
	ApplyMeta(Function.MetaData, Markup);
}
