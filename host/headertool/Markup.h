// The specifiers and metadata of one reflection macro, e.g. UPROPERTY(EditAnywhere, Category = "A", meta = (X)).
#pragma once

#include "ReflectedTypes.h"

#include <cstdint>
#include <string>
#include <vector>

struct FSpecifier
{
	std::string Key;
	// A parenthesised list is joined with spaces: ClassGroup = (A, B) gives "A B".
	std::string Value;
	bool bHasValue = false;
};

struct FMarkup
{
	// The macro's line, where errors about the declaration are reported.
	int Line = 0;
	// The conditional blocks around the macro (EConditionalBlock flags).
	uint32_t Blocks = 0;
	std::vector<FSpecifier> Specifiers;
	// The meta = (...) entries; a key without a value holds "".
	FMetaData MetaData;
};
