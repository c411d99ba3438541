// String hashes that ignore case, shared by FString and the name table.
#pragma once

#include "CoreTypes.h"
#include "Misc/Char.h"

struct FCrc
{
	// FNV-1a over the upper-cased characters of the first Len characters.
	static constexpr uint32 Strihash_DEPRECATED(int32 Len, const TCHAR* Data)
	{
		uint32 Hash = 2166136261u;
		for (int32 Index = 0; Index < Len; ++Index)
		{
			Hash ^= static_cast<uint8>(FChar::ToUpper(Data[Index]));
			Hash *= 16777619u;
		}
		return Hash;
	}

	static constexpr uint32 Strihash_DEPRECATED(const TCHAR* Data)
	{
		int32 Len = 0;
		while (Data[Len] != 0)
		{
			++Len;
		}
		return Strihash_DEPRECATED(Len, Data);
	}
};
