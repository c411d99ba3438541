// Which comments document a declaration, decided as the engine's header tool decides it: the comments read since
// the last statement ended (or since a tooltip last used them) document the next declaration. A block comment, or a
// // comment after a blank line below another // comment, starts the gathering afresh. Code between a comment and
// the declaration separates them, because every statement ends the gathering; a blank line alone does not.
#pragma once

#include "ReflectedTypes.h"
#include "Tokenizer.h"

#include <string>
#include <vector>

class FDocumentingComments
{
public:
	explicit FDocumentingComments(const std::vector<FToken>& InTokens) : Tokens(InTokens) {}

	// A statement ended before token End: the comments read so far document nothing.
	void EndStatement(size_t End);

	// Gives Target (under Prefix, e.g. "Value." for an enumerator) the metadata "Comment" (the comments as written)
	// and "ToolTip" (FormatCommentForToolTip) from the comments in front of tokens before End, unless Target already
	// has a ToolTip, which then stays and records no comment. Comments that made a tooltip are used up; comments
	// without tooltip text (only //~ lines, say) stay and also document the next declaration, as in the engine.
	void Document(FMetaData& Target, size_t End, const std::string& Prefix = std::string());

private:
	void ReadThrough(size_t End);

	const std::vector<FToken>& Tokens;
	size_t ReadEnd = 0;
	std::vector<std::string> Gathered;
};
