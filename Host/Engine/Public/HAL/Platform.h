// Platform types and compiler macros (Linux, GCC/Clang).
#pragma once

#include <cstddef>
#include <cstdint>

#define PLATFORM_LINUX 1
#define PLATFORM_UNIX 1
#define PLATFORM_WINDOWS 0
#define PLATFORM_MAC 0
#define PLATFORM_APPLE 0
#define PLATFORM_ANDROID 0
#define PLATFORM_IOS 0
#define PLATFORM_DESKTOP 1
#define PLATFORM_64BITS 1
#define PLATFORM_LITTLE_ENDIAN 1
#define PLATFORM_TCHAR_IS_CHAR16 1
#define PLATFORM_WIDECHAR_IS_CHAR16 1

// Fixed-size integers.
typedef std::uint8_t uint8;
typedef std::uint16_t uint16;
typedef std::uint32_t uint32;
typedef std::uint64_t uint64;
typedef std::int8_t int8;
typedef std::int16_t int16;
typedef std::int32_t int32;
typedef std::int64_t int64;

// Characters. On Linux the engine's TCHAR is a 16-bit UTF-16 code unit.
typedef char ANSICHAR;
typedef char16_t WIDECHAR;
typedef char8_t UTF8CHAR;
typedef char16_t UCS2CHAR;
typedef char16_t UTF16CHAR;
typedef char32_t UTF32CHAR;
typedef WIDECHAR TCHAR;

// Pointer-sized integers.
typedef std::uintptr_t UPTRINT;
typedef std::intptr_t PTRINT;
typedef std::size_t SIZE_T;
typedef std::ptrdiff_t SSIZE_T;
typedef decltype(nullptr) TYPE_OF_NULLPTR;

#define UE_TEXT_PASTE(x) u##x
#define TEXT(x) UE_TEXT_PASTE(x)

#define FORCEINLINE inline __attribute__((always_inline))
#define FORCENOINLINE __attribute__((noinline))
#define FORCEINLINE_DEBUGGABLE inline
#define RESTRICT __restrict
#define CONSTEXPR constexpr
#define ABSTRACT
#define VARARGS
#define CDECL
#define STDCALL
#define MS_ALIGN(n)
#define GCC_PACK(n) __attribute__((packed, aligned(n)))
#define GCC_ALIGN(n) __attribute__((aligned(n)))

#define DLLEXPORT __attribute__((visibility("default")))
#define DLLIMPORT __attribute__((visibility("default")))

#define UE_NODISCARD [[nodiscard]]
#define UE_NODISCARD_CTOR [[nodiscard]]
#define UE_NORETURN [[noreturn]]
#define UE_LIKELY(x) __builtin_expect(!!(x), 1)
#define UE_UNLIKELY(x) __builtin_expect(!!(x), 0)
#define LIKELY(x) UE_LIKELY(x)
#define UNLIKELY(x) UE_UNLIKELY(x)
#define UE_ASSUME(x) ((void)0)

#define PRAGMA_DISABLE_DEPRECATION_WARNINGS \
	_Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wdeprecated-declarations\"")
#define PRAGMA_ENABLE_DEPRECATION_WARNINGS _Pragma("GCC diagnostic pop")
#define PRAGMA_DISABLE_OPTIMIZATION
#define PRAGMA_ENABLE_OPTIMIZATION
#define UE_DISABLE_OPTIMIZATION
#define UE_ENABLE_OPTIMIZATION

#define UE_DEPRECATED(Version, Message) [[deprecated(Message)]]
#define DEPRECATED(Version, Message) [[deprecated(Message)]]

#define PLATFORM_CACHE_LINE_SIZE 64
