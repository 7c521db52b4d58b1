// C-string helpers over any character type (FCString for TCHAR, FCStringAnsi for char).
#pragma once

#include "CoreTypes.h"
#include "Misc/Char.h"

#include <cstdlib>
#include <cstring>

namespace ESearchCase
{
	enum Type
	{
		CaseSensitive,
		IgnoreCase,
	};
}

namespace ESearchDir
{
	enum Type
	{
		FromStart,
		FromEnd,
	};
}

namespace UE::Core::Private
{
	// Copies a number's text to a narrow buffer for the C runtime parsers; characters outside
	// ASCII become a byte no parser accepts, so parsing stops there as it would on the original.
	template <typename CharType>
	inline int32 NarrowForParse(const CharType* Str, char* Buffer, int32 BufferSize)
	{
		int32 Len = 0;
		for (; Str[Len] != 0 && Len < BufferSize - 1; ++Len)
		{
			const uint32 C = static_cast<uint32>(static_cast<std::make_unsigned_t<CharType>>(Str[Len]));
			Buffer[Len] = C < 0x80 ? static_cast<char>(C) : '\x01';
		}
		Buffer[Len] = 0;
		return Len;
	}
}

template <typename T>
struct TCString
{
	typedef T CharType;

	static int32 Strlen(const CharType* String)
	{
		if constexpr (sizeof(CharType) == 1)
		{
			return static_cast<int32>(std::strlen(reinterpret_cast<const char*>(String)));
		}
		else
		{
			const CharType* It = String;
			while (*It)
			{
				++It;
			}
			return static_cast<int32>(It - String);
		}
	}

	static int32 Strcmp(const CharType* String1, const CharType* String2)
	{
		for (;; ++String1, ++String2)
		{
			const int32 C1 = static_cast<int32>(static_cast<std::make_unsigned_t<CharType>>(*String1));
			const int32 C2 = static_cast<int32>(static_cast<std::make_unsigned_t<CharType>>(*String2));
			if (C1 != C2 || C1 == 0)
			{
				return C1 - C2;
			}
		}
	}

	static int32 Strncmp(const CharType* String1, const CharType* String2, SIZE_T Count)
	{
		for (; Count > 0; --Count, ++String1, ++String2)
		{
			const int32 C1 = static_cast<int32>(static_cast<std::make_unsigned_t<CharType>>(*String1));
			const int32 C2 = static_cast<int32>(static_cast<std::make_unsigned_t<CharType>>(*String2));
			if (C1 != C2 || C1 == 0)
			{
				return C1 - C2;
			}
		}
		return 0;
	}

	// Case-insensitive (ASCII letters folded to lower case before comparing).
	static int32 Stricmp(const CharType* String1, const CharType* String2)
	{
		for (;; ++String1, ++String2)
		{
			const int32 C1 = static_cast<int32>(static_cast<std::make_unsigned_t<CharType>>(TChar<CharType>::ToLower(*String1)));
			const int32 C2 = static_cast<int32>(static_cast<std::make_unsigned_t<CharType>>(TChar<CharType>::ToLower(*String2)));
			if (C1 != C2 || C1 == 0)
			{
				return C1 - C2;
			}
		}
	}

	static int32 Strnicmp(const CharType* String1, const CharType* String2, SIZE_T Count)
	{
		for (; Count > 0; --Count, ++String1, ++String2)
		{
			const int32 C1 = static_cast<int32>(static_cast<std::make_unsigned_t<CharType>>(TChar<CharType>::ToLower(*String1)));
			const int32 C2 = static_cast<int32>(static_cast<std::make_unsigned_t<CharType>>(TChar<CharType>::ToLower(*String2)));
			if (C1 != C2 || C1 == 0)
			{
				return C1 - C2;
			}
		}
		return 0;
	}

	static const CharType* Strstr(const CharType* String, const CharType* Find)
	{
		const int32 FindLen = Strlen(Find);
		for (; *String; ++String)
		{
			if (Strncmp(String, Find, FindLen) == 0)
			{
				return String;
			}
		}
		return FindLen == 0 ? String : nullptr;
	}
	static const CharType* Stristr(const CharType* String, const CharType* Find)
	{
		const int32 FindLen = Strlen(Find);
		for (; *String; ++String)
		{
			if (Strnicmp(String, Find, FindLen) == 0)
			{
				return String;
			}
		}
		return FindLen == 0 ? String : nullptr;
	}
	static const CharType* Strchr(const CharType* String, CharType C)
	{
		for (;; ++String)
		{
			if (*String == C)
			{
				return String;
			}
			if (*String == 0)
			{
				return nullptr;
			}
		}
	}
	static const CharType* Strrchr(const CharType* String, CharType C)
	{
		const CharType* Last = nullptr;
		for (;; ++String)
		{
			if (*String == C)
			{
				Last = String;
			}
			if (*String == 0)
			{
				return Last;
			}
		}
	}

	static CharType* Strncpy(CharType* Dest, const CharType* Src, int32 MaxLen)
	{
		int32 Index = 0;
		for (; Index < MaxLen - 1 && Src[Index]; ++Index)
		{
			Dest[Index] = Src[Index];
		}
		if (MaxLen > 0)
		{
			Dest[Index] = 0;
		}
		return Dest;
	}

	static int64 Strtoi64(const CharType* Start, CharType** End, int32 Base)
	{
		char Buffer[128];
		UE::Core::Private::NarrowForParse(Start, Buffer, sizeof(Buffer));
		char* NarrowEnd = nullptr;
		const long long Value = std::strtoll(Buffer, &NarrowEnd, Base);
		if (End)
		{
			*End = const_cast<CharType*>(Start) + (NarrowEnd - Buffer);
		}
		return static_cast<int64>(Value);
	}
	static uint64 Strtoui64(const CharType* Start, CharType** End, int32 Base)
	{
		char Buffer[128];
		UE::Core::Private::NarrowForParse(Start, Buffer, sizeof(Buffer));
		char* NarrowEnd = nullptr;
		const unsigned long long Value = std::strtoull(Buffer, &NarrowEnd, Base);
		if (End)
		{
			*End = const_cast<CharType*>(Start) + (NarrowEnd - Buffer);
		}
		return static_cast<uint64>(Value);
	}
	static int32 Strtoi(const CharType* Start, CharType** End, int32 Base) { return static_cast<int32>(Strtoi64(Start, End, Base)); }

	static int32 Atoi(const CharType* String) { return Strtoi(String, nullptr, 10); }
	static int64 Atoi64(const CharType* String) { return Strtoi64(String, nullptr, 10); }
	static double Atod(const CharType* String)
	{
		char Buffer[512];
		UE::Core::Private::NarrowForParse(String, Buffer, sizeof(Buffer));
		return std::strtod(Buffer, nullptr);
	}
	static float Atof(const CharType* String)
	{
		char Buffer[512];
		UE::Core::Private::NarrowForParse(String, Buffer, sizeof(Buffer));
		return std::strtof(Buffer, nullptr);
	}

	// "true"/"yes"/"on" (any case) or a non-zero number.
	static bool ToBool(const CharType* String)
	{
		static constexpr CharType True[] = {'t', 'r', 'u', 'e', 0};
		static constexpr CharType Yes[] = {'y', 'e', 's', 0};
		static constexpr CharType On[] = {'o', 'n', 0};
		if (Stricmp(String, True) == 0 || Stricmp(String, Yes) == 0 || Stricmp(String, On) == 0)
		{
			return true;
		}
		return Atoi(String) != 0;
	}

	// Optional sign, then digits with at most one '.'.
	static bool IsNumeric(const CharType* Str)
	{
		if (*Str == '-' || *Str == '+')
		{
			++Str;
		}
		bool bHasDot = false;
		for (; *Str; ++Str)
		{
			if (*Str == '.')
			{
				if (bHasDot)
				{
					return false;
				}
				bHasDot = true;
			}
			else if (!TChar<CharType>::IsDigit(*Str))
			{
				return false;
			}
		}
		return true;
	}
};

typedef TCString<TCHAR> FCString;
typedef TCString<ANSICHAR> FCStringAnsi;
typedef TCString<WIDECHAR> FCStringWide;
