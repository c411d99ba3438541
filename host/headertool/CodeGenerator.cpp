// Writing X.generated.h and X.gen.cpp.
#include "CodeGenerator.h"

#include "CppText.h"
#include "HeaderToolError.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>

namespace
{
std::string CppString(const std::string& Value)
{
	return "TEXT(" + QuoteCppText(Value) + ")";
}

std::string Sanitize(const std::string& Text)
{
	std::string Result = Text;
	std::replace_if(
		Result.begin(), Result.end(), [](char C) { return !std::isalnum(static_cast<unsigned char>(C)); }, '_');
	return Result;
}

std::string Upper(std::string Text)
{
	std::transform(Text.begin(), Text.end(), Text.begin(),
		[](char C) { return char(std::toupper(static_cast<unsigned char>(C))); });
	return Text;
}

std::string JoinFlags(const std::vector<std::string>& Flags, const char* None)
{
	if (Flags.empty())
	{
		return None;
	}
	std::string Result;
	for (const std::string& Flag : Flags)
	{
		Result += (Result.empty() ? "" : " | ") + Flag;
	}
	return Result;
}

std::string MetaDataList(const FMetaData& MetaData, const std::string& Indent)
{
	if (MetaData.empty())
	{
		return "{}";
	}
	std::string Result = "{\n";
	for (const auto& [Key, Value] : MetaData)
	{
		Result += Indent + "\t{" + CppString(Key) + ", " + CppString(Value) + "},\n";
	}
	return Result + Indent + "}";
}

bool StartsWith(const std::string& Text, const char* Prefix)
{
	return Text.compare(0, std::char_traits<char>::length(Prefix), Prefix) == 0;
}

// "TArray<FName>" gives "FName"; other types give "".
std::string ArrayElementType(const std::string& Type)
{
	if (StartsWith(Type, "TArray<") && Type.back() == '>')
	{
		return Type.substr(7, Type.size() - 8);
	}
	return std::string();
}

// Numbers, bools and enums (E-prefixed names, TEnumAsByte) pass by value.
bool IsPassedByValue(const std::string& Type)
{
	static const std::set<std::string> Scalars = {
		"bool", "int8", "int16", "int32", "int64", "uint8", "uint16", "uint32", "uint64", "int", "float", "double"};
	if (Scalars.count(Type) != 0 || StartsWith(Type, "TEnumAsByte<"))
	{
		return true;
	}
	const size_t Last = Type.rfind("::");
	const std::string Name = Last == std::string::npos ? Type : Type.substr(Last + 2);
	return Name.size() > 1 && Name[0] == 'E' && std::isupper(static_cast<unsigned char>(Name[1])) &&
		std::all_of(
			Name.begin(), Name.end(), [](char C) { return std::isalnum(static_cast<unsigned char>(C)) || C == '_'; });
}

enum class EPinDirection
{
	Input,
	Output,
	IO,
	Visible,
	Hidden,
};

EPinDirection GetPinDirection(const FParsedProperty& Property)
{
	const bool bInput = Property.MetaData.count("Input") != 0;
	const bool bOutput = Property.MetaData.count("Output") != 0;
	if (bInput && bOutput)
	{
		return EPinDirection::IO;
	}
	if (bInput)
	{
		return EPinDirection::Input;
	}
	if (bOutput)
	{
		return EPinDirection::Output;
	}
	return Property.MetaData.count("Visible") != 0 ? EPinDirection::Visible : EPinDirection::Hidden;
}

const char* DirectionName(EPinDirection Direction)
{
	switch (Direction)
	{
		case EPinDirection::Input:
			return "ERigVMPinDirection::Input";
		case EPinDirection::Output:
			return "ERigVMPinDirection::Output";
		case EPinDirection::IO:
			return "ERigVMPinDirection::IO";
		case EPinDirection::Visible:
			return "ERigVMPinDirection::Visible";
		case EPinDirection::Hidden:
			return "ERigVMPinDirection::Hidden";
	}
	return "ERigVMPinDirection::Invalid";
}

// Code that is compiled only when Guard holds (a member or type of an editor build); as is when Guard is empty.
std::string Guarded(const std::string& Guard, const std::string& Code)
{
	return Guard.empty() ? Code : "#if " + Guard + "\n" + Code + "#endif // " + Guard + "\n";
}

// Lines joined into one macro definition.
std::string Macro(const std::string& Name, const std::vector<std::string>& Lines)
{
	std::string Result = "#define " + Name;
	for (const std::string& Line : Lines)
	{
		Result += " \\\n\t" + Line;
	}
	return Result + "\n\n";
}

class FGenerator
{
public:
	FGenerator(const FParsedHeader& InHeader, const FGeneratorOptions& InOptions)
		: Header(InHeader), Options(InOptions), PackageName("/Script/" + InOptions.ModuleName),
		  ApiMacro(Upper(InOptions.ModuleName) + "_API"),
		  FileId("FID_" + Sanitize(InOptions.ModuleName + "_" + InOptions.ModuleRelativePath))
	{
	}

	FGeneratedFiles Run()
	{
		for (const FParsedStruct& Struct : Header.Structs)
		{
			if (Struct.bHasRigVMMethod && !DerivesFromRigUnit(Struct.Name))
			{
				throw FHeaderToolError(Options.FileName, Struct.Line,
					"'" + Struct.Name +
						"' declares RIGVM_METHOD() but does not derive from FRigUnit or FRigUnitMutable");
			}
			for (const FParsedProperty& Pin : Struct.Properties)
			{
				if (Struct.bHasRigVMMethod && !Pin.Guard.empty())
				{
					// StaticExecute takes every pin, so a pin cannot exist in one build only.
					throw FHeaderToolError(Options.FileName, Pin.Line,
						"pin '" + Pin.Name + "' of rig unit '" + Struct.Name + "' cannot be inside #if " + Pin.Guard);
				}
			}
		}
		FGeneratedFiles Files;
		Files.GeneratedHeader = WriteHeader();
		Files.GeneratedSource = WriteSource();
		return Files;
	}

private:
	bool DerivesFromRigUnit(const std::string& Name) const
	{
		for (const FParsedStruct& Struct : Header.Structs)
		{
			if (Struct.Name == Name)
			{
				return Struct.BaseName == "FRigUnit" || Struct.BaseName == "FRigUnitMutable" ||
					DerivesFromRigUnit(Struct.BaseName);
			}
		}
		return false;
	}

	std::string Base() const
	{
		const size_t Slash = Options.ModuleRelativePath.find_last_of("/\\");
		std::string Name =
			Slash == std::string::npos ? Options.ModuleRelativePath : Options.ModuleRelativePath.substr(Slash + 1);
		return Name.substr(0, Name.find_last_of('.'));
	}

	std::string IncludePath() const
	{
		for (const char* Folder : {"Public/", "Private/", "Classes/"})
		{
			if (StartsWith(Options.ModuleRelativePath, Folder))
			{
				return Options.ModuleRelativePath.substr(std::char_traits<char>::length(Folder));
			}
		}
		return Options.ModuleRelativePath;
	}

	std::string StaticExecuteParameters(const FParsedStruct& Unit) const
	{
		std::string Result = "FControlRigExecuteContext& ExecuteContext";
		for (const FParsedProperty& Pin : Unit.Properties)
		{
			const EPinDirection Direction = GetPinDirection(Pin);
			const bool bInput = Direction == EPinDirection::Input || Direction == EPinDirection::Visible;
			Result += ", " + GetPinParameterType(Pin.Type, bInput) + " " + Pin.Name;
		}
		return Result;
	}

	std::string PinNames(const FParsedStruct& Unit) const
	{
		std::string Result;
		for (const FParsedProperty& Pin : Unit.Properties)
		{
			Result += ", " + Pin.Name;
		}
		return Result;
	}

	std::string WriteHeader() const
	{
		const std::string Guard = Upper(Options.ModuleName) + "_" + Sanitize(Base()) + "_generated_h";
		std::ostringstream Out;
		Out << "// Reflection glue for " << Options.ModuleRelativePath << ", written by the header tool. Do not edit.\n"
			<< "#include \"UObject/ObjectMacros.h\"\n"
			<< "#include \"UObject/ReflectedTypeAccessors.h\"\n\n"
			<< "#ifdef " << Guard << "\n"
			<< "#error \"" << Base() << ".generated.h already included, missing '#pragma once' in " << Base()
			<< ".h\"\n"
			<< "#endif\n"
			<< "#define " << Guard << "\n\n"
			<< "#ifndef " << ApiMacro << "\n#define " << ApiMacro << "\n#endif\n\n";

		for (const FParsedEnum& Enum : Header.Enums)
		{
			Out << "enum " << (Enum.bEnumClass ? "class " : "") << Enum.Name
				<< (Enum.UnderlyingType.empty() ? "" : " : " + Enum.UnderlyingType) << ";\n"
				<< "template <>\n"
				<< ApiMacro << " UEnum* StaticEnum<" << Enum.Name << ">();\n\n";
		}

		for (const FParsedStruct& Struct : Header.Structs)
		{
			const std::string BodyMacro = FileId + "_" + std::to_string(Struct.GeneratedBodyLine) + "_GENERATED_BODY";
			std::vector<std::string> Lines;
			if (Struct.bIsClass)
			{
				Lines.push_back("friend struct Z_Construct_UClass_" + Struct.Name + "_Statics;");
				Lines.push_back(
					"DECLARE_CLASS_BODY(" + Struct.Name + ", " + Struct.BaseName + ", TEXT(\"" + PackageName + "\"))");
				Lines.push_back("private:");
				Out << Macro(BodyMacro, Lines) << "template <>\n"
					<< ApiMacro << " UClass* StaticClass<class " << Struct.Name << ">();\n\n";
				continue;
			}
			Lines.push_back("friend struct Z_Construct_UScriptStruct_" + Struct.Name + "_Statics;");
			Lines.push_back("public:");
			Lines.push_back("static UScriptStruct* StaticStruct();");
			if (!Struct.BaseName.empty())
			{
				Lines.push_back("typedef " + Struct.BaseName + " Super;");
			}
			if (Struct.bHasRigVMMethod)
			{
				Lines.push_back("static void StaticExecute(" + StaticExecuteParameters(Struct) + ");");
				Lines.push_back(
					"static void RigVMExecute(FRigVMExtendedExecuteContext& RigVMExecuteContext, "
					"FRigVMMemoryHandleArray RigVMMemoryHandles, FRigVMPredicateBranchArray RigVMPredicateBranches);");
				Lines.push_back("void Execute(FControlRigExecuteContext& InExecuteContext)");
				Lines.push_back("{");
				Lines.push_back("\tStaticExecute(InExecuteContext" + PinNames(Struct) + ");");
				Lines.push_back("}");
				Lines.push_back("virtual const UScriptStruct* GetExecuteContextStruct() const override");
				Lines.push_back("{");
				Lines.push_back("\treturn FControlRigExecuteContext::StaticStruct();");
				Lines.push_back("}");
			}
			Out << Macro(BodyMacro, Lines);
			if (Struct.bHasRigVMMethod)
			{
				Out << Macro(Struct.Name + "_Execute()",
					{"void " + Struct.Name + "::StaticExecute(" + StaticExecuteParameters(Struct) + ")"});
			}
			Out << "template <>\n" << ApiMacro << " UScriptStruct* StaticStruct<struct " << Struct.Name << ">();\n\n";
		}

		Out << "#undef CURRENT_FILE_ID\n#define CURRENT_FILE_ID " << FileId << "\n";
		return Out.str();
	}

	FMetaData WithPath(FMetaData MetaData) const
	{
		MetaData["ModuleRelativePath"] = Options.ModuleRelativePath;
		return MetaData;
	}

	void WriteEnum(std::ostringstream& Out, const FParsedEnum& Enum) const
	{
		std::ostringstream Code;
		WriteEnumCode(Code, Enum);
		Out << Guarded(Enum.Guard, Code.str());
	}

	void WriteEnumCode(std::ostringstream& Out, const FParsedEnum& Enum) const
	{
		Out << "template <>\nUEnum* StaticEnum<" << Enum.Name << ">()\n{\n"
			<< "\tstatic UEnum* const Enum = UECodeGen_Private::ConstructEnum(" << CppString(PackageName) << ", "
			<< CppString(Enum.Name) << ",\n\t\tUEnum::ECppForm::" << (Enum.bEnumClass ? "EnumClass" : "Regular")
			<< ",\n\t\t{\n";
		for (const FParsedEnumerator& Enumerator : Enum.Enumerators)
		{
			const std::string Qualified = Enum.bEnumClass ? Enum.Name + "::" + Enumerator.Name : Enumerator.Name;
			Out << "\t\t\t{" << CppString(Qualified) << ", int64(" << Enum.Name << "::" << Enumerator.Name << ")},\n";
		}
		Out << "\t\t},\n\t\t" << MetaDataList(WithPath(Enum.MetaData), "\t\t") << ");\n\treturn Enum;\n}\n\n";
	}

	void WriteProperties(std::ostringstream& Out, const FParsedStruct& Struct, const char* Owner) const
	{
		for (const FParsedProperty& Property : Struct.Properties)
		{
			std::ostringstream Code;
			Code << "\t\tUECodeGen_Private::AddProperty<decltype(" << Struct.Name << "::" << Property.Name << ")>("
				 << Owner << ", " << CppString(Property.Name) << ", STRUCT_OFFSET(" << Struct.Name << ", "
				 << Property.Name << "),\n\t\t\t" << JoinFlags(Property.Flags, "CPF_None") << ",\n\t\t\t"
				 << MetaDataList(WithPath(Property.MetaData), "\t\t\t") << ");\n";
			Out << Guarded(Property.Guard, Code.str());
		}
	}

	void WriteRigVMRegistration(std::ostringstream& Out, const FParsedStruct& Unit) const
	{
		Out << "\t\t{\n\t\t\t// The unit's RigVM function, registered once, under the registry's write lock.\n"
			<< "\t\t\tFRigVMRegistryWriteLock WriteLock;\n"
			<< "\t\t\tWriteLock.GetRegistry().RegisterCompiledInStruct_NoLock(Struct, "
			<< CppString(Unit.Name + "::Execute") << ", &" << Unit.Name << "::RigVMExecute,\n\t\t\t\t{\n";
		for (const FParsedProperty& Pin : Unit.Properties)
		{
			Out << "\t\t\t\t\t{" << CppString(Pin.Name) << ", " << CppString(Pin.Type) << ", "
				<< DirectionName(GetPinDirection(Pin)) << "},\n";
		}
		Out << "\t\t\t\t});\n\t\t}\n";
	}

	void WriteUnitDefinitions(std::ostringstream& Out, const FParsedStruct& Unit) const
	{
		static const std::set<std::string> Reserved = {"ExecuteContext", "ExecutePin", "RigVMExecuteContext",
			"RigVMMemoryHandles", "RigVMPredicateBranches", "InExecuteContext"};
		Out << "void " << Unit.Name << "::RigVMExecute(FRigVMExtendedExecuteContext& RigVMExecuteContext, "
			<< "FRigVMMemoryHandleArray RigVMMemoryHandles,\n\tFRigVMPredicateBranchArray RigVMPredicateBranches)\n{\n"
			<< "\tFControlRigExecuteContext& ExecuteContext = "
			   "RigVMExecuteContext.GetPublicDataSafe<FControlRigExecuteContext>();\n";
		for (size_t Index = 0; Index < Unit.Properties.size(); ++Index)
		{
			const FParsedProperty& Pin = Unit.Properties[Index];
			if (Reserved.count(Pin.Name) != 0)
			{
				throw FHeaderToolError(Options.FileName, Pin.Line, "a pin cannot be named '" + Pin.Name + "'");
			}
			Out << "\t" << Pin.Type << "& " << Pin.Name << " = *reinterpret_cast<" << Pin.Type
				<< "*>(RigVMMemoryHandles[" << Index << "].GetData());\n";
		}
		Out << "\tStaticExecute(ExecuteContext" << PinNames(Unit) << ");\n}\n\n"
			<< "void " << Unit.Name << "::Execute()\n{\n"
			<< "\t// A default context has no hierarchy: the unit returns at once.\n"
			<< "\tFRigVMExtendedExecuteContext TemporaryExecuteContext(FControlRigExecuteContext::StaticStruct());\n"
			<< "\tExecute(TemporaryExecuteContext.GetPublicData<FControlRigExecuteContext>());\n}\n\n";
	}

	void WriteStruct(std::ostringstream& Out, const FParsedStruct& Struct) const
	{
		const std::string Statics = "Z_Construct_UScriptStruct_" + Struct.Name + "_Statics";
		const std::string Super =
			Struct.BaseName.empty() ? "nullptr" : "TBaseStructure<" + Struct.BaseName + ">::Get()";
		Out << "struct " << Statics << "\n{\n\tstatic UScriptStruct* Construct()\n\t{\n"
			<< "\t\tUScriptStruct* Struct = UECodeGen_Private::ConstructScriptStruct<" << Struct.Name << ">("
			<< CppString(PackageName) << ", " << CppString(Struct.Name.substr(1)) << ", " << Super << ",\n\t\t\t"
			<< MetaDataList(WithPath(Struct.MetaData), "\t\t\t") << ");\n";
		WriteProperties(Out, Struct, "Struct");
		if (Struct.bHasRigVMMethod)
		{
			WriteRigVMRegistration(Out, Struct);
		}
		Out << "\t\treturn Struct;\n\t}\n};\n\n"
			<< "UScriptStruct* " << Struct.Name << "::StaticStruct()\n{\n"
			<< "\tstatic UScriptStruct* const Struct = " << Statics << "::Construct();\n\treturn Struct;\n}\n\n"
			<< "template <>\nUScriptStruct* StaticStruct<" << Struct.Name << ">()\n{\n\treturn " << Struct.Name
			<< "::StaticStruct();\n}\n\n";
		if (Struct.bHasRigVMMethod)
		{
			WriteUnitDefinitions(Out, Struct);
		}
	}

	void WriteFunctionThunk(std::ostringstream& Out, const FParsedStruct& Class, const FParsedFunction& Function) const
	{
		const bool bHasParms = !Function.Parameters.empty() || !Function.ReturnType.empty();
		if (bHasParms)
		{
			Out << "\tstruct F" << Function.Name << "_Parms\n\t{\n";
			for (const FParsedParameter& Parameter : Function.Parameters)
			{
				Out << "\t\t" << Parameter.Type << " " << Parameter.Name << ";\n";
			}
			if (!Function.ReturnType.empty())
			{
				Out << "\t\t" << Function.ReturnType << " ReturnValue;\n";
			}
			Out << "\t};\n";
		}
		Out << "\tstatic void exec" << Function.Name << "(UObject* Context, void* Parms)\n\t{\n";
		std::string Call = Function.bStatic ? Class.Name + "::" + Function.Name
											: "static_cast<" + Class.Name + "*>(Context)->" + Function.Name;
		Call += "(";
		for (size_t Index = 0; Index < Function.Parameters.size(); ++Index)
		{
			Call += (Index > 0 ? ", " : "") + std::string("P.") + Function.Parameters[Index].Name;
		}
		Call += ")";
		if (bHasParms)
		{
			Out << "\t\tF" << Function.Name << "_Parms& P = *static_cast<F" << Function.Name << "_Parms*>(Parms);\n";
		}
		Out << "\t\t" << (Function.ReturnType.empty() ? "" : "P.ReturnValue = ") << Call << ";\n\t}\n\n";
	}

	void WriteFunctionConstruction(std::ostringstream& Out, const FParsedFunction& Function) const
	{
		const bool bHasParms = !Function.Parameters.empty() || !Function.ReturnType.empty();
		const std::string Parms = "F" + Function.Name + "_Parms";
		// A function without parameters needs no handle on its UFunction (an unused one would not compile cleanly).
		Out << "\t\t{\n\t\t\t" << (bHasParms ? "UFunction* Function = " : "")
			<< "UECodeGen_Private::ConstructFunction(Class, " << CppString(Function.Name) << ", &exec" << Function.Name
			<< ",\n\t\t\t\t" << JoinFlags(Function.Flags, "FUNC_None") << ", "
			<< (bHasParms ? "int32(sizeof(" + Parms + ")), int32(alignof(" + Parms + "))" : std::string("0, 1"))
			<< ",\n\t\t\t\t" << MetaDataList(WithPath(Function.MetaData), "\t\t\t\t") << ");\n";
		for (const FParsedParameter& Parameter : Function.Parameters)
		{
			std::vector<std::string> Flags = {"CPF_Parm"};
			if (Parameter.bConst)
			{
				Flags.push_back("CPF_ConstParm");
			}
			if (Parameter.bReference && !Parameter.bConst)
			{
				Flags.push_back("CPF_OutParm");
				Flags.push_back("CPF_ReferenceParm");
			}
			Out << "\t\t\tUECodeGen_Private::AddProperty<decltype(" << Parms << "::" << Parameter.Name
				<< ")>(Function, " << CppString(Parameter.Name) << ", STRUCT_OFFSET(" << Parms << ", " << Parameter.Name
				<< "), " << JoinFlags(Flags, "CPF_None") << ");\n";
		}
		if (!Function.ReturnType.empty())
		{
			Out << "\t\t\tUECodeGen_Private::AddProperty<decltype(" << Parms
				<< "::ReturnValue)>(Function, TEXT(\"ReturnValue\"), "
				<< "STRUCT_OFFSET(" << Parms << ", ReturnValue), CPF_Parm | CPF_OutParm | CPF_ReturnParm);\n";
		}
		Out << "\t\t}\n";
	}

	void WriteClass(std::ostringstream& Out, const FParsedStruct& Class) const
	{
		const std::string Statics = "Z_Construct_UClass_" + Class.Name + "_Statics";
		FMetaData MetaData = WithPath(Class.MetaData);
		MetaData["IncludePath"] = IncludePath();
		Out << "struct " << Statics << "\n{\n";
		for (const FParsedFunction& Function : Class.Functions)
		{
			std::ostringstream Thunk;
			WriteFunctionThunk(Thunk, Class, Function);
			Out << Guarded(Function.Guard, Thunk.str());
		}
		Out << "\tstatic UClass* Construct()\n\t{\n"
			<< "\t\tUClass* Class = UECodeGen_Private::ConstructClass<" << Class.Name << ">(" << CppString(PackageName)
			<< ", " << CppString(Class.Name) << ", " << Class.BaseName << "::StaticClass(),\n\t\t\t"
			<< JoinFlags(Class.ClassFlags, "CLASS_None") << ", "
			<< (Class.ConfigName.empty() ? std::string("nullptr") : CppString(Class.ConfigName)) << ",\n\t\t\t"
			<< MetaDataList(MetaData, "\t\t\t") << ");\n";
		WriteProperties(Out, Class, "Class");
		for (const FParsedFunction& Function : Class.Functions)
		{
			std::ostringstream Construction;
			WriteFunctionConstruction(Construction, Function);
			Out << Guarded(Function.Guard, Construction.str());
		}
		Out << "\t\treturn Class;\n\t}\n};\n\n"
			<< "UClass* " << Class.Name << "::StaticClass()\n{\n"
			<< "\tstatic UClass* const Class = " << Statics << "::Construct();\n\treturn Class;\n}\n\n"
			<< "template <>\nUClass* StaticClass<" << Class.Name << ">()\n{\n\treturn " << Class.Name
			<< "::StaticClass();\n}\n\n";
	}

	std::string WriteSource() const
	{
		std::ostringstream Out;
		Out << "// Reflection for " << Options.ModuleRelativePath << ", written by the header tool. Do not edit.\n";
		if (!Header.HasReflectedTypes())
		{
			return Out.str();
		}
		const bool bHasUnits = std::any_of(Header.Structs.begin(), Header.Structs.end(),
			[](const FParsedStruct& Struct) { return Struct.bHasRigVMMethod; });
		Out << "#include \"UObject/GeneratedCppIncludes.h\"\n";
		if (bHasUnits)
		{
			Out << "#include \"RigVMCore/RigVMRegistry.h\"\n";
		}
		Out << "#include \"" << Options.HeaderIncludePath << "\"\n\n"
			<< "// Reflected members of polymorphic types (units, classes) have fixed offsets all the same.\n"
			<< "#pragma GCC diagnostic ignored \"-Winvalid-offsetof\"\n\n";
		for (const FParsedEnum& Enum : Header.Enums)
		{
			WriteEnum(Out, Enum);
		}
		for (const FParsedStruct& Struct : Header.Structs)
		{
			std::ostringstream Code;
			if (Struct.bIsClass)
			{
				WriteClass(Code, Struct);
			}
			else
			{
				WriteStruct(Code, Struct);
			}
			Out << Guarded(Struct.Guard, Code.str());
		}
		Out << "// Recorded at start-up in " << PackageName << "; each type is made on its first request.\n"
			<< "static FRegisterCompiledInInfo Z_CompiledInDeferFile_" << FileId << "(" << CppString(PackageName)
			<< ",\n\t{\n";
		for (const FParsedEnum& Enum : Header.Enums)
		{
			Out << Guarded(Enum.Guard,
				"\t\t{" + CppString(Enum.Name) + ", []() -> UObject* { return StaticEnum<" + Enum.Name + ">(); }},\n");
		}
		for (const FParsedStruct& Struct : Header.Structs)
		{
			Out << Guarded(Struct.Guard,
				"\t\t{" + CppString(Struct.Name.substr(1)) + ", []() -> UObject* { return " + Struct.Name +
					(Struct.bIsClass ? "::StaticClass(); }},\n" : "::StaticStruct(); }},\n"));
		}
		Out << "\t});\n";
		return Out.str();
	}

	const FParsedHeader& Header;
	const FGeneratorOptions& Options;
	std::string PackageName;
	std::string ApiMacro;
	std::string FileId;
};
} // namespace

std::string GetPinParameterType(const std::string& Type, bool bInput)
{
	const std::string Element = ArrayElementType(Type);
	if (!bInput)
	{
		return Type + "&";
	}
	if (!Element.empty())
	{
		return "const TArrayView<const " + Element + ">&";
	}
	return IsPassedByValue(Type) ? "const " + Type : "const " + Type + "&";
}

FGeneratedFiles GenerateReflectionCode(const FParsedHeader& Header, const FGeneratorOptions& Options)
{
	return FGenerator(Header, Options).Run();
}
