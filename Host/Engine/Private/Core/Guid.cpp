#include "Misc/Guid.h"

#include <mutex>
#include <random>

FGuid FGuid::NewGuid()
{
	static std::mutex Mutex;
	static std::mt19937_64 Engine{std::random_device{}()};
	std::lock_guard<std::mutex> Lock(Mutex);
	const uint64 High = Engine();
	const uint64 Low = Engine();
	FGuid Guid(static_cast<uint32>(High >> 32), static_cast<uint32>(High), static_cast<uint32>(Low >> 32), static_cast<uint32>(Low));
	// RFC 4122 version 4 / variant 1 bits, so the value reads as a random GUID anywhere.
	Guid.B = (Guid.B & 0xFFFF0FFFu) | 0x00004000u;
	Guid.C = (Guid.C & 0x3FFFFFFFu) | 0x80000000u;
	return Guid;
}

FString FGuid::ToString(EGuidFormats Format) const
{
	switch (Format)
	{
	case EGuidFormats::DigitsLower:
		return FString::Printf(u"%08x%08x%08x%08x", A, B, C, D);
	case EGuidFormats::DigitsWithHyphens:
		return FString::Printf(u"%08X-%04X-%04X-%04X-%04X%08X", A, B >> 16, B & 0xFFFF, C >> 16, C & 0xFFFF, D);
	case EGuidFormats::DigitsWithHyphensLower:
		return FString::Printf(u"%08x-%04x-%04x-%04x-%04x%08x", A, B >> 16, B & 0xFFFF, C >> 16, C & 0xFFFF, D);
	case EGuidFormats::DigitsWithHyphensInBraces:
		return FString::Printf(u"{%08X-%04X-%04X-%04X-%04X%08X}", A, B >> 16, B & 0xFFFF, C >> 16, C & 0xFFFF, D);
	case EGuidFormats::DigitsWithHyphensInParentheses:
		return FString::Printf(u"(%08X-%04X-%04X-%04X-%04X%08X)", A, B >> 16, B & 0xFFFF, C >> 16, C & 0xFFFF, D);
	case EGuidFormats::HexValuesInBraces:
		return FString::Printf(u"{0x%08X,0x%04X,0x%04X,{0x%02X,0x%02X,0x%02X,0x%02X,0x%02X,0x%02X,0x%02X,0x%02X}}", A, B >> 16, B & 0xFFFF,
			C >> 24, (C >> 16) & 0xFF, (C >> 8) & 0xFF, C & 0XFF, D >> 24, (D >> 16) & 0XFF, (D >> 8) & 0XFF, D & 0XFF);
	case EGuidFormats::UniqueObjectGuid:
		return FString::Printf(u"%08X-%08X-%08X-%08X", A, B, C, D);
	case EGuidFormats::Digits:
	default:
		return FString::Printf(u"%08X%08X%08X%08X", A, B, C, D);
	}
}

namespace
{
	// Reads the hex digits of Text (ignoring the separators at the given positions) into 32 nibbles.
	bool ParseHexDigits(const FString& Text, FGuid& OutGuid)
	{
		uint32 Parts[4] = {0, 0, 0, 0};
		int32 Count = 0;
		for (TCHAR C : Text)
		{
			int32 Value;
			if (C >= u'0' && C <= u'9')
			{
				Value = C - u'0';
			}
			else if (C >= u'a' && C <= u'f')
			{
				Value = C - u'a' + 10;
			}
			else if (C >= u'A' && C <= u'F')
			{
				Value = C - u'A' + 10;
			}
			else
			{
				return false;
			}
			if (Count >= 32)
			{
				return false;
			}
			Parts[Count / 8] = (Parts[Count / 8] << 4) | static_cast<uint32>(Value);
			++Count;
		}
		if (Count != 32)
		{
			return false;
		}
		OutGuid = FGuid(Parts[0], Parts[1], Parts[2], Parts[3]);
		return true;
	}
}

bool FGuid::ParseExact(const FString& GuidString, EGuidFormats Format, FGuid& OutGuid)
{
	FString Digits;
	switch (Format)
	{
	case EGuidFormats::Digits:
	case EGuidFormats::DigitsLower:
		if (GuidString.Len() != 32)
		{
			return false;
		}
		return ParseHexDigits(GuidString, OutGuid);
	case EGuidFormats::DigitsWithHyphens:
	case EGuidFormats::DigitsWithHyphensLower:
	case EGuidFormats::DigitsWithHyphensInBraces:
	case EGuidFormats::DigitsWithHyphensInParentheses:
	{
		FString Body = GuidString;
		if (Format == EGuidFormats::DigitsWithHyphensInBraces || Format == EGuidFormats::DigitsWithHyphensInParentheses)
		{
			const TCHAR Open = Format == EGuidFormats::DigitsWithHyphensInBraces ? u'{' : u'(';
			const TCHAR Close = Format == EGuidFormats::DigitsWithHyphensInBraces ? u'}' : u')';
			if (Body.Len() != 38 || Body[0] != Open || Body[37] != Close)
			{
				return false;
			}
			Body = Body.Mid(1, 36);
		}
		if (Body.Len() != 36 || Body[8] != u'-' || Body[13] != u'-' || Body[18] != u'-' || Body[23] != u'-')
		{
			return false;
		}
		return ParseHexDigits(Body.Replace(u"-", u""), OutGuid);
	}
	case EGuidFormats::UniqueObjectGuid:
		if (GuidString.Len() != 35 || GuidString[8] != u'-' || GuidString[17] != u'-' || GuidString[26] != u'-')
		{
			return false;
		}
		return ParseHexDigits(GuidString.Replace(u"-", u""), OutGuid);
	case EGuidFormats::HexValuesInBraces:
	{
		if (GuidString.Len() != 68 || GuidString[0] != u'{' || GuidString[67] != u'}')
		{
			return false;
		}
		FString Hex = GuidString.Replace(u"0x", u"", ESearchCase::CaseSensitive);
		Hex.ReplaceInline(u"{", u"");
		Hex.ReplaceInline(u"}", u"");
		Hex.ReplaceInline(u",", u"");
		return ParseHexDigits(Hex, OutGuid);
	}
	}
	return false;
}

bool FGuid::Parse(const FString& GuidString, FGuid& OutGuid)
{
	switch (GuidString.Len())
	{
	case 32:
		return ParseExact(GuidString, EGuidFormats::Digits, OutGuid);
	case 35:
		return ParseExact(GuidString, EGuidFormats::UniqueObjectGuid, OutGuid);
	case 36:
		return ParseExact(GuidString, EGuidFormats::DigitsWithHyphens, OutGuid);
	case 38:
		return GuidString[0] == u'{' ? ParseExact(GuidString, EGuidFormats::DigitsWithHyphensInBraces, OutGuid)
									 : ParseExact(GuidString, EGuidFormats::DigitsWithHyphensInParentheses, OutGuid);
	case 68:
		return ParseExact(GuidString, EGuidFormats::HexValuesInBraces, OutGuid);
	default:
		return false;
	}
}
