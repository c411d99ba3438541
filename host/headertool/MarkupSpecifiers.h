// How specifiers become flags and metadata, as the engine's header tool turns them: BlueprintType gives
// "BlueprintType" = "true", ClassGroup = (A) gives "ClassGroupNames" = "A", EditAnywhere gives CPF_Edit. Documenting
// comments are applied by the parser afterwards (FDocumentingComments), where the engine reads them.
#pragma once

#include "Markup.h"
#include "ReflectedTypes.h"

#include <string>

// Each stops with FHeaderToolError (FileName, the markup's line) on a specifier it does not know.
void ApplyEnumMarkup(FParsedEnum& Enum, const FMarkup& Markup, const std::string& FileName);
void ApplyEnumeratorMarkup(FParsedEnum& Enum, const std::string& Enumerator, const FMarkup& Markup);
void ApplyStructMarkup(FParsedStruct& Struct, const FMarkup& Markup, const std::string& FileName);
void ApplyPropertyMarkup(FParsedProperty& Property, const FMarkup& Markup, const std::string& FileName);
void ApplyFunctionMarkup(FParsedFunction& Function, const FMarkup& Markup, const std::string& FileName);
