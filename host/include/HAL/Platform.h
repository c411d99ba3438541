// Platform types and compiler macros of a 64-bit desktop build, as the engine names them.
#pragma once

#include <cstddef>
#include <cstdint>

typedef std::uint8_t uint8;
typedef std::uint16_t uint16;
typedef std::uint32_t uint32;
typedef std::uint64_t uint64;
typedef std::int8_t int8;
typedef std::int16_t int16;
typedef std::int32_t int32;
typedef std::int64_t int64;
typedef std::size_t SIZE_T;
typedef char ANSICHAR;
typedef char UTF8CHAR;

// The standalone build uses narrow characters: TEXT("x") is a plain string literal.
typedef char TCHAR;
#define TEXT(x) x

// As the engine defines it for this compiler: inlined whatever the optimiser would decide.
#define FORCEINLINE inline __attribute__((always_inline))
#define FORCENOINLINE __attribute__((noinline))
#define UE_NODISCARD [[nodiscard]]

#define LIKELY(x) __builtin_expect(!!(x), 1)
#define UNLIKELY(x) __builtin_expect(!!(x), 0)

// Module export macros expand to nothing in a static standalone build.
#define CORE_API
#define COREUOBJECT_API
#define ENGINE_API
#define INPUTCORE_API
#define RIGVM_API
#define CONTROLRIG_API
#define CONTROLRIGSPLINE_API
#define ANIMATIONCORE_API

#define PLATFORM_64BITS 1
#define PLATFORM_LITTLE_ENDIAN 1
// The standalone build is an editor build, so unit reports reach the runner's log. The build also compiles the
// plug-in with WITH_EDITOR 0, as a packaged game builds it.
#ifndef WITH_EDITOR
#define WITH_EDITOR 1
#endif
#ifndef WITH_EDITORONLY_DATA
#define WITH_EDITORONLY_DATA WITH_EDITOR
#endif
