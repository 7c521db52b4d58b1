// Conversions between TCHAR (UTF-16) text and narrow text (UTF-8 / ANSI).
#pragma once

#include "CoreTypes.h"

#include <string>
#include <string_view>

namespace UE::Core::Private
{
	// UTF-16 -> UTF-8; unpaired surrogates become U+FFFD.
	CORE_API std::string Utf16ToUtf8(std::u16string_view Source);
	// UTF-8 -> UTF-16; malformed sequences become '?', the engine's replacement for bogus chars.
	CORE_API std::u16string Utf8ToUtf16(std::string_view Source);
	// UTF-16 -> 7-bit ANSI; anything outside ASCII becomes '?'.
	CORE_API std::string Utf16ToAnsi(std::u16string_view Source);

	template <typename CharType>
	inline size_t CStrLen(const CharType* Str)
	{
		return Str ? std::char_traits<CharType>::length(Str) : 0;
	}
}

// Owns the converted text; Get() stays valid while the object lives, which for the macros below
// is the end of the full expression.
template <typename ToType>
class TStringConversionBuffer
{
public:
	explicit TStringConversionBuffer(std::basic_string<ToType>&& InBuffer) : Buffer(static_cast<std::basic_string<ToType>&&>(InBuffer)) {}
	const ToType* Get() const { return Buffer.c_str(); }
	int32 Length() const { return static_cast<int32>(Buffer.size()); }

private:
	std::basic_string<ToType> Buffer;
};

class FTCHARToUTF8 : public TStringConversionBuffer<ANSICHAR>
{
public:
	explicit FTCHARToUTF8(const TCHAR* Source)
		: TStringConversionBuffer(UE::Core::Private::Utf16ToUtf8(std::u16string_view(Source ? Source : u"")))
	{
	}
	FTCHARToUTF8(const TCHAR* Source, int32 Len)
		: TStringConversionBuffer(UE::Core::Private::Utf16ToUtf8(std::u16string_view(Source, static_cast<size_t>(Len))))
	{
	}
};

class FUTF8ToTCHAR : public TStringConversionBuffer<TCHAR>
{
public:
	explicit FUTF8ToTCHAR(const ANSICHAR* Source)
		: TStringConversionBuffer(UE::Core::Private::Utf8ToUtf16(std::string_view(Source ? Source : "")))
	{
	}
	FUTF8ToTCHAR(const ANSICHAR* Source, int32 Len)
		: TStringConversionBuffer(UE::Core::Private::Utf8ToUtf16(std::string_view(Source, static_cast<size_t>(Len))))
	{
	}
};

class FTCHARToANSI : public TStringConversionBuffer<ANSICHAR>
{
public:
	explicit FTCHARToANSI(const TCHAR* Source)
		: TStringConversionBuffer(UE::Core::Private::Utf16ToAnsi(std::u16string_view(Source ? Source : u"")))
	{
	}
};

// ANSI text is ASCII in the engine; the host decodes it as UTF-8, which agrees on ASCII.
typedef FUTF8ToTCHAR FANSIToTCHAR;

template <typename ToType, typename FromType>
inline TStringConversionBuffer<ToType> StringCast(const FromType* Str)
{
	if constexpr (sizeof(ToType) == 1 && sizeof(FromType) == 2)
	{
		return TStringConversionBuffer<ToType>(UE::Core::Private::Utf16ToUtf8(std::u16string_view(Str ? Str : u"")));
	}
	else if constexpr (sizeof(ToType) == 2 && sizeof(FromType) == 1)
	{
		return TStringConversionBuffer<ToType>(UE::Core::Private::Utf8ToUtf16(
			std::string_view(Str ? reinterpret_cast<const char*>(Str) : "")));
	}
	else
	{
		return TStringConversionBuffer<ToType>(std::basic_string<ToType>(Str, Str + UE::Core::Private::CStrLen(Str)));
	}
}

#define TCHAR_TO_UTF8(str) (ANSICHAR*)FTCHARToUTF8((const TCHAR*)(str)).Get()
#define UTF8_TO_TCHAR(str) (TCHAR*)FUTF8ToTCHAR((const ANSICHAR*)(str)).Get()
#define TCHAR_TO_ANSI(str) (ANSICHAR*)FTCHARToANSI((const TCHAR*)(str)).Get()
#define ANSI_TO_TCHAR(str) (TCHAR*)FANSIToTCHAR((const ANSICHAR*)(str)).Get()
