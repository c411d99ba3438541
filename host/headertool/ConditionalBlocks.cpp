// Classifying #if blocks and tracking which of them are open.
#include "ConditionalBlocks.h"

#include "HeaderToolError.h"

#include <cctype>
#include <map>

namespace
{
// The engine version the plug-in is built for, against which UE_VERSION_* conditions are decided.
constexpr int EngineVersion[3] = {5, 7, 0};

bool IsWordCharacter(char C)
{
	return std::isalnum(static_cast<unsigned char>(C)) || C == '_';
}

size_t SkipSpaces(const std::string& Text, size_t Pos)
{
	while (Pos < Text.size() && (Text[Pos] == ' ' || Text[Pos] == '\t'))
	{
		++Pos;
	}
	return Pos;
}

std::string ReadWord(const std::string& Text, size_t& Pos)
{
	const size_t Begin = Pos;
	while (Pos < Text.size() && IsWordCharacter(Text[Pos]))
	{
		++Pos;
	}
	return Text.substr(Begin, Pos - Begin);
}

bool SupportsElif(EConditionalBlock Kind)
{
	switch (Kind)
	{
		case EConditionalBlock::WithEditor:
		case EConditionalBlock::WithEditorOnlyData:
		case EConditionalBlock::WithHotReload:
		case EConditionalBlock::WithEngine:
		case EConditionalBlock::WithCoreUObject:
		case EConditionalBlock::WithOtherBuild:
			return true;
		default:
			return false;
	}
}

const char* Describe(EConditionalBlock Kind)
{
	switch (Kind)
	{
		case EConditionalBlock::Cpp:
			return "CPP";
		case EConditionalBlock::NotCpp:
			return "!CPP";
		case EConditionalBlock::Zero:
			return "0";
		case EConditionalBlock::One:
			return "1";
		case EConditionalBlock::WithEditor:
			return "WITH_EDITOR";
		case EConditionalBlock::WithEditorOnlyData:
			return "WITH_EDITORONLY_DATA";
		case EConditionalBlock::WithHotReload:
			return "WITH_HOT_RELOAD";
		case EConditionalBlock::WithEngine:
			return "WITH_ENGINE";
		case EConditionalBlock::WithCoreUObject:
			return "WITH_COREUOBJECT";
		case EConditionalBlock::WithOtherBuild:
			return "a build flag";
		default:
			return "an unrecognised condition";
	}
}
} // namespace

EConditionalBlock FConditionalBlocks::ClassifyCondition(const std::string& Expression, int Line) const
{
	size_t Pos = SkipSpaces(Expression, 0);
	const bool bNot = Pos < Expression.size() && Expression[Pos] == '!';
	Pos = SkipSpaces(Expression, bNot ? Pos + 1 : Pos);
	const std::string Word = ReadWord(Expression, Pos);
	if (Word.empty())
	{
		if (Pos >= Expression.size() || Expression.compare(Pos, 2, "//") == 0 || Expression.compare(Pos, 2, "/*") == 0)
		{
			throw FHeaderToolError(FileName, Line, "#if with no expression");
		}
		return EConditionalBlock::Unrecognized;
	}
	// The words the engine recognises. As in the engine, a leading '!' is ignored on 0, 1 and WITH_HOT_RELOAD, makes
	// CPP into !CPP, and makes any other condition unrecognised.
	static const std::map<std::string, EConditionalBlock> IgnoringNot = {{"0", EConditionalBlock::Zero},
		{"1", EConditionalBlock::One}, {"WITH_HOT_RELOAD", EConditionalBlock::WithHotReload}};
	static const std::map<std::string, EConditionalBlock> BuildFlags = {
		{"WITH_EDITORONLY_DATA", EConditionalBlock::WithEditorOnlyData}, {"WITH_EDITOR", EConditionalBlock::WithEditor},
		{"WITH_ENGINE", EConditionalBlock::WithEngine}, {"WITH_COREUOBJECT", EConditionalBlock::WithCoreUObject},
		{"WITH_TESTS", EConditionalBlock::WithOtherBuild}, {"WITH_VERSE_VM", EConditionalBlock::WithOtherBuild},
		{"WITH_VERSE_BPVM", EConditionalBlock::WithOtherBuild}};
	if (const auto Found = IgnoringNot.find(Word); Found != IgnoringNot.end())
	{
		return Found->second;
	}
	if (Word == "CPP")
	{
		return bNot ? EConditionalBlock::NotCpp : EConditionalBlock::Cpp;
	}
	if (const auto Found = BuildFlags.find(Word); Found != BuildFlags.end())
	{
		return bNot ? EConditionalBlock::Unrecognized : Found->second;
	}
	if (Word.compare(0, 10, "UE_VERSION") == 0)
	{
		// UE_VERSION_NEWER_THAN_OR_EQUAL(5, 6, 0) and its kin, decided against the engine version.
		int Version[3] = {0, 0, 0};
		Pos = SkipSpaces(Expression, Pos);
		bool bWellFormed = Pos < Expression.size() && Expression[Pos++] == '(';
		for (int Part = 0; Part < 3 && bWellFormed; ++Part)
		{
			Pos = SkipSpaces(Expression, Pos);
			const std::string Number = ReadWord(Expression, Pos);
			bWellFormed =
				!Number.empty() && Number.size() <= 6 && Number.find_first_not_of("0123456789") == std::string::npos;
			Version[Part] = bWellFormed ? std::stoi(Number) : 0;
			Pos = SkipSpaces(Expression, Pos);
			bWellFormed = bWellFormed && Pos < Expression.size() && Expression[Pos++] == (Part < 2 ? ',' : ')');
		}
		const int Order = EngineVersion[0] != Version[0] ? EngineVersion[0] - Version[0]
			: EngineVersion[1] != Version[1]             ? EngineVersion[1] - Version[1]
														 : EngineVersion[2] - Version[2];
		bool bPasses = false;
		if (bWellFormed && Word == "UE_VERSION_NEWER_THAN_OR_EQUAL")
		{
			bPasses = Order >= 0;
		}
		else if (bWellFormed && Word == "UE_VERSION_NEWER_THAN")
		{
			bPasses = Order > 0;
		}
		else if (bWellFormed && Word == "UE_VERSION_OLDER_THAN")
		{
			bPasses = Order < 0;
		}
		else
		{
			throw FHeaderToolError(FileName, Line, "unknown engine version condition '" + Word + "'");
		}
		return bPasses ? EConditionalBlock::One : EConditionalBlock::Zero;
	}
	return EConditionalBlock::Unrecognized;
}

void FConditionalBlocks::Push(EConditionalBlock Kind, int Line)
{
	Stack.push_back({Kind, GetComposite() | uint32_t(Kind), Line});
}

EConditionalBlock FConditionalBlocks::Pop(const std::string& Directive, int Line)
{
	if (Stack.empty())
	{
		throw FHeaderToolError(FileName, Line, "'#" + Directive + "' without a matching #if");
	}
	const EConditionalBlock Kind = Stack.back().Kind;
	Stack.pop_back();
	return Kind;
}

bool FConditionalBlocks::IsActive() const
{
	const uint32_t Skipped = EConditionalBlock::Cpp | EConditionalBlock::Zero | EConditionalBlock::Unrecognized;
	return (GetComposite() & Skipped) == 0;
}

bool FConditionalBlocks::ClearsComments() const
{
	if (Stack.empty())
	{
		return true;
	}
	switch (Stack.back().Kind)
	{
		case EConditionalBlock::Cpp:
		case EConditionalBlock::NotCpp:
		case EConditionalBlock::Zero:
		case EConditionalBlock::One:
		case EConditionalBlock::Unrecognized:
			// Blocks the engine's tool once removed before parsing: comments above them still document what follows.
			return false;
		default:
			return true;
	}
}

bool FConditionalBlocks::ForbidsSkippedMarkup() const
{
	return Stack.empty() ||
		(Stack.back().Kind != EConditionalBlock::Zero && Stack.back().Kind != EConditionalBlock::WithEditorOnlyData);
}

FDirectiveOutcome FConditionalBlocks::HandleDirective(const std::string& Text, int Line, bool bInActiveCode)
{
	size_t Pos = SkipSpaces(Text, Text.empty() || Text[0] != '#' ? 0 : 1);
	const std::string Directive = ReadWord(Text, Pos);
	const std::string Expression = Text.substr(Pos);
	bool bConditional = true;
	if (Directive == "if")
	{
		Push(ClassifyCondition(Expression, Line), Line);
	}
	else if (Directive == "ifdef" || Directive == "ifndef")
	{
		Push(EConditionalBlock::Unrecognized, Line);
	}
	else if (Directive == "elif")
	{
		const EConditionalBlock Previous = Pop(Directive, Line);
		const EConditionalBlock Next = ClassifyCondition(Expression, Line);
		if (SupportsElif(Previous) != SupportsElif(Next))
		{
			throw FHeaderToolError(FileName, Line,
				std::string("#elif cannot mix ") + Describe(Previous) + " with " + Describe(Next) +
					" in one block; use #else or a separate #if");
		}
		Push(Next, Line);
	}
	else if (Directive == "else")
	{
		const EConditionalBlock Previous = Pop(Directive, Line);
		switch (Previous)
		{
			case EConditionalBlock::Zero:
				Push(EConditionalBlock::One, Line);
				break;
			case EConditionalBlock::One:
				Push(EConditionalBlock::Zero, Line);
				break;
			case EConditionalBlock::Cpp:
				Push(EConditionalBlock::NotCpp, Line);
				break;
			case EConditionalBlock::NotCpp:
				Push(EConditionalBlock::Cpp, Line);
				break;
			case EConditionalBlock::WithEngine:
			case EConditionalBlock::WithCoreUObject:
				Push(EConditionalBlock::Unrecognized, Line);
				break;
			case EConditionalBlock::WithHotReload:
				throw FHeaderToolError(FileName, Line, "a WITH_HOT_RELOAD block cannot have an #else");
			default:
				// The engine reads both branches of WITH_EDITOR and WITH_EDITORONLY_DATA blocks the same way.
				Push(Previous, Line);
				break;
		}
	}
	else
	{
		bConditional = false;
		if (Directive == "endif")
		{
			Pop(Directive, Line);
		}
		else if (bInActiveCode && Directive.empty())
		{
			throw FHeaderToolError(FileName, Line, "missing directive after '#'");
		}
		else if (bInActiveCode && Directive == "error")
		{
			throw FHeaderToolError(FileName, Line, "#error directive in the header: " + Text);
		}
		else if (bInActiveCode && Directive != "include" && Directive != "pragma" && Directive != "define" &&
			Directive != "undef")
		{
			throw FHeaderToolError(FileName, Line, "unrecognised directive '#" + Directive + "'");
		}
	}
	FDirectiveOutcome Outcome;
	Outcome.bActive = IsActive();
	Outcome.bClearsComments = !bConditional || ClearsComments();
	return Outcome;
}

void FConditionalBlocks::CheckAllClosed(int Line) const
{
	if (!Stack.empty())
	{
		throw FHeaderToolError(FileName, Stack.back().Line,
			"missing #endif for this #if (end of header at line " + std::to_string(Line) + ")");
	}
}
