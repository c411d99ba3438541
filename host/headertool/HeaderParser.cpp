// Parsing the reflection markup of one header.
#include "HeaderParser.h"

#include "CppText.h"
#include "HeaderToolError.h"
#include "Markup.h"
#include "MarkupSpecifiers.h"
#include "Tokenizer.h"

#include <cctype>
#include <set>

namespace
{
bool IsWordToken(const FToken& Token)
{
	return Token.Type == ETokenType::Identifier || Token.Type == ETokenType::Number;
}

// Tokens back to C++ text: words apart, punctuation attached, a space after commas.
std::string JoinTokens(const std::vector<FToken>& Tokens, size_t Begin, size_t End)
{
	std::string Result;
	for (size_t Index = Begin; Index < End; ++Index)
	{
		const FToken& Token = Tokens[Index];
		if (Index > Begin && IsWordToken(Token) && IsWordToken(Tokens[Index - 1]))
		{
			Result += ' ';
		}
		if (Token.Type == ETokenType::String)
		{
			Result += QuoteCppText(Token.Text, '"');
		}
		else if (Token.Type == ETokenType::Char)
		{
			Result += QuoteCppText(Token.Text, '\'');
		}
		else
		{
			Result += Token.Text;
		}
		if (Token.IsSymbol(","))
		{
			Result += ' ';
		}
	}
	return Result;
}

const std::set<std::string> ReflectionMacros = {"UPROPERTY", "UFUNCTION", "GENERATED_BODY", "GENERATED_USTRUCT_BODY",
	"GENERATED_UCLASS_BODY", "RIGVM_METHOD", "UENUM", "USTRUCT", "UCLASS", "UMETA"};

class FHeaderParser
{
public:
	FHeaderParser(FTokenizedHeader InTokenized, const std::string& InFileName)
		: Tokenized(std::move(InTokenized)), Tokens(Tokenized.Tokens), FileName(InFileName)
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
			else if (Token.Type == ETokenType::Identifier && ReflectionMacros.count(Token.Text) != 0)
			{
				Fail(Token.Line, Token.Text + " outside a reflected struct or class");
			}
			else
			{
				++Pos;
			}
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
		FMarkup Markup;
		Markup.Line = Macro.Line;
		Markup.DocComment = Macro.DocComment;
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

	void ParseEnum(const FMarkup& Markup)
	{
		FParsedEnum Enum;
		Enum.Line = Markup.Line;
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
		ExpectSymbol("{", Markup.Line, "expected '{' after enum '" + Enum.Name + "'");
		ApplyEnumMarkup(Enum, Markup, FileName);
		while (!Peek().IsSymbol("}"))
		{
			const FToken& NameToken = Peek();
			FParsedEnumerator Enumerator;
			Enumerator.Name = ExpectIdentifier(NameToken.Line, "expected an enumerator in enum '" + Enum.Name + "'");
			FMarkup EnumeratorMarkup;
			EnumeratorMarkup.Line = NameToken.Line;
			EnumeratorMarkup.DocComment = NameToken.DocComment;
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
				const std::string DocComment = EnumeratorMarkup.DocComment;
				EnumeratorMarkup = ReadMarkup();
				EnumeratorMarkup.DocComment = DocComment;
				for (const FSpecifier& Specifier : EnumeratorMarkup.Specifiers)
				{
					EnumeratorMarkup.MetaData[Specifier.Key] = Specifier.Value;
				}
			}
			ApplyEnumeratorMarkup(Enum, Enumerator.Name, EnumeratorMarkup);
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
		const char* Macro = bIsClass ? "UCLASS" : "USTRUCT";
		FParsedStruct Struct;
		Struct.bIsClass = bIsClass;
		Struct.Line = Markup.Line;
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
		while (!Peek().IsSymbol("}"))
		{
			const FToken& Token = Peek();
			if (Token.IsSymbol("{") || Token.IsSymbol("(") || Token.IsSymbol("["))
			{
				Pos = SkipBalanced(Pos);
			}
			else if ((Token.IsIdentifier("public") || Token.IsIdentifier("protected") ||
						 Token.IsIdentifier("private")) &&
				Peek(1).IsSymbol(":"))
			{
				Access = Token.Text == "public" ? EAccess::Public
												: (Token.Text == "protected" ? EAccess::Protected : EAccess::Private);
				Pos += 2;
			}
			else if (Token.IsIdentifier("GENERATED_BODY") || Token.IsIdentifier("GENERATED_USTRUCT_BODY"))
			{
				if (Struct.GeneratedBodyLine != 0)
				{
					Fail(Token.Line, "'" + Struct.Name + "' has more than one GENERATED_BODY()");
				}
				Struct.GeneratedBodyLine = Token.Line;
				++Pos;
				ExpectSymbol("(", Token.Line, "expected '(' after " + Token.Text);
				ExpectSymbol(")", Token.Line, "expected ')' after " + Token.Text + "(");
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
			}
			else if (Token.IsIdentifier("UFUNCTION"))
			{
				if (!Struct.bIsClass)
				{
					Fail(Token.Line, "UFUNCTION is only allowed in a UCLASS");
				}
				ParseFunction(Struct, ReadMarkup(), Access);
			}
			else if (Token.IsIdentifier("RIGVM_METHOD"))
			{
				ParseRigVMMethod(Struct, ReadMarkup());
			}
			else if (Token.IsIdentifier("UENUM") || Token.IsIdentifier("USTRUCT") || Token.IsIdentifier("UCLASS"))
			{
				Fail(Token.Line, "reflected types cannot be nested in '" + Struct.Name + "'");
			}
			else
			{
				++Pos;
			}
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

	void ParseProperty(FParsedStruct& Struct, const FMarkup& Markup, EAccess Access)
	{
		const std::string NoField = "UPROPERTY must be followed by a member declaration";
		const size_t Begin = Pos;
		int AngleDepth = 0;
		for (;; ++Pos)
		{
			const FToken& Token = Peek();
			if (AtEnd() || Token.IsSymbol("}") ||
				(Token.Type == ETokenType::Identifier && ReflectionMacros.count(Token.Text) != 0) ||
				((Token.IsIdentifier("public") || Token.IsIdentifier("protected") || Token.IsIdentifier("private")) &&
					Peek(1).IsSymbol(":")))
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
		}
		FParsedProperty Property;
		Property.Name = Tokens[Pos - 1].Text;
		Property.Type = JoinTokens(Tokens, TypeBegin, Pos - 1);
		Property.Line = Markup.Line;
		Property.Access = Access;
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
		ApplyPropertyMarkup(Property, Markup, FileName);
		Struct.Properties.push_back(std::move(Property));
	}

	// One parameter: [UPARAM(...)] [const] Type [&] Name [= Default].
	FParsedParameter ParseParameter(size_t Begin, size_t End, int Line, const std::string& FunctionName)
	{
		FParsedParameter Parameter;
		if (Tokens[Begin].IsIdentifier("UPARAM"))
		{
			Begin = SkipBalanced(Begin + 1);
		}
		for (size_t Index = Begin; Index < End; ++Index)
		{
			if (Tokens[Index].IsSymbol("="))
			{
				Parameter.Default = JoinTokens(Tokens, Index + 1, End);
				End = Index;
				break;
			}
		}
		if (Begin < End && Tokens[Begin].IsIdentifier("const"))
		{
			Parameter.bConst = true;
			++Begin;
		}
		if (End - Begin < 2 || Tokens[End - 1].Type != ETokenType::Identifier)
		{
			Fail(Line, "every parameter of UFUNCTION '" + FunctionName + "' needs a type and a name");
		}
		Parameter.Name = Tokens[End - 1].Text;
		size_t TypeEnd = End - 1;
		if (Tokens[TypeEnd - 1].IsSymbol("&"))
		{
			Parameter.bReference = true;
			--TypeEnd;
		}
		Parameter.Type = JoinTokens(Tokens, Begin, TypeEnd);
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
		const size_t Begin = Pos;
		int AngleDepth = 0;
		while (!(AngleDepth == 0 && Peek().IsSymbol("(")))
		{
			if (AtEnd() || Peek().IsSymbol(";") || Peek().IsSymbol("{") || Peek().IsSymbol("}") ||
				(Peek().Type == ETokenType::Identifier && ReflectionMacros.count(Peek().Text) != 0))
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

		const size_t ParamsEnd = SkipBalanced(Pos) - 1;
		size_t ParamBegin = ++Pos;
		int Depth = 0;
		for (; Pos <= ParamsEnd; ++Pos)
		{
			const FToken& Token = Peek();
			const bool bSeparator = Depth == 0 && (Token.IsSymbol(",") || Pos == ParamsEnd);
			if (bSeparator)
			{
				const bool bVoid = Pos - ParamBegin == 1 && Tokens[ParamBegin].IsIdentifier("void");
				if (Pos > ParamBegin && !bVoid)
				{
					Function.Parameters.push_back(ParseParameter(ParamBegin, Pos, Markup.Line, Function.Name));
				}
				ParamBegin = Pos + 1;
			}
			else if (Token.IsSymbol("(") || Token.IsSymbol("<") || Token.IsSymbol("{") || Token.IsSymbol("["))
			{
				++Depth;
			}
			else if (Token.IsSymbol(")") || Token.IsSymbol(">") || Token.IsSymbol("}") || Token.IsSymbol("]"))
			{
				--Depth;
			}
		}
		while (!AtEnd() && !Peek().IsSymbol(";") && !Peek().IsSymbol("{"))
		{
			Function.bConst = Function.bConst || Peek().IsIdentifier("const");
			++Pos;
		}
		Pos = Peek().IsSymbol("{") ? SkipBalanced(Pos) : Pos + 1;
		ApplyFunctionMarkup(Function, Markup, FileName);
		Struct.Functions.push_back(std::move(Function));
	}

	FTokenizedHeader Tokenized;
	std::vector<FToken>& Tokens;
	const std::string& FileName;
	size_t Pos = 0;
	std::vector<int> IncludeLines;
	FParsedHeader Result;
};
} // namespace

FParsedHeader ParseHeader(const std::string& Source, const std::string& FileName)
{
	return FHeaderParser(TokenizeHeader(Source, FileName), FileName).Parse();
}

std::string FormatCommentForToolTip(const std::string& Comment)
{
	std::string Body = Comment;
	if (Body.compare(0, 3, "/**") == 0)
	{
		Body = Body.substr(3);
	}
	if (Body.size() >= 2 && Body.compare(Body.size() - 2, 2, "*/") == 0)
	{
		Body = Body.substr(0, Body.size() - 2);
	}
	std::vector<std::string> Lines;
	size_t Start = 0;
	while (Start <= Body.size())
	{
		const size_t End = std::min(Body.find('\n', Start), Body.size());
		std::string Line = Body.substr(Start, End - Start);
		const size_t First = Line.find_first_not_of(" \t\r");
		Line = First == std::string::npos ? std::string() : Line.substr(First);
		if (!Line.empty() && Line[0] == '*')
		{
			Line = Line.substr(1);
		}
		const size_t TextBegin = Line.find_first_not_of(" \t\r");
		const size_t TextEnd = Line.find_last_not_of(" \t\r");
		Line = TextBegin == std::string::npos ? std::string() : Line.substr(TextBegin, TextEnd - TextBegin + 1);
		Lines.push_back(Line);
		Start = End + 1;
	}
	while (!Lines.empty() && Lines.front().empty())
	{
		Lines.erase(Lines.begin());
	}
	while (!Lines.empty() && Lines.back().empty())
	{
		Lines.pop_back();
	}
	std::string ToolTip;
	for (size_t Index = 0; Index < Lines.size(); ++Index)
	{
		ToolTip += (Index > 0 ? "\n" : "") + Lines[Index];
	}
	return ToolTip;
}
