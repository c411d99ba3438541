// Which C++ types a reflected field, parameter or return value may have, as far as the header tool can tell from the
// text: standard library types and raw pointers to anything but objects cannot be reflected (the engine's header
// tool rejects them, and the host's reflection could not build them).
#pragma once

#include "Tokenizer.h"

#include <string>
#include <vector>

// Why the type written as Tokens [Begin, End) cannot be reflected, or empty when it can. Object pointers (a '*'
// right after a U- or A-prefixed class name, as in UObject* or TArray<AActor*>) are allowed, as in the engine.
std::string FindUnreflectableType(const std::vector<FToken>& Tokens, size_t Begin, size_t End);
