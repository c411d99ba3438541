// The tooltip the engine's header tool makes of the comments that document a declaration.
#pragma once

#include <string>

// Comments is the documenting comments joined as written (// comments with their line ends). As in the engine:
// "//~" lines and "/*~ */" blocks are dropped; comment markers ("/**", "/*", "*/", and "//", "///" when the text
// starts with a line comment) and the "*" gutter of block comments go; tabs become spaces; the indentation of the
// first line is removed from every line; leading blank and separator lines ("---", "===", "***") are skipped and
// trailing ones dropped. Empty when nothing is left, or when the comments hold no letter or digit.
std::string FormatCommentForToolTip(const std::string& Comments);
