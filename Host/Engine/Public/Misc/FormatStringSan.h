// Compile-time check of printf-style format strings against their arguments (UE_LOG, checkf,
// ensureMsgf). The arguments travel through C varargs, so a mismatch is undefined behaviour at run
// time; the engine rejects it when compiling, and so does this.
//
// The grammar accepted is the one the log formatter implements:
//   %[flags -+ #0][width|*][.precision|.*][length hh h l ll j z t]conversion
//   conversions d i u o x X c (integers, enums, characters), f F e E g G a A (floating point),
//   s (const TCHAR*), hs (const ANSICHAR* / const UTF8CHAR*), p (any pointer), %% (a percent sign).
// Integers must fit the length: none/h/hh take at most 32 bits, l/ll/j/z/t take exactly 64.
#pragma once

#include "CoreTypes.h"
#include <type_traits>

namespace UE::Core::Private::FormatStringSan
{
	enum class EArgKind : uint8
	{
		Int32,
		Int64,
		Float,
		Pointer,
		TCharString,
		AnsiString,
		Invalid
	};

	template <typename T>
	constexpr EArgKind ClassifyArg()
	{
		using U = std::remove_cv_t<T>;
		if constexpr (std::is_enum_v<U> || std::is_integral_v<U>)
		{
			return sizeof(U) <= 4 ? EArgKind::Int32 : (sizeof(U) == 8 ? EArgKind::Int64 : EArgKind::Invalid);
		}
		else if constexpr (std::is_same_v<U, float> || std::is_same_v<U, double>)
		{
			return EArgKind::Float;
		}
		else if constexpr (std::is_pointer_v<U>)
		{
			using P = std::remove_cv_t<std::remove_pointer_t<U>>;
			if constexpr (std::is_same_v<P, TCHAR>)
			{
				return EArgKind::TCharString;
			}
			else if constexpr (std::is_same_v<P, ANSICHAR> || std::is_same_v<P, UTF8CHAR>)
			{
				return EArgKind::AnsiString;
			}
			else
			{
				return EArgKind::Pointer;
			}
		}
		else if constexpr (std::is_null_pointer_v<U>)
		{
			return EArgKind::Pointer;
		}
		else
		{
			// Class types (FString, FName, FVector...) and long double cannot travel through varargs.
			return EArgKind::Invalid;
		}
	}

	// Each of these names a mistake. They are not constexpr: reaching one while the check is
	// evaluated stops the compilation, and the compiler's message quotes the name.
	inline void Error_ArgumentCannotBeFormatted_PassStarForFStringOrToStringForFName() {}
	inline void Error_NotEnoughArguments() {}
	inline void Error_TooManyArguments() {}
	inline void Error_StarNeedsInt32Argument() {}
	inline void Error_ConversionNeedsIntegerArgument() {}
	inline void Error_IntegerArgumentSizeDoesNotMatchLength() {}
	inline void Error_ConversionNeedsFloatingPointArgument() {}
	inline void Error_PercentSNeedsTCharPointer_UsePercentHsForAnsi() {}
	inline void Error_PercentHsNeedsAnsiPointer() {}
	inline void Error_PercentPNeedsPointer() {}
	inline void Error_UnsupportedConversion() {}
	inline void Error_FormatEndsInsideConversion() {}

	template <typename... ArgTypes>
	struct TArgs
	{
	};

	/** Only named in decltype: turns the argument expressions of a macro into their (decayed) types. */
	template <typename... ArgTypes>
	TArgs<ArgTypes...> ArgsOf(ArgTypes...);

	template <typename ArgsType>
	struct TValidator;

	template <typename... ArgTypes>
	struct TValidator<TArgs<ArgTypes...>>
	{
		template <typename CharType>
		static consteval bool Validate(const CharType* Fmt)
		{
			constexpr int32 NumArgs = (int32)sizeof...(ArgTypes);
			constexpr EArgKind Kinds[NumArgs + 1] = {ClassifyArg<ArgTypes>()..., EArgKind::Invalid};
			for (int32 Index = 0; Index < NumArgs; ++Index)
			{
				if (Kinds[Index] == EArgKind::Invalid)
				{
					Error_ArgumentCannotBeFormatted_PassStarForFStringOrToStringForFName();
				}
			}

			int32 Next = 0;
			auto TakeArg = [&Next]() -> EArgKind
			{
				if (Next >= NumArgs)
				{
					Error_NotEnoughArguments();
					return EArgKind::Invalid;
				}
				return Kinds[Next++];
			};

			for (const CharType* P = Fmt; *P; ++P)
			{
				if (*P != '%')
				{
					continue;
				}
				++P;
				if (*P == '%')
				{
					continue;
				}
				while (*P == '-' || *P == '+' || *P == ' ' || *P == '#' || *P == '0')
				{
					++P;
				}
				if (*P == '*')
				{
					if (TakeArg() != EArgKind::Int32)
					{
						Error_StarNeedsInt32Argument();
					}
					++P;
				}
				while (*P >= '0' && *P <= '9')
				{
					++P;
				}
				if (*P == '.')
				{
					++P;
					if (*P == '*')
					{
						if (TakeArg() != EArgKind::Int32)
						{
							Error_StarNeedsInt32Argument();
						}
						++P;
					}
					while (*P >= '0' && *P <= '9')
					{
						++P;
					}
				}

				bool bShort = false;
				bool bWide64 = false;
				if (*P == 'h')
				{
					bShort = true;
					++P;
					if (*P == 'h')
					{
						++P;
					}
				}
				else if (*P == 'l')
				{
					bWide64 = true;
					++P;
					if (*P == 'l')
					{
						++P;
					}
				}
				else if (*P == 'j' || *P == 'z' || *P == 't')
				{
					bWide64 = true;
					++P;
				}

				switch (*P)
				{
				case 'd': case 'i': case 'u': case 'o': case 'x': case 'X': case 'c':
				{
					const EArgKind Kind = TakeArg();
					if (Kind != EArgKind::Int32 && Kind != EArgKind::Int64)
					{
						Error_ConversionNeedsIntegerArgument();
					}
					else if ((Kind == EArgKind::Int64) != bWide64)
					{
						Error_IntegerArgumentSizeDoesNotMatchLength();
					}
					break;
				}
				case 'f': case 'F': case 'e': case 'E': case 'g': case 'G': case 'a': case 'A':
					if (TakeArg() != EArgKind::Float)
					{
						Error_ConversionNeedsFloatingPointArgument();
					}
					break;
				case 's':
					if (bShort)
					{
						if (TakeArg() != EArgKind::AnsiString)
						{
							Error_PercentHsNeedsAnsiPointer();
						}
					}
					else if (TakeArg() != EArgKind::TCharString)
					{
						Error_PercentSNeedsTCharPointer_UsePercentHsForAnsi();
					}
					break;
				case 'p':
				{
					const EArgKind Kind = TakeArg();
					if (Kind != EArgKind::Pointer && Kind != EArgKind::TCharString && Kind != EArgKind::AnsiString)
					{
						Error_PercentPNeedsPointer();
					}
					break;
				}
				case 0:
					Error_FormatEndsInsideConversion();
					return false;
				default:
					Error_UnsupportedConversion();
					break;
				}
			}
			if (Next != NumArgs)
			{
				Error_TooManyArguments();
			}
			return true;
		}
	};

	/**
	 * What an argument becomes on its way into C varargs: enums (scoped ones included, which varargs
	 * would not promote) as their promoted integer, everything else unchanged.
	 */
	template <typename T>
	FORCEINLINE decltype(auto) ToVarArg(const T& Value)
	{
		if constexpr (std::is_enum_v<T>)
		{
			using FUnderlying = std::underlying_type_t<T>;
			if constexpr (sizeof(FUnderlying) <= 4)
			{
				return (std::conditional_t<std::is_signed_v<FUnderlying>, int, unsigned int>)Value;
			}
			else
			{
				return (std::conditional_t<std::is_signed_v<FUnderlying>, long long, unsigned long long>)Value;
			}
		}
		else
		{
			return (Value);
		}
	}

	template <typename T>
	inline constexpr bool TIsTCharArray = false;
	template <SIZE_T N>
	inline constexpr bool TIsTCharArray<const TCHAR[N]> = true;
	template <SIZE_T N>
	inline constexpr bool TIsTCharArray<TCHAR[N]> = true;
}

/**
 * Rejects, at compile time, a format that is not a TCHAR string literal (or array) or that does
 * not match its arguments. Usable wherever a declaration is (it is a static_assert).
 */
#define UE_VALIDATE_FORMAT_STRING(Format, ...) \
	static_assert(::UE::Core::Private::FormatStringSan::TIsTCharArray<std::remove_reference_t<decltype(Format)>>, \
		"Formatting string must be a TCHAR array: write TEXT(\"...\")."); \
	static_assert(::UE::Core::Private::FormatStringSan::TValidator< \
		decltype(::UE::Core::Private::FormatStringSan::ArgsOf(__VA_ARGS__))>::Validate(Format), \
		"Format string does not match its arguments.")
