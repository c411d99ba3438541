// Shared by the test programs that check what a reflected type, field or function registers.
#pragma once

#include "CoreMinimal.h"
#include "UObject/MetaDataMap.h"

#include <map>
#include <string>

// A field's metadata as plain strings, for readable matchers.
inline std::map<std::string, std::string> MetaDataOf(const FMetaDataMap& Field)
{
	std::map<std::string, std::string> Result;
	for (const auto& Entry : Field.GetMetaDataMap())
	{
		Result[*Entry.Key.ToString()] = *Entry.Value;
	}
	return Result;
}
