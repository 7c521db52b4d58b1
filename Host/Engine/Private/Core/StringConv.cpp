#include "Containers/StringConv.h"

namespace UE::Core::Private
{
	std::string Utf16ToUtf8(std::u16string_view Source)
	{
		std::string Out;
		Out.reserve(Source.size());
		for (size_t Index = 0; Index < Source.size(); ++Index)
		{
			uint32 CodePoint = Source[Index];
			if (CodePoint >= 0xD800 && CodePoint <= 0xDBFF && Index + 1 < Source.size() && Source[Index + 1] >= 0xDC00 && Source[Index + 1] <= 0xDFFF)
			{
				CodePoint = 0x10000 + ((CodePoint - 0xD800) << 10) + (Source[Index + 1] - 0xDC00);
				++Index;
			}
			else if (CodePoint >= 0xD800 && CodePoint <= 0xDFFF)
			{
				CodePoint = 0xFFFD;
			}

			if (CodePoint < 0x80)
			{
				Out.push_back(static_cast<char>(CodePoint));
			}
			else if (CodePoint < 0x800)
			{
				Out.push_back(static_cast<char>(0xC0 | (CodePoint >> 6)));
				Out.push_back(static_cast<char>(0x80 | (CodePoint & 0x3F)));
			}
			else if (CodePoint < 0x10000)
			{
				Out.push_back(static_cast<char>(0xE0 | (CodePoint >> 12)));
				Out.push_back(static_cast<char>(0x80 | ((CodePoint >> 6) & 0x3F)));
				Out.push_back(static_cast<char>(0x80 | (CodePoint & 0x3F)));
			}
			else
			{
				Out.push_back(static_cast<char>(0xF0 | (CodePoint >> 18)));
				Out.push_back(static_cast<char>(0x80 | ((CodePoint >> 12) & 0x3F)));
				Out.push_back(static_cast<char>(0x80 | ((CodePoint >> 6) & 0x3F)));
				Out.push_back(static_cast<char>(0x80 | (CodePoint & 0x3F)));
			}
		}
		return Out;
	}

	std::u16string Utf8ToUtf16(std::string_view Source)
	{
		std::u16string Out;
		Out.reserve(Source.size());
		const size_t Size = Source.size();
		for (size_t Index = 0; Index < Size;)
		{
			const uint8 Lead = static_cast<uint8>(Source[Index]);
			if (Lead < 0x80)
			{
				Out.push_back(static_cast<char16_t>(Lead));
				++Index;
				continue;
			}

			int32 Extra = 0;
			uint32 CodePoint = 0;
			uint32 MinValue = 0;
			if ((Lead & 0xE0) == 0xC0)
			{
				Extra = 1, CodePoint = Lead & 0x1F, MinValue = 0x80;
			}
			else if ((Lead & 0xF0) == 0xE0)
			{
				Extra = 2, CodePoint = Lead & 0x0F, MinValue = 0x800;
			}
			else if ((Lead & 0xF8) == 0xF0)
			{
				Extra = 3, CodePoint = Lead & 0x07, MinValue = 0x10000;
			}
			else
			{
				Out.push_back(u'?');
				++Index;
				continue;
			}

			bool bValid = Index + static_cast<size_t>(Extra) < Size;
			for (int32 Cont = 1; bValid && Cont <= Extra; ++Cont)
			{
				const uint8 Byte = static_cast<uint8>(Source[Index + static_cast<size_t>(Cont)]);
				if ((Byte & 0xC0) != 0x80)
				{
					bValid = false;
				}
				else
				{
					CodePoint = (CodePoint << 6) | (Byte & 0x3F);
				}
			}
			if (!bValid || CodePoint < MinValue || CodePoint > 0x10FFFF || (CodePoint >= 0xD800 && CodePoint <= 0xDFFF))
			{
				Out.push_back(u'?');
				++Index;
				continue;
			}

			Index += static_cast<size_t>(Extra) + 1;
			if (CodePoint >= 0x10000)
			{
				CodePoint -= 0x10000;
				Out.push_back(static_cast<char16_t>(0xD800 + (CodePoint >> 10)));
				Out.push_back(static_cast<char16_t>(0xDC00 + (CodePoint & 0x3FF)));
			}
			else
			{
				Out.push_back(static_cast<char16_t>(CodePoint));
			}
		}
		return Out;
	}

	std::string Utf16ToAnsi(std::u16string_view Source)
	{
		std::string Out;
		Out.reserve(Source.size());
		for (char16_t C : Source)
		{
			Out.push_back(C < 0x80 ? static_cast<char>(C) : '?');
		}
		return Out;
	}
}
