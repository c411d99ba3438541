// GetTypeHash for built-in types, and the hash combiners that hashed containers and user types build on.
#pragma once

#include "CoreTypes.h"

#include <concepts>
#include <cstdint>
#include <cstring>
#include <type_traits>

// Mixes two hashes; the order of the arguments matters.
FORCEINLINE constexpr uint32 HashCombine(uint32 A, uint32 C)
{
	uint32 B = 0x9e3779b9;
	A += B;

	A -= B;
	A -= C;
	A ^= (C >> 13);
	B -= C;
	B -= A;
	B ^= (A << 8);
	C -= A;
	C -= B;
	C ^= (B >> 13);
	A -= B;
	A -= C;
	A ^= (C >> 12);
	B -= C;
	B -= A;
	B ^= (A << 16);
	C -= A;
	C -= B;
	C ^= (B >> 5);
	A -= B;
	A -= C;
	A ^= (C >> 3);
	B -= C;
	B -= A;
	B ^= (A << 10);
	C -= A;
	C -= B;
	C ^= (B >> 15);

	return C;
}

// A cheaper combiner for hashes that only need to spread well in a hash table; not stable across versions.
FORCEINLINE constexpr uint32 HashCombineFast(uint32 A, uint32 B)
{
	return A ^ (B + 0x9e3779b9 + (A << 6) + (A >> 2));
}

// Hashes a pointer's address. The lowest bits are dropped since allocations are aligned.
FORCEINLINE uint32 PointerHash(const void* Key)
{
	const uint64 PtrInt = reinterpret_cast<std::uintptr_t>(Key) >> 4;
	uint64 Mixed = PtrInt * 0x9E3779B97F4A7C15ull;
	Mixed ^= Mixed >> 32;
	return static_cast<uint32>(Mixed);
}

FORCEINLINE uint32 PointerHash(const void* Key, uint32 C)
{
	return HashCombineFast(PointerHash(Key), C);
}

// Integers up to 32 bits hash to their own value; wider ones fold their high half in.
template <std::integral T> FORCEINLINE constexpr uint32 GetTypeHash(T Value)
{
	if constexpr (sizeof(T) <= 4)
	{
		return static_cast<uint32>(Value);
	}
	else
	{
		const uint64 Wide = static_cast<uint64>(Value);
		return static_cast<uint32>(Wide) + static_cast<uint32>(Wide >> 32) * 23;
	}
}

template <typename T>
requires std::is_enum_v<T> FORCEINLINE constexpr uint32 GetTypeHash(T Value)
{
	return GetTypeHash(static_cast<std::underlying_type_t<T>>(Value));
}

// Floats hash their bit pattern, so 0.0 and -0.0 differ, as in the engine.
FORCEINLINE uint32 GetTypeHash(float Value)
{
	uint32 Bits;
	std::memcpy(&Bits, &Value, sizeof(Bits));
	return Bits;
}

FORCEINLINE uint32 GetTypeHash(double Value)
{
	uint64 Bits;
	std::memcpy(&Bits, &Value, sizeof(Bits));
	return GetTypeHash(Bits);
}

template <typename T> FORCEINLINE uint32 GetTypeHash(T* Value)
{
	return PointerHash(static_cast<const void*>(Value));
}
