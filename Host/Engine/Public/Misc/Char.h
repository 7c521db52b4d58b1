// Character classification and case mapping. Case mapping is ASCII-only, as the engine's
// TChar is (same as the C runtime in the "C" locale), so it never depends on the locale.
#pragma once

#include "CoreTypes.h"

#include <type_traits>

template <typename CharType>
struct TChar
{
	static constexpr CharType ToUpper(CharType Char)
	{
		return (Char >= 'a' && Char <= 'z') ? static_cast<CharType>(Char - ('a' - 'A')) : Char;
	}
	static constexpr CharType ToLower(CharType Char)
	{
		return (Char >= 'A' && Char <= 'Z') ? static_cast<CharType>(Char + ('a' - 'A')) : Char;
	}
	static constexpr bool IsUpper(CharType Char) { return Char >= 'A' && Char <= 'Z'; }
	static constexpr bool IsLower(CharType Char) { return Char >= 'a' && Char <= 'z'; }
	static constexpr bool IsAlpha(CharType Char) { return IsUpper(Char) || IsLower(Char); }
	static constexpr bool IsDigit(CharType Char) { return Char >= '0' && Char <= '9'; }
	static constexpr bool IsAlnum(CharType Char) { return IsAlpha(Char) || IsDigit(Char); }
	static constexpr bool IsHexDigit(CharType Char)
	{
		return IsDigit(Char) || (Char >= 'a' && Char <= 'f') || (Char >= 'A' && Char <= 'F');
	}
	static constexpr bool IsOctDigit(CharType Char) { return Char >= '0' && Char <= '7'; }
	static constexpr bool IsPrint(CharType Char) { return static_cast<uint32>(Char) >= 0x20 && Char != 0x7f; }
	static constexpr bool IsPunct(CharType Char)
	{
		return (Char >= '!' && Char <= '/') || (Char >= ':' && Char <= '@') || (Char >= '[' && Char <= '`') || (Char >= '{' && Char <= '~');
	}
	static constexpr bool IsWhitespace(CharType Char)
	{
		const uint32 C = static_cast<uint32>(static_cast<std::make_unsigned_t<CharType>>(Char));
		if (C == ' ' || (C >= 0x09 && C <= 0x0d))
		{
			return true;
		}
		if constexpr (sizeof(CharType) > 1)
		{
			return C == 0x85 || C == 0xa0 || C == 0x1680 || (C >= 0x2000 && C <= 0x200a) || C == 0x2028 || C == 0x2029 ||
				C == 0x202f || C == 0x205f || C == 0x3000;
		}
		return false;
	}
	static constexpr bool IsLinebreak(CharType Char)
	{
		return (Char >= 0x0a && Char <= 0x0d) || static_cast<uint32>(Char) == 0x85 || static_cast<uint32>(Char) == 0x2028 ||
			static_cast<uint32>(Char) == 0x2029;
	}
	static constexpr bool IsIdentifier(CharType Char) { return IsAlnum(Char) || Char == '_'; }
	static constexpr int32 ConvertCharDigitToInt(CharType Char) { return static_cast<int32>(Char) - static_cast<int32>('0'); }
	static constexpr bool IsUnderscore(CharType Char) { return Char == '_'; }
};


typedef TChar<TCHAR> FChar;
typedef TChar<WIDECHAR> FCharWide;
typedef TChar<ANSICHAR> FCharAnsi;
