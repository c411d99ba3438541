// The preprocessor blocks the header tool honours, as the engine's header tool does: it never evaluates macros, it
// classifies each #if by its first word. "#if 0", "#if CPP", "#ifdef X" and any other unrecognised condition are
// skipped; "#if 1", "#if !CPP", "#if WITH_EDITOR", "#if WITH_EDITORONLY_DATA", "#if WITH_ENGINE" and the like are read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The kinds of conditional block; a token carries the union of the blocks around it.
enum class EConditionalBlock : uint32_t
{
	None = 0,
	Cpp = 1 << 0,
	NotCpp = 1 << 1,
	Zero = 1 << 2,
	One = 1 << 3,
	WithEditor = 1 << 4,
	WithEditorOnlyData = 1 << 5,
	WithHotReload = 1 << 6,
	WithEngine = 1 << 7,
	WithCoreUObject = 1 << 8,
	// WITH_TESTS, WITH_VERSE_VM, WITH_VERSE_BPVM: read, but the host has no such builds.
	WithOtherBuild = 1 << 9,
	Unrecognized = 1 << 10,
};

constexpr uint32_t operator|(EConditionalBlock A, EConditionalBlock B)
{
	return uint32_t(A) | uint32_t(B);
}

constexpr uint32_t operator|(uint32_t A, EConditionalBlock B)
{
	return A | uint32_t(B);
}

constexpr bool HasBlock(uint32_t Blocks, EConditionalBlock Block)
{
	return (Blocks & uint32_t(Block)) != 0;
}

struct FDirectiveOutcome
{
	// Whether the code after the directive is read.
	bool bActive = true;
	// Whether comments gathered before the directive are dropped (they then document nothing that follows).
	bool bClearsComments = true;
};

class FConditionalBlocks
{
public:
	explicit FConditionalBlocks(const std::string& InFileName) : FileName(InFileName) {}

	// Handles one directive ("#if 0", "#endif", "#pragma once", ...) met in read code (bInActiveCode) or while
	// skipping a block. Stops with FHeaderToolError on a malformed or unmatched directive, and on #error or an
	// unknown directive in read code.
	FDirectiveOutcome HandleDirective(const std::string& Text, int Line, bool bInActiveCode);

	// Whether reflection markup met while skipping is an error: it is, except directly inside "#if 0" and
	// "#if WITH_EDITORONLY_DATA" blocks, as in the engine.
	bool ForbidsSkippedMarkup() const;

	// The union of the open blocks.
	uint32_t GetComposite() const { return Stack.empty() ? 0u : Stack.back().Composite; }

	// Stops with "missing #endif" when a block is still open at the end of the header.
	void CheckAllClosed(int Line) const;

private:
	struct FBlock
	{
		EConditionalBlock Kind;
		uint32_t Composite;
		int Line;
	};

	EConditionalBlock ClassifyCondition(const std::string& Expression, int Line) const;
	void Push(EConditionalBlock Kind, int Line);
	EConditionalBlock Pop(const std::string& Directive, int Line);
	bool IsActive() const;
	bool ClearsComments() const;

	const std::string& FileName;
	std::vector<FBlock> Stack;
};
