// TCHAR printf. Numbers are formatted by the C library (through a narrow copy of the conversion
// directive), strings and characters are copied here so that UTF-16 text survives untouched.
#include "Logging/HostLogFormat.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace UE::Logging::Private
{
	namespace
	{
		struct FSink
		{
			TCHAR* Dest;
			int32 Capacity;
			int32 Length = 0;

			void Put(TCHAR Char)
			{
				if (Length < Capacity - 1)
				{
					Dest[Length] = Char;
				}
				++Length;
			}
			void PutRepeated(TCHAR Char, int32 Count)
			{
				for (int32 Index = 0; Index < Count; ++Index)
				{
					Put(Char);
				}
			}
			void PutAscii(const char* Text, int32 Count)
			{
				for (int32 Index = 0; Index < Count; ++Index)
				{
					Put((TCHAR)(uint8)Text[Index]);
				}
			}
		};

		// Decodes UTF-8 into UTF-16 code units (malformed bytes become U+FFFD).
		std::u16string DecodeUtf8(const char* Text)
		{
			std::u16string Result;
			const unsigned char* P = (const unsigned char*)Text;
			while (*P)
			{
				uint32 CodePoint = 0xFFFD;
				int32 Extra = 0;
				if (*P < 0x80)
				{
					CodePoint = *P;
				}
				else if ((*P & 0xE0) == 0xC0)
				{
					CodePoint = *P & 0x1F;
					Extra = 1;
				}
				else if ((*P & 0xF0) == 0xE0)
				{
					CodePoint = *P & 0x0F;
					Extra = 2;
				}
				else if ((*P & 0xF8) == 0xF0)
				{
					CodePoint = *P & 0x07;
					Extra = 3;
				}
				++P;
				for (int32 Index = 0; Index < Extra; ++Index, ++P)
				{
					if ((*P & 0xC0) != 0x80)
					{
						CodePoint = 0xFFFD;
						break;
					}
					CodePoint = (CodePoint << 6) | (*P & 0x3F);
				}
				if (CodePoint >= 0x10000 && CodePoint <= 0x10FFFF)
				{
					CodePoint -= 0x10000;
					Result.push_back((char16_t)(0xD800 + (CodePoint >> 10)));
					Result.push_back((char16_t)(0xDC00 + (CodePoint & 0x3FF)));
				}
				else
				{
					Result.push_back(CodePoint > 0x10FFFF ? u'\uFFFD' : (char16_t)CodePoint);
				}
			}
			return Result;
		}

		void PutPadded(FSink& Sink, const TCHAR* Text, int32 TextLen, int32 Width, bool bLeft)
		{
			const int32 Pad = Width > TextLen ? Width - TextLen : 0;
			if (!bLeft)
			{
				Sink.PutRepeated(u' ', Pad);
			}
			for (int32 Index = 0; Index < TextLen; ++Index)
			{
				Sink.Put(Text[Index]);
			}
			if (bLeft)
			{
				Sink.PutRepeated(u' ', Pad);
			}
		}

		int32 StrLen(const TCHAR* Text, int32 MaxLen)
		{
			int32 Len = 0;
			while ((MaxLen < 0 || Len < MaxLen) && Text[Len])
			{
				++Len;
			}
			return Len;
		}

		// Formats one numeric conversion with the C library into the sink.
		template <typename T>
		void PutNumber(FSink& Sink, const char* Spec, T Value)
		{
			char Buffer[128];
			const int Needed = std::snprintf(Buffer, sizeof(Buffer), Spec, Value);
			if (Needed < 0)
			{
				return;
			}
			if (Needed < (int)sizeof(Buffer))
			{
				Sink.PutAscii(Buffer, Needed);
				return;
			}
			std::string Large((size_t)Needed + 1, '\0');
			std::snprintf(Large.data(), Large.size(), Spec, Value);
			Sink.PutAscii(Large.data(), Needed);
		}
	}

	int32 FormatV(TCHAR* Dest, int32 DestCount, const TCHAR* Fmt, va_list Args)
	{
		FSink Sink{Dest, DestCount};
		for (const TCHAR* P = Fmt; *P; ++P)
		{
			if (*P != u'%')
			{
				Sink.Put(*P);
				continue;
			}
			++P;
			if (*P == u'%')
			{
				Sink.Put(u'%');
				continue;
			}

			// The narrow directive handed to snprintf for numbers: flags, width and precision resolved.
			char Spec[64];
			int32 SpecLen = 0;
			Spec[SpecLen++] = '%';
			bool bLeft = false;
			while (*P == u'-' || *P == u'+' || *P == u' ' || *P == u'#' || *P == u'0')
			{
				bLeft |= *P == u'-';
				if (SpecLen < 8)
				{
					Spec[SpecLen++] = (char)*P;
				}
				++P;
			}
			int32 Width = 0;
			if (*P == u'*')
			{
				Width = va_arg(Args, int);
				if (Width < 0)
				{
					bLeft = true;
					Width = -Width;
					Spec[SpecLen++] = '-';
				}
				++P;
			}
			else
			{
				while (*P >= u'0' && *P <= u'9')
				{
					Width = Width * 10 + (*P - u'0');
					++P;
				}
			}
			int32 Precision = -1;
			if (*P == u'.')
			{
				++P;
				Precision = 0;
				if (*P == u'*')
				{
					Precision = va_arg(Args, int);
					++P;
				}
				else
				{
					while (*P >= u'0' && *P <= u'9')
					{
						Precision = Precision * 10 + (*P - u'0');
						++P;
					}
				}
			}
			if (Width > 0)
			{
				SpecLen += std::snprintf(Spec + SpecLen, sizeof(Spec) - SpecLen, "%d", (int)Width);
			}
			if (Precision >= 0)
			{
				SpecLen += std::snprintf(Spec + SpecLen, sizeof(Spec) - SpecLen, ".%d", (int)Precision);
			}

			enum class ELength
			{
				Default,
				Short,
				Char,
				Long,
				LongLong,
				IntMax,
				Size,
				PtrDiff
			};
			ELength Length = ELength::Default;
			if (*P == u'h')
			{
				++P;
				Length = ELength::Short;
				if (*P == u'h')
				{
					++P;
					Length = ELength::Char;
				}
			}
			else if (*P == u'l')
			{
				++P;
				Length = ELength::Long;
				if (*P == u'l')
				{
					++P;
					Length = ELength::LongLong;
				}
			}
			else if (*P == u'j' || *P == u'z' || *P == u't')
			{
				Length = *P == u'j' ? ELength::IntMax : (*P == u'z' ? ELength::Size : ELength::PtrDiff);
				++P;
			}

			const TCHAR Conversion = *P;
			switch (Conversion)
			{
			case u'd': case u'i': case u'u': case u'o': case u'x': case u'X':
			{
				const bool bSigned = Conversion == u'd' || Conversion == u'i';
				const char* Modifier = "";
				switch (Length)
				{
				case ELength::Short: Modifier = "h"; break;
				case ELength::Char: Modifier = "hh"; break;
				case ELength::Long: Modifier = "l"; break;
				case ELength::LongLong: Modifier = "ll"; break;
				case ELength::IntMax: Modifier = "j"; break;
				case ELength::Size: Modifier = "z"; break;
				case ELength::PtrDiff: Modifier = "t"; break;
				default: break;
				}
				SpecLen += std::snprintf(Spec + SpecLen, sizeof(Spec) - SpecLen, "%s%c", Modifier, (char)Conversion);
				switch (Length)
				{
				case ELength::Long:
					bSigned ? PutNumber(Sink, Spec, va_arg(Args, long)) : PutNumber(Sink, Spec, va_arg(Args, unsigned long));
					break;
				case ELength::LongLong:
					bSigned ? PutNumber(Sink, Spec, va_arg(Args, long long)) : PutNumber(Sink, Spec, va_arg(Args, unsigned long long));
					break;
				case ELength::IntMax:
					bSigned ? PutNumber(Sink, Spec, va_arg(Args, intmax_t)) : PutNumber(Sink, Spec, va_arg(Args, uintmax_t));
					break;
				case ELength::Size:
					bSigned ? PutNumber(Sink, Spec, va_arg(Args, ptrdiff_t)) : PutNumber(Sink, Spec, va_arg(Args, size_t));
					break;
				case ELength::PtrDiff:
					bSigned ? PutNumber(Sink, Spec, va_arg(Args, ptrdiff_t)) : PutNumber(Sink, Spec, va_arg(Args, size_t));
					break;
				default:
					bSigned ? PutNumber(Sink, Spec, va_arg(Args, int)) : PutNumber(Sink, Spec, va_arg(Args, unsigned int));
					break;
				}
				break;
			}
			case u'f': case u'F': case u'e': case u'E': case u'g': case u'G': case u'a': case u'A':
				Spec[SpecLen++] = (char)Conversion;
				Spec[SpecLen] = '\0';
				PutNumber(Sink, Spec, va_arg(Args, double));
				break;
			case u'p':
			{
				// Pointers print as the C library prints them; width applies, flags are ignored.
				char Buffer[32];
				const int Needed = std::snprintf(Buffer, sizeof(Buffer), "%p", va_arg(Args, void*));
				TCHAR Wide[32];
				for (int Index = 0; Index < Needed; ++Index)
				{
					Wide[Index] = (TCHAR)(uint8)Buffer[Index];
				}
				PutPadded(Sink, Wide, Needed, Width, bLeft);
				break;
			}
			case u'c':
			{
				const TCHAR Char = (TCHAR)va_arg(Args, int);
				PutPadded(Sink, &Char, 1, Width, bLeft);
				break;
			}
			case u's':
				if (Length == ELength::Short || Length == ELength::Char)
				{
					const char* Ansi = va_arg(Args, const char*);
					const std::u16string Decoded = DecodeUtf8(Ansi ? Ansi : "(null)");
					const int32 Len = Precision >= 0 && Precision < (int32)Decoded.size() ? Precision : (int32)Decoded.size();
					PutPadded(Sink, Decoded.data(), Len, Width, bLeft);
				}
				else
				{
					const TCHAR* Text = va_arg(Args, const TCHAR*);
					if (!Text)
					{
						Text = u"(null)";
					}
					PutPadded(Sink, Text, StrLen(Text, Precision), Width, bLeft);
				}
				break;
			case 0:
				// A format ending in '%': the compile-time check rejects it; print what there is.
				--P;
				break;
			default:
				// Unknown conversions are rejected at compile time; keep the text visible if one slips through.
				Sink.Put(u'%');
				Sink.Put(Conversion);
				break;
			}
		}
		if (DestCount > 0)
		{
			Dest[Sink.Length < DestCount ? Sink.Length : DestCount - 1] = 0;
		}
		return Sink.Length;
	}

	FFormattedMessage::FFormattedMessage(const TCHAR* Fmt, va_list Args)
	{
		va_list Measure;
		va_copy(Measure, Args);
		Length = FormatV(Inline, (int32)(sizeof(Inline) / sizeof(Inline[0])), Fmt, Measure);
		va_end(Measure);
		if (Length >= (int32)(sizeof(Inline) / sizeof(Inline[0])))
		{
			Heap.reset(new TCHAR[(size_t)Length + 1]);
			va_list Again;
			va_copy(Again, Args);
			FormatV(Heap.get(), Length + 1, Fmt, Again);
			va_end(Again);
			Text = Heap.get();
		}
	}
}
