// FString: the engine's dynamic TCHAR string, over std::u16string.
#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Containers/StringConv.h"
#include "Misc/CString.h"
#include "Misc/Char.h"
#include "Templates/TypeHash.h"
#include "Templates/UnrealTemplate.h"

#include <algorithm>
#include <compare>
#include <iosfwd>
#include <string>
#include <string_view>
#include <type_traits>

namespace UE::Core::Private
{
	// One Printf argument, captured by kind so the formatter can check it against its directive.
	struct FPrintfArg
	{
		enum class EKind : uint8
		{
			SignedInt,
			UnsignedInt,
			Float,
			Pointer,
			WideString,
			AnsiString,
			Null,
		};
		EKind Kind;
		union
		{
			int64 Int;
			uint64 UInt;
			double Float;
			const void* Pointer;
			const TCHAR* WideString;
			const ANSICHAR* AnsiString;
		};
	};

	template <typename T>
	inline constexpr bool TIsCharType_V = std::is_same_v<T, ANSICHAR> || std::is_same_v<T, WIDECHAR> || std::is_same_v<T, UTF8CHAR> ||
		std::is_same_v<T, char32_t> || std::is_same_v<T, wchar_t>;

	template <typename T>
	FORCEINLINE FPrintfArg MakePrintfArg(T Value)
	{
		using U = std::remove_cv_t<T>;
		FPrintfArg Arg;
		if constexpr (std::is_enum_v<U>)
		{
			return MakePrintfArg(static_cast<std::underlying_type_t<U>>(Value));
		}
		else if constexpr (std::is_same_v<U, bool>)
		{
			Arg.Kind = FPrintfArg::EKind::SignedInt;
			Arg.Int = Value ? 1 : 0;
		}
		else if constexpr (std::is_integral_v<U> && std::is_signed_v<U>)
		{
			Arg.Kind = FPrintfArg::EKind::SignedInt;
			Arg.Int = static_cast<int64>(Value);
		}
		else if constexpr (std::is_integral_v<U>)
		{
			Arg.Kind = FPrintfArg::EKind::UnsignedInt;
			Arg.UInt = static_cast<uint64>(Value);
		}
		else if constexpr (std::is_floating_point_v<U>)
		{
			Arg.Kind = FPrintfArg::EKind::Float;
			Arg.Float = static_cast<double>(Value);
		}
		else if constexpr (std::is_same_v<U, decltype(nullptr)>)
		{
			Arg.Kind = FPrintfArg::EKind::Null;
			Arg.Pointer = nullptr;
		}
		else if constexpr (std::is_pointer_v<U> && std::is_same_v<std::remove_cv_t<std::remove_pointer_t<U>>, TCHAR>)
		{
			Arg.Kind = FPrintfArg::EKind::WideString;
			Arg.WideString = Value;
		}
		else if constexpr (std::is_pointer_v<U> && (std::is_same_v<std::remove_cv_t<std::remove_pointer_t<U>>, ANSICHAR> ||
													  std::is_same_v<std::remove_cv_t<std::remove_pointer_t<U>>, UTF8CHAR>))
		{
			Arg.Kind = FPrintfArg::EKind::AnsiString;
			Arg.AnsiString = reinterpret_cast<const ANSICHAR*>(Value);
		}
		else if constexpr (std::is_pointer_v<U>)
		{
			Arg.Kind = FPrintfArg::EKind::Pointer;
			Arg.Pointer = reinterpret_cast<const void*>(Value);
		}
		else
		{
			static_assert(sizeof(T) == 0, "Invalid argument passed to FString::Printf (pass *MyString for an FString)");
		}
		return Arg;
	}

	// printf-style formatting into Out. Directives: %d %i %u %x %X %o %c %s (const TCHAR*) %hs
	// (const ANSICHAR*) %f %F %e %E %g %G %a %A %p %%, with flags, width, precision (also '*') and
	// length modifiers hh h l ll z j t L. An argument of the wrong kind is a fatal error.
	CORE_API void FormatPrintf(std::u16string& Out, const TCHAR* Format, const FPrintfArg* Args, int32 NumArgs);

	FORCEINLINE bool CharsEqualIgnoreCase(const TCHAR* A, const TCHAR* B, size_t Count)
	{
		for (size_t Index = 0; Index < Count; ++Index)
		{
			if (A[Index] != B[Index] && FChar::ToLower(A[Index]) != FChar::ToLower(B[Index]))
			{
				return false;
			}
		}
		return true;
	}
	FORCEINLINE int32 CompareIgnoreCase(std::u16string_view A, std::u16string_view B)
	{
		const size_t Count = A.size() < B.size() ? A.size() : B.size();
		for (size_t Index = 0; Index < Count; ++Index)
		{
			const int32 CA = static_cast<int32>(FChar::ToLower(A[Index]));
			const int32 CB = static_cast<int32>(FChar::ToLower(B[Index]));
			if (CA != CB)
			{
				return CA - CB;
			}
		}
		return A.size() == B.size() ? 0 : (A.size() < B.size() ? -1 : 1);
	}
	FORCEINLINE int32 CompareCaseSensitive(std::u16string_view A, std::u16string_view B)
	{
		const int Result = A.compare(B);
		return Result < 0 ? -1 : (Result > 0 ? 1 : 0);
	}
}

class FString
{
public:
	using ElementType = TCHAR;

	FString() = default;
	FString(const FString&) = default;
	FString(FString&&) noexcept = default;
	FString& operator=(const FString&) = default;
	FString& operator=(FString&&) noexcept = default;
	~FString() = default;

	FString(const TCHAR* Str) : Data(Str ? Str : u"") {}
	// Narrow text is decoded as UTF-8 (the engine takes ANSICHAR as 7-bit ASCII and turns other
	// bytes into '?'; the two agree on ASCII).
	FString(const ANSICHAR* Str) : Data(UE::Core::Private::Utf8ToUtf16(Str ? std::string_view(Str) : std::string_view())) {}
	explicit FString(const UTF8CHAR* Str) : FString(reinterpret_cast<const ANSICHAR*>(Str)) {}
	FString(int32 InCount, const TCHAR* InSrc) : Data(InSrc && InCount > 0 ? std::u16string(InSrc, static_cast<size_t>(InCount)) : std::u16string()) {}
	FString(int32 InCount, const ANSICHAR* InSrc)
		: Data(InSrc && InCount > 0 ? UE::Core::Private::Utf8ToUtf16(std::string_view(InSrc, static_cast<size_t>(InCount))) : std::u16string())
	{
	}

	// Host interop with the standard library (not engine API).
	explicit FString(const std::u16string& Str) : Data(Str) {}
	explicit FString(std::u16string&& Str) : Data(static_cast<std::u16string&&>(Str)) {}
	explicit FString(std::u16string_view Str) : Data(Str) {}
	explicit FString(const std::string& Utf8) : Data(UE::Core::Private::Utf8ToUtf16(Utf8)) {}
	explicit FString(std::string_view Utf8) : Data(UE::Core::Private::Utf8ToUtf16(Utf8)) {}
	const std::u16string& GetU16String() const { return Data; }
	std::string ToStdString() const { return UE::Core::Private::Utf16ToUtf8(Data); }

	FString& operator=(const TCHAR* Str)
	{
		Data.assign(Str ? Str : u"");
		return *this;
	}

	// Access -----------------------------------------------------------------------------------

	FORCEINLINE const TCHAR* operator*() const { return Data.c_str(); }
	FORCEINLINE TCHAR& operator[](int32 Index)
	{
		UE_CORE_CHECKF(IsValidIndex(Index), "String index out of bounds: Index %d from a string with a length of %d", Index, Len());
		return Data[static_cast<size_t>(Index)];
	}
	FORCEINLINE const TCHAR& operator[](int32 Index) const
	{
		UE_CORE_CHECKF(IsValidIndex(Index), "String index out of bounds: Index %d from a string with a length of %d", Index, Len());
		return Data[static_cast<size_t>(Index)];
	}
	FORCEINLINE int32 Len() const { return static_cast<int32>(Data.size()); }
	FORCEINLINE bool IsEmpty() const { return Data.empty(); }
	FORCEINLINE bool IsValidIndex(int32 Index) const { return Index >= 0 && Index < Len(); }
	SIZE_T GetAllocatedSize() const { return Data.capacity() * sizeof(TCHAR); }

	TCHAR* begin() { return Data.data(); }
	TCHAR* end() { return Data.data() + Data.size(); }
	const TCHAR* begin() const { return Data.data(); }
	const TCHAR* end() const { return Data.data() + Data.size(); }

	// Size -------------------------------------------------------------------------------------

	void Empty(int32 Slack = 0)
	{
		std::u16string().swap(Data);
		if (Slack > 0)
		{
			Data.reserve(static_cast<size_t>(Slack));
		}
	}
	void Reset(int32 NewReservedSize = 0)
	{
		Data.clear();
		if (NewReservedSize > 0)
		{
			Data.reserve(static_cast<size_t>(NewReservedSize));
		}
	}
	void Reserve(int32 CharacterCount) { Data.reserve(static_cast<size_t>(CharacterCount > 0 ? CharacterCount : 0)); }
	void Shrink() { Data.shrink_to_fit(); }

	// Appending --------------------------------------------------------------------------------

	FString& AppendChar(TCHAR InChar)
	{
		Data.push_back(InChar);
		return *this;
	}
	FString& AppendChars(const TCHAR* Str, int32 Count)
	{
		if (Str && Count > 0)
		{
			Data.append(Str, static_cast<size_t>(Count));
		}
		return *this;
	}
	FString& Append(const TCHAR* Str, int32 Count) { return AppendChars(Str, Count); }
	FString& Append(const TCHAR* Str)
	{
		if (Str)
		{
			Data.append(Str);
		}
		return *this;
	}
	FString& Append(const ANSICHAR* Str)
	{
		if (Str)
		{
			Data.append(UE::Core::Private::Utf8ToUtf16(Str));
		}
		return *this;
	}
	FString& Append(const FString& Str)
	{
		Data.append(Str.Data);
		return *this;
	}
	template <typename... Types>
	FString& Appendf(const TCHAR* Fmt, Types... Args)
	{
		const UE::Core::Private::FPrintfArg PackedArgs[] = {UE::Core::Private::MakePrintfArg(Args)..., {}};
		UE::Core::Private::FormatPrintf(Data, Fmt, PackedArgs, static_cast<int32>(sizeof...(Types)));
		return *this;
	}

	FString& operator+=(const FString& Str) { return Append(Str); }
	FString& operator+=(const TCHAR* Str) { return Append(Str); }
	FString& operator+=(const ANSICHAR* Str) { return Append(Str); }
	template <typename CharType>
		requires UE::Core::Private::TIsCharType_V<CharType>
	FString& operator+=(CharType InChar)
	{
		return AppendChar(static_cast<TCHAR>(InChar));
	}

	friend FString operator+(const FString& A, const FString& B) { return FString(A.Data + B.Data); }
	friend FString operator+(FString&& A, const FString& B) { return static_cast<FString&&>(A.Append(B)); }
	friend FString operator+(const FString& A, const TCHAR* B) { return FString(A.Data + (B ? B : u"")); }
	friend FString operator+(FString&& A, const TCHAR* B) { return static_cast<FString&&>(A.Append(B)); }
	friend FString operator+(const TCHAR* A, const FString& B) { return FString((A ? A : u"") + B.Data); }
	friend FString operator+(const FString& A, const ANSICHAR* B) { return FString(A).Append(B); }
	friend FString operator+(const ANSICHAR* A, const FString& B) { return FString(A).Append(B); }

	// Path join: inserts a '/' unless the left side is empty or already ends with a separator.
	FString& PathAppend(const TCHAR* Str, int32 StrLength)
	{
		if (!Data.empty() && Data.back() != u'/' && Data.back() != u'\\')
		{
			Data.push_back(u'/');
		}
		return AppendChars(Str, StrLength);
	}
	FString& operator/=(const FString& Str) { return PathAppend(Str.Data.data(), Str.Len()); }
	FString& operator/=(const TCHAR* Str) { return PathAppend(Str, static_cast<int32>(UE::Core::Private::CStrLen(Str))); }
	FString& operator/=(const ANSICHAR* Str) { return *this /= FString(Str); }
	friend FString operator/(const FString& A, const FString& B) { return FString(A) /= B; }
	friend FString operator/(FString&& A, const FString& B) { return static_cast<FString&&>(A /= B); }
	friend FString operator/(const FString& A, const TCHAR* B) { return FString(A) /= B; }
	friend FString operator/(FString&& A, const TCHAR* B) { return static_cast<FString&&>(A /= B); }
	friend FString operator/(const TCHAR* A, const FString& B) { return FString(A) /= B; }

	// Comparison: == and ordering ignore case, as in the engine; Equals/Compare default to case-sensitive.
	friend bool operator==(const FString& A, const FString& B)
	{
		return A.Data.size() == B.Data.size() && UE::Core::Private::CharsEqualIgnoreCase(A.Data.data(), B.Data.data(), A.Data.size());
	}
	friend bool operator==(const FString& A, const TCHAR* B)
	{
		return UE::Core::Private::CompareIgnoreCase(A.Data, std::u16string_view(B ? B : u"")) == 0;
	}
	friend bool operator==(const FString& A, const ANSICHAR* B) { return A == FString(B); }
	friend std::weak_ordering operator<=>(const FString& A, const FString& B)
	{
		return UE::Core::Private::CompareIgnoreCase(A.Data, B.Data) <=> 0;
	}
	friend std::weak_ordering operator<=>(const FString& A, const TCHAR* B)
	{
		return UE::Core::Private::CompareIgnoreCase(A.Data, std::u16string_view(B ? B : u"")) <=> 0;
	}

	bool Equals(const FString& Other, ESearchCase::Type SearchCase = ESearchCase::CaseSensitive) const
	{
		return SearchCase == ESearchCase::CaseSensitive ? Data == Other.Data : *this == Other;
	}
	int32 Compare(const FString& Other, ESearchCase::Type SearchCase = ESearchCase::CaseSensitive) const
	{
		return SearchCase == ESearchCase::CaseSensitive ? UE::Core::Private::CompareCaseSensitive(Data, Other.Data)
														: UE::Core::Private::CompareIgnoreCase(Data, Other.Data);
	}

	// Substrings (counts are clamped to the string) ----------------------------------------------

	FString Left(int32 Count) const { return FString(Data.substr(0, static_cast<size_t>(ClampLen(Count)))); }
	FString LeftChop(int32 Count) const { return Left(Len() - ClampLen(Count)); }
	FString Right(int32 Count) const { return FString(Data.substr(static_cast<size_t>(Len() - ClampLen(Count)))); }
	FString RightChop(int32 Count) const { return FString(Data.substr(static_cast<size_t>(ClampLen(Count)))); }
	FString Mid(int32 Start, int32 Count = 0x7fffffff) const
	{
		int32 First, End;
		MidRange(Start, Count, First, End);
		return FString(Data.substr(static_cast<size_t>(First), static_cast<size_t>(End - First)));
	}
	void LeftInline(int32 Count) { Data.resize(static_cast<size_t>(ClampLen(Count))); }
	void LeftChopInline(int32 Count) { Data.resize(static_cast<size_t>(Len() - ClampLen(Count))); }
	void RightInline(int32 Count) { Data.erase(0, static_cast<size_t>(Len() - ClampLen(Count))); }
	void RightChopInline(int32 Count) { Data.erase(0, static_cast<size_t>(ClampLen(Count))); }
	void MidInline(int32 Start, int32 Count = 0x7fffffff)
	{
		int32 First, End;
		MidRange(Start, Count, First, End);
		Data = Data.substr(static_cast<size_t>(First), static_cast<size_t>(End - First));
	}

	void RemoveAt(int32 Index, int32 Count = 1, EAllowShrinking AllowShrinking = EAllowShrinking::Yes)
	{
		(void)AllowShrinking;
		UE_CORE_CHECKF(Index >= 0 && Count >= 0 && Index + Count <= Len(), "RemoveAt(%d, %d) out of bounds of a string of length %d", Index, Count, Len());
		Data.erase(static_cast<size_t>(Index), static_cast<size_t>(Count));
	}
	void InsertAt(int32 Index, TCHAR Character)
	{
		UE_CORE_CHECKF(Index >= 0 && Index <= Len(), "InsertAt(%d) out of bounds of a string of length %d", Index, Len());
		Data.insert(Data.begin() + Index, Character);
	}
	void InsertAt(int32 Index, const FString& Characters)
	{
		UE_CORE_CHECKF(Index >= 0 && Index <= Len(), "InsertAt(%d) out of bounds of a string of length %d", Index, Len());
		Data.insert(static_cast<size_t>(Index), Characters.Data);
	}

	// Searching (these default to ignoring case, as in the engine) --------------------------------

	CORE_API int32 Find(const TCHAR* SubStr, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase,
		ESearchDir::Type SearchDir = ESearchDir::FromStart, int32 StartPosition = INDEX_NONE) const;
	int32 Find(const FString& SubStr, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase,
		ESearchDir::Type SearchDir = ESearchDir::FromStart, int32 StartPosition = INDEX_NONE) const
	{
		return Find(*SubStr, SearchCase, SearchDir, StartPosition);
	}
	bool Contains(const TCHAR* SubStr, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase,
		ESearchDir::Type SearchDir = ESearchDir::FromStart) const
	{
		return Find(SubStr, SearchCase, SearchDir) != INDEX_NONE;
	}
	bool Contains(const FString& SubStr, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase,
		ESearchDir::Type SearchDir = ESearchDir::FromStart) const
	{
		return Find(*SubStr, SearchCase, SearchDir) != INDEX_NONE;
	}
	bool FindChar(TCHAR InChar, int32& Index) const
	{
		const size_t Pos = Data.find(InChar);
		Index = Pos == std::u16string::npos ? INDEX_NONE : static_cast<int32>(Pos);
		return Index != INDEX_NONE;
	}
	bool FindLastChar(TCHAR InChar, int32& Index) const
	{
		const size_t Pos = Data.rfind(InChar);
		Index = Pos == std::u16string::npos ? INDEX_NONE : static_cast<int32>(Pos);
		return Index != INDEX_NONE;
	}
	template <typename Predicate>
	int32 FindLastCharByPredicate(Predicate Pred, int32 Count) const
	{
		for (int32 Index = (Count < Len() ? Count : Len()) - 1; Index >= 0; --Index)
		{
			if (Pred(Data[static_cast<size_t>(Index)]))
			{
				return Index;
			}
		}
		return INDEX_NONE;
	}
	template <typename Predicate>
	int32 FindLastCharByPredicate(Predicate Pred) const
	{
		return FindLastCharByPredicate(Pred, Len());
	}

	// An empty prefix or suffix never matches, as in the engine.
	CORE_API bool StartsWith(const TCHAR* InPrefix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const;
	bool StartsWith(const FString& InPrefix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const
	{
		return StartsWith(*InPrefix, SearchCase);
	}
	CORE_API bool EndsWith(const TCHAR* InSuffix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const;
	bool EndsWith(const FString& InSuffix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const
	{
		return EndsWith(*InSuffix, SearchCase);
	}
	bool RemoveFromStart(const TCHAR* InPrefix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase)
	{
		if (!StartsWith(InPrefix, SearchCase))
		{
			return false;
		}
		RemoveAt(0, static_cast<int32>(UE::Core::Private::CStrLen(InPrefix)));
		return true;
	}
	bool RemoveFromStart(const FString& InPrefix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase)
	{
		return RemoveFromStart(*InPrefix, SearchCase);
	}
	bool RemoveFromEnd(const TCHAR* InSuffix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase)
	{
		if (!EndsWith(InSuffix, SearchCase))
		{
			return false;
		}
		LeftChopInline(static_cast<int32>(UE::Core::Private::CStrLen(InSuffix)));
		return true;
	}
	bool RemoveFromEnd(const FString& InSuffix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase)
	{
		return RemoveFromEnd(*InSuffix, SearchCase);
	}

	CORE_API bool Split(const FString& InS, FString* LeftS, FString* RightS, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase,
		ESearchDir::Type SearchDir = ESearchDir::FromStart) const;

	// Replacing --------------------------------------------------------------------------------

	CORE_API int32 ReplaceInline(const TCHAR* SearchText, const TCHAR* ReplacementText, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase);
	FString Replace(const TCHAR* From, const TCHAR* To, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const&
	{
		FString Result(*this);
		Result.ReplaceInline(From, To, SearchCase);
		return Result;
	}
	FString Replace(const TCHAR* From, const TCHAR* To, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) &&
	{
		ReplaceInline(From, To, SearchCase);
		return static_cast<FString&&>(*this);
	}
	void ReplaceCharInline(TCHAR SearchChar, TCHAR ReplacementChar, ESearchCase::Type SearchCase = ESearchCase::CaseSensitive)
	{
		for (TCHAR& C : Data)
		{
			if (C == SearchChar || (SearchCase == ESearchCase::IgnoreCase && FChar::ToLower(C) == FChar::ToLower(SearchChar)))
			{
				C = ReplacementChar;
			}
		}
	}

	// Case and whitespace ------------------------------------------------------------------------

	void ToUpperInline()
	{
		for (TCHAR& C : Data)
		{
			C = FChar::ToUpper(C);
		}
	}
	void ToLowerInline()
	{
		for (TCHAR& C : Data)
		{
			C = FChar::ToLower(C);
		}
	}
	FString ToUpper() const&
	{
		FString Result(*this);
		Result.ToUpperInline();
		return Result;
	}
	FString ToUpper() &&
	{
		ToUpperInline();
		return static_cast<FString&&>(*this);
	}
	FString ToLower() const&
	{
		FString Result(*this);
		Result.ToLowerInline();
		return Result;
	}
	FString ToLower() &&
	{
		ToLowerInline();
		return static_cast<FString&&>(*this);
	}

	void TrimStartInline()
	{
		size_t Pos = 0;
		while (Pos < Data.size() && FChar::IsWhitespace(Data[Pos]))
		{
			++Pos;
		}
		Data.erase(0, Pos);
	}
	void TrimEndInline()
	{
		size_t End = Data.size();
		while (End > 0 && FChar::IsWhitespace(Data[End - 1]))
		{
			--End;
		}
		Data.resize(End);
	}
	void TrimStartAndEndInline()
	{
		TrimEndInline();
		TrimStartInline();
	}
	FString TrimStart() const&
	{
		FString Result(*this);
		Result.TrimStartInline();
		return Result;
	}
	FString TrimStart() &&
	{
		TrimStartInline();
		return static_cast<FString&&>(*this);
	}
	FString TrimEnd() const&
	{
		FString Result(*this);
		Result.TrimEndInline();
		return Result;
	}
	FString TrimEnd() &&
	{
		TrimEndInline();
		return static_cast<FString&&>(*this);
	}
	FString TrimStartAndEnd() const&
	{
		FString Result(*this);
		Result.TrimStartAndEndInline();
		return Result;
	}
	FString TrimStartAndEnd() &&
	{
		TrimStartAndEndInline();
		return static_cast<FString&&>(*this);
	}
	FString LeftPad(int32 ChCount) const
	{
		const int32 Pad = ChCount - Len();
		return Pad > 0 ? ChrN(Pad, u' ') + *this : *this;
	}
	FString RightPad(int32 ChCount) const
	{
		const int32 Pad = ChCount - Len();
		return Pad > 0 ? *this + ChrN(Pad, u' ') : *this;
	}
	void ReverseString() { std::reverse(Data.begin(), Data.end()); }
	FString Reverse() const&
	{
		FString Result(*this);
		Result.ReverseString();
		return Result;
	}

	// Splitting into arrays (delimiters match case-sensitively) -----------------------------------

	CORE_API int32 ParseIntoArray(TArray<FString>& OutArray, const TCHAR* Delim, bool InCullEmpty = true) const;
	CORE_API int32 ParseIntoArray(TArray<FString>& OutArray, const TCHAR* const* DelimArray, int32 NumDelims, bool InCullEmpty = true) const;
	CORE_API int32 ParseIntoArrayWS(TArray<FString>& OutArray, const TCHAR* ExtraDelim = nullptr, bool InCullEmpty = true) const;
	CORE_API int32 ParseIntoArrayLines(TArray<FString>& OutArray, bool InCullEmpty = true) const;

	// Conversion -------------------------------------------------------------------------------

	bool IsNumeric() const { return !IsEmpty() && FCString::IsNumeric(Data.c_str()); }
	bool ToBool() const { return FCString::ToBool(Data.c_str()); }

	template <typename... Types>
	[[nodiscard]] static FString Printf(const TCHAR* Fmt, Types... Args)
	{
		FString Result;
		Result.Appendf(Fmt, Args...);
		return Result;
	}

	[[nodiscard]] static FString Chr(TCHAR Ch) { return FString(std::u16string(1, Ch)); }
	[[nodiscard]] static FString ChrN(int32 NumCharacters, TCHAR Char)
	{
		return FString(std::u16string(static_cast<size_t>(NumCharacters > 0 ? NumCharacters : 0), Char));
	}
	[[nodiscard]] static FString FromInt(int32 Num) { return Printf(u"%d", Num); }
	// "%f" with trailing zeros trimmed down to InMinFractionalDigits digits; no "-0".
	[[nodiscard]] CORE_API static FString SanitizeFloat(double InFloat, const int32 InMinFractionalDigits = 1);

	template <typename RangeType>
	[[nodiscard]] static FString Join(const RangeType& Range, const TCHAR* Separator)
	{
		FString Result;
		bool bFirst = true;
		for (const auto& Element : Range)
		{
			if (!bFirst)
			{
				Result += Separator;
			}
			Result += Element;
			bFirst = false;
		}
		return Result;
	}

	// Case-insensitive, to agree with ==.
	friend uint32 GetTypeHash(const FString& S)
	{
		uint32 Hash = 2166136261u;
		for (TCHAR C : S.Data)
		{
			Hash = (Hash ^ static_cast<uint32>(FChar::ToLower(C))) * 16777619u;
		}
		return Hash;
	}

private:
	int32 ClampLen(int32 Count) const { return Count < 0 ? 0 : (Count > Len() ? Len() : Count); }
	void MidRange(int32 Start, int32 Count, int32& OutFirst, int32& OutEnd) const
	{
		if (Count < 0)
		{
			OutFirst = OutEnd = 0;
			return;
		}
		const int64 Length = Len();
		const int64 First = Start < 0 ? 0 : (Start > Length ? Length : Start);
		int64 End = static_cast<int64>(Start) + Count;
		End = End < First ? First : (End > Length ? Length : End);
		OutFirst = static_cast<int32>(First);
		OutEnd = static_cast<int32>(End);
	}

	std::u16string Data;
};

// Test-framework printing (host only).
CORE_API void PrintTo(const FString& Value, std::ostream* Os);

// LexToString / LexFromString ----------------------------------------------------------------------

inline FString LexToString(const FString& Str) { return Str; }
inline FString LexToString(FString&& Str) { return static_cast<FString&&>(Str); }
inline FString LexToString(const TCHAR* Str) { return FString(Str); }
inline FString LexToString(bool Value) { return Value ? FString(u"true") : FString(u"false"); }
inline FString LexToString(int8 Value) { return FString::Printf(u"%i", Value); }
inline FString LexToString(uint8 Value) { return FString::Printf(u"%u", Value); }
inline FString LexToString(int16 Value) { return FString::Printf(u"%i", Value); }
inline FString LexToString(uint16 Value) { return FString::Printf(u"%u", Value); }
inline FString LexToString(int32 Value) { return FString::Printf(u"%i", Value); }
inline FString LexToString(uint32 Value) { return FString::Printf(u"%u", Value); }
inline FString LexToString(int64 Value) { return FString::Printf(u"%lld", Value); }
inline FString LexToString(uint64 Value) { return FString::Printf(u"%llu", Value); }
inline FString LexToString(long long Value) { return FString::Printf(u"%lld", Value); }
inline FString LexToString(unsigned long long Value) { return FString::Printf(u"%llu", Value); }
inline FString LexToString(float Value) { return FString::Printf(u"%f", Value); }
inline FString LexToString(double Value) { return FString::Printf(u"%f", Value); }
inline FString LexToString(TCHAR Value) { return FString::Chr(Value); }
inline FString LexToSanitizedString(float Value) { return FString::SanitizeFloat(Value); }
inline FString LexToSanitizedString(double Value) { return FString::SanitizeFloat(Value); }

inline void LexFromString(int8& OutValue, const TCHAR* Buffer) { OutValue = static_cast<int8>(FCString::Atoi(Buffer)); }
inline void LexFromString(int16& OutValue, const TCHAR* Buffer) { OutValue = static_cast<int16>(FCString::Atoi(Buffer)); }
inline void LexFromString(int32& OutValue, const TCHAR* Buffer) { OutValue = FCString::Atoi(Buffer); }
inline void LexFromString(int64& OutValue, const TCHAR* Buffer) { OutValue = FCString::Atoi64(Buffer); }
inline void LexFromString(uint8& OutValue, const TCHAR* Buffer) { OutValue = static_cast<uint8>(FCString::Atoi(Buffer)); }
inline void LexFromString(uint16& OutValue, const TCHAR* Buffer) { OutValue = static_cast<uint16>(FCString::Atoi(Buffer)); }
inline void LexFromString(uint32& OutValue, const TCHAR* Buffer) { OutValue = static_cast<uint32>(FCString::Atoi64(Buffer)); }
inline void LexFromString(uint64& OutValue, const TCHAR* Buffer) { OutValue = FCString::Strtoui64(Buffer, nullptr, 0); }
inline void LexFromString(float& OutValue, const TCHAR* Buffer) { OutValue = FCString::Atof(Buffer); }
inline void LexFromString(double& OutValue, const TCHAR* Buffer) { OutValue = FCString::Atod(Buffer); }
inline void LexFromString(bool& OutValue, const TCHAR* Buffer) { OutValue = FCString::ToBool(Buffer); }
inline void LexFromString(FString& OutValue, const TCHAR* Buffer) { OutValue = Buffer; }

// Succeeds only when the whole string (after leading whitespace) is a number.
template <typename T>
	requires std::is_arithmetic_v<T>
inline bool LexTryParseString(T& OutValue, const TCHAR* Buffer)
{
	if constexpr (std::is_same_v<T, bool>)
	{
		LexFromString(OutValue, Buffer);
		return true;
	}
	else
	{
		TCHAR* End = nullptr;
		if constexpr (std::is_floating_point_v<T>)
		{
			char Narrow[512];
			UE::Core::Private::NarrowForParse(Buffer, Narrow, sizeof(Narrow));
			char* NarrowEnd = nullptr;
			const double Value = std::strtod(Narrow, &NarrowEnd);
			if (NarrowEnd == Narrow || *NarrowEnd != 0)
			{
				return false;
			}
			OutValue = static_cast<T>(Value);
			return true;
		}
		else
		{
			const int64 Value = FCString::Strtoi64(Buffer, &End, 10);
			if (End == Buffer || *End != 0)
			{
				return false;
			}
			OutValue = static_cast<T>(Value);
			return true;
		}
	}
}
