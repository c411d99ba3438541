// Parsing the reflection markup of one header, statement by statement as the engine's header tool does.
#include "HeaderParser.h"

#include "ConditionalBlocks.h"
#include "CppText.h"
#include "DefaultArguments.h"
#include "DocumentingComments.h"
#include "HeaderToolError.h"
#include "Markup.h"
#include "MarkupSpecifiers.h"
#include "Tokenizer.h"
#include "TypeChecks.h"

#include <cctype>
#include <map>
#include <set>

namespace
{
const std::set<std::string> ReflectionMacros = {"UPROPERTY", "UFUNCTION", "GENERATED_BODY", "GENERATED_USTRUCT_BODY",
	"GENERATED_UCLASS_BODY", "RIGVM_METHOD", "UENUM", "USTRUCT", "UCLASS", "UMETA", "UPARAM"};

bool IsAccessSpecifier(const FToken& Token)
{
	return Token.IsIdentifier("public") || Token.IsIdentifier("protected") || Token.IsIdentifier("private");
}

bool IsReflectionMacro(const FToken& Token)
{
	return Token.Type == ETokenType::Identifier && ReflectionMacros.count(Token.Text) != 0;
}

// Names that must be unique within their scope, with the line of each.
class FNameRegistry
{
public:
	// Adds Name; returns the line of an earlier entry of that name, or 0 when it is new.
	int Add(const std::string& Name, int Line)
	{
		const auto [Entry, bAdded] = Lines.emplace(Name, Line);
		return bAdded ? 0 : Entry->second;
	}

private:
	std::map<std::string, int> Lines;
};

class FHeaderParser
{
public:
	FHeaderParser(FTokenizedHeader InTokenized, const std::string& InFileName)
		: Tokenized(std::move(InTokenized)), Tokens(Tokenized.Tokens), FileName(InFileName), Comments(Tokens)
	{
		// A sentinel, so look-ahead never runs off the end.
		FToken End;
		End.Type = ETokenType::Symbol;
		End.Line = Tokens.empty() ? 1 : Tokens.back().Line;
		Tokens.push_back(End);
	}

	FParsedHeader Parse()
	{
		CheckBalance();
		ReadIncludes();
		while (!AtEnd())
		{
			const FToken& Token = Peek();
			if (Token.IsIdentifier("UENUM"))
			{
				ParseEnum(ReadMarkup());
			}
			else if (Token.IsIdentifier("USTRUCT"))
			{
				ParseStruct(ReadMarkup(), false);
			}
			else if (Token.IsIdentifier("UCLASS"))
			{
				ParseStruct(ReadMarkup(), true);
			}
			else if (IsReflectionMacro(Token))
			{
				Fail(Token.Line, Token.Text + " outside a reflected struct or class");
			}
			else
			{
				SkipDeclaration();
			}
			Comments.EndStatement(Pos);
		}
		CheckGeneratedInclude();
		return std::move(Result);
	}

private:
	bool AtEnd() const { return Pos + 1 >= Tokens.size(); }
	const FToken& Peek(size_t Offset = 0) const { return Tokens[std::min(Pos + Offset, Tokens.size() - 1)]; }

	[[noreturn]] void Fail(int Line, const std::string& Message) const
	{
		throw FHeaderToolError(FileName, Line, Message);
	}

	void ExpectSymbol(const char* Symbol, int Line, const std::string& Message)
	{
		if (!Peek().IsSymbol(Symbol))
		{
			Fail(AtEnd() ? Line : Peek().Line, Message);
		}
		++Pos;
	}

	std::string ExpectIdentifier(int Line, const std::string& Message)
	{
		if (Peek().Type != ETokenType::Identifier)
		{
			Fail(AtEnd() ? Line : Peek().Line, Message);
		}
		return Tokens[Pos++].Text;
	}

	// Every ( [ { has its closer, and no closer comes without its opener.
	void CheckBalance() const
	{
		std::vector<const FToken*> Open;
		for (size_t Index = 0; Index + 1 < Tokens.size(); ++Index)
		{
			const FToken& Token = Tokens[Index];
			if (Token.Type != ETokenType::Symbol)
			{
				continue;
			}
			if (Token.Text == "(" || Token.Text == "[" || Token.Text == "{")
			{
				Open.push_back(&Token);
			}
			else if (Token.Text == ")" || Token.Text == "]" || Token.Text == "}")
			{
				const char* Expected = Token.Text == ")" ? "(" : (Token.Text == "]" ? "[" : "{");
				if (Open.empty() || Open.back()->Text != Expected)
				{
					Fail(Token.Line,
						"unbalanced '" + Token.Text + "'" +
							(Open.empty() ? std::string()
										  : " (the '" + Open.back()->Text + "' of line " +
										std::to_string(Open.back()->Line) + " is still open)"));
				}
				Open.pop_back();
			}
		}
		if (!Open.empty())
		{
			const char* Closer = Open.back()->Text == "(" ? ")" : (Open.back()->Text == "[" ? "]" : "}");
			Fail(Open.back()->Line, "unbalanced '" + Open.back()->Text + "' (no matching '" + Closer + "')");
		}
	}

	// From an opener, the index after its closer (balance is already checked).
	size_t SkipBalanced(size_t Index) const
	{
		int Depth = 0;
		for (; Index < Tokens.size(); ++Index)
		{
			const FToken& Token = Tokens[Index];
			if (Token.Type != ETokenType::Symbol)
			{
				continue;
			}
			if (Token.Text == "(" || Token.Text == "[" || Token.Text == "{")
			{
				++Depth;
			}
			else if (Token.Text == ")" || Token.Text == "]" || Token.Text == "}")
			{
				if (--Depth == 0)
				{
					return Index + 1;
				}
			}
		}
		return Index;
	}

	// Skips a bracketed block the header tool does not read; reflection markup in it would be lost.
	void SkipBlock()
	{
		const size_t End = SkipBalanced(Pos);
		for (; Pos < End; ++Pos)
		{
			if (IsReflectionMacro(Tokens[Pos]))
			{
				Fail(Tokens[Pos].Line,
					"'" + Tokens[Pos].Text +
						"' inside a block the header tool does not read: reflected declarations cannot be nested in "
						"namespaces, functions or non-reflected types");
			}
		}
	}

	// A declaration the header tool has no use for: up to its ';', or through its body.
	void SkipDeclaration()
	{
		const bool bTypeDeclaration = Peek().IsIdentifier("class") || Peek().IsIdentifier("struct") ||
			Peek().IsIdentifier("enum") || Peek().IsIdentifier("union");
		const size_t Begin = Pos;
		while (
			!AtEnd() && !Peek().IsSymbol("}") && !Peek().IsSymbol(";") && !(Pos > Begin && IsReflectionMacro(Peek())))
		{
			if (Peek().IsSymbol("(") || Peek().IsSymbol("["))
			{
				SkipBlock();
			}
			else if (Peek().IsSymbol("{"))
			{
				SkipBlock();
				// class X { ... } Declarators;
				while (bTypeDeclaration && !AtEnd() && !Peek().IsSymbol(";") && !Peek().IsSymbol("}"))
				{
					++Pos;
				}
				break;
			}
			else
			{
				++Pos;
			}
		}
		if (Pos == Begin && Peek().IsSymbol("}"))
		{
			// A stray closer cannot happen in a balanced header; step over it all the same.
			++Pos;
		}
		while (Peek().IsSymbol(";"))
		{
			++Pos;
		}
	}

	void ReadIncludes()
	{
		for (const FDirective& Directive : Tokenized.Directives)
		{
			std::string Text = Directive.Text.substr(1);
			const size_t First = Text.find_first_not_of(" \t");
			if (First == std::string::npos || Text.compare(First, 7, "include") != 0)
			{
				continue;
			}
			const size_t Open = Text.find_first_of("\"<", First + 7);
			const size_t Close = Open == std::string::npos ? Open : Text.find_first_of("\">", Open + 1);
			if (Close != std::string::npos)
			{
				Result.Includes.push_back(Text.substr(Open + 1, Close - Open - 1));
				IncludeLines.push_back(Directive.Line);
			}
		}
	}

	void CheckGeneratedInclude() const
	{
		if (!Result.HasReflectedTypes())
		{
			return;
		}
		std::string Base =
			FileName.substr(FileName.find_last_of("/\\") == std::string::npos ? 0 : FileName.find_last_of("/\\") + 1);
		Base = Base.substr(0, Base.find_last_of('.'));
		const std::string Generated = Base + ".generated.h";
		for (size_t Index = 0; Index < Result.Includes.size(); ++Index)
		{
			if (Result.Includes[Index] == Generated)
			{
				if (Index + 1 != Result.Includes.size())
				{
					Fail(IncludeLines[Index], "'#include \"" + Generated + "\"' must be the last include");
				}
				return;
			}
		}
		const int FirstLine = !Result.Structs.empty() ? Result.Structs.front().Line : Result.Enums.front().Line;
		Fail(FirstLine, "missing '#include \"" + Generated + "\"' after the other includes");
	}

	// Reflection markup may stand in WITH_EDITOR and WITH_EDITORONLY_DATA blocks, as in the engine, but not in blocks
	// of other builds.
	void CheckMarkupBlocks(const FToken& Macro) const
	{
		const uint32_t Ignored =
			EConditionalBlock::Cpp | EConditionalBlock::NotCpp | EConditionalBlock::Zero | EConditionalBlock::One;
		const uint32_t Allowed = EConditionalBlock::WithEditor | EConditionalBlock::WithEditorOnlyData;
		if ((Macro.Blocks & ~Ignored & ~Allowed) != 0)
		{
			Fail(Macro.Line,
				"'" + Macro.Text + "' must not be inside preprocessor blocks other than WITH_EDITOR and " +
					"WITH_EDITORONLY_DATA");
		}
	}

	// The condition the generated code of a type declared under Macro stands under.
	std::string TypeGuard(const FMarkup& Markup) const
	{
		if (HasBlock(Markup.Blocks, EConditionalBlock::WithEditorOnlyData))
		{
			return "WITH_EDITORONLY_DATA";
		}
		if (HasBlock(Markup.Blocks, EConditionalBlock::WithEditor))
		{
			Fail(Markup.Line,
				"reflected types inside #if WITH_EDITOR blocks would be missing from other builds; use "
				"WITH_EDITORONLY_DATA");
		}
		return std::string();
	}

	// A specifier or metadata value: a string, a parenthesised list (joined with spaces), or the tokens up to the
	// next ',' or ')' (joined without spaces, so Quorvel|Body and -1.5 read as written).
	std::string ReadValue(int Line)
	{
		if (Peek().Type == ETokenType::String)
		{
			return Tokens[Pos++].Text;
		}
		if (Peek().IsSymbol("("))
		{
			const size_t End = SkipBalanced(Pos) - 1;
			std::string Joined;
			for (++Pos; Pos < End; ++Pos)
			{
				if (!Peek().IsSymbol(","))
				{
					Joined += (Joined.empty() ? "" : " ") + Peek().Text;
				}
			}
			++Pos;
			return Joined;
		}
		std::string Joined;
		while (!AtEnd() && !Peek().IsSymbol(",") && !Peek().IsSymbol(")"))
		{
			if (Peek().IsSymbol("("))
			{
				Fail(Peek().Line, "unexpected '(' in a specifier value");
			}
			Joined += Tokens[Pos++].Text;
		}
		if (Joined.empty())
		{
			Fail(Line, "missing value after '='");
		}
		return Joined;
	}

	void ReadMetaList(FMarkup& Markup)
	{
		ExpectSymbol("(", Markup.Line, "expected '(' after meta =");
		while (!Peek().IsSymbol(")"))
		{
			const std::string Key = ExpectIdentifier(Markup.Line, "expected a metadata key");
			std::string Value;
			if (Peek().IsSymbol("="))
			{
				++Pos;
				Value = ReadValue(Markup.Line);
			}
			Markup.MetaData[Key] = Value;
			if (Peek().IsSymbol(","))
			{
				++Pos;
			}
			else if (!Peek().IsSymbol(")"))
			{
				Fail(Peek().Line, "expected ',' or ')' after metadata '" + Key + "'");
			}
		}
		++Pos;
	}

	// MACRO ( Specifier, Key = Value, meta = ( ... ) ); the position ends after the closing parenthesis.
	FMarkup ReadMarkup()
	{
		const FToken& Macro = Tokens[Pos++];
		CheckMarkupBlocks(Macro);
		FMarkup Markup;
		Markup.Line = Macro.Line;
		Markup.Blocks = Macro.Blocks;
		ExpectSymbol("(", Macro.Line, "expected '(' after " + Macro.Text);
		while (!Peek().IsSymbol(")"))
		{
			FSpecifier Specifier;
			Specifier.Key = ExpectIdentifier(Macro.Line, "expected a specifier in " + Macro.Text);
			if (Peek().IsSymbol("="))
			{
				++Pos;
				if (Specifier.Key == "meta" || Specifier.Key == "Meta")
				{
					ReadMetaList(Markup);
				}
				else
				{
					Specifier.bHasValue = true;
					Specifier.Value = ReadValue(Macro.Line);
					Markup.Specifiers.push_back(Specifier);
				}
			}
			else
			{
				Markup.Specifiers.push_back(Specifier);
			}
			if (Peek().IsSymbol(","))
			{
				++Pos;
			}
			else if (!Peek().IsSymbol(")"))
			{
				Fail(Peek().Line, "expected ',' or ')' in " + Macro.Text);
			}
		}
		++Pos;
		return Markup;
	}

	// Types are registered without their prefix letter (structs and classes) or with it (enums); no two may share
	// a name.
	void RegisterType(const std::string& CppName, const std::string& RegisteredName, int Line)
	{
		if (const int Earlier = TypeNames.Add(RegisteredName, Line))
		{
			Fail(Line,
				"'" + CppName + "' has the same name as the type declared at line " + std::to_string(Earlier) +
					" (both are registered as '" + RegisteredName + "')");
		}
	}

	void ParseEnum(const FMarkup& Markup)
	{
		FParsedEnum Enum;
		Enum.Line = Markup.Line;
		Enum.Guard = TypeGuard(Markup);
		if (!Peek().IsIdentifier("enum"))
		{
			Fail(Markup.Line, "UENUM must be followed by an enum declaration");
		}
		++Pos;
		if (Peek().IsIdentifier("class") || Peek().IsIdentifier("struct"))
		{
			Enum.bEnumClass = true;
			++Pos;
		}
		Enum.Name = ExpectIdentifier(Markup.Line, "expected the enum's name");
		if (Enum.Name.size() < 2 || Enum.Name[0] != 'E')
		{
			Fail(Markup.Line, "enum names begin with E: '" + Enum.Name + "'");
		}
		RegisterType(Enum.Name, Enum.Name, Markup.Line);
		if (Peek().IsSymbol(":"))
		{
			const size_t Begin = ++Pos;
			while (!AtEnd() && !Peek().IsSymbol("{"))
			{
				++Pos;
			}
			Enum.UnderlyingType = JoinTokens(Tokens, Begin, Pos);
		}
		if (!Enum.bEnumClass && Enum.UnderlyingType.empty())
		{
			Fail(Markup.Line,
				"enum '" + Enum.Name + "' needs an underlying type (enum class, or enum " + Enum.Name + " : uint8)");
		}
		const uint32_t EnumBlocks = Peek().Blocks;
		ExpectSymbol("{", Markup.Line, "expected '{' after enum '" + Enum.Name + "'");
		ApplyEnumMarkup(Enum, Markup, FileName);
		Comments.Document(Enum.MetaData, Pos);
		FNameRegistry EnumeratorNames;
		while (!Peek().IsSymbol("}"))
		{
			const FToken& NameToken = Peek();
			FParsedEnumerator Enumerator;
			Enumerator.Name = ExpectIdentifier(NameToken.Line, "expected an enumerator in enum '" + Enum.Name + "'");
			if (NameToken.Blocks != EnumBlocks)
			{
				Fail(NameToken.Line, "enumerators inside preprocessor blocks cannot be reflected");
			}
			if (const int Earlier = EnumeratorNames.Add(Enumerator.Name, NameToken.Line))
			{
				Fail(NameToken.Line,
					"enumerator '" + Enumerator.Name + "' is already declared at line " + std::to_string(Earlier));
			}
			Comments.Document(Enum.MetaData, Pos, Enumerator.Name + ".");
			if (Peek().IsSymbol("="))
			{
				const size_t Begin = ++Pos;
				while (!Peek().IsSymbol(",") && !Peek().IsSymbol("}") && !Peek().IsIdentifier("UMETA"))
				{
					Pos = Peek().IsSymbol("(") ? SkipBalanced(Pos) : Pos + 1;
				}
				if (Begin == Pos)
				{
					Fail(NameToken.Line, "missing value of enumerator '" + Enumerator.Name + "'");
				}
				Enumerator.Value = JoinTokens(Tokens, Begin, Pos);
			}
			if (Peek().IsIdentifier("UMETA"))
			{
				FMarkup EnumeratorMarkup = ReadMarkup();
				for (const FSpecifier& Specifier : EnumeratorMarkup.Specifiers)
				{
					EnumeratorMarkup.MetaData[Specifier.Key] = Specifier.Value;
				}
				ApplyEnumeratorMarkup(Enum, Enumerator.Name, EnumeratorMarkup);
			}
			Enum.MetaData[Enumerator.Name + ".Name"] =
				Enum.bEnumClass ? Enum.Name + "::" + Enumerator.Name : Enumerator.Name;
			Enum.Enumerators.push_back(Enumerator);
			if (Peek().IsSymbol(","))
			{
				++Pos;
			}
			else if (!Peek().IsSymbol("}"))
			{
				Fail(Peek().Line, "expected ',' or '}' after enumerator '" + Enumerator.Name + "'");
			}
		}
		++Pos;
		ExpectSymbol(";", Markup.Line, "expected ';' after enum '" + Enum.Name + "'");
		Result.Enums.push_back(std::move(Enum));
	}

	void ParseStruct(const FMarkup& Markup, bool bIsClass)
	{
		// A class's comments are read right after its UCLASS(...), a struct's up to its opening brace.
		const size_t ClassDocumentationEnd = Pos;
		const char* Macro = bIsClass ? "UCLASS" : "USTRUCT";
		FParsedStruct Struct;
		Struct.bIsClass = bIsClass;
		Struct.Line = Markup.Line;
		Struct.Guard = TypeGuard(Markup);
		if (!Peek().IsIdentifier(bIsClass ? "class" : "struct"))
		{
			Fail(Markup.Line,
				std::string(Macro) + " must be followed by a " + (bIsClass ? "class" : "struct") + " declaration");
		}
		++Pos;
		// The export macro (QUORVELUNREAL_API), when present, stands before the name.
		while (Peek().Type == ETokenType::Identifier && Peek(1).Type == ETokenType::Identifier &&
			!Peek(1).IsIdentifier("final"))
		{
			++Pos;
		}
		Struct.Name = ExpectIdentifier(Markup.Line, std::string("expected the name after ") + Macro);
		const std::string Prefixes = bIsClass ? "UA" : "F";
		if (Struct.Name.size() < 2 || Prefixes.find(Struct.Name[0]) == std::string::npos)
		{
			Fail(Markup.Line,
				std::string(bIsClass ? "class names begin with U or A" : "struct names begin with F") + ": '" +
					Struct.Name + "'");
		}
		RegisterType(Struct.Name, Struct.Name.substr(1), Markup.Line);
		if (Peek().IsIdentifier("final"))
		{
			++Pos;
		}
		if (Peek().IsSymbol(":"))
		{
			++Pos;
			while (Peek().IsIdentifier("public") || Peek().IsIdentifier("protected") ||
				Peek().IsIdentifier("private") || Peek().IsIdentifier("virtual"))
			{
				++Pos;
			}
			const size_t Begin = Pos;
			while (!AtEnd() && !Peek().IsSymbol("{") && !Peek().IsSymbol(","))
			{
				++Pos;
			}
			Struct.BaseName = JoinTokens(Tokens, Begin, Pos);
			while (!AtEnd() && !Peek().IsSymbol("{"))
			{
				++Pos;
			}
		}
		if (bIsClass && Struct.BaseName.empty())
		{
			Fail(Markup.Line, "class '" + Struct.Name + "' must derive from UObject or one of its subclasses");
		}
		ExpectSymbol("{", Markup.Line, "expected '{' after " + std::string(Macro) + " '" + Struct.Name + "'");
		ApplyStructMarkup(Struct, Markup, FileName);
		Comments.Document(Struct.MetaData, bIsClass ? ClassDocumentationEnd : Pos);
		ParseBody(Struct);
		ExpectSymbol(";", Markup.Line, "expected ';' after the declaration of '" + Struct.Name + "'");
		if (Struct.GeneratedBodyLine == 0)
		{
			Fail(Markup.Line, "'" + Struct.Name + "' has no GENERATED_BODY()");
		}
		Result.Structs.push_back(std::move(Struct));
	}

	void ParseBody(FParsedStruct& Struct)
	{
		EAccess Access = Struct.bIsClass ? EAccess::Private : EAccess::Public;
		FNameRegistry MemberNames;
		const auto AddMember = [&](const std::string& Name, int Line)
		{
			if (const int Earlier = MemberNames.Add(Name, Line))
			{
				Fail(Line,
					"'" + Struct.Name + "' already has a reflected member '" + Name + "' (line " +
						std::to_string(Earlier) + ")");
			}
		};
		while (!Peek().IsSymbol("}"))
		{
			const FToken& Token = Peek();
			if (AtEnd())
			{
				Fail(Struct.Line, "missing '}' of '" + Struct.Name + "'");
			}
			if (IsAccessSpecifier(Token) && Peek(1).IsSymbol(":"))
			{
				Access = Token.Text == "public" ? EAccess::Public
												: (Token.Text == "protected" ? EAccess::Protected : EAccess::Private);
				Pos += 2;
			}
			else if (Token.IsIdentifier("GENERATED_BODY") || Token.IsIdentifier("GENERATED_USTRUCT_BODY"))
			{
				CheckMarkupBlocks(Token);
				if (Struct.GeneratedBodyLine != 0)
				{
					Fail(Token.Line, "'" + Struct.Name + "' has more than one GENERATED_BODY()");
				}
				Struct.GeneratedBodyLine = Token.Line;
				++Pos;
				ExpectSymbol("(", Token.Line, "expected '(' after " + Token.Text);
				ExpectSymbol(")", Token.Line, "expected ')' after " + Token.Text + "(");
				while (Peek().IsSymbol(";"))
				{
					++Pos;
				}
				// As in the engine, a class's generated body leaves the following members private.
				Access = Struct.bIsClass ? EAccess::Private : Access;
			}
			else if (Token.IsIdentifier("GENERATED_UCLASS_BODY"))
			{
				Fail(Token.Line, "GENERATED_UCLASS_BODY() is not supported; use GENERATED_BODY()");
			}
			else if (Token.IsIdentifier("UPROPERTY"))
			{
				ParseProperty(Struct, ReadMarkup(), Access);
				AddMember(Struct.Properties.back().Name, Struct.Properties.back().Line);
			}
			else if (Token.IsIdentifier("UFUNCTION"))
			{
				if (!Struct.bIsClass)
				{
					Fail(Token.Line, "UFUNCTION is only allowed in a UCLASS");
				}
				ParseFunction(Struct, ReadMarkup(), Access);
				AddMember(Struct.Functions.back().Name, Struct.Functions.back().Line);
			}
			else if (Token.IsIdentifier("RIGVM_METHOD"))
			{
				ParseRigVMMethod(Struct, ReadMarkup());
			}
			else if (Token.IsIdentifier("UENUM") || Token.IsIdentifier("USTRUCT") || Token.IsIdentifier("UCLASS"))
			{
				Fail(Token.Line, "reflected types cannot be nested in '" + Struct.Name + "'");
			}
			else if (IsReflectionMacro(Token))
			{
				Fail(Token.Line, Token.Text + " is not allowed here");
			}
			else
			{
				SkipDeclaration();
			}
			Comments.EndStatement(Pos);
		}
		++Pos;
	}

	void ParseRigVMMethod(FParsedStruct& Struct, const FMarkup& Markup)
	{
		const size_t Begin = Pos;
		while (!AtEnd() && !Peek().IsSymbol(";") && !Peek().IsSymbol("{") && !Peek().IsSymbol("}"))
		{
			++Pos;
		}
		bool bExecute = false;
		for (size_t Index = Begin; Index + 2 < Pos + 1 && Index + 2 < Tokens.size(); ++Index)
		{
			bExecute = bExecute ||
				(Tokens[Index].IsIdentifier("Execute") && Tokens[Index + 1].IsSymbol("(") &&
					Tokens[Index + 2].IsSymbol(")"));
		}
		if (!bExecute || !Peek().IsSymbol(";"))
		{
			Fail(Markup.Line, "RIGVM_METHOD() must be followed by 'virtual void Execute() override;'");
		}
		++Pos;
		Struct.bHasRigVMMethod = true;
	}

	void CheckReflectableType(size_t Begin, size_t End, int Line, const std::string& What) const
	{
		const std::string Problem = FindUnreflectableType(Tokens, Begin, End);
		if (!Problem.empty())
		{
			Fail(Line, What + ": " + Problem);
		}
	}

	void ParseProperty(FParsedStruct& Struct, const FMarkup& Markup, EAccess Access)
	{
		const std::string NoField = "UPROPERTY must be followed by a member declaration";
		const size_t Begin = Pos;
		int AngleDepth = 0;
		for (;; ++Pos)
		{
			const FToken& Token = Peek();
			if (AtEnd() || Token.IsSymbol("}") || IsReflectionMacro(Token) ||
				(IsAccessSpecifier(Token) && Peek(1).IsSymbol(":")))
			{
				Fail(Markup.Line, NoField);
			}
			if (Token.IsSymbol("<"))
			{
				++AngleDepth;
			}
			else if (Token.IsSymbol(">"))
			{
				--AngleDepth;
			}
			else if (AngleDepth == 0 && (Token.IsSymbol("=") || Token.IsSymbol("{") || Token.IsSymbol(";")))
			{
				break;
			}
			else if (AngleDepth == 0 && Token.IsSymbol("("))
			{
				Fail(Markup.Line, "UPROPERTY must be followed by a member variable, not a function");
			}
			else if (AngleDepth == 0 && Token.IsSymbol(":"))
			{
				Fail(Markup.Line, "bitfield members cannot be reflected; use bool");
			}
			else if (AngleDepth == 0 && Token.IsSymbol("["))
			{
				Fail(Markup.Line, "fixed-size array members cannot be reflected; use TArray");
			}
		}
		size_t TypeBegin = Begin;
		while (TypeBegin < Pos && Tokens[TypeBegin].IsIdentifier("mutable"))
		{
			++TypeBegin;
		}
		if (Pos - TypeBegin < 2 || Tokens[Pos - 1].Type != ETokenType::Identifier)
		{
			Fail(Markup.Line, NoField);
		}
		for (size_t Index = TypeBegin; Index < Pos; ++Index)
		{
			if (Tokens[Index].IsIdentifier("static"))
			{
				Fail(Markup.Line, "static members cannot be reflected");
			}
			if (Tokens[Index].IsSymbol("&"))
			{
				Fail(Markup.Line, "reference members cannot be reflected");
			}
		}
		const size_t NameIndex = Pos - 1;
		FParsedProperty Property;
		Property.Name = Tokens[NameIndex].Text;
		Property.Type = JoinTokens(Tokens, TypeBegin, NameIndex);
		Property.Line = Markup.Line;
		Property.Access = Access;
		CheckReflectableType(TypeBegin, NameIndex, Markup.Line, "member '" + Property.Name + "'");
		if (Peek().IsSymbol("="))
		{
			const size_t DefaultBegin = ++Pos;
			while (!AtEnd() && !Peek().IsSymbol(";") && !Peek().IsSymbol("}"))
			{
				Pos = (Peek().IsSymbol("(") || Peek().IsSymbol("{") || Peek().IsSymbol("[")) ? SkipBalanced(Pos)
																							 : Pos + 1;
			}
			Property.Default = JoinTokens(Tokens, DefaultBegin, Pos);
		}
		else if (Peek().IsSymbol("{"))
		{
			const size_t DefaultBegin = Pos;
			Pos = SkipBalanced(Pos);
			Property.Default = JoinTokens(Tokens, DefaultBegin, Pos);
		}
		ExpectSymbol(";", Markup.Line, "expected ';' after the declaration of '" + Property.Name + "'");
		while (Peek().IsSymbol(";"))
		{
			++Pos;
		}
		if (HasBlock(Markup.Blocks, EConditionalBlock::WithEditorOnlyData))
		{
			Property.Flags.push_back("CPF_EditorOnly");
			Property.Guard = "WITH_EDITORONLY_DATA";
		}
		else if (HasBlock(Markup.Blocks, EConditionalBlock::WithEditor))
		{
			Fail(Markup.Line, "UPROPERTY inside #if WITH_EDITOR: use WITH_EDITORONLY_DATA for editor-only members");
		}
		ApplyPropertyMarkup(Property, Markup, FileName);
		// As in the engine, the comments up to the token after the member's name document it.
		Comments.Document(Property.MetaData, NameIndex + 2);
		Struct.Properties.push_back(std::move(Property));
	}

	// UPARAM(...) before a parameter or return type; the position ends after it.
	void SkipParameterMarkup()
	{
		if (Peek().IsIdentifier("UPARAM"))
		{
			const int Line = Peek().Line;
			++Pos;
			if (!Peek().IsSymbol("("))
			{
				Fail(Line, "expected '(' after UPARAM");
			}
			Pos = SkipBalanced(Pos);
		}
	}

	// One parameter: [UPARAM(...)] [const] Type [&] Name [= Default]; the position ends at the ',' or ')' after it.
	FParsedParameter ParseParameter(const std::string& FunctionName)
	{
		const int Line = Peek().Line;
		const std::string NoName = "every parameter of UFUNCTION '" + FunctionName + "' needs a type and a name";
		SkipParameterMarkup();
		FParsedParameter Parameter;
		if (Peek().IsIdentifier("const"))
		{
			Parameter.bConst = true;
			++Pos;
		}
		// The type and name, up to the first ',', ')' or '=' outside template arguments.
		const size_t Begin = Pos;
		int AngleDepth = 0;
		while (AngleDepth > 0 || !(Peek().IsSymbol(",") || Peek().IsSymbol(")") || Peek().IsSymbol("=")))
		{
			if (AtEnd() || IsReflectionMacro(Peek()) || Peek().IsSymbol(";") || Peek().IsSymbol("}"))
			{
				Fail(Line, NoName);
			}
			if (Peek().IsSymbol("(") || Peek().IsSymbol("[") || Peek().IsSymbol("{"))
			{
				Pos = SkipBalanced(Pos);
				continue;
			}
			AngleDepth += Peek().IsSymbol("<") ? 1 : (Peek().IsSymbol(">") ? -1 : 0);
			++Pos;
		}
		const size_t End = Pos;
		if (End - Begin < 2 || Tokens[End - 1].Type != ETokenType::Identifier)
		{
			Fail(Line, NoName);
		}
		Parameter.Name = Tokens[End - 1].Text;
		size_t TypeEnd = End - 1;
		if (Tokens[TypeEnd - 1].IsSymbol("&"))
		{
			Parameter.bReference = true;
			--TypeEnd;
		}
		if (TypeEnd == Begin)
		{
			Fail(Line, NoName);
		}
		Parameter.Type = JoinTokens(Tokens, Begin, TypeEnd);
		CheckReflectableType(Begin, TypeEnd, Line, "parameter '" + Parameter.Name + "'");
		if (Peek().IsSymbol("="))
		{
			// As in the engine, the default runs to the next ',' or ')' outside brackets; '<' and '>' in it are
			// comparisons, not template arguments.
			const size_t DefaultBegin = ++Pos;
			while (!Peek().IsSymbol(",") && !Peek().IsSymbol(")"))
			{
				if (AtEnd() || Peek().IsSymbol(";") || Peek().IsSymbol("}"))
				{
					Fail(Line, "unterminated default value of parameter '" + Parameter.Name + "'");
				}
				Pos = (Peek().IsSymbol("(") || Peek().IsSymbol("[") || Peek().IsSymbol("{")) ? SkipBalanced(Pos)
																							 : Pos + 1;
			}
			Parameter.Default = JoinTokens(Tokens, DefaultBegin, Pos);
			const std::optional<std::string> Recorded =
				FormatDefaultArgument(Parameter.Type, Tokens, DefaultBegin, Pos);
			if (!Recorded || DefaultBegin == Pos)
			{
				Fail(Line,
					"the default value of parameter '" + Parameter.Name +
						"' is not one the engine's header tool can record: '" + Parameter.Default + "'");
			}
			Parameter.RecordedDefault = *Recorded;
		}
		return Parameter;
	}

	void ParseFunction(FParsedStruct& Struct, const FMarkup& Markup, EAccess Access)
	{
		const std::string NoFunction = "UFUNCTION must be followed by a function declaration";
		FParsedFunction Function;
		Function.Line = Markup.Line;
		Function.Access = Access;
		for (;; ++Pos)
		{
			if (Peek().IsIdentifier("virtual"))
			{
				Function.bVirtual = true;
			}
			else if (Peek().IsIdentifier("static"))
			{
				Function.bStatic = true;
			}
			else if (!Peek().IsIdentifier("inline") && !Peek().IsIdentifier("FORCEINLINE") &&
				!Peek().IsIdentifier("explicit"))
			{
				break;
			}
		}
		SkipParameterMarkup();
		const size_t Begin = Pos;
		int AngleDepth = 0;
		while (!(AngleDepth == 0 && Peek().IsSymbol("(")))
		{
			if (AtEnd() || Peek().IsSymbol(";") || Peek().IsSymbol("{") || Peek().IsSymbol("}") ||
				IsReflectionMacro(Peek()))
			{
				Fail(Markup.Line, NoFunction);
			}
			AngleDepth += Peek().IsSymbol("<") ? 1 : (Peek().IsSymbol(">") ? -1 : 0);
			++Pos;
		}
		if (Pos - Begin < 2 || Tokens[Pos - 1].Type != ETokenType::Identifier)
		{
			Fail(Markup.Line, NoFunction);
		}
		Function.Name = Tokens[Pos - 1].Text;
		size_t ReturnBegin = Begin;
		size_t ReturnEnd = Pos - 1;
		if (Tokens[ReturnBegin].IsIdentifier("const"))
		{
			++ReturnBegin;
		}
		if (ReturnEnd > ReturnBegin && Tokens[ReturnEnd - 1].IsSymbol("&"))
		{
			--ReturnEnd;
		}
		Function.ReturnType = JoinTokens(Tokens, ReturnBegin, ReturnEnd);
		if (Function.ReturnType == "void")
		{
			Function.ReturnType.clear();
		}
		else
		{
			CheckReflectableType(ReturnBegin, ReturnEnd, Markup.Line, "the return value of '" + Function.Name + "'");
		}

		++Pos;
		if (Peek().IsIdentifier("void") && Peek(1).IsSymbol(")"))
		{
			++Pos;
		}
		FNameRegistry ParameterNames;
		while (!Peek().IsSymbol(")"))
		{
			FParsedParameter Parameter = ParseParameter(Function.Name);
			if (ParameterNames.Add(Parameter.Name, Markup.Line) != 0)
			{
				Fail(
					Markup.Line, "UFUNCTION '" + Function.Name + "' has two parameters named '" + Parameter.Name + "'");
			}
			Function.Parameters.push_back(std::move(Parameter));
			if (Peek().IsSymbol(","))
			{
				++Pos;
			}
		}
		++Pos;
		if (Peek().IsIdentifier("const"))
		{
			Function.bConst = true;
			++Pos;
		}
		// As in the engine, the comments up to the token after the parameters (and const) document the function.
		const size_t DocumentationEnd = Pos + 1;
		while (Peek().IsIdentifier("override") || Peek().IsIdentifier("final"))
		{
			++Pos;
		}
		if (Peek().IsSymbol("=") && Peek(1).Is(ETokenType::Number, "0"))
		{
			Pos += 2;
		}
		if (Peek().IsSymbol("{"))
		{
			Pos = SkipBalanced(Pos);
		}
		else if (Peek().IsSymbol(";"))
		{
			++Pos;
		}
		else
		{
			Fail(Markup.Line, "expected ';' after the declaration of UFUNCTION '" + Function.Name + "'");
		}
		while (Peek().IsSymbol(";"))
		{
			++Pos;
		}
		if (HasBlock(Markup.Blocks, EConditionalBlock::WithEditor) ||
			HasBlock(Markup.Blocks, EConditionalBlock::WithEditorOnlyData))
		{
			Function.Flags.push_back("FUNC_EditorOnly");
			Function.Guard =
				HasBlock(Markup.Blocks, EConditionalBlock::WithEditor) ? "WITH_EDITOR" : "WITH_EDITORONLY_DATA";
		}
		ApplyFunctionMarkup(Function, Markup, FileName);
		Comments.Document(Function.MetaData, DocumentationEnd);
		Struct.Functions.push_back(std::move(Function));
	}

	FTokenizedHeader Tokenized;
	std::vector<FToken>& Tokens;
	const std::string& FileName;
	FDocumentingComments Comments;
	size_t Pos = 0;
	std::vector<int> IncludeLines;
	FNameRegistry TypeNames;
	FParsedHeader Result;
};
} // namespace

FParsedHeader ParseHeader(const std::string& Source, const std::string& FileName)
{
	return FHeaderParser(TokenizeHeader(Source, FileName), FileName).Parse();
}
