// Allocator tags that containers accept as a template parameter. Every container here allocates from the heap; the
// tags only keep engine declarations such as TArray<T, TInlineAllocator<8>> valid.
#pragma once

#include "CoreTypes.h"

class FDefaultAllocator
{
};

class FDefaultSetAllocator
{
};

template <uint32 NumInlineElements, typename SecondaryAllocator = FDefaultAllocator> class TInlineAllocator
{
};

template <uint32 NumInlineElements> class TFixedAllocator
{
};

template <uint32 NumInlineElements> class TInlineSetAllocator
{
};
