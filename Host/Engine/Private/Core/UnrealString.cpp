#include "Containers/UnrealString.h"

#include <cmath>
#include <cstdio>
#include <ostream>
#include <vector>

namespace UE::Core::Private
{
	namespace
	{
		using EKind = FPrintfArg::EKind;

		const char* KindName(EKind Kind)
		{
			switch (Kind)
			{
			case EKind::SignedInt: return "a signed integer";
			case EKind::UnsignedInt: return "an unsigned integer";
			case EKind::Float: return "a floating-point number";
			case EKind::Pointer: return "a pointer";
			case EKind::WideString: return "a const TCHAR*";
			case EKind::AnsiString: return "a const ANSICHAR*";
			case EKind::Null: return "nullptr";
			}
			return "?";
		}

		[[noreturn]] void BadArgument(const TCHAR* Format, int32 ArgIndex, char Conversion, EKind Kind)
		{
			CoreCheckFailed("FormatPrintf", __FILE__, __LINE__, "Printf format \"%s\": argument %d for %%%c is %s",
				Utf16ToUtf8(Format).c_str(), ArgIndex + 1, Conversion, KindName(Kind));
		}

		void AppendAscii(std::u16string& Out, const char* Text, int32 Length)
		{
			for (int32 Index = 0; Index < Length; ++Index)
			{
				Out.push_back(static_cast<char16_t>(static_cast<uint8>(Text[Index])));
			}
		}

		template <typename ValueType>
		void AppendFormatted(std::u16string& Out, const char* Spec, ValueType Value)
		{
			char Buffer[256];
			const int Length = std::snprintf(Buffer, sizeof(Buffer), Spec, Value);
			if (Length < 0)
			{
				return;
			}
			if (static_cast<size_t>(Length) < sizeof(Buffer))
			{
				AppendAscii(Out, Buffer, Length);
				return;
			}
			std::vector<char> Large(static_cast<size_t>(Length) + 1);
			std::snprintf(Large.data(), Large.size(), Spec, Value);
			AppendAscii(Out, Large.data(), Length);
		}

		void AppendPadded(std::u16string& Out, std::u16string_view Text, int32 Width, bool bLeftJustify)
		{
			const int32 Pad = Width - static_cast<int32>(Text.size());
			if (Pad > 0 && !bLeftJustify)
			{
				Out.append(static_cast<size_t>(Pad), u' ');
			}
			Out.append(Text);
			if (Pad > 0 && bLeftJustify)
			{
				Out.append(static_cast<size_t>(Pad), u' ');
			}
		}
	}

	void FormatPrintf(std::u16string& Out, const TCHAR* Format, const FPrintfArg* Args, int32 NumArgs)
	{
		UE_CORE_CHECKF(Format != nullptr, "Printf called with a null format");
		int32 ArgIndex = 0;
		auto NextArg = [&](char Conversion) -> const FPrintfArg& {
			UE_CORE_CHECKF(ArgIndex < NumArgs, "Printf format \"%s\": too few arguments for %%%c", Utf16ToUtf8(Format).c_str(), Conversion);
			return Args[ArgIndex++];
		};

		for (const TCHAR* It = Format; *It;)
		{
			if (*It != u'%')
			{
				const TCHAR* Start = It;
				while (*It && *It != u'%')
				{
					++It;
				}
				Out.append(Start, static_cast<size_t>(It - Start));
				continue;
			}
			++It;
			if (*It == u'%')
			{
				Out.push_back(u'%');
				++It;
				continue;
			}

			// Narrow copy of the directive for snprintf: flags, width, precision.
			std::string Spec = "%";
			bool bLeftJustify = false;
			while (*It == u'-' || *It == u'+' || *It == u' ' || *It == u'#' || *It == u'0')
			{
				bLeftJustify |= (*It == u'-');
				Spec.push_back(static_cast<char>(*It++));
			}
			int32 Width = 0;
			if (*It == u'*')
			{
				const FPrintfArg& WidthArg = NextArg('*');
				if (WidthArg.Kind != EKind::SignedInt && WidthArg.Kind != EKind::UnsignedInt)
				{
					BadArgument(Format, ArgIndex - 1, '*', WidthArg.Kind);
				}
				Width = static_cast<int32>(WidthArg.Int);
				if (Width < 0)
				{
					bLeftJustify = true;
					Spec.push_back('-');
					Width = -Width;
				}
				Spec += std::to_string(Width);
				++It;
			}
			else
			{
				while (*It >= u'0' && *It <= u'9')
				{
					Width = Width * 10 + (*It - u'0');
					Spec.push_back(static_cast<char>(*It++));
				}
			}
			int32 Precision = -1;
			if (*It == u'.')
			{
				++It;
				Precision = 0;
				if (*It == u'*')
				{
					const FPrintfArg& PrecisionArg = NextArg('*');
					if (PrecisionArg.Kind != EKind::SignedInt && PrecisionArg.Kind != EKind::UnsignedInt)
					{
						BadArgument(Format, ArgIndex - 1, '*', PrecisionArg.Kind);
					}
					Precision = static_cast<int32>(PrecisionArg.Int);
					++It;
				}
				else
				{
					while (*It >= u'0' && *It <= u'9')
					{
						Precision = Precision * 10 + (*It - u'0');
						++It;
					}
				}
				if (Precision >= 0)
				{
					Spec += "." + std::to_string(Precision);
				}
			}

			// Length modifier: 0 = int, 1 = char, 2 = short, 8 = 64-bit.
			int32 IntSize = 0;
			bool bNarrowString = false;
			if (It[0] == u'h' && It[1] == u'h')
			{
				IntSize = 1, It += 2;
			}
			else if (*It == u'h')
			{
				IntSize = 2, bNarrowString = true, ++It;
			}
			else if (It[0] == u'l' && It[1] == u'l')
			{
				IntSize = 8, It += 2;
			}
			else if (*It == u'l' || *It == u'z' || *It == u'j' || *It == u't' || *It == u'q')
			{
				IntSize = 8, ++It;
			}
			else if (*It == u'L')
			{
				++It;
			}
			else if (It[0] == u'I' && It[1] == u'6' && It[2] == u'4')
			{
				IntSize = 8, It += 3;
			}

			const TCHAR Conversion = *It;
			if (Conversion == 0)
			{
				break;
			}
			++It;
			const char Conv = static_cast<char>(Conversion);
			switch (Conversion)
			{
			case u'd':
			case u'i':
			{
				const FPrintfArg& Arg = NextArg(Conv);
				if (Arg.Kind != EKind::SignedInt && Arg.Kind != EKind::UnsignedInt)
				{
					BadArgument(Format, ArgIndex - 1, Conv, Arg.Kind);
				}
				int64 Value = Arg.Int;
				Value = IntSize == 1 ? static_cast<int64>(static_cast<signed char>(Value))
					: IntSize == 2	 ? static_cast<int64>(static_cast<int16>(Value))
					: IntSize == 0	 ? static_cast<int64>(static_cast<int32>(Value))
									 : Value;
				AppendFormatted(Out, (Spec + "lld").c_str(), static_cast<long long>(Value));
				break;
			}
			case u'u':
			case u'x':
			case u'X':
			case u'o':
			{
				const FPrintfArg& Arg = NextArg(Conv);
				if (Arg.Kind != EKind::SignedInt && Arg.Kind != EKind::UnsignedInt)
				{
					BadArgument(Format, ArgIndex - 1, Conv, Arg.Kind);
				}
				uint64 Value = Arg.UInt;
				Value = IntSize == 1 ? static_cast<uint64>(static_cast<uint8>(Value))
					: IntSize == 2	 ? static_cast<uint64>(static_cast<uint16>(Value))
					: IntSize == 0	 ? static_cast<uint64>(static_cast<uint32>(Value))
									 : Value;
				AppendFormatted(Out, (Spec + "ll" + Conv).c_str(), static_cast<unsigned long long>(Value));
				break;
			}
			case u'c':
			{
				const FPrintfArg& Arg = NextArg(Conv);
				if (Arg.Kind != EKind::SignedInt && Arg.Kind != EKind::UnsignedInt)
				{
					BadArgument(Format, ArgIndex - 1, Conv, Arg.Kind);
				}
				const char16_t Char = static_cast<char16_t>(Arg.UInt);
				AppendPadded(Out, std::u16string_view(&Char, 1), Width, bLeftJustify);
				break;
			}
			case u's':
			case u'S':
			{
				const FPrintfArg& Arg = NextArg(Conv);
				std::u16string Converted;
				std::u16string_view Text;
				if (Arg.Kind == EKind::Null || (Arg.Kind == EKind::WideString && Arg.WideString == nullptr) ||
					(Arg.Kind == EKind::AnsiString && Arg.AnsiString == nullptr))
				{
					Text = u"(null)";
				}
				else if (Arg.Kind == EKind::WideString && !bNarrowString)
				{
					Text = Arg.WideString;
				}
				else if (Arg.Kind == EKind::AnsiString && bNarrowString)
				{
					Converted = Utf8ToUtf16(Arg.AnsiString);
					Text = Converted;
				}
				else
				{
					BadArgument(Format, ArgIndex - 1, Conv, Arg.Kind);
				}
				if (Precision >= 0 && static_cast<size_t>(Precision) < Text.size())
				{
					Text = Text.substr(0, static_cast<size_t>(Precision));
				}
				AppendPadded(Out, Text, Width, bLeftJustify);
				break;
			}
			case u'f':
			case u'F':
			case u'e':
			case u'E':
			case u'g':
			case u'G':
			case u'a':
			case u'A':
			{
				const FPrintfArg& Arg = NextArg(Conv);
				if (Arg.Kind != EKind::Float)
				{
					BadArgument(Format, ArgIndex - 1, Conv, Arg.Kind);
				}
				AppendFormatted(Out, (Spec + Conv).c_str(), Arg.Float);
				break;
			}
			case u'p':
			{
				const FPrintfArg& Arg = NextArg(Conv);
				if (Arg.Kind != EKind::Pointer && Arg.Kind != EKind::Null && Arg.Kind != EKind::WideString && Arg.Kind != EKind::AnsiString)
				{
					BadArgument(Format, ArgIndex - 1, Conv, Arg.Kind);
				}
				AppendFormatted(Out, (Spec + "p").c_str(), Arg.Pointer);
				break;
			}
			default:
				CoreCheckFailed("FormatPrintf", __FILE__, __LINE__, "Printf format \"%s\": unsupported directive %%%c",
					Utf16ToUtf8(Format).c_str(), Conv);
			}
		}
	}
}

int32 FString::Find(const TCHAR* SubStr, ESearchCase::Type SearchCase, ESearchDir::Type SearchDir, int32 StartPosition) const
{
	if (SubStr == nullptr)
	{
		return INDEX_NONE;
	}
	const std::u16string_view Needle(SubStr);
	const int32 NeedleLen = static_cast<int32>(Needle.size());
	const int32 HayLen = Len();
	auto MatchesAt = [&](int32 Pos) {
		return SearchCase == ESearchCase::CaseSensitive ? std::u16string_view(Data).substr(static_cast<size_t>(Pos), Needle.size()) == Needle
														: UE::Core::Private::CharsEqualIgnoreCase(Data.data() + Pos, Needle.data(), Needle.size());
	};

	if (SearchDir == ESearchDir::FromStart)
	{
		const int32 Start = StartPosition == INDEX_NONE ? 0 : (StartPosition < 0 ? 0 : StartPosition);
		for (int32 Pos = Start; Pos + NeedleLen <= HayLen; ++Pos)
		{
			if (MatchesAt(Pos))
			{
				return Pos;
			}
		}
		return INDEX_NONE;
	}

	// From the end, as the engine: an empty needle counts as one character long.
	const int32 SearchLen = NeedleLen > 1 ? NeedleLen : 1;
	if (StartPosition == INDEX_NONE || StartPosition >= HayLen)
	{
		StartPosition = HayLen;
	}
	for (int32 Pos = StartPosition - SearchLen; Pos >= 0; --Pos)
	{
		if (Pos + NeedleLen <= HayLen && MatchesAt(Pos))
		{
			return Pos;
		}
	}
	return INDEX_NONE;
}

bool FString::StartsWith(const TCHAR* InPrefix, ESearchCase::Type SearchCase) const
{
	const size_t PrefixLen = UE::Core::Private::CStrLen(InPrefix);
	if (PrefixLen == 0 || PrefixLen > Data.size())
	{
		return false;
	}
	return SearchCase == ESearchCase::CaseSensitive ? Data.compare(0, PrefixLen, InPrefix) == 0
													: UE::Core::Private::CharsEqualIgnoreCase(Data.data(), InPrefix, PrefixLen);
}

bool FString::EndsWith(const TCHAR* InSuffix, ESearchCase::Type SearchCase) const
{
	const size_t SuffixLen = UE::Core::Private::CStrLen(InSuffix);
	if (SuffixLen == 0 || SuffixLen > Data.size())
	{
		return false;
	}
	const size_t Offset = Data.size() - SuffixLen;
	return SearchCase == ESearchCase::CaseSensitive ? Data.compare(Offset, SuffixLen, InSuffix) == 0
													: UE::Core::Private::CharsEqualIgnoreCase(Data.data() + Offset, InSuffix, SuffixLen);
}

bool FString::Split(const FString& InS, FString* LeftS, FString* RightS, ESearchCase::Type SearchCase, ESearchDir::Type SearchDir) const
{
	const int32 InPos = Find(InS, SearchCase, SearchDir);
	if (InPos < 0)
	{
		return false;
	}
	// Compute both halves before assigning: either output may alias *this.
	FString LeftPart = Left(InPos);
	FString RightPart = Mid(InPos + InS.Len());
	if (LeftS)
	{
		*LeftS = static_cast<FString&&>(LeftPart);
	}
	if (RightS)
	{
		*RightS = static_cast<FString&&>(RightPart);
	}
	return true;
}

int32 FString::ReplaceInline(const TCHAR* SearchText, const TCHAR* ReplacementText, ESearchCase::Type SearchCase)
{
	const int32 SearchLen = static_cast<int32>(UE::Core::Private::CStrLen(SearchText));
	if (SearchLen == 0 || IsEmpty())
	{
		return 0;
	}
	const std::u16string_view Replacement(ReplacementText ? ReplacementText : u"");
	std::u16string Result;
	int32 Count = 0;
	int32 Pos = 0;
	while (true)
	{
		const int32 Found = Find(SearchText, SearchCase, ESearchDir::FromStart, Pos);
		if (Found == INDEX_NONE)
		{
			break;
		}
		Result.append(Data, static_cast<size_t>(Pos), static_cast<size_t>(Found - Pos));
		Result.append(Replacement);
		Pos = Found + SearchLen;
		++Count;
	}
	if (Count > 0)
	{
		Result.append(Data, static_cast<size_t>(Pos), std::u16string::npos);
		Data = static_cast<std::u16string&&>(Result);
	}
	return Count;
}

int32 FString::ParseIntoArray(TArray<FString>& OutArray, const TCHAR* Delim, bool InCullEmpty) const
{
	return ParseIntoArray(OutArray, &Delim, 1, InCullEmpty);
}

int32 FString::ParseIntoArray(TArray<FString>& OutArray, const TCHAR* const* DelimArray, int32 NumDelims, bool InCullEmpty) const
{
	OutArray.Reset();
	if (IsEmpty())
	{
		return 0;
	}
	std::vector<std::u16string_view> Delims;
	for (int32 Index = 0; Index < NumDelims; ++Index)
	{
		if (DelimArray[Index] && *DelimArray[Index])
		{
			Delims.emplace_back(DelimArray[Index]);
		}
	}
	if (Delims.empty())
	{
		return 0;
	}

	const std::u16string_view Text(Data);
	size_t SegmentStart = 0;
	size_t Pos = 0;
	while (Pos < Text.size())
	{
		size_t MatchLen = 0;
		for (const std::u16string_view& Delim : Delims)
		{
			if (Text.substr(Pos, Delim.size()) == Delim)
			{
				MatchLen = Delim.size();
				break;
			}
		}
		if (MatchLen == 0)
		{
			++Pos;
			continue;
		}
		if (!InCullEmpty || Pos > SegmentStart)
		{
			OutArray.Emplace(Text.substr(SegmentStart, Pos - SegmentStart));
		}
		Pos += MatchLen;
		SegmentStart = Pos;
	}
	if (!InCullEmpty || SegmentStart < Text.size())
	{
		OutArray.Emplace(Text.substr(SegmentStart));
	}
	return OutArray.Num();
}

int32 FString::ParseIntoArrayWS(TArray<FString>& OutArray, const TCHAR* ExtraDelim, bool InCullEmpty) const
{
	const TCHAR* Delims[] = {u" ", u"\t", u"\r", u"\n", ExtraDelim};
	return ParseIntoArray(OutArray, Delims, ExtraDelim && *ExtraDelim ? 5 : 4, InCullEmpty);
}

int32 FString::ParseIntoArrayLines(TArray<FString>& OutArray, bool InCullEmpty) const
{
	const TCHAR* Delims[] = {u"\r\n", u"\r", u"\n"};
	return ParseIntoArray(OutArray, Delims, 3, InCullEmpty);
}

FString FString::SanitizeFloat(double InFloat, const int32 InMinFractionalDigits)
{
	if (InFloat == 0.0)
	{
		InFloat = 0.0; // drops the sign of -0
	}
	FString TempString = Printf(u"%f", InFloat);
	if (!std::isfinite(InFloat))
	{
		return TempString;
	}

	int32 DotIndex = INDEX_NONE;
	TempString.FindChar(u'.', DotIndex);
	if (DotIndex == INDEX_NONE)
	{
		return TempString;
	}
	// Trim trailing zeros, then pad back to the minimum number of fractional digits.
	int32 End = TempString.Len();
	while (End > DotIndex + 1 && TempString[End - 1] == u'0')
	{
		--End;
	}
	const int32 MinDigits = InMinFractionalDigits > 0 ? InMinFractionalDigits : 0;
	const int32 FractionalDigits = End - DotIndex - 1;
	TempString.LeftInline(End);
	if (FractionalDigits < MinDigits)
	{
		TempString += ChrN(MinDigits - FractionalDigits, u'0');
	}
	if (MinDigits == 0 && FractionalDigits == 0)
	{
		TempString.LeftChopInline(1);
	}
	return TempString;
}

void PrintTo(const FString& Value, std::ostream* Os)
{
	*Os << '"' << Value.ToStdString() << '"';
}
