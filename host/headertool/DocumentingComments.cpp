// Gathering the comments that document a declaration.
#include "DocumentingComments.h"

#include "ToolTipText.h"

#include <algorithm>

void FDocumentingComments::ReadThrough(size_t End)
{
	for (End = std::min(End, Tokens.size()); ReadEnd < End; ++ReadEnd)
	{
		for (const FComment& Comment : Tokens[ReadEnd].Comments)
		{
			if (Comment.bDiscardsEarlier)
			{
				Gathered.clear();
			}
			Gathered.push_back(Comment.Text);
		}
	}
}

void FDocumentingComments::EndStatement(size_t End)
{
	ReadThrough(End);
	Gathered.clear();
}

void FDocumentingComments::Document(FMetaData& Target, size_t End, const std::string& Prefix)
{
	ReadThrough(End);
	if (Gathered.empty() || Target.count(Prefix + "ToolTip") != 0)
	{
		return;
	}
	std::string Comment;
	for (const std::string& Text : Gathered)
	{
		Comment += Text;
	}
	Target[Prefix + "Comment"] = Comment;
	const std::string ToolTip = FormatCommentForToolTip(Comment);
	if (!ToolTip.empty())
	{
		Target[Prefix + "ToolTip"] = ToolTip;
		Gathered.clear();
	}
}
